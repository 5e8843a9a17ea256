// One writer per save folder: the second program to ask is told the folder is busy, at once.
#include "files/folder_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

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

TEST(FolderLock, NoFolderMeansNoLockNotBusy) {
  testing::ScratchFolder dir("nolock");
  const FolderLock lock(dir / "missing");
  EXPECT_EQ(lock.state(), FolderLock::State::kUnavailable);
  EXPECT_EQ(lock.error(), ENOENT);
}

}  // namespace
}  // namespace qv
