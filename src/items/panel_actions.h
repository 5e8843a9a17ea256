#pragma once
// The item panel's list and buttons, in every mode and in the shops. Mouse handlers get the
// position inside the widget and whether the right button was used; ui/input.cpp routes the events.
#include <cstdint>

#include "core/game.h"

namespace qv {

// The item panel and the shops: the list (press, release and keys) and its three buttons.
void item_listMouseDown(Game& g);
void item_listKeyDown(Game& g, int32_t key);
void l_btn10MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn11MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn9MouseDown(Game& g, int32_t x, int32_t y, bool right);

}  // namespace qv
