#pragma once
// The player's choice of a skill in battle: the list and the "発動" button. Mouse handlers get the
// position inside the widget and whether the right button was used; ui/input.cpp routes the events.
#include <cstdint>

#include "core/game.h"

namespace qv {

// The skill choice of a battle: the list (press and release) and the "発動" button.
void battle_listMouseDown(Game& g);
void Button1Click(Game& g);

}  // namespace qv
