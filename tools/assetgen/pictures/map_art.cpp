// map.bmp and the progress pictures: every place the player can click is painted where its
// click area lies, and each progress picture is painted over the very map pixels it will
// cover, so its edges melt into the island.
#include <functional>

#include "map_places.h"
#include "map_terrain.h"
#include "pictures.h"
#include "text.h"

namespace qv::assetgen {

namespace {

// A progress picture: painted on a transparent layer in map coordinates, then cut out at its
// point with the map beneath its soft edges and the key colour where nothing was painted.
void WriteOverlay(const Sink& out, const std::string& name, const Layer& map, int px, int py, int w,
                  int h, const std::function<void(Layer&)>& paint, Col matte = {},
                  bool useMatte = false) {
  Layer piece(w, h, {}, 0);
  Layer scratch(640, 480, {}, 0);
  paint(scratch);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int mx = px + x, my = py + y;
      bool inside = mx >= 0 && my >= 0 && mx < 640 && my < 480;
      float a = inside ? scratch.alpha(mx, my) : 0;
      if (a < 0.4f) continue;
      Col under = useMatte || !inside ? matte : map.at(mx, my);
      piece.at(x, y) = Mix(under, scratch.at(mx, my), Clamp01(a));
      piece.alpha(x, y) = 1;
    }
  }
  out.Sprite(name, piece, kKey);
}

}  // namespace

void PaintMap(const Sink& out) {
  MapTerrain terrain;
  Layer map(640, 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) map.at(x, y) = terrain.ColourAt(x, y);
  }
  DrawMapPlaces(map, terrain);
  out.Background("map.bmp", map);

  struct Mark {
    const char* file;
    int x, y, w, h;
    void (*paint)(Layer&, float, float, float, float);
  };
  // Progress pictures at their points on the map, sized to the places they mark.
  const Mark marks[] = {
      {"map4.bmp", 84, 252, 25, 25, PaintLakeGirl},
      {"map5.bmp", 379, 179, 49, 45, PaintMagicCircle},
      {"map6.bmp", 286, 249, 57, 49, PaintLightPillar},
      {"map7.bmp", 533, 294, 25, 53, PaintGreenSpire},
      {"map8.bmp", 111, 67, 25, 21, PaintMoth},
      {"map9.bmp", 48, 360, 41, 29, PaintRobotHead},
      {"map10.bmp", 260, 388, 41, 29, PaintDarkBlade},
      {"map11.bmp", 296, 200, 29, 29, PaintIslandHeart},
      {"map13.bmp", 576, 20, 29, 29, PaintHeavenLight},
      {"map_free2.bmp", 329, 114, 34, 19, PaintTrailTorch},
      {"map_free3.bmp", 332, 88, 27, 17, PaintTrailTorch},
      {"map_free4.bmp", 340, 60, 27, 17, PaintTrailTorch},
      {"map_free5.bmp", 320, 12, 30, 30, PaintDeepGate},
  };
  for (const Mark& m : marks) {
    WriteOverlay(out, m.file, map, m.x, m.y, m.w, m.h, [&](Layer& l) {
      m.paint(l, static_cast<float>(m.x), static_cast<float>(m.y), static_cast<float>(m.w),
              static_cast<float>(m.h));
    });
  }
  // The beacon stands at six different places, so its edges melt into a neutral green.
  WriteOverlay(
      out, "norosi.bmp", map, 0, 0, 20, 28, [](Layer& l) { PaintBeacon(l, 0, 0, 20, 28); },
      Rgb(0x6E9A4E), true);
  WriteOverlay(
      out, "map_h.bmp", map, 0, 0, 20, 20, [](Layer& l) { PaintMerchantCart(l, 0, 0, 20, 20); },
      Rgb(0x78AA50), true);
  WriteOverlay(
      out, "ship.bmp", map, 0, 0, 21, 21, [](Layer& l) { PaintShip(l, 0, 0, 21, 21); },
      Rgb(0x2A5E96), true);
}

}  // namespace qv::assetgen
