#pragma once
// The damage rules that the attack roll and sure damage share. Only the action files use
// this header.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// One blow: who strikes whom with the running skill.
struct Blow {
  Game& g;
  int a;  // attacker side
  int t;  // target side
  Combatant& A;
  Combatant& T;
  int32_t skillId;
  const SkillDef& skill;
  bool magic;
  bool playerAttacks;
  bool playerHit;
};

// The blow of the running action from `attacker` on `target`.
Blow MakeBlow(Game& g, int attacker, int target);

// The master record of a skill id read from anywhere; an empty record when out of range.
const SkillDef& SkillAt(const GameState& s, int32_t id);

// The player's level in a skill; 0 for an id out of range.
int32_t SkillLevelOf(const GameState& s, int32_t id);

// A boss's resistance to the kind of blow (with its line); unchanged when none applies.
int32_t WardenPower(Blow& b, int32_t a, bool direct);

// Attack up on the attacker, guard up on the target.
int32_t StatusBoosts(const Blow& b, int32_t a);
// Magic of the player through the worn magic power items.
int32_t MagicPower(Blow& b, int32_t a);
// Magic on the player through the worn magic circles.
int32_t MagicWard(Blow& b, int32_t a);
// The attacker's element boosts, then the target's element resistances.
int32_t ElementBoosts(const Blow& b, int32_t a);
int32_t ElementResists(const Blow& b, int32_t a);
// What the enemy's two traits do to dark, light and magic.
int32_t EnemyTraits(const Blow& b, int32_t a);
// The hero's trained combinations hit harder from levels 50 and 60.
int32_t CombinationBonus(const Blow& b, int32_t a);
// Rings, sword set-items and the kunai add to every landed hit of the player.
int32_t PlayerHitDamage(Blow& b, int32_t a);

// The tick's clamp, run at once after a blow.
void ClampAfterBlow(Game& g);

}  // namespace qv::battle
