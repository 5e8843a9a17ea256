#pragma once
// The island map screen and what every battle returns to.
#include <cstdint>
#include <string_view>

#include "core/game.h"

namespace qv::world {

// Shows the map (with its monologue chapter when one is due).
void ShowMapScreen(Game& g);

// Takes the map down before a place sets up its scene: depth 0, text and encounter cleared.
void CloseMapScreen(Game& g);

// The end of an encounter won or escaped: counts the visit, clears the battle, picks new map
// music and shows the map.
void ReturnToMap(Game& g);

// Clears the enemy records, the game-over flag, both line queues and the pop-ups.
void ClearEncounter(Game& g);

// Empties the enemy records 1..99 for the next encounter (level, HP, MP, TP, rewards, skills
// and traitA are left to the encounter that writes them).
void ResetEnemySlots(Game& g);

// Plays the queued dialogue lines as a story (no battle follows; the map comes back after).
void StartStoryLines(Game& g);

// The map tune after a battle: one of the tunes the player's level has opened, at random.
std::string_view MapMusicFor(Game& g);

// Loads a picture of cg/ as the background (nothing is drawn without a presenter).
void ShowBackground(Game& g, std::string_view file);

}  // namespace qv::world
