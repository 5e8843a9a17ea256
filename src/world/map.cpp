#include "world/map.h"

#include <array>

#include "core/steps.h"
#include "core/text_lines.h"
#include "world/chapters.h"

namespace qv::world {
namespace {

// The map tunes in the order the player's level opens them.
constexpr std::array<std::string_view, 7> kMapTunes = {
    "map.mp3", "map2.mp3", "map3.mp3", "map4.mp3", "map5.mp3", "map6.mp3", "map7.mp3",
};

// How many map tunes are open: two from the start, one more every five levels from 20.
int32_t OpenTunes(int32_t level) {
  if (level < 20) return 2;
  if (level < 25) return 3;
  if (level < 30) return 4;
  if (level < 35) return 5;
  if (level < 40) return 6;
  return 7;
}

}  // namespace

void ShowBackground(Game& g, std::string_view file) {
  g.presenter->ShowBackground(g, file);
}

void ShowMapScreen(Game& g) {
  g.state.depth = 0;
  g.frame.mapShown = 1;
  ShowBackground(g, "map.bmp");  // the presenter decorates it with the island's progress
  g.form[W::map_box].visible = true;
  GoToStep(g, Step::kBattleOpening);
  g.battle.battleActive = 0;
  ShowMapButton(g);
  g.battle.locationId = kAtMap;
  ClearTextLines(g);
  // A chapter that is due takes the screen; otherwise the map stays and its music plays on.
  const int32_t chapter = DueChapter(g.state);
  if (chapter >= 0) PlayChapter(g, chapter);
}

void CloseMapScreen(Game& g) {
  g.state.depth = 0;
  ClearTextLines(g);
  g.frame.mapShown = 0;
  ClearEncounter(g);
  g.form[W::map_box].visible = false;
}

void ReturnToMap(Game& g) {
  const int32_t at = g.battle.locationId;
  // The free area counts as visited once; a place counts every victory. A location outside
  // the table (none should reach here) counts nowhere.
  if (at == kAtFreeArea) {
    g.state.clearCount[kAtFreeArea] = 1;
  } else if (at >= 0 && at < kFlags) {
    g.state.clearCount[static_cast<size_t>(at)] += 1;
  }
  g.battle.battleActive = 0;
  g.form[W::battle_box].visible = false;
  g.battle.actionTimer = 0;
  ClearEncounter(g);
  g.host->PlayMusic(MapMusicFor(g));
  ShowMapScreen(g);
}

std::string_view MapMusicFor(Game& g) {
  return kMapTunes[static_cast<size_t>(Random(g, OpenTunes(g.state.player().level)))];
}

void ClearEncounter(Game& g) {
  g.battle.gameOver = 0;
  g.battle.roundCount = 0;
  ResetEnemySlots(g);
  for (auto& line : g.battle.dialogueLines) line.clear();
  for (auto& line : g.battle.victoryLines) line.clear();
  ClearPopups(g);
  g.frame.enemyPicture.clear();
}

void ResetEnemySlots(Game& g) {
  for (size_t i = 1; i < 100; ++i) {
    Combatant& c = g.state.combatants[i];
    c.name.clear();
    c.present = 0;
    c.attack = 0;
    c.defense = 0;
    c.hitRate = 0;
    c.evadeRate = 0;
    c.guardRate = 0;
    c.critRate = 0;
    // The helmet and shield slots stay: no enemy ever wears one.
    c.pendant = 0;
    c.earring = 0;
    c.armor = 0;
    c.ringRight = 0;
    c.ringLeft = 0;
    c.waist = 0;
    c.arm = 0;
    c.weapon = 0;
    // traitA is kept on purpose: once an enemy had it, every later one has it too.
    c.traitB = 0;
    c.mpRegenKind = 0;
    for (int32_t Combatant::*field : kStatusFields) c.*field = 0;
  }
}

void StartStoryLines(Game& g) {
  // Nothing to tell: the screen stays as it is rather than running into the battle steps.
  if (g.battle.dialogueLines[0].empty()) return;
  ClearTextLines(g);
  g.frame.mapShown = 0;
  g.form[W::map_box].visible = false;
  g.battle.storyMode = 1;
  GoToStep(g, Step::kBattleOpening);
  AdvanceBattlePhase(g);
}

}  // namespace qv::world
