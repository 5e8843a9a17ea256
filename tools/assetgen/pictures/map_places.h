#pragma once
// The places of the island map: what is painted under each click area, and the progress
// pictures that appear over them as the story moves on. Coordinates are map pixels; each
// progress painter fills the box (x, y, w, h) it is given.
#include "map_terrain.h"
#include "paint.h"

namespace qv::assetgen {

// Roads, houses, landmarks and the two menu plaques, over the painted terrain.
void DrawMapPlaces(Layer& map, const MapTerrain& terrain);

void PaintLakeGirl(Layer& l, float x, float y, float w, float h);
void PaintMagicCircle(Layer& l, float x, float y, float w, float h);
void PaintLightPillar(Layer& l, float x, float y, float w, float h);
void PaintGreenSpire(Layer& l, float x, float y, float w, float h);
void PaintMoth(Layer& l, float x, float y, float w, float h);
void PaintRobotHead(Layer& l, float x, float y, float w, float h);
void PaintDarkBlade(Layer& l, float x, float y, float w, float h);
void PaintIslandHeart(Layer& l, float x, float y, float w, float h);
void PaintHeavenLight(Layer& l, float x, float y, float w, float h);
void PaintTrailTorch(Layer& l, float x, float y, float w, float h);
void PaintDeepGate(Layer& l, float x, float y, float w, float h);
void PaintBeacon(Layer& l, float x, float y, float w, float h);
void PaintMerchantCart(Layer& l, float x, float y, float w, float h);
void PaintShip(Layer& l, float x, float y, float w, float h);

}  // namespace qv::assetgen
