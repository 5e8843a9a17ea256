// The combination blows: one table of single hits, hits with a step after them and volleys,
// with the light attack, fire attack and blaze written once and shared by their rows.
#include <string>

#include "battle/combination_scripts.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

using enum Mod;

// Random(roll) + base for either side; combinations do not grow with a skill level.
constexpr Power P(int32_t roll, int32_t base) {
  return Power{roll, base, base, 0, 1};
}

// The light attack: weak on light, strong on darkness, softened by regeneration and robes.
constexpr Power kLightPower = P(2, 8);
constexpr Mods kLight = {
    {{kHalfVs, kElemLight}, {kDoubleVs, kElemDark}, {kHalfIfRegen}, {kLightRobe}, {kMagicalRobe}}};
// The fire attack: weak on fire, strong on water, softened by a fire wall and the magical robe.
constexpr Power kFirePower = P(2, 8);
constexpr Mods kFire = {
    {{kHalfVs, kElemFire}, {kDoubleVs, kElemWater}, {kHalfIfFireWall}, {kMagicalRobe}}};
// The blaze: a stronger fire, fanned by the actor's magic crest.
constexpr Power kBlazePower = P(2, 13);
constexpr Mods kBlaze = {
    {{kCrest}, {kHalfIfFireWall}, {kHalfVs, kElemFire}, {kDoubleVs, kElemWater}, {kMagicalRobe}}};

using PowerFn = int32_t (*)(Act&);

struct Hits {
  int32_t roll = 0;
  int32_t base = 1;
};

struct ComboAttack {
  int32_t id = 0;
  const char* line1 = nullptr;  // lines of step 1, before anything else
  const char* line2 = nullptr;
  Power power{};
  Mods mods{};
  PowerFn custom = nullptr;   // a power of its own instead of power and mods
  ScriptFn before = nullptr;  // on the actor just before the blows
  Hits hits{};
  int32_t blowStep = 1;
  ScriptFn after = nullptr;  // what follows the blows
  int32_t afterStep = 0;
};

int32_t EarthPower(Act& act) {  // 地球投げ: the heavier the foe, the harder it falls
  return Random(act.g, 5) + act.T.maxHp / 5 + 7;
}
int32_t DragonBreathPower(Act& act) {
  return ApplyMods(act, act.X.maxHp / 2,
                   {{{kHalfIfFireWall}, {kHalfVs, kElemFire}, {kDoubleVs, kElemWater}}});
}
int32_t DoubleVomactPower(Act& act) {  // ヴォマクトＷアタック
  int32_t m = Random(act.g, 3) + 4;
  // Light keeps the larger half (5 becomes 3), unlike the halvings elsewhere.
  if (act.T.element == kElemLight) m -= m / 2;
  if (act.T.element == kElemDark) m += m / 2;
  return m;
}
int32_t YoichiPower(Act& act) {  // 与一の矢: a dark arrow that creatures of darkness shrug off
  int32_t p =
      ApplyMods(act, Random(act.g, 2) + 8, {{{kHalfVs, kElemDark}, {kDoubleVs, kElemLight}}});
  if (act.T.traitB == 1) p /= 2;
  return ApplyMods(act, p, {{{kMagicalRobe}}});
}
int32_t TwinklePower(Act& act) {  // 闇に瞬く光: a light that shines brightest on the light-born
  const int32_t m = Random(act.g, 2);
  int32_t p = act.T.element == kElemLight ? 2 * m + 30 : m + 15;
  return ApplyMods(act, p,
                   {{{kDoubleVs, kElemDark}, {kHalfIfRegen}, {kLightRobe}, {kMagicalRobe}}});
}

void ShaveTwoMp(Act& act) {
  ChangeMp(act.g, act.t, -2);
  Say(act, "MPを 2削った!!");
}
void ShaveThirtyTp(Act& act) {
  act.T.tp -= 30;
  Say(act, "TPを 30削った!!");
}
void ShaveFifteenTp(Act& act) {
  act.T.tp -= 15;
  Say(act, "TPを 15削った!!");
}
void SlowFoe(Act& act) {
  act.T.st_evadeDown += Random(act.g, 2) + 3;
  Say(act, "{T}の回避率を一時的に下げた!!");
}
void DananMp(Act& act) {  // トゥアハ・デ・ダナン refills a tenth of the actor's MP, and a little
  const int32_t n = Random(act.g, 2) + act.X.maxMp / 10;
  ChangeMp(act.g, act.x, n);
  AddTextLine(act.g, Compose(act.g, "MPが {n}回復", {Arg("n", n)}));
}
void AttackUp(Act& act) {
  act.X.st_atkUp += 2;
}
void HitUp(Act& act) {
  act.X.st_hitUp += 2;
}
void GuardUp(Act& act) {
  act.X.st_guardUp += 2;
}
// ファイアーパンチ has no record of its own until it is thrown; from then on its blows count
// as fire for the element boosts and resistances.
void FireFist(Act& act) {
  constexpr int32_t kFirePunch = 186;
  act.g.state.skills[kFirePunch].elemFire = 1;
}

