#include "files/file_io.h"

#include <fcntl.h>
#include <sys/random.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>

namespace qv::files {

namespace {

// A signal storm must not hang the save; after this many interruptions in a row it fails.
constexpr int kMaxInterruptions = 100;
// As many links as the system itself follows before it calls it a loop.
constexpr int kMaxLinks = 40;
// A backup that cannot be a hard link is copied; no file of ours comes near this.
constexpr size_t kMaxCopiedBackup = size_t{256} << 20;

constexpr int kShortTransfer = -1;
constexpr int kEarlyEndOfFile = -2;

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
    case Fault::kInvalid:
      return EINVAL;
    case Fault::kNotSupported:
      return ENOTSUP;
    case Fault::kShortWrite:
      return kShortTransfer;
    case Fault::kEarlyEnd:
      return kEarlyEndOfFile;
    case Fault::kStop:
    case Fault::kNone:
      break;
  }
  return 0;
}

// fsync answers these where the file system has nothing to flush or cannot: not a failure.
bool SyncNotSupported(int error) {
  return error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP;
}

}  // namespace

int FileIo::Injected() {
  ++calls_;
  if (plan_.fault == Fault::kNone) return 0;
  const bool hit = calls_ == plan_.atCall || (plan_.persistent && calls_ >= plan_.atCall);
  if (!hit) return 0;
  if (plan_.fault == Fault::kStop) {
    raise(SIGSTOP);
    return 0;
  }
  return ErrnoOf(plan_.fault);
}

int FileIo::Open(const std::filesystem::path& path, int flags, mode_t mode) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::open(path.c_str(), flags, mode);
}

int FileIo::Fstat(int fd, struct stat& st) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::fstat(fd, &st);
}

int FileIo::Lstat(const std::filesystem::path& path, struct stat& st) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::lstat(path.c_str(), &st);
}

int FileIo::Readlink(const std::filesystem::path& path, std::string& target) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  char buffer[4096];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  if (n < 0) return -1;
  if (static_cast<size_t>(n) == sizeof buffer) {
    errno = ENAMETOOLONG;
    return -1;
  }
  target.assign(buffer, static_cast<size_t>(n));
  return 0;
}

ssize_t FileIo::Read(int fd, void* buffer, size_t size) {
  const int e = Injected();
  if (e > 0) {
    errno = e;
    return -1;
  }
  if (e == kEarlyEndOfFile) return 0;
  if (e == kShortTransfer && size > 1) size /= 2;
  return ::read(fd, buffer, size);
}

