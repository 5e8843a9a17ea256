#include "platform/sdl/audio_system.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>

#include "files/file_io.h"
#include "platform/sdl/smfplay_fluid.h"
#include "sound/sound_system.h"
#include "sound/stream_device.h"

namespace qv::sdl {
namespace {

using sound::kDeviceFrames;
using sound::kDeviceRate;
// The game's tunes are a few megabytes.
constexpr size_t kMaxMusicBytes = size_t{256} << 20;

// SDL2_mixer's music hook takes no user data, so what it needs lives here. It only posts an
// event; the game's thread decides what the end means.
std::atomic<uint32_t> gMusicEventType{0};
std::atomic<uint32_t> gMusicToken{0};
std::atomic<bool> gMusicStopping{false};
const int kNaturalEnd = 1;

void MusicFinished() {
  uint32_t type = gMusicEventType.load();
  if (type == 0) return;
  SDL_Event e{};
  e.type = type;
  e.user.code = int32_t(gMusicToken.load());
  e.user.data1 = gMusicStopping.load() ? nullptr : const_cast<int*>(&kNaturalEnd);
  SDL_PushEvent(&e);
}

void DebugLog(const char* what) {
#ifndef NDEBUG
  std::fprintf(stderr, "qv audio: %s: %s\n", what, SDL_GetError());
#else
  (void)what;
#endif
}

// The media player `mid_p` on SDL2_mixer's music channel. A tune the game would start again
// at its end is looped by SDL2_mixer's decoder itself, sample to sample: restarting it from
// the end notice would leave the rest of a device buffer silent at every join.
class SdlMusic : public sound::MusicPlayer {
 public:
  ~SdlMusic() override { Stop(); }
  bool Play(const std::filesystem::path& file, uint32_t token) override {
    Stop();
    // SDL2_mixer would wait forever on a FIFO and read a device without end.
    if (!files::CheckFile(file, kMaxMusicBytes).ok()) return false;
    music_ = Mix_LoadMUS(file.c_str());
    if (!music_) return false;
    gMusicToken.store(token);
    if (Mix_PlayMusic(music_, loops_ ? -1 : 0) != 0) {
      Mix_FreeMusic(music_);
      music_ = nullptr;
      return false;
    }
    playingLoops_ = loops_;
    return true;
  }
  void SetLoops(bool loops) {
    loops_ = loops;
    if (!music_ || loops == playingLoops_ || !Mix_PlayingMusic()) return;
    // Carry on from the same place the other way: looping, or playing on to the end once.
    const double at = Mix_GetMusicPosition(music_);
    gMusicStopping.store(true);  // the switch is not an end of the tune
    const bool ok = Mix_PlayMusic(music_, loops ? -1 : 0) == 0;
    gMusicStopping.store(false);
    if (ok && at > 0) Mix_SetMusicPosition(at);
    playingLoops_ = loops;
  }
  void Stop() override {
    gMusicStopping.store(true);
    Mix_HaltMusic();
    gMusicStopping.store(false);
    if (music_) Mix_FreeMusic(music_);
    music_ = nullptr;
  }

 private:
  Mix_Music* music_ = nullptr;
  bool loops_ = false;         // what the game wants of the next tune and of this one
  bool playingLoops_ = false;  // how this one was started
};

// Full volume as a gain in 1/256 steps; at full gain the streams are added untouched.
constexpr int32_t kFullGain = 256;
// Frames rendered into the scratch buffer at a time when a stream is turned down.
constexpr int32_t kScratchFrames = 1024;

int32_t GainOf(int32_t volume, bool mute) {
  return mute ? 0 : std::clamp(volume, 0, 100) * kFullGain / 100;
}

// Renders one stream through `render(buffer, frames)` at `gain` and adds it to `out`.
template <typename RenderFn>
void AddAtGain(int16_t* out, int32_t frames, int32_t gain, RenderFn render) {
  if (gain >= kFullGain) {
    render(out, frames);
    return;
  }
  if (gain <= 0) {
    // Silent, but the stream still moves on so that blocks complete and tunes keep time.
    std::array<int16_t, kScratchFrames * 2> discard{};
    for (int32_t done = 0; done < frames; done += kScratchFrames) {
      const int32_t n = std::min(kScratchFrames, frames - done);
      render(discard.data(), n);
      discard.fill(0);
    }
    return;
  }
  std::array<int16_t, kScratchFrames * 2> scratch{};
  for (int32_t done = 0; done < frames; done += kScratchFrames) {
    const int32_t n = std::min(kScratchFrames, frames - done);
    scratch.fill(0);
    render(scratch.data(), n);
    int16_t* o = out + done * 2;
    for (int32_t i = 0; i < n * 2; ++i) {
      const int32_t v = o[i] + scratch[i] * gain / kFullGain;
      o[i] = static_cast<int16_t>(std::clamp(v, -32768, 32767));
    }
  }
}

}  // namespace

struct AudioSystem::Impl {
  bool audioInit = false;
  bool deviceOpen = false;
  int rate = kDeviceRate;
  std::unique_ptr<sound::StreamDevice> waves;
  std::unique_ptr<SdlMusic> music;
  SmfPlayer midi;
  std::unique_ptr<sound::SoundSystem> sound;
  std::filesystem::path mixerSettings;
  std::atomic<int32_t> effectsGain{kFullGain};
  std::atomic<int32_t> musicGain{kFullGain};
  std::optional<AudioOptions> pending;  // opened, not yet started

