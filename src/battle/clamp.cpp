#include "battle/clamp.h"

#include <algorithm>

#include "battle/equipment.h"

namespace qv::battle {
namespace {

void ClampCombatant(Combatant& c, int32_t tpCap) {
  c.hp = std::max(std::min(c.hp, c.maxHp), 0);
  c.mp = std::max(std::min(c.mp, c.maxMp), 0);
  c.tp = std::max(std::min(c.tp, tpCap), 0);
  // For the enemy this bounds its experience reward by its own level.
  c.exp = std::max(std::min(c.exp, c.level * 10 + 100), 0);
  if (c.st_power >= 9) c.st_power = 9;
  if (c.st_guard >= 9) c.st_guard = 9;
  if (c.st_paralysis >= 9) c.st_paralysis = 9;
}

}  // namespace

int32_t PlayerTpCap(const GameState& s) {
  int32_t cap = s.player().maxTp + TpCeilingBonus(s);
  if (s.player().level >= 35) cap += 5;
  if (s.player().level >= 45) cap += 5;
  return cap;
}

void ClampState(Game& g) {
  GameState& s = g.state;
  if (s.money > 9999) s.money = 9999;
  if (s.depth < 0) s.depth = 0;
  if (s.reserved.reservedE < 0) s.reserved.reservedE = 0;
  if (g.battle.battleSpeed < 9) g.battle.battleSpeed = 9;
  ClampCombatant(s.player(), PlayerTpCap(s));
  ClampCombatant(s.enemy(), 100);
}

}  // namespace qv::battle
