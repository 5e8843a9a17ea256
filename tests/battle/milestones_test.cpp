#include <gtest/gtest.h>

#include "battle/sequencer_fixture.h"
#include "core/text_lines.h"
#include "flow/step_machine.h"

namespace qv {
namespace {

using testing::BattleGame;

TEST(Milestones, OnePerClickInTheirOrderThenTheMap) {
  BattleGame b;
  Game& g = b.g;
  g.state.battleCount = 1000;
  g.state.money = 5000;
  g.state.depth = 20;
  g.battle.battleActive = 1;
  b.RunStep(9);
  struct Award {
    int flag;
    const char* line;
    int32_t score;
  };
  const Award awards[] = {
      {2, "戦闘回数が1000回を達成!! > 得点 +1000", 1000},
      {5, "所持金が1000円を達成!! > 得点 +100", 1100},
      {10, "最高距離が10mを達成!! > 得点 +100", 1200},
      {11, "最高距離が20mを達成!! > 得点 +200", 1400},
      {9, "所持金が5000円を達成!! > 得点 +500", 1900},
  };
  for (const Award& a : awards) {
    EXPECT_EQ(g.state.eventFlags[static_cast<size_t>(a.flag)], 1) << a.line;
    EXPECT_EQ(b.Line(0), Sjis(a.line));
    EXPECT_EQ(g.text.lines[0].colourCode, ColourCodeOf("pink2"));
    EXPECT_EQ(g.state.score, a.score);
    EXPECT_EQ(g.battle.paused, 1);
    EXPECT_EQ(g.battle.phase, 8);
    ASSERT_TRUE(ContinueOnClick(g));
  }
  EXPECT_EQ(g.state.eventFlags[12], 0);
  EXPECT_EQ(g.battle.battleActive, 0);
  EXPECT_TRUE(g.form[W::map_box].visible);
}

TEST(Milestones, NeverOnTheEnemysTurn) {
  BattleGame b;
  Game& g = b.g;
  g.state.money = 9999;
  g.state.bp = 30;
  g.battle.turnSide = 1;
  b.RunStep(9);
  EXPECT_EQ(g.state.score, 0);
  for (int32_t flag : {5, 9, 14, 15, 16, 17})
    EXPECT_EQ(g.state.eventFlags[static_cast<size_t>(flag)], 0);
  EXPECT_TRUE(g.form[W::map_box].visible);
}

TEST(Milestones, TheFreeAreaOffersItsCommandsInstead) {
  BattleGame b;
  Game& g = b.g;
  g.battle.locationId = 1;
  g.state.depth = 100;
  b.RunStep(9);
  int clicks = 0;
  while (g.battle.paused == 1 && clicks < 50) {
    ContinueOnClick(g);
    ++clicks;
  }
  EXPECT_EQ(clicks, 6);  // 10, 20, 30, 40, 50 and 100 metres
  for (int32_t flag : {10, 11, 12, 13, 7, 8})
    EXPECT_EQ(g.state.eventFlags[static_cast<size_t>(flag)], 1);
  EXPECT_EQ(g.battle.phase, 9);
  EXPECT_TRUE(g.form[W::com_box].visible);
  EXPECT_EQ(g.form[W::l_btn_com1].caption, Sjis("進む"));
  EXPECT_EQ(g.form[W::l_btn_com2].caption, Sjis("休憩"));
  EXPECT_EQ(g.form[W::l_btn_com3].caption, Sjis("帰る"));
  EXPECT_FALSE(g.form[W::map_box].visible);
}

}  // namespace
}  // namespace qv
