// The action timeline: announcement, costs, history, script steps, the end of the action and
// its use-count milestones.
#include "battle/action.h"

#include <gtest/gtest.h>

#include "battle/action_fixture.h"
#include "core/text_lines.h"

namespace qv {
namespace {

using testing::Duel;
using testing::PinRolls;

// Starts a skill as the choice does (the player's announces on the next tick).
void Choose(Duel& d, int side, int32_t skill) {
  d.g.battle.turnSide = side;
  d.g.battle.actionSkill = skill;
  d.g.battle.actionTimer = side == 0 ? d.g.battle.battleSpeed - 1 : 1;
}

// Ticks the action until it ends; the number of ticks it took.
int Play(Duel& d) {
  int ticks = 0;
  while (d.g.battle.actionTimer > 0 && ticks < 500) {
    battle::StepAction(d.g);
    ++ticks;
  }
  return ticks;
}

TEST(StepAction, AnnouncesPaysRemembersAndFiresTheScriptOneSpeedLater) {
  Duel d;
  d.g.state.skillLevel[9] = 1;
  d.hero.st_sureHit = 1;
  d.g.battle.playerHistory = {4, 3, 2, 1, 0, 7};
  Choose(d, 0, 9);  // ほのお, 1 MP
  battle::StepAction(d.g);
  EXPECT_EQ(d.Line(), Sjis("＞ほのお"));
  EXPECT_EQ(d.g.state.skillUses[9], 1);
  EXPECT_EQ(d.hero.mp, 49);
  EXPECT_EQ(d.g.battle.playerHistory, (std::array<int32_t, 6>{9, 4, 3, 2, 1, 0}));
  for (int i = 0; i < 8; ++i) battle::StepAction(d.g);
  EXPECT_EQ(d.foe.hp, 200);  // the blow falls one battle-speed after the announcement
  battle::StepAction(d.g);
  EXPECT_LT(d.foe.hp, 200);
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  EXPECT_EQ(d.g.battle.phaseDelay, 8);
}

TEST(StepAction, EnemyWaitsABattleSpeedAndPaysWithoutTheHerosCloak) {
  Duel d;
  d.WearPlain(&Combatant::armor, "次元のマント");
  Choose(d, 1, 45);  // SAYONARAの風, 40 MP
  for (int i = 0; i < 7; ++i) battle::StepAction(d.g);
  EXPECT_EQ(d.foe.mp, 50);
  battle::StepAction(d.g);
  EXPECT_EQ(d.foe.mp, 10);
  EXPECT_EQ(d.g.state.skillUses[45], 0);
  EXPECT_EQ(d.g.battle.enemyHistory[0], 45);

  Choose(d, 0, 45);
  battle::StepAction(d.g);
  EXPECT_EQ(d.hero.mp, 50 - 37);
}

TEST(StepAction, TooLittleMpOrTpEndsTheActionButStillCountsTheUse) {
  Duel d;
  d.hero.mp = 10;
  Choose(d, 0, 45);
  battle::StepAction(d.g);
  EXPECT_EQ(d.Line(), Sjis("MPが足りなかった...."));
  EXPECT_EQ(d.hero.mp, 10);
  EXPECT_EQ(d.g.state.skillUses[45], 1);
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  EXPECT_EQ(d.g.battle.phaseDelay, 8);
  EXPECT_EQ(d.g.battle.playerHistory[0], -1);

  Choose(d, 0, 8);  // でこぴん, 70 TP
  battle::StepAction(d.g);
  EXPECT_EQ(d.Line(), Sjis("TPが足りなかった...."));
}

TEST(StepAction, CombinationsSkipTheAnnouncementWipeTheHistoryAndEndWithoutAScript) {
  Duel d;
  d.g.battle.playerHistory = {14, 14, 1, 2, 3, 4};
  d.g.battle.turnSide = 0;
  d.g.battle.actionSkill = 150;
  d.g.battle.actionTimer = d.g.battle.battleSpeed + 1;
  battle::StepAction(d.g);
  EXPECT_EQ(d.g.battle.playerHistory, (std::array<int32_t, 6>{-1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(Play(d), 7);  // its first step finds no script and ends it
  EXPECT_EQ(d.hero.mp, 50);
  EXPECT_EQ(d.g.battle.phaseDelay, 8);
}

TEST(FinishAction, The99thUseAwardsPointsOnceAndWaitsForAClick) {
  Duel d;
  d.g.state.skillUses[7] = 98;  // パワー, score value 50
  Choose(d, 0, 7);
  Play(d);
  EXPECT_EQ(d.g.text.lines[0].text, Sjis("技『パワー』の発動回数が99回を達成!! > 得点 +60"));
  EXPECT_EQ(d.g.text.lines[0].colourCode, ColourCodeOf("pink2"));
  EXPECT_EQ(d.g.state.score, 60);
  EXPECT_EQ(d.g.battle.paused, 1);
  EXPECT_EQ(d.g.battle.phaseDelay, 0);

  d.g.battle.paused = 0;
  Choose(d, 0, 7);
  Play(d);
  EXPECT_EQ(d.g.state.score, 60);
  EXPECT_EQ(d.g.battle.paused, 0);

  d.g.state.skillUses[7] = 998;  // the enemy's uses are never counted
  d.g.battle.turnSide = 1;
  d.g.battle.actionSkill = 7;
  battle::FinishAction(d.g);
  EXPECT_EQ(d.g.state.score, 60);
}

TEST(StepAction, MrlTurnsIntoAnotherSkillUnannouncedUnpaidAndWithoutAMilestone) {
  Duel d;
  d.g.state.skillUses[0] = 98;
  PinRolls pin(d.g, RollMode::Lowest);  // draws skill 0, 踏みつぶす
  Choose(d, 0, 52);
  battle::StepAction(d.g);
  EXPECT_EQ(d.hero.mp, 50 - 7);
  for (int i = 0; i < 9; ++i) battle::StepAction(d.g);
  EXPECT_TRUE(d.Shows("カイの耳に直接、正体不明の信号が響く!!"));
  for (int i = 0; i < 9; ++i) battle::StepAction(d.g);
  EXPECT_EQ(d.g.battle.actionSkill, 0);
  EXPECT_EQ(d.g.battle.actionTimer, 17);
  EXPECT_EQ(d.g.battle.milestoneShown, 1);
  battle::StepAction(d.g);  // 踏みつぶす strikes at once
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  EXPECT_LT(d.foe.hp, 200);
  EXPECT_EQ(d.g.state.skillUses[0], 98);
  EXPECT_EQ(d.g.battle.milestoneShown, 0);
  EXPECT_EQ(d.g.battle.paused, 0);
  EXPECT_EQ(d.g.battle.playerHistory[0], 52);
}

TEST(StepAction, EscapeWorksOnlyInTheFreeArea) {
  Duel d;
  PinRolls pin(d.g, RollMode::Lowest);
  Choose(d, 0, 22);
  Play(d);
  EXPECT_TRUE(d.Shows("逃亡に失敗した...."));
  EXPECT_EQ(d.g.state.escapeCount, 0);
  EXPECT_EQ(d.g.battle.battleActive, 1);

  d.g.battle.locationId = 1;
  Choose(d, 0, 22);
  Play(d);
  EXPECT_EQ(d.g.state.escapeCount, 1);
  EXPECT_EQ(d.g.battle.battleActive, 0);
  EXPECT_EQ(d.g.battle.actionTimer, 0);
}

}  // namespace
}  // namespace qv