ssize_t FileIo::Write(int fd, const void* buffer, size_t size) {
  const int e = Injected();
  if (e > 0) {
    errno = e;
    return -1;
  }
  if (e == kShortTransfer && size > 1) size /= 2;
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

int FileIo::Link(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::link(from.c_str(), to.c_str());
}

int FileIo::Unlink(const std::filesystem::path& path) {
  if (const int e = Injected(); e > 0) {
    errno = e;
    return -1;
  }
  return ::unlink(path.c_str());
}

namespace {

// Runs a call again while it is interrupted by a signal.
template <class Call>
auto Retry(Call call) {
  auto r = call();
  for (int i = 0; r < 0 && errno == EINTR && i < kMaxInterruptions; ++i) r = call();
  return r;
}

constexpr std::string_view kTemporaryMark = ".tmp";

// Twelve hex digits no other writer will pick: from the kernel's generator, or when that is
// not there, from the process, the clock and the stack.
std::string UniqueSuffix() {
  uint64_t bits = 0;
#if defined(__EMSCRIPTEN__)
  // The browser's C library declares getrandom but does not provide it.
  if (getentropy(&bits, sizeof bits) != 0) {
#else
  if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
#endif
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    bits = (static_cast<uint64_t>(getpid()) << 32) ^ static_cast<uint64_t>(now.tv_nsec) ^
           (static_cast<uint64_t>(now.tv_sec) << 20) ^ reinterpret_cast<uintptr_t>(&now);
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s = "-";
  for (int i = 0; i < 12; ++i) s += kHex[(bits >> (i * 4)) & 15];
  return s;
}

std::filesystem::path NewTemporaryName(const std::filesystem::path& file) {
  std::filesystem::path tmp = file;
  tmp += std::string(kTemporaryMark) + UniqueSuffix();
  return tmp;
}

// A fresh temporary file beside `file`, created exclusively so nothing another writer made
// (a file, a link) is ever written through.
int OpenTemporary(FileIo& io, const std::filesystem::path& file, std::filesystem::path& tmp) {
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int fd = -1;
  for (int attempt = 0; attempt < 8; ++attempt) {
    tmp = NewTemporaryName(file);
    fd = Retry([&] { return io.Open(tmp, flags, 0666); });
    if (fd >= 0 || errno != EEXIST) break;
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

int SyncFile(FileIo& io, int fd) {
  if (Retry([&] { return io.Fsync(fd); }) == 0) return 0;
  return SyncNotSupported(errno) ? 0 : errno;
}

// Makes the rename itself survive a power cut.
int SyncFolder(FileIo& io, const std::filesystem::path& dir) {
  const int fd = Retry([&] { return io.Open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
  if (fd < 0) return errno;
  const int error = SyncFile(io, fd);
  if (io.Close(fd) < 0 && errno != EINTR && error == 0) return errno;
  return error;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  std::filesystem::path dir = file.parent_path();
  return dir.empty() ? std::filesystem::path(".") : dir;
}

// Writes bytes to a fresh temporary file beside `file`, synced and closed; its path in tmp.
int WriteTemporary(FileIo& io, const std::filesystem::path& file, std::string_view bytes,
                   std::filesystem::path& tmp, bool durable = true) {
  int fd = OpenTemporary(io, file, tmp);
  if (fd < 0) return errno;
  int error = WriteAll(io, fd, bytes);
  if (error == 0 && durable) error = SyncFile(io, fd);
  const int closed = io.Close(fd);
  // On Linux an interrupted close has still released the descriptor and kept the data.
  if (error == 0 && closed < 0 && errno != EINTR) error = errno;
  if (error != 0) io.Unlink(tmp);
  return error;
}

// Keeps `file` as its .bak: a second name for the same file where the file system allows it,
// else a copy. Nothing to keep when `file` does not exist.
int KeepBackup(FileIo& io, const std::filesystem::path& file, bool& backedUp) {
  const std::filesystem::path backup = BackupPathFor(file);
  std::filesystem::path tmp;
  int error = EEXIST;
  for (int attempt = 0; attempt < 8 && error == EEXIST; ++attempt) {
    tmp = NewTemporaryName(file);
    error = io.Link(file, tmp) == 0 ? 0 : errno;
  }
  if (error == ENOENT) return 0;
  if (error != 0) {
    // No hard links here (or `file` is not a file): copy it instead, or fail.
    const Result<std::string> old = ReadWholeFile(io, file, kMaxCopiedBackup);
    if (old.code() == ENOENT) return 0;
    if (!old.ok()) return old.code();
    if (const int e = WriteTemporary(io, file, *old, tmp); e != 0) return e;
  }
  if (Retry([&] { return io.Rename(tmp, backup); }) < 0) {
    error = errno;
    io.Unlink(tmp);
    return error;
  }
  backedUp = true;
  return 0;
}

bool IsLink(FileIo& io, const std::filesystem::path& path) {
  struct stat st {};
  return Retry([&] { return io.Lstat(path, st); }) == 0 && S_ISLNK(st.st_mode);
}

// Opens a file for reading without ever waiting on it, and checks what it is.
int OpenRegular(FileIo& io, const std::filesystem::path& path, size_t maxBytes, struct stat& st,
                int& error) {
  const int fd = Retry([&] { return io.Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); });
  if (fd < 0) {
    error = errno;
    if (error == ENOENT && IsLink(io, path)) error = kDanglingLink;
    return -1;
  }
  error = 0;
  if (Retry([&] { return io.Fstat(fd, st); }) < 0) {
    error = errno;
  } else if (S_ISDIR(st.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    error = kNotRegularFile;
  } else if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > maxBytes) {
    error = EFBIG;
  }
  if (error != 0) {
    io.Close(fd);
    return -1;
  }
  return fd;
}

// The failure for an errno or one of our reasons; ok for 0.
Status FromError(int error) {
  if (error == 0) return {};
  return Failure(ErrorText(error), error);
}

}  // namespace

Result<std::filesystem::path> ResolveLinks(FileIo& io, const std::filesystem::path& path) {
  std::filesystem::path p = path;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st {};
    if (Retry([&] { return io.Lstat(p, st); }) < 0) {
      if (errno != ENOENT) return FromError(errno);
      if (hops > 0) return FromError(kDanglingLink);
      return p;  // not there yet: the first save makes it
    }
    if (!S_ISLNK(st.st_mode)) return p;
    std::string text;
    if (Retry([&] { return io.Readlink(p, text); }) < 0) return FromError(errno);
    const std::filesystem::path next(text);
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  return FromError(ELOOP);
}

std::filesystem::path BackupPathFor(const std::filesystem::path& resolved) {
  std::filesystem::path backup = resolved;
  backup += ".bak";
  return backup;
}

Status WriteFileAtomically(FileIo& io, const std::filesystem::path& target, std::string_view bytes,
                           WriteOptions options, Written* written) {
  Written ignored;
  Written& done = written != nullptr ? *written : ignored;
  done = Written{};
  const Result<std::filesystem::path> resolved = ResolveLinks(io, target);
  if (!resolved.ok()) return resolved.status();
  const std::filesystem::path& file = *resolved;
  std::filesystem::path tmp;
  if (const int e = WriteTemporary(io, file, bytes, tmp, options.durable); e != 0) {
    return FromError(e);
  }

  if (options.keepBackup) {
    if (const int e = KeepBackup(io, file, done.backedUp); e != 0) {
      io.Unlink(tmp);
      done.backupFailed = true;
      return FromError(e);
    }
  }
  if (Retry([&] { return io.Rename(tmp, file); }) < 0) {
    const int e = errno;
    io.Unlink(tmp);
    return FromError(e);
  }
  done.replaced = true;
  return FromError(options.durable ? SyncFolder(io, FolderOf(file)) : 0);
}

bool IsTemporaryNameFor(std::string_view name, std::string_view targetName) {
  if (name.size() <= targetName.size() || name.substr(0, targetName.size()) != targetName) {
    return false;
  }
  const std::string_view rest = name.substr(targetName.size());
  if (rest.substr(0, kTemporaryMark.size()) != kTemporaryMark) return false;
  const std::string_view tail = rest.substr(kTemporaryMark.size());
  if (tail.empty()) return true;
  // "-" and the twelve digits UniqueSuffix makes, and nothing more.
  if (tail.size() != 13 || tail.front() != '-') return false;
  return std::all_of(tail.begin() + 1, tail.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::vector<std::filesystem::path> TemporaryFilesFor(const std::filesystem::path& target) {
  FileIo io;
  const Result<std::filesystem::path> resolved = ResolveLinks(io, target);
  const std::filesystem::path file = resolved.ok() ? *resolved : target;
  std::vector<std::filesystem::path> found;
  for (const std::filesystem::path& each : {target, file}) {
    std::error_code ec;
    const std::string name = each.filename().string();
    for (std::filesystem::directory_iterator it(FolderOf(each), ec), end; !ec && it != end;
         it.increment(ec)) {
      const std::filesystem::path& p = it->path();
      if (!IsTemporaryNameFor(p.filename().string(), name)) continue;
      bool seen = false;
      for (const auto& f : found) seen = seen || f == p;
      if (!seen) found.push_back(p);
    }
  }
  return found;
}

void RemoveTemporaryFiles(FileIo& io, const std::filesystem::path& target,
                          const std::filesystem::path& lockedFolder) {
  std::error_code ec;
  const std::filesystem::path folder = FolderOf(target);
  if (!std::filesystem::equivalent(folder, lockedFolder, ec) || ec) return;
  for (const std::filesystem::path& p : TemporaryFilesFor(target)) {
    if (std::filesystem::equivalent(FolderOf(p), folder, ec) && !ec) io.Unlink(p);
  }
}

Status CreateNewFile(FileIo& io, const std::filesystem::path& path, std::string_view bytes) {
  const int fd = Retry(
      [&] { return io.Open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666); });
  if (fd < 0) return FromError(errno);
  int error = WriteAll(io, fd, bytes);
  const int closed = io.Close(fd);
  if (error == 0 && closed < 0 && errno != EINTR) error = errno;
  if (error != 0) io.Unlink(path);
  return FromError(error);
}

Result<std::string> ReadWholeFile(FileIo& io, const std::filesystem::path& path, size_t maxBytes) {
  struct stat st {};
  int error = 0;
  const int fd = OpenRegular(io, path, maxBytes, st, error);
  if (fd < 0) return FromError(error);
  const size_t expected = static_cast<size_t>(st.st_size);
  std::string out;
  out.reserve(expected);
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
  if (error == 0 && out.size() != expected) error = kChangedWhileRead;
  if (error != 0) return FromError(error);
  return out;
}

Result<std::string> ReadFile(const std::filesystem::path& path, size_t maxBytes) {
  FileIo io;
  return ReadWholeFile(io, path, maxBytes);
}

Result<int> OpenRegularFile(const std::filesystem::path& path, size_t maxBytes) {
  FileIo io;
  struct stat st {};
  int error = 0;
  const int fd = OpenRegular(io, path, maxBytes, st, error);
  if (fd < 0) return FromError(error);
  return fd;
}

Status CheckFile(const std::filesystem::path& path, size_t maxBytes) {
  FileIo io;
  struct stat st {};
  int error = 0;
  const int fd = OpenRegular(io, path, maxBytes, st, error);
  if (fd >= 0) io.Close(fd);
  return FromError(error);
}

std::string ErrorText(int error) {
  switch (error) {
    case kNotRegularFile:
      return "not a regular file";
    case kChangedWhileRead:
      return "the file changed while it was read";
    case kDanglingLink:
      return "a symbolic link to a file that does not exist";
    default:
      break;
  }
  char buffer[256];
#if defined(__EMSCRIPTEN__)
  // The browser's C library has the XSI strerror_r, which fills the buffer.
  if (strerror_r(error, buffer, sizeof buffer) != 0) return "error " + std::to_string(error);
  return std::string(buffer);
#else
  // GNU strerror_r: returns the text, which may or may not be in the buffer.
  return std::string(strerror_r(error, buffer, sizeof buffer));
#endif
}

std::string ErrorTextJa(int error) {
  struct Meaning {
    int error;
    const char* text;
  };
  // The reasons a player meets and can act on.
  static constexpr Meaning kMeanings[] = {
      {ENOSPC, "ディスクに空きがありません"},
      {EDQUOT, "使える容量の上限です"},
      {EACCES, "権限がありません"},
      {EPERM, "権限がありません"},
      {EROFS, "書き込めない場所です"},
      {ENOENT, "見つかりません"},
      {EISDIR, "フォルダです"},
      {ENOTDIR, "途中にフォルダではないものがあります"},
      {EFBIG, "大きすぎます"},
      {ELOOP, "リンクが循環しています"},
  };
  switch (error) {
    case kNotRegularFile:
      return "通常のファイルではありません";
    case kChangedWhileRead:
      return "読んでいる間にファイルが変わりました";
    case kDanglingLink:
      return "リンク先のファイルがありません";
    default:
      break;
  }
  for (const Meaning& m : kMeanings) {
    if (m.error == error) return ErrorText(error) + ": " + m.text;
  }
  return ErrorText(error);
}

}  // namespace qv::files
