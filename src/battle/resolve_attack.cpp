// The attack roll: the power of a blow through defence, statuses, elements and the wearer's
// gear, the hit chance, then guard, critical and what the landed blow sets off.
#include <algorithm>
#include <string>

#include "battle/action.h"
#include "battle/action_rules.h"
#include "battle/equipment.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

// Skill ids whose aim is halved for a doubled blow, besides 弓矢狼.
constexpr int32_t kLongShots[] = {133, 173, 174};
constexpr int32_t kFirstCombination = 100;
constexpr int32_t kOverkillLevel = 25;

std::string Num(int32_t n) { return std::to_string(n); }

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

const ItemDef& Item(const Blow& b, int32_t index) { return ItemAt(b.g.state, index); }

int32_t BasePower(const Blow& b, int32_t a) {
  return a + b.A.attack + Item(b, b.A.weapon).attack + Item(b, b.A.arm).attack;
}

int32_t Desperation(Blow& b, int32_t a) {
  if (b.playerAttacks) a += GearBonus(b.g, Gear::kDesperateDamage);
  return a;
}

int32_t Defence(const Blow& b, int32_t a) {
  // The water laser cuts through armour.
  if (b.skill.name == Sjis("ウォータレーザー")) return a;
  return a - (b.T.defense + Item(b, b.T.armor).defense + Item(b, b.T.helmet).defense +
              Item(b, b.T.shield).defense + Item(b, b.T.waist).defense);
}

