// The ordinary and enemy skills with a shape of their own, one short script each.
#include <algorithm>
#include <string>

#include "battle/equipment.h"
#include "battle/skill_script.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

constexpr int32_t kPopupEarringGlow = 57;
constexpr int32_t kMysterySkills = 52;  // ＭＲＬ draws one of the skills 0..51

void Line(Act& act, const std::string& text) {
  AddTextLine(act.g, text);
}

// Counters the player stacks higher with training and the sacred-tree earring.
int32_t Stack(Act& act) {
  if (!act.player) return 1;
  return 1 + (act.level >= 5 ? 1 : 0) + (act.level >= 10 ? 1 : 0) +
         GearBonus(act.g, Gear::kLongerStates);
}

// The player's trained bonus of 3L - 3; nothing for the enemy.
int32_t Trained(Act& act) {
  return act.player ? 3 * act.level - 3 : 0;
}

void MountainGuard(Act& act) {  // 山ぼうぎょ
  if (act.step == 1) return Say(act, "{X}は山ぼうぎょの構え");
  if (act.step != 2) return;
  act.X.st_guard += Stack(act);
  SpawnSidePopup(act.g, act.x, kPopupEarringGlow, "");
  Finish(act);
}

void Scream(Act& act) {  // ｲﾚｲｻｰｽｸﾘｰﾑ
  if (act.step == 1) return Say(act, "どこからともなく叫び声が聞こえてくる!!");
  if (act.step == 2) return Direct(act, act.X.hp / 2 + Trained(act));
  if (act.step != 3) return;
  DamageHp(act.g, act.x, act.X.hp / 2);
  Say(act, "{X}のHP 半減");
  Finish(act);
}

void GatherPower(Act& act) {  // パワー
  Say(act, "{X}は力をためた!!");
  act.X.st_power += Stack(act);
  Finish(act);
}

void Flick(Act& act) {  // でこぴん
  if (act.step == 1) return Say(act, "{X}はでこぴんの構え");
  if (act.step != 2) return;
  Direct(act, act.T.maxHp / 10);
  Finish(act);
}

void DragonWords(Act& act) {  // 龍言語魔法: the caster's own wounds become the blow
  if (act.step == 1) return Say(act, "{X}は龍の言葉を喋り出した....");
  if (act.step != 2) return;
  const int32_t m = act.X.maxHp - act.X.hp + Trained(act);
  Direct(act, ApplyMods(act, m, {{{Mod::kCrest}, {Mod::kMagicalRobe}}}));
  Finish(act);
}

void DrinkBlood(Act& act) {  // 吸血
  int32_t n = act.player ? act.level + 3 : 5;
  if (act.T.element == kElemDark) n = 0;
  if (act.T.element == kElemLight) n /= 2;
  if (act.T.st_magic > 0) n /= 2;
  if (!act.player) {
    // Enemies that drink the hero's blood grow thirstier as the hero grows.
    const int32_t heroLevel = act.g.state.player().level;
    if (heroLevel >= 20) n += 3;
    if (heroLevel >= 40) n += 3;
    if (act.X.mpRegenKind >= 1) n += 3;
  }
  DamageHp(act.g, act.t, n);
  HealHp(act.g, act.x, n);
  Line(act, Compose(act.g, "{T}からHPを {n}吸収!!", {Who(act.g, "T", act.t), Arg("n", n)}));
  Finish(act);
}

void HalvingLaw(Act& act) {  // Ｍ法
  int32_t n = std::min(act.T.hp / 2, 99);
  if (act.T.element == kElemLight) n = 0;
  DamageHp(act.g, act.t, n);
  Line(act,
       Compose(act.g, "{T}は HPに {n}ダメージ受けた!!", {Who(act.g, "T", act.t), Arg("n", n)}));
  Finish(act);
}

void Mantra(Act& act) {  // 真言
  act.T.st_paralysis = Roll(act, Power{2, 3, 3, 1, 2});
  Say(act, "{T}は <麻痺>してしまった!!");
  Finish(act);
}

void Escape(Act& act) {  // 逃げる: only the free area lets anyone run
  if (act.g.battle.locationId == kAtFreeArea && Random(act.g, 2) == 0) {
    act.g.state.escapeCount += 1;
    Line(act, Sjis("逃亡成功!!"));
    act.g.steps->ReturnToMap(act.g);  // the battle is over: no step follows
    return;
  }
  Line(act, Sjis("逃亡に失敗した...."));
  Finish(act);
}

