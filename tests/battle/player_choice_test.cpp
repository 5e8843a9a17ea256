#include "battle/player_choice.h"

#include <gtest/gtest.h>

#include "battle/sequencer_fixture.h"

namespace qv {
namespace {

using testing::BattleGame;

std::vector<std::string> Names(const Game& g, std::initializer_list<int> ids) {
  std::vector<std::string> out;
  for (int id : ids) out.push_back(g.state.skills[static_cast<size_t>(id)].name);
  return out;
}

TEST(PlayerChoice, ListsLearnedSkillsInIdOrderAndOffersTheLastChoiceAgain) {
  BattleGame b;
  Game& g = b.g;
  g.state.skillLevel[9] = 2;
  g.state.skillLevel[5] = 1;
  g.state.skillLevel[60] = 3;   // no such skill: never listed
  g.state.skillLevel[200] = 1;  // enemy-only: never listed
  g.battle.turnSide = 0;
  g.battle.lastListIndex = -1;
  b.RunStep(3);
  const Widget& list = g.form[W::battle_list];
  EXPECT_EQ(list.lines, Names(g, {0, 5, 9}));
  EXPECT_EQ(list.itemIndex, 0);
  EXPECT_EQ(g.battle.lastListIndex, 0);
  EXPECT_EQ(g.battle.actionSkill, 0);
  EXPECT_TRUE(g.form[W::battle_box].visible);
  EXPECT_EQ(g.form[W::battle_box].rect.left, 460);
  EXPECT_EQ(g.form[W::battle_box].rect.top, 8);
  EXPECT_EQ(g.battle.actionTimer, 0);  // nothing runs until "発動"

  g.battle.lastListIndex = 2;
  b.RunStep(3);
  EXPECT_EQ(list.itemIndex, 2);
  EXPECT_EQ(g.battle.actionSkill, 9);

  // An index the list no longer has is ignored: nothing is selected.
  g.battle.lastListIndex = 7;
  b.RunStep(3);
  EXPECT_EQ(list.itemIndex, -1);
  EXPECT_EQ(g.battle.lastListIndex, -1);
}

TEST(PlayerChoice, MoreThanTwentyFourSkillsUseTighterRows) {
  BattleGame b;
  Game& g = b.g;
  for (int id = 0; id < 24; ++id) g.state.skillLevel[static_cast<size_t>(id)] = 1;
  b.RunStep(3);
  EXPECT_EQ(ListRowHeight(g.form, W::battle_list), 17);
  g.state.skillLevel[30] = 1;
  b.RunStep(3);
  EXPECT_EQ(g.form[W::battle_list].lines.size(), 25u);
  EXPECT_EQ(g.form[W::battle_list].itemHeight, 15);
  EXPECT_EQ(ListRowHeight(g.form, W::battle_list), 15);
}

TEST(PlayerChoice, PickingAnEntryChoosesItsSkillAndClicksOnlyOnChange) {
  BattleGame b;
  Game& g = b.g;
  g.state.skillLevel[7] = 1;
  b.RunStep(3);
  const size_t before = b.t.host.waves.size();
  g.form[W::battle_list].itemIndex = 1;
  battle_listMouseDown(g);
  EXPECT_EQ(g.battle.actionSkill, 7);
  EXPECT_EQ(b.t.host.waves.size(), before + 1);
  EXPECT_EQ(b.t.host.waves.back(), "0:key2.wav");
  battle_listMouseDown(g);  // the release on the same entry
  EXPECT_EQ(b.t.host.waves.size(), before + 1);
  // A row below the last entry selects nothing and changes nothing.
  g.form[W::battle_list].itemIndex = 5;
  battle_listMouseDown(g);
  EXPECT_EQ(g.battle.lastListIndex, 1);
  EXPECT_EQ(g.battle.actionSkill, 7);
}

TEST(PlayerChoice, FireStartsTheActionOnlyWithASelectionAndOnlyOnce) {
  BattleGame b;
  Game& g = b.g;
  b.RunStep(3);
  g.form[W::battle_list].itemIndex = -1;
  Button1Click(g);
  EXPECT_EQ(g.battle.actionTimer, 0);
  EXPECT_TRUE(g.form[W::battle_box].visible);

  g.battle.actionSkill = -1;
  g.form[W::battle_list].itemIndex = 0;
  Button1Click(g);
  EXPECT_EQ(g.battle.actionTimer, 0);

  battle_listMouseDown(g);
  Button1Click(g);
  EXPECT_FALSE(g.form[W::battle_box].visible);
  // battleSpeed - 1: the action announces itself on the very next tick.
  EXPECT_EQ(g.battle.actionTimer, 8);
  g.battle.actionTimer = 3;
  Button1Click(g);
  EXPECT_EQ(g.battle.actionTimer, 3);
}

}  // namespace
}  // namespace qv
