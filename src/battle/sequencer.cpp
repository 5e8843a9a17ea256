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
  int32_t step;
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
    {0, StepBattleOpening},   {1, StepTurnStart},       {2, StepCanMove},
    {3, StepChoice},          {4, StepCombination},     {5, StepBattleEnd},
    {6, StepLevelUp},         {7, StepTurnEnd},         {8, StepRareDrop},
    {9, StepMilestones},      {10, StepReturn},         {15, StepRest},
    {16, StepAfterRest},      {20, StepInnTalk},        {21, StepInnStay},
    {22, StepInnLeave},       {30, StepToolShopTalk},   {31, StepToolShopOpen},
    {40, StepSecondShopTalk}, {41, StepSecondShopOpen}, {50, StepThirdShopTalk},
    {51, StepThirdShopOpen},
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
    b.phase = -1;
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
    if (e.step == g.battle.phase) {
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
  b.phase = -1;
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
