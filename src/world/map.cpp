#include "world/map.h"

namespace qv::world {

// Placeholder until the world lands: the map panel only.
void ShowMapScreen(Game& g) {
  g.battle.locationId = -1;
  ShowPanel(g.form, W::map_box);
}

void ClearEncounter(Game& g) {
  for (int i = 1; i < 100; ++i) g.state.combatants[static_cast<size_t>(i)] = Combatant{};
  g.battle.gameOver = 0;
  for (auto& line : g.battle.dialogueLines) line.clear();
  for (auto& line : g.battle.victoryLines) line.clear();
  ClearPopups(g);
}

}  // namespace qv::world
