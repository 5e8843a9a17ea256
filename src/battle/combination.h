#pragma once
// Skill combinations: two or three skills in a row that unlock a further one.
#include "core/game.h"

namespace qv::battle {

// Step 4: starts a combination when the acting side's last skills match one, else falls through.
void CheckCombination(Game& g);

}  // namespace qv::battle
