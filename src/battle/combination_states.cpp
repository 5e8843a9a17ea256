// The combinations that lay a state: barriers, element powers, bodies that absorb or reflect,
// one-shot stances, and the Ⅱ follow-ups that lengthen a state already laid.
#include "battle/combination_scripts.h"

namespace qv::battle {
namespace {

enum class Who : uint8_t { kSelf, kFoe };
enum class How : uint8_t { kSet, kAdd };

struct ComboState {
  int32_t id;
  const char* line1;  // shown before the counter changes, or null
  const char* line2;
  Who who;
  int32_t Combatant::*counter;
  int32_t roll;  // the counter changes by Random(roll) + base
  int32_t base;
  How how;
};

constexpr const char* kWeakerLonger = "弱体効果時間運UP";
constexpr const char* kStrongerLonger = "強化効果時間運UP";

using C = Combatant;
using enum Who;
using enum How;

// clang-format off
constexpr ComboState kStates[] = {
    {110, "集中力が極限にまで高まった!!", "{X}は<必中>状態になった", kSelf, &C::st_sureHit, 0, 1, kSet},
    {111, "足が風のように動き出す!!", "{X}は<回避>状態になった", kSelf, &C::st_dodge, 0, 1, kSet},
    {112, "魔法に対する理解が深まった気がした!!", "{X}は<魔命↑>状態になった", kSelf, &C::st_magicHitUp, 3, 3, kSet},
    {113, "{T}は<火傷>を負った!!", nullptr, kFoe, &C::st_burn, 2, 2, kSet},
    {115, "{X}の神経が研ぎ澄まされる……", "{X}は一時的に命中率が上昇した!!", kSelf, &C::st_hitUp, 3, 3, kSet},
    {128, "{X}は空間の流れがスローに見える!!", "{X}は一時的にクリティカル発生率が上昇した!!", kSelf, &C::st_critUp, 4, 3, kSet},
    {129, "{X}は体の周りに見えない鎧を纏った!!", "{X}は一時的にガード発生率が上昇した!!", kSelf, &C::st_firmUp, 4, 3, kSet},
    {134, "{X}の体が火の精霊に守られた", "{X}は一時的に火に対して強くなった!!", kSelf, &C::st_resFire, 4, 5, kSet},
    {135, "{X}の体が水の精霊に守られた", "{X}は一時的に水に対して強くなった!!", kSelf, &C::st_resWater, 4, 5, kSet},
    {136, "{X}の体が光の精霊に守られた", "{X}は一時的に光に対して強くなった!!", kSelf, &C::st_resLight, 4, 5, kSet},
    {137, "{X}の体が闇の精霊に守られた", "{X}は一時的に闇に対して強くなった!!", kSelf, &C::st_resDark, 4, 5, kSet},
    {138, "{X}の体が無の精霊に守られた", "{X}は一時的に無に対して強くなった!!", kSelf, &C::st_resNone, 4, 5, kSet},
    {139, "{X}は一時的に防御力が上昇!!", nullptr, kSelf, &C::st_guardUp, 3, 3, kSet},
    {140, "{X}は一時的に回避率が上昇!!", nullptr, kSelf, &C::st_evadeUp, 3, 3, kSet},
    {141, "{X}は一時的に命中率が上昇!!", nullptr, kSelf, &C::st_hitUp, 3, 3, kSet},
    {142, "{X}の手に無の精霊力が宿る", "{X}は一時的に無属性攻撃が強くなった!!", kSelf, &C::st_powNone, 4, 5, kSet},
    {143, "{X}の手に光の精霊力が宿る", "{X}は一時的に光属性攻撃が強くなった!!", kSelf, &C::st_powLight, 4, 5, kSet},
    {144, "{X}の手に火の精霊力が宿る", "{X}は一時的に火属性攻撃が強くなった!!", kSelf, &C::st_powFire, 4, 5, kSet},
    {145, "{X}の手に水の精霊力が宿る", "{X}は一時的に水属性攻撃が強くなった!!", kSelf, &C::st_powWater, 4, 5, kSet},
    {146, "{X}の手に闇の精霊力が宿る", "{X}は一時的に闇属性攻撃が強くなった!!", kSelf, &C::st_powDark, 4, 5, kSet},
    {147, "{X}の体に得体の知れない受容体が形勢された", "{X}は<吸収>状態になった!!", kSelf, &C::st_absorb, 0, 1, kAdd},
    {148, "{X}の体に得体の知れない吸収体が形勢された", "{X}は<毒吸>状態になった!!", kSelf, &C::st_poisonAbsorb, 4, 4, kSet},
    {149, "{X}の体が針山で包まれた", "{X}は<棘>状態になった!!", kSelf, &C::st_thorns, 4, 4, kSet},
    {150, "{X}の体に得体の知れない反射体が形勢された", "{X}は<反射>状態になった!!", kSelf, &C::st_reflect, 0, 1, kAdd},
    {154, kWeakerLonger, nullptr, kFoe, &C::st_poison, 3, 3, kAdd},
    {155, kWeakerLonger, nullptr, kFoe, &C::st_paralysis, 3, 2, kAdd},
    {156, kWeakerLonger, nullptr, kFoe, &C::st_atkDown, 3, 2, kAdd},
    {157, kWeakerLonger, nullptr, kFoe, &C::st_hitDown, 3, 2, kAdd},
    {158, kWeakerLonger, nullptr, kFoe, &C::st_defDown, 3, 2, kAdd},
    {159, kWeakerLonger, nullptr, kFoe, &C::st_evadeDown, 3, 2, kAdd},
    {160, kWeakerLonger, nullptr, kFoe, &C::st_heavyPoison, 3, 2, kAdd},
    {161, kStrongerLonger, nullptr, kSelf, &C::st_power, 0, 1, kAdd},
    {162, kStrongerLonger, nullptr, kSelf, &C::st_guard, 0, 1, kAdd},
    {163, kStrongerLonger, nullptr, kSelf, &C::st_regen, 3, 3, kAdd},
    {164, kStrongerLonger, nullptr, kSelf, &C::st_extra, 3, 3, kAdd},
    {165, kStrongerLonger, nullptr, kSelf, &C::st_fireWall, 2, 2, kAdd},
    {166, kStrongerLonger, nullptr, kSelf, &C::st_magic, 3, 3, kAdd},
    {167, kStrongerLonger, nullptr, kSelf, &C::st_water, 4, 3, kAdd},
    {168, kStrongerLonger, nullptr, kSelf, &C::st_magicCrest, 4, 3, kAdd},
    {175, "{X}の手に魔力が漲って来る....!!", "<魔紋>状態になった!!", kSelf, &C::st_magicCrest, 2, 3, kSet},
    {176, "{T}の防御力が一時的に低下した!!", nullptr, kFoe, &C::st_defDown, 2, 3, kAdd},
    {178, "体に光の衣が纏う!!", "{X}は<魔回避>状態になった", kSelf, &C::st_magicDodge, 0, 1, kSet},
    {189, "拳に電撃が宿り、次の一撃が倍化する!!", nullptr, kSelf, &C::st_power, 0, 1, kAdd},
    {190, "漆黒の鎧に纏われ、次のダメージを半減させる!!", nullptr, kSelf, &C::st_guard, 0, 1, kAdd},
};
// clang-format on

const ComboState* FindState(int32_t id) {
  for (const ComboState& s : kStates) {
    if (s.id == id) return &s;
  }
  return nullptr;
}

}  // namespace

bool HasComboStateScript(int32_t id) {
  return FindState(id) != nullptr;
}

// Every state is laid at once, in the first step.
void RunComboStateScript(Act& act) {
  const ComboState* s = FindState(act.skill);
  if (!s || act.step != 1) return;
  if (s->line1) Say(act, s->line1);
  if (s->line2) Say(act, s->line2);
  Combatant& who = s->who == kSelf ? act.X : act.T;
  const int32_t d = Random(act.g, s->roll) + s->base;
  if (s->how == kSet) {
    who.*(s->counter) = d;
  } else {
    who.*(s->counter) += d;
  }
  Finish(act);
}

}  // namespace qv::battle
