#pragma once
// People of the island built from rounded parts: one builder for every standing figure
// (the player's portraits, the enemies of the encounters, the shopkeepers), so they all
// share proportions and light.
#include <vector>

#include "paint.h"

namespace qv::assetgen {

enum class Hair { kShort, kLong, kSpiky, kTwinTails, kHood, kBald, kPonytail };
enum class Pose { kStand, kCast, kSword, kWide, kArmsUp };

struct Look {
  float height = 360;     // feet to crown, pixels
  float build = 1.0f;     // shoulder and hip width factor
  bool child = false;     // bigger head, shorter limbs
  bool robe = false;      // a long robe or dress instead of trousers
  bool cape = false;
  Hair hair = Hair::kShort;
  Pose pose = Pose::kStand;
  Col skin = Rgb(0xE8C4A0);
  Col hairCol = Rgb(0x3A2A20);
  Col top = Rgb(0x4A6A9A);
  Col bottom = Rgb(0x3A3A4A);
  Col accent = Rgb(0xC8A040);
  Col eyes = Rgb(0x203040);
  bool ears = false;      // pointed ears (the demon folk)
  bool animalEars = false;
  bool mask = false;      // a plain white mask over the face
  bool horns = false;
  bool beard = false;
};

struct Figure {
  std::vector<Part> parts;       // back to front
  float headX = 0, headY = 0, headR = 0;
  float handLX = 0, handLY = 0;  // the hand on the viewer's left
  float handRX = 0, handRY = 0;
  float chestX = 0, chestY = 0;
};

// Builds a figure standing with its feet centred at (x, footY).
Figure BuildFigure(const Look& look, float x, float footY);

// A dark soft shadow on the ground below a figure.
void GroundShadow(Layer& l, float x, float y, float rx, float ry, float strength);

}  // namespace qv::assetgen
