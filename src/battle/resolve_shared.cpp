#include "battle/resolve_shared.h"

#include "battle/equipment.h"

namespace qv::battle {
namespace {

int32_t Quarter(int32_t a) {
  return a / 4 + 1;
}

}  // namespace

int32_t StatusBoosts(const Act& b, int32_t a) {
  if (b.X.st_atkUp > 0) a += Quarter(a);
  if (b.T.st_guardUp > 0) a -= Quarter(a);
  return a;
}

int32_t MagicPower(Act& b, int32_t a) {
  if (b.magic && b.player) a += GearBonus(b.g, Gear::kMagicDamage);
  return a;
}

int32_t MagicWard(Act& b, int32_t a) {
  if (b.magic && b.PlayerHit()) a -= GearBonus(b.g, Gear::kMagicWard);
  return a;
}

int32_t ElementBoosts(const Act& b, int32_t a) {
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
    if (b.X.*boost.counter > 0 && (b.T.element == boost.beats || b.def.*boost.flag == 1)) {
      a += Quarter(a);
    }
  }
  return a;
}

int32_t ElementResists(const Act& b, int32_t a) {
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
    if (b.T.*resist.counter > 0 && (b.X.element == resist.element || b.def.*resist.flag == 1)) {
      a -= Quarter(a);
    }
  }
  return a;
}

int32_t EnemyTraits(const Act& b, int32_t a) {
  const bool dark = b.def.elemDark == 1;
  const bool light = b.def.elemLight == 1;
  if (b.x == 1) {
    if (b.X.traitB == 1 && dark) a += a / 2 + 1;
    if (b.X.traitA == 1 && b.magic) a += a / 3 + 1;
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

int32_t CombinationBonus(const Act& b, int32_t a) {
  if (!b.player || b.skill < kFirstCombination) return a;
  if (b.X.level >= 50) a += 5;
  if (b.X.level >= 60) a += 5;
  return a;
}

int32_t PlayerHitDamage(Act& b, int32_t a) {
  if (b.player) a += GearBonus(b.g, Gear::kHitDamage);
  return a;
}

}  // namespace qv::battle
