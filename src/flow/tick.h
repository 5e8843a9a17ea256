#pragma once
// The timer that drives everything: one tick per event, and the interval rule that keeps
// the game at 13 to 14 ticks a second.
#include "core/game.h"

namespace qv {

// The timer event: one tick, then (about once a second) the interval rule.
void Timer1Timer(Game& g);

// One tick: what it does depends on the screen the game is in.
void Tick(Game& g);

}  // namespace qv
