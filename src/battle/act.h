#pragma once
// One side's deed against the other with the running skill: the context every step of a skill
// script and every blow it strikes reads.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// A side index from any number: 1 is the enemy, anything else the player.
inline int SideOf(int32_t side) {
  return side == 1 ? 1 : 0;
}

// The acting side of this turn.
inline int ActorSide(const Game& g) {
  return SideOf(g.battle.turnSide);
}

struct Act {
  Game& g;
  int x;  // the actor's side
  int t;  // the target's side
  Combatant& X;
  Combatant& T;
  int32_t skill;        // the running skill's id
  const SkillDef& def;  // its master record; an empty one for an id out of range
  int32_t level;        // the player's level in that skill (L); 0 for the enemy
  bool player;          // the player acts
  bool magic;           // the skill is magic
  int32_t step;         // the script's step (1, 2, 3 ...); 0 for a blow

  // The blow lands on the player.
  bool PlayerHit() const { return t == 0; }
};

// The running skill, by `actor` on `target` (sides as SideOf reads them).
Act MakeAct(Game& g, int actor, int target, int32_t step = 0);

// The master record of a skill id read from anywhere; an empty record when out of range.
const SkillDef& SkillAt(const GameState& s, int32_t id);

// The player's level in a skill; 0 for an id out of range.
int32_t SkillLevelOf(const GameState& s, int32_t id);

}  // namespace qv::battle
