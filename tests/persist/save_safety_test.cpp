// The player's save survives what a machine and a curious player do to its folder: something
// else where my.dat should be, a link, a file system that cannot sync folders, a failing save
// that must not be taken for a good one, and the reset, which keeps the file it replaces.
#include <gtest/gtest.h>

#include <cerrno>

#include "files/file_io.h"
#include "files/files_fixture.h"
#include "files/folder_lock.h"
#include "persist/save.h"
#include "persist/save_file.h"
#include "persist_test_util.h"

namespace qv {
namespace {

using files::Fault;
using files::FaultPlan;
using files::FileIo;
using testing::Contains;
using testing::Cp;
using testing::ReadBytes;
using testing::RecordFile;
using testing::SaveFile;
using testing::WriteBytes;

// A good save of a player part way through, on disk with the name list.
std::string PrepareSave(testing::TestGame& t) {
  testing::PlayMidGame(t.g());
  testing::WriteNameList(t.g(), kRandomNames);
  const std::string bytes = persist::SaveFileText(t.g().state);
  WriteBytes(SaveFile(t.g()), bytes);
  return bytes;
}

// Nothing but damage inside the file asks for the reset: the reset replaces the file.
void ExpectAdviceWithoutReset(const testing::TestGame& t) {
  ASSERT_EQ(t.host.messages.size(), 1u);
  const std::string& m = t.host.messages[0];
  EXPECT_TRUE(Contains(m, "my.dat")) << Cp932ToUtf8(m);
  EXPECT_FALSE(Contains(m, Cp("初期化"))) << Cp932ToUtf8(m);
  EXPECT_TRUE(Contains(m, Cp("確かめて"))) << Cp932ToUtf8(m);
  EXPECT_EQ(t.game->state.saveDisabled, 1);
}

TEST(SaveSafety, SomethingElseWhereTheSaveShouldBeIsNamedAndKept) {
  alarm(20);  // reading the FIFO must never wait
  for (const auto& c : testing::kHostileCases) {
    if (!testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    testing::TestGame t;
    testing::WriteNameList(t.g(), kRandomNames);
    testing::MakeHostile(SaveFile(t.g()), c.kind);
    persist::LoadGame(t.g());
    ExpectAdviceWithoutReset(t);
    EXPECT_FALSE(std::filesystem::is_regular_file(std::filesystem::symlink_status(SaveFile(t.g()))))
        << "replaced by a new game";
    EXPECT_EQ(t.g().state.eventFlags[0], 0);
  }
  alarm(0);
}

// The name list is the game's own data: whatever stands in its place is named, the save loads
// and the game saves as ever.
TEST(SaveSafety, SomethingElseWhereTheNameListShouldBeIsNamed) {
  alarm(20);
  for (const auto& c : testing::kHostileCases) {
    if (!testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    testing::TestGame t;
    const std::string old = PrepareSave(t);
    testing::MakeHostile(t.g().paths.datDir / "name.dat", c.kind);
    persist::LoadGame(t.g());
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_TRUE(Contains(t.host.messages[0], "name.dat")) << Cp932ToUtf8(t.host.messages[0]);
    EXPECT_EQ(t.g().state.randomNameCount, 0);
    EXPECT_EQ(t.g().state.saveDisabled, 0);
    EXPECT_NE(ReadBytes(SaveFile(t.g())), old);  // the load's save was written
  }
  alarm(0);
}

TEST(SaveSafety, NoPermissionOrTooLargeGetsAdviceAboutThat) {
  {
    testing::TestGame t;
    const std::string old = PrepareSave(t);
    FileIo io(FaultPlan{Fault::kAccess, 1, false});  // opening my.dat
    persist::LoadGame(t.g(), io);
    ExpectAdviceWithoutReset(t);
    EXPECT_TRUE(Contains(t.host.messages[0], Cp("権限")));
    EXPECT_EQ(ReadBytes(SaveFile(t.g())), old);
  }
  {
    testing::TestGame t;
    testing::WriteNameList(t.g(), kRandomNames);
    WriteBytes(SaveFile(t.g()), std::string(persist::kMaxSaveBytes + 1, '1'));
    persist::LoadGame(t.g());
    ExpectAdviceWithoutReset(t);
    EXPECT_TRUE(Contains(t.host.messages[0], Cp("大きすぎます")));
    EXPECT_EQ(std::filesystem::file_size(SaveFile(t.g())), persist::kMaxSaveBytes + 1);
  }
}

TEST(SaveSafety, TheResetKeepsTheFileItReplaces) {
  testing::TestGame t;
  std::string old = PrepareSave(t);
  old[old.find("9876")] = '8';  // money edited: the check value fails
  WriteBytes(SaveFile(t.g()), old);
  persist::LoadGame(t.g());
  ASSERT_EQ(t.g().state.saveDisabled, 1);

  NewGame(t.g());
  t.g().state.saveDisabled = 0;
  const persist::ResetSave r = persist::SaveAfterReset(t.g());
  EXPECT_TRUE(r.saved);
  EXPECT_EQ(r.backup, t.g().paths.saveDir / "my.dat.bak");
  EXPECT_EQ(ReadBytes(r.backup), old);
  EXPECT_EQ(ReadBytes(SaveFile(t.g())), persist::SaveFileText(t.g().state));
  EXPECT_EQ(t.g().state.saveDisabled, 0);

  // No file before: nothing to keep, and no .bak pretends otherwise.
  testing::TestGame first;
  NewGame(first.g());
  EXPECT_TRUE(persist::SaveAfterReset(first.g()).saved);
  EXPECT_TRUE(persist::SaveAfterReset(first.g()).saved);
  testing::TestGame fresh;
  NewGame(fresh.g());
  const persist::ResetSave none = persist::SaveAfterReset(fresh.g());
  EXPECT_TRUE(none.saved);
  EXPECT_TRUE(none.backup.empty());
}

TEST(SaveSafety, AResetThatCannotKeepTheOldFileReplacesNothing) {
  testing::TestGame t;
  testing::WriteNameList(t.g(), kRandomNames);
  std::filesystem::create_directories(SaveFile(t.g()) / "inside");
  persist::LoadGame(t.g());
  t.host.messages.clear();
  NewGame(t.g());
  t.g().state.saveDisabled = 0;
  const persist::ResetSave r = persist::SaveAfterReset(t.g());
  EXPECT_FALSE(r.saved);
  EXPECT_TRUE(std::filesystem::is_directory(SaveFile(t.g()) / "inside"));
  EXPECT_EQ(t.g().state.saveDisabled, 1);  // and no later save tries again without a backup
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(t.host.messages[0], Cp("前の内容はそのまま残っています")));
  EXPECT_FALSE(persist::SaveGame(t.g()));
}

TEST(SaveSafety, ALinkedSaveIsFollowedAndALinkToNothingIsNoNewGame) {
  testing::TestGame t;
  const std::string old = PrepareSave(t);
  const std::filesystem::path elsewhere = t.dir / "elsewhere";
  std::filesystem::create_directories(elsewhere);
  std::filesystem::rename(SaveFile(t.g()), elsewhere / "real.dat");
  std::filesystem::create_symlink("../elsewhere/real.dat", SaveFile(t.g()));
  ASSERT_EQ(ReadBytes(SaveFile(t.g())), old);

  persist::LoadGame(t.g());
  EXPECT_TRUE(t.host.messages.empty());
  EXPECT_EQ(t.g().state.money, 9876);
  t.g().state.money = 5;
  EXPECT_TRUE(persist::SaveGame(t.g()));
  EXPECT_TRUE(std::filesystem::is_symlink(SaveFile(t.g())));
  EXPECT_EQ(ReadBytes(elsewhere / "real.dat"), persist::SaveFileText(t.g().state));

  // The link's target is gone (an unplugged disk, a moved folder).
  std::filesystem::remove(elsewhere / "real.dat");
  testing::TestGame again;
  testing::WriteNameList(again.g(), kRandomNames);
  std::filesystem::create_directories(again.dir / "elsewhere");
  std::filesystem::create_symlink("../elsewhere/real.dat", SaveFile(again.g()));
  persist::LoadGame(again.g());
  ExpectAdviceWithoutReset(again);
  EXPECT_TRUE(Contains(again.host.messages[0], Cp("リンク先")));
  EXPECT_FALSE(std::filesystem::exists(again.dir / "elsewhere" / "real.dat"));
}

TEST(SaveSafety, AFolderThatCannotBeSyncedStillSavesEverything) {
  // One save: my.dat then the record, each 1 lstat, 2 open, 3 write, 4 fsync, 5 close,
  // 6 rename, 7 open the folder, 8 fsync it, 9 close it.
  for (Fault fault : {Fault::kInvalid, Fault::kNotSupported}) {
    for (int32_t at : {4, 8, 13, 17}) {
      SCOPED_TRACE(::testing::Message() << "call " << at);
      testing::TestGame t;
      testing::PlayMidGame(t.g());
      FileIo io(FaultPlan{fault, at, false});
      EXPECT_TRUE(persist::SaveGame(t.g(), io));
      EXPECT_TRUE(t.host.messages.empty()) << Cp932ToUtf8(t.host.messages.front());
      EXPECT_EQ(ReadBytes(SaveFile(t.g())), persist::SaveFileText(t.g().state));
      EXPECT_TRUE(std::filesystem::exists(RecordFile(t.g())));
    }
  }
}

TEST(SaveSafety, SaveGameSaysWhetherTheFileWasWritten) {
  testing::TestGame t;
  testing::PlayMidGame(t.g());
  EXPECT_TRUE(persist::SaveGame(t.g()));
  const std::string saved = ReadBytes(SaveFile(t.g()));

  t.g().state.money = 1;
  FileIo full(FaultPlan{Fault::kNoSpace, 3, false});
  EXPECT_FALSE(persist::SaveGame(t.g(), full));
  EXPECT_EQ(ReadBytes(SaveFile(t.g())), saved);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(t.host.messages[0], Cp("ディスクに空きがありません")));

  // Another copy of the game holds the folder: nothing is written, nothing is said.
  t.host.messages.clear();
  t.g().saveFolderBusy = true;
  EXPECT_FALSE(persist::SaveGame(t.g()));
  EXPECT_EQ(ReadBytes(SaveFile(t.g())), saved);
  EXPECT_TRUE(t.host.messages.empty());
  t.g().saveFolderBusy = false;

  t.g().state.saveDisabled = 1;
  EXPECT_FALSE(persist::SaveGame(t.g()));
  EXPECT_EQ(ReadBytes(SaveFile(t.g())), saved);
}

// The lock file removed under a running copy: a second copy may now lock a new one, so this
// copy writes nothing more and says why; the reset is refused the same way.
TEST(SaveSafety, ALostLockStopsEverySaveAndSaysSo) {
  testing::TestGame t;
  const std::string saved = PrepareSave(t);
  files::FolderLock lock(t.g().paths.saveDir);
  ASSERT_EQ(lock.state(), files::FolderLock::State::kHeld);
  t.g().saveLock = &lock;
  std::filesystem::remove(t.g().paths.saveDir / files::kLockFileName);
  const files::FolderLock second(t.g().paths.saveDir);
  EXPECT_EQ(second.state(), files::FolderLock::State::kHeld);

  t.g().state.money = 1;
  EXPECT_FALSE(persist::SaveGame(t.g()));
  EXPECT_FALSE(persist::SaveAfterReset(t.g()).saved);
  EXPECT_EQ(ReadBytes(SaveFile(t.g())), saved);
  ASSERT_EQ(t.host.messages.size(), 2u);
  for (const std::string& m : t.host.messages) EXPECT_TRUE(Contains(m, "qv.lock")) << m;
  t.g().saveLock = nullptr;
}

// A reset keeps the old save as my.dat.bak; a folder of that name in the way is what the
// player is told of, not my.dat, which stays as it was.
TEST(SaveSafety, AResetBlockedByItsBackupNamesTheBackup) {
  testing::TestGame t;
  const std::string saved = PrepareSave(t);
  std::filesystem::create_directory(SaveFile(t.g()).string() + ".bak");
  EXPECT_FALSE(persist::SaveAfterReset(t.g()).saved);
  EXPECT_EQ(ReadBytes(SaveFile(t.g())), saved);
  ASSERT_EQ(t.host.messages.size(), 1u);
  const std::string& m = t.host.messages[0];
  EXPECT_TRUE(Contains(m, "my.dat.bak")) << Cp932ToUtf8(m);
  EXPECT_FALSE(Contains(m, Cp("my.dat を書き込めません"))) << Cp932ToUtf8(m);
}

TEST(SaveSafety, AnotherCopysTemporaryFilesAreLeftAloneWhileItHoldsTheFolder) {
  testing::TestGame t;
  PrepareSave(t);
  std::filesystem::path theirs = SaveFile(t.g());
  theirs += ".tmp-0123456789ab";
  WriteBytes(theirs, "being written by the other copy");
  t.g().saveFolderBusy = true;
  persist::LoadGame(t.g());
  EXPECT_TRUE(std::filesystem::exists(theirs));
  EXPECT_EQ(t.g().state.money, 9876);
}

}  // namespace
}  // namespace qv
