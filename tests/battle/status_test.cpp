// HP and MP changes with their pop-ups, and the turn effects of the statuses.
#include "battle/status.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "battle/action_fixture.h"
#include "core/text_lines.h"

namespace qv {
namespace {

using testing::Duel;
using testing::PinRolls;
using Popups = std::vector<std::pair<int32_t, std::string>>;

TEST(HealHp, ShowsTheBurstAndTheNumberStaysWithinLimitsAndZeroShowsNothing) {
  Duel d;
  d.hero.hp = 50;
  d.ResetPopups();
  battle::HealHp(d.g, 0, 10);
  EXPECT_EQ(d.hero.hp, 60);
  EXPECT_EQ(d.Popups(), (Popups{{140, ""}, {17, "10"}}));
  d.ResetPopups();
  battle::HealHp(d.g, 0, 0);
  EXPECT_TRUE(d.Popups().empty());
  battle::HealHp(d.g, 0, 500);
  EXPECT_EQ(d.hero.hp, 100);
  d.ResetPopups();
  battle::HealHp(d.g, 1, -500);
  EXPECT_EQ(d.foe.hp, 0);
  EXPECT_EQ(d.Popups(), (Popups{{16, "500"}}));
}

TEST(DamageHp, ShakesSoundsAndPopsPerSideAndTheHerosFeverSparesEveryone) {
  Duel d;
  d.ResetPopups();
  battle::DamageHp(d.g, 1, 7);
  EXPECT_EQ(d.foe.hp, 193);
  EXPECT_EQ(d.g.frame.enemyShake, 5);
  EXPECT_EQ(d.t.host.waves.back(), "3:damage.wav");
  EXPECT_EQ(d.Popups(), (Popups{{161, ""}, {16, "7"}}));

  d.ResetPopups();
  battle::DamageHp(d.g, 0, 7);
  EXPECT_EQ(d.hero.hp, 93);
  EXPECT_EQ(d.g.frame.playerShake, 5);
  EXPECT_EQ(d.t.host.waves.back(), "1:damage2.wav");
  EXPECT_EQ(d.Popups(), (Popups{{32, ""}, {161, ""}, {16, "7"}}));

  d.ResetPopups();
  battle::DamageHp(d.g, 0, -3);  // a negative blow heals
  EXPECT_EQ(d.hero.hp, 96);
  EXPECT_EQ(d.Popups(), (Popups{{32, ""}, {140, ""}, {17, "3"}}));

  d.hero.st_heroFever = 1;
  battle::DamageHp(d.g, 1, 50);
  battle::DamageHp(d.g, 0, 50);
  EXPECT_EQ(d.foe.hp, 193);
  EXPECT_EQ(d.hero.hp, 96);

  battle::ChangeMp(d.g, 0, -80);
  EXPECT_EQ(d.hero.mp, 0);
  battle::ChangeMp(d.g, 0, 80);
  EXPECT_EQ(d.hero.mp, 50);
}

TEST(ApplyTurnEffects, RegenerationWithThePendantThenTheDelay) {
  Duel d;
  d.hero.hp = 50;
  d.hero.mp = 10;
  d.hero.st_regen = 2;
  d.hero.st_magic = 1;
  d.hero.st_water = 1;
  d.Wear(&Combatant::pendant, "聖樹のペンダント");
  PinRolls pin(d.g, RollMode::Lowest);
  battle::ApplyTurnEffects(d.g);
  EXPECT_EQ(d.hero.hp, 50 + 2 + 100 / 50 + 2);
  EXPECT_EQ(d.hero.mp, 10 + 2 + 1);
  EXPECT_EQ(d.hero.tp, 7 + 5);
  EXPECT_TRUE(d.Shows("カイはHPが回復＞ 6"));
  EXPECT_TRUE(d.Shows("カイはMPが回復＞ 3"));
  EXPECT_TRUE(d.Shows("カイはTPが回復＞ 12"));
  EXPECT_EQ(d.hero.st_regen, 1);
  EXPECT_EQ(d.hero.st_magic, 0);
  EXPECT_EQ(d.g.battle.phaseDelay, 9 - 5);
}

TEST(ApplyTurnEffects, PoisonsHurtOrAreAbsorbedAndGrowWithTheHero) {
  Duel d;
  d.g.battle.turnSide = 1;
  d.foe.st_poison = 1;
  d.foe.st_poisonAbsorb = 3;
  d.foe.hp = 100;
  {
    PinRolls pin(d.g, RollMode::Lowest);
    battle::ApplyTurnEffects(d.g);
  }
  EXPECT_EQ(d.foe.hp, 102);
  EXPECT_TRUE(d.Shows("スライムは毒ダメージ＞ 2を吸収した"));
  EXPECT_EQ(d.foe.st_poisonAbsorb, 2);

  Duel h;  // strong poison on the enemy: the dark star pendant, the hero's level, weak defence
  h.g.battle.turnSide = 1;
  h.hero.level = 40;
  h.Wear(&Combatant::pendant, "魔星のペンダント");
  h.foe.st_heavyPoison = 1;
  h.foe.st_defDown = 1;
  PinRolls pin(h.g, RollMode::Highest);
  battle::ApplyTurnEffects(h.g);
  EXPECT_EQ(h.foe.hp, 200 - (1 + 4 + 3 + 1 + 2 + 2));
  EXPECT_TRUE(h.Shows("スライムに猛毒ダメージ＞ 13"));

  Duel c;  // the doctor's coat softens poison on the hero
  c.WearPlain(&Combatant::armor, "奥博士の白衣");
  c.hero.st_poison = 1;
  c.hero.st_burn = 1;
  c.hero.element = kElemWater;
  PinRolls low(c.g, RollMode::Lowest);
  battle::ApplyTurnEffects(c.g);
  EXPECT_EQ(c.hero.hp, 100 - 1 - 4);
  EXPECT_TRUE(c.Shows("カイに火傷ダメージ＞ 4"));
}

TEST(ApplyTurnEffects, CountersRunOutAndAQuietTurnGoesStraightOn) {
  Duel d;
  d.hero.st_atkUp = 2;
  d.hero.st_paralysis = 1;
  d.hero.st_fireWall = 1;
  d.hero.st_guard = 3;  // spent by blows, not by turns
  d.hero.st_absorb = 1;
  d.g.battle.phase = 2;
  battle::ApplyTurnEffects(d.g);
  EXPECT_EQ(d.hero.st_atkUp, 1);
  EXPECT_EQ(d.hero.st_paralysis, 0);
  EXPECT_EQ(d.hero.st_fireWall, 0);
  EXPECT_EQ(d.hero.st_guard, 3);
  EXPECT_EQ(d.hero.st_absorb, 1);
  EXPECT_EQ(d.g.battle.phase, 3);  // nothing fired: the choice follows at once
  EXPECT_EQ(d.g.battle.phaseDelay, 0);
}

}  // namespace
}  // namespace qv
