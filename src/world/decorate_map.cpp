#include "world/decorate_map.h"

namespace qv::world {

// The map's progress pictures come with the map screen.
void DecorateMap(Game& g, MapPainter& painter) {}

}  // namespace qv::world
