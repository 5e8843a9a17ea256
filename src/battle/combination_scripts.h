#pragma once
// The scripts of the combination and special skills, in families that share a shape: blows,
// recoveries and drains, and states laid on oneself or the foe. Only the combination files
// use this header.
#include <cstdint>

#include "battle/skill_script.h"

namespace qv::battle {

// The hero's trained combinations do more from level 50 (atFifty) and again from 60
// (atSixty). It is the hero's level that counts, whichever side acts.
int32_t HeroLevelBonus(const Act& act, int32_t atFifty, int32_t atSixty);

// Blows: single hits, a blow with a step after it, and many-hit volleys.
bool HasComboAttackScript(int32_t id);
void RunComboAttackScript(Act& act);

// HP, MP and TP recoveries, drains, cures and sure damage.
bool HasComboRecoveryScript(int32_t id);
void RunComboRecoveryScript(Act& act);

// Counters set or raised on oneself or on the foe.
bool HasComboStateScript(int32_t id);
void RunComboStateScript(Act& act);

}  // namespace qv::battle
