#include "battle/sequencer.h"

#include "battle/combination.h"
#include "battle/rewards.h"
#include "core/text_lines.h"

namespace qv::battle {

void StartBattle(Game& g) {
  g.host->PlayMusic("not");
  g.form[W::map_box].visible = false;
  HideMapButton(g);
  ClearTextLines(g);
  BattleState& b = g.battle;
  b.battleActive = 1;
  GoToStep(g, Step::kBattleOpening);
  b.victoryLineIndex = -1;
  b.roundCount = 0;
  b.playerHistory.fill(-1);
  b.enemyHistory.fill(-1);
  AdvanceBattlePhase(g);
}

void StepCombination(Game& g) {
  CheckCombination(g);
}
void StepBattleEnd(Game& g) {
  CheckBattleEnd(g);
}
void StepLevelUp(Game& g) {
  CheckLevelUp(g);
}
void StepRareDrop(Game& g) {
  RollRareDrop(g);
}

}  // namespace qv::battle
