// The attack roll: the power of a blow through defence, statuses, elements and the wearer's
// gear, the hit chance, then guard, critical and what the landed blow sets off; and sure
// damage, which skips the defence, the aim, the guard and the critical.
#include "battle/resolve_attack.h"

#include <algorithm>
#include <string>

#include "battle/clamp.h"
#include "battle/equipment.h"
#include "battle/resolve_shared.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

// Skill ids whose aim is halved for a doubled blow, besides 弓矢狼.
constexpr int32_t kLongShots[] = {133, 173, 174};
constexpr int32_t kOverkillLevel = 25;

// Bosses that shrug off a kind of attack.
enum class Shrugs : int32_t { kPhysical, kOrdinary, kMagic };
struct Warden {
  const char* name;
  Shrugs kind;
  int32_t attackDiv;  // the attack roll's blow is divided by this
  int32_t directDiv;  // sure damage is divided by this
};
constexpr Warden kWardens[] = {
    {"海神・魔獣・時数露不", Shrugs::kPhysical, 20, 10},
    {"地天・ｎｏｅｌ", Shrugs::kOrdinary, 20, 20},
    {"今、光", Shrugs::kOrdinary, 50, 20},
    {"聳えるヤマオ", Shrugs::kMagic, 50, 20},
};

const ItemDef& Item(const Act& b, int32_t index) {
  return ItemAt(b.g.state, index);
}

int32_t BasePower(const Act& b, int32_t a) {
  return a + b.X.attack + Item(b, b.X.weapon).attack + Item(b, b.X.arm).attack;
}

int32_t Desperation(Act& b, int32_t a) {
  if (b.player) a += GearBonus(b.g, Gear::kDesperateDamage);
  return a;
}

int32_t Defence(const Act& b, int32_t a) {
  // The water laser cuts through armour.
  if (b.def.name == Sjis("ウォータレーザー")) return a;
  return a - (b.T.defense + Item(b, b.T.armor).defense + Item(b, b.T.helmet).defense +
              Item(b, b.T.shield).defense + Item(b, b.T.waist).defense);
}

int32_t LightAndDarkWeapons(const Act& b, int32_t a) {
  if (!b.player) return a;
  const WeaponAffinity weapon = PlayerWeaponAffinity(b.g.state);
  if (weapon == WeaponAffinity::kLight) {
    if (b.T.st_regen > 0) a /= 2;
    if (b.T.element == kElemLight) a -= a / 5;
    if (b.T.element == kElemDark) a += a / 5;
  } else if (weapon == WeaponAffinity::kDark) {
    if (b.t == 1 && b.T.name == Sjis("光")) a += 7;
    if (b.T.st_magic > 0) a /= 2;
    if (b.T.element == kElemDark) a -= a / 5;
    if (b.T.element == kElemLight) a += a / 5;
  }
  return a;
}

int32_t GuardAndPower(Act& b, int32_t a) {
  if (b.T.st_guard > 0) {
    b.T.st_guard -= 1;
    a /= 2;
  }
  if (b.X.st_atkDown > 0) a -= a / 2;
  if (b.T.st_defDown > 0) a += a / 2 + 1;
  if (b.X.st_power > 0) {
    b.X.st_power -= 1;
    a *= 2;
  }
  return a;
}

bool IsLongShot(const Act& b) {
  if (b.def.name == Sjis("弓矢狼")) return true;
  return std::find(std::begin(kLongShots), std::end(kLongShots), b.skill) != std::end(kLongShots);
}

int32_t HitChance(Act& b) {
  const Combatant& A = b.X;
  const Combatant& T = b.T;
  int32_t t = A.hitRate - T.evadeRate + 100;
  if (A.st_hitUp > 0) t += 30;
  if (A.st_magicHitUp > 0 && b.magic) t += 30;
  if (T.st_evadeUp > 0) t -= 30;
  t += Item(b, A.weapon).hitOrEvade - Item(b, T.armor).hitOrEvade + Item(b, A.ringRight).ringHit -
       Item(b, T.ringRight).hitOrEvade + Item(b, A.ringLeft).ringHit -
       Item(b, T.ringLeft).hitOrEvade;
  if (b.player) {
    if (b.magic) t += GearBonus(b.g, Gear::kMagicAim);
    t += GearBonus(b.g, Gear::kAim);
  }
  if (b.PlayerHit()) t -= GearBonus(b.g, Gear::kFootwork);
  return t;
}

