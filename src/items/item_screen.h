#pragma once
// The item panel: equipment, set-items, strengthening, the list of items and the shops.
#include <cstdint>

#include "core/game.h"

namespace qv::items {

// Opens the item panel in the mode named by the caption of l_btn10 and fills its list.
void ShowItemScreen(Game& g);

// Writes the detail text of the selected list line and remembers its entry (selectedEntry).
void ShowEntryDetails(Game& g);

// How many set frames the player may fill: 3, plus one for every book owned.
int32_t UsableSetFrames(const GameState& s);

}  // namespace qv::items