  void Start();
  // Opening waits for the first call that needs the device: a game that closes at once never
  // starts its audio thread or reads its soundfont.
  void StartIfPending() {
    if (pending) Start();
  }

  static void PostMix(void* self, Uint8* stream, int len) {
    auto* impl = static_cast<Impl*>(self);
    auto* out = reinterpret_cast<int16_t*>(stream);
    int32_t frames = len / 4;
    AddAtGain(out, frames, impl->effectsGain.load(),
              [impl](int16_t* buf, int32_t n) { impl->waves->Render(buf, n, impl->rate); });
    AddAtGain(out, frames, impl->musicGain.load(),
              [impl](int16_t* buf, int32_t n) { impl->midi.Render(buf, n); });
  }

  // The MP3 music plays on SDL2_mixer's own channel, whose volume SDL2_mixer keeps.
  void ApplyMusicVolume() {
    if (deviceOpen) Mix_VolumeMusic(musicGain.load() * MIX_MAX_VOLUME / kFullGain);
  }
};

AudioSystem::AudioSystem() : impl_(std::make_unique<Impl>()) {}

AudioSystem::~AudioSystem() {
  Close();
}

void AudioSystem::Open(const AudioOptions& options) {
  if (!impl_->sound) impl_->pending = options;
}

void AudioSystem::Impl::Start() {
  const AudioOptions options = *pending;
  pending.reset();
  Impl& im = *this;
  im.audioInit = SDL_InitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS) == 0;
  if (!im.audioInit) {
    DebugLog("no audio");
  } else if (Mix_OpenAudioDevice(kDeviceRate, AUDIO_S16SYS, 2, kDeviceFrames, nullptr, 0) != 0) {
    DebugLog("no audio device");
  } else {
    im.deviceOpen = true;
  }
  sound::SoundSystemOptions so{options.datDir,
                               im.mixerSettings.empty()
                                   ? sound::MixerSettingsFiles(options.programDir)
                                   : std::vector<std::filesystem::path>{im.mixerSettings}};
  im.waves = std::make_unique<sound::StreamDevice>(im.deviceOpen);
  if (im.deviceOpen) {
    Mix_Init(MIX_INIT_MP3);
    int channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&im.rate, &format, &channels);
    if (gMusicEventType.load() == 0) {
      uint32_t type = SDL_RegisterEvents(1);
      if (type != uint32_t(-1)) gMusicEventType.store(type);
    }
    Mix_HookMusicFinished(MusicFinished);
    im.music = std::make_unique<SdlMusic>();
    // The soundfont loads on a thread of its own; the tune waits for it only if it comes first.
    im.midi.CreateInBackground(options.soundFont.empty() ? kDefaultSoundFont : options.soundFont,
                               im.rate);
    Mix_SetPostMix(&Impl::PostMix, &im);
    im.ApplyMusicVolume();
  }
  im.sound = std::make_unique<sound::SoundSystem>(std::move(so), im.waves.get(), im.music.get(),
                                                  im.deviceOpen ? &im.midi : nullptr);
  im.sound->Start();
}

void AudioSystem::Close() {
  Impl& im = *impl_;
  im.pending.reset();
  if (im.sound) im.sound->Shutdown();
  im.sound.reset();
  if (im.deviceOpen) {
    Mix_HookMusicFinished(nullptr);
    im.music.reset();
    Mix_SetPostMix(nullptr, nullptr);  // returns once the audio thread has left PostMix
    im.midi.Destroy();
    Mix_CloseAudio();
    Mix_Quit();
    im.deviceOpen = false;
  }
  im.waves.reset();
  if (im.audioInit) SDL_QuitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS);
  im.audioInit = false;
}

bool AudioSystem::HasDevice() {
  impl_->StartIfPending();
  return impl_->deviceOpen;
}

void AudioSystem::PlayWave(int32_t channel, std::string_view file) {
  impl_->StartIfPending();
  if (impl_->sound) impl_->sound->PlayWave(channel, file);
}

void AudioSystem::PlayMusic(std::string_view file, int32_t formActive) {
  impl_->StartIfPending();
  if (impl_->sound) impl_->sound->PlayMusic(file, formActive);
}

void AudioSystem::PlayMidi(std::string_view file) {
  impl_->StartIfPending();
  if (impl_->sound) impl_->sound->PlayMidi(file);
}

void AudioSystem::SetMusicLoops(bool loops) {
  impl_->StartIfPending();
  if (impl_->music) impl_->music->SetLoops(loops);
}

void AudioSystem::SetMixerSettingsFile(const std::filesystem::path& file) {
  impl_->mixerSettings = file;
}

void AudioSystem::SetVolume(int32_t effects, int32_t music, bool mute) {
  impl_->effectsGain.store(GainOf(effects, mute));
  impl_->musicGain.store(GainOf(music, mute));
  impl_->ApplyMusicVolume();
}

void AudioSystem::Pump() {
  impl_->StartIfPending();
  if (impl_->sound) impl_->sound->Pump();
}

int32_t AudioSystem::MsUntilPump() {
  if (!impl_->sound) return -1;
  int32_t ms = impl_->sound->MsUntilPump();
  // The device takes its bytes a buffer at a time; waking more often than that only spins.
  return ms > 0 && ms < 5 ? 5 : ms;
}

std::optional<std::string> AudioSystem::MusicEnded(const SDL_Event& event) {
  uint32_t type = gMusicEventType.load();
  if (!impl_->sound || type == 0 || event.type != type) return std::nullopt;
  return impl_->sound->MusicEnded(uint32_t(event.user.code), event.user.data1 != nullptr);
}

}  // namespace qv::sdl
