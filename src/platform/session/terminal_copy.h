#pragma once
// The program's terminal lines, kept for a bug report: everything written to the standard
// error (the game's own lines, the sound and font libraries', SDL's) still reaches the
// terminal, and a copy is held in memory until KeepIn names the file it goes to, then written
// there as it comes. The copy stops at kMaxTerminalCopyBytes.
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace qv::session {

constexpr size_t kMaxTerminalCopyBytes = 256 * 1024;

class TerminalCopy {
 public:
  TerminalCopy() = default;
  TerminalCopy(const TerminalCopy&) = delete;
  TerminalCopy& operator=(const TerminalCopy&) = delete;
  ~TerminalCopy() { Stop(); }

  // Puts a pipe in the place of the standard error and starts the thread that passes it on.
  // False when that cannot be done: the standard error is then left as it was.
  bool Start();
  // Writes what is held to `file` and goes on copying there. False when the file cannot be
  // made (the copy is then dropped; the terminal still gets every line).
  bool KeepIn(const std::filesystem::path& file);
  // Gives the standard error back and waits for the last lines to be passed on. Safe to call
  // twice.
  void Stop();

 private:
  void Pass();
  void Copy(const char* bytes, size_t n);

  int terminal_ = -1;  // the real standard error
  int pipe_ = -1;      // what the program writes arrives here
  std::thread passer_;
  std::mutex mutex_;  // guards what follows, shared with the passing thread
  std::string held_;
  int file_ = -1;
  bool dropped_ = false;
  size_t copied_ = 0;
};

}  // namespace qv::session
