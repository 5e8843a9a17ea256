// Reading only regular files of a sane size, never waiting on one; replacing files atomically
// through links, with a backup when asked, under temporary names no two writers share.
#include "files/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <set>

#include "files/files_fixture.h"

namespace qv {
namespace {

using files::Fault;
using files::FaultPlan;
using files::FileIo;
using testing::Hostile;
using testing::ReadAllBytes;
using testing::ScratchFolder;
using testing::WriteAllBytes;

int ExpectedError(Hostile kind) {
  switch (kind) {
    case Hostile::kFifo:
    case Hostile::kDevice:
      return files::kNotRegularFile;
    case Hostile::kFolder:
      return EISDIR;
    case Hostile::kLinkLoop:
      return ELOOP;
    case Hostile::kDanglingLink:
      return files::kDanglingLink;
    case Hostile::kShrinking:
      return files::kChangedWhileRead;
  }
  return 0;
}

TEST(ReadWholeFile, WhatIsNotARegularFileIsNamedAndNeverWaitedOn) {
  ScratchFolder dir("read");
  alarm(20);  // a reader that blocks on the FIFO fails here instead of hanging the suite
  for (const auto& c : testing::kHostileCases) {
    if (!testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    testing::MakeHostile(dir / "f", c.kind);
    const Result<std::string> r = files::ReadFile(dir / "f", 1 << 20);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.code(), ExpectedError(c.kind)) << r.message();
    // The callers put the reason into their own messages as it stands.
    EXPECT_EQ(r.message(), files::ErrorText(r.code()));
    EXPECT_FALSE(files::ErrorTextJa(r.code()).empty());
    if (c.kind != Hostile::kShrinking) {
      const Status checked = files::CheckFile(dir / "f", 1 << 20);
      EXPECT_EQ(checked.code(), ExpectedError(c.kind));
      EXPECT_EQ(checked.message(), r.message());
    }
  }
  alarm(0);
}

TEST(ReadWholeFile, SizeCapAndAFileThatEndsEarly) {
  ScratchFolder dir("cap");
  WriteAllBytes(dir / "f", std::string(1000, 'x'));
  const Result<std::string> whole = files::ReadFile(dir / "f", 1000);
  ASSERT_TRUE(whole.ok()) << whole.message();
  EXPECT_EQ(whole->size(), 1000u);
  EXPECT_EQ(whole.code(), 0);
  EXPECT_EQ(files::ReadFile(dir / "f", 999).code(), EFBIG);
  EXPECT_EQ(files::CheckFile(dir / "f", 999).code(), EFBIG);
  EXPECT_TRUE(files::CheckFile(dir / "f", 1000).ok());
  WriteAllBytes(dir / "empty", "");
  const Result<std::string> empty = files::ReadFile(dir / "empty", 10);
  EXPECT_TRUE(empty.ok() && empty->empty());
  EXPECT_EQ(files::ReadFile(dir / "missing", 10).code(), ENOENT);

  // Open, ask what it is, then the first read finds the end: the file shrank in between.
  FileIo io(FaultPlan{Fault::kEarlyEnd, 3, false});
  const Result<std::string> shrunk = files::ReadWholeFile(io, dir / "f", 1000);
  EXPECT_FALSE(shrunk.ok());
  EXPECT_EQ(shrunk.code(), files::kChangedWhileRead);
}

TEST(ErrorTexts, TheCommonReasonsAlsoSayWhatTheyMeanInJapanese) {
  for (int e : {ENOSPC, EACCES, EPERM, ENOENT, EISDIR}) {
    const std::string ja = files::ErrorTextJa(e);
    EXPECT_EQ(ja.rfind(files::ErrorText(e), 0), 0u) << ja;  // the system's text stays first
    EXPECT_GT(ja.size(), files::ErrorText(e).size() + 2) << ja;
  }
  EXPECT_EQ(files::ErrorTextJa(EIO), files::ErrorText(EIO));
  EXPECT_EQ(files::ErrorTextJa(files::kNotRegularFile), "通常のファイルではありません");
}

// One call of a small write to an existing file, in order: 1 lstat, 2 open the temporary,
// 3 write, 4 fsync, 5 close, 6 rename, 7 open the folder, 8 fsync it, 9 close it.
constexpr int32_t kFileSyncCall = 4, kRenameCall = 6, kFolderSyncCall = 8;

TEST(WriteFileAtomically, SyncThatIsNotSupportedIsNotAFailure) {
  for (Fault fault : {Fault::kInvalid, Fault::kNotSupported}) {
    for (int32_t at : {kFileSyncCall, kFolderSyncCall}) {
      ScratchFolder dir("sync");
      WriteAllBytes(dir / "f", "old");
      FileIo io(FaultPlan{fault, at, false});
      const Status r = files::WriteFileAtomically(io, dir / "f", "new");
      EXPECT_TRUE(r.ok()) << "call " << at << ": " << r.message();
      EXPECT_EQ(ReadAllBytes(dir / "f"), "new");
    }
  }
  // A real failure of the folder's sync is still told (the file is in place).
  ScratchFolder dir("sync-eio");
  FileIo io(FaultPlan{Fault::kIoError, kFolderSyncCall, false});
  files::Written written;
  const Status r = files::WriteFileAtomically(io, dir / "f", "new", {}, &written);
  EXPECT_EQ(r.code(), EIO);
  EXPECT_EQ(r.message(), files::ErrorText(EIO));
  EXPECT_TRUE(written.replaced);
}

// A file that need not survive a power cut is replaced without a sync: 1 lstat, 2 open,
// 3 write, 4 close, 5 rename, and nothing after; the bytes are the same.
TEST(WriteFileAtomically, AFileThatNeedNotLastIsWrittenWithoutSyncs) {
  ScratchFolder dir("no-sync");
  WriteAllBytes(dir / "f", "old");
  FileIo io;
  files::WriteOptions options;
  options.durable = false;
  ASSERT_TRUE(files::WriteFileAtomically(io, dir / "f", "new", options).ok());
  EXPECT_EQ(ReadAllBytes(dir / "f"), "new");
  EXPECT_EQ(io.calls(), 5);
  FileIo durable;
  ASSERT_TRUE(files::WriteFileAtomically(durable, dir / "f", "newer").ok());
  EXPECT_EQ(durable.calls(), 9);
}

TEST(WriteFileAtomically, ALinkIsFollowedAndStaysALink) {
  ScratchFolder dir("links");
  std::filesystem::create_directories(dir / "real");
  WriteAllBytes(dir / "real" / "save", "old");
  std::filesystem::create_symlink("real/save", dir / "middle");
  std::filesystem::create_symlink(dir / "middle", dir / "save");  // absolute, then relative
  FileIo io;
  EXPECT_TRUE(files::WriteFileAtomically(io, dir / "save", "new").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "save"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "middle"));
  EXPECT_EQ(ReadAllBytes(dir / "real" / "save"), "new");
  EXPECT_TRUE(files::TemporaryFilesFor(dir / "save").empty());

