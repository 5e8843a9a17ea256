#pragma once
// The master tables of skills and items, rewritten from constants at start-up, after every
// load and after a reset (they are never saved).
#include "core/game_state.h"

namespace qv {

// Writes every skill (58) and every item (287) of the catalogue over its record; records
// the catalogue does not list are left as they are.
void FillMasterData(GameState& s);

}  // namespace qv
