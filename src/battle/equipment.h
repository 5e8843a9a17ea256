#pragma once
// What the player's worn equipment and placed set-items do at the moments of a battle and of
// the rest command that the step machine reaches. Every such item is a row of one catalogue;
// the rules below walk the rows of their moment.
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

// The MP the player pays for a skill of cost c after the set-item and the cloak.
int32_t SkillMpCost(Game& g, int32_t c);
// The TP the player pays for a skill of cost h after the set-item.
int32_t SkillTpCost(Game& g, int32_t h);

// How far the set-items raise the player's TP ceiling.
int32_t TpCeilingBonus(const GameState& s);

// The moments of a fight at which something the player wears adds to a number. Each is the
// sum of the catalogue rows of that moment matching the player's gear (some add a roll).
enum class Gear : int32_t {
  kDesperateDamage,   // damage of the player's attack while badly hurt
  kMagicDamage,       // damage of the player's magic
  kMagicWard,         // taken off magic (and extra damage) that hits the player
  kMagicAim,          // hit chance of the player's magic
  kAim,               // hit chance of every attack of the player
  kFootwork,          // taken off the hit chance of attacks on the player
  kGuardRate,         // the player's guard rate
  kCritRate,          // the player's critical rate
  kCritHalved,        // non-zero: a critical on the player is not doubled
  kHitDamage,         // damage of each landed hit of the player
  kExtraDamage,       // extra damage of the player's hits
  kExtraHalved,       // non-zero: extra damage on the player is halved
  kThornDamage,       // thorn damage the enemy takes from the player's thorns
  kHitTp,             // TP the player gains when hit
  kWeaponTp,          // TP the player gains with each landed hit
  kMissHeal,          // HP the player regains after missing
  kMissMp,            // MP the player regains when the enemy misses
  kRegenHp,           // added to the player's HP regeneration
  kRegenMp,           // added to the player's MP regeneration
  kRegenTp,           // added to the player's TP regeneration
  kPoisonBoost,       // added to poison on the enemy
  kHeavyPoisonBoost,  // added to strong poison on the enemy
  kBurnBoost,         // added to burns on the enemy
  kPoisonWard,        // taken off poison on the player
  kHeavyPoisonWard,   // taken off strong poison on the player
  kLongerStates,      // turns added to the player's own timed states
  kExtraSlaps,        // hits added to the player's many-hit skills
  kMagicalRobe,       // non-zero: the player's robe halves fire and word magic
  kLightRobe,         // non-zero: the player's robe halves light magic
};

// The sum of the rows of that moment that the player's gear matches.
int32_t GearBonus(Game& g, Gear moment);

// What the player's weapon does against light and dark.
enum class WeaponAffinity : int32_t { kNone, kLight, kDark };
WeaponAffinity PlayerWeaponAffinity(const GameState& s);

// The player's shield pays back a guarded hit in HP, MP and TP.
void ApplyGuardReward(Game& g);

}  // namespace qv::battle
