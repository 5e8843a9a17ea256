#include "world/explore.h"

#include <gtest/gtest.h>

#include "battle/sequencer.h"
#include "core/state_ops.h"
#include "core/text_lines.h"
#include "flow/step_machine.h"
#include "world/map_handlers.h"
#include "world/world_fixture.h"

namespace qv {
namespace {

using testing::PinRolls;
using testing::WorldGame;

// A free-area battle just won at depth `depth`: the three commands wait in their box.
void AfterVictory(Game& g, int32_t depth) {
  map_b1MouseDown(g, 0, 0, false);
  g.state.depth = depth;
  g.state.enemy().hp = 0;
  g.battle.phase = 9;
  g.battle.paused = 0;
  ShowCommandBox(g, Sjis("進む"), Sjis("休憩"), Sjis("帰る"), "", "");
}

void Place(Game& g, int frame, const char* setItem) {
  g.state.setSlots[static_cast<size_t>(frame)] = FindItemByName(g.state, Sjis(setItem));
}

TEST(Explore, GoingDeeperRaisesTheRecordAndRollsTheNextEnemy) {
  WorldGame w;
  Game& g = w.g;
  AfterVictory(g, 9);
  g.state.maxDistance = 9;
  const int32_t battles = g.state.battleCount;
  {
    PinRolls pin(g, RollMode::Lowest);
    l_btn_com1MouseDown(g, 0, 0, false);
  }
  EXPECT_FALSE(g.form[W::com_box].visible);
  EXPECT_TRUE(g.text.commandStrings[0].empty());
  EXPECT_EQ(g.state.depth, 10);
  EXPECT_EQ(g.state.maxDistance, 10);
  EXPECT_EQ(g.state.enemy().moneyReward, 15);
  EXPECT_EQ(g.state.enemy().hp, g.state.enemy().maxHp);
  EXPECT_EQ(g.battle.battleActive, 1);
  EXPECT_EQ(g.state.battleCount, battles + 1);
  EXPECT_EQ(w.presenter.backgrounds.back(), "free2.bmp");

  // A record further away stays.
  AfterVictory(g, 3);
  g.state.maxDistance = 20;
  l_btn_com1MouseDown(g, 0, 0, false);
  EXPECT_EQ(g.state.depth, 4);
  EXPECT_EQ(g.state.maxDistance, 20);
}

TEST(Explore, RestCostsAFifthOfMaxMpLessThePlacedSetItems) {
  struct RestCase {
    int32_t maxMp, mp;
    std::vector<const char*> placed;
    int32_t cost;
  };
  const RestCase kCases[] = {
      {4, 4, {}, 1},
      {20, 20, {}, 5},
      {20, 20, {"カーレオの夢", "人工ｶｰﾚｵの安らぎ"}, 3},
      // Never below one, however many are placed.
      {4, 4, {"カーレオの夢", "人工ｶｰﾚｵの夢", "カーレオのMPセーブ"}, 1},
      // Exactly enough MP is enough.
      {20, 5, {}, 5},
  };
  for (const RestCase& c : kCases) {
    WorldGame w;
    Game& g = w.g;
    AfterVictory(g, 3);
    Combatant& p = g.state.player();
    p.maxMp = c.maxMp;
    p.mp = c.mp;
    p.hp = 1;
    for (size_t i = 0; i < c.placed.size(); ++i) Place(g, static_cast<int>(i), c.placed[i]);
    l_btn_com2MouseDown(g, 0, 0, false);
    EXPECT_EQ(p.mp, c.mp - c.cost) << c.maxMp << " with " << c.placed.size();
    EXPECT_GT(p.hp, 1);
    EXPECT_EQ(g.battle.paused, 1);
  }
}

TEST(Explore, RestWithTooLittleMpSpendsNothingAndOffersTheCommandsAgain) {
  WorldGame w;
  Game& g = w.g;
  AfterVictory(g, 3);
  Combatant& p = g.state.player();
  p.maxMp = 20;
  p.mp = 4;
  p.hp = 1;
  l_btn_com2MouseDown(g, 0, 0, false);
  EXPECT_EQ(w.Line(0), Sjis("MPが足りません...."));
  EXPECT_EQ(p.mp, 4);
  EXPECT_EQ(p.hp, 1);
  EXPECT_FALSE(g.form[W::com_box].visible);
  ASSERT_TRUE(ContinueOnClick(g));
  EXPECT_TRUE(g.form[W::com_box].visible);
  EXPECT_EQ(g.text.commandStrings[1], Sjis("休憩"));
}

TEST(Explore, GoingHomeMarksTheAreaVisitedAndShowsTheMap) {
  WorldGame w;
  Game& g = w.g;
  AfterVictory(g, 7);
  // Any other text is no command, and a button pressed twice has none left.
  world::RunExploreCommand(g, Sjis("休"));
  g.text.commandStrings[0].clear();
  l_btn_com1MouseDown(g, 0, 0, false);
  EXPECT_EQ(g.state.depth, 7);
  EXPECT_EQ(g.battle.phase, 9);

  l_btn_com3MouseDown(g, 0, 0, false);
  EXPECT_EQ(g.state.clearCount[1], 1);
  EXPECT_TRUE(w.MapUp());
  EXPECT_EQ(g.state.depth, 0);
  EXPECT_EQ(g.battle.battleActive, 0);
}

}  // namespace
}  // namespace qv
