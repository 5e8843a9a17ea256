#pragma once
// The game's sound on the one SDL2_mixer audio device: effects through our wave mixer, MP3
// music through SDL2_mixer, the MIDI tune through a FluidSynth synthesiser.
//
// How the SDL host wires it:
//   start-up    after SDL_Init: audio.Open({datDir, programDir, soundFont}); then, in FormCreate's
//               place, the Host's PlayWave/PlayMusic/PlayMidi forward here. Open never fails
//               loudly: without an audio device everything stays silent.
//   each loop   audio.Pump(); wait at most audio.MsUntilPump() ms (-1: no limit) besides the tick.
//   events      for every SDL event: if (auto f = audio.MusicEnded(ev)) mid_pNotify(g, *f);
//   shutdown    after FormDestroy and before SDL_Quit: audio.Close().
// All calls come from the game's thread; nothing here calls into the game from the audio thread.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

union SDL_Event;

namespace qv::sdl {

struct AudioOptions {
  std::filesystem::path datDir;      // the game's sounds and music
  std::filesystem::path programDir;  // where MIXER.INI is looked for first
  std::filesystem::path soundFont;   // empty: Debian's default General MIDI soundfont
};

class AudioSystem {
 public:
  AudioSystem();
  ~AudioSystem();  // closes if still open
  AudioSystem(const AudioSystem&) = delete;
  AudioSystem& operator=(const AudioSystem&) = delete;

  // Opens the device (44.1 kHz, 16-bit stereo), the mixer (channels 0 to 4) and smfplay, at
  // the first call that needs them (the first Pump of the loop at the latest).
  void Open(const AudioOptions& options);
  // Stops everything, releases the waves and the synthesiser, closes the device.
  void Close();
  // True when a real device is playing (false: silent).
  bool HasDevice();

  // Host::PlayWave (channel 0..3), Host::PlayMusic (formActive as the game has it), Host::PlayMidi.
  void PlayWave(int32_t channel, std::string_view file);
  void PlayMusic(std::string_view file, int32_t formActive);
  void PlayMidi(std::string_view file);

  // Whether the music that plays loops by itself (the game would start it again at its end):
  // it then joins its end to its start with no gap and reports no end. Turned off while a
  // tune loops, the tune plays to its end once more and then reports it.
  void SetMusicLoops(bool loops);

  // The one MIXER.INI to read instead of those beside the program and in the config folder
  // (empty: those). Call before Open.
  void SetMixerSettingsFile(const std::filesystem::path& file);
  // The player's volumes, 0..100 each; `mute` silences everything. Takes effect at once,
  // also before Open.
  void SetVolume(int32_t effects, int32_t music, bool mute);

  // Keeps the effects flowing; call every loop iteration.
  void Pump();
  // Milliseconds until Pump must run again (-1: nothing pending).
  int32_t MsUntilPump();

  // For the SDL event posted when the music stops: the music's file name when it played to
  // its end and nothing replaced it since (give it to mid_pNotify), otherwise nothing.
  std::optional<std::string> MusicEnded(const SDL_Event& event);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qv::sdl
