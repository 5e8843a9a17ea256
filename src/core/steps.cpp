#include "core/steps.h"

#include "core/game.h"

namespace qv {

void GoToStep(Game& g, Step next) {
  g.battle.phase = static_cast<int32_t>(next) - 1;
}

void SetPhaseDelay(Game& g, int32_t n) {
  g.battle.phaseDelay = n > 0 ? n : 1;
}

void AdvanceBattlePhase(Game& g) {
  g.steps->Advance(g);
}

}  // namespace qv
