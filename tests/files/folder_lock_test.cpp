// One writer per save folder: the second program to ask is told the folder is busy, at once.
#include "files/folder_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <vector>

#include "files/file_io.h"
#include "files/files_fixture.h"

namespace qv {
namespace {

using files::FolderLock;

TEST(FolderLock, OneHolderAtATimeAcrossPrograms) {
  testing::ScratchFolder dir("lock");
  {
    FolderLock first(dir.path());
    ASSERT_EQ(first.state(), FolderLock::State::kHeld);
    EXPECT_EQ(FolderLock(dir.path()).state(), FolderLock::State::kBusy);

    const pid_t pid = fork();
    if (pid == 0) _exit(FolderLock(dir.path()).state() == FolderLock::State::kBusy ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "another program got the lock";

    FolderLock moved = std::move(first);
    EXPECT_EQ(moved.state(), FolderLock::State::kHeld);
    EXPECT_EQ(FolderLock(dir.path()).state(), FolderLock::State::kBusy);
  }
  // Given up with its holder; the lock file stays for the next one.
  EXPECT_EQ(FolderLock(dir.path()).state(), FolderLock::State::kHeld);
  EXPECT_TRUE(std::filesystem::exists(dir / files::kLockFileName));
}

// What stands in qv.lock's place, or a file system without locks: no lock is taken (and the
// game asks), never a lock on something a look-alike could share.
TEST(FolderLock, OnlyARegularLockFileIsLocked) {
  testing::ScratchFolder dir("odd");
  const std::filesystem::path file = dir / files::kLockFileName;
  std::filesystem::create_directory(file);
  FolderLock folder(dir.path());
  EXPECT_EQ(folder.state(), FolderLock::State::kUnavailable);
  EXPECT_EQ(folder.error(), EISDIR);
  std::filesystem::remove(file);
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_EQ(FolderLock(dir.path()).error(), files::kNotRegularFile);
  std::filesystem::remove(file);
  std::filesystem::create_symlink(dir / "elsewhere", file);
  EXPECT_EQ(FolderLock(dir.path()).state(), FolderLock::State::kUnavailable);
  std::filesystem::remove(file);

  const FolderLock noLocks(dir.path(), [](int, int) {
    errno = ENOLCK;
    return -1;
  });
  EXPECT_EQ(noLocks.state(), FolderLock::State::kUnavailable);
  EXPECT_EQ(noLocks.error(), ENOLCK);
  EXPECT_FALSE(noLocks.StillHeld().ok());
}

// Another account's lock file (0644, not ours to write) is locked read-only, so two accounts
// sharing a folder still keep to one writer.
TEST(FolderLock, ALockFileWeMayNotWriteIsLockedReadOnly) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
  testing::ScratchFolder dir("theirs");
  const std::filesystem::path file = dir / files::kLockFileName;
  { std::ofstream(file) << ""; }
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  const FolderLock mine(dir.path());
  EXPECT_EQ(mine.state(), FolderLock::State::kHeld);
  EXPECT_EQ(FolderLock(dir.path()).state(), FolderLock::State::kBusy);
}

// Before each save the held lock must still be the folder's qv.lock: removed, renamed,
// replaced by a file, a folder, a FIFO or a link, another copy could lock the new one.
TEST(FolderLock, ALockFileRemovedOrReplacedIsNoLongerHeld) {
  testing::ScratchFolder dir("swap");
  const std::filesystem::path file = dir / files::kLockFileName;
  const std::vector<std::pair<const char*, void (*)(const std::filesystem::path&)>> kSwaps = {
      {"removed", [](const std::filesystem::path& f) { std::filesystem::remove(f); }},
      {"renamed",
       [](const std::filesystem::path& f) { std::filesystem::rename(f, f.string() + ".old"); }},
      {"replaced",
       [](const std::filesystem::path& f) {
         std::ofstream(f.string() + ".new") << "";
         std::filesystem::rename(f.string() + ".new", f);
       }},
      {"a folder",
       [](const std::filesystem::path& f) {
         std::filesystem::remove(f);
         std::filesystem::create_directory(f);
       }},
      {"a FIFO",
       [](const std::filesystem::path& f) {
         std::filesystem::remove(f);
         (void)mkfifo(f.c_str(), 0600);
       }},
      {"a link to itself",
       [](const std::filesystem::path& f) {
         std::filesystem::rename(f, f.string() + ".real");
         std::filesystem::create_symlink(f.string() + ".real", f);
       }},
  };
  for (const auto& [what, swap] : kSwaps) {
    SCOPED_TRACE(what);
    const FolderLock held(dir.path());
    ASSERT_EQ(held.state(), FolderLock::State::kHeld);
    EXPECT_TRUE(held.StillHeld().ok());
    swap(file);
    EXPECT_FALSE(held.StillHeld().ok());
    std::error_code ec;
    for (const char* extra : {"", ".old", ".real"})
      std::filesystem::remove(file.string() + extra, ec);
  }
}

TEST(FolderLock, NoFolderMeansNoLockNotBusy) {
  testing::ScratchFolder dir("nolock");
  const FolderLock lock(dir / "missing");
  EXPECT_EQ(lock.state(), FolderLock::State::kUnavailable);
  EXPECT_EQ(lock.error(), ENOENT);
}

}  // namespace
}  // namespace qv
