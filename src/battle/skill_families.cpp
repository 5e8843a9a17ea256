// The skills that share a shape, one table per family: attacks (with what may follow a
// blow), many-hit attacks, recoveries, timed states on oneself and timed weakenings.
#include <string>

#include "battle/equipment.h"
#include "battle/skill_script.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

using enum Mod;

// --- Attacks -----------------------------------------------------------------------------

// Whether the step after the blow happens.
enum class Gate : uint8_t { kAlways, kElementalOneInThree, kOneInThree, kOneInFour };

struct AttackScript;
using FollowFn = void (*)(Act&, const AttackScript&);

struct AttackScript {
  int32_t id;
  const char* intro1;  // a line of its own step before the blow, or null
  const char* intro2;
  Power power;
  Mods mods;
  FollowFn follow = nullptr;  // the step after the blow, or null
  Gate gate = Gate::kAlways;
};

int32_t BlowPower(Act& act, const AttackScript& s) {
  return ApplyMods(act, Roll(act, s.power), s.mods);
}

void Faint(Act& act, const AttackScript&) {
  act.T.st_faint = 1;
  Say(act, "{T}は気絶してしまった!!");
}
void ShaveMp(Act& act, const AttackScript&) {
  ChangeMp(act.g, act.t, -1);
  Say(act, "MPを 1削った!!");
}
void ShaveTp(Act& act, const AttackScript&) {
  act.T.tp -= 30;
  Say(act, "TPを 30削った!!");
}
void DarkRecoil(Act& act, const AttackScript&) {
  const int32_t n = act.X.maxHp / 10;
  DamageHp(act.g, act.x, n);
  AddTextLine(act.g, Compose(act.g, "{X}は {n}の暗黒ダメージを食らった",
                             {Who(act.g, "X", act.x), Arg("n", n)}));
}
void SecondBlade(Act& act, const AttackScript& s) {
  Attack(act, BlowPower(act, s));
}
void Paralyse(Act& act, const AttackScript&) {
  act.T.st_paralysis = Random(act.g, 2) + 3;
  Say(act, "{T}は麻痺してしまった!!");
}
void DimSight(Act& act, const AttackScript&) {
  int32_t d = Random(act.g, 2) + 3;
  if (act.T.element == kElemDark) d /= 2;
  act.T.st_hitDown = d;
  Say(act, "{T}は命中率が低下してしまった!!");
}
void MissileRepair(Act& act, const AttackScript&) {
  const int32_t n = Roll(act, Power{2, 1, 1, 1, 2});
  HealHp(act.g, act.x, n);
  AddTextLine(act.g, Compose(act.g, "{X}はHPが {n}回復", {Who(act.g, "X", act.x), Arg("n", n)}));
}
void BreakGuard(Act& act, const AttackScript&) {
  act.T.st_defDown += 2;
  Say(act, "{T}の防御力を下げた");
}
// The thrown weapon is gone for good; without one the thrower strains its arm.
void LoseWeapon(Act& act, const AttackScript&) {
  const int32_t weapon = act.X.weapon;
  const ItemDef& item = ItemAt(act.g.state, weapon);
  if (weapon > 0 && !item.name.empty()) {
    const std::string name = item.name;
    if (act.player && weapon < kPerId) {
      int32_t& owned = act.g.state.owned[static_cast<size_t>(weapon)];
      if (owned > 0) owned -= 1;
    }
    act.X.weapon = 0;
    AddTextLine(act.g, Compose(act.g, "{X}は装備していた武器【{weapon}】を失った....",
                               {Who(act.g, "X", act.x), Term("weapon", name)}));
  } else {
    act.X.st_atkDown = 2;
    Say(act, "{X}は攻撃力が低下した....");
  }
}
void Swoon(Act& act, const AttackScript&) {
  act.X.st_faint = 1;
  act.X.st_paralysis += 3;
  act.X.st_atkDown += 3;
  Say(act, "{X}はあまりの力を使ったことで、失神した");
}

