#pragma once
// The form's own handlers: the main picture, the bare form and the hover highlight. Mouse handlers
// get the position inside the widget and whether the right button was used; ui/input.cpp routes the
// events.
#include <cstdint>

#include "core/game.h"

namespace qv {

// The main picture and the bare form: the screen-advancing click (ClickMain).
void cgMouseDown(Game& g, int32_t x, int32_t y, bool right);
// Mouse moves and releases on the main picture, and key releases, change nothing.
void cgMouseMove(Game& g, int32_t x, int32_t y);
void cgMouseUp(Game& g, int32_t x, int32_t y, bool right);
void FormKeyUp(Game& g, int32_t key);

// Hover highlight shared by every label button: only the sender turns Silver.
void l_btn1MouseMove(Game& g, W sender, int32_t x, int32_t y);
// The mouse is over the creation panel, the item list or an information label: no highlight.
void bp_boxMouseMove(Game& g, int32_t x, int32_t y);

}  // namespace qv
