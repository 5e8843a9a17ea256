#pragma once
// The free area's three commands after a victory: deeper, rest, or home.
#include <string_view>

#include "core/game.h"

namespace qv::world {

// Runs the command of that exact text ("進む", "休憩", "帰る"); any other text does nothing.
void RunExploreCommand(Game& g, std::string_view command);

}  // namespace qv::world