void SecondStar(Act& act);

// clang-format off
const ComboAttack kComboAttacks[] = {
    {.id = 100, .power = kLightPower, .mods = kLight, .after = ShaveTwoMp, .afterStep = 2},
    {.id = 101, .line1 = "{X}は地球を持ち上げた!!", .line2 = "ひゅーん!! 地球が落ちてくる!!", .custom = EarthPower},
    {.id = 102, .line1 = "5～25間でランダムダメージ!!", .power = P(21, 5)},
    {.id = 103, .line1 = "豪火が舞い上がる！", .power = kBlazePower, .mods = kBlaze},
    {.id = 104, .line1 = "{X}の口から竜の炎が放出する!!", .custom = DragonBreathPower},
    {.id = 106, .line1 = "{X}は一輪の花を放った!!", .power = P(0, 15)},
    {.id = 107, .power = P(5, 5), .after = SecondStar, .afterStep = 2},
    {.id = 116, .power = P(2, 8), .mods = {{{kDoubleVs, kElemWater}}}, .after = ShaveThirtyTp, .afterStep = 2},
    {.id = 118, .custom = DoubleVomactPower},
    {.id = 119, .line1 = "2回攻撃", .power = P(2, 3), .hits = {0, 2}, .blowStep = 2},
    {.id = 130, .power = P(2, 4), .hits = {2, 3}},
    {.id = 131, .power = P(2, 3),
     .mods = {{{kPlusUnless, kElemLight}, {kPlusVs, kElemDark}, {kLightRobe}, {kMinusOneIfRegen}}},
     .hits = {2, 3}},
    {.id = 132, .line1 = "地球からマグマが噴出した!!", .power = kBlazePower, .mods = kBlaze},
    {.id = 133, .line1 = "命中率半減 光属性攻撃", .power = kLightPower, .mods = kLight},
    {.id = 151, .power = P(2, 5)},
    {.id = 153, .line1 = "鋼鉄のひとふりが加わった!!", .power = P(0, 10)},
    {.id = 173, .line1 = "命中率半減 火属性攻撃", .power = kFirePower, .mods = kFire},
    {.id = 174, .line1 = "命中率半減 闇属性攻撃", .custom = YoichiPower, .after = SlowFoe, .afterStep = 2},
    {.id = 177, .power = kLightPower, .mods = kLight, .after = ShaveFifteenTp, .afterStep = 1},
    {.id = 179, .custom = TwinklePower},
    {.id = 180, .line1 = "攻撃力UP", .power = P(3, 10), .before = AttackUp},
    {.id = 181, .line1 = "命中率UP", .power = P(3, 10), .before = HitUp},
    {.id = 182, .power = P(3, 10), .after = DananMp, .afterStep = 2},
    {.id = 183, .line1 = "防御力UP", .power = P(3, 10), .before = GuardUp},
    {.id = 186, .power = P(3, 10), .mods = {{{kHalfVs, kElemFire}, {kDoubleVs, kElemWater}}}, .before = FireFist},
    {.id = 188, .power = P(2, 3), .hits = {2, 2}},
};
// clang-format on

const ComboAttack* FindComboAttack(int32_t id) {
  for (const ComboAttack& s : kComboAttacks) {
    if (s.id == id) return &s;
  }
  return nullptr;
}

int32_t BlowPower(Act& act, const ComboAttack& s) {
  return s.custom ? s.custom(act) : ApplyMods(act, Roll(act, s.power), s.mods);
}

// スターダスト's second star, as strong as the first.
void SecondStar(Act& act) {
  if (const ComboAttack* s = FindComboAttack(act.skill)) Attack(act, BlowPower(act, *s));
}

}  // namespace

bool HasComboAttackScript(int32_t id) {
  return FindComboAttack(id) != nullptr;
}

void RunComboAttackScript(Act& act) {
  const ComboAttack* s = FindComboAttack(act.skill);
  if (!s) return;
  if (act.step == 1) {
    if (s->line1) Say(act, s->line1);
    if (s->line2) Say(act, s->line2);
  }
  if (act.step == s->blowStep) {
    if (s->before) s->before(act);
    const int32_t hits = Random(act.g, s->hits.roll) + s->hits.base;
    for (int32_t i = 0; i < hits; ++i) Attack(act, BlowPower(act, *s));
  }
  if (s->after && act.step == s->afterStep) s->after(act);
  const int32_t lastStep = s->after ? s->afterStep : s->blowStep;
  if (act.step == lastStep) Finish(act);
}

}  // namespace qv::battle
