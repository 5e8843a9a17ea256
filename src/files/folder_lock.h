#pragma once
// One writer per save folder: an advisory lock (flock) on a lock file in the folder, held for
// as long as the program runs. The lock file is never removed, so two programs can never
// hold locks on two different files of the same name.
#include <filesystem>

namespace qv::files {

inline constexpr const char* kLockFileName = "qv.lock";

class FolderLock {
 public:
  enum class State {
    kHeld,         // this program is the folder's writer
    kBusy,         // another program holds the folder
    kUnavailable,  // no lock could be taken (a read-only folder, no locks on this file system)
  };

  FolderLock() = default;
  // Tries once, never waits.
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  State state() const { return state_; }
  // The errno behind kUnavailable.
  int error() const { return error_; }
  // Gives the lock up at once (the program's end does the same).
  void Release();

 private:
  int fd_ = -1;
  State state_ = State::kUnavailable;
  int error_ = 0;
};

}  // namespace qv::files
