#pragma once
// The player's desktop settings, qv.ini: window scale, fullscreen, volumes, mute, the MIDI
// soundfont, where the sound mixer's MIXER.INI is, whether closing asks first, and the language
// of the texts. Plain "key = value" lines; '#' and ';' start comments. A bad value is reported
// with the file, line and key, and the default stays.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/status.h"

namespace qv::platform {

constexpr int32_t kMaxVolume = 100;
constexpr int32_t kVolumeStep = 10;
constexpr int32_t kMaxSettingsScale = 16;

struct Settings {
  int32_t scale = 0;  // 0: the largest that fits the desktop
  bool fullscreen = false;
  int32_t effectsVolume = kMaxVolume;  // 0..100
  int32_t musicVolume = kMaxVolume;    // 0..100
  bool mute = false;
  std::string soundFont;        // empty: the system's General MIDI soundfont
  std::string mixerSettings;    // empty: MIXER.INI beside the program and in the config folder
  bool confirmQuit = true;      // ask before closing the window with progress not yet saved
  std::string language = "ja";  // a catalog's language code; "ja" is the game's own
};

// A language code as catalogs are named: "en", "pt_BR", "sr@latin" (at most 32 letters,
// digits and _ - @ .), never a path.
bool IsLanguageCode(std::string_view s);

// A value from a file or the command line as a message may show it on the terminal: control
// bytes (escape sequences included) and bytes that are not UTF-8 written as \xNN, and a value
// longer than `longest` bytes cut there with its length said.
std::string Printable(std::string_view value, size_t longest = 64);

// Settings from the text of a settings file; each bad line adds a message naming
// `fileName`, the line and the key, and leaves that setting at its default.
Settings ParseSettings(std::string_view text, const std::string& fileName,
                       std::vector<std::string>& messages);

// What a new qv.ini holds: every key with a comment and its default.
std::string DefaultSettingsText();

// Reads `file`; when it does not exist yet, writes DefaultSettingsText there first (folders
// included). Problems go to `messages`; the settings are then the defaults.
Settings LoadSettings(const std::filesystem::path& file, std::vector<std::string>& messages);

// The text of one setting as the file holds it ("2", "yes", a path).
std::string SettingText(const Settings& s, std::string_view key);

// Rewrites the given keys in `file` with their values from `s`, keeping every other line and
// comment; a key the file lacks is added at the end. The file is replaced whole (written
// beside it, then renamed).
Status StoreSettings(const std::filesystem::path& file, const Settings& s,
                     std::span<const std::string_view> keys);

}  // namespace qv::platform
