#include "sound/sound_system.h"

#include <cstdio>
#include <cstdlib>

#include "sound/mixer_error.h"
#include "sound/sound_mixer.h"

namespace qv::sound {
namespace {

// The window opens channels 0 to 4; the game plays on 0 to 3.
constexpr uint8_t kGameChannels = 31;
constexpr int32_t kEntryPoints = 4;

}  // namespace

SoundSystem::SoundSystem(SoundSystemOptions options, WaveDevice* waves, MusicPlayer* music,
                         MidiPlayer* midi)
    : options_(std::move(options)), waves_(waves), musicPlayer_(music), midi_(midi) {}

SoundSystem::~SoundSystem() {
  Shutdown();
}

void SoundSystem::Swallow(const std::string& where, const std::string& why) {
  // The game goes on silent, but the player learns which file is broken: each distinct
  // failure once, as a missing file would otherwise repeat at every click.
  std::string line = where + ": " + why;
  if (logged_.size() < 256 && logged_.insert(line).second)
    std::fprintf(stderr, "qv sound: %s\n", line.c_str());
}

void SoundSystem::Start() {
  started_ = true;
  if (waves_ && !mixer_) {
    ProfileFile ini;
    for (const auto& file : options_.mixerSettings) {
      if (const Status added = ini.AddFile(file); !added.ok()) {
        std::fprintf(stderr, "qv: %s\n", added.message().c_str());
      }
    }
    Result<std::unique_ptr<SoundMixer>> made = SoundMixer::Create(*waves_, ini);
    Status started = made.status();
    if (made.ok()) {
      mixer_ = std::move(*made);
      started = mixer_->SetActivated(true);
      if (started.ok()) started = mixer_->SetChannels(kGameChannels);
    }
    if (!started.ok()) {
      Swallow("mixer", started.message());
      mixer_.reset();
    }
  }
  if (midi_) midi_->SmfSetDevice(-1, 0);
}

void SoundSystem::Shutdown() {
  if (!started_) return;
  started_ = false;
  if (midi_) midi_->SmfFree();
  if (mixer_) {
    for (const Wave*& w : lastWave_) {
      if (w) {
        if (const Status released = mixer_->ReleaseWave(w); !released.ok()) {
          Swallow("ReleaseWave", released.message());
        }
      }
      w = nullptr;
    }
    mixer_.reset();
  }
  lastWave_.fill(nullptr);
}

void SoundSystem::PlayWave(int32_t entry, std::string_view file) {
  if (!mixer_ || entry < 0 || entry >= kEntryPoints) return;
  const std::filesystem::path path = options_.datDir / std::string(file);
  const Result<const Wave*> wave = mixer_->LoadWave(path);
  Status played = wave.status();
  if (wave.ok()) {
    const Wave* old = lastWave_[std::size_t(entry)];
    lastWave_[std::size_t(entry)] = *wave;
    // Every click loads its sound afresh; the wave it replaces goes once it has played, so a
    // long session does not pile up waves.
    if (old) played = mixer_->Session().FreeMixWaveWhenDone(old);
    if (played.ok()) played = mixer_->Play(entry, *wave, 0, 0, nullptr);
  }
  if (!played.ok()) Swallow("PlayWave " + path.string(), played.message());
}

void SoundSystem::PlayMusic(std::string_view file, int32_t formActive) {
  if (formActive == -1) return;
  if (file == "not") {
    ++musicToken_;
    music_.clear();
    if (musicPlayer_) musicPlayer_->Stop();
    return;
  }
  if (file.empty()) return;
  music_ = std::string(file);
  ++musicToken_;
  if (!musicPlayer_) return;
  if (!musicPlayer_->Play(options_.datDir / music_, musicToken_)) {
    Swallow("PlayMusic " + (options_.datDir / music_).string(), "cannot be played");
  }
}

std::optional<std::string> SoundSystem::MusicEnded(uint32_t token, bool natural) {
  if (!natural || token != musicToken_ || music_.empty()) return std::nullopt;
  return music_;
}

void SoundSystem::PlayMidi(std::string_view file) {
  if (!midi_) return;
  if (file == "not" || file.empty()) {
    midi_->SmfStop();
    return;
  }
  const std::filesystem::path path = options_.datDir / std::string(file);
  if (midi_->SmfLoadFile(path, 0) != 0 || midi_->SmfPlay(2, 0, 0) != 0) {
    midi_->SmfStop();
    Swallow("PlayMidi " + path.string(), "cannot be played");
  }
}

void SoundSystem::Pump() {
  if (!mixer_) return;
  if (const Status done = mixer_->Session().BlocksDone(); !done.ok()) {
    Swallow("mixer", done.message());
  }
}

int32_t SoundSystem::MsUntilPump() {
  return mixer_ ? mixer_->Session().MsUntilBlockDone() : -1;
}

const Wave* SoundSystem::LastWave(int32_t entry) const {
  return entry >= 0 && entry < 5 ? lastWave_[std::size_t(entry)] : nullptr;
}

std::vector<std::filesystem::path> MixerSettingsFiles(const std::filesystem::path& programDir) {
  std::vector<std::filesystem::path> files{programDir / "MIXER.INI"};
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (xdg && xdg[0] == '/') {
    files.push_back(std::filesystem::path(xdg) / "qv" / "MIXER.INI");
  } else if (home && home[0] == '/') {
    files.push_back(std::filesystem::path(home) / ".config" / "qv" / "MIXER.INI");
  }
  return files;
}

}  // namespace qv::sound
