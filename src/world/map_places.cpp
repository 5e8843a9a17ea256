#include "world/map_places.h"

#include "battle/sequencer.h"
#include "core/text.h"
#include "items/item_screen.h"
#include "world/map.h"

namespace qv::world {
namespace {

// The step before the first talk step of each scene of the step machine.
constexpr int32_t kInnPhase = 19;
constexpr int32_t kToolShopPhase = 29;
constexpr int32_t kWanderingShopPhase = 39;

// Location codes of the map's screens and shops.
constexpr int32_t kInn = 0;
constexpr int32_t kToolShop = 100;
constexpr int32_t kItemScreen = 101;
constexpr int32_t kWanderingShop = 102;

void EnterShop(Game& g, int32_t location, std::string_view picture, int32_t phase) {
  if (!MapListens(g)) return;
  CloseMapScreen(g);
  g.battle.locationId = location;
  ShowBackground(g, picture);
  // What the shop shows is fixed by the money the player came in with.
  g.state.moneyOnEntry = g.state.money;
  g.battle.phase = phase;
  battle::AdvanceBattlePhase(g);
}

// The panel opens over the map, which stays up behind it.
void OpenItemScreen(Game& g, const char* mode) {
  g.host->PlayWave(0, "a.wav");
  g.battle.locationId = kItemScreen;
  g.form[W::l_btn10].caption = Sjis(mode);
  items::ShowItemScreen(g);
}

}  // namespace

bool MapListens(const Game& g) { return g.frame.mapShown == 1 && g.battle.battleActive == 0; }

void EnterInn(Game& g) {
  if (!MapListens(g)) return;
  CloseMapScreen(g);
  g.battle.locationId = kInn;
  ShowBackground(g, "yado.bmp");
  g.battle.phase = kInnPhase;
  battle::AdvanceBattlePhase(g);
}

void EnterToolShop(Game& g) { EnterShop(g, kToolShop, "dougu.bmp", kToolShopPhase); }
void EnterWanderingShop(Game& g) { EnterShop(g, kWanderingShop, "zinkou.bmp", kWanderingShopPhase); }

void OpenEquipment(Game& g) {
  if (!MapListens(g)) return;
  OpenItemScreen(g, "装備");
}

void OpenStrengthening(Game& g) {
  if (!MapListens(g)) return;
  // The skill list starts from the top again, with nothing chosen.
  g.battle.lastListIndex = -1;
  g.world.selectedEntry = -1;
  OpenItemScreen(g, "強化");
}

}  // namespace qv::world
