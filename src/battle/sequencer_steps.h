#pragma once
// The numbered steps of the step machine, one function each; only the sequencer's own files
// use this header.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// The battle: opening, turn start, can-move check, choice, turn end.
void StepBattleOpening(Game& g);
void StepTurnStart(Game& g);
void StepCanMove(Game& g);
void StepChoice(Game& g);
void StepTurnEnd(Game& g);

// Step 9: one milestone award per click, then the free area's commands or the map.
void StepMilestones(Game& g);

// The rest command, the inn and the three shops.
void StepRest(Game& g);
void StepAfterRest(Game& g);
void StepInnTalk(Game& g);
void StepInnStay(Game& g);
void StepInnLeave(Game& g);
void StepToolShopTalk(Game& g);
void StepToolShopOpen(Game& g);
void StepSecondShopTalk(Game& g);
void StepSecondShopOpen(Game& g);
void StepThirdShopTalk(Game& g);
void StepThirdShopOpen(Game& g);

// The enemy's skill for this turn: always a skill it can pay TP for (or one costing nothing).
int32_t ChooseEnemySkill(Game& g);

// Fills the skill list with the learned skills and shows it at the player's turn.
void OfferPlayerSkills(Game& g);

}  // namespace qv::battle
