// The scripts of the combination skills, played through the action timeline with pinned
// rolls: blows, volleys, recoveries, drains, states, and the rows that weigh the foe's element.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "battle/action.h"
#include "battle/action_fixture.h"
#include "battle/skill_script.h"

namespace qv {
namespace {

using testing::Duel;
using testing::PinRolls;

// Runs a combination of `side` as the check starts one, to its end.
void RunCombo(Duel& d, int side, int32_t id) {
  d.g.battle.turnSide = side;
  d.g.battle.actionSkill = id;
  d.g.battle.actionTimer = d.g.battle.battleSpeed + 1;
  for (int i = 0; i < 200 && d.g.battle.actionTimer > 0; ++i) battle::StepAction(d.g);
}

int CountLines(const Duel& d, const char* utf8) {
  const std::string& s = Sjis(utf8);
  return static_cast<int>(std::count_if(d.g.text.lines.begin(), d.g.text.lines.end(),
                                        [&](const LineEntry& l) { return l.text.find(s) == 0; }));
}

TEST(CombinationScripts, EveryCombinationEndsForEitherSideAndOnlyThoseHaveScripts) {
  for (int32_t id = 100; id < 200; ++id) {
    const bool known = id <= 190 && id != 114;  // 闇に溶ける never comes, so it has none
    ASSERT_EQ(battle::FindScript(id) != nullptr, known) << id;
    if (!known) continue;
    for (int side : {0, 1}) {
      Duel d;
      d.hero.tp = d.foe.tp = 50;
      RunCombo(d, side, id);
      EXPECT_EQ(d.g.battle.actionTimer, 0) << id << " side " << side;
      EXPECT_EQ(d.g.battle.phaseDelay, 8) << id << " side " << side;
      EXPECT_FALSE(d.ShowsBytes(Sjis("＞"))) << id;  // never announced
    }
  }
}

TEST(CombinationScripts, LightAndFireAttacksWeighElementsRegenCrestAndRobes) {
  Duel d;  // 幻想曲: 9, doubled on darkness, then two MP shaved off a step later
  PinRolls pin(d.g, RollMode::Highest);
  d.hero.st_sureHit = 1;
  d.foe.element = kElemDark;
  RunCombo(d, 0, 100);
  EXPECT_EQ(d.foe.hp, 200 - 18);
  EXPECT_EQ(d.foe.mp, 48);
  EXPECT_TRUE(d.Shows("MPを 2削った!!"));

  Duel r;  // the enemy's 幻想曲 on a regenerating hero in the light robe: 9, halved twice
  PinRolls pin2(r.g, RollMode::Highest);
  r.WearPlain(&Combatant::armor, "ライトローブ");
  r.hero.st_regen = 1;
  r.foe.st_sureHit = 1;
  RunCombo(r, 1, 100);
  EXPECT_EQ(r.hero.hp, 100 - 2);

  Duel b;  // インフェルノ: 14, half again with the crest, doubled on water
  PinRolls pin3(b.g, RollMode::Highest);
  b.hero.st_magicCrest = 1;
  b.hero.st_sureHit = 1;
  b.foe.element = kElemWater;
  RunCombo(b, 0, 103);
  EXPECT_TRUE(b.Shows("豪火が舞い上がる！"));
  EXPECT_EQ(b.foe.hp, 200 - 42);

  Duel w;  // インドラ into a fire wall on a fire foe: 9, halved twice, then the long shot's double
  PinRolls pin4(w.g, RollMode::Highest);
  w.hero.st_sureHit = 1;
  w.foe.element = kElemFire;
  w.foe.st_fireWall = 1;
  RunCombo(w, 0, 173);
  EXPECT_EQ(w.foe.hp, 200 - 4);
}

TEST(CombinationScripts, BlowsWithTheirOwnPowerAndWhatFollows) {
  Duel d;  // 地球投げ: Random(5) + a fifth of the foe's max HP + 7
  PinRolls pin(d.g, RollMode::Highest);
  d.hero.st_sureHit = 1;
  RunCombo(d, 0, 101);
  EXPECT_TRUE(d.Shows("カイは地球を持ち上げた!!"));
  EXPECT_TRUE(d.Shows("ひゅーん!! 地球が落ちてくる!!"));
  EXPECT_EQ(d.foe.hp, 200 - 51);

  // ヴォマクトＷアタック: 6, light keeps the larger half, darkness adds half
  for (auto [element, damage] : {std::pair{kElemLight, 3}, {kElemDark, 9}, {kElemNone, 6}}) {
    Duel v;
    PinRolls pin2(v.g, RollMode::Highest);
    v.hero.st_sureHit = 1;
    v.foe.element = element;
    RunCombo(v, 0, 118);
    EXPECT_EQ(v.foe.hp, 200 - damage) << element;
  }

  Duel y;  // 与一の矢: 9 doubled on light, doubled again as a long shot; the foe slowed after
  PinRolls pin3(y.g, RollMode::Highest);
  y.hero.st_sureHit = 1;
  y.foe.element = kElemLight;
  RunCombo(y, 0, 174);
  EXPECT_EQ(y.foe.hp, 200 - 36);
  EXPECT_EQ(y.foe.st_evadeDown, 4);
  EXPECT_TRUE(y.Shows("スライムの回避率を一時的に下げた!!"));

  Duel f;  // ファイアーパンチ counts as fire from its first blow: the fire power boosts it
  PinRolls pin4(f.g, RollMode::Highest);
  f.hero.st_sureHit = 1;
  f.hero.st_powFire = 1;
  RunCombo(f, 0, 186);
  EXPECT_EQ(f.g.state.skills[186].elemFire, 1);
  EXPECT_EQ(f.foe.hp, 200 - 16);

  Duel s;  // シルヴィア剣 raises the attack before its blow: 12 + a quarter + 1
  PinRolls pin5(s.g, RollMode::Highest);
  s.hero.st_sureHit = 1;
  RunCombo(s, 0, 180);
  EXPECT_EQ(s.hero.st_atkUp, 2);
  EXPECT_EQ(s.foe.hp, 200 - 16);

  Duel n;  // 諸行無常: sure damage, halved on what has no element
  RunCombo(n, 0, 187);
  EXPECT_EQ(n.foe.hp, 200 - 15);
  n.foe.element = kElemLight;
  RunCombo(n, 0, 187);
  EXPECT_EQ(n.foe.hp, 200 - 15 - 30);
}

TEST(CombinationScripts, VolleysRollTheirCountAndEachBlow) {
  Duel d;  // 天駆龍閃 at the top: 4 blows
  PinRolls pin(d.g, RollMode::Highest);
  RunCombo(d, 0, 130);
  EXPECT_EQ(CountLines(d, "命中率"), 4);

  Duel low;  // at the bottom: 3 blows of 4, each guarded down to 2
  PinRolls pin2(low.g, RollMode::Lowest);
  RunCombo(low, 0, 130);
  EXPECT_EQ(CountLines(low, "命中率"), 3);
  EXPECT_EQ(low.foe.hp, 200 - 6);

  // 昇星伝説: 3, +1 unless light, +1 on darkness
  for (auto [element, damage] : {std::pair{kElemDark, 6}, {kElemLight, 3}, {kElemNone, 6}}) {
    Duel s;
    PinRolls pin3(s.g, RollMode::Lowest);
    s.foe.element = element;
    RunCombo(s, 0, 131);
    EXPECT_EQ(s.foe.hp, 200 - damage) << element;
  }

  Duel a;  // アローレイン: the call in its first step, both arrows in the second
  a.g.battle.turnSide = 0;
  a.g.battle.actionSkill = 119;
  a.g.battle.actionTimer = a.g.battle.battleSpeed + 1;
  for (int i = 0; i < 8; ++i) battle::StepAction(a.g);
  EXPECT_TRUE(a.Shows("2回攻撃"));
  EXPECT_EQ(CountLines(a, "命中率"), 0);
  RunCombo(a, 0, 119);
  EXPECT_EQ(CountLines(a, "命中率"), 2);
}

TEST(CombinationScripts, RecoveriesGrowWithTheHeroAtFiftyAndSixty) {
  Duel d;  // ダイスヒール at the top: 14 + 1, +4 at 50, +5 at 60
  PinRolls pin(d.g, RollMode::Highest);
  d.hero.hp = 50;
  d.hero.level = 60;
  RunCombo(d, 0, 109);
  EXPECT_EQ(d.hero.hp, 74);
  EXPECT_TRUE(d.Shows("HP 24回復"));
  d.hero.level = 50;
  RunCombo(d, 0, 109);
  EXPECT_EQ(d.hero.hp, 74 + 19);

  Duel m;  // 詠唱Ⅱ: a tenth of the max MP + 2, +1 at 50
  m.hero.mp = 0;
  m.hero.level = 55;
  RunCombo(m, 0, 170);
  EXPECT_EQ(m.hero.mp, 8);
  EXPECT_TRUE(m.Shows("MP 8回復"));

  Duel t;  // TP吸血 at 60: 40 taken from the foe
  t.hero.level = 60;
  t.hero.tp = 10;
  t.foe.tp = 100;
  RunCombo(t, 0, 125);
  EXPECT_EQ(t.hero.tp, 50);
  EXPECT_EQ(t.foe.tp, 60);
  EXPECT_TRUE(t.Shows("スライムからTPを 40吸収した!!"));

  Duel c;  // 毒回復 cures both poisons instead of healing, and heals when there is none
  c.hero.hp = 50;
  c.hero.st_poison = 2;
  c.hero.st_heavyPoison = 1;
  RunCombo(c, 0, 120);
  EXPECT_EQ(c.hero.st_poison + c.hero.st_heavyPoison, 0);
  EXPECT_EQ(c.hero.hp, 50);
  EXPECT_TRUE(c.Shows("<毒>から回復した!!"));
  c.hero.level = 60;
  RunCombo(c, 0, 120);
  EXPECT_EQ(c.hero.hp, 59);
}

TEST(CombinationScripts, HealsAndRefillsThatDependOnTheFoesElement) {
  const int32_t moon[] = {5, 10, 4, 6, 7};
  const int32_t sky[] = {10, 40, 20, 35, 25};
  for (int32_t e = 0; e < 5; ++e) {
    Duel d;  // 月の癒し and 空の癒し at level 60: +5 HP, +10 TP
    d.hero.level = 60;
    d.hero.hp = 50;
    d.hero.tp = 0;
    d.foe.element = e;
    RunCombo(d, 0, 126);
    EXPECT_EQ(d.hero.hp, 50 + 5 + moon[e]) << e;
    RunCombo(d, 0, 127);
    EXPECT_EQ(d.hero.tp, 10 + sky[e]) << e;
  }
  Duel odd;  // an element outside the five adds nothing
  odd.hero.hp = 50;
  odd.foe.element = 9;
  RunCombo(odd, 0, 126);
  EXPECT_EQ(odd.hero.hp, 50);
}

TEST(CombinationScripts, BloodDrainsWeighElementsVeilsAndTheHerosLevel) {
  Duel d;  // ヴァンパイア・ヴラッディ・スター on light under a dark veil at 60: 5 halved, +5
  d.hero.level = 60;
  d.hero.hp = 50;
  d.foe.element = kElemLight;
  d.foe.st_magic = 1;
  RunCombo(d, 0, 105);
  EXPECT_EQ(d.foe.hp, 200 - 7);
  EXPECT_EQ(d.hero.hp, 57);
  EXPECT_TRUE(d.Shows("スライムからHPを 7吸収!!"));

  Duel e;  // the enemy's ブラッドブレット thirsts more at hero levels 20 and 40
  e.hero.level = 40;
  e.foe.hp = 150;
  RunCombo(e, 1, 185);
  EXPECT_EQ(e.hero.hp, 100 - 11);
  EXPECT_EQ(e.foe.hp, 161);
  EXPECT_TRUE(e.Shows("カイからHPを 11吸収!!"));
}

TEST(CombinationScripts, StatesAreSetOrAddedOnTheRightSide) {
  Duel d;
  PinRolls pin(d.g, RollMode::Highest);
  d.hero.st_resFire = 1;
  RunCombo(d, 0, 134);  // 火耐性バリア sets Random(4) + 5
  EXPECT_EQ(d.hero.st_resFire, 8);
  EXPECT_TRUE(d.Shows("カイの体が火の精霊に守られた"));
  EXPECT_TRUE(d.Shows("カイは一時的に火に対して強くなった!!"));

  d.hero.st_reflect = 2;
  RunCombo(d, 0, 150);  // 反射体形勢 adds one
  EXPECT_EQ(d.hero.st_reflect, 3);

  d.foe.st_poison = 2;
  RunCombo(d, 0, 154);  // 粘液Ⅱ adds Random(3) + 3 to the foe's poison
  EXPECT_EQ(d.foe.st_poison, 7);
  EXPECT_TRUE(d.Shows("弱体効果時間運UP"));

  RunCombo(d, 1, 113);  // the enemy's やけど burns the hero
  EXPECT_EQ(d.hero.st_burn, 3);
  EXPECT_TRUE(d.Shows("カイは<火傷>を負った!!"));

  RunCombo(d, 1, 144);  // the enemy's fire power is its own
  EXPECT_EQ(d.foe.st_powFire, 8);
  EXPECT_EQ(d.hero.st_powFire, 0);
  EXPECT_TRUE(d.Shows("スライムは一時的に火属性攻撃が強くなった!!"));
}

}  // namespace
}  // namespace qv
