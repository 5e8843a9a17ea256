#pragma once
// The media player's end-of-playback notice.
#include <string_view>

#include "core/game.h"

namespace qv {

// `music` (a file name of dat/) played to its end: battle music starts again while a battle
// runs and the window is open; outside battles music plays once.
void mid_pNotify(Game& g, std::string_view music);

// Whether music that ends now would be started again by mid_pNotify: a player that can loop
// a tune by itself does so while this holds, with no gap at the join.
bool MusicRestartsAtItsEnd(const Game& g);

}  // namespace qv