// The last word on the aim: dodges and the sure hit are used up here.
int32_t FinalChance(Act& b, int32_t t) {
  if (b.T.st_evadeDown > 0) t += 30;
  if (b.X.st_hitDown > 0) t -= 30;
  t = std::clamp(t, 5, 95) + Random(b.g, 7) - 3;
  if (b.T.st_dodge == 1) {
    b.T.st_dodge = 0;
    t = 0;
  }
  if (b.T.st_magicDodge == 1 && b.magic) {
    b.T.st_magicDodge = 0;
    t = 0;
  }
  if (b.X.st_sureHit == 1) {
    b.X.st_sureHit = 0;
    t = 100;
  }
  return t;
}

bool RollGuard(Act& b, int32_t& a) {
  int32_t rate = Item(b, b.T.shield).guardRate + b.T.guardRate;
  if (b.PlayerHit()) rate += GearBonus(b.g, Gear::kGuardRate);
  if (b.T.st_firmUp > 0) rate += 20;
  rate = std::clamp(rate - Random(b.g, 7) + 3, 0, 99);
  if (rate < Random(b.g, 100)) return false;
  if (b.PlayerHit()) ApplyGuardReward(b.g);
  AddTextLine(
      b.g, Compose(b.g, "ガード率 {rate}％＞ガードしました!! ダメージ半減", {Arg("rate", rate)}));
  a /= 2;
  return true;
}

void RollCritical(Act& b, int32_t& a, bool guarded) {
  int32_t rate = Item(b, b.X.helmet).critRate + b.X.critRate;
  if (b.player) rate += GearBonus(b.g, Gear::kCritRate);
  if (b.X.st_critUp > 0) rate += 20;
  rate = std::clamp(rate - Random(b.g, 7) + 3, 0, 99);
  // A guarded blow is never doubled.
  if (rate < Random(b.g, 100) || guarded) return;
  AddTextLine(b.g, Compose(b.g, "ｸﾘﾃｨｶﾙ率 {rate}％＞クリティカルヒット!! ダメージ倍増",
                           {Arg("rate", rate)}));
  a *= 2;
  if (b.PlayerHit() && GearBonus(b.g, Gear::kCritHalved) > 0) a /= 2;
}

// Absorb is used before reflect; only one of them acts on a blow.
void LandBlow(Act& b, int32_t a, int32_t t) {
  Game& g = b.g;
  if (b.T.st_absorb > 0) {
    b.T.st_absorb -= 1;
    AddTextLine(g, Compose(g, "{T}は{n}ダメージ吸収した!!", {Who(g, "T", b.t), Arg("n", a)}));
    HealHp(g, b.t, a);
    return;
  }
  if (b.T.st_reflect > 0) {
    b.T.st_reflect -= 1;
    AddTextLine(g, Compose(g, "{T}は{n}ダメージを跳ね返した!!", {Who(g, "T", b.t), Arg("n", a)}));
    DamageHp(g, b.x, a);
    return;
  }
  const bool alreadyDown = b.T.hp <= 0;
  AddTextLine(g, Compose(g, "命中率 {hit}％＞{T}に{n}ダメージ",
                         {Arg("hit", t), Who(g, "T", b.t), Arg("n", a)}));
  DamageHp(g, b.t, a);
  // The hero's overkill trait: every blow on a fallen enemy feeds the hero.
  if (alreadyDown && b.player && g.state.player().level >= kOverkillLevel) {
    const int32_t heal = b.X.maxHp / 10 + 1;
    HealHp(g, b.x, heal);
    AddTextLine(g, Compose(g, "オーバーキル＞ {n}回復", {Arg("n", heal)}));
  }
}

void ExtraDamage(Act& b) {
  if (b.X.st_extra <= 0) return;
  const int32_t r = Random(b.g, 5);
  int32_t e = b.T.element == kElemDark ? 2 * r + 4 : r + 2;
  if (b.T.element == kElemLight) e /= 2;
  if (b.T.st_regen > 0) e /= 2;
  if (b.PlayerHit() && GearBonus(b.g, Gear::kExtraHalved) > 0) e /= 2;
  if (b.player) e += GearBonus(b.g, Gear::kExtraDamage);
  if (b.PlayerHit()) e -= GearBonus(b.g, Gear::kMagicWard);
  e = std::max(e, 1);
  AddTextLine(b.g, Compose(b.g, "追加ダメージ＞ {n}ダメージ", {Arg("n", e)}));
  DamageHp(b.g, b.t, e);
}

void FireWall(Act& b, int32_t a) {
  if (b.T.st_fireWall <= 0) return;
  int32_t e = a / 2;
  if (b.X.element == kElemFire) e = 0;
  if (b.X.element == kElemWater) e += e / 2;
  // The game takes the magic circle off the hero's own wall: the circle is read on the
  // wall's owner, as with extra damage.
  if (b.PlayerHit()) e -= GearBonus(b.g, Gear::kMagicWard);
  e = std::max(e, 1);
  AddTextLine(b.g, Compose(b.g, "炎壁ダメージ＞ {X}は{n}ダメージを受けてしまった!!",
                           {Who(b.g, "X", b.x), Arg("n", e)}));
  DamageHp(b.g, b.x, e);
}

