#include "flow/startup.h"

#include <gtest/gtest.h>

#include "core/new_game.h"
#include "core/text.h"
#include "support/fake_host.h"

namespace qv {
namespace {

using testing::TestGame;

// A game that has been played a while: values a reset must clear or keep.
void MakePlayed(Game& g) {
  g.state.money = 777;
  g.state.score = 1234;
  g.state.eventFlags[0] = 1;
  g.state.player().tp = 42;
  g.state.player().spirit = 5;
  g.state.player().intellect = 6;
  g.state.speedMode = 2;
  g.state.reserved.reservedText = "keep";
  g.state.reserved.reservedB = 3;
  g.state.reserved.reservedE = 4;
}

TEST(Reset, OnlyYesYesNoResets) {
  struct Case {
    std::vector<bool> answers;
    bool resets;
    size_t questions;
  };
  const Case cases[] = {
      {{true, true, false}, true, 3},
      {{true, true, true}, false, 3},
      {{false}, false, 1},
      {{true, false}, false, 2},
  };
  for (const Case& c : cases) {
    TestGame t;
    Game& g = t.g();
    g.screen.scene = -2;
    MakePlayed(g);
    g.state.saveDisabled = 1;
    t.host.answers.assign(c.answers.begin(), c.answers.end());
    FormKeyDown(g, kKeyF1);
    ASSERT_EQ(t.host.waves.size(), 1u);
    EXPECT_EQ(t.host.waves[0], "0:1.wav");
    EXPECT_EQ(g.state.money, c.resets ? 50 : 777);
    EXPECT_EQ(g.state.saveDisabled, c.resets ? 0 : 1);
    // The questions, and the closing message when the reset happened.
    EXPECT_EQ(t.host.messages.size(), c.questions + (c.resets ? 1 : 0));
    if (c.resets) {
      EXPECT_EQ(t.host.messages.back(), Sjis("初期化完了...."));
    }
    EXPECT_EQ(g.screen.scene, -2);
  }
}

TEST(Reset, F1DoesNothingOffTheCreditScreen) {
  for (int32_t scene : {-1, 0}) {
    TestGame t;
    t.g().screen.scene = scene;
    t.host.answers = {true, true, false};
    FormKeyDown(t.g(), kKeyF1);
    EXPECT_TRUE(t.host.messages.empty());
    EXPECT_TRUE(t.host.waves.empty());
  }
}

TEST(NewGame, SetsNewValuesAndKeepsWhatItShould) {
  TestGame t;
  Game& g = t.g();
  MakePlayed(g);
  g.state.skillLevel[5] = 3;
  g.state.player().weapon = 12;
  g.state.player().st_poison = 2;
  NewGame(g);
  const GameState& s = g.state;
  EXPECT_EQ(s.money, 50);
  EXPECT_EQ(s.score, 0);
  EXPECT_EQ(s.eventFlags[0], 0);
  EXPECT_EQ(s.skillLevel[0], 1);
  EXPECT_EQ(s.skillLevel[22], 1);
  EXPECT_EQ(s.skillLevel[5], 0);
  EXPECT_EQ(s.reserved.reservedV, 10);
  EXPECT_EQ(s.player().name, Sjis("しすみ"));
  EXPECT_EQ(s.player().maxHp, 20);
  EXPECT_EQ(s.player().hp, 20);
  EXPECT_EQ(s.player().mp, 1);
  EXPECT_EQ(s.player().maxTp, 100);
  EXPECT_EQ(s.player().weapon, 0);
  EXPECT_EQ(s.player().reserved99, 99);
  EXPECT_EQ(s.player().reserved20[19], -1);
  EXPECT_EQ(s.player().st_poison, 0);
  // Deliberately kept from the previous game.
  EXPECT_EQ(s.player().tp, 42);
  EXPECT_EQ(s.player().spirit, 5);
  EXPECT_EQ(s.player().intellect, 6);
  EXPECT_EQ(s.speedMode, 2);
  EXPECT_EQ(s.reserved.reservedText, "keep");
  EXPECT_EQ(s.reserved.reservedB, 3);
  EXPECT_EQ(s.reserved.reservedE, 0);
}

TEST(ClickMain, WalksCreditTitleAndIntoPlay) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = -2;
  ClickMain(g, 5, 5, true);  // a right click does nothing
  EXPECT_EQ(g.screen.scene, -2);
  FormKeyDown(g, kKeyEnter);  // Enter is a left click at 0,0
  EXPECT_EQ(g.screen.scene, -1);
  EXPECT_EQ(t.host.music.back(), "title.mp3");
  EXPECT_EQ(t.host.waves.back(), "2:pi.wav");
  ClickMain(g, 100, 100, false);
  EXPECT_EQ(g.screen.scene, 0);
  // No character yet: the creation panel covers the picture.
  EXPECT_TRUE(g.form[W::bp_box].visible);
  EXPECT_EQ(g.form[W::bp_box].rect.left, 0);
  EXPECT_EQ(g.form[W::bp_box].rect.top, 0);
  FormKeyDown(g, kKeyEnter);  // Enter in play does nothing
  EXPECT_EQ(g.screen.scene, 0);
}

TEST(ClickMain, ReturningPlayerGoesToTheMap) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = -1;
  g.state.eventFlags[0] = 1;
  ClickMain(g, 0, 0, false);
  EXPECT_EQ(g.screen.scene, 0);
  EXPECT_FALSE(g.form[W::bp_box].visible);
  EXPECT_TRUE(g.form[W::map_box].visible);
  EXPECT_EQ(t.host.music.back(), "not");
}

TEST(ClickMain, DamagedSaveClosesOnTheCreditScreen) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = -2;
  g.state.saveDisabled = 1;
  ClickMain(g, 0, 0, false);
  EXPECT_TRUE(t.host.closed);
  EXPECT_EQ(g.screen.scene, -2);
}

TEST(ClickMain, GameOverClickReturnsToTheTitle) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  g.battle.gameOver = 1;
  g.state.loadCount = 8;
  g.state.enemy().name = "x";
  g.state.enemy().present = 1;
  ClickMain(g, 0, 0, false);
  EXPECT_EQ(g.screen.scene, -1);
  EXPECT_EQ(g.battle.gameOver, 0);
  // The encounter is cleared (the enemy's numbers wait for the next one to write them).
  EXPECT_TRUE(g.state.enemy().name.empty());
  EXPECT_EQ(g.state.enemy().present, 0);
  EXPECT_EQ(t.host.waves.back(), "2:1.wav");
}

TEST(FormClose, StopsTextOperations) {
  TestGame t;
  FormCreate(t.g());
  EXPECT_EQ(t.g().text.formActive, 1);
  EXPECT_EQ(t.g().screen.scene, -2);
  FormClose(t.g());
  EXPECT_EQ(t.g().text.formActive, -1);
}

}  // namespace
}  // namespace qv
