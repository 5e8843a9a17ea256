#pragma once
// MIXER.INI: the optional settings of the wave mixer, read the way profile files are read
// (sections and keys without regard to case, integer values, missing means the default).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/status.h"

namespace qv::sound {

// One or more settings files; a key in a later file wins over the same key in an earlier one.
class ProfileFile {
 public:
  // Adds the text of one file (CR LF or LF lines, ';' comments).
  void AddText(std::string_view text);
  // Adds a file if it exists. A file that cannot be used (not a regular file, over 64 KiB,
  // unreadable) is left out, and the failure names it.
  Status AddFile(const std::filesystem::path& file);
  // The value of a key, or nothing when no file has it.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // The key's leading integer (clamped to 32 bits); `fallback` when missing or not a number.
  int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) const;

 private:
  struct Entry {
    std::string section, key, value;  // section and key in lower case
  };
  std::vector<Entry> entries_;
};

// What the mixer takes from the settings for one device.
struct MixerSettings {
  int32_t debug = 0;              // read, no effect
  int32_t waveOutDevice = 0;      // device number as written; -1 after the check for the default
  int32_t remix = 1;              // 0: a new sound waits for the blocks already mixed
  int32_t goodWavePos = 0;        // read, no effect: the device's position is exact
  int32_t waveBlocks = 3;         // 2..6
  int32_t waveBlockLen = 2048;    // 512..4096
  int32_t samplesPerSec = 11025;  // 11025, 22050 or 44100
  bool notCompatible = false;     // the device is refused
};

// The settings for the device named `deviceName`, with `deviceCount` devices present.
MixerSettings ReadMixerSettings(const ProfileFile& ini, std::string_view deviceName,
                                int32_t deviceCount);

}  // namespace qv::sound
