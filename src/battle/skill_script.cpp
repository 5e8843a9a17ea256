// The script model: finding a skill's script, the step that falls on this tick, and the small
// pieces every script is made of.
#include "battle/skill_script.h"

#include "battle/act.h"
#include "battle/action.h"
#include "battle/combination.h"
#include "battle/equipment.h"
#include "battle/resolve_attack.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

struct Family {
  bool (*has)(int32_t);
  ScriptFn run;
};
constexpr Family kFamilies[] = {
    {HasAttackScript, RunAttackScript},     {HasVolleyScript, RunVolleyScript},
    {HasRecoveryScript, RunRecoveryScript}, {HasSelfStateScript, RunSelfStateScript},
    {HasWeakenScript, RunWeakenScript},
};

bool Wearing(Act& act, Gear robe) {
  return act.t == 0 && GearBonus(act.g, robe) > 0;
}

}  // namespace

ScriptFn FindScript(int32_t id) {
  for (const ScriptEntry& e : SingleScripts()) {
    if (e.id == id) return e.run;
  }
  for (const Family& f : kFamilies) {
    if (f.has(id)) return f.run;
  }
  for (const ScriptEntry& e : CombinationScripts()) {
    if (e.id == id) return e.run;
  }
  return nullptr;
}

void RunScriptStep(Game& g, int32_t step) {
  const int x = ActorSide(g);
  Act act = MakeAct(g, x, 1 - x, step);
  const ScriptFn run = FindScript(act.skill);
  // A skill with nothing to do still ends, so the turn goes on.
  if (!run) {
    FinishAction(g);
    return;
  }
  run(act);
}

int32_t Roll(Act& act, const Power& p) {
  int32_t v = Random(act.g, p.roll);
  if (!act.player) return v + p.enemy;
  const int32_t div = p.levelDiv > 0 ? p.levelDiv : 1;
  return v + p.player + act.level * p.perLevel / div;
}

int32_t ApplyMods(Act& act, int32_t v, const Mods& mods) {
  const Combatant& T = act.T;
  for (const ModStep& m : mods) {
    const bool vs = T.element == m.arg;
    // clang-format off
    switch (m.mod) {
      case Mod::kNone: break;
      case Mod::kHalfVs: if (vs) v /= 2; break;
      case Mod::kDoubleVs: if (vs) v *= 2; break;
      case Mod::kAddHalfVs: if (vs) v += v / 2; break;
      case Mod::kPlusVs: if (vs) v += 1; break;
      case Mod::kPlusUnless: if (!vs) v += 1; break;
      case Mod::kZeroUnless: if (!vs) v = 0; break;
      case Mod::kHalfVsEnemy: if (vs && act.t == 1) v /= 2; break;
      case Mod::kHalfIfRegen: if (T.st_regen > 0) v /= 2; break;
      case Mod::kHalfIfMagic: if (T.st_magic > 0) v /= 2; break;
      case Mod::kHalfIfWater: if (T.st_water > 0) v /= 2; break;
      case Mod::kHalfIfFireWall: if (T.st_fireWall > 0) v /= 2; break;
      case Mod::kMinusOneIfRegen: if (T.st_regen > 0) v -= 1; break;
      case Mod::kPlusIfTraitB: if (T.traitB == 1) v += 1; break;
      case Mod::kCrest: if (act.X.st_magicCrest > 0) v += v / 2; break;
      case Mod::kMagicalRobe: if (Wearing(act, Gear::kMagicalRobe)) v /= 2; break;
      case Mod::kLightRobe: if (Wearing(act, Gear::kLightRobe)) v /= 2; break;
      case Mod::kTargetMaxHpTenth: v += T.maxHp / 10; break;
      case Mod::kActorMaxHpTenth: v += act.X.maxHp / 10; break;
      case Mod::kTwiceWeapon: v += 2 * ItemAt(act.g.state, act.X.weapon).attack; break;
      case Mod::kLevelOrDepth: v += act.player ? act.X.level : act.g.state.depth; break;
        // clang-format on
      case Mod::kMagicBlade: {
        int32_t m5 = act.X.mp / 5;
        if (act.player) m5 *= act.level;
        v += T.element == kElemDark ? 2 * m5 + 8 : m5 + 4;
        break;
      }
    }
  }
  return v;
}

void Say(Act& act, const char* utf8Template) {
  AddTextLine(act.g,
              Compose(act.g, utf8Template, {Who(act.g, "X", act.x), Who(act.g, "T", act.t)}));
}

void Attack(Act& act, int32_t power) {
  ResolveAttack(act.g, act.x, act.t, power);
}
void Direct(Act& act, int32_t power) {
  ResolveDirectDamage(act.g, act.x, act.t, power);
}

void HealSelf(Act& act, int32_t n) {
  HealHp(act.g, act.x, n);
  AddTextLine(act.g, Compose(act.g, "HP {n}回復", {Arg("n", n)}));
}

void Finish(Act& act) {
  FinishAction(act.g);
}

}  // namespace qv::battle
