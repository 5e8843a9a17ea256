#include "battle/sequencer.h"

#include <gtest/gtest.h>

#include "battle/rewards.h"
#include "battle/sequencer_fixture.h"
#include "battle/sequencer_steps.h"
#include "core/text_lines.h"
#include "flow/startup.h"
#include "flow/step_machine.h"
#include "flow/tick.h"

namespace qv {
namespace {

using testing::BattleGame;
using testing::PinRolls;

TEST(Dialogue, EachLineWaitsForAClickAndTheClickAfterTheLastOpensTheBattle) {
  BattleGame b;
  Game& g = b.g;
  g.battle.dialogueLines[0] = Sjis("おまえは誰だ");
  g.battle.dialogueLines[1] = Sjis("……行くぞ");
  battle::StartBattle(g);
  EXPECT_EQ(b.t.host.music.front(), "not");
  EXPECT_EQ(g.battle.battleActive, 1);
  EXPECT_EQ(b.Line(0), Sjis("おまえは誰だ"));
  EXPECT_EQ(g.battle.paused, 1);

  // A step asked for while a line waits is dropped, not queued.
  AdvanceBattlePhase(g);
  EXPECT_EQ(b.Line(0), Sjis("おまえは誰だ"));

  ASSERT_TRUE(ContinueOnClick(g));
  EXPECT_EQ(b.Line(0), Sjis("……行くぞ"));
  EXPECT_EQ(g.battle.phase, -1);
  EXPECT_EQ(g.state.battleCount, 0);
  EXPECT_TRUE(g.battle.dialogueLines[0].empty());
  EXPECT_TRUE(g.battle.dialogueLines[1].empty());

  ASSERT_TRUE(ContinueOnClick(g));
  EXPECT_EQ(g.battle.phase, 0);
  EXPECT_EQ(g.state.battleCount, 1);
  EXPECT_EQ(b.Line(0), Sjis("スライムが襲ってきた!! "));
  EXPECT_TRUE(b.Played("0:combo5.wav"));
  EXPECT_EQ(b.t.host.music.back(), "battle.mp3");
  EXPECT_EQ(g.battle.phaseDelay, 8);
  EXPECT_TRUE(g.battle.turnSide == 0 || g.battle.turnSide == 1);
}

TEST(Dialogue, StoryChapterEndsOnTheMapAndAFullQueueStaysInBounds) {
  BattleGame b;
  Game& g = b.g;
  g.battle.storyMode = 1;
  g.battle.phase = -1;
  g.battle.dialogueLines[0] = Sjis("島が語る");
  g.battle.dialogueLines[1] = " ";
  AdvanceBattlePhase(g);
  EXPECT_EQ(b.Line(0), Sjis("島が語る"));
  ContinueOnClick(g);
  EXPECT_EQ(g.battle.storyMode, 0);
  EXPECT_EQ(g.battle.paused, 0);
  EXPECT_TRUE(g.form[W::map_box].visible);

  // Every one of the hundred slots filled: the last is shown and the queue ends there.
  for (auto& line : g.battle.dialogueLines) line = "x";
  g.battle.phase = 98;
  AdvanceBattlePhase(g);
  EXPECT_EQ(g.battle.phase, -1);
  EXPECT_EQ(g.battle.paused, 1);
}

TEST(Dialogue, UnknownStepsDoNothing) {
  BattleGame b;
  for (int32_t step : {11, 12, 13, 14, 17, 99, 12345, -7}) {
    b.RunStep(step);
    EXPECT_EQ(b.g.battle.phase, step);
    EXPECT_EQ(b.g.battle.phaseDelay, 0);
    EXPECT_EQ(b.g.battle.paused, 0);
  }
}

TEST(Opening, NamesTheDepthInTheFreeAreaWithoutTheEncounterFanfare) {
  BattleGame b;
  b.g.battle.locationId = 1;
  b.g.state.depth = 12;
  b.RunStep(0);
  EXPECT_EQ(b.Line(0), Sjis("スライムが襲ってきた!! (12m地点)"));
  EXPECT_TRUE(b.t.host.music.empty());
  EXPECT_FALSE(b.Played("0:combo5.wav"));
}

TEST(TurnStart, EnemyTurnsAreCountedAndRegainMpByKind) {
  struct Case {
    int32_t kind;
    const char* name;
    int32_t location;
    int32_t mp;
  };
  const Case cases[] = {
      {0, "スライム", 2, 0}, {1, "スライム", 2, 3}, {2, "スライム", 2, 14},
      {0, "光", 5, 1},       {0, "光", 6, 0},       {2, "光", 5, 15},
  };
  for (const Case& c : cases) {
    BattleGame b;
    Combatant& e = b.g.state.enemy();
    e.name = Sjis(c.name);
    e.mpRegenKind = c.kind;
    e.maxMp = 40;
    e.mp = 0;
    b.g.battle.locationId = c.location;
    b.g.battle.turnSide = 1;
    b.RunStep(1);
    EXPECT_EQ(e.mp, c.mp) << c.name << " kind " << c.kind;
    EXPECT_EQ(b.g.battle.roundCount, 1);
    EXPECT_EQ(b.Line(0), e.name + Sjis("のターン"));
    EXPECT_EQ(b.Line(1), "");
    EXPECT_EQ(b.g.battle.phaseDelay, 1);
  }
  BattleGame b;
  b.g.battle.turnSide = 0;
  b.RunStep(1);
  EXPECT_EQ(b.g.battle.roundCount, 0);
  EXPECT_EQ(b.Line(0), Sjis("カイのターン"));
}

TEST(CanMove, ParalysisCostsTheTurnOnlyOnALostToss) {
  {
    BattleGame b;
    PinRolls pin(b.g, RollMode::Lowest);  // the toss is lost
    b.g.state.player().st_paralysis = 2;
    b.RunStep(2);
    EXPECT_EQ(b.g.state.player().st_paralysis, 1);
    EXPECT_EQ(b.Line(0), Sjis("カイは麻痺していて動けなかった...."));
    EXPECT_EQ(b.g.battle.phase, 6);
    EXPECT_EQ(b.g.battle.phaseDelay, 9);
    EXPECT_FALSE(b.g.form[W::battle_box].visible);
  }
  {
    BattleGame b;
    PinRolls pin(b.g, RollMode::Highest);  // the toss is won: the player chooses
    b.g.state.player().st_paralysis = 2;
    b.RunStep(2);
    EXPECT_FALSE(b.Shows("麻痺していて動けなかった"));
    EXPECT_TRUE(b.g.form[W::battle_box].visible);
  }
}

TEST(CanMove, FaintCostsExactlyOneTurn) {
  BattleGame b;
  PinRolls pin(b.g, RollMode::Highest);
  b.g.battle.turnSide = 1;
  b.g.state.enemy().st_faint = 1;
  b.RunStep(2);
  EXPECT_EQ(b.g.state.enemy().st_faint, 0);
  EXPECT_EQ(b.Line(0), Sjis("スライムは気絶していて動けなかった...."));
  EXPECT_EQ(b.g.battle.phase, 6);
  b.RunStep(2);
  EXPECT_EQ(b.g.battle.actionTimer, 1);  // the next turn it acts
}

TEST(TurnEnd, SidesTakeTurnsWhileTheEnemyStands) {
  BattleGame b;
  b.g.battle.turnSide = 0;
  b.RunStep(7);
  EXPECT_EQ(b.g.battle.turnSide, 1);
  EXPECT_EQ(b.g.battle.phase, 0);
  EXPECT_EQ(b.g.battle.phaseDelay, 1);
  b.RunStep(7);
  EXPECT_EQ(b.g.battle.turnSide, 0);
}

TEST(TurnEnd, VictoryLinesOnePerClickThenTheRollsAndTheMap) {
  BattleGame b;
  Game& g = b.g;
  PinRolls pin(g, RollMode::Highest);  // no bonus, no rare drop
  g.state.eventFlags.fill(1);          // no milestone
  g.state.enemy().hp = 0;
  g.battle.battleActive = 1;
  g.battle.victoryLines[0] = Sjis("やられた……");
  g.battle.victoryLines[1] = Sjis("覚えていろ");
  b.RunStep(7);
  EXPECT_EQ(b.Line(0), Sjis("やられた……"));
  EXPECT_EQ(g.battle.phase, 6);
  ContinueOnClick(g);
  EXPECT_EQ(b.Line(0), Sjis("覚えていろ"));
  ContinueOnClick(g);
  EXPECT_EQ(g.battle.battleActive, 0);
  EXPECT_TRUE(g.form[W::map_box].visible);
  EXPECT_EQ(g.battle.locationId, -1);
}

TEST(BattleEnd, ThePlayersDeathEndsTheGameAndTheClickReloads) {
  BattleGame b;
  Game& g = b.g;
  g.state.player().hp = 0;
  g.state.enemy().hp = 0;  // both down: the player's death wins
  b.RunStep(5);
  EXPECT_EQ(g.battle.gameOver, 1);
  EXPECT_EQ(b.Line(0), Sjis("カイは死んでしまった!!"));
  EXPECT_EQ(b.t.host.music.back(), "not");
  EXPECT_TRUE(b.Played("0:gameover.wav"));
  EXPECT_EQ(b.t.host.midi.back(), "gameover.mid");
  EXPECT_EQ(g.battle.paused, 0);
  EXPECT_EQ(g.battle.phaseDelay, 0);  // nothing more happens in the battle
  const int32_t score = g.state.score;
  b.RunStep(5);
  b.RunStep(6);
  EXPECT_EQ(g.state.score, score);

  ClickMain(g, 300, 200, false);
  EXPECT_EQ(g.battle.gameOver, 0);
  EXPECT_EQ(g.screen.scene, -1);
  EXPECT_EQ(b.t.host.waves.back(), "2:1.wav");
}

TEST(Nesting, StepsThatKeepFallingThroughAreCarriedOnByTheTick) {
  BattleGame b;
  Game& g = b.g;
  // A chain of steps already this deep hands the next one to the tick.
  g.battle.stepNesting = 32;
  g.battle.phase = 3;
  AdvanceBattlePhase(g);
  EXPECT_EQ(g.battle.phase, 3);
  EXPECT_EQ(g.battle.phaseDelay, 1);
  g.battle.stepNesting = 0;
  Tick(g);
  // The turn ran on to its end: the other side is next.
  EXPECT_EQ(g.battle.phase, 0);
  EXPECT_EQ(g.battle.turnSide, 1);
}

}  // namespace
}  // namespace qv
