#include <gtest/gtest.h>

#include "battle/rewards.h"
#include "battle/sequencer_fixture.h"

namespace qv {
namespace {

using testing::BattleGame;
using testing::PinRolls;

// Rolls the bonus with the machine parked on a step that does nothing, so a roll that gives
// nothing cannot run on into the rest of the victory.
void RollBonusAlone(Game& g) {
  g.battle.paused = 0;
  g.battle.phase = 100;
  battle::RollVictoryBonus(g);
}

TEST(VictoryBonus, AWonSkillAlreadyKnownOrBeyondTheLimitBecomesBp) {
  {
    BattleGame b;  // 踏みつぶす (drawn by the lowest roll) is known already
    PinRolls pin(b.g, RollMode::Lowest);
    RollBonusAlone(b.g);
    EXPECT_EQ(b.g.state.bp, 1);
    EXPECT_EQ(b.g.state.score, 50);
    EXPECT_EQ(b.Line(0), Sjis("なんとBPが 1上昇した!! 得点>50"));
    EXPECT_EQ(b.g.text.lines[0].colourCode, ColourCodeOf("purple"));
    EXPECT_EQ(b.g.battle.paused, 1);
  }
  {
    BattleGame b;
    PinRolls pin(b.g, RollMode::Lowest);
    b.g.state.skillLevel[0] = 0;
    RollBonusAlone(b.g);
    EXPECT_EQ(b.g.state.skillLevel[0], 1);
    EXPECT_EQ(b.g.state.bp, 0);
    EXPECT_EQ(b.g.state.score, b.g.state.skills[0].scoreValue);
    EXPECT_EQ(b.Line(0), Sjis("なんと技【踏みつぶす】を修得した!! 得点>") +
                             std::to_string(b.g.state.skills[0].scoreValue));
  }
  {
    BattleGame b;  // 27 skills known: no 28th
    PinRolls pin(b.g, RollMode::Lowest);
    b.g.state.skillLevel[0] = 0;
    for (int id = 1; id <= 27; ++id) b.g.state.skillLevel[static_cast<size_t>(id)] = 1;
    RollBonusAlone(b.g);
    EXPECT_EQ(b.g.state.skillLevel[0], 0);
    EXPECT_EQ(b.g.state.bp, 1);
  }
}

TEST(VictoryBonus, NoLuckGoesOnToTheRareDrop) {
  BattleGame b;
  PinRolls pin(b.g, RollMode::Highest);
  b.g.state.player().level = 30;
  b.g.state.depth = 60;
  b.g.battle.locationId = 1;
  b.g.state.eventFlags.fill(1);
  b.g.battle.phase = 7;
  battle::RollVictoryBonus(b.g);
  EXPECT_EQ(b.g.state.score, 0);
  EXPECT_EQ(b.g.state.bp, 0);
  EXPECT_EQ(b.g.battle.paused, 0);
  // Step 8 found nothing either; step 9 offers the free area's commands.
  EXPECT_EQ(b.g.battle.phase, 9);
  EXPECT_TRUE(b.g.form[W::com_box].visible);
}

TEST(VictoryBonus, WhatIsWonIsAlwaysSomethingNewAndWinnable) {
  BattleGame b;
  Game& g = b.g;
  g.state.player().level = 20;
  int32_t skills = 0, setItems = 0, bps = 0;
  for (uint32_t seed = 0; seed < 3000; ++seed) {
    g.rng.Seed(seed);
    const auto owned = g.state.owned;
    const auto levels = g.state.skillLevel;
    const int32_t bp = g.state.bp;
    RollBonusAlone(g);
    bool won = g.state.bp != bp;
    bps += g.state.bp - bp;
    for (int i = 0; i < kPerId; ++i) {
      const size_t k = static_cast<size_t>(i);
      if (g.state.owned[k] != owned[k]) {
        const ItemDef& item = g.state.items[k];
        EXPECT_EQ(item.kind, kKindSetItem) << i;
        EXPECT_EQ(item.price, 0) << i;
        EXPECT_EQ(owned[k], 0) << i;
        EXPECT_EQ(g.state.owned[k], 1) << i;
        setItems += 1;
        won = true;
        g.state.owned[k] = 0;
      }
      if (g.state.skillLevel[k] != levels[k]) {
        EXPECT_LT(i, 100);
        EXPECT_FALSE(g.state.skills[k].name.empty()) << i;
        EXPECT_EQ(levels[k], 0) << i;
        skills += 1;
        won = true;
        g.state.skillLevel[k] = levels[k];
      }
    }
    // Anything won waits for a click; nothing won goes straight on.
    EXPECT_EQ(g.battle.paused == 1, won) << seed;
  }
  // A level-20 hero knowing one skill is lucky about one victory in ten.
  EXPECT_GT(skills, 100);
  EXPECT_GT(setItems, 50);
  EXPECT_GT(bps, 0);
}

TEST(RareDrop, OnlyRareItemsNotYetOwnedAndNotUnique) {
  BattleGame b;
  Game& g = b.g;
  int32_t drops = 0;
  for (uint32_t seed = 0; seed < 3000; ++seed) {
    g.rng.Seed(seed);
    const auto owned = g.state.owned;
    g.battle.paused = 0;
    g.battle.phase = 100;
    battle::RollRareDrop(g);
    for (int i = 0; i < kPerId; ++i) {
      const size_t k = static_cast<size_t>(i);
      if (g.state.owned[k] == owned[k]) continue;
      const ItemDef& item = g.state.items[k];
      EXPECT_EQ(item.kind, kKindRare) << i;
      EXPECT_LT(item.unique, 1) << i;
      EXPECT_EQ(owned[k], 0) << i;
      EXPECT_LE(i, 900);
      EXPECT_EQ(g.battle.paused, 1);
      drops += 1;
    }
  }
  EXPECT_GT(drops, 10);
  EXPECT_LT(drops, 60);
}

}  // namespace
}  // namespace qv