  // A link to nothing is refused and nothing is made where it points.
  std::filesystem::create_symlink("real/gone", dir / "dangling");
  const Status dangling = files::WriteFileAtomically(io, dir / "dangling", "new");
  EXPECT_EQ(dangling.code(), files::kDanglingLink);
  EXPECT_FALSE(std::filesystem::exists(dir / "real" / "gone"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling"));

  testing::MakeHostile(dir / "loop", Hostile::kLinkLoop);
  EXPECT_EQ(files::WriteFileAtomically(io, dir / "loop", "new").code(), ELOOP);
}

TEST(WriteFileAtomically, TheBackupKeepsTheFileItReplaces) {
  ScratchFolder dir("backup");
  FileIo io;
  files::WriteOptions keep;
  keep.keepBackup = true;
  files::Written w;
  Status r = files::WriteFileAtomically(io, dir / "f", "first", keep, &w);
  EXPECT_TRUE(r.ok());
  EXPECT_FALSE(w.backedUp);  // nothing to keep
  EXPECT_FALSE(std::filesystem::exists(dir / "f.bak"));

  r = files::WriteFileAtomically(io, dir / "f", "second", keep, &w);
  EXPECT_TRUE(r.ok() && w.backedUp);
  EXPECT_EQ(ReadAllBytes(dir / "f"), "second");
  EXPECT_EQ(ReadAllBytes(dir / "f.bak"), "first");
  r = files::WriteFileAtomically(io, dir / "f", "third", keep);
  EXPECT_EQ(ReadAllBytes(dir / "f.bak"), "second");  // one rotation

  // Where a second name cannot be made, the old file is copied instead. Calls: 1 lstat,
  // 2..5 the temporary, 6 the link.
  FileIo noLinks(FaultPlan{Fault::kAccess, 6, false});
  r = files::WriteFileAtomically(noLinks, dir / "f", "fourth", keep, &w);
  EXPECT_TRUE(r.ok() && w.backedUp);
  EXPECT_EQ(ReadAllBytes(dir / "f.bak"), "third");
  EXPECT_EQ(ReadAllBytes(dir / "f"), "fourth");
  EXPECT_TRUE(files::TemporaryFilesFor(dir / "f").empty());

  // Through a link the backup is kept beside the file the link leads to.
  std::filesystem::create_symlink("f", dir / "link");
  r = files::WriteFileAtomically(io, dir / "link", "fifth", keep);
  EXPECT_EQ(ReadAllBytes(dir / "f.bak"), "fourth");
  EXPECT_FALSE(std::filesystem::exists(dir / "link.bak"));

  // What cannot be kept is not replaced.
  std::filesystem::create_directories(dir / "folder");
  r = files::WriteFileAtomically(io, dir / "folder", "new", keep, &w);
  EXPECT_EQ(r.code(), EISDIR);
  EXPECT_FALSE(w.replaced);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  EXPECT_TRUE(files::TemporaryFilesFor(dir / "folder").empty());
}

TEST(WriteFileAtomically, TemporaryNamesAreNeverShared) {
  std::set<std::string> seen;
  ScratchFolder dir("names");
  for (int i = 0; i < 50; ++i) {
    // A writer killed after opening its temporary leaves it behind: call 3 is the write.
    const pid_t pid = fork();
    if (pid == 0) {
      FileIo io(FaultPlan{Fault::kStop, 3, false});
      (void)files::WriteFileAtomically(io, dir / "f", "x");  // stopped and killed midway
      _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, WUNTRACED);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  for (const auto& p : files::TemporaryFilesFor(dir / "f")) seen.insert(p.filename().string());
  EXPECT_EQ(seen.size(), 50u);
  EXPECT_TRUE(files::IsTemporaryNameFor("f.tmp", "f"));
  EXPECT_TRUE(files::IsTemporaryNameFor("f.tmp-0123456789ab", "f"));
  EXPECT_FALSE(files::IsTemporaryNameFor("f.tmpl", "f"));
  EXPECT_FALSE(files::IsTemporaryNameFor("g.tmp", "f"));
  // Files of the player's that only look alike are never taken for ours.
  for (const char* theirs : {"f.tmp-1a2b", "f.tmp-mine.txt", "f.tmp-0123456789AB",
                             "f.tmp-0123456789abc", "f.tmp-0123456789a.", "f.tmp-notes"}) {
    EXPECT_FALSE(files::IsTemporaryNameFor(theirs, "f")) << theirs;
  }
  EXPECT_FALSE(files::IsTemporaryNameFor("記録.txt.tmp-notes", "記録.txt"));
  FileIo io;
  // Only in the folder whose lock the caller holds.
  files::RemoveTemporaryFiles(io, dir / "f", dir / "elsewhere");
  EXPECT_EQ(files::TemporaryFilesFor(dir / "f").size(), 50u);
  files::RemoveTemporaryFiles(io, dir / "f", dir.path());
  EXPECT_TRUE(files::TemporaryFilesFor(dir / "f").empty());
}

// A new file (a screenshot) is made only where nothing is, never through a planted link, and
// a disk that fills midway leaves no part of it.
TEST(CreateNewFile, NeverOverAnythingAndNothingLeftOfAFailure) {
  ScratchFolder dir("create");
  FileIo io;
  std::filesystem::create_symlink(dir / "target", dir / "link");
  Status r = files::CreateNewFile(io, dir / "link", "picture");
  EXPECT_EQ(r.code(), EEXIST);
  EXPECT_FALSE(std::filesystem::exists(dir / "target"));
  WriteAllBytes(dir / "taken", "mine");
  EXPECT_EQ(files::CreateNewFile(io, dir / "taken", "picture").code(), EEXIST);
  EXPECT_EQ(testing::ReadAllBytes(dir / "taken"), "mine");

  for (const int32_t at : {2, 3}) {  // the write, the close
    FileIo full(FaultPlan{Fault::kNoSpace, at, false});
    r = files::CreateNewFile(full, dir / "shot.png", std::string(100000, 'p'));
    EXPECT_EQ(r.code(), ENOSPC) << at;
    EXPECT_FALSE(std::filesystem::exists(dir / "shot.png")) << at;
  }
  ASSERT_TRUE(files::CreateNewFile(io, dir / "shot.png", "picture").ok());
  EXPECT_EQ(testing::ReadAllBytes(dir / "shot.png"), "picture");
}

// A save reached through a link: what lies beside the link's end is not in the folder the
// caller holds, and stays, even when it has our temporary form.
TEST(WriteFileAtomically, TemporariesBesideALinksEndAreLeftAlone) {
  ScratchFolder dir("linked");
  std::filesystem::create_directories(dir / "held");
  std::filesystem::create_directories(dir / "theirs");
  WriteAllBytes(dir / "theirs/my.dat", "save");
  std::filesystem::create_symlink(dir / "theirs/my.dat", dir / "held/my.dat");
  WriteAllBytes(dir / "theirs/my.dat.tmp-0123456789ab", "another program's save in progress");
  WriteAllBytes(dir / "held/my.dat.tmp-ba9876543210", "ours");
  FileIo io;
  files::RemoveTemporaryFiles(io, dir / "held/my.dat", dir / "held");
  EXPECT_TRUE(std::filesystem::exists(dir / "theirs/my.dat.tmp-0123456789ab"));
  EXPECT_FALSE(std::filesystem::exists(dir / "held/my.dat.tmp-ba9876543210"));
}

// Two programs replace one file at nearly the same moment: A has written and synced its
// temporary and is about to rename it; B has just created its own. A finishes, B dies. The
// file holds A's bytes whole, never B's empty start.
TEST(WriteFileAtomically, TwoWritersNeverTruncateEachOther) {
  ScratchFolder dir("race");
  WriteAllBytes(dir / "f", "old");
  const std::string bytesA(100000, 'a');
  auto writer = [&](int32_t stopAt, const std::string& bytes) {
    const pid_t pid = fork();
    if (pid == 0) {
      FileIo io(FaultPlan{Fault::kStop, stopAt, false});
      _exit(files::WriteFileAtomically(io, dir / "f", bytes).ok() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, WUNTRACED);
    EXPECT_TRUE(WIFSTOPPED(status));
    return pid;
  };
  const pid_t a = writer(kRenameCall, bytesA);
  const pid_t b = writer(3, std::string(100000, 'b'));  // stopped before its first write
  int status = 0;
  kill(a, SIGCONT);
  waitpid(a, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  kill(b, SIGKILL);
  waitpid(b, &status, 0);
  EXPECT_EQ(ReadAllBytes(dir / "f"), bytesA);
}

}  // namespace
}  // namespace qv
