#pragma once
// The limits every tick ends with, where the set-items that raise them are known.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// The end-of-tick invariants: money, depth, battle speed, both sides' HP/MP/TP/exp and the
// three counters that never exceed 9.
void ClampState(Game& g);

// The player's TP ceiling: the base plus set-items and level.
int32_t PlayerTpCap(const GameState& s);

}  // namespace qv::battle
