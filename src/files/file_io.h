#pragma once
// The thin layer every file the game reads or writes goes through: open, stat, read, write,
// fsync, close, rename, link and unlink, each able to fail on purpose so the failure paths can
// be exercised. Failures come back as -1 with errno set, like the calls they wrap.
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/status.h"

namespace qv::files {

// What an injected failure looks like.
enum class Fault {
  kNone,
  kNoSpace,       // ENOSPC
  kIoError,       // EIO
  kAccess,        // EACCES
  kShortWrite,    // a read or write moves only part of the bytes (other calls succeed)
  kInterrupted,   // EINTR
  kInvalid,       // EINVAL (what some file systems answer to fsync on a folder)
  kNotSupported,  // ENOTSUP
  kEarlyEnd,      // a read finds the end at once, as if the file had just shrunk
  kStop,          // the process stops itself (SIGSTOP) before the call, then carries on
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
  int Fstat(int fd, struct stat& st);
  int Lstat(const std::filesystem::path& path, struct stat& st);
  // The text of a symbolic link.
  int Readlink(const std::filesystem::path& path, std::string& target);
  ssize_t Read(int fd, void* buffer, size_t size);
  ssize_t Write(int fd, const void* buffer, size_t size);
  int Fsync(int fd);
  // The descriptor is always released, even when a failure is reported.
  int Close(int fd);
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
  int Link(const std::filesystem::path& from, const std::filesystem::path& to);
  int Unlink(const std::filesystem::path& path);

 private:
  // Counts the call; the errno to fail it with, 0 to let it run, -1 for a short transfer,
  // -2 for an early end.
  int Injected();

  FaultPlan plan_;
  int32_t calls_ = 0;
};

// Reasons of our own beside the errno values (which are all positive).
inline constexpr int kNotRegularFile = -1;    // a FIFO, a device or a socket
inline constexpr int kChangedWhileRead = -2;  // its size changed under the reader
inline constexpr int kDanglingLink = -3;      // a symbolic link to nothing
// Folders are EISDIR, files over their size cap EFBIG, link loops ELOOP.

// A whole-file operation fails with a Status whose code is the errno or one of the reasons
// above, and whose message is that reason in English (ErrorText).

// How far a write got: a failure may come after the new file is in place.
struct Written {
  bool replaced = false;  // the new file is in place (on a failure: it came after the rename)
  bool backedUp = false;  // the file it replaced was kept as <name>.bak
  // On a failure: it was the backup that could not be made (something in the way of
  // <name>.bak), not the file itself.
  bool backupFailed = false;
};

struct WriteOptions {
  // Keep the file being replaced as <name>.bak beside it (one rotation); when that cannot be
  // done, nothing is replaced.
  bool keepBackup = false;
  // Sync the file and its folder to the disk. Only for files that hold nothing of the player's
  // (a file of defaults written again if it is lost) may this be off: a power cut may then
  // leave the old file or an empty one, never a mix.
  bool durable = true;
};

// Replaces target with the bytes through a temporary file of a name no other writer uses,
// beside it (created exclusively, written fully, synced, renamed over the target, then the
// folder synced). A symbolic link is followed: its target is the file replaced, the link stays.
// A link to nothing is refused (kDanglingLink). On any failure before the rename the old file
// is left as it was and the temporary file is removed.
// `written`, when given, says how far it got, on a failure too.
Status WriteFileAtomically(FileIo& io, const std::filesystem::path& target, std::string_view bytes,
                           WriteOptions options = {}, Written* written = nullptr);

// The file a write to `path` replaces: `path` itself, or where its chain of links ends.
// kDanglingLink when a link leads nowhere; ELOOP after 40 links.
Result<std::filesystem::path> ResolveLinks(FileIo& io, const std::filesystem::path& path);

// The backup WriteOptions::keepBackup keeps for a file (after following its links).
std::filesystem::path BackupPathFor(const std::filesystem::path& resolved);

// True when `name` is a temporary file WriteFileAtomically makes for a target named
// `targetName`: the name, ".tmp-" and exactly its twelve hex digits (or the single fixed
// name ".tmp" older versions of the game used). Nothing else the player keeps there.
bool IsTemporaryNameFor(std::string_view name, std::string_view targetName);
// The temporary files of target (after following its links) that are there now.
std::vector<std::filesystem::path> TemporaryFilesFor(const std::filesystem::path& target);
// Removes those beside `target` itself when it lies in `lockedFolder`, the folder whose lock
// the caller holds: only there can no other writer be at work. Files beside the end of a
// link elsewhere are left alone.
void RemoveTemporaryFiles(FileIo& io, const std::filesystem::path& target,
                          const std::filesystem::path& lockedFolder);

// Creates `path` as a new file holding `bytes` (a screenshot): never over anything already
// there, a link to nothing included (EEXIST: the caller picks another name), never through a
// link; a file that could not be written whole is removed, so a full disk leaves nothing.
Status CreateNewFile(FileIo& io, const std::filesystem::path& path, std::string_view bytes);

// Reads a whole regular file of at most maxBytes. Never waits: a FIFO, a device or a socket is
// kNotRegularFile, a folder EISDIR, a larger file EFBIG, a file whose size changes while it is
// read kChangedWhileRead.
Result<std::string> ReadWholeFile(FileIo& io, const std::filesystem::path& path, size_t maxBytes);
// The same through the plain layer.
Result<std::string> ReadFile(const std::filesystem::path& path, size_t maxBytes);

// Opens a regular file of at most maxBytes for reading in pieces (the same checks as
// ReadWholeFile): the descriptor, which the caller closes.
Result<int> OpenRegularFile(const std::filesystem::path& path, size_t maxBytes);

// For a file a library opens by its path: whether it is a regular file of at most maxBytes
// (the same reasons as ReadWholeFile), without reading it and without waiting.
Status CheckFile(const std::filesystem::path& path, size_t maxBytes);

// The reason in English: the system's text for an errno, ours for the others.
std::string ErrorText(int error);
// The reason for a Japanese message (UTF-8): the system's text followed by its meaning for the
// common ones ("No space left on device: ディスクに空きがありません"), ours in Japanese.
std::string ErrorTextJa(int error);

}  // namespace qv::files
