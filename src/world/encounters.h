#pragma once
// The story places of the map: the gate of each, its enemy, its scene and its battle.
#include <cstdint>

#include "core/game.h"
#include "world/encounter_table.h"

namespace qv::world {

// The click on the place of a location code 2..19: a refusal, the ship's shop, or the map
// closes and the place's battle begins after its talk.
void EnterPlace(Game& g, int32_t code);

// Writes a place's enemy into the enemy record, with its rolled rewards and TP.
void WriteEnemy(Game& g, const EnemyVariant& v);

}  // namespace qv::world
