#pragma once
// The progress pictures of the island map, drawn onto the map background when it is shown.
#include <cstdint>

#include "core/game.h"

namespace qv::world {

// What DecorateMap draws with: sprite slots of the picture pool, transparent where the sprite
// is, onto the background that was just loaded.
class MapPainter {
 public:
  virtual ~MapPainter() = default;
  virtual void DrawSprite(int slot, int32_t x, int32_t y) = 0;
};

// Draws the progress pictures, places the wandering shop and the ship (showing or hiding
// map_h and map_s), then the free-area pictures. Runs after "map.bmp" was loaded.
void DecorateMap(Game& g, MapPainter& painter);

}  // namespace qv::world
