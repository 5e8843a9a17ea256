#pragma once
// The free areas: a random enemy for every metre walked.
#include <cstdint>
#include <span>
#include <string>

#include "core/game.h"

namespace qv::world {

// Writes a random enemy for the start depth a (0, 10, ... or the metre reached) into the enemy
// record, with its picture and the area's background. Does not start the battle.
void StartFreeArea(Game& g, int32_t a);

// The free area's backgrounds, one for every ten metres, nearest first.
std::span<const char* const> FreeAreaBackgrounds();

// A name from name.dat, or once in a hundred a made-up name of four syllables.
std::string RandomEnemyName(Game& g);

// The click on a free-area entrance of start depth a: refused while the entrance is locked,
// otherwise the map closes and the first battle starts.
void EnterFreeArea(Game& g, int32_t a);

}  // namespace qv::world
