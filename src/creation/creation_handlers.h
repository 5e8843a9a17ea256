#pragma once
// The buttons of the character creation panel. Mouse handlers get the position inside the widget
// and whether the right button was used; ui/input.cpp routes the events.
#include <cstdint>

#include "core/game.h"

namespace qv {

// Character creation: the bonus parameter, the personality, race and sex, and OK.
void l_btn1MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn2MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn3MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn4MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn5MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn6MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn15MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn16MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn17MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn18MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn19MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn20MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn30MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn31MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn32MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn33MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn34MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn35MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn36MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn37MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn38MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn39MouseDown(Game& g, int32_t x, int32_t y, bool right);
void l_btn8MouseDown(Game& g, int32_t x, int32_t y, bool right);

}  // namespace qv
