#include "core/state_ops.h"

namespace qv {

const ItemDef& ItemAt(const GameState& s, int32_t index) {
  if (index < 0 || index >= kItems) return s.items[0];
  return s.items[static_cast<size_t>(index)];
}

int32_t TotalAttack(const GameState& s) {
  const Combatant& p = s.player();
  return ItemAt(s, p.weapon).attack + p.attack + ItemAt(s, p.arm).attack;
}

int32_t TotalDefense(const GameState& s) {
  const Combatant& p = s.player();
  return ItemAt(s, p.armor).defense + p.defense + ItemAt(s, p.shield).defense +
         ItemAt(s, p.waist).defense;
}

int32_t TotalHit(const GameState& s) {
  const Combatant& p = s.player();
  return ItemAt(s, p.weapon).hitOrEvade + p.hitRate + ItemAt(s, p.ringRight).ringHit +
         ItemAt(s, p.ringLeft).ringHit;
}

int32_t TotalEvade(const GameState& s) {
  const Combatant& p = s.player();
  return ItemAt(s, p.armor).hitOrEvade + p.evadeRate + ItemAt(s, p.ringRight).hitOrEvade +
         ItemAt(s, p.ringLeft).hitOrEvade;
}

int32_t TotalCrit(const GameState& s) {
  return ItemAt(s, s.player().helmet).critRate;
}

int32_t TotalGuard(const GameState& s) {
  return ItemAt(s, s.player().shield).guardRate;
}

int32_t FindItemByName(const GameState& s, std::string_view name) {
  int32_t found = 0;
  for (int32_t i = 0; i < kPerId; ++i) {
    if (s.items[static_cast<size_t>(i)].name == name) found = i;
  }
  return found;
}

int32_t HasEquipped(const GameState& s, std::string_view name) {
  int32_t found = -1;
  for (int32_t i = 0; i < kSetFrames; ++i) {
    const ItemDef& item = ItemAt(s, s.setSlots[static_cast<size_t>(i)]);
    if (!item.name.empty() && item.name == name) found = i;
  }
  return found;
}

void ResetBattleState(Game& g) {
  g.battle.gameOver = 0;
  g.battle.battleActive = 0;
  for (int i = 0; i < 100; ++i) {
    Combatant& c = g.state.combatants[static_cast<size_t>(i)];
    for (int32_t Combatant::*field : kStatusFields) c.*field = 0;
    c.traitB = 0;  // traitA stays as the encounter set it
    c.mpRegenKind = 0;
  }
  Combatant& p = g.state.player();
  p.hp = p.maxHp;
  p.mp = p.maxMp;
}

}  // namespace qv
