#include "support/invariants.h"

#include <algorithm>
#include <string>

#include "battle/clamp.h"

namespace qv {
namespace {

std::string Out(const char* what, int64_t value) {
  return std::string(what) + " " + std::to_string(value);
}

bool Within(int64_t v, int64_t lo, int64_t hi) {
  return v >= lo && v <= hi;
}

// Equipment and set frames name an item of the master table (0 is "なし").
bool ItemIndex(int32_t i) {
  return Within(i, 0, kItems - 1);
}

std::string CheckProgress(const GameState& s) {
  if (s.money > 9999) return Out("money", s.money);
  if (s.money < 0) return Out("money", s.money);
  if (s.bp < 0) return Out("bp", s.bp);
  if (s.battleCount < 0) return Out("battleCount", s.battleCount);
  if (s.escapeCount < 0) return Out("escapeCount", s.escapeCount);
  if (s.loadCount < 0) return Out("loadCount", s.loadCount);
  if (s.depth < 0) return Out("depth", s.depth);
  if (s.maxDistance < 0) return Out("maxDistance", s.maxDistance);
  if (!Within(s.randomNameCount, 0, kRandomNames)) return Out("randomNameCount", s.randomNameCount);
  for (int32_t i = 0; i < kPerId; ++i) {
    if (s.owned[static_cast<size_t>(i)] < 0) return Out("owned below zero at", i);
    if (s.skillLevel[static_cast<size_t>(i)] < 0) return Out("skillLevel below zero at", i);
    if (s.skillUses[static_cast<size_t>(i)] < 0) return Out("skillUses below zero at", i);
  }
  for (int32_t i = 0; i < kFlags; ++i) {
    if (s.clearCount[static_cast<size_t>(i)] < 0) return Out("clearCount below zero at", i);
  }
  for (int32_t slot : s.setSlots) {
    if (!ItemIndex(slot)) return Out("set frame holds", slot);
  }
  return {};
}

std::string CheckBattle(const Game& g) {
  const BattleState& b = g.battle;
  // Steps count up from -1; the talk steps walk the dialogue queue by the same counter.
  if (!Within(b.phase, -1, kQueuedLines)) return Out("phase", b.phase);
  if (b.phaseDelay < 0) return Out("phaseDelay", b.phaseDelay);
  if (b.actionTimer < 0) return Out("actionTimer", b.actionTimer);
  if (!Within(b.paused, 0, 1)) return Out("paused", b.paused);
  if (!Within(b.storyMode, 0, 1)) return Out("storyMode", b.storyMode);
  if (!Within(b.battleActive, 0, 1)) return Out("battleActive", b.battleActive);
  if (b.turnSide != 0 && b.turnSide != 1) return Out("turnSide", b.turnSide);
  if (!Within(b.actionSkill, -1, kSkills - 1)) return Out("actionSkill", b.actionSkill);
  if (!Within(b.victoryLineIndex, -1, kQueuedLines - 1)) {
    return Out("victoryLineIndex", b.victoryLineIndex);
  }
  if (b.stepNesting != 0) return Out("steps left running:", b.stepNesting);
  // The enemy's turn never waits for the player: something must always be pending.
  if (b.battleActive == 1 && b.gameOver == 0 && b.turnSide == 1 && b.paused == 0 &&
      b.phaseDelay == 0 && b.actionTimer == 0 && Within(b.phase, 0, 7)) {
    return Out("the enemy's turn waits for nothing at step", b.phase);
  }
  const int32_t loc = b.locationId;
  if (!Within(loc, -1, 19) && !Within(loc, 100, 102)) return Out("locationId", loc);
  for (const auto* history : {&b.playerHistory, &b.enemyHistory}) {
    for (int32_t id : *history) {
      if (!Within(id, -1, kSkills - 1)) return Out("skill history holds", id);
    }
  }
  return {};
}

std::string CheckScreen(const Game& g) {
  const ScreenState& sc = g.screen;
  if (!Within(sc.scene, -2, 0)) return Out("scene", sc.scene);
  if (!Within(sc.frameCounter, 0, 999)) return Out("frameCounter", sc.frameCounter);
  if (sc.timerInterval < 1) return Out("timerInterval", sc.timerInterval);
  if (!Within(g.text.popupCursor, 0, kPopups - 1)) return Out("popupCursor", g.text.popupCursor);
  if (!Within(g.world.selectedEntry, -1, kPerId - 1)) {
    return Out("selectedEntry", g.world.selectedEntry);
  }
  for (const Widget& w : g.form.widgets) {
    if (w.kind != WidgetKind::ListBox) continue;
    const auto n = static_cast<int64_t>(w.lines.size());
    if (!Within(w.itemIndex, -1, n - 1)) {
      return std::string(w.name) + " selects row " + std::to_string(w.itemIndex) + " of " +
             std::to_string(n);
    }
  }
  return {};
}

}  // namespace

std::string CheckCombatant(const Game& g, int side) {
  const Combatant& c = g.state.combatants[static_cast<size_t>(side)];
  const std::string who = side == 0 ? "player " : "enemy ";
  const int32_t tpCap = side == 0 ? battle::PlayerTpCap(g.state) : 100;
  if (!Within(c.hp, 0, std::max(c.maxHp, 0))) return who + Out("hp", c.hp);
  if (!Within(c.mp, 0, std::max(c.maxMp, 0))) return who + Out("mp", c.mp);
  if (!Within(c.tp, 0, std::max(tpCap, 0))) return who + Out("tp", c.tp);
  for (int32_t Combatant::*field : kStatusFields) {
    if (c.*field < 0) return who + Out("status counter", c.*field);
  }
  if (c.st_power > 9 || c.st_guard > 9 || c.st_paralysis > 9) return who + "a counter above 9";
  for (int32_t slot : {c.weapon, c.armor, c.helmet, c.shield, c.ringRight, c.ringLeft, c.waist,
                       c.arm, c.earring, c.pendant}) {
    if (!ItemIndex(slot)) return who + Out("wears item", slot);
  }
  for (int32_t id : c.skillSlots) {
    if (!Within(id, 0, kSkills - 1)) return who + Out("skill slot", id);
  }
  return {};
}

std::string CheckInvariants(const Game& g) {
  std::string why = CheckScreen(g);
  if (why.empty()) why = CheckBattle(g);
  if (why.empty()) why = CheckProgress(g.state);
  // Limits are kept by the play tick; the title and creation screens leave the sides alone.
  if (why.empty() && g.screen.scene == 0 && !g.form[W::bp_box].visible) {
    why = CheckCombatant(g, 0);
    if (why.empty()) why = CheckCombatant(g, 1);
  }
  return why;
}

}  // namespace qv
