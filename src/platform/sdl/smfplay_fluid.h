#pragma once
// smfplay over FluidSynth: one synthesiser made once with a General MIDI soundfont; the loaded
// tune's player is rendered into the shared audio stream by the audio thread.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "sound/sound_system.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace qv::sdl {

// Debian's default General MIDI soundfont (the default-GM alternative).
inline constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

class SmfPlayer : public sound::MidiPlayer {
 public:
  SmfPlayer() = default;
  ~SmfPlayer() override;
  SmfPlayer(const SmfPlayer&) = delete;
  SmfPlayer& operator=(const SmfPlayer&) = delete;

  // Makes the synthesiser at the device's rate; false (and silence) without the soundfont.
  bool Create(const std::filesystem::path& soundFont, int32_t sampleRate);
  // Deletes the player and the synthesiser; the audio thread must no longer render.
  void Destroy();

  int32_t SmfSetDevice(int32_t device, int32_t flags) override;
  int32_t SmfLoadFile(const std::filesystem::path& file, int32_t flags) override;
  int32_t SmfPlay(int32_t mode, int32_t from, int32_t to) override;
  int32_t SmfStop() override;
  int32_t SmfFree() override;

  // Audio thread: adds the synthesiser's output to `frames` frames of 16-bit stereo.
  void Render(int16_t* stereo, int32_t frames);

 private:
  void DropPlayer();
  // Stops the audio thread from rendering and waits until it has left Render: the player may
  // then be changed, as FluidSynth's player is not safe to change while it renders.
  void Quiesce();
  void Mix(int16_t* stereo, int32_t frames);

  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  std::vector<uint8_t> tune_;           // the checked file, alive as long as its player
  std::atomic<bool> sounding_{false};   // the audio thread renders only while a tune plays
  std::atomic<bool> rendering_{false};  // the audio thread is inside Render
};

}  // namespace qv::sdl
