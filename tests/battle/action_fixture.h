#pragma once
// A duel for the action tests: master tables filled, a plain hero and a plain enemy with no
// attack, defence or aim of their own, so every number a test sees comes from the rule it sets.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "battle/action.h"
#include "battle/resolve_attack.h"
#include "battle/status.h"
#include "core/game.h"
#include "core/master_data.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "support/fake_host.h"
#include "support/hero.h"

namespace qv::testing {

struct Duel {
  TestGame t;
  Game& g;
  Combatant& hero;
  Combatant& foe;

  Duel() : g(t.g()), hero(g.state.player()), foe(g.state.enemy()) {
    PlayWithHero(g, {.hp = 100, .mp = 50});
    g.battle.battleSpeed = 9;
    g.battle.locationId = 2;
    g.battle.battleActive = 1;
    g.battle.playerHistory.fill(-1);
    g.battle.enemyHistory.fill(-1);
    foe.name = Sjis("スライム");
    foe.maxHp = foe.hp = 200;
    foe.maxMp = foe.mp = 50;
    foe.maxTp = 100;
  }

  // Puts a named item into a slot of the hero (or a set frame), by its CP932 name.
  void Wear(int32_t Combatant::*slot, const char* utf8Name) {
    hero.*slot = FindItemByName(g.state, Sjis(utf8Name));
  }
  // As Wear, with the item's columns zeroed so that only its named effect counts.
  void WearPlain(int32_t Combatant::*slot, const char* utf8Name) {
    Wear(slot, utf8Name);
    ItemDef& d = g.state.items[static_cast<size_t>(hero.*slot)];
    d.attack = d.defense = d.hitOrEvade = d.ringHit = d.guardRate = d.critRate = 0;
  }
  // A made-up item with the given columns at a free index.
  int32_t MakeItem(int32_t index, int32_t attack, int32_t defense, int32_t hitOrEvade = 0) {
    ItemDef& d = g.state.items[static_cast<size_t>(index)];
    d = ItemDef{};
    d.name = "item" + std::to_string(index);
    d.attack = attack;
    d.defense = defense;
    d.hitOrEvade = hitOrEvade;
    return index;
  }
  void Place(const char* utf8Name, int frame = 0) {
    g.state.setSlots[static_cast<size_t>(frame)] = FindItemByName(g.state, Sjis(utf8Name));
  }

  // The running skill of the blow, as the action timeline leaves it.
  void Using(int32_t skill) { g.battle.actionSkill = skill; }

  // One sure blow of the hero on the foe, with every roll at its top (no guard, no critical).
  int32_t HeroHits(int32_t power) {
    PinRolls pin(g, RollMode::Highest);
    hero.st_sureHit = 1;
    const int32_t before = foe.hp;
    battle::ResolveAttack(g, 0, 1, power);
    return before - foe.hp;
  }
  int32_t FoeHits(int32_t power) {
    PinRolls pin(g, RollMode::Highest);
    foe.st_sureHit = 1;
    const int32_t before = hero.hp;
    battle::ResolveAttack(g, 1, 0, power);
    return before - hero.hp;
  }

  std::string Line(int i = 0) const { return g.text.lines[static_cast<size_t>(i)].text; }
  bool Shows(const char* utf8) const {
    const std::string& s = Sjis(utf8);
    return std::any_of(g.text.lines.begin(), g.text.lines.end(),
                       [&](const LineEntry& l) { return l.text.find(s) != std::string::npos; });
  }
  bool ShowsBytes(const std::string& cp932) const {
    return std::any_of(g.text.lines.begin(), g.text.lines.end(),
                       [&](const LineEntry& l) { return l.text == cp932; });
  }

  void ResetPopups() {
    ClearPopups(g);
    g.text.popupCursor = 0;
  }
  // Live pop-ups as (type, text), oldest first, after a ClearPopups.
  std::vector<std::pair<int32_t, std::string>> Popups() const {
    std::vector<std::pair<int32_t, std::string>> out;
    for (int i = 1; i <= g.text.popupCursor; ++i) {
      const PopupSlot& p = g.text.popups[static_cast<size_t>(i)];
      if (p.age >= 1) out.emplace_back(p.type, p.text);
    }
    return out;
  }
};

}  // namespace qv::testing
