#pragma once
// smfplay over FluidSynth: one synthesiser made once with a General MIDI soundfont; the loaded
// tune's player is rendered into the shared audio stream by the audio thread.
//
// The synthesiser and the soundfont's tables are made on a thread of their own, so the window
// shows and answers meanwhile, and the soundfont's samples are read only for the instruments a
// tune plays (FluidSynth's dynamic sample loading): the game's one tune needs a few of them,
// not the whole General MIDI set. They are read and pinned when the tune is loaded, on the
// game's thread, so the audio thread never waits for the disk.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <thread>
#include <vector>

#include "sound/midi_check.h"
#include "sound/sound_system.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace qv::sdl {

// Debian's default General MIDI soundfont (the default-GM alternative).
inline constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
// The synthesiser's output gain: FluidSynth's own default (0.2) leaves the game-over tune
// about 13 LU below the MP3 music; this plays it as loud as the battle tune.
inline constexpr double kSynthGain = 0.85;
// The largest soundfonts in use are a few hundred megabytes.
inline constexpr size_t kMaxSoundFontBytes = size_t{2} << 30;

class SmfPlayer : public sound::MidiPlayer {
 public:
  SmfPlayer() = default;
  ~SmfPlayer() override;
  SmfPlayer(const SmfPlayer&) = delete;
  SmfPlayer& operator=(const SmfPlayer&) = delete;

  // Starts making the synthesiser at the device's rate on a thread of its own; without the
  // soundfont the tune stays silent.
  void CreateInBackground(const std::filesystem::path& soundFont, int32_t sampleRate);
  // The same, waiting for it; false (and silence) without the soundfont.
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
  // Waits for the thread making the synthesiser; true when there is one.
  bool WaitForSynth();
  void Make(const std::filesystem::path& soundFont, int32_t sampleRate);
  // Reads the samples of the tune's instruments and keeps them.
  void Pin(std::vector<sound::MidiInstrument> instruments);
  void DropPlayer();
  // Stops the audio thread from rendering and waits until it has left Render: the player may
  // then be changed, as FluidSynth's player is not safe to change while it renders.
  void Quiesce();
  void Mix(int16_t* stereo, int32_t frames);

  std::thread maker_;
  // Made by `maker_`, used by the game's thread only once it has joined it.
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  int32_t soundFontId_ = -1;
  std::atomic<bool> cancel_{false};  // Destroy: the maker stops before the soundfont
  bool channelsSet_ = false;         // the channels have their first instruments
  fluid_player_t* player_ = nullptr;
  std::vector<uint8_t> tune_;           // the checked file, alive as long as its player
  std::atomic<bool> sounding_{false};   // the audio thread renders only while a tune plays
  std::atomic<bool> rendering_{false};  // the audio thread is inside Render
};

}  // namespace qv::sdl
