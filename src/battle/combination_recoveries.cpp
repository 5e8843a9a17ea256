// The combination recoveries: HP, MP and TP refills as one table, and the drains, cures and
// sure-damage combinations that have a shape of their own.
#include <array>
#include <string>

#include "battle/combination_scripts.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

void Line(Act& act, const std::string& text) {
  AddTextLine(act.g, text);
}

enum class Pool : uint8_t { kHp, kMp, kTp };

struct ComboRecovery {
  int32_t id;
  const char* line;  // shown first, or null
  Pool pool;
  int32_t roll;
  int32_t base;
  int32_t Combatant::*share;  // a part of the actor's own maximum, or null
  int32_t shareDiv;
  int32_t atFifty;  // the hero's level bonus
  int32_t atSixty;
};

// clang-format off
constexpr ComboRecovery kRecoveries[] = {
    {109, "1～15ランダム回復", Pool::kHp, 15, 1, nullptr, 1, 4, 5},
    {117, nullptr, Pool::kHp, 0, 5, nullptr, 1, 0, 0},
    {122, "1～5ランダムMP回復", Pool::kMp, 5, 1, nullptr, 1, 1, 1},
    {123, "10～50ランダムTP回復", Pool::kTp, 41, 10, nullptr, 1, 5, 5},
    {152, nullptr, Pool::kHp, 2, 5, nullptr, 1, 2, 3},
    {169, "更に虫が集まってきた!!", Pool::kHp, 0, 1, &Combatant::maxHp, 10, 2, 2},
    {170, "更に呪文が濃くなる!!", Pool::kMp, 0, 2, &Combatant::maxMp, 10, 1, 1},
    {171, nullptr, Pool::kMp, 2, 2, nullptr, 1, 1, 1},
    {172, nullptr, Pool::kTp, 5, 25, nullptr, 1, 3, 3},
};
// clang-format on

// What 月の癒し heals and 空の癒し refills, by the foe's element (無 光 闇 火 水).
constexpr std::array<int32_t, 5> kMoonHealByElement = {5, 10, 4, 6, 7};
constexpr std::array<int32_t, 5> kSkyTpByElement = {10, 40, 20, 35, 25};

// An element outside the five gives nothing extra.
int32_t ByElement(const std::array<int32_t, 5>& table, int32_t element) {
  return element >= 0 && element < 5 ? table[static_cast<size_t>(element)] : 0;
}

void GainTp(Act& act, int32_t n) {
  act.X.tp += n;  // the tick keeps it under the ceiling
  Line(act, Compose(act.g, "TP {n}回復", {Arg("n", n)}));
}
void GainMp(Act& act, int32_t n) {
  ChangeMp(act.g, act.x, n);
  Line(act, Compose(act.g, "MP {n}回復", {Arg("n", n)}));
}

void Refill(Act& act, const ComboRecovery& r) {
  if (r.line) Say(act, r.line);
  int32_t n = Random(act.g, r.roll) + r.base + HeroLevelBonus(act, r.atFifty, r.atSixty);
  if (r.share && r.shareDiv > 0) n += act.X.*(r.share) / r.shareDiv;
  switch (r.pool) {
    case Pool::kHp:
      HealSelf(act, n);
      break;
    case Pool::kMp:
      GainMp(act, n);
      break;
    case Pool::kTp:
      GainTp(act, n);
      break;
  }
}

// Drinks the foe's blood: what the foe loses the actor gains.
void Drain(Act& act, int32_t n) {
  DamageHp(act.g, act.t, n);
  HealHp(act.g, act.x, n);
  Line(act, Compose(act.g, "{T}からHPを {n}吸収!!", {Who(act.g, "T", act.t), Arg("n", n)}));
}

// The blood combinations: a base, less on light, nothing on darkness, halved by the foe's
// dark veil.
int32_t BloodPower(Act& act, int32_t base, int32_t onLight) {
  int32_t n = base;
  if (act.T.element == kElemLight) n = onLight;
  if (act.T.element == kElemDark) n = 0;
  if (act.T.st_magic > 0) n /= 2;
  return n;
}

void VampireStar(Act& act) {  // ヴァンパイア・ヴラッディ・スター
  Drain(act, BloodPower(act, 10, 5) + HeroLevelBonus(act, 2, 3));
}

