#pragma once
// Skill combinations: two or three skills in a row that unlock a further one.
#include <span>

#include "battle/skill_script.h"
#include "core/game.h"

namespace qv::battle {

// Step 4: starts a combination when the acting side's last skills match one, else falls through.
void CheckCombination(Game& g);

// The scripts of the combination and special skills (ids 100 and above), found by
// FindScript after the ordinary ones.
std::span<const ScriptEntry> CombinationScripts();

}  // namespace qv::battle