// clang-format off
const AttackScript kAttacks[] = {
    {0, nullptr, nullptr, {0, 5, 5, 1, 2}, {}},
    {3, "{X}は山を持ち上げた!!", "ひゅーん!! 山が落ちてくる!!", {5, 7, 5, 2, 1}, {{{kTargetMaxHpTenth}}}},
    {4, nullptr, nullptr, {15, 1, 1, 1, 1}, {}},
    {9, nullptr, nullptr, {2, 6, 5, 1, 1},
     {{{kCrest}, {kHalfIfFireWall}, {kHalfVs, kElemFire}, {kDoubleVs, kElemWater}, {kMagicalRobe}}}},
    {12, nullptr, nullptr, {2, 5, 4, 1, 1}, {}, Faint, Gate::kElementalOneInThree},
    {13, nullptr, nullptr, {0, 10, 10, 1, 1}, {}},
    {14, nullptr, nullptr, {2, 4, 3, 1, 1},
     {{{kHalfVs, kElemLight}, {kDoubleVs, kElemDark}, {kHalfIfRegen}, {kLightRobe}, {kCrest}}}, ShaveMp},
    {16, nullptr, nullptr, {0, 5, 4, 1, 1},
     {{{kActorMaxHpTenth}, {kDoubleVs, kElemLight}, {kHalfVs, kElemDark}, {kHalfIfMagic}}}, DarkRecoil},
    {17, nullptr, nullptr, {2, 3, 1, 1, 1}, {}, SecondBlade},
    {18, nullptr, nullptr, {0, 11, 3, 2, 1}, {{{kTwiceWeapon}}}, LoseWeapon},
    {21, nullptr, nullptr, {2, 5, 5, 0, 1}, {}},
    {26, nullptr, nullptr, {2, 4, 4, 1, 1}, {{{kHalfVsEnemy, kElemNone}, {kDoubleVs, kElemWater}}},
     Paralyse, Gate::kOneInFour},
    {34, nullptr, nullptr, {0, 0, 0, 0, 1}, {{{kMagicBlade}, {kHalfVs, kElemLight}, {kHalfIfRegen}, {kLightRobe}}}},
    {36, nullptr, nullptr, {2, 4, 4, 1, 1}, {{{kHalfVs, kElemDark}, {kDoubleVs, kElemLight}, {kHalfIfMagic}}},
     DimSight, Gate::kOneInFour},
    {37, nullptr, nullptr, {2, 11, 10, 1, 1},
     {{{kHalfIfFireWall}, {kAddHalfVs, kElemDark}, {kHalfVs, kElemFire}, {kDoubleVs, kElemWater}, {kCrest},
       {kMagicalRobe}}}},
    {39, nullptr, nullptr, {0, 5, 5, 1, 2}, {{{kHalfIfRegen}, {kLightRobe}}}},
    {44, "{X}は時代の風を巻き起こした!!", nullptr, {2, 22, 21, 1, 1}, {{{kCrest}, {kMagicalRobe}}}},
    {45, "{X}は笑いながら手を振った....!!", nullptr, {2, 54, 53, 1, 1}, {{{kCrest}, {kMagicalRobe}}}},
    {47, nullptr, nullptr, {0, 10, 9, 1, 1}, {{{kZeroUnless, kElemNone}}}, ShaveTp},
    {48, nullptr, nullptr, {0, 5, 5, 1, 2}, {{{kDoubleVs, kElemFire}, {kHalfVs, kElemWater}}}},
    {50, nullptr, nullptr, {0, 0, 0, 0, 1}, {{{kLevelOrDepth}, {kHalfVs, kElemNone}}}, MissileRepair},
    {51, "{X}は離島一本流の構え!!", nullptr, {2, 10, 8, 2, 1}, {}, BreakGuard, Gate::kOneInThree},
    {203, "羅門彗星の力が、魔獣の体に宿る!!!!", nullptr, {0, 80, 80, 0, 1}, {}, Swoon},
};
// clang-format on

const AttackScript* FindAttack(int32_t id) {
  for (const AttackScript& s : kAttacks) {
    if (s.id == id) return &s;
  }
  return nullptr;
}