int32_t LightAndDarkWeapons(const Blow& b, int32_t a) {
  if (!b.playerAttacks) return a;
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

int32_t GuardAndPower(Blow& b, int32_t a) {
  if (b.T.st_guard > 0) {
    b.T.st_guard -= 1;
    a /= 2;
  }
  if (b.A.st_atkDown > 0) a -= a / 2;
  if (b.T.st_defDown > 0) a += a / 2 + 1;
  if (b.A.st_power > 0) {
    b.A.st_power -= 1;
    a *= 2;
  }
  return a;
}

bool IsLongShot(const Blow& b) {
  if (b.skill.name == Sjis("弓矢狼")) return true;
  return std::find(std::begin(kLongShots), std::end(kLongShots), b.skillId) != std::end(kLongShots);
}

int32_t HitChance(Blow& b) {
  const Combatant& A = b.A;
  const Combatant& T = b.T;
  int32_t t = A.hitRate - T.evadeRate + 100;
  if (A.st_hitUp > 0) t += 30;
  if (A.st_magicHitUp > 0 && b.magic) t += 30;
  if (T.st_evadeUp > 0) t -= 30;
  t += Item(b, A.weapon).hitOrEvade - Item(b, T.armor).hitOrEvade + Item(b, A.ringRight).ringHit -
       Item(b, T.ringRight).hitOrEvade + Item(b, A.ringLeft).ringHit - Item(b, T.ringLeft).hitOrEvade;
  if (b.playerAttacks) {
    if (b.magic) t += GearBonus(b.g, Gear::kMagicAim);
    t += GearBonus(b.g, Gear::kAim);
  }
  if (b.playerHit) t -= GearBonus(b.g, Gear::kFootwork);
  return t;
}

// The last word on the aim: dodges and the sure hit are used up here.
int32_t FinalChance(Blow& b, int32_t t) {
  if (b.T.st_evadeDown > 0) t += 30;
  if (b.A.st_hitDown > 0) t -= 30;
  t = std::clamp(t, 5, 95) + Random(b.g, 7) - 3;
  if (b.T.st_dodge == 1) {
    b.T.st_dodge = 0;
    t = 0;
  }
  if (b.T.st_magicDodge == 1 && b.magic) {
    b.T.st_magicDodge = 0;
    t = 0;
  }
  if (b.A.st_sureHit == 1) {
    b.A.st_sureHit = 0;
    t = 100;
  }
  return t;
}

bool RollGuard(Blow& b, int32_t& a) {
  int32_t rate = Item(b, b.T.shield).guardRate + b.T.guardRate;
  if (b.playerHit) rate += GearBonus(b.g, Gear::kGuardRate);
  if (b.T.st_firmUp > 0) rate += 20;
  rate = std::clamp(rate - Random(b.g, 7) + 3, 0, 99);
  if (rate < Random(b.g, 100)) return false;
  if (b.playerHit) ApplyGuardReward(b.g);
  AddTextLine(b.g, Sjis("ガード率 ") + Num(rate) + Sjis("％＞ガードしました!! ダメージ半減"));
  a /= 2;
  return true;
}

void RollCritical(Blow& b, int32_t& a, bool guarded) {
  int32_t rate = Item(b, b.A.helmet).critRate + b.A.critRate;
  if (b.playerAttacks) rate += GearBonus(b.g, Gear::kCritRate);
  if (b.A.st_critUp > 0) rate += 20;
  rate = std::clamp(rate - Random(b.g, 7) + 3, 0, 99);
  // A guarded blow is never doubled.
  if (rate < Random(b.g, 100) || guarded) return;
  AddTextLine(b.g, Sjis("ｸﾘﾃｨｶﾙ率 ") + Num(rate) + Sjis("％＞クリティカルヒット!! ダメージ倍増"));
  a *= 2;
  if (b.playerHit && GearBonus(b.g, Gear::kCritHalved) > 0) a /= 2;
}

// Absorb is used before reflect; only one of them acts on a blow.
void LandBlow(Blow& b, int32_t a, int32_t t) {
  Game& g = b.g;
  if (b.T.st_absorb > 0) {
    b.T.st_absorb -= 1;
    AddTextLine(g, b.T.name + Sjis("は") + Num(a) + Sjis("ダメージ吸収した!!"));
    HealHp(g, b.t, a);
    return;
  }
  if (b.T.st_reflect > 0) {
    b.T.st_reflect -= 1;
    AddTextLine(g, b.T.name + Sjis("は") + Num(a) + Sjis("ダメージを跳ね返した!!"));
    DamageHp(g, b.a, a);
    return;
  }
  const bool alreadyDown = b.T.hp <= 0;
  AddTextLine(g, Sjis("命中率 ") + Num(t) + Sjis("％＞") + b.T.name + Sjis("に") + Num(a) +
                     Sjis("ダメージ"));
  DamageHp(g, b.t, a);
  // The hero's overkill trait: every blow on a fallen enemy feeds the hero.
  if (alreadyDown && b.playerAttacks && g.state.player().level >= kOverkillLevel) {
    const int32_t heal = b.A.maxHp / 10 + 1;
    HealHp(g, b.a, heal);
    AddTextLine(g, Sjis("オーバーキル＞ ") + Num(heal) + Sjis("回復"));
  }
}

void ExtraDamage(Blow& b) {
  if (b.A.st_extra <= 0) return;
  const int32_t r = Random(b.g, 5);
  int32_t e = b.T.element == kElemDark ? 2 * r + 4 : r + 2;
  if (b.T.element == kElemLight) e /= 2;
  if (b.T.st_regen > 0) e /= 2;
  if (b.playerHit && GearBonus(b.g, Gear::kExtraHalved) > 0) e /= 2;
  if (b.playerAttacks) e += GearBonus(b.g, Gear::kExtraDamage);
  if (b.playerHit) e -= GearBonus(b.g, Gear::kMagicWard);
  e = std::max(e, 1);
  AddTextLine(b.g, Sjis("追加ダメージ＞ ") + Num(e) + Sjis("ダメージ"));
  DamageHp(b.g, b.t, e);
}

void FireWall(Blow& b, int32_t a) {
  if (b.T.st_fireWall <= 0) return;
  int32_t e = a / 2;
  if (b.A.element == kElemFire) e = 0;
  if (b.A.element == kElemWater) e += e / 2;
  // The game takes the magic circle off the hero's own wall: the circle is read on the
  // wall's owner, as with extra damage.
  if (b.playerHit) e -= GearBonus(b.g, Gear::kMagicWard);
  e = std::max(e, 1);
  AddTextLine(b.g, Sjis("炎壁ダメージ＞ ") + b.A.name + Sjis("は") + Num(e) +
                       Sjis("ダメージを受けてしまった!!"));
  DamageHp(b.g, b.a, e);
}

void Thorns(Blow& b) {
  if (b.T.st_thorns <= 0) return;
  int32_t e = Random(b.g, 5) + 3;
  if (b.a == 1) e += GearBonus(b.g, Gear::kThornDamage);
  AddTextLine(b.g, Sjis("棘ダメージ＞ ") + b.A.name + Sjis("は") + Num(e) +
                       Sjis("ダメージを受けてしまった!!"));
  DamageHp(b.g, b.a, e);
}

void TpGains(Blow& b) {
  int32_t gain = Random(b.g, 6) + 10;
  if (b.playerHit) gain += GearBonus(b.g, Gear::kHitTp);
  b.T.tp += gain;
  if (b.playerAttacks) b.A.tp += GearBonus(b.g, Gear::kWeaponTp);
  ClampAfterBlow(b.g);
}

void Miss(Blow& b, int32_t t) {
  if (b.playerAttacks) b.A.hp += GearBonus(b.g, Gear::kMissHeal);
  if (b.playerHit) b.T.mp += GearBonus(b.g, Gear::kMissMp);
  AddTextLine(b.g, Sjis("命中率 ") + Num(t) + Sjis("％＞Miss...."));
}

}  // namespace

int32_t WardenPower(Blow& b, int32_t a, bool direct) {
  if (!b.playerAttacks) return a;
  const bool combination = b.skillId >= kFirstCombination;
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

void ResolveAttack(Game& g, int attacker, int target, int32_t power) {
  Blow b = MakeBlow(g, attacker, target);
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
  if (b.skill.name == Sjis("トロッコ銃")) {
    // The player's trolley gun aims better with training.
    t += b.playerAttacks ? SkillLevelOf(g.state, b.skillId) * 5 + 25 : 30;
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

}  // namespace qv::battle
