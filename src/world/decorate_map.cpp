#include "world/decorate_map.h"

#include "world/conditions.h"

namespace qv::world {
namespace {

// Sprite slots of the map's pictures in the pool loaded at start-up.
// clang-format off
enum Slot : int {
  kFree2 = 2, kMap4 = 3, kMap5 = 4, kMap6 = 5, kMap7 = 10, kMap8 = 11, kMerchant = 12,
  kMap9 = 13, kMap10 = 14, kFree3 = 15, kShip = 16, kFree4 = 17, kBeacon = 18, kFree5 = 19,
  kMap11 = 34, kMap13 = 35,
};
// clang-format on

struct Picture {
  int slot;
  int32_t x, y;
  Terms when;  // all of these
};

// What the island shows of the player's progress: places opened, beacons and the ways in.
// A beacon stands, one at a time, over the next return fight of the chain
// 奥博士 → 山男 → サニー・レイニー → マジカル → 光 → 緑.
constexpr Picture kProgress[] = {
    {kMap4, 84, 252, {ClearAtLeast(2, 1)}},
    {kMap5, 379, 179, {ClearAtLeast(4, 1)}},
    {kMap6, 286, 249, {ClearAtLeast(6, 1)}},
    {kMap7, 533, 294, {ClearAtLeast(5, 1)}},
    {kMap8, 111, 67, {ClearAtLeast(5, 1)}},
    {kMap9, 48, 360, {ClearAtLeast(7, 1), ClearAtLeast(8, 1)}},
    {kMap10, 260, 388, {ClearAtLeast(7, 1), ClearAtLeast(8, 1)}},
    {kBeacon, 468, 100, {ClearAtLeast(9, 1), ClearAtLeast(10, 1), ClearAtMost(3, 1)}},
    {kBeacon, 168, 180, {ClearAtLeast(3, 2), ClearAtMost(2, 1)}},
    {kBeacon, 86, 236, {ClearAtLeast(2, 2), ClearAtMost(4, 1)}},
    {kBeacon, 410, 170, {ClearAtLeast(4, 2), ClearAtMost(6, 1)}},
    {kBeacon, 304, 228, {ClearAtLeast(6, 2), ClearAtMost(5, 1)}},
    {kBeacon, 539, 276, {ClearAtLeast(5, 2), ClearAtMost(7, 1)}},
    {kMap11, 296, 200, {ClearAtLeast(7, 2), ClearIs(12, 0), LevelAtLeast(40)}},
    {kMap13, 576, 20, {ClearAtLeast(12, 1), ClearIs(13, 0)}},
};

// The deeper entrances of the free area, as their records open them.
constexpr Picture kEntrances[] = {
    {kFree2, 329, 114, {FlagSet(10)}}, {kFree3, 332, 88, {FlagSet(11)}},
    {kFree4, 340, 60, {FlagSet(12)}},  {kFree4, 352, 36, {FlagSet(13)}},
    {kFree5, 320, 12, {FlagSet(7)}},
};

void DrawAll(const GameState& s, MapPainter& painter, const auto& pictures) {
  for (const Picture& p : pictures) {
    if (AllOf(s, p.when)) painter.DrawSprite(p.slot, p.x, p.y);
  }
}

// Puts a clickable picture at a random place, or takes it off the map.
void Place(Game& g, MapPainter& painter, W widget, int slot, bool shown, int32_t top,
           int32_t rows) {
  Widget& w = g.form[widget];
  if (!shown) {
    w.visible = false;
    return;
  }
  const int32_t x = 10 + Random(g, 630);
  const int32_t y = top + Random(g, rows);
  w.visible = true;
  w.rect.left = x;
  w.rect.top = y;
  painter.DrawSprite(slot, x, y);
}

}  // namespace

void DecorateMap(Game& g, MapPainter& painter) {
  const GameState& s = g.state;
  DrawAll(s, painter, kProgress);
  // The wandering merchant and the ship only turn up when the purse happens to be right.
  const bool merchant = s.clearCount[5] >= 1 && s.money % 10 == 0 && g.world.merchantGone == 0;
  Place(g, painter, W::map_h, kMerchant, merchant, 10, 470);
  const bool ship = s.player().level >= 25 && s.money % 9 == 0 && g.world.shipGone == 0;
  Place(g, painter, W::map_s, kShip, ship, 380, 90);
  DrawAll(s, painter, kEntrances);
}

}  // namespace qv::world
