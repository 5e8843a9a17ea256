#include <algorithm>

#include "battle/action.h"
#include "battle/sequencer.h"

namespace qv::battle {

// Placeholders until the action timeline lands.
void StepAction(Game& g) {}
void ApplyTurnEffects(Game& g) { AdvanceBattlePhase(g); }
void HealHp(Game& g, int side, int32_t n) {
  Combatant& c = g.state.combatants[side == 1 ? 1 : 0];
  c.hp = std::clamp(c.hp + n, 0, std::max(c.maxHp, 0));
}

}  // namespace qv::battle
