#include "world/encounters.h"

#include "battle/sequencer.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "world/encounter_table.h"
#include "world/map.h"
#include "world/scene_text.h"

namespace qv::world {
namespace {

void OpenShipShop(Game& g) {
  CloseMapScreen(g);
  ShowBackground(g, "ship2.bmp");
  g.state.moneyOnEntry = g.state.money;
  // The ship's captain sells her wares once she has been beaten.
  GoToStep(g, Step::kThirdShopTalk);
  AdvanceBattlePhase(g);
}

// The first refusal that applies, answered; false when the place lets the player in.
bool Refuse(Game& g, const Place& p) {
  for (const Refusal& r : p.refusals) {
    if (!AnyOf(g.state, r.when)) continue;
    if (r.answer == Answer::Line && r.line) AddTextLine(g, Sjis(r.line));
    if (r.answer == Answer::ShipShop) OpenShipShop(g);
    return true;
  }
  return false;
}

}  // namespace

void WriteEnemy(Game& g, const EnemyVariant& v) {
  Combatant& e = g.state.enemy();
  e.present = 1;
  e.name = Sjis(v.name);
  e.exp = Random(g, 5) + 5;
  e.moneyReward = Random(g, 5) + v.money;
  e.element = v.element;
  if (v.trait == Trait::A) e.traitA = 1;
  if (v.trait == Trait::B) e.traitB = 1;
  e.mpRegenKind = v.mpRegenKind;
  e.maxHp = v.maxHp;
  e.maxMp = v.maxMp;
  e.attack = v.attack;
  e.defense = v.defense;
  e.hitRate = v.hitRate;
  e.evadeRate = v.evadeRate;
  e.guardRate = v.guardRate;
  e.critRate = v.critRate;
  e.hp = e.maxHp;
  e.mp = e.maxMp;
  e.tp = Random(g, 100);
  e.skillSlots = v.skills;
}

void EnterPlace(Game& g, int32_t code) {
  const Place* p = PlaceAt(code);
  if (!p) return;
  // The place is remembered before its gate is tried, also when the gate stays shut.
  g.battle.locationId = code;
  Visit visit = p->hasReturn ? Visit::First : Visit::Only;
  if (p->hasReturn && AllOf(g.state, p->returnNeeds)) {
    visit = Visit::Return;
  } else if (Refuse(g, *p)) {
    return;
  }
  const EnemyVariant* v = VariantOf(code, visit);
  if (!v) return;
  CloseMapScreen(g);
  WriteEnemy(g, *v);
  ShowBackground(g, v->picture);
  QueueLines(g.battle.dialogueLines, EncounterDialogue(g, code, visit));
  QueueLines(g.battle.victoryLines, EncounterVictory(g, code, visit));
  battle::StartBattle(g);
}

}  // namespace qv::world
