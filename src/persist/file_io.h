#pragma once
// The thin layer every file the game reads or writes goes through: open, read, write, fsync,
// close, rename and unlink, each able to fail on purpose so the failure paths of the save can
// be exercised. Failures come back as -1 with errno set, like the calls they wrap.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace qv::persist {

// What an injected failure looks like.
enum class Fault {
  kNone,
  kNoSpace,      // ENOSPC
  kIoError,      // EIO
  kAccess,       // EACCES
  kShortWrite,   // a read or write moves only part of the bytes (other calls succeed)
  kInterrupted,  // EINTR
};

// Which call fails: the atCall-th call of the layer (counting from 1), and with persistent
// every call after it as well.
struct FaultPlan {
  Fault fault = Fault::kNone;
  int32_t atCall = 0;
  bool persistent = false;
};

class FileIo {
 public:
  FileIo() = default;
  explicit FileIo(FaultPlan plan) : plan_(plan) {}

  void SetFault(FaultPlan plan) { plan_ = plan; }
  void ClearFault() { plan_ = FaultPlan{}; }
  // How many calls went through the layer so far.
  int32_t calls() const { return calls_; }

  int Open(const std::filesystem::path& path, int flags, mode_t mode = 0);
  ssize_t Read(int fd, void* buffer, size_t size);
  ssize_t Write(int fd, const void* buffer, size_t size);
  int Fsync(int fd);
  // The descriptor is always released, even when a failure is reported.
  int Close(int fd);
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
  int Unlink(const std::filesystem::path& path);

 private:
  // Counts the call; the errno to fail it with, 0 to let it run, -1 for a short transfer.
  int Injected();

  FaultPlan plan_;
  int32_t calls_ = 0;
};

// The outcome of a whole-file operation: 0 or the errno of the step that failed.
struct FileResult {
  int error = 0;
  bool replaced = false;  // the new file is in place (a failure after the rename)
  bool ok() const { return error == 0; }
};

// Replaces target with the bytes through a temporary file beside it (created exclusively,
// written fully, synced, renamed over the target, then the folder synced). On any failure
// before the rename the old file is left as it was and the temporary file is removed.
FileResult WriteFileAtomically(FileIo& io, const std::filesystem::path& target,
                               std::string_view bytes);

// The temporary file WriteFileAtomically uses for target.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// Reads a whole file (at most maxBytes; EFBIG beyond that).
FileResult ReadWholeFile(FileIo& io, const std::filesystem::path& path, std::string& out,
                         size_t maxBytes);

// The system's text for an errno, for messages.
std::string ErrorText(int error);

}  // namespace qv::persist
