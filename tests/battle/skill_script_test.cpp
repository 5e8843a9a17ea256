// A few scripts of every family, played through the action timeline with pinned rolls.
#include "battle/skill_script.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "battle/action.h"
#include "battle/action_fixture.h"

namespace qv {
namespace {

using testing::Duel;
using testing::PinRolls;

// Plays one whole action of `side` with the skill (announcement, costs and every step).
void Use(Duel& d, int side, int32_t skill, int32_t level = 1) {
  if (side == 0) d.g.state.skillLevel[static_cast<size_t>(skill)] = level;
  d.g.battle.turnSide = side;
  d.g.battle.actionSkill = skill;
  d.g.battle.actionTimer = d.g.battle.battleSpeed - 1;
  for (int i = 0; i < 200 && d.g.battle.actionTimer > 0; ++i) battle::StepAction(d.g);
}

int CountLines(const Duel& d, const char* utf8) {
  const std::string& s = Sjis(utf8);
  return static_cast<int>(std::count_if(d.g.text.lines.begin(), d.g.text.lines.end(),
                                        [&](const LineEntry& l) { return l.text.find(s) == 0; }));
}

TEST(SkillScripts, EverySkillHasAScriptThatEnds) {
  for (int32_t id = 0; id < 1000; ++id) {
    const bool combination = id >= 100 && id <= 190 && id != 114;
    const bool known = id <= 53 || combination || (id >= 200 && id <= 203);
    EXPECT_EQ(battle::FindScript(id) != nullptr, known) << id;
  }
  for (int32_t id :
       {0, 1, 2, 3, 5, 11, 17, 18, 22, 27, 28, 32, 33, 40, 41, 49, 50, 53, 200, 201, 202, 203}) {
    Duel d;
    d.hero.tp = d.foe.tp = 100;
    Use(d, id >= 200 ? 1 : 0, id, 3);
    EXPECT_EQ(d.g.battle.actionTimer, 0) << id;
    EXPECT_GE(d.g.battle.phaseDelay, 1) << id;
  }
}

TEST(SkillScripts, AttacksWeighElementsCrestAndRobes) {
  Duel d;  // ほのお at level 3: Random(2) at its top, + L + 5, the crest, doubled on water
  d.hero.st_magicCrest = 1;
  d.hero.st_sureHit = 1;
  d.foe.element = kElemWater;
  PinRolls pin(d.g, RollMode::Highest);
  Use(d, 0, 9, 3);
  EXPECT_EQ(d.foe.hp, 200 - 26);

  Duel r;  // the enemy's ほのお on a hero in the magical robe
  r.WearPlain(&Combatant::armor, "マジカルローブ");
  r.foe.st_sureHit = 1;
  PinRolls pin2(r.g, RollMode::Highest);
  Use(r, 1, 9);
  EXPECT_EQ(r.hero.hp, 100 - 3);

  Duel m;  // 月光 shaves a point of MP off after the blow
  m.hero.st_sureHit = 1;
  Use(m, 0, 14, 2);
  EXPECT_EQ(m.foe.mp, 49);
  EXPECT_TRUE(m.Shows("MPを 1削った!!"));
}

TEST(SkillScripts, FollowUpsComeOnlyWhenTheirChanceFalls) {
  Duel d;  // 体当たり never stuns what has no element
  d.hero.tp = 100;
  PinRolls pin(d.g, RollMode::Lowest);
  Use(d, 0, 12);
  EXPECT_EQ(d.foe.st_faint, 0);
  d.foe.element = kElemLight;
  d.hero.tp = 100;
  Use(d, 0, 12);
  EXPECT_EQ(d.foe.st_faint, 1);
  EXPECT_TRUE(d.Shows("スライムは気絶してしまった!!"));

  Duel s;  // 手裏剣 throws the worn weapon away for good, or strains the arm without one
  s.Wear(&Combatant::weapon, "日本刀");
  const int32_t blade = s.hero.weapon;
  s.g.state.owned[static_cast<size_t>(blade)] = 1;
  Use(s, 0, 18);
  EXPECT_EQ(s.hero.weapon, 0);
  EXPECT_EQ(s.g.state.owned[static_cast<size_t>(blade)], 0);
  EXPECT_TRUE(s.Shows("カイは装備していた武器【日本刀】を失った...."));
  Use(s, 0, 18);
  EXPECT_EQ(s.hero.st_atkDown, 2);
}

TEST(SkillScripts, RecoveriesAndSelfStates) {
  Duel d;
  d.hero.hp = 50;
  PinRolls pin(d.g, RollMode::Lowest);
  Use(d, 0, 2, 2);  // 虫ヒール: Random(3) + L + 4
  EXPECT_EQ(d.hero.hp, 56);
  EXPECT_EQ(d.Line(), Sjis("HP 6回復"));
  EXPECT_EQ(d.hero.mp, 48);

  Duel s;
  s.Wear(&Combatant::earring, "聖樹のイヤリング");
  PinRolls high(s.g, RollMode::Highest);
  Use(s, 0, 25, 4);  // ライトベール: Random(2) + 3 + L div 2, +1 for the earring
  EXPECT_EQ(s.hero.st_regen, 7);
  EXPECT_TRUE(s.Shows("<癒>状態になった!!"));
  Use(s, 1, 38);  // the enemy's fire wall: Random(2) + 3
  EXPECT_EQ(s.foe.st_fireWall, 4);
  s.hero.tp = 100;
  Use(s, 0, 1, 10);  // 山ぼうぎょ stacks guard: 1, +1 at L 5, +1 at L 10, +1 for the earring
  EXPECT_EQ(s.hero.st_guard, 4);
}

TEST(SkillScripts, WeakeningsLastLongerWithTrainingAndShorterAgainstTheirElement) {
  Duel d;
  d.hero.tp = 100;
  d.foe.tp = 100;
  d.hero.element = kElemFire;
  PinRolls pin(d.g, RollMode::Highest);
  Use(d, 1, 23);  // 降りしきる雨 on a fire hero: Random(2) + 3, +1
  EXPECT_EQ(d.hero.st_atkDown, 5);
  EXPECT_TRUE(d.Shows("攻撃力が一時的に低下した!!"));
  d.hero.element = kElemWater;
  d.hero.st_water = 1;
  d.foe.tp = 100;
  Use(d, 1, 23);  // halved for water, halved again by the water veil
  EXPECT_EQ(d.hero.st_atkDown, 1);
  Use(d, 0, 23, 6);
  EXPECT_EQ(d.foe.st_atkDown, 1 + 3 + 3);

  Use(d, 0, 30, 2);  // 足枷 names both sides
  EXPECT_TRUE(d.Shows("カイはスライムの足に鉄の枷を掛けた!!"));
}

TEST(SkillScripts, ManyHitSkillsRollTheirCount) {
  Duel d;  // ビンタ at L 4 with the stardust earring: 2, +1, + Random(3)
  d.hero.tp = 100;
  d.Wear(&Combatant::earring, "星屑のイヤリング");
  PinRolls pin(d.g, RollMode::Highest);
  Use(d, 0, 33, 4);
  EXPECT_EQ(CountLines(d, "命中率"), 5);

  Duel e;  // the enemy's ビンタ: 2 + Random(4)
  e.foe.tp = 100;
  PinRolls pin2(e.g, RollMode::Highest);
  Use(e, 1, 33);
  EXPECT_EQ(CountLines(e, "命中率"), 5);
  ClearTextLines(e.g);
  Use(e, 1, 202);  // 大地震: 2 + Random(2)
  EXPECT_EQ(CountLines(e, "命中率"), 3);
}

TEST(SkillScripts, SinglesWithTheirOwnRules) {
  Duel d;  // 吸血 by the enemy grows with the hero's level and its own MP regeneration
  d.hero.level = 40;
  d.foe.mpRegenKind = 1;
  d.foe.hp = 100;
  Use(d, 1, 15);
  EXPECT_EQ(d.hero.hp, 100 - 14);
  EXPECT_EQ(d.foe.hp, 114);
  EXPECT_TRUE(d.Shows("カイからHPを 14吸収!!"));

  Duel f;  // 劉言語魔法 spends the caster's HP and leaves it at its level in the skill
  f.hero.tp = 100;
  Use(f, 0, 41, 3);
  EXPECT_EQ(f.foe.hp, 100);
  EXPECT_EQ(f.hero.hp, 3);
  f.hero.hp = 100;
  f.g.state.skillLevel[41] = 0;  // untrained, as ＭＲＬ may draw it
  f.g.battle.turnSide = 0;
  f.g.battle.actionSkill = 41;
  f.g.battle.actionTimer = 2 * f.g.battle.battleSpeed - 1;
  for (int i = 0; i < 30 && f.g.battle.actionTimer > 0; ++i) battle::StepAction(f.g);
  EXPECT_EQ(f.hero.hp, 1);

  Duel m;  // マジカル: the enemy swells with thirty times the hero's MP
  m.hero.mp = 4;
  Use(m, 1, 28);
  EXPECT_EQ(m.foe.maxHp, 320);
  EXPECT_EQ(m.foe.maxMp, 170);
  EXPECT_TRUE(m.Shows("スライムの最大HP,最大MP,HP,MPが 120上昇した!!"));

  Duel v;  // バキューム turns the hero's TP into the enemy's HP
  v.hero.tp = 40;
  v.foe.hp = 100;
  Use(v, 1, 200);
  EXPECT_EQ(v.foe.hp, 140);
  EXPECT_EQ(v.hero.tp, 0);
}

}  // namespace
}  // namespace qv
