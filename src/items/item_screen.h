#pragma once
// The item panel: equipment, set-items, strengthening, the list of items and the shops.
#include <cstdint>

#include "core/game.h"

namespace qv::items {

// The panel's screens. The mode is the caption of l_btn10, which every handler of the panel
// reads; CurrentMode reads it and SetMode writes it.
enum class Mode : int32_t {
  Equip,          // "装備"
  SetFrames,      // "カーレオ・ＳＥＴ"
  Strengthen,     // "強化"
  ItemList,       // "アイテム一覧"
  ToolShop,       // "買う"
  WanderingShop,  // "購入"
  ShipShop,       // "ＢＵＹ"
  Other,          // any other caption: the panel does nothing
};

Mode CurrentMode(const Game& g);
void SetMode(Game& g, Mode mode);

// Opens the item panel in its current mode and fills its list.
void ShowItemScreen(Game& g);

// Writes the detail text of the selected list line and remembers its entry (selectedEntry).
void ShowEntryDetails(Game& g);

// How many set frames the player may fill: 3, plus one for every book owned.
int32_t UsableSetFrames(const GameState& s);

}  // namespace qv::items
