#pragma once
// The game's sound entry points: PlayWave … PlayWave4 on mixer channels 0 to 3, PlayMusic with
// the media player, PlayMidi with smfplay. Knows nothing of the Game: the host passes the window
// state in. Every failure is swallowed here (one line on stderr for each distinct one).
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sound/wave_device.h"

namespace qv::sound {

class SoundMixer;
struct Wave;

// The media player `mid_p`: plays one music file (MP3) at a time.
class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Opens the file and plays it from the start; `token` comes back with its end notice.
  virtual bool Play(const std::filesystem::path& file, uint32_t token) = 0;
  // Stops whatever plays; no end notice counts as a natural end after this.
  virtual void Stop() = 0;
};

// The smfplay library's calls, as the game uses them (results are ignored by the game).
class MidiPlayer {
 public:
  virtual ~MidiPlayer() = default;
  // Selects the output device (-1: the default one).
  virtual int32_t SmfSetDevice(int32_t device, int32_t flags) = 0;
  // Loads a standard MIDI file by path, replacing the one loaded before.
  virtual int32_t SmfLoadFile(const std::filesystem::path& file, int32_t flags) = 0;
  // Starts the loaded file.
  virtual int32_t SmfPlay(int32_t mode, int32_t from, int32_t to) = 0;
  virtual int32_t SmfStop() = 0;
  // Releases everything (the synthesiser stays until its owner goes).
  virtual int32_t SmfFree() = 0;
};

// Silent stand-ins for a machine or a test without music.
class NullMusicPlayer : public MusicPlayer {
 public:
  bool Play(const std::filesystem::path&, uint32_t) override { return false; }
  void Stop() override {}
};
class NullMidiPlayer : public MidiPlayer {
 public:
  int32_t SmfSetDevice(int32_t, int32_t) override { return 0; }
  int32_t SmfLoadFile(const std::filesystem::path&, int32_t) override { return -1; }
  int32_t SmfPlay(int32_t, int32_t, int32_t) override { return -1; }
  int32_t SmfStop() override { return 0; }
  int32_t SmfFree() override { return 0; }
};

struct SoundSystemOptions {
  std::filesystem::path datDir;  // where the game's sounds and music live
  // MIXER.INI files in the order they are read; a later file's keys win.
  std::vector<std::filesystem::path> mixerSettings;
};

class SoundSystem {
 public:
  // Nothing is opened until Start; a null back end means that kind of sound is silent.
  SoundSystem(SoundSystemOptions options, WaveDevice* waves, MusicPlayer* music, MidiPlayer* midi);
  ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // The window's creation: the mixer component (Activated, channels 0 to 4), then
  // SmfSetDevice(-1, 0) before any music.
  void Start();
  // The window's destruction: SmfFree, the five lastWave entries released, the mixer closed.
  void Shutdown();

  // PlayWave (entry 0) … PlayWave4 (entry 3): the file of dat/ on mixer channel `entry`.
  void PlayWave(int32_t entry, std::string_view file);
  // Music by file name; "not" stops it, an empty name keeps it; ignored while the window
  // closes (formActive == -1).
  void PlayMusic(std::string_view file, int32_t formActive);
  // The MIDI tune by file name; "not" or an empty name stops it.
  void PlayMidi(std::string_view file);

  // The media player's end notice (`token` as given to MusicPlayer::Play). Returns the music's
  // file name when it played to its natural end and is still the current music: the caller
  // then runs mid_pNotify with it. Stale notices and deliberate stops give nothing.
  std::optional<std::string> MusicEnded(uint32_t token, bool natural);
  // The file name of the current music ("" when none).
  const std::string& CurrentMusic() const { return music_; }

  // Refills the mixer's finished blocks; the game loop calls it every iteration.
  void Pump();
  // Milliseconds until Pump is next needed to keep the device fed (-1: not needed).
  int32_t MsUntilPump();

  // The wave each entry point opened last (entry 4 is never filled); tests read it.
  const Wave* LastWave(int32_t entry) const;
  // The mixer component, null before Start or when it could not be created.
  SoundMixer* Mixer() { return mixer_.get(); }

 private:
  void Swallow(const std::string& where, const std::string& why);

  SoundSystemOptions options_;
  WaveDevice* waves_;
  MusicPlayer* musicPlayer_;
  MidiPlayer* midi_;
  std::unique_ptr<SoundMixer> mixer_;
  std::array<const Wave*, 5> lastWave_{};
  std::string music_;
  uint32_t musicToken_ = 0;
  bool started_ = false;
  std::set<std::string> logged_;  // failures already written to stderr (debug builds)
};

// MIXER.INI beside the program, then in the user's config folder ($XDG_CONFIG_HOME/qv/, or
// ~/.config/qv/).
std::vector<std::filesystem::path> MixerSettingsFiles(const std::filesystem::path& programDir);

}  // namespace qv::sound
