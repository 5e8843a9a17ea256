#pragma once
// The running action of a battle turn, advanced one tick at a time.
#include "core/game.h"

namespace qv::battle {

// Advances the running action by one tick (nothing when no action runs).
void StepAction(Game& g);

}  // namespace qv::battle
