#pragma once
// State of the world map, the free area, the shops' offer state and character creation
// that is not saved.
#include <cstdint>

namespace qv {

struct WorldState {
  int32_t merchantGone = 0;
  int32_t shipGone = 0;
};

}  // namespace qv
