#pragma once
// Battle-wide state of the step machine that plays every timed sequence (encounters,
// battles, the inn and the shops) and of the running action.
#include <array>
#include <cstdint>
#include <string>

namespace qv {

constexpr int kQueuedLines = 100;

// The location codes `locationId` holds, by the numbers the rules and the encounter table give
// them; the encounter places are 2..19.
enum Location : int32_t {
  kAtMap = -1,
  kAtInn = 0,
  kAtFreeArea = 1,
  kFirstPlace = 2,
  kLastPlace = 19,
  kAtToolShop = 100,
  kAtItemScreen = 101,  // the item screens opened from the map
  kAtWanderingShop = 102,
};

struct BattleState {
  int32_t phase = 0;       // the step last performed (Step); written by GoToStep
  int32_t phaseDelay = 0;  // ticks left before the next step; 0 = nothing pending
  int32_t paused = 0;      // 1 while a text line waits for a click
  int32_t storyMode = 0;   // 1 while a dialogue-only sequence runs
  std::array<std::string, kQueuedLines> dialogueLines{};
  std::array<std::string, kQueuedLines> victoryLines{};
  int32_t victoryLineIndex = -1;
  int32_t turnSide = 0;  // 0 player, 1 enemy; also the acting combatant
  int32_t roundCount = 0;
  int32_t battleSpeed = 0;  // the unit of every battle delay, in ticks (never below 9)
  int32_t actionTimer = 0;  // ticks since the running action began; 0 = none
  int32_t actionSkill = 0;
  int32_t lastListIndex = 0;
  std::array<int32_t, 6> playerHistory{};  // newest first, -1 = empty
  std::array<int32_t, 6> enemyHistory{};
  int32_t battleActive = 0;
  int32_t locationId = kAtMap;  // a Location code
  int32_t gameOver = 0;
  int32_t milestoneShown = 0;  // 1: the next FinishAction skips its use-count milestone once
  int32_t stepNesting = 0;     // steps running inside one another right now (falls through)
};

}  // namespace qv
