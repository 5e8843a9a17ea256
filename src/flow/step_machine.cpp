#include "flow/step_machine.h"

#include <string>
#include <utility>

#include "battle/sequencer.h"
#include "core/text_lines.h"
#include "creation/creation.h"
#include "world/map.h"

namespace qv {
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

void StepReturn(Game& g) {
  world::ReturnToMap(g);
}

constexpr StepEntry kSteps[] = {
    {Step::kBattleOpening, battle::StepBattleOpening},
    {Step::kTurnStart, battle::StepTurnStart},
    {Step::kCanMove, battle::StepCanMove},
    {Step::kChoice, battle::StepChoice},
    {Step::kCombination, battle::StepCombination},
    {Step::kBattleEnd, battle::StepBattleEnd},
    {Step::kLevelUp, battle::StepLevelUp},
    {Step::kTurnEnd, battle::StepTurnEnd},
    {Step::kRareDrop, battle::StepRareDrop},
    {Step::kMilestones, battle::StepMilestones},
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

class Steps final : public StepMachine {
 public:
  void Advance(Game& g) const override {
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
  void ShowMap(Game& g) const override { world::ShowMapScreen(g); }
  void ReturnToMap(Game& g) const override { world::ReturnToMap(g); }
  void ShowPlayerPicture(Game& g) const override { creation::SetPlayerPicture(g); }
};

const Steps kGameSteps;

}  // namespace

const StepMachine& GameSteps() {
  return kGameSteps;
}

bool ContinueOnClick(Game& g) {
  if (g.battle.paused != 1) return false;
  g.battle.paused = 0;
  AdvanceBattlePhase(g);
  return true;
}

}  // namespace qv
