// The island seen from above: coast, relief, forests, the mountain, the lake and the sea,
// painted per pixel from an elevation field and lit from the north-west.
#include "map_terrain.h"

#include <array>
#include <tuple>

namespace qv::assetgen {

namespace {

float Gauss(float x, float c, float w) {
  return std::exp(-((x - c) * (x - c)) / (w * w));
}
float Gauss2(float x, float y, float cx, float cy, float rx, float ry) {
  float dx = (x - cx) / rx, dy = (y - cy) / ry;
  return std::exp(-(dx * dx + dy * dy));
}

// How far south the land reaches at column x: capes under the ruins (west) and the dark
// cape (centre), a bay where the sea god sleeps.
float SouthCoast(float x) {
  return 372 + 10 * std::sin(x / 47.0f) + 26 * (Fbm(x / 55.0f, 3.3f, 4, 91) - 0.5f) +
         34 * Gauss(x, 68, 34) + 46 * Gauss(x, 281, 24) - 14 * Gauss(x, 452, 45) -
         10 * Gauss(x, 600, 40);
}
float WestCoast(float y) {
  return 6 + 16 * Fbm(3.1f, y / 40.0f, 4, 92) + std::max(0.0f, y - 300) * 0.06f;
}
float EastCoast(float y) {
  return 632 - 22 * Fbm(7.7f, y / 38.0f, 4, 93) - 28 * Smooth(120, 260, y) + 10 * Gauss(y, 320, 30);
}

}  // namespace

bool MapTerrain::IsLand(float x, float y) const {
  if (SdEllipse(x, y, 314, 446, 21, 17) + (Fbm(x / 9.0f, y / 9.0f, 3, 94) - 0.5f) * 10 < 0)
    return true;
  return y < SouthCoast(x) && x > WestCoast(y) && x < EastCoast(y);
}

float MapTerrain::Elevation(float x, float y) const {
  float e = 0.18f + 0.22f * Fbm(x / 90.0f, y / 90.0f, 5, 95);
  e += 0.95f * Gauss2(x, y, 178, 158, 44, 50);  // the mountain of the mountain man
  e += 0.45f * Gauss2(x, y, 150, 60, 70, 45);   // its northern shoulder
  e += 0.55f * Gauss2(x, y, 505, 40, 40, 30);   // the sky god's crag
  e += 0.35f * Gauss2(x, y, 40, 20, 40, 30);    // the north-west heights
  e += 0.25f * Gauss2(x, y, 340, 60, 50, 70);   // hills around the deep forest path
  e -= 0.22f * Gauss2(x, y, 498, 222, 22, 20);  // the crater of the earth spirit
  e += 0.18f * Gauss2(x, y, 498, 222, 34, 32);
  e += 0.1f * Fbm(x / 18.0f, y / 18.0f, 3, 96);
  return e;
}

MapTerrain::Biome MapTerrain::BiomeAt(float x, float y) const {
  if (!land_[Index(x, y)]) return kSea;
  if (SdEllipse(x, y, 97, 266, 28, 19) + (Fbm(x / 12.0f, y / 12.0f, 3, 97) - 0.5f) * 8 < 0)
    return kLake;
  float e = Elevation(x, y);
  if (coastDist_[Index(x, y)] < 7) return kBeach;
  if (e > 1.13f) return kSnow;
  if (e > 0.66f) return kRock;
  if (SdEllipse(x, y, 118, 80, 40, 28) + (Fbm(x / 15.0f, y / 15.0f, 3, 98) - 0.5f) * 20 < 0)
    return kSwamp;
  // The deep forest north of the free-area gate, and the green one's wood in the east.
  if (SdEllipse(x, y, 350, 60, 70, 70) + (Fbm(x / 20.0f, y / 20.0f, 3, 99) - 0.5f) * 30 < 0)
    return kDarkForest;
  if (SdEllipse(x, y, 560, 320, 50, 52) + (Fbm(x / 20.0f, y / 20.0f, 3, 100) - 0.5f) * 30 < 0)
    return kDarkForest;
  if (SdEllipse(x, y, 470, 140, 48, 34) + (Fbm(x / 16.0f, y / 16.0f, 3, 101) - 0.5f) * 24 < 0)
    return kForest;
  if (SdEllipse(x, y, 60, 180, 40, 40) + (Fbm(x / 16.0f, y / 16.0f, 3, 102) - 0.5f) * 24 < 0)
    return kForest;
  if (SdEllipse(x, y, 200, 330, 55, 30) + (Fbm(x / 16.0f, y / 16.0f, 3, 103) - 0.5f) * 24 < 0)
    return kForest;
  if (SdEllipse(x, y, 20, 18, 34, 30) < 0) return kForest;
  if (SdEllipse(x, y, 498, 222, 26, 24) < 0) return kBarren;
  return kGrass;
}

MapTerrain::MapTerrain() : land_(640 * 480), coastDist_(640 * 480) {
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) land_[y * 640 + x] = IsLand(x + 0.5f, y + 0.5f);
  }
  // Chamfer distance to the other side of the coast, for beaches and shallows.
  const float kBig = 1e6f;
  for (int i = 0; i < 640 * 480; ++i) coastDist_[i] = kBig;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      bool l = land_[y * 640 + x];
      for (auto [dx, dy] : std::array<std::pair<int, int>, 4>{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}}) {
        int nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < 640 && ny < 480 && land_[ny * 640 + nx] != l)
          coastDist_[y * 640 + x] = 0.5f;
      }
    }
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (int yy = 0; yy < 480; ++yy) {
      int y = pass == 0 ? yy : 479 - yy;
      for (int xx = 0; xx < 640; ++xx) {
        int x = pass == 0 ? xx : 639 - xx;
        float& d = coastDist_[y * 640 + x];
        int s = pass == 0 ? -1 : 1;
        for (auto [dx, dy, w] : std::array<std::tuple<int, int, float>, 4>{
                 {{s, 0, 1.0f}, {0, s, 1.0f}, {s, s, 1.414f}, {-s, s, 1.414f}}}) {
          int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= 640 || ny >= 480) continue;
          d = std::min(d, coastDist_[ny * 640 + nx] + w);
        }
      }
    }
  }
}

