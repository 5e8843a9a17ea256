// The click handlers of the island map's pictures: each hands its place to the world's rules.
#include "world/map_handlers.h"

#include "world/encounters.h"
#include "world/free_area.h"
#include "world/map_places.h"

namespace qv {

void map_b0MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterInn(g);
}

void map_b1MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterFreeArea(g, 0);
}
void map_free2MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterFreeArea(g, 10);
}
void map_free3MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterFreeArea(g, 20);
}
void map_free4MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterFreeArea(g, 30);
}
void map_free5MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterFreeArea(g, 40);
}
void map_free6MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterFreeArea(g, 50);
}

void Image6MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterToolShop(g);
}
void map_hMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterWanderingShop(g);
}
void Image7MouseDown(Game& g, int32_t, int32_t, bool) {
  world::OpenEquipment(g);
}
void Image8MouseDown(Game& g, int32_t, int32_t, bool) {
  world::OpenStrengthening(g);
}

void Image1MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 2);
}
void Image2MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 3);
}
void map4_bMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 4);
}
void map5_bMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 5);
}
void map6_bMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 6);
}
void map7_bMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 7);
}
void map8_bMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 8);
}
void map9_bMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 9);
}
void map10_bMouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 10);
}
// The ship only answers while the map is up and at peace; then it is a place like the others.
void map_sMouseDown(Game& g, int32_t, int32_t, bool) {
  if (world::MapListens(g)) world::EnterPlace(g, 11);
}
void Image3MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 12);
}
void Image4MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 13);
}
void Image5MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 14);
}
void Image9MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 15);
}
void Image10MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 16);
}
void Image11MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 17);
}
void Image12MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 18);
}
void Image13MouseDown(Game& g, int32_t, int32_t, bool) {
  world::EnterPlace(g, 19);
}

}  // namespace qv
