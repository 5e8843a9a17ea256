#pragma once
// The step machine as the rules see it: its numbered steps, and what a rule asks of the flow
// above it (the next step, the map screen, the player's picture). The step table itself and
// the steps that move between screens live in flow/.
#include <cstdint>

namespace qv {

struct Game;

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

// What a rule asks of the game's flow, which sits above every rule folder. The flow hands
// one to every game it makes (Game::steps).
class StepMachine {
 public:
  virtual ~StepMachine() = default;
  // Performs the next step (re-entrant: a step may fall through to the next).
  virtual void Advance(Game& g) const = 0;
  // The map screen again: a shop or an item screen closed, the inn left.
  virtual void ShowMap(Game& g) const = 0;
  // A battle over without its closing steps (an escape): the victory count, the map.
  virtual void ReturnToMap(Game& g) const = 0;
  // The player's portrait for their level and race.
  virtual void ShowPlayerPicture(Game& g) const = 0;
};

// The next advance (a click, the end of a delay, or a step falling through) performs `next`;
// with the queued dialogue, kBattleOpening starts again from its first line.
void GoToStep(Game& g, Step next);

// phaseDelay := n when n > 0, else 1.
void SetPhaseDelay(Game& g, int32_t n);

// Performs the next step through the game's step machine.
void AdvanceBattlePhase(Game& g);

}  // namespace qv