void Thorns(Act& b) {
  if (b.T.st_thorns <= 0) return;
  int32_t e = Random(b.g, 5) + 3;
  if (b.x == 1) e += GearBonus(b.g, Gear::kThornDamage);
  AddTextLine(b.g, Compose(b.g, "棘ダメージ＞ {X}は{n}ダメージを受けてしまった!!",
                           {Who(b.g, "X", b.x), Arg("n", e)}));
  DamageHp(b.g, b.x, e);
}

void TpGains(Act& b) {
  int32_t gain = Random(b.g, 6) + 10;
  if (b.PlayerHit()) gain += GearBonus(b.g, Gear::kHitTp);
  b.T.tp += gain;
  if (b.player) b.X.tp += GearBonus(b.g, Gear::kWeaponTp);
  ClampState(b.g);
}

void Miss(Act& b, int32_t t) {
  if (b.player) b.X.hp += GearBonus(b.g, Gear::kMissHeal);
  if (b.PlayerHit()) b.T.mp += GearBonus(b.g, Gear::kMissMp);
  AddTextLine(b.g, Compose(b.g, "命中率 {hit}％＞Miss....", {Arg("hit", t)}));
}

// A boss's resistance to the kind of blow (with its line); unchanged when none applies.
int32_t WardenPower(Act& b, int32_t a, bool direct) {
  if (!b.player) return a;
  const bool combination = b.skill >= kFirstCombination;
  for (const Warden& w : kWardens) {
    if (b.T.name != Sjis(w.name)) continue;
    const int32_t div = direct ? w.directDiv : w.attackDiv;
    switch (w.kind) {
      case Shrugs::kPhysical:
        if (b.magic) return a;
        if (!direct) AddTextLine(b.g, Sjis("＞物理耐性"));
        return a / div;
      case Shrugs::kOrdinary:
        // Only the trained combinations break through, and then they bite twice as hard.
        if (combination) return 2 * a + 10;
        AddTextLine(b.g, Sjis("＞通常攻撃耐性"));
        return a / div;
      case Shrugs::kMagic:
        if (!b.magic) return a;
        AddTextLine(b.g, Sjis("＞魔法耐性"));
        return a / div;
    }
  }
  return a;
}

}  // namespace

void ResolveAttack(Game& g, int attacker, int target, int32_t power) {
  Act b = MakeAct(g, attacker, target);
  int32_t a = BasePower(b, power);
  a = StatusBoosts(b, a);
  a = Desperation(b, a);
  a = MagicPower(b, a);
  a = Defence(b, a);
  a = MagicWard(b, a);
  a = WardenPower(b, a, false);
  a = ElementBoosts(b, a);
  a = ElementResists(b, a);
  a = EnemyTraits(b, a);
  if (b.t == 1 && b.T.name == Sjis("光")) a /= 10;
  a = LightAndDarkWeapons(b, a);
  a = GuardAndPower(b, a);
  a = CombinationBonus(b, a);
  a = std::max(a, 1);

  int32_t t = HitChance(b);
  if (b.def.name == Sjis("トロッコ銃")) {
    // The player's trolley gun aims better with training.
    t += b.player ? SkillLevelOf(g.state, b.skill) * 5 + 25 : 30;
  }
  if (IsLongShot(b)) {
    t /= 2;
    a *= 2;
  }
  t = FinalChance(b, t);

  if (Random(g, 100) >= t) {
    Miss(b, t);
    return;
  }
  const bool guarded = RollGuard(b, a);
  RollCritical(b, a, guarded);
  a = PlayerHitDamage(b, a);
  LandBlow(b, a, t);
  ExtraDamage(b);
  FireWall(b, a);
  Thorns(b);
  TpGains(b);
}

// Sure damage: no defence, aim, guard or critical, but the statuses, elements and gear still
// shape it.
void ResolveDirectDamage(Game& g, int attacker, int target, int32_t power) {
  Act b = MakeAct(g, attacker, target);
  int32_t a = StatusBoosts(b, power);
  a = MagicWard(b, a);
  a = MagicPower(b, a);
  a = WardenPower(b, a, true);
  a = ElementBoosts(b, a);
  a = ElementResists(b, a);
  a = EnemyTraits(b, a);
  a = CombinationBonus(b, a);
  a = std::max(a, 0);
  a = PlayerHitDamage(b, a);
  DamageHp(g, b.t, a);
  AddTextLine(g, Compose(g, "{T}に{n}のダメージ!!", {Who(g, "T", b.t), Arg("n", a)}));
  ClampState(g);
}

}  // namespace qv::battle
