#include "files/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "files/file_io.h"

namespace qv::files {
namespace {

int OpenLockFile(const std::filesystem::path& file) {
  constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
  int fd = -1;
  do {
    fd = ::open(file.c_str(), O_RDWR | O_CREAT | kFlags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd >= 0 || (errno != EACCES && errno != EPERM && errno != EROFS && errno != EISDIR)) {
    return fd;
  }
  // Another account's lock file (or a read-only folder that has one): flock needs no write
  // access, and that account's copy locks the same file.
  do {
    fd = ::open(file.c_str(), O_RDONLY | kFlags);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

FolderLock::FolderLock(const std::filesystem::path& folder, LockCall lockCall) : folder_(folder) {
  const std::filesystem::path file = folder / kLockFileName;
  fd_ = OpenLockFile(file);
  if (fd_ < 0) {
    error_ = errno == ELOOP ? kNotRegularFile : errno;  // ELOOP: a link in its place
    return;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    // A folder or a FIFO by that name: locking it would let a look-alike in.
    error_ = S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
    ::close(fd_);
    fd_ = -1;
    return;
  }
  int r = 0;
  do {
    r = lockCall != nullptr ? lockCall(fd_, LOCK_EX | LOCK_NB) : ::flock(fd_, LOCK_EX | LOCK_NB);
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
      error_(other.error_),
      folder_(std::move(other.folder_)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    state_ = std::exchange(other.state_, State::kUnavailable);
    error_ = other.error_;
    folder_ = std::move(other.folder_);
  }
  return *this;
}

Status FolderLock::StillHeld() const {
  if (state_ != State::kHeld || fd_ < 0) return Failure("the save folder's lock is not held");
  struct stat held {};
  struct stat named {};
  if (::fstat(fd_, &held) != 0) return Failure(ErrorText(errno), errno);
  if (::lstat((folder_ / kLockFileName).c_str(), &named) != 0) {
    const int e = errno;
    return Failure(std::string(kLockFileName) + " is gone (" + ErrorText(e) + ")", e);
  }
  if (!S_ISREG(named.st_mode) || named.st_dev != held.st_dev || named.st_ino != held.st_ino) {
    return Failure(std::string(kLockFileName) + " was replaced by another file");
  }
  return {};
}

void FolderLock::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (state_ == State::kHeld) state_ = State::kUnavailable;
}

}  // namespace qv::files
