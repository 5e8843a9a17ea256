// The moments at which the step machine and the rewards let the player's gear act.
#include <gtest/gtest.h>

#include "battle/rewards.h"
#include "battle/sequencer_fixture.h"
#include "core/state_ops.h"

namespace qv {
namespace {

using testing::BattleGame;
using testing::PinRolls;

int32_t Item(const Game& g, const char* name) {
  return FindItemByName(g.state, Sjis(name));
}

TEST(GearMoments, VictoryRewardsAndPointsCountWhatIsWorn) {
  BattleGame b;
  Game& g = b.g;
  g.state.setSlots[0] = Item(g, "カーレオの効率");       // experience +2, from the first frame
  g.state.setSlots[7] = Item(g, "カーレオの金策");       // money +2
  g.state.player().waist = Item(g, "カーレオのベルト");  // +50 on every score
  g.state.enemy().hp = 0;
  b.RunStep(5);
  EXPECT_EQ(g.state.player().exp, 7);
  EXPECT_EQ(g.state.money, 9);
  EXPECT_EQ(g.state.score, 1050);
  // More than 9999 at once: 9999, and the belt's 50 still on top.
  battle::AddScore(g, 50000);
  EXPECT_EQ(g.state.score, 1050 + 9999 + 50);
}

TEST(GearMoments, BattleStartGainsGoToThePlayerWhoeverMovesFirst) {
  BattleGame b;
  Game& g = b.g;
  PinRolls pin(g, RollMode::Highest);  // the enemy moves first
  g.state.player().armor = Item(g, "南極老人君の鎧");
  g.state.player().hp = 10;
  b.RunStep(0);
  EXPECT_EQ(g.battle.turnSide, 1);
  EXPECT_EQ(g.state.player().hp, 11);
}

TEST(GearMoments, TurnStartGainsOnlyOnThePlayersTurn) {
  BattleGame b;
  Game& g = b.g;
  g.state.setSlots[0] = Item(g, "カーレオの涙");  // HP +1 after every second enemy turn
  g.state.player().hp = 10;
  g.battle.roundCount = 1;
  g.battle.turnSide = 1;
  b.RunStep(1);  // the enemy's second turn begins: nothing for the player
  EXPECT_EQ(g.battle.roundCount, 2);
  EXPECT_EQ(g.state.player().hp, 10);
  g.battle.turnSide = 0;
  b.RunStep(1);
  EXPECT_EQ(g.state.player().hp, 11);
}

TEST(GearMoments, RestCostAndTpFollowTheSetItems) {
  BattleGame b;
  Game& g = b.g;
  PinRolls pin(g, RollMode::Lowest);
  g.battle.locationId = 1;
  g.state.eventFlags.fill(1);
  g.state.setSlots[3] = Item(g, "カーレオの夢");  // rest costs 1 less, gives 10 TP
  Combatant& p = g.state.player();
  p.maxMp = 20;
  p.mp = 20;
  p.tp = 0;
  b.RunStep(15);
  EXPECT_EQ(p.mp, 16);
  EXPECT_EQ(p.tp, 10);
}

}  // namespace
}  // namespace qv
