#include "persist/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qv::persist {

namespace {

// A signal storm must not hang the save; after this many interruptions in a row it fails.
constexpr int kMaxInterruptions = 100;

int ErrnoOf(Fault f) {
  switch (f) {
    case Fault::kNoSpace:
      return ENOSPC;
    case Fault::kIoError:
      return EIO;
    case Fault::kAccess:
      return EACCES;
    case Fault::kInterrupted:
      return EINTR;
    case Fault::kShortWrite:
      return -1;
    case Fault::kNone:
      break;
  }
  return 0;
}

}  // namespace

int FileIo::Injected() {
  ++calls_;
  if (plan_.fault == Fault::kNone) return 0;
  const bool hit = calls_ == plan_.atCall || (plan_.persistent && calls_ >= plan_.atCall);
  return hit ? ErrnoOf(plan_.fault) : 0;
}

int FileIo::Open(const std::filesystem::path& path, int flags, mode_t mode) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::open(path.c_str(), flags, mode);
}

ssize_t FileIo::Read(int fd, void* buffer, size_t size) {
  const int e = Injected();
  if (e > 0) {
    errno = e;
    return -1;
  }
  if (e < 0 && size > 1) size /= 2;
  return ::read(fd, buffer, size);
}

ssize_t FileIo::Write(int fd, const void* buffer, size_t size) {
  const int e = Injected();
  if (e > 0) {
    errno = e;
    return -1;
  }
  if (e < 0 && size > 1) size /= 2;
  return ::write(fd, buffer, size);
}

int FileIo::Fsync(int fd) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::fsync(fd);
}

int FileIo::Close(int fd) {
  const int e = Injected();
  const int r = ::close(fd);
  if (e > 0) {
    errno = e;
    return -1;
  }
  return r;
}

int FileIo::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::rename(from.c_str(), to.c_str());
}

int FileIo::Unlink(const std::filesystem::path& path) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::unlink(path.c_str());
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
  std::filesystem::path tmp = target;
  tmp += ".tmp";
  return tmp;
}

namespace {

// Runs a call again while it is interrupted by a signal.
template <class Call>
auto Retry(Call call) {
  auto r = call();
  for (int i = 0; r < 0 && errno == EINTR && i < kMaxInterruptions; ++i) r = call();
  return r;
}

int OpenTemporary(FileIo& io, const std::filesystem::path& tmp) {
  // Exclusive creation never writes through a file or link someone left under our name.
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int fd = Retry([&] { return io.Open(tmp, flags, 0666); });
  if (fd < 0 && errno == EEXIST) {
    // Only this game writes that name: what is there is left over from an interrupted save.
    io.Unlink(tmp);
    fd = Retry([&] { return io.Open(tmp, flags, 0666); });
  }
  return fd;
}

int WriteAll(FileIo& io, int fd, std::string_view bytes) {
  size_t done = 0;
  int interruptions = 0;
  while (done < bytes.size()) {
    const ssize_t n = io.Write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR && ++interruptions < kMaxInterruptions) continue;
      return errno;
    }
    if (n == 0) return EIO;  // the device took nothing and said nothing
    done += static_cast<size_t>(n);
    interruptions = 0;
  }
  return 0;
}

// Makes the rename itself survive a power cut.
int SyncFolder(FileIo& io, const std::filesystem::path& dir) {
  const int fd = Retry([&] { return io.Open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
  if (fd < 0) return errno;
  int error = 0;
  if (Retry([&] { return io.Fsync(fd); }) < 0) error = errno;
  if (io.Close(fd) < 0 && errno != EINTR && error == 0) error = errno;
  return error;
}

}  // namespace

FileResult WriteFileAtomically(FileIo& io, const std::filesystem::path& target,
                               std::string_view bytes) {
  const std::filesystem::path tmp = TemporaryPathFor(target);
  int fd = OpenTemporary(io, tmp);
  if (fd < 0) return FileResult{errno, false};

  auto fail = [&](int error) {
    if (fd >= 0) io.Close(fd);
    io.Unlink(tmp);
    return FileResult{error, false};
  };
  if (const int e = WriteAll(io, fd, bytes); e != 0) return fail(e);
  if (Retry([&] { return io.Fsync(fd); }) < 0) return fail(errno);
  const int closed = io.Close(fd);
  fd = -1;
  // On Linux an interrupted close has still released the descriptor and kept the data.
  if (closed < 0 && errno != EINTR) return fail(errno);
  if (Retry([&] { return io.Rename(tmp, target); }) < 0) return fail(errno);

  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  if (const int e = SyncFolder(io, dir); e != 0) return FileResult{e, true};
  return FileResult{0, true};
}

FileResult ReadWholeFile(FileIo& io, const std::filesystem::path& path, std::string& out,
                         size_t maxBytes) {
  out.clear();
  const int fd = Retry([&] { return io.Open(path, O_RDONLY | O_CLOEXEC); });
  if (fd < 0) return FileResult{errno, false};
  int error = 0;
  char chunk[65536];
  int interruptions = 0;
  for (;;) {
    const ssize_t n = io.Read(fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR && ++interruptions < kMaxInterruptions) continue;
      error = errno;
      break;
    }
    if (n == 0) break;
    interruptions = 0;
    if (out.size() + static_cast<size_t>(n) > maxBytes) {
      error = EFBIG;
      break;
    }
    out.append(chunk, static_cast<size_t>(n));
  }
  io.Close(fd);
  if (error != 0) out.clear();
  return FileResult{error, false};
}

std::string ErrorText(int error) {
  char buffer[256];
  // GNU strerror_r: returns the text, which may or may not be in the buffer.
  return std::string(strerror_r(error, buffer, sizeof buffer));
}

}  // namespace qv::persist
