// Stand-in until the map's return lands: the battle is closed and the map shown.
#include <algorithm>

#include "world/map.h"

namespace qv::world {

void ReturnToMap(Game& g) {
  g.state.clearCount[static_cast<size_t>(std::clamp(g.battle.locationId, 0, kFlags - 1))] += 1;
  g.battle.battleActive = 0;
  g.form[W::battle_box].visible = false;
  g.battle.actionTimer = 0;
  ClearEncounter(g);
  ShowMapScreen(g);
}

}  // namespace qv::world
