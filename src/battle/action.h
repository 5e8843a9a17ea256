#pragma once
// The running action of a battle turn: a chosen skill is announced and paid for, its script's
// steps fire one battle-speed apart, and it ends.
#include "core/game.h"

namespace qv::battle {

// Advances the running action by one tick (nothing when no action runs).
void StepAction(Game& g);

// Ends the running action: the player's use-count milestones, else the delay to the next step.
void FinishAction(Game& g);

}  // namespace qv::battle
