// What closing the window would lose: the state compared with the last save written.
#include "persist/progress.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qv
