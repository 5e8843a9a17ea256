#pragma once
// A scratch folder per test, and the hostile things a reader can find where a file should be.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qv::testing {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& tag)
      : path_(std::filesystem::temp_directory_path() /
              ("qv-files-" + tag + "-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadAllBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAllBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// What can stand where a reader expects a regular file.
enum class Hostile { kFifo, kFolder, kDevice, kLinkLoop, kDanglingLink, kShrinking };

// A file that says it is longer than what can be read from it, as a file does that shrinks
// while it is read: the kernel's own attribute files say 4096 bytes and hold a line.
inline constexpr const char* kShrinkingFile = "/sys/kernel/mm/transparent_hugepage/enabled";

struct HostileCase {
  Hostile kind;
  const char* name;
};
inline constexpr HostileCase kHostileCases[] = {
    {Hostile::kFifo, "a FIFO"},
    {Hostile::kFolder, "a folder"},
    {Hostile::kDevice, "a link to /dev/zero"},
    {Hostile::kLinkLoop, "a symbolic link loop"},
    {Hostile::kDanglingLink, "a link to nothing"},
    {Hostile::kShrinking, "a file shorter than its size"},
};

// False where the machine has no such file to stand for a shrinking one.
inline bool CanMake(Hostile kind) {
  struct stat st {};
  return kind != Hostile::kShrinking || (stat(kShrinkingFile, &st) == 0 && st.st_size > 100);
}

// Puts the hostile thing at `path` (whatever was there is removed first).
inline void MakeHostile(const std::filesystem::path& path, Hostile kind) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
  switch (kind) {
    case Hostile::kFifo:
      mkfifo(path.c_str(), 0644);
      break;
    case Hostile::kFolder:
      std::filesystem::create_directories(path);
      break;
    case Hostile::kDevice:
      std::filesystem::create_symlink("/dev/zero", path);
      break;
    case Hostile::kLinkLoop: {
      std::filesystem::path other = path;
      other += ".loop";
      std::filesystem::remove(other, ec);
      std::filesystem::create_symlink(other.filename(), path);
      std::filesystem::create_symlink(path.filename(), other);
      break;
    }
    case Hostile::kDanglingLink:
      std::filesystem::create_symlink(path.filename().string() + ".gone", path);
      break;
    case Hostile::kShrinking:
      std::filesystem::create_symlink(kShrinkingFile, path);
      break;
  }
}

}  // namespace qv::testing