void BloodBullet(Act& act) {  // ブラッドブレット: thirstier as the hero grows
  int32_t n = BloodPower(act, 5, 2);
  const int32_t heroLevel = act.g.state.player().level;
  if (heroLevel >= 20) n += 3;
  if (heroLevel >= 40) n += 3;
  Drain(act, n);
}

void TwoElegy(Act& act) {  // 二人の悲歌
  Say(act, "最大MP分ダメージ!!");
  Direct(act, act.X.maxMp);
}

void Impermanence(Act& act) {  // 諸行無常: what has no element fades only half as much
  Direct(act, act.T.element == kElemNone ? 15 : 30);
}

// 毒回復 and 命中↓回復: cure the ailment when there is one, else a small heal.
void HealSmall(Act& act) {
  HealSelf(act, 3 + HeroLevelBonus(act, 3, 3));
}

void CurePoison(Act& act) {
  if (act.X.st_poison > 0 || act.X.st_heavyPoison > 0) {
    act.X.st_poison = 0;
    act.X.st_heavyPoison = 0;
    Say(act, "<毒>から回復した!!");
    return;
  }
  HealSmall(act);
}

void CureHitDown(Act& act) {
  if (act.X.st_hitDown > 0) {
    act.X.st_hitDown = 0;
    Say(act, "<命中↓>から回復した!!");
    return;
  }
  HealSmall(act);
}

void MpDrain(Act& act) {  // MP吸血: raw, the tick keeps both within their limits
  const int32_t n = 3 + HeroLevelBonus(act, 1, 1);
  act.X.mp += n;
  act.T.mp -= n;
  Line(act, Compose(act.g, "{T}からMPを {n}吸収した!!", {Who(act.g, "T", act.t), Arg("n", n)}));
}

void TpDrain(Act& act) {  // TP吸血
  const int32_t n = 30 + HeroLevelBonus(act, 5, 5);
  act.X.tp += n;
  act.T.tp -= n;
  Line(act, Compose(act.g, "{T}からTPを {n}吸収した!!", {Who(act.g, "T", act.t), Arg("n", n)}));
}

void MoonHeal(Act& act) {  // 月の癒し
  Say(act, "相手の属性によって回復");
  HealSelf(act, HeroLevelBonus(act, 2, 3) + ByElement(kMoonHealByElement, act.T.element));
}

void SkyHeal(Act& act) {  // 空の癒し
  Say(act, "相手の属性によってTP回復");
  GainTp(act, HeroLevelBonus(act, 5, 5) + ByElement(kSkyTpByElement, act.T.element));
}

void GoodFortune(Act& act) {  // 良き占い
  const int32_t n = Random(act.g, 5) + act.X.maxHp / 20 + 1;
  HealHp(act.g, act.x, n);
  Line(act, Compose(act.g, "HPが {n}回復", {Arg("n", n)}));
}

constexpr ScriptEntry kOwnShapes[] = {
    {105, VampireStar}, {108, TwoElegy},    {120, CurePoison},   {121, CureHitDown},
    {124, MpDrain},     {125, TpDrain},     {126, MoonHeal},     {127, SkyHeal},
    {184, GoodFortune}, {185, BloodBullet}, {187, Impermanence},
};

const ComboRecovery* FindRefill(int32_t id) {
  for (const ComboRecovery& r : kRecoveries) {
    if (r.id == id) return &r;
  }
  return nullptr;
}

ScriptFn FindOwnShape(int32_t id) {
  for (const ScriptEntry& e : kOwnShapes) {
    if (e.id == id) return e.run;
  }
  return nullptr;
}

}  // namespace

bool HasComboRecoveryScript(int32_t id) {
  return FindRefill(id) || FindOwnShape(id);
}

// All of these act at once, in their first step.
void RunComboRecoveryScript(Act& act) {
  if (act.step != 1) return;
  if (const ComboRecovery* r = FindRefill(act.skill)) {
    Refill(act, *r);
  } else if (const ScriptFn run = FindOwnShape(act.skill)) {
    run(act);
  } else {
    return;
  }
  Finish(act);
}

}  // namespace qv::battle
