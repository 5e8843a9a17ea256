#include "platform/session/terminal_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace qv::session {
namespace {

// Writes all of `n` bytes unless the descriptor fails.
bool WriteAll(int fd, const char* bytes, size_t n) {
  while (n > 0) {
    const ssize_t w = write(fd, bytes, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    bytes += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

}  // namespace

bool TerminalCopy::Start() {
  if (passer_.joinable()) return true;
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  std::fflush(stderr);
  terminal_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
  if (terminal_ < 0 || dup2(ends[1], STDERR_FILENO) < 0) {
    if (terminal_ >= 0) close(terminal_);
    terminal_ = -1;
    close(ends[0]);
    close(ends[1]);
    return false;
  }
  close(ends[1]);
  pipe_ = ends[0];
  passer_ = std::thread([this] { Pass(); });
  return true;
}

void TerminalCopy::Pass() {
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(pipe_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    WriteAll(terminal_, buffer, static_cast<size_t>(n));
    Copy(buffer, static_cast<size_t>(n));
  }
}

void TerminalCopy::Copy(const char* bytes, size_t n) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (dropped_ || copied_ >= kMaxTerminalCopyBytes) return;
  if (n > kMaxTerminalCopyBytes - copied_) n = kMaxTerminalCopyBytes - copied_;
  copied_ += n;
  if (file_ < 0) {
    held_.append(bytes, n);
  } else if (!WriteAll(file_, bytes, n)) {
    dropped_ = true;
  }
}

bool TerminalCopy::KeepIn(const std::filesystem::path& file) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (file_ >= 0 || dropped_) return false;
  // A link planted in the file's place is refused, not followed.
  file_ = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (file_ < 0 || !WriteAll(file_, held_.data(), held_.size())) {
    dropped_ = true;
    held_ = std::string();
    return false;
  }
  held_ = std::string();
  return true;
}

void TerminalCopy::Stop() {
  if (!passer_.joinable()) return;
  std::cerr.flush();
  std::fflush(stderr);
  // The pipe's last writing end closes here, so the passing thread reads to its end.
  dup2(terminal_, STDERR_FILENO);
  passer_.join();
  close(pipe_);
  close(terminal_);
  pipe_ = terminal_ = -1;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (file_ >= 0) close(file_);
  file_ = -1;
}

}  // namespace qv::session
