#pragma once
// The game's sound on the page's Web Audio graph, started by the player's first click (browsers
// allow sound only after one): the effects through our wave mixer, rendered into the graph as
// it asks; the MP3 music and the MIDI tune (rendered to WAV when the game was built) decoded
// and played by the browser, their natural end reported back like the desktop's media player.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sound/sound_system.h"
#include "sound/stream_device.h"

namespace qv::web {

// The media player `mid_p` on the page: plays music/<file>.
class PageMusic : public sound::MusicPlayer {
 public:
  bool Play(const std::filesystem::path& file, uint32_t token) override;
  void Stop() override;
};

// smfplay on the page: the tune rendered as music/<file>.wav, played once.
class PageMidi : public sound::MidiPlayer {
 public:
  int32_t SmfSetDevice(int32_t, int32_t) override { return 0; }
  int32_t SmfLoadFile(const std::filesystem::path& file, int32_t flags) override;
  int32_t SmfPlay(int32_t mode, int32_t from, int32_t to) override;
  int32_t SmfStop() override;
  int32_t SmfFree() override;

 private:
  std::string loaded_;
};

class WebAudio {
 public:
  // The graph runs at `sampleRate`; the sounds of `datDir`.
  WebAudio(const std::filesystem::path& datDir, int32_t sampleRate);
  ~WebAudio();
  WebAudio(const WebAudio&) = delete;
  WebAudio& operator=(const WebAudio&) = delete;

  void PlayWave(int32_t channel, std::string_view file);
  void PlayMusic(std::string_view file, int32_t formActive);
  void PlayMidi(std::string_view file);
  // The page's end notice; the music's file name when it played to its end and is still the
  // current music (the game's mid_pNotify then runs).
  std::optional<std::string> MusicEnded(uint32_t token, bool natural);
  // Keeps the effects flowing (every animation frame).
  void Pump();
  // `frames` frames of the effects for the graph, as 32-bit float left and right.
  void Render(float* left, float* right, int32_t frames);

 private:
  int32_t rate_;
  sound::StreamDevice waves_;
  PageMusic music_;
  PageMidi midi_;
  sound::SoundSystem sound_;
  std::vector<int16_t> scratch_;
};

}  // namespace qv::web