bool Passes(Act& act, Gate gate) {
  switch (gate) {
    case Gate::kAlways:
      return true;
    case Gate::kElementalOneInThree:
      return act.T.element != kElemNone && Random(act.g, 3) == 0;
    case Gate::kOneInThree:
      return Random(act.g, 3) == 0;
    case Gate::kOneInFour:
      return Random(act.g, 4) == 0;
  }
  return false;
}

// --- Many-hit attacks --------------------------------------------------------------------

enum class Count : uint8_t { kSlaps, kQuake };
struct VolleyScript {
  int32_t id;
  Count count;
  Power power;
  Mods mods;
};

// clang-format off
constexpr VolleyScript kVolleys[] = {
    {33, Count::kSlaps, {2, 3, 3, 0, 1}, {}},
    {49, Count::kSlaps, {2, 2, 2, 0, 1},
     {{{kPlusUnless, kElemLight}, {kPlusVs, kElemDark}, {kLightRobe}, {kMinusOneIfRegen}}}},
    {202, Count::kQuake, {2, 3, 3, 0, 1}, {}},
};
// clang-format on

int32_t Hits(Act& act, Count count) {
  if (count == Count::kQuake) return Random(act.g, 2) + 2;
  int32_t hits = Random(act.g, 2) + 1;
  if (act.player) hits += GearBonus(act.g, Gear::kExtraSlaps);
  hits += act.player ? Random(act.g, act.level / 2 + 1) : Random(act.g, 4);
  return hits;
}

// --- Recoveries --------------------------------------------------------------------------

enum class Pool : uint8_t { kHp, kMp };
struct RecoveryScript {
  int32_t id;
  const char* intro;
  Pool pool;
  Power power;
};

constexpr RecoveryScript kRecoveries[] = {
    {2, "{X}は虫を呼び寄せた!!", Pool::kHp, {3, 6, 4, 1, 1}},
    {10, "{X}は何やら呪文を唱えている....", Pool::kMp, {2, 2, 2, 1, 2}},
    {201, "{X}は新種の虫を呼び寄せた!!", Pool::kHp, {6, 25, 25, 0, 1}},
};

// --- Timed states on oneself -------------------------------------------------------------

struct SelfStateScript {
  int32_t id;
  const char* intro;
  const char* stateLine;
  int32_t Combatant::*counter;
};

constexpr SelfStateScript kSelfStates[] = {
    {25, "{X}の体が光を纏った", "<癒>状態になった!!", &Combatant::st_regen},
    {31, "{X}の手に光が宿った!!", "<追加>状態になった!!", &Combatant::st_extra},
    {38, "{X}は炎の壁に包まれた!!", "<炎壁>状態になった!!", &Combatant::st_fireWall},
    {42, "{X}の体が闇を纏った", "<魔>状態になった!!", &Combatant::st_magic},
    {43, "{X}の体が水の羽衣を纏った", "<水>状態になった!!", &Combatant::st_water},
    {46, "{X}の手に魔力が漲って来る....!!", "<魔紋>状態になった!!", &Combatant::st_magicCrest},
};

// --- Timed weakenings of the foe ---------------------------------------------------------

struct WeakenScript {
  int32_t id;
  const char* intro;
  const char* effectLine;
  int32_t Combatant::*counter;
  Power turns;
  Mods mods;
};

// clang-format off
constexpr WeakenScript kWeakenings[] = {
    {6, "{X}は粘液を投げつけた!!", "体に毒がまわった!!", &Combatant::st_poison, {2, 3, 2, 1, 1},
     {{{kHalfVs, kElemWater}, {kHalfIfWater}}}},
    {23, "{X}が祈祷を行うと、突然雨が降り出した!!", "攻撃力が一時的に低下した!!", &Combatant::st_atkDown,
     {2, 3, 3, 1, 2}, {{{kPlusVs, kElemFire}, {kHalfVs, kElemWater}, {kHalfIfWater}}}},
    {24, "{X}の体が光り出した!!", "眩しくてよく見えない!!", &Combatant::st_hitDown, {2, 3, 3, 1, 2},
     {{{kPlusIfTraitB}, {kPlusVs, kElemDark}, {kHalfVs, kElemLight}, {kHalfIfRegen}, {kLightRobe}}}},
    {29, "{X}は得体の知れないウィルスを放った!!", "{T}の防御力が一時的に低下した!!", &Combatant::st_defDown,
     {2, 3, 3, 1, 2}, {{{kHalfVs, kElemDark}, {kHalfIfMagic}}}},
    {30, "{X}は{T}の足に鉄の枷を掛けた!!", "思うように動けない!!", &Combatant::st_evadeDown, {2, 3, 3, 1, 2},
     {{{kHalfVsEnemy, kElemNone}}}},
    {35, "{X}はﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲを放った!!", "体に猛毒がまわった!!", &Combatant::st_heavyPoison, {2, 3, 2, 1, 2},
     {{{kHalfVs, kElemWater}, {kHalfIfWater}}}},
};
// clang-format on

