#pragma once
// The blows of the skill scripts: the attack roll and sure damage.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// One attack that can miss: defence, statuses, elements, hit roll, guard, critical, then damage.
void ResolveAttack(Game& g, int attacker, int target, int32_t power);

// Damage that always lands; no defence, hit roll, guard or critical.
void ResolveDirectDamage(Game& g, int attacker, int target, int32_t power);

}  // namespace qv::battle
