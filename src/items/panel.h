#pragma once
// What the item panel's own files share: the mode read from l_btn10, entry lookups, the stat
// lines of worn items and the rebuild after an action. Only src/items uses this header.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/game.h"
#include "core/message.h"
#include "items/item_screen.h"
#include "items/shop.h"

namespace qv::items {

bool IsShopMode(Mode m);
Shop ShopOf(Mode m);

// The line without its first n bytes; empty when the line is shorter.
std::string_view WithoutPrefix(std::string_view line, size_t n);

// The highest ItemDef index 0..999 with a name equal to either text; 0 when none.
int32_t FindItemMatching(const GameState& s, std::string_view a, std::string_view b);

// Kind label and stat lines of worn items (each line ends in a carriage return), added to a
// detail text being composed.
void AddKindLabel(MessageBuilder& text, int32_t kind);
void AddStatLines(MessageBuilder& text, const ItemDef& item);

// True when the item is in one of the player's ten equipment slots.
bool IsWorn(const GameState& s, int32_t item);

// The selected line's text, or null when nothing (or nothing valid) is selected.
const std::string* SelectedLine(const Game& g);

// After an action: rebuild the panel, select the same line position again when the list still
// has it, and refresh the details.
void RebuildKeepingLine(Game& g);

// The shop side of the panel (shop.cpp).
void ListShopOffers(Game& g, Shop shop);
void ShowShopDetails(Game& g, int32_t entry);
void BuySelected(Game& g);
void CloseShop(Game& g, Shop shop);

}  // namespace qv::items
