#include "world/map_places.h"

#include "battle/sequencer.h"
#include "core/text.h"
#include "items/item_screen.h"
#include "world/map.h"

namespace qv::world {
namespace {

void EnterShop(Game& g, Location location, std::string_view picture, battle::Step talk) {
  if (!MapListens(g)) return;
  CloseMapScreen(g);
  g.battle.locationId = location;
  ShowBackground(g, picture);
  // What the shop shows is fixed by the money the player came in with.
  g.state.moneyOnEntry = g.state.money;
  battle::GoToStep(g, talk);
  battle::AdvanceBattlePhase(g);
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
  battle::GoToStep(g, battle::Step::kInnTalk);
  battle::AdvanceBattlePhase(g);
}

void EnterToolShop(Game& g) {
  EnterShop(g, kAtToolShop, "dougu.bmp", battle::Step::kToolShopTalk);
}
void EnterWanderingShop(Game& g) {
  EnterShop(g, kAtWanderingShop, "zinkou.bmp", battle::Step::kSecondShopTalk);
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
