#include <gtest/gtest.h>

#include "battle/rewards.h"
#include "battle/sequencer_fixture.h"

namespace qv {
namespace {

using testing::BattleGame;
using testing::PinRolls;

TEST(LevelUp, OneLevelPerVictoryAndTheSurplusIsLost) {
  BattleGame b;
  Game& g = b.g;
  PinRolls pin(g, RollMode::Highest);
  Combatant& p = g.state.player();
  p.level = 3;
  p.exp = 5000;
  p.maxHp = 30;
  p.maxMp = 10;
  b.RunStep(6);
  EXPECT_EQ(p.level, 4);
  EXPECT_EQ(p.exp, 1);
  EXPECT_EQ(p.maxHp, 33);  // Random(3) + 1 at its highest
  EXPECT_EQ(p.maxMp, 11);  // the new level is even
  EXPECT_EQ(g.state.bp, 1);
  EXPECT_EQ(g.state.score, 100);
  EXPECT_EQ(g.battle.paused, 1);
  EXPECT_EQ(g.battle.phase, 6);
  EXPECT_TRUE(b.Shows("カイのＬＶが上がった!! > 4"));
  EXPECT_TRUE(b.Shows("最大HP +3 > 33"));
  EXPECT_TRUE(b.Shows("最大MP +1 > 11"));
  EXPECT_TRUE(b.Shows("BP +1 > 1"));
  EXPECT_EQ(g.text.lines[0].colourCode, ColourCodeOf("pink"));
}

TEST(LevelUp, ThresholdLevelCapAndMpRules) {
  struct Case {
    int32_t level;
    int32_t exp;
    int32_t maxMp;
    int32_t newLevel;
    int32_t newMaxMp;
  };
  const Case cases[] = {
      {1, 109, 10, 1, 10},                              // one short of level × 10 + 100
      {1, 110, 10, 2, 11},                              // exactly enough
      {2, 130, 10, 3, 10},                              // odd new level: no MP
      {5, 150, 50, 6, 50},                              // MP stops growing at 50
      {98, 1080, 40, 99, 40}, {99, 99999, 40, 99, 40},  // 99 is the last level
  };
  for (const Case& c : cases) {
    BattleGame b;
    Combatant& p = b.g.state.player();
    p.level = c.level;
    p.exp = c.exp;
    p.maxMp = c.maxMp;
    b.RunStep(6);
    EXPECT_EQ(p.level, c.newLevel) << c.level << "/" << c.exp;
    EXPECT_EQ(p.maxMp, c.newMaxMp) << c.level << "/" << c.exp;
    if (c.newLevel == c.level) {
      EXPECT_EQ(p.exp, c.exp);
      EXPECT_EQ(b.g.battle.paused, 0);
      EXPECT_NE(b.g.battle.phase, 6);  // went straight on to the turn end
    }
  }
}

TEST(LevelUp, TraitsComeWithTheirLevels) {
  struct Case {
    int32_t newLevel;
    const char* line;
    int32_t hit;
    int32_t evade;
  };
  const Case cases[] = {
      {25, "特性【オーバーキル】を修得した!!", 10, 0},
      {35, "特性【最大TP +5】を修得した!!", 10, 0},
      {40, "特性【必殺技(踏みつぶすx3)】を修得した!!", 10, 0},
      {45, "特性【命中率 +5】を修得した!!", 15, 0},
      {47, "特性【最大TP +5Ⅱ】を修得した!!", 10, 0},
      {49, "特性【回避率 +5】を修得した!!", 10, 5},
      {50, "特性【連携威力上昇】を修得した!!", 10, 0},
      {60, "特性【連携威力上昇Ⅱ】を修得した!!", 10, 0},
      {46, nullptr, 10, 0},
  };
  for (const Case& c : cases) {
    BattleGame b;
    Combatant& p = b.g.state.player();
    p.level = c.newLevel - 1;
    p.exp = 10000;
    b.RunStep(6);
    ASSERT_EQ(p.level, c.newLevel);
    EXPECT_EQ(p.hitRate, c.hit) << c.newLevel;
    EXPECT_EQ(p.evadeRate, c.evade) << c.newLevel;
    if (c.line) {
      EXPECT_TRUE(b.Shows(c.line)) << c.newLevel;
    } else {
      EXPECT_FALSE(b.Shows("特性")) << c.newLevel;
    }
  }
}

}  // namespace
}  // namespace qv