void Captive(Act& act) {  // 魔のとりこ
  if (act.step == 1) return Say(act, "{T}の体から赤い煙が染み出てきた....!!");
  if (act.step != 2) return;
  int32_t m = 2 * act.T.mp;
  if (act.T.st_magic > 0) m /= 2;
  Direct(act, m);
  if (act.player) ChangeMp(act.g, act.x, act.level - 1);
  Finish(act);
}

void Magical(Act& act) {  // マジカル
  if (act.step == 1) return Say(act, "{X}は{T}の体から魔力を吸収する....!!");
  if (act.step != 2) return;
  if (act.player) {
    const int32_t n = act.T.mp;
    HealHp(act.g, act.x, n);
    Line(act, Compose(act.g, "{X}のHPが {n}回復した!!", {Who(act.g, "X", act.x), Arg("n", n)}));
  } else {
    // The enemy swells with thirty times the hero's MP.
    const int32_t n = 30 * act.T.mp;
    act.X.maxHp += n;
    act.X.maxMp += n;
    act.X.hp += n;
    act.X.mp += n;
    Line(act, Compose(act.g, "{X}の最大HP,最大MP,HP,MPが {n}上昇した!!",
                      {Who(act.g, "X", act.x), Arg("n", n)}));
  }
  Finish(act);
}

void SorrowRelease(Act& act) {  // 哀古解放: the actor's TP turned into a blow
  if (act.step == 1) return Say(act, "{X}の哀古が解放する!!");
  if (act.step != 2) return;
  int32_t m = act.X.tp / 10 + 1;
  if (act.t == 1 && act.T.element == kElemNone) m = 0;
  if (act.T.element == kElemLight) m /= 2;
  if (act.T.element == kElemDark) m *= 2;
  m = act.player ? m * act.level / 2 : 3 * m;
  Direct(act, m);
  act.X.tp = act.player ? 0 : 50;
  Finish(act);
}

void ManaRelease(Act& act) {  // 魔力解放
  if (act.step == 1) return Say(act, "{X}の魔力が解放する!!");
  if (act.step != 2) return;
  const int32_t m = act.X.mp + (act.player ? act.level : 0);
  act.X.mp = 0;
  Direct(act, ApplyMods(act, m, {{{Mod::kCrest}, {Mod::kMagicalRobe}}}));
  Finish(act);
}

void FlowWords(Act& act) {  // 劉言語魔法: the caster's whole HP as a blow
  if (act.step == 1) return Say(act, "{X}の体から劉が放たれた!!");
  if (act.step != 2) return;
  Direct(act, ApplyMods(act, act.X.hp, {{{Mod::kCrest}, {Mod::kMagicalRobe}}}));
  // The caster is left with 1 HP, or its level in the skill; never with none, even when the
  // skill came untrained out of ＭＲＬ.
  act.X.hp = act.player ? std::max(act.level, 1) : 1;
  Finish(act);
}

void Mystery(Act& act) {  // ＭＲＬ
  if (act.step == 1) return Say(act, "{X}の耳に直接、正体不明の信号が響く!!");
  if (act.step != 2) return;
  BattleState& b = act.g.battle;
  // The drawn skill runs from its first step on the next tick, unannounced and unpaid, and
  // its use count earns no milestone.
  b.milestoneShown = 1;
  b.actionSkill = Random(act.g, kMysterySkills);
  b.actionTimer = 2 * b.battleSpeed - 1;
}

void DoNothing(Act& act) {  // 何もせず
  Say(act, "{X}はただじっと……、そうただじっと。");
  Finish(act);
}

void Vacuum(Act& act) {  // バキューム
  const int32_t n = act.T.tp;
  HealHp(act.g, act.x, n);
  act.T.tp = 0;
  Line(act, Compose(act.g, "{T}からTP {n}をHPとして吸収!!", {Who(act.g, "T", act.t), Arg("n", n)}));
  Finish(act);
}

constexpr ScriptEntry kSingles[] = {
    {1, MountainGuard}, {5, Scream},         {7, GatherPower},  {8, Flick},      {11, DragonWords},
    {15, DrinkBlood},   {19, HalvingLaw},    {20, Mantra},      {22, Escape},    {27, Captive},
    {28, Magical},      {32, SorrowRelease}, {40, ManaRelease}, {41, FlowWords}, {52, Mystery},
    {53, DoNothing},    {200, Vacuum},
};

}  // namespace

std::span<const ScriptEntry> SingleScripts() {
  return kSingles;
}

}  // namespace qv::battle
