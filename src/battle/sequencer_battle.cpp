// The steps of one battle turn: the opening, the turn start, the can-move check, the choice and
// the turn end with the victory lines.
#include <string>

#include "battle/act.h"
#include "battle/equipment.h"
#include "battle/rewards.h"
#include "battle/sequencer.h"
#include "battle/sequencer_steps.h"
#include "battle/status.h"
#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

// Pop-up of the encounter's opening flash.
constexpr int32_t kOpeningFlash = 194;

// The enemy "光" of location 5 gathers one MP every turn.
constexpr int32_t kLightsLocation = 5;

void RegainEnemyMp(Game& g) {
  Combatant& e = g.state.enemy();
  if (e.name == Sjis("光") && g.battle.locationId == kLightsLocation) e.mp += 1;
  // No ceiling here: the tick's clamp brings it back to maxMp.
  if (e.mpRegenKind == 1) e.mp += e.maxMp / 20 + 1;
  if (e.mpRegenKind == 2) e.mp += e.maxMp / 10 + 10;
}

// The turn is lost; it ends at step 7 after the usual pause.
void LoseTurn(Game& g, const std::string& line) {
  AddTextLine(g, line);
  SetPhaseDelay(g, g.battle.battleSpeed);
  GoToStep(g, Step::kTurnEnd);
}

}  // namespace

void StepBattleOpening(Game& g) {
  BattleState& b = g.battle;
  b.turnSide = Random(g, 2);
  // The player's equipment acts whoever moves first.
  ApplyBattleStartEquipment(g);
  if (b.locationId >= kFirstPlace) {
    SpawnPopup(g, 320, 240, kOpeningFlash, "");
    g.host->PlayWave(0, "combo5.wav");
    g.host->PlayMusic("battle.mp3");
  }
  g.state.battleCount += 1;
  // In the free area the line says how deep the player is.
  AddTextLine(g, g.state.depth >= 1 ? Compose(g, "{who}が襲ってきた!! ({depth}m地点)",
                                              {Who(g, "who", 1), Arg("depth", g.state.depth)})
                                    : Compose(g, "{who}が襲ってきた!! ", {Who(g, "who", 1)}));
  SetPhaseDelay(g, b.battleSpeed - 1);
}

void StepTurnStart(Game& g) {
  BattleState& b = g.battle;
  const int actor = ActorSide(g);
  if (actor == 1) b.roundCount += 1;
  AddTextLine(g, "");
  AddTextLine(g, Compose(g, "{who}のターン", {Who(g, "who", actor)}));
  if (actor == 1) {
    RegainEnemyMp(g);
  } else {
    ApplyTurnStartEquipment(g);
  }
  SetPhaseDelay(g, 1);
}

void StepCanMove(Game& g) {
  const int actor = ActorSide(g);
  Combatant& c = g.state.combatants[static_cast<size_t>(actor)];
  // The coin is tossed only for a paralysed actor, and only a lost toss uses up a turn of it.
  if (c.st_paralysis >= 1 && Random(g, 2) == 0) {
    c.st_paralysis -= 1;
    LoseTurn(g, Compose(g, "{who}は麻痺していて動けなかった....", {Who(g, "who", actor)}));
    return;
  }
  if (c.st_faint >= 1) {
    c.st_faint = 0;
    LoseTurn(g, Compose(g, "{who}は気絶していて動けなかった....", {Who(g, "who", actor)}));
    return;
  }
  ApplyTurnEffects(g);
}

void StepChoice(Game& g) {
  BattleState& b = g.battle;
  if (ActorSide(g) == 1) {
    b.actionSkill = ChooseEnemySkill(g);
    b.actionTimer = 1;
    return;
  }
  OfferPlayerSkills(g);
}

void StepTurnEnd(Game& g) {
  BattleState& b = g.battle;
  if (g.state.enemy().hp > 0) {
    b.turnSide = 1 - ActorSide(g);
    GoToStep(g, Step::kTurnStart);
    SetPhaseDelay(g, 1);
    return;
  }
  const int32_t next = b.victoryLineIndex + 1;
  if (next >= 0 && next < kQueuedLines && !b.victoryLines[static_cast<size_t>(next)].empty()) {
    b.victoryLineIndex = next;
    GoToStep(g, Step::kTurnEnd);  // each click comes back here for the next line
    AddTextLineRaw(g, b.victoryLines[static_cast<size_t>(next)]);
    return;
  }
  RollVictoryBonus(g);
}

}  // namespace qv::battle
