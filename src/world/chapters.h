#pragma once
// The island's monologue chapters, which play on the map as the player grows.
#include <cstdint>

#include "core/game.h"

namespace qv::world {

// The id (30..38) of the first chapter that is due and not yet seen, or -1.
int32_t DueChapter(const GameState& s);

// Marks the chapter seen, plays its tune, queues its lines and starts telling it.
void PlayChapter(Game& g, int32_t id);

}  // namespace qv::world
