#include "platform/desktop_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "files/file_io.h"

namespace qv::platform {
namespace {

// An environment variable that names an absolute folder; the XDG rules ignore relative ones.
std::filesystem::path AbsoluteFromEnv(const char* name) {
  const char* v = std::getenv(name);
  if (!v || v[0] != '/') return {};
  return std::filesystem::path(v);
}

std::filesystem::path XdgHome(const char* variable, const char* underHome) {
  if (std::filesystem::path p = AbsoluteFromEnv(variable); !p.empty()) return p;
  if (std::filesystem::path home = AbsoluteFromEnv("HOME"); !home.empty()) return home / underHome;
  return {};
}

bool HasGameData(const std::filesystem::path& root) {
  std::error_code ec;
  return std::filesystem::is_directory(root / "cg", ec) ||
         std::filesystem::is_directory(root / "dat", ec);
}

}  // namespace

std::filesystem::path UserDataDir() {
  const std::filesystem::path base = XdgHome("XDG_DATA_HOME", ".local/share");
  return base.empty() ? base : base / "qv";
}

std::filesystem::path UserConfigDir() {
  const std::filesystem::path base = XdgHome("XDG_CONFIG_HOME", ".config");
  return base.empty() ? base : base / "qv";
}

std::filesystem::path DefaultSettingsFile() {
  const std::filesystem::path dir = UserConfigDir();
  return dir.empty() ? dir : dir / "qv.ini";
}

std::filesystem::path PicturesDirFromUserDirs(std::string_view text,
                                              const std::filesystem::path& home) {
  std::istringstream in{std::string(text)};
  std::string line;
  std::filesystem::path found;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    constexpr std::string_view kKey = "XDG_PICTURES_DIR=";
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0) continue;
    std::string value = line.substr(start + kKey.size());
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME")) {
      if (home.empty()) continue;
      std::string rest = value.substr(5);
      if (!rest.empty() && rest.front() != '/') continue;  // "$HOMEX" is not the home folder
      while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
      found = rest.empty() ? home : home / rest;
    } else if (value.starts_with("/")) {
      found = value;
    }
  }
  return found;
}

std::filesystem::path PicturesDir() {
  if (std::filesystem::path p = AbsoluteFromEnv("XDG_PICTURES_DIR"); !p.empty()) return p;
  const std::filesystem::path config = XdgHome("XDG_CONFIG_HOME", ".config");
  if (config.empty()) return {};
  // Optional, and read only as a regular file of sane size: a FIFO here must not stall F12.
  const Result<std::string> text = files::ReadFile(config / "user-dirs.dirs", size_t{64} << 10);
  if (!text.ok()) return {};
  return PicturesDirFromUserDirs(*text, AbsoluteFromEnv("HOME"));
}

std::filesystem::path GameDataRoot(const std::filesystem::path& programDir) {
  if (HasGameData(programDir)) return programDir;
  std::filesystem::path installed = programDir.parent_path() / "share" / "qv";
  if (HasGameData(installed)) return installed;
  return programDir;  // nothing anywhere: the start-up message names the program's folder
}

bool IsWritableDir(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

Result<DesktopPaths> ResolveDesktopPaths(const std::filesystem::path& programDir,
                                         const std::string& dataDir) {
  DesktopPaths r;
  const std::filesystem::path root = GameDataRoot(programDir);
  r.paths.cgDir = root / "cg";
  r.paths.datDir = root / "dat";
  std::filesystem::path saveDir;
  if (!dataDir.empty()) {
    saveDir = dataDir;
  } else if (root == programDir && IsWritableDir(programDir) &&
             (!std::filesystem::exists(r.paths.datDir) || IsWritableDir(r.paths.datDir))) {
    r.portable = true;
    r.paths.saveDir = r.paths.datDir;
    r.paths.recordDir = programDir;
    std::error_code ec;
    std::filesystem::create_directories(r.paths.saveDir, ec);
    return r;
  } else {
    saveDir = UserDataDir();
    if (saveDir.empty()) {
      return Failure("the program's folder " + programDir.string() +
                     " is read only and neither XDG_DATA_HOME nor HOME names a folder for the"
                     " save; use --data-dir DIR");
    }
  }
  r.paths.saveDir = saveDir;
  r.paths.recordDir = saveDir;
  std::error_code ec;
  std::filesystem::create_directories(saveDir, ec);
  if (!IsWritableDir(saveDir)) {
    return Failure("cannot use " + saveDir.string() + " as the data folder" +
                   (ec ? ": " + ec.message() : std::string(": it is not writable")));
  }
  return r;
}

}  // namespace qv::platform
