#pragma once
// HP and MP changes with their pop-ups, and the effects a side's statuses have at the start of
// its turn.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// hp += n for a side (0 player, 1 enemy), kept within 0..maxHp, with its pop-ups.
void HealHp(Game& g, int side, int32_t n);

// hp -= n for a side, kept within 0..maxHp, with the shake, the sound and the pop-ups.
void DamageHp(Game& g, int side, int32_t n);

// mp += n for a side, kept within 0..maxMp; no pop-up.
void ChangeMp(Game& g, int side, int32_t n);

// Per-turn effects of the acting side (regeneration, poison, burns, counters running out),
// then the next step.
void ApplyTurnEffects(Game& g);

}  // namespace qv::battle
