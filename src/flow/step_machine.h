#pragma once
// The step machine: the table of numbered steps, the queued dialogue before a battle, and the
// click that continues a waiting line. Every game the flow makes runs on it (Game::steps).
#include "core/game.h"
#include "core/steps.h"

namespace qv {

// The one step machine (it holds no state: everything it moves is in the Game).
const StepMachine& GameSteps();

// The click on the main picture: continues a waiting line; true when it did.
bool ContinueOnClick(Game& g);

// The steps between screens: resting in the free area, the inn, and the three shops'
// greetings before their panels open.
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

}  // namespace qv
