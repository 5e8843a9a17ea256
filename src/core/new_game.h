#pragma once
// The state of a new game.
#include "core/game.h"

namespace qv {

// Resets the state to a new game's values (keeping what a new game deliberately keeps).
void NewGame(Game& g);

}  // namespace qv
