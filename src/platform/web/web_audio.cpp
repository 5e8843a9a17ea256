#include "platform/web/web_audio.h"

#include <emscripten.h>

#include <algorithm>

// clang-format off
EM_JS(int, qv_play_music, (const char* file, unsigned token), {
  return qvPage.playMusic(UTF8ToString(file), token) ? 1 : 0;
});
EM_JS(void, qv_stop_music, (), {
  qvPage.stopMusic();
});
EM_JS(void, qv_play_tune, (const char* file), {
  qvPage.playTune(UTF8ToString(file));
});
EM_JS(void, qv_stop_tune, (), {
  qvPage.stopTune();
});
// clang-format on

namespace qv::web {

bool PageMusic::Play(const std::filesystem::path& file, uint32_t token) {
  return qv_play_music(file.filename().string().c_str(), token) != 0;
}

void PageMusic::Stop() {
  qv_stop_music();
}

int32_t PageMidi::SmfLoadFile(const std::filesystem::path& file, int32_t flags) {
  loaded_ = file.filename().string();
  return 0;
}

int32_t PageMidi::SmfPlay(int32_t mode, int32_t from, int32_t to) {
  if (loaded_.empty()) return -1;
  // The build renders the tune with the desktop's synthesiser and soundfont into a WAV file.
  qv_play_tune((loaded_ + ".wav").c_str());
  return 0;
}

int32_t PageMidi::SmfStop() {
  qv_stop_tune();
  return 0;
}

int32_t PageMidi::SmfFree() {
  qv_stop_tune();
  loaded_.clear();
  return 0;
}

WebAudio::WebAudio(const std::filesystem::path& datDir, int32_t sampleRate)
    : rate_(sampleRate), waves_(true, "Web Audio"), sound_({datDir, {}}, &waves_, &music_, &midi_) {
  sound_.Start();
}

WebAudio::~WebAudio() {
  sound_.Shutdown();
}

void WebAudio::PlayWave(int32_t channel, std::string_view file) {
  sound_.PlayWave(channel, file);
}

void WebAudio::PlayMusic(std::string_view file, int32_t formActive) {
  sound_.PlayMusic(file, formActive);
}

void WebAudio::PlayMidi(std::string_view file) {
  sound_.PlayMidi(file);
}

std::optional<std::string> WebAudio::MusicEnded(uint32_t token, bool natural) {
  return sound_.MusicEnded(token, natural);
}

void WebAudio::Pump() {
  sound_.Pump();
}

void WebAudio::Render(float* left, float* right, int32_t frames) {
  scratch_.assign(size_t(std::max(frames, 0)) * 2, 0);
  waves_.Render(scratch_.data(), frames, rate_);
  for (int32_t i = 0; i < frames; ++i) {
    left[i] = float(scratch_[size_t(i) * 2]) / 32768.0f;
    right[i] = float(scratch_[size_t(i) * 2 + 1]) / 32768.0f;
  }
  // The blocks the graph took are done: the mixer refills them at once.
  sound_.Pump();
}

}  // namespace qv::web
