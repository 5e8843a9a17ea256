#pragma once
// What the player's worn equipment and placed set-items do at the moments of a battle and of
// the rest command that the step machine reaches.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// Battle opening: the armour's and the set-items' first gains.
void ApplyBattleStartEquipment(Game& g);

// Start of the player's turn: the gains of pendants, rings, armour and set-items.
void ApplyTurnStartEquipment(Game& g);

// The experience of a victory with the set-items' additions.
int32_t RewardExperienceBonus(Game& g, int32_t exp);

// The money of a victory with the set-items' additions and multipliers, in their order.
int32_t RewardMoneyBonus(Game& g, int32_t money);

// Points every AddScore adds on top for what is worn and placed.
int32_t ScoreBonus(Game& g);

// The MP cost of a rest after the set-items that lower it (never below 1).
int32_t RestMpCost(Game& g, int32_t cost);
// TP a rest gives through the set-items.
int32_t RestTpGain(Game& g);
// HP a rest heals on top of its roll.
int32_t RestHealBonus(Game& g);

}  // namespace qv::battle
