#pragma once
// The clicks on the places of the island map. Mouse handlers get the position inside the widget and
// whether the right button was used; ui/input.cpp routes the events.
#include <cstdint>

#include "core/game.h"

namespace qv {

// The places of the island map.
void map_b1MouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_b0MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image1MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image2MouseDown(Game& g, int32_t x, int32_t y, bool right);
void map4_bMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map5_bMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map6_bMouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image6MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image7MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image8MouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_free2MouseDown(Game& g, int32_t x, int32_t y, bool right);
void map7_bMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map8_bMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_hMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map9_bMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map10_bMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_free3MouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_sMouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_free4MouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_free5MouseDown(Game& g, int32_t x, int32_t y, bool right);
void map_free6MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image3MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image4MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image5MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image9MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image10MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image11MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image12MouseDown(Game& g, int32_t x, int32_t y, bool right);
void Image13MouseDown(Game& g, int32_t x, int32_t y, bool right);

}  // namespace qv
