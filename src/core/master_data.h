#pragma once
// The master tables of skills and items, rewritten from constants at start-up, after every
// load and after a reset (they are never saved).
#include "core/game_state.h"

namespace qv {

// Clears both tables and fills every skill and item.
void FillMasterData(GameState& s);

}  // namespace qv
