#pragma once
// State of the world map, the free area, the shops' offer state and character creation
// that is not saved.
#include <cstdint>

namespace qv {

struct WorldState {
  int32_t merchantGone = 0;
  int32_t shipGone = 0;
  // The item panel's selected entry: an ItemDef index, or a skill id while strengthening; -1 none.
  int32_t selectedEntry = -1;
};

}  // namespace qv
