// Whole battles through the real timer, answered the way a player would: clicks on the main
// picture for every waiting line and the skill list with "発動" at every turn.
#include <gtest/gtest.h>

#include "battle/player_choice.h"
#include "battle/sequencer_fixture.h"
#include "flow/startup.h"
#include "flow/tick.h"

namespace qv {
namespace {

using testing::BattleGame;

struct Played {
  int timerEvents = 0;
  bool sawVictoryLine = false;
  bool sawDeathLine = false;
};

// Runs timer events 90 ms apart, clicking and choosing as needed, until the battle is over.
Played PlayOut(BattleGame& b, int limit = 20000) {
  Game& g = b.g;
  Played p;
  while (p.timerEvents < limit && g.battle.battleActive == 1 && g.battle.gameOver == 0) {
    if (g.battle.paused == 1) {
      ClickMain(g, 320, 240, false);
    } else if (g.form[W::battle_box].visible && g.battle.actionTimer == 0) {
      g.form[W::battle_list].itemIndex = 0;
      battle_listMouseDown(g);
      Button1Click(g);
    }
    b.t.host.nowMs += 90;
    Timer1Timer(g);
    ++p.timerEvents;
    p.sawVictoryLine = p.sawVictoryLine || b.Shows("スライムを倒した!!");
    p.sawDeathLine = p.sawDeathLine || b.Shows("カイは死んでしまった!!");
  }
  return p;
}

TEST(WholeBattle, AStrongHeroWinsAndIsBackOnTheMap) {
  BattleGame b;
  Game& g = b.g;
  g.rng.Seed(11);
  Combatant& p = g.state.player();
  p.attack = 40;
  p.hitRate = 200;
  p.level = 10;
  g.state.player().exp = 0;
  Combatant& e = g.state.enemy();
  e.skillSlots = {53, 53, 53, 53, 53};  // it only stands there
  g.battle.dialogueLines[0] = Sjis("かかってこい");
  g.battle.victoryLines[0] = Sjis("ぐふっ");
  for (int k = 30; k <= 38; ++k) g.state.eventFlags[static_cast<size_t>(k)] = 1;  // no map chapter
  battle::StartBattle(g);
  const Played run = PlayOut(b);
  EXPECT_TRUE(run.sawVictoryLine);
  EXPECT_EQ(g.battle.battleActive, 0);
  EXPECT_EQ(g.battle.gameOver, 0);
  EXPECT_EQ(g.state.battleCount, 1);
  EXPECT_EQ(g.state.money, 7);
  EXPECT_EQ(p.exp, 5);
  EXPECT_GE(g.state.score, 1000);
  EXPECT_EQ(g.state.clearCount[2], 1);
  EXPECT_TRUE(g.form[W::map_box].visible);
  EXPECT_FALSE(g.form[W::battle_box].visible);
  EXPECT_EQ(b.t.host.music[1], "battle.mp3");
  EXPECT_LT(run.timerEvents, 2000);
}

TEST(WholeBattle, AWeakHeroDiesAndTheClickGoesBackToTheTitle) {
  BattleGame b;
  Game& g = b.g;
  g.rng.Seed(5);
  Combatant& p = g.state.player();
  p.maxHp = p.hp = 3;
  p.attack = 0;
  Combatant& e = g.state.enemy();
  e.maxHp = e.hp = 500;
  e.attack = 30;
  e.hitRate = 200;
  e.skillSlots = {0, 0, 0, 0, 0};
  battle::StartBattle(g);
  const Played run = PlayOut(b);
  EXPECT_TRUE(run.sawDeathLine);
  EXPECT_EQ(g.battle.gameOver, 1);
  EXPECT_EQ(b.t.host.midi.back(), "gameover.mid");
  // Frozen: more time changes nothing.
  const int32_t phase = g.battle.phase;
  for (int i = 0; i < 50; ++i) Timer1Timer(g);
  EXPECT_EQ(g.battle.phase, phase);
  ClickMain(g, 320, 240, false);
  EXPECT_EQ(g.screen.scene, -1);
  EXPECT_EQ(g.battle.gameOver, 0);
}

TEST(Timing, ThePlayerAnnouncesOneTickAfterFireTheEnemyEightTicksAfterItsChoice) {
  {
    BattleGame b;
    b.g.battle.turnSide = 0;
    b.RunStep(3);
    Button1Click(b.g);
    EXPECT_FALSE(b.Shows("＞踏みつぶす"));
    Tick(b.g);
    EXPECT_TRUE(b.Shows("＞踏みつぶす"));
  }
  {
    BattleGame b;
    b.g.battle.turnSide = 1;
    b.g.state.enemy().skillSlots = {0, 0, 0, 0, 0};
    b.RunStep(3);
    for (int i = 0; i < 7; ++i) Tick(b.g);
    EXPECT_FALSE(b.Shows("＞踏みつぶす"));
    Tick(b.g);
    EXPECT_TRUE(b.Shows("＞踏みつぶす"));
  }
}

}  // namespace
}  // namespace qv
