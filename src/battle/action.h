#pragma once
// The running action of a battle turn, advanced one tick at a time, and the primitives its
// skill scripts are built from: the attack roll, sure damage, HP and MP changes.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// Advances the running action by one tick (nothing when no action runs).
void StepAction(Game& g);

// Ends the running action: the player's use-count milestones, else the delay to the next step.
void FinishAction(Game& g);

// Per-turn effects of the acting side (regeneration, poison, burns, counters running out),
// then the next step.
void ApplyTurnEffects(Game& g);

// One attack that can miss: defence, statuses, elements, hit roll, guard, critical, then damage.
void ResolveAttack(Game& g, int attacker, int target, int32_t power);

// Damage that always lands; no defence, hit roll, guard or critical.
void ResolveDirectDamage(Game& g, int attacker, int target, int32_t power);

// hp += n for a side (0 player, 1 enemy), kept within 0..maxHp, with its pop-ups.
void HealHp(Game& g, int side, int32_t n);

// hp -= n for a side, kept within 0..maxHp, with the shake, the sound and the pop-ups.
void DamageHp(Game& g, int side, int32_t n);

// mp += n for a side, kept within 0..maxMp; no pop-up.
void ChangeMp(Game& g, int side, int32_t n);

}  // namespace qv::battle
