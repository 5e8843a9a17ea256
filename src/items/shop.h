#pragma once
// The three shops on the item panel: what each offers, buying, and leaving.
#include <cstdint>
#include <string_view>

#include "core/game.h"

namespace qv::items {

enum class Shop : int32_t { Tool, Wandering, Ship };

// Opens a shop's panel after its greeting: the shop's mode on l_btn10, then the offer list.
void OpenShopPanel(Game& g, Shop shop);

// Appends one offer to item_list with the owned-count prefix, unless the offer filter hides it
// (too dear for the money on entry or the level, or a unique item already owned).
void AddShopLine(Game& g, std::string_view text);

}  // namespace qv::items
