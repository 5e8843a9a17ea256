#pragma once
// The island's land and sea, shared by the map and the progress pictures drawn over it.
#include <vector>

#include "paint.h"

namespace qv::assetgen {

class MapTerrain {
 public:
  enum Biome { kSea, kBeach, kGrass, kForest, kDarkForest, kRock, kSnow, kSwamp, kLake, kBarren };
  MapTerrain();
  bool IsLand(float x, float y) const;
  float Elevation(float x, float y) const;
  Biome BiomeAt(float x, float y) const;
  // Painted colour of one map pixel before the places are drawn on it.
  Col ColourAt(int x, int y) const;

 private:
  static int Index(float x, float y) {
    int ix = std::clamp(static_cast<int>(x), 0, 639), iy = std::clamp(static_cast<int>(y), 0, 479);
    return iy * 640 + ix;
  }
  std::vector<char> land_;
  std::vector<float> coastDist_;
};

}  // namespace qv::assetgen
