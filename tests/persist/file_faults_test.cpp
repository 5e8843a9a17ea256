#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/folder_lock.h"
#include "persist/record.h"
#include "persist/save.h"
#include "persist/save_file.h"
#include "persist_test_util.h"

namespace qv {
namespace {

using files::Fault;
using files::FaultPlan;
using files::FileIo;
using testing::Contains;
using testing::ReadBytes;
using testing::RecordFile;
using testing::SaveFile;

// A game with a save and a record on disk, and the bytes a save of the changed state gives.
struct Saved {
  testing::TestGame t;
  std::string oldSave, oldRecord, newSave, newRecord;

  // Memory-backed where the system has it: hundreds of saves with fsync would crawl on disk.
  std::filesystem::path shm;
  files::FolderLock lock;  // as a session holds it: this game is the folder's writer

  Saved() {
    if (std::filesystem::is_directory("/dev/shm")) {
      shm = "/dev/shm" / t.dir.filename();
      std::filesystem::create_directories(shm / "dat");
      t.g().paths.saveDir = t.g().paths.datDir = shm / "dat";
      t.g().paths.recordDir = shm;
    }
    lock = files::FolderLock(t.g().paths.saveDir);
    t.g().saveLock = &lock;
    testing::PlayMidGame(t.g());
    persist::SaveGame(t.g());
    oldSave = ReadBytes(SaveFile(t.g()));
    oldRecord = ReadBytes(RecordFile(t.g()));
    t.g().state.money = 1234;
    t.g().state.loadCount += 1;
    t.g().state.player().level = 34;
    newSave = persist::SaveFileText(t.g().state);
    newRecord = persist::RecordText(t.g().state);
  }
  ~Saved() {
    std::error_code ec;
    if (!shm.empty()) std::filesystem::remove_all(shm, ec);
  }
  bool NoTemporaryFiles() {
    return files::TemporaryFilesFor(SaveFile(t.g())).empty() &&
           files::TemporaryFilesFor(RecordFile(t.g())).empty();
  }
  // Only the held save folder is cleared of what a failed save left: the record lies beside
  // the program, outside it.
  bool NoTemporarySaves() { return files::TemporaryFilesFor(SaveFile(t.g())).empty(); }
};

int32_t CallsOfOneSave() {
  Saved s;
  FileIo io;
  persist::SaveGame(s.t.g(), io);
  return io.calls();
}

TEST(SaveFaults, EveryFailingCallKeepsTheOldFilesAndIsReported) {
  const int32_t calls = CallsOfOneSave();
  ASSERT_EQ(calls % 2, 0);  // my.dat first, then the record, the same steps each
  const std::pair<Fault, int> kFaults[] = {
      {Fault::kNoSpace, ENOSPC}, {Fault::kIoError, EIO}, {Fault::kAccess, EACCES}};
  for (const auto& [fault, error] : kFaults) {
    for (bool persistent : {false, true}) {
      for (int32_t at = 1; at <= calls; ++at) {
        SCOPED_TRACE(::testing::Message() << "errno " << error << " at call " << at
                                          << (persistent ? " for good" : " once"));
        Saved s;
        FileIo io(FaultPlan{fault, at, persistent});
        persist::SaveGame(s.t.g(), io);

        const std::string save = ReadBytes(SaveFile(s.t.g()));
        const std::string record = ReadBytes(RecordFile(s.t.g()));
        EXPECT_TRUE(save == s.oldSave || save == s.newSave);
        EXPECT_TRUE(record == s.oldRecord || record == s.newRecord);
        if (save == s.oldSave) {
          EXPECT_EQ(record, s.oldRecord);  // never ahead of my.dat
        }
        if (at <= calls / 2) {
          EXPECT_EQ(record, s.oldRecord);
        }

        ASSERT_EQ(s.t.host.messages.size(), 1u);
        const std::string& message = s.t.host.messages[0];
        EXPECT_TRUE(Contains(message, files::ErrorText(error))) << Cp932ToUtf8(message);
        EXPECT_TRUE(Contains(message, at <= calls / 2 ? "my.dat" : testing::Cp("記録.txt")))
            << Cp932ToUtf8(message);
        if (!persistent) {
          EXPECT_TRUE(s.NoTemporaryFiles());
        }

        // Once the disk is well again the next save goes through and leaves nothing behind.
        io.ClearFault();
        persist::SaveGame(s.t.g(), io);
        EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(s.t.g())), s.newSave), "");
        EXPECT_EQ(testing::FirstDifference(ReadBytes(RecordFile(s.t.g())), s.newRecord), "");
        EXPECT_EQ(s.t.host.messages.size(), 1u);
        EXPECT_TRUE(s.NoTemporarySaves());
        if (!persistent) EXPECT_TRUE(s.NoTemporaryFiles());
      }
    }
  }
}

TEST(SaveFaults, ShortWritesAndInterruptionsAreCarriedThrough) {
  const int32_t calls = CallsOfOneSave();
  const FaultPlan kPlans[] = {
      {Fault::kShortWrite, 1, true},  // every write moves half of what is asked
      {Fault::kInterrupted, 0, false},
  };
  for (FaultPlan plan : kPlans) {
    for (int32_t at = 1; at <= calls; ++at) {
      if (plan.fault == Fault::kInterrupted) plan.atCall = at;
      SCOPED_TRACE(::testing::Message() << "fault at call " << plan.atCall);
      Saved s;
      FileIo io(plan);
      persist::SaveGame(s.t.g(), io);
      EXPECT_TRUE(s.t.host.messages.empty());
      EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(s.t.g())), s.newSave), "");
      EXPECT_EQ(testing::FirstDifference(ReadBytes(RecordFile(s.t.g())), s.newRecord), "");
      EXPECT_TRUE(s.NoTemporaryFiles());
      if (plan.fault == Fault::kShortWrite) break;
    }
  }
}

TEST(SaveFaults, NeverWritesThroughALinkLeftUnderTheTemporaryName) {
  Saved s;
  const std::filesystem::path victim = s.t.dir / "victim";
  testing::WriteBytes(victim, "keep me");
  // The one temporary name older versions used, and the only one anybody could foresee.
  std::filesystem::path foreseen = SaveFile(s.t.g());
  foreseen += ".tmp";
  std::filesystem::create_symlink(victim, foreseen);
  persist::SaveGame(s.t.g());
  EXPECT_EQ(ReadBytes(victim), "keep me");
  EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(s.t.g())), s.newSave), "");
  EXPECT_TRUE(s.t.host.messages.empty());
}

TEST(SaveFaults, ReadOnlyFolderKeepsTheOldSave) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  Saved s;
  const std::filesystem::path dir = s.t.g().paths.saveDir;
  chmod(dir.c_str(), 0555);
  persist::SaveGame(s.t.g());
  chmod(dir.c_str(), 0755);
  EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(s.t.g())), s.oldSave), "");
  ASSERT_EQ(s.t.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(s.t.host.messages[0], files::ErrorText(EACCES)));
}

}  // namespace
}  // namespace qv
