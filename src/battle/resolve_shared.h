#pragma once
// The damage rules that the attack roll and sure damage share, each on the blow's Act. Only
// the action files use this header.
#include <cstdint>

#include "battle/act.h"
#include "core/game.h"

namespace qv::battle {

// Attack up on the attacker, guard up on the target.
int32_t StatusBoosts(const Act& b, int32_t a);
// Magic of the player through the worn magic power items.
int32_t MagicPower(Act& b, int32_t a);
// Magic on the player through the worn magic circles.
int32_t MagicWard(Act& b, int32_t a);
// The attacker's element boosts, then the target's element resistances.
int32_t ElementBoosts(const Act& b, int32_t a);
int32_t ElementResists(const Act& b, int32_t a);
// What the enemy's two traits do to dark, light and magic.
int32_t EnemyTraits(const Act& b, int32_t a);
// The hero's trained combinations hit harder from levels 50 and 60.
int32_t CombinationBonus(const Act& b, int32_t a);
// Rings, sword set-items and the kunai add to every landed hit of the player.
int32_t PlayerHitDamage(Act& b, int32_t a);

}  // namespace qv::battle
