#pragma once
// What the battle's steps share; only the sequencer's own files use this header.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// The enemy's skill for this turn: always a skill it can pay TP for (or one costing nothing).
int32_t ChooseEnemySkill(Game& g);

// Fills the skill list with the learned skills and shows it at the player's turn.
void OfferPlayerSkills(Game& g);

}  // namespace qv::battle
