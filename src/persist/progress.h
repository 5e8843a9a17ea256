#pragma once
// What closing the window now would lose: the saved state compared with the state in play.
#include <cstdint>

#include "core/game.h"

namespace qv::persist {

// A fingerprint of everything my.dat holds except the two values that move without any play:
// the load count (a game over's reload lowers it again in memory) and the sequencer's phase
// taken at saving.
uint64_t ProgressFingerprint(const GameState& s);

// Notes that the state as it is now is what my.dat holds (after a load, and after each save
// that was written).
void MarkSaved(Game& g);

// True when the state holds progress that my.dat does not: the state has moved since the
// load or the last save that was written (a refused or failed save keeps nothing). False while
// saving is disabled (nothing could be kept anyway) and after a defeat (the next click throws the
// progress away by the game's own rule).
bool HasUnsavedProgress(const Game& g);

}  // namespace qv::persist
