#pragma once
// The step machine that plays every timed sequence: encounter dialogue, the battle, the
// rewards, the inn and the shops.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// The steps of the step machine, by the numbers the rules give them. `phase` holds the step
// last performed and each advance counts it on by one; the queued dialogue lines are walked
// by the same counter before step 0.
enum class Step : int32_t {
  kBattleOpening = 0,
  kTurnStart = 1,
  kCanMove = 2,
  kChoice = 3,
  kCombination = 4,
  kBattleEnd = 5,
  kLevelUp = 6,
  kTurnEnd = 7,
  kRareDrop = 8,
  kMilestones = 9,
  kReturn = 10,
  kRest = 15,
  kAfterRest = 16,
  kInnTalk = 20,
  kInnStay = 21,
  kInnLeave = 22,
  kToolShopTalk = 30,
  kToolShopOpen = 31,
  kSecondShopTalk = 40,  // the wandering shop
  kSecondShopOpen = 41,
  kThirdShopTalk = 50,  // the ship's shop
  kThirdShopOpen = 51,
};

// The next advance (a click, the end of a delay, or a step falling through) performs `next`;
// with the queued dialogue, kBattleOpening starts again from its first line.
void GoToStep(Game& g, Step next);

// Begins the queued dialogue and then the battle at the current location.
void StartBattle(Game& g);

// Performs the next step (re-entrant: a step may fall through to the next).
void AdvanceBattlePhase(Game& g);

// phaseDelay := n when n > 0, else 1.
void SetPhaseDelay(Game& g, int32_t n);

// The click on the main picture: continues a waiting line; true when it did.
bool ContinueOnClick(Game& g);

}  // namespace qv::battle
