#pragma once
// The step machine that plays every timed sequence: encounter dialogue, the battle, the
// rewards, the inn and the shops.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// Begins the queued dialogue and then the battle at the current location.
void StartBattle(Game& g);

// Performs the next step (re-entrant: a step may fall through to the next).
void AdvanceBattlePhase(Game& g);

// phaseDelay := n when n > 0, else 1.
void SetPhaseDelay(Game& g, int32_t n);

// The click on the main picture: continues a waiting line; true when it did.
bool ContinueOnClick(Game& g);

}  // namespace qv::battle
