#include "files/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace qv::files {

FolderLock::FolderLock(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kLockFileName;
  fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  int r = 0;
  do {
    r = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (r < 0 && errno == EINTR);
  if (r == 0) {
    state_ = State::kHeld;
    return;
  }
  error_ = errno;
  state_ = error_ == EWOULDBLOCK ? State::kBusy : State::kUnavailable;
  ::close(fd_);
  fd_ = -1;
}

FolderLock::~FolderLock() {
  Release();
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      state_(std::exchange(other.state_, State::kUnavailable)),
      error_(other.error_) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    state_ = std::exchange(other.state_, State::kUnavailable);
    error_ = other.error_;
  }
  return *this;
}

void FolderLock::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (state_ == State::kHeld) state_ = State::kUnavailable;
}

}  // namespace qv::files
