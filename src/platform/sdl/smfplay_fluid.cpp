#include "platform/sdl/smfplay_fluid.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>

#include "files/file_io.h"
#include "sound/midi_check.h"

namespace qv::sdl {
namespace {

void QuietLog(int level, const char* message, void*) {
#ifndef NDEBUG
  if (level <= FLUID_WARN) std::fprintf(stderr, "qv midi: %s\n", message);
#else
  (void)level;
  (void)message;
#endif
}

}  // namespace

SmfPlayer::~SmfPlayer() {
  Destroy();
}

void SmfPlayer::CreateInBackground(const std::filesystem::path& soundFont, int32_t sampleRate) {
  if (synth_ || maker_.joinable()) return;
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, QuietLog, nullptr);
  }
  try {
    maker_ = std::thread(&SmfPlayer::Make, this, soundFont, sampleRate);
  } catch (const std::system_error&) {
    Make(soundFont, sampleRate);  // no thread to be had: make it here
  }
}

bool SmfPlayer::Create(const std::filesystem::path& soundFont, int32_t sampleRate) {
  CreateInBackground(soundFont, sampleRate);
  return WaitForSynth();
}

bool SmfPlayer::WaitForSynth() {
  if (maker_.joinable()) maker_.join();
  return synth_ != nullptr;
}

void SmfPlayer::Make(const std::filesystem::path& soundFont, int32_t sampleRate) {
  if (cancel_.load()) return;
  // fluidsynth would wait forever on a FIFO and read a device without end.
  if (const Status r = files::CheckFile(soundFont, kMaxSoundFontBytes); !r.ok()) {
    // A missing default soundfont is a machine without one; anything else is named.
    if (r.code() != ENOENT || soundFont != kDefaultSoundFont) {
      std::fprintf(stderr, "qv: soundfont %s: %s; the MIDI tune is silent\n",
                   soundFont.string().c_str(), r.message().c_str());
    }
    return;
  }
  fluid_settings_t* settings = new_fluid_settings();
  if (!settings) return;
  fluid_settings_setnum(settings, "synth.sample-rate", double(sampleRate));
  // The player follows the samples we render, not a timer thread of its own.
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_settings_setint(settings, "synth.cpu-cores", 1);
  fluid_settings_setnum(settings, "synth.gain", kSynthGain);
  // Only the presets' tables are read now; samples when a tune needs them.
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_synth_t* synth = new_fluid_synth(settings);
  // No channel is given an instrument yet (that would read its samples): the first tune does
  // it, as loading the soundfont would have done.
  int32_t id =
      synth && !cancel_.load() ? fluid_synth_sfload(synth, soundFont.c_str(), 0) : FLUID_FAILED;
  if (id == FLUID_FAILED) {
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return;
  }
  settings_ = settings;
  synth_ = synth;
  soundFontId_ = id;
}

void SmfPlayer::Destroy() {
  cancel_.store(true);  // a game closing at once need not wait for the soundfont
  WaitForSynth();
  DropPlayer();
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
  synth_ = nullptr;
  settings_ = nullptr;
  soundFontId_ = -1;
  channelsSet_ = false;
  cancel_.store(false);
}

void SmfPlayer::Pin(std::vector<sound::MidiInstrument> instruments) {
  // The piano and the standard drum kit too: the tune's end puts every channel back on them.
  instruments.push_back({0, 0});
  instruments.push_back({128, 0});
  for (const sound::MidiInstrument& i : instruments) {
    if (fluid_synth_pin_preset(synth_, soundFontId_, i.bank, i.program) == FLUID_OK) continue;
    // A preset the soundfont lacks: the synthesiser falls back to the first bank's, or to the
    // standard drum kit.
    if (i.bank == 128) {
      fluid_synth_pin_preset(synth_, soundFontId_, 128, 0);
    } else {
      fluid_synth_pin_preset(synth_, soundFontId_, 0, i.program);
    }
  }
}

void SmfPlayer::Quiesce() {
  sounding_.store(false);
  while (rendering_.load()) std::this_thread::yield();
}

void SmfPlayer::DropPlayer() {
  Quiesce();
  if (!player_) return;
  fluid_player_stop(player_);
  delete_fluid_player(player_);
  player_ = nullptr;
  if (synth_) fluid_synth_all_sounds_off(synth_, -1);
  tune_.clear();
}

int32_t SmfPlayer::SmfSetDevice(int32_t, int32_t) {
  return 0;
}  // there is only the one device

int32_t SmfPlayer::SmfLoadFile(const std::filesystem::path& file, int32_t) {
  DropPlayer();
  if (!WaitForSynth()) {
    QuietLog(FLUID_WARN, "no soundfont, the tune is silent", nullptr);
    return -1;
  }
  const Result<std::string> text = files::ReadFile(file, sound::kMaxMidiFileBytes);
  if (!text.ok()) return -1;
  std::vector<uint8_t> bytes(text->begin(), text->end());
  const Result<sound::MidiTune> check = sound::CheckMidi(bytes);
  if (!check.ok()) {
    QuietLog(FLUID_WARN, (file.filename().string() + ": " + check.message()).c_str(), nullptr);
    return -1;
  }
  Pin(check->instruments);
  if (!channelsSet_) {
    fluid_synth_program_reset(synth_);  // every channel on its first instrument
    channelsSet_ = true;
  }
  player_ = new_fluid_player(synth_);
  if (!player_) return -1;
  tune_ = std::move(bytes);
  if (fluid_player_add_mem(player_, tune_.data(), tune_.size()) != FLUID_OK) {
    DropPlayer();
    return -1;
  }
  return 0;
}

int32_t SmfPlayer::SmfPlay(int32_t, int32_t, int32_t) {
  if (!player_) return -1;
  Quiesce();
  fluid_player_set_loop(player_, 1);  // once
  if (fluid_player_play(player_) != FLUID_OK) return -1;
  sounding_.store(true);
  return 0;
}

int32_t SmfPlayer::SmfStop() {
  DropPlayer();
  return 0;
}

int32_t SmfPlayer::SmfFree() {
  DropPlayer();
  return 0;
}

void SmfPlayer::Render(int16_t* stereo, int32_t frames) {
  // Entering before looking pairs with Quiesce: either it sees us inside, or we see it quiet.
  rendering_.store(true);
  if (sounding_.load() && synth_) Mix(stereo, frames);
  rendering_.store(false);
}

void SmfPlayer::Mix(int16_t* stereo, int32_t frames) {
  int16_t buffer[2 * 512];
  while (frames > 0) {
    int32_t n = std::min<int32_t>(frames, 512);
    fluid_synth_write_s16(synth_, n, buffer, 0, 2, buffer, 1, 2);
    for (int32_t i = 0; i < 2 * n; ++i) {
      stereo[i] = int16_t(std::clamp(int32_t(stereo[i]) + buffer[i], -32768, 32767));
    }
    stereo += 2 * n;
    frames -= n;
  }
}

}  // namespace qv::sdl
