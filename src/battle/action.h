#pragma once
// The running action of a battle turn, advanced one tick at a time.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// Advances the running action by one tick (nothing when no action runs).
void StepAction(Game& g);

// Per-turn effects of the acting side (regeneration, poison, burns, counters running out),
// then the next step.
void ApplyTurnEffects(Game& g);

// hp += n for a side (0 player, 1 enemy), kept within 0..maxHp, with its pop-ups.
void HealHp(Game& g, int side, int32_t n);

}  // namespace qv::battle