Col MapTerrain::ColourAt(int x, int y) const {
  float fx = x + 0.5f, fy = y + 0.5f;
  Biome b = BiomeAt(fx, fy);
  float cd = coastDist_[Index(fx, fy)];
  if (b == kSea) {
    float depth = Smooth(0, 60, cd);
    Col c = Mix(Rgb(0x4FC4C0), Rgb(0x1D4F8A), depth);
    c = Mix(c, Rgb(0x14305E), Smooth(60, 140, cd));
    float wave = Noise(fx / 14.0f, fy / 3.5f, 104);
    c = Add(c, Scale(Rgb(0xFFFFFF), Smooth(0.7f, 0.85f, wave) * 0.12f));
    // Surf line along the shore.
    c = Mix(c, Rgb(0xE8F8F4), Smooth(4.5f, 1.0f, cd) * 0.7f);
    return c;
  }
  if (b == kLake) {
    float d = -SdEllipse(fx, fy, 97, 266, 28, 19);
    Col c = Mix(Rgb(0x58C0D8), Rgb(0x2A6AA8), Smooth(0, 14, d));
    return Add(
        c, Scale(Rgb(0xFFFFFF), Smooth(0.72f, 0.86f, Noise(fx / 10.0f, fy / 3.0f, 105)) * 0.15f));
  }
  float e = Elevation(fx, fy);
  // Hillshade: light from the north-west.
  float ex = Elevation(fx + 1, fy) - Elevation(fx - 1, fy);
  float ey = Elevation(fx, fy + 1) - Elevation(fx, fy - 1);
  float shade = 1 + std::clamp((-ex - ey) * 22, -0.5f, 0.5f);
  float n = Fbm(fx / 6.0f, fy / 6.0f, 3, 106);
  Col c;
  switch (b) {
    case kBeach:
      c = Mix(Rgb(0xE8D8A0), Rgb(0xD4BE80), n);
      break;
    case kSnow:
      c = Mix(Rgb(0xF4F6FA), Rgb(0xC8D0E0), n);
      break;
    case kRock:
      c = Mix(Mix(Rgb(0x8A7A64), Rgb(0x6A5E50), n), Rgb(0x7A8A5A), Smooth(0.75f, 0.62f, e) * 0.5f);
      break;
    case kSwamp:
      c = Mix(Rgb(0x5A5A48), Rgb(0x6A4A78),
              Smooth(0.4f, 0.7f, Fbm(fx / 12.0f, fy / 12.0f, 3, 107)));
      break;
    case kDarkForest:
    case kForest: {
      // Canopy: bright crowns with dark gaps between them.
      float crowns = Fbm(fx / 4.5f, fy / 4.5f, 2, 108);
      Col lit = b == kForest ? Rgb(0x4E9A44) : Rgb(0x2A5A3A);
      Col dark = b == kForest ? Rgb(0x1E4A28) : Rgb(0x0E2418);
      c = Mix(dark, lit, Smooth(0.35f, 0.7f, crowns));
      break;
    }
    case kBarren:
      c = Mix(Rgb(0x8A6A4A), Rgb(0x5A4234), n);
      break;
    default: {
      float meadow = Fbm(fx / 40.0f, fy / 40.0f, 3, 109);
      c = Mix(Rgb(0x8CC05A), Rgb(0x5E9A48), meadow);
      c = Mix(c, Rgb(0xB8C868), Smooth(0.6f, 0.8f, n) * 0.3f);
      c = Mix(c, Rgb(0x7A9A58), Smooth(0.45f, 0.65f, e) * 0.6f);
      break;
    }
  }
  return Scale(c, shade);
}

}  // namespace qv::assetgen
