#pragma once
// The island map screen and what every battle returns to.
#include "core/game.h"

namespace qv::world {

// Shows the map (with its monologue chapter when one is due).
void ShowMapScreen(Game& g);

// The end of an encounter won or escaped: counts the visit, clears the battle, picks new map
// music and shows the map.
void ReturnToMap(Game& g);

// Clears the enemy records, the game-over flag, both line queues and the pop-ups.
void ClearEncounter(Game& g);

}  // namespace qv::world
