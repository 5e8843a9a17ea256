#include <gtest/gtest.h>

#include <set>

#include "battle/sequencer_fixture.h"
#include "battle/sequencer_steps.h"

namespace qv {
namespace {

using testing::BattleGame;
using testing::PinRolls;

constexpr int32_t kDearSkill = 19;  // Ｍ法: 100 TP
constexpr int32_t kNoSkill = 60;    // an id without a skill

TEST(EnemyChoice, DrawsOnlyFilledSlotsItCanPayFor) {
  BattleGame b;
  Game& g = b.g;
  g.rng.Seed(7);
  Combatant& e = g.state.enemy();
  e.skillSlots = {kNoSkill, 2, kDearSkill, 3, kNoSkill};
  e.tp = 50;  // 山落とし (50) is payable, Ｍ法 is not
  std::set<int32_t> seen;
  for (int i = 0; i < 300; ++i) seen.insert(battle::ChooseEnemySkill(g));
  EXPECT_EQ(seen, (std::set<int32_t>{2, 3}));
}

TEST(EnemyChoice, AnEnemyThatCanPayForNothingStillActs) {
  {
    BattleGame b;
    Combatant& e = b.g.state.enemy();
    e.skillSlots = {kDearSkill, kDearSkill, kDearSkill, kDearSkill, kDearSkill};
    e.tp = 0;
    EXPECT_EQ(battle::ChooseEnemySkill(b.g), 53);  // 何もせず
  }
  {
    // The draws keep landing on the dear slot; a payable slot is found instead.
    BattleGame b;
    PinRolls pin(b.g, RollMode::Lowest);
    Combatant& e = b.g.state.enemy();
    e.skillSlots = {kDearSkill, kNoSkill, kNoSkill, kNoSkill, 4};
    e.tp = 30;
    EXPECT_EQ(battle::ChooseEnemySkill(b.g), 4);
  }
  {
    // Five empty slots (or ids outside the table) leave it standing still.
    BattleGame b;
    b.g.state.enemy().skillSlots = {kNoSkill, -5, 5000, kNoSkill, kNoSkill};
    EXPECT_EQ(battle::ChooseEnemySkill(b.g), 53);
  }
}

TEST(EnemyChoice, NamedEnemiesForceTheirSkillOnTheirRounds) {
  struct Case {
    const char* enemy;
    int32_t round;
    int32_t skill;
  };
  const Case cases[] = {
      {"マジカル", 1, 28},
      {"マジカル", 2, 2},
      {"マジカルアゲイン", 1, 28},
      {"サニー・レイニーアゲイン", 1, 38},
      {"サニー・レイニーアゲイン", 11, 38},
      {"サニー・レイニーアゲイン", 21, 38},
      {"サニー・レイニーアゲイン", 12, 2},
      {"スライム", 1, 2},
  };
  for (const Case& c : cases) {
    BattleGame b;
    Combatant& e = b.g.state.enemy();
    e.name = Sjis(c.enemy);
    e.skillSlots = {2, 2, 2, 2, 2};
    b.g.battle.roundCount = c.round;
    EXPECT_EQ(battle::ChooseEnemySkill(b.g), c.skill) << c.enemy << " round " << c.round;
  }
}

TEST(EnemyChoice, TheChoiceStartsTheActionAtOnce) {
  BattleGame b;
  b.g.battle.turnSide = 1;
  b.g.state.enemy().skillSlots = {2, 2, 2, 2, 2};
  b.RunStep(3);
  EXPECT_EQ(b.g.battle.actionSkill, 2);
  // Timer 1: with battleSpeed 9 the announcement comes eight ticks later.
  EXPECT_EQ(b.g.battle.actionTimer, 1);
  EXPECT_FALSE(b.g.form[W::battle_box].visible);
}

}  // namespace
}  // namespace qv
