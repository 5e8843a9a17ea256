#pragma once
// The map's places that are not battles: the inn, the two shops on land and the item screens.
#include "core/game.h"

namespace qv::world {

// The inn: its keeper greets, names the price, and a night heals and saves the game.
void EnterInn(Game& g);

// The tool shop (always there) and the wandering shop (where DecorateMap put it).
void EnterToolShop(Game& g);
void EnterWanderingShop(Game& g);

// The item screen over the map: equipment ("装備") or strengthening of skills ("強化").
void OpenEquipment(Game& g);
void OpenStrengthening(Game& g);

// True while the map is up and no battle runs: the inn, the shops and the screens listen.
bool MapListens(const Game& g);

}  // namespace qv::world
