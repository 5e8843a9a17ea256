#pragma once
// The item panel: equipment, set-items, strengthening, the list of items and the shops.
#include "core/game.h"

namespace qv::items {

// Opens the item panel in the mode named by the caption of l_btn10 and fills its list.
void ShowItemScreen(Game& g);

}  // namespace qv::items