template <typename Row, size_t N>
const Row* FindRow(const Row (&rows)[N], int32_t id) {
  for (const Row& r : rows) {
    if (r.id == id) return &r;
  }
  return nullptr;
}

}  // namespace

bool HasAttackScript(int32_t id) {
  return FindAttack(id) != nullptr;
}

void RunAttackScript(Act& act) {
  const AttackScript* s = FindAttack(act.skill);
  if (!s) return;
  const int32_t intros = (s->intro1 ? 1 : 0) + (s->intro2 ? 1 : 0);
  if (act.step <= intros) {
    Say(act, act.step == 1 ? s->intro1 : s->intro2);
    return;
  }
  if (act.step == intros + 1) {
    Attack(act, BlowPower(act, *s));
    // Most blows end the action; some go on a step later, now and then.
    if (!s->follow || !Passes(act, s->gate)) Finish(act);
    return;
  }
  if (act.step == intros + 2 && s->follow) {
    s->follow(act, *s);
    Finish(act);
  }
}

bool HasVolleyScript(int32_t id) {
  return FindRow(kVolleys, id) != nullptr;
}

void RunVolleyScript(Act& act) {
  const VolleyScript* s = FindRow(kVolleys, act.skill);
  if (!s || act.step != 1) return;
  const int32_t hits = Hits(act, s->count);
  for (int32_t i = 0; i < hits; ++i) Attack(act, ApplyMods(act, Roll(act, s->power), s->mods));
  Finish(act);
}

bool HasRecoveryScript(int32_t id) {
  return FindRow(kRecoveries, id) != nullptr;
}

void RunRecoveryScript(Act& act) {
  const RecoveryScript* s = FindRow(kRecoveries, act.skill);
  if (!s) return;
  if (act.step == 1) {
    Say(act, s->intro);
    return;
  }
  if (act.step != 2) return;
  const int32_t n = Roll(act, s->power);
  if (s->pool == Pool::kHp) {
    HealSelf(act, n);
  } else {
    ChangeMp(act.g, act.x, n);
    AddTextLine(act.g, Compose(act.g, "MP {n}回復", {Arg("n", n)}));
  }
  Finish(act);
}

bool HasSelfStateScript(int32_t id) {
  return FindRow(kSelfStates, id) != nullptr;
}

void RunSelfStateScript(Act& act) {
  const SelfStateScript* s = FindRow(kSelfStates, act.skill);
  if (!s) return;
  if (act.step == 1) {
    Say(act, s->intro);
    return;
  }
  if (act.step != 2) return;
  Say(act, s->stateLine);
  int32_t d = Random(act.g, 2) + 3;
  if (act.player) d += act.level / 2 + GearBonus(act.g, Gear::kLongerStates);
  act.X.*(s->counter) = d;
  Finish(act);
}

bool HasWeakenScript(int32_t id) {
  return FindRow(kWeakenings, id) != nullptr;
}

void RunWeakenScript(Act& act) {
  const WeakenScript* s = FindRow(kWeakenings, act.skill);
  if (!s) return;
  if (act.step == 1) {
    Say(act, s->intro);
    return;
  }
  if (act.step != 2) return;
  Say(act, s->effectLine);
  act.T.*(s->counter) = ApplyMods(act, Roll(act, s->turns), s->mods);
  Finish(act);
}

}  // namespace qv::battle
