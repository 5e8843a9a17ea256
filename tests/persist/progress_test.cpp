// What closing the window would lose: the state compared with the last save written.
#include "persist/progress.h"

#include <gtest/gtest.h>

#include <memory>

#include "persist/save.h"
#include "persist_test_util.h"

namespace qv {
namespace {

using persist::HasUnsavedProgress;

struct Loaded : testing::TestGame {
  Loaded() {
    testing::WriteNameList(g(), 226);
    persist::LoadGame(g());  // a first run: a new game, written at once
  }
};

// Right after a load nothing is unsaved; play moves the state away from the file and the
// next save brings them together again.
TEST(UnsavedProgress, FollowsPlayAndSaves) {
  Loaded t;
  Game& g = t.g();
  EXPECT_FALSE(HasUnsavedProgress(g));
  g.state.money += 1;
  EXPECT_TRUE(HasUnsavedProgress(g));
  persist::SaveGame(g);
  EXPECT_FALSE(HasUnsavedProgress(g));
  g.state.player().hp -= 1;  // a value outside the check value counts too
  EXPECT_TRUE(HasUnsavedProgress(g));
  g.state.player().hp += 1;
  EXPECT_FALSE(HasUnsavedProgress(g));
  g.state.player().name += "x";
  EXPECT_TRUE(HasUnsavedProgress(g));
}

// The load count (lowered again after a game over's reload) and the sequencer's phase move
// without any play: closing loses nothing by them.
TEST(UnsavedProgress, LoadCountAndPhaseAreNotProgress) {
  Loaded t;
  Game& g = t.g();
  g.state.loadCount -= 1;
  g.battle.phase = 33;
  g.state.phaseAtSave = 12;
  EXPECT_FALSE(HasUnsavedProgress(g));
}

// Nothing to ask about while saving is disabled (nothing could be kept) or after a defeat
// (the next click reloads the save by the game's own rule).
TEST(UnsavedProgress, NotWhileSavingIsDisabledOrAfterADefeat) {
  Loaded t;
  Game& g = t.g();
  g.state.money += 500;
  g.battle.gameOver = 1;
  EXPECT_FALSE(HasUnsavedProgress(g));
  g.battle.gameOver = 0;
  g.state.saveDisabled = 1;
  EXPECT_FALSE(HasUnsavedProgress(g));
}

// A save that could not be written leaves the progress unsaved.
TEST(UnsavedProgress, AFailedSaveKeepsItUnsaved) {
  Loaded t;
  Game& g = t.g();
  g.state.money += 7;
  files::FileIo failing({files::Fault::kNoSpace, 1, true});
  persist::SaveGame(g, failing);
  EXPECT_FALSE(t.host.messages.empty());
  EXPECT_TRUE(HasUnsavedProgress(g));
}

// No save of this run has been written: a disk full from the start, or a copy that plays
// without saving. Whatever is won is unsaved, first character included.
TEST(UnsavedProgress, NothingCountsAsSavedUntilASaveOfThisRunIsWritten) {
  for (const bool fullDisk : {true, false}) {
    SCOPED_TRACE(fullDisk ? "a full disk" : "another copy holds the folder");
    // The disk fills from the first call of the load's save on: the files are read, and
    // nothing is written.
    std::unique_ptr<testing::TestGame> t;
    for (int32_t firstWrite = 1; firstWrite < 100 && fullDisk; ++firstWrite) {
      t = std::make_unique<testing::TestGame>();
      testing::WriteNameList(t->g(), 226);
      files::FileIo full({files::Fault::kNoSpace, firstWrite, true});
      persist::LoadGame(t->g(), full);
      if (t->g().state.saveDisabled == 0 && t->g().state.randomNameCount == 226) break;
    }
    if (!fullDisk) {
      t = std::make_unique<testing::TestGame>();
      testing::WriteNameList(t->g(), 226);
      t->g().saveFolderBusy = true;
      persist::LoadGame(t->g());
    }
    Game& g = t->g();
    ASSERT_EQ(g.state.saveDisabled, 0);
    EXPECT_FALSE(std::filesystem::exists(testing::SaveFile(g)));
    EXPECT_FALSE(HasUnsavedProgress(g));  // nothing played yet
    g.state.eventFlags[0] = 1;            // a character made
    g.state.money += 100;                 // a battle won
    EXPECT_TRUE(HasUnsavedProgress(g));
    files::FileIo stillFull({files::Fault::kNoSpace, 1, true});
    persist::SaveGame(g, stillFull);
    EXPECT_TRUE(HasUnsavedProgress(g));
  }
}

}  // namespace
}  // namespace qv
