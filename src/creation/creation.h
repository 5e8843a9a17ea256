#pragma once
// The character creation panel and the player's pictures.
#include "core/game.h"

namespace qv::creation {

// Loads the player's portrait and battle picture for the race, sex and level.
void SetPlayerPicture(Game& g);

// The summary caption of bp_l: the bonus parameter and the personality.
void RefreshCreationSummary(Game& g);

}  // namespace qv::creation
