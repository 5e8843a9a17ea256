#pragma once
// Where an installed or portable copy of the game finds its data and keeps the player's files:
// the read-only cg/ and dat/, the save and the record, the settings and the screenshots.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/game.h"
#include "files/status.h"

namespace qv::platform {

// $XDG_DATA_HOME/qv, or ~/.local/share/qv; empty when neither variable names a folder.
std::filesystem::path UserDataDir();
// $XDG_CONFIG_HOME/qv, or ~/.config/qv; empty when neither variable names a folder.
std::filesystem::path UserConfigDir();
// The settings file qv.ini in UserConfigDir(); empty when there is no such folder.
std::filesystem::path DefaultSettingsFile();

// The desktop's picture folder: $XDG_PICTURES_DIR, else the one named in
// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config/user-dirs.dirs); empty when neither names one.
std::filesystem::path PicturesDir();
// XDG_PICTURES_DIR from the text of a user-dirs.dirs file ("$HOME/…" or an absolute path);
// empty when it is absent, relative or malformed.
std::filesystem::path PicturesDirFromUserDirs(std::string_view text,
                                              const std::filesystem::path& home);

// The folder holding cg/ and dat/: the program's own folder (the build tree and portable
// copies), else ../share/qv beside an installed program's bin/ folder.
std::filesystem::path GameDataRoot(const std::filesystem::path& programDir);

// True when files can be created in `dir` (it exists and is writable for us).
bool IsWritableDir(const std::filesystem::path& dir);

struct DesktopPaths {
  Paths paths;
  bool portable = false;  // the save and the record stay beside the program
};

// The game's folders. The save and the record go to `dataDir` when given; beside the program
// when its folders are writable; otherwise to UserDataDir(), created on the first run. Fails
// when no folder for the save can be made.
Result<DesktopPaths> ResolveDesktopPaths(const std::filesystem::path& programDir,
                                         const std::string& dataDir);

}  // namespace qv::platform
