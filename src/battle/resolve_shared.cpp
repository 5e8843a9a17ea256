// Damage rules shared by the attack roll and sure damage.
#include "battle/action_rules.h"
#include "battle/clamp.h"
#include "battle/equipment.h"

namespace qv::battle {
namespace {

constexpr int32_t kFirstCombination = 100;

const SkillDef& EmptySkill() {
  static const SkillDef kEmpty{};
  return kEmpty;
}

int32_t Quarter(int32_t a) { return a / 4 + 1; }

}  // namespace

const SkillDef& SkillAt(const GameState& s, int32_t id) {
  if (id < 0 || id >= kSkills) return EmptySkill();
  return s.skills[static_cast<size_t>(id)];
}

int32_t SkillLevelOf(const GameState& s, int32_t id) {
  if (id < 0 || id >= kPerId) return 0;
  return s.skillLevel[static_cast<size_t>(id)];
}

Blow MakeBlow(Game& g, int attacker, int target) {
  const int a = attacker == 1 ? 1 : 0;
  const int t = target == 1 ? 1 : 0;
  const int32_t id = g.battle.actionSkill;
  const SkillDef& skill = SkillAt(g.state, id);
  return Blow{g,
              a,
              t,
              g.state.combatants[static_cast<size_t>(a)],
              g.state.combatants[static_cast<size_t>(t)],
              id,
              skill,
              skill.isMagic > 0,
              a == 0,
              t == 0};
}

int32_t StatusBoosts(const Blow& b, int32_t a) {
  if (b.A.st_atkUp > 0) a += Quarter(a);
  if (b.T.st_guardUp > 0) a -= Quarter(a);
  return a;
}

int32_t MagicPower(Blow& b, int32_t a) {
  if (b.magic && b.playerAttacks) a += GearBonus(b.g, Gear::kMagicDamage);
  return a;
}

int32_t MagicWard(Blow& b, int32_t a) {
  if (b.magic && b.playerHit) a -= GearBonus(b.g, Gear::kMagicWard);
  return a;
}

int32_t ElementBoosts(const Blow& b, int32_t a) {
  // Each boost works on what its element beats, or with a skill of its own element.
  struct Boost {
    int32_t Combatant::*counter;
    int32_t beats;
    int32_t SkillDef::*flag;
  };
  static constexpr Boost kBoosts[] = {
      {&Combatant::st_powWater, kElemFire, &SkillDef::elemWater},
      {&Combatant::st_powFire, kElemWater, &SkillDef::elemFire},
      {&Combatant::st_powLight, kElemDark, &SkillDef::elemLight},
      {&Combatant::st_powDark, kElemLight, &SkillDef::elemDark},
      {&Combatant::st_powNone, kElemNone, &SkillDef::elemNone},
  };
  for (const Boost& boost : kBoosts) {
    if (b.A.*boost.counter > 0 && (b.T.element == boost.beats || b.skill.*boost.flag == 1)) {
      a += Quarter(a);
    }
  }
  return a;
}

int32_t ElementResists(const Blow& b, int32_t a) {
  struct Resist {
    int32_t Combatant::*counter;
    int32_t element;
    int32_t SkillDef::*flag;
  };
  static constexpr Resist kResists[] = {
      {&Combatant::st_resWater, kElemWater, &SkillDef::elemWater},
      {&Combatant::st_resFire, kElemFire, &SkillDef::elemFire},
      {&Combatant::st_resLight, kElemLight, &SkillDef::elemLight},
      {&Combatant::st_resDark, kElemDark, &SkillDef::elemDark},
      {&Combatant::st_resNone, kElemNone, &SkillDef::elemNone},
  };
  for (const Resist& resist : kResists) {
    if (b.T.*resist.counter > 0 && (b.A.element == resist.element || b.skill.*resist.flag == 1)) {
      a -= Quarter(a);
    }
  }
  return a;
}

int32_t EnemyTraits(const Blow& b, int32_t a) {
  const bool dark = b.skill.elemDark == 1;
  const bool light = b.skill.elemLight == 1;
  if (b.a == 1) {
    if (b.A.traitB == 1 && dark) a += a / 2 + 1;
    if (b.A.traitA == 1 && b.magic) a += a / 3 + 1;
  }
  if (b.t == 1) {
    if (b.T.traitB == 1) {
      // A creature of darkness: light burns it, everything else is softened.
      const int32_t m = a / 2 + 1;
      a += light ? m : -m;
      if (dark) a /= 2;
    }
    if (b.T.traitA == 1 && b.magic) a -= a / 2 + 1;
  }
  return a;
}

int32_t CombinationBonus(const Blow& b, int32_t a) {
  if (!b.playerAttacks || b.skillId < kFirstCombination) return a;
  if (b.A.level >= 50) a += 5;
  if (b.A.level >= 60) a += 5;
  return a;
}

int32_t PlayerHitDamage(Blow& b, int32_t a) {
  if (b.playerAttacks) a += GearBonus(b.g, Gear::kHitDamage);
  return a;
}

void ClampAfterBlow(Game& g) { ClampState(g); }

}  // namespace qv::battle
