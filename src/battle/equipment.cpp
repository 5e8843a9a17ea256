// The routines that walk the equipment catalogue, one per moment.
#include "battle/equipment.h"

#include <algorithm>

#include "battle/equipment_catalogue.h"
#include "core/state_ops.h"
#include "core/text.h"

namespace qv::battle {
namespace gear {

bool Wears(const GameState& s, Slot slot, const char* item) {
  if (slot == kSetFrame) return HasEquipped(s, Sjis(item)) >= 0;
  const ItemDef& worn = ItemAt(s, s.player().*slot);
  return !worn.name.empty() && worn.name == Sjis(item);
}

}  // namespace gear

namespace {

using namespace gear;

bool Holds(const Game& g, When when, int32_t every) {
  const Combatant& p = g.state.player();
  const int32_t r = g.battle.roundCount;
  switch (when) {
    case When::kAlways:
      return true;
    case When::kHpAtMostHalf:
      return p.hp <= p.maxHp / 2;
    case When::kHpAtMostThird:
      return p.hp <= p.maxHp / 3;
    case When::kRoundNonZero:
      return r != 0;
    case When::kRoundEvery:
      return r != 0 && every > 0 && r % every == 0;
  }
  return false;
}

void ApplyGains(Game& g, GainMoment moment) {
  Combatant& p = g.state.player();
  for (const GainRow& row : GainRows()) {
    if (row.moment != moment || !Wears(g.state, row.slot, row.item)) continue;
    if (!Holds(g, row.when, row.every)) continue;
    // Plain additions: the tick's clamp brings anything too high back within its limit.
    p.hp += row.hp;
    p.mp += row.mp + Random(g, row.mpRoll);
    p.tp += row.tp;
  }
}

int32_t TallyOf(const GameState& s, Tally what) {
  int32_t sum = 0;
  for (const TallyRow& row : TallyRows()) {
    if (row.what == what && Wears(s, row.slot, row.item)) sum += row.n;
  }
  return sum;
}

// Each matching item lowers a cost of 2 or more by its amount, never below 1.
int32_t CutCost(const GameState& s, CostMoment moment, int32_t c) {
  for (const CostRow& row : CostRows()) {
    if (row.moment != moment || !Wears(s, row.slot, row.item)) continue;
    if (c >= 2) c = std::max(c - row.n, 1);
  }
  return c;
}

}  // namespace

void ApplyBattleStartEquipment(Game& g) {
  ApplyGains(g, GainMoment::kBattleStart);
}
void ApplyTurnStartEquipment(Game& g) {
  ApplyGains(g, GainMoment::kTurnStart);
}
void ApplyGuardReward(Game& g) {
  ApplyGains(g, GainMoment::kGuard);
}

int32_t RewardExperienceBonus(Game& g, int32_t exp) {
  return exp + TallyOf(g.state, Tally::kExperience);
}

int32_t RewardMoneyBonus(Game& g, int32_t money) {
  for (const MoneyRow& row : MoneyRows()) {
    if (HasEquipped(g.state, Sjis(row.item)) < 0) continue;
    switch (row.op) {
      case MoneyOp::kAdd:
        money += row.n;
        break;
      case MoneyOp::kAddHalf:
        money += money / 2;
        break;
      case MoneyOp::kDouble:
        money *= 2;
        break;
    }
  }
  return money;
}

int32_t ScoreBonus(Game& g) {
  return TallyOf(g.state, Tally::kScore);
}

int32_t RestMpCost(Game& g, int32_t cost) {
  return CutCost(g.state, CostMoment::kRest, cost);
}
int32_t RestTpGain(Game& g) {
  return TallyOf(g.state, Tally::kRestTp);
}
int32_t RestHealBonus(Game& g) {
  return TallyOf(g.state, Tally::kRestHeal);
}

int32_t SkillMpCost(Game& g, int32_t c) {
  return CutCost(g.state, CostMoment::kSkillMp, c);
}

int32_t SkillTpCost(Game& g, int32_t h) {
  const int32_t cut = TallyOf(g.state, Tally::kSkillTpCut);
  return (cut > 0 && h > cut) ? h - cut : h;
}

int32_t TpCeilingBonus(const GameState& s) {
  return TallyOf(s, Tally::kTpCeiling);
}

int32_t GearBonus(Game& g, Gear moment) {
  int32_t sum = 0;
  for (const BonusRow& row : BonusRows()) {
    if (row.moment != moment || !Wears(g.state, row.slot, row.item)) continue;
    if (!Holds(g, row.when, 0)) continue;
    sum += row.n + Random(g, row.roll);
  }
  return sum;
}

WeaponAffinity PlayerWeaponAffinity(const GameState& s) {
  for (const WeaponRow& row : WeaponRows()) {
    if (Wears(s, kWeapon, row.item)) return row.affinity;
  }
  return WeaponAffinity::kNone;
}

}  // namespace qv::battle
