#pragma once
// One writer per save folder: an advisory lock (flock) on a lock file in the folder, held for
// as long as the program runs. The lock file is never removed, so two programs can never
// hold locks on two different files of the same name; a program that finds its lock file
// removed or replaced under it stops writing.
#include <sys/types.h>

#include <filesystem>

#include "files/status.h"

namespace qv::files {

inline constexpr const char* kLockFileName = "qv.lock";

class FolderLock {
 public:
  enum class State {
    kHeld,         // this program is the folder's writer
    kBusy,         // another program holds the folder
    kUnavailable,  // no lock could be taken (error() says why)
  };

  // Lets tests stand in for flock (ENOLCK where a file system has no locks).
  using LockCall = int (*)(int fd, int operation);

  FolderLock() = default;
  // Tries once, never waits. A lock file this program may not write (another account's) is
  // locked through a read-only descriptor; what is not a regular file is never locked.
  explicit FolderLock(const std::filesystem::path& folder, LockCall lockCall = nullptr);
  ~FolderLock();
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  State state() const { return state_; }
  // The errno (or the file layer's reason) behind kUnavailable.
  int error() const { return error_; }
  const std::filesystem::path& folder() const { return folder_; }
  // Ok while the lock is held on the file that is the folder's qv.lock now; failed when it
  // was never taken, or the file was removed or replaced (another program may lock that one).
  Status StillHeld() const;
  // Gives the lock up at once (the program's end does the same).
  void Release();

 private:
  int fd_ = -1;
  State state_ = State::kUnavailable;
  int error_ = 0;
  std::filesystem::path folder_;
};

}  // namespace qv::files
