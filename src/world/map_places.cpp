#include "world/map_places.h"

#include "core/steps.h"
#include "core/text.h"
#include "items/item_screen.h"
#include "world/map.h"

namespace qv::world {
namespace {

void EnterShop(Game& g, Location location, std::string_view picture, Step talk) {
  if (!MapListens(g)) return;
  CloseMapScreen(g);
  g.battle.locationId = location;
  ShowBackground(g, picture);
  // What the shop shows is fixed by the money the player came in with.
  g.state.moneyOnEntry = g.state.money;
  GoToStep(g, talk);
  AdvanceBattlePhase(g);
}

// The panel opens over the map, which stays up behind it.
void OpenItemScreen(Game& g, items::Mode mode) {
  g.host->PlayWave(0, "a.wav");
  g.battle.locationId = kAtItemScreen;
  items::SetMode(g, mode);
  items::ShowItemScreen(g);
}

}  // namespace

bool MapListens(const Game& g) {
  return g.frame.mapShown == 1 && g.battle.battleActive == 0;
}

void EnterInn(Game& g) {
  if (!MapListens(g)) return;
  CloseMapScreen(g);
  g.battle.locationId = kAtInn;
  ShowBackground(g, "yado.bmp");
  GoToStep(g, Step::kInnTalk);
  AdvanceBattlePhase(g);
}

void EnterToolShop(Game& g) {
  EnterShop(g, kAtToolShop, "dougu.bmp", Step::kToolShopTalk);
}
void EnterWanderingShop(Game& g) {
  EnterShop(g, kAtWanderingShop, "zinkou.bmp", Step::kSecondShopTalk);
}

void OpenEquipment(Game& g) {
  if (!MapListens(g)) return;
  OpenItemScreen(g, items::Mode::Equip);
}

void OpenStrengthening(Game& g) {
  if (!MapListens(g)) return;
  // The skill list starts from the top again, with nothing chosen.
  g.battle.lastListIndex = -1;
  g.world.selectedEntry = -1;
  OpenItemScreen(g, items::Mode::Strengthen);
}

}  // namespace qv::world
