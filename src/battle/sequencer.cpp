#include "battle/sequencer.h"

#include "battle/combination.h"
#include "battle/rewards.h"
#include "battle/sequencer_steps.h"
#include "core/text_lines.h"
#include "world/map.h"

namespace qv::battle {
namespace {

// How deep steps may fall through into one another within one call. A battle turn needs a
// handful; anything deeper is carried on by the next tick instead, so no chain of steps can
// exhaust the stack however the state was left.
constexpr int32_t kMaxStepNesting = 32;

using StepFn = void (*)(Game&);
struct StepEntry {
  Step step;
  StepFn run;
};

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
void StepReturn(Game& g) {
  world::ReturnToMap(g);
}

constexpr StepEntry kSteps[] = {
    {Step::kBattleOpening, StepBattleOpening},
    {Step::kTurnStart, StepTurnStart},
    {Step::kCanMove, StepCanMove},
    {Step::kChoice, StepChoice},
    {Step::kCombination, StepCombination},
    {Step::kBattleEnd, StepBattleEnd},
    {Step::kLevelUp, StepLevelUp},
    {Step::kTurnEnd, StepTurnEnd},
    {Step::kRareDrop, StepRareDrop},
    {Step::kMilestones, StepMilestones},
    {Step::kReturn, StepReturn},
    {Step::kRest, StepRest},
    {Step::kAfterRest, StepAfterRest},
    {Step::kInnTalk, StepInnTalk},
    {Step::kInnStay, StepInnStay},
    {Step::kInnLeave, StepInnLeave},
    {Step::kToolShopTalk, StepToolShopTalk},
    {Step::kToolShopOpen, StepToolShopOpen},
    {Step::kSecondShopTalk, StepSecondShopTalk},
    {Step::kSecondShopOpen, StepSecondShopOpen},
    {Step::kThirdShopTalk, StepThirdShopTalk},
    {Step::kThirdShopOpen, StepThirdShopOpen},
};

const std::string* QueuedLine(const Game& g, int32_t slot) {
  if (slot < 0 || slot >= kQueuedLines) return nullptr;
  const std::string& line = g.battle.dialogueLines[static_cast<size_t>(slot)];
  return line.empty() ? nullptr : &line;
}

// Slot `phase` of the dialogue queue: shows it and waits for a click. After the last line the
// counter goes back to -1, so the click that follows starts the battle at step 0 (or, for a
// story chapter, brings the map back).
bool ShowQueuedLine(Game& g) {
  BattleState& b = g.battle;
  if (!QueuedLine(g, b.phase)) return false;
  std::string& slot = b.dialogueLines[static_cast<size_t>(b.phase)];
  const std::string line = std::move(slot);
  slot.clear();
  AddTextLineRaw(g, line);
  if (!QueuedLine(g, b.phase + 1)) {
    GoToStep(g, Step::kBattleOpening);
    if (b.storyMode == 1) {
      ClearTextLines(g);
      b.storyMode = 0;
      b.paused = 0;
      world::ShowMapScreen(g);
    }
  }
  return true;
}

void RunStep(Game& g) {
  if (ShowQueuedLine(g)) return;
  for (const StepEntry& e : kSteps) {
    if (static_cast<int32_t>(e.step) == g.battle.phase) {
      e.run(g);
      return;
    }
  }
}

}  // namespace

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

void AdvanceBattlePhase(Game& g) {
  BattleState& b = g.battle;
  if (b.paused == 1) return;
  if (b.stepNesting >= kMaxStepNesting) {
    SetPhaseDelay(g, 1);
    return;
  }
  b.phase += 1;
  b.stepNesting += 1;
  RunStep(g);
  b.stepNesting -= 1;
}

void GoToStep(Game& g, Step next) {
  g.battle.phase = static_cast<int32_t>(next) - 1;
}

void SetPhaseDelay(Game& g, int32_t n) {
  g.battle.phaseDelay = n > 0 ? n : 1;
}

bool ContinueOnClick(Game& g) {
  if (g.battle.paused != 1) return false;
  g.battle.paused = 0;
  AdvanceBattlePhase(g);
  return true;
}

}  // namespace qv::battle
