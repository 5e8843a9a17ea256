#pragma once
// The rows of the equipment catalogue: which item, worn where, does what at which moment.
// Only the equipment files and their tests use this header.
#include <cstdint>
#include <span>

#include "battle/equipment.h"
#include "core/game_state.h"

namespace qv::battle::gear {

// Where an item must be for its row to count: a set frame, or one of the ten slots.
using Slot = int32_t Combatant::*;
constexpr Slot kSetFrame = nullptr;
constexpr Slot kPendant = &Combatant::pendant;
constexpr Slot kEarring = &Combatant::earring;
constexpr Slot kShield = &Combatant::shield;
constexpr Slot kArmor = &Combatant::armor;
constexpr Slot kRingRight = &Combatant::ringRight;
constexpr Slot kRingLeft = &Combatant::ringLeft;
constexpr Slot kWaist = &Combatant::waist;
constexpr Slot kArm = &Combatant::arm;
constexpr Slot kWeapon = &Combatant::weapon;

// Extra conditions a row can carry.
enum class When : int32_t {
  kAlways,
  kHpAtMostHalf,   // hp <= maxHp div 2
  kHpAtMostThird,  // hp <= maxHp div 3
  kRoundNonZero,   // the enemy has moved at least once
  kRoundEvery,     // the enemy's turns so far are a non-zero multiple of `every`
};

// A number added at a moment: n, plus Random(roll) when roll > 0.
struct BonusRow {
  Gear moment;
  Slot slot;
  const char* item;  // UTF-8; compared as CP932
  int32_t n;
  int32_t roll = 0;
  When when = When::kAlways;
};

// Gains written straight to the player's record.
enum class GainMoment : int32_t { kBattleStart, kTurnStart, kGuard };
struct GainRow {
  GainMoment moment;
  Slot slot;
  const char* item;
  int32_t hp, mp, tp;
  int32_t mpRoll = 0;  // mp + Random(mpRoll) as well
  When when = When::kAlways;
  int32_t every = 0;
};

// Costs an item lowers: by n each, only costs of 2 or more, never below 1.
enum class CostMoment : int32_t { kSkillMp, kRest };
struct CostRow {
  CostMoment moment;
  Slot slot;
  const char* item;
  int32_t n;
};

// The victory's money, changed row by row in this order.
enum class MoneyOp : int32_t { kAdd, kAddHalf, kDouble };
struct MoneyRow {
  const char* item;  // a set-item
  MoneyOp op;
  int32_t n;
};

// Plain additions outside the fight: experience, points, rest, TP ceiling.
enum class Tally : int32_t { kExperience, kScore, kRestTp, kRestHeal, kTpCeiling, kSkillTpCut };
struct TallyRow {
  Tally what;
  Slot slot;
  const char* item;
  int32_t n;
};

struct WeaponRow {
  const char* item;
  WeaponAffinity affinity;
};

std::span<const BonusRow> BonusRows();
std::span<const GainRow> GainRows();
std::span<const CostRow> CostRows();
std::span<const MoneyRow> MoneyRows();
std::span<const TallyRow> TallyRows();
std::span<const WeaponRow> WeaponRows();

// True when the player wears the item in that slot (or has it in a set frame).
bool Wears(const GameState& s, Slot slot, const char* item);

}  // namespace qv::battle::gear
