#pragma once
// Landscape pieces shared by the backgrounds: skies, clouds, ridges, water, grass, trees,
// rooms. Every scene is assembled from these so the island keeps one look.
#include <cstdint>
#include <vector>

#include "paint.h"

namespace qv::assetgen {

// Sky from zenith to horizon over rows 0..horizon, with soft noise clouds.
void Sky(Layer& l, Col zenith, Col horizon, int horizonY, float clouds, uint32_t seed);
// Scattered stars above the horizon.
void Stars(Layer& l, int count, int maxY, uint32_t seed, float brightness = 1);
// A ridge line: everything below baseY + noise offset is filled with a colour fading to fog.
void Ridge(Layer& l, float baseY, float amp, float freq, Col c, Col fog, float fogAmount,
           uint32_t seed, float peakX = -1, float peakH = 0, float peakW = 100);
// Ground from y0 down with a colour gradient and noise texture.
void Ground(Layer& l, int y0, Col nearCol, Col farCol, uint32_t seed, float texture = 0.25f);
// A lake or sea surface from y0 down, mirroring what is above it with ripples.
void Water(Layer& l, int y0, int y1, Col tint, float tintAmount, uint32_t seed);
// A rounded tree: trunk plus layered foliage blobs lit from the upper left.
void Tree(Layer& l, float x, float footY, float size, Col leaf, Col trunk, uint32_t seed);
// A dark conifer (for the deep forest).
void Conifer(Layer& l, float x, float footY, float size, Col c);
// Grass tufts along a strip.
void Grass(Layer& l, int y0, int y1, Col c, int count, uint32_t seed);
// Fog band: blends towards a colour with a vertical falloff around y.
void Fog(Layer& l, float y, float height, Col c, float amount);
// Floating motes of light.
void Motes(Layer& l, int count, float x0, float y0, float x1, float y1, Col c, uint32_t seed);
// Wooden room: back wall, floor boards and a window, for the inn and the shops.
void Room(Layer& l, Col wall, Col floor, int floorY, uint32_t seed);

}  // namespace qv::assetgen
