#pragma once
// The free area's three commands after a victory: deeper, rest, or home.
#include <cstdint>
#include <string_view>

#include "core/game.h"

namespace qv::world {

// Runs the command of that exact text ("進む", "休憩", "帰る"); any other text does nothing.
void RunExploreCommand(Game& g, std::string_view command);

}  // namespace qv::world

namespace qv {

// The three exploration commands.
void l_btn_com1MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn_com2MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn_com3MouseDown(Game& g, int32_t x, int32_t y, bool right);

}  // namespace qv
