#pragma once
// Skill scripts: each skill is a few steps one battle-speed apart, run by the action timeline.
// Families of skills that share a shape (attacks, many-hit attacks, heals, timed states on
// oneself, timed weakenings of the foe) are table rows walked by one runner each; the rest
// are short functions. Combination skills plug in through CombinationScripts().
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "battle/act.h"
#include "core/game.h"

namespace qv::battle {

using ScriptFn = void (*)(Act&);

// A script by skill id.
struct ScriptEntry {
  int32_t id;
  ScriptFn run;
};

// The script of a skill: the ordinary and enemy skills, then the combinations; null when none.
ScriptFn FindScript(int32_t id);

// Runs the step of the running action's script that falls on this tick.
void RunScriptStep(Game& g, int32_t step);

// A power: Random(roll) plus a fixed base for the enemy, or for the player a base plus
// L × perLevel div levelDiv.
struct Power {
  int32_t roll = 0;
  int32_t enemy = 0;
  int32_t player = 0;
  int32_t perLevel = 0;
  int32_t levelDiv = 1;
};
int32_t Roll(Act& act, const Power& p);

// Adjustments of a power, applied in the order a row lists them.
enum class Mod : uint8_t {
  kNone,
  kHalfVs,            // the target's element is arg: halved
  kDoubleVs,          // ... doubled
  kAddHalfVs,         // ... half as much again
  kPlusVs,            // ... +1
  kPlusUnless,        // the target's element is not arg: +1
  kZeroUnless,        // the target's element is not arg: nothing
  kHalfVsEnemy,       // the enemy is the target and its element is arg: halved
  kHalfIfRegen,       // the target regenerates HP
  kHalfIfMagic,       // the target regenerates MP
  kHalfIfWater,       // the target regenerates TP
  kHalfIfFireWall,    // the target stands in its fire wall
  kMinusOneIfRegen,   // the target regenerates HP: -1
  kPlusIfTraitB,      // a creature of darkness: +1
  kCrest,             // the actor's magic crest: half as much again
  kMagicalRobe,       // the target's robe against fire and word magic: halved
  kLightRobe,         // the target's robe against light magic: halved
  kTargetMaxHpTenth,  // + the target's maxHp div 10
  kActorMaxHpTenth,   // + the actor's maxHp div 10
  kTwiceWeapon,       // + twice the attack of the actor's weapon
  kLevelOrDepth,      // + the player's level, or the free area's depth for the enemy
  kMagicBlade,        // + the blade of mana: from the actor's MP, twice against darkness
};
struct ModStep {
  Mod mod = Mod::kNone;
  int32_t arg = 0;
};
using Mods = std::array<ModStep, 6>;
int32_t ApplyMods(Act& act, int32_t value, const Mods& mods);

// A line on the picture: "{X}" and "{T}" in the UTF-8 template become the two names.
void Say(Act& act, const char* utf8Template);
// ResolveAttack and ResolveDirectDamage from the actor on the target.
void Attack(Act& act, int32_t power);
void Direct(Act& act, int32_t power);
// HealHp of the actor with the line "HP n回復".
void HealSelf(Act& act, int32_t n);
// Ends the action.
void Finish(Act& act);

// The ordinary and enemy skills that are written out one by one.
std::span<const ScriptEntry> SingleScripts();

// The family runners: true when the family holds the id.
bool HasAttackScript(int32_t id);
void RunAttackScript(Act& act);
bool HasVolleyScript(int32_t id);
void RunVolleyScript(Act& act);
bool HasRecoveryScript(int32_t id);
void RunRecoveryScript(Act& act);
bool HasSelfStateScript(int32_t id);
void RunSelfStateScript(Act& act);
bool HasWeakenScript(int32_t id);
void RunWeakenScript(Act& act);

}  // namespace qv::battle
