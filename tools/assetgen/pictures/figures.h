#pragma once
// People of the island built from rounded parts: one builder for every standing figure
// (the player's portraits, the enemies of the encounters, the shopkeepers), so they all
// share proportions and light.
#include <vector>

#include "paint.h"

namespace qv::assetgen {

enum class Hair { kShort, kLong, kSpiky, kTwinTails, kHood, kBald, kPonytail };
// kAkimbo: both fists on the hips; kPoint: one arm flung out to the side, the other on the hip.
enum class Pose { kStand, kCast, kSword, kWide, kArmsUp, kAkimbo, kPoint };
// What the face says: the brows, the lids and the mouth follow it.
enum class Mood { kCalm, kSmile, kGrin, kAngry, kSad, kSmug, kFierce };
// What covers the body below the chest, each with its own outline.
enum class Garment {
  kTrousers,  // legs in `bottom`
  kRobe,      // one long robe in `bottom`, flaring to the feet
  kCoat,      // a long coat in `top`, open over a shirt in `under` and trousers in `bottom`
  kDress,     // a short flared skirt in `bottom` over bare legs and boots in `accent`
  kHakama,    // wide pleated trousers in `bottom`, a wrapped jacket in `top`
  kGown,      // a bell-shaped gown in `bottom` with a tiered hem, trailing on the ground
};

struct Look {
  float height = 360;  // feet to crown, pixels
  float build = 1.0f;  // shoulder and hip width factor
  bool child = false;  // bigger head, shorter limbs
  Garment garment = Garment::kTrousers;
  bool cape = false;
  Hair hair = Hair::kShort;
  Pose pose = Pose::kStand;
  Col skin = Rgb(0xE8C4A0);
  Col hairCol = Rgb(0x3A2A20);
  Col top = Rgb(0x4A6A9A);
  Col bottom = Rgb(0x3A3A4A);
  Col accent = Rgb(0xC8A040);
  Col under = Rgb(0xE8E4DA);  // the shirt under an open coat
  Col eyes = Rgb(0x203040);
  bool ears = false;  // pointed ears (the demon folk)
  bool animalEars = false;
  bool mask = false;  // a plain white mask over the face
  bool horns = false;
  bool beard = false;
  Mood mood = Mood::kCalm;
  bool tail = false;  // a bushy tail (the beast folk)
  bool tiny = false;  // a few pixels high (on the map): no face lines, fingers or ink
};

struct Figure {
  std::vector<Part> parts;  // back to front
  float headX = 0, headY = 0, headR = 0;
  float handLX = 0, handLY = 0;  // the hand on the viewer's left
  float handRX = 0, handRY = 0;
  float chestX = 0, chestY = 0;
};

// Builds a figure standing with its feet centred at (x, footY).
Figure BuildFigure(const Look& look, float x, float footY);

// Draws a figure in the illustrated style: inked lines and flat tones of light.
void DrawFigure(Layer& l, const Figure& f, Light light);

// Draws what a figure wears or holds in the figures' style: inked and cel-shaded.
void DrawProp(Layer& l, Part p, Light light);

// For a sprite drawn over scenes of every kind: a dark inked line round what is painted and
// a pale one outside it, so it stands out on a bright meadow and on black alike.
void Keyline(Layer& l);

// A dark soft shadow on the ground below a figure.
void GroundShadow(Layer& l, float x, float y, float rx, float ry, float strength);

}  // namespace qv::assetgen
