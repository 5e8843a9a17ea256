#include "battle/sequencer.h"

namespace qv::battle {

// Placeholders until the battle lands.
void StartBattle(Game& g) {
  g.battle.battleActive = 1;
  g.battle.phase = -1;
}
void AdvanceBattlePhase(Game& g) {
  if (g.battle.paused == 1) return;
  ++g.battle.phase;
}
void SetPhaseDelay(Game& g, int32_t n) { g.battle.phaseDelay = n > 0 ? n : 1; }

}  // namespace qv::battle
