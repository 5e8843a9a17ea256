#pragma once
// The hero the battle, item and map tests start from.
#include <cstdint>

#include "core/game.h"

namespace qv::testing {

struct Hero {
  int32_t hp = 30;     // maxHp and hp
  int32_t mp = 10;     // maxMp and mp
  bool stomps = true;  // knows 踏みつぶす (skill 0) at level 1
};

// Fills the master tables, puts the game in play (scene 0) and makes the hero: カイ at level 1
// with full HP and MP and a TP ceiling of 100. Tests set the numbers they care about after.
Combatant& PlayWithHero(Game& g, const Hero& hero = {});

}  // namespace qv::testing
