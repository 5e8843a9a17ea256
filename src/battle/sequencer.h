#pragma once
// The battle's part of the step machine: starting an encounter and the numbered steps of a
// fight. The step table that runs them (and the steps between screens) is in flow/.
#include "core/game.h"
#include "core/steps.h"

namespace qv::battle {

// Begins the queued dialogue and then the battle at the current location.
void StartBattle(Game& g);

// The battle's steps, one function each: opening, turn start, can-move check, choice, the
// combination check, the end of the battle, level-up, turn end, the rare drop, and one
// milestone award per click before the free area's commands or the map.
void StepBattleOpening(Game& g);
void StepTurnStart(Game& g);
void StepCanMove(Game& g);
void StepChoice(Game& g);
void StepCombination(Game& g);
void StepBattleEnd(Game& g);
void StepLevelUp(Game& g);
void StepTurnEnd(Game& g);
void StepRareDrop(Game& g);
void StepMilestones(Game& g);

}  // namespace qv::battle
