// The player's portraits: ten folk (five races, each a man and a woman) at four stages of
// the journey. Each stage is a little older and better armed than the one before.
#include <algorithm>
#include <cmath>

#include "figures.h"
#include "pictures.h"

namespace qv::assetgen {

namespace {

constexpr int kW = 237, kH = 417;  // the portrait frame of the creation panel

struct Folk {
  Col skin, hair, clothes, trim;
  bool ears, animalEars, mask, horns;
};

// 人間, QRTV団, 魔族, 獣人, 仮面 in the order of the race buttons.
const Folk kFolk[5] = {
    {Rgb(0xF0C8A0), Rgb(0x3A2818), Rgb(0x4A6A9A), Rgb(0xC8A040), false, false, false, false},
    {Rgb(0xE8C0A0), Rgb(0xC85030), Rgb(0x2A2A30), Rgb(0xE05040), false, false, false, false},
    {Rgb(0xC8B0D8), Rgb(0xE8E8F0), Rgb(0x3A2048), Rgb(0xA040C0), true, false, false, true},
    {Rgb(0xE8C090), Rgb(0xB07030), Rgb(0x5A6A30), Rgb(0xD8B060), false, true, false, false},
    {Rgb(0xE8D0B8), Rgb(0x202028), Rgb(0x5A2A2A), Rgb(0xE0E0E8), false, false, true, false},
};

// Each race-and-sex choice stands its own way in its own cut of clothes, at every stage, so
// the ten choices never share an outline.
struct Body {
  Garment garment;
  Pose pose;
  Hair hair;
  float build;
  bool cape, tail;
  Mood mood;
};
const Body kBodies[10] = {
    {Garment::kTrousers, Pose::kStand, Hair::kShort, 1.0f, false, false, Mood::kCalm},
    {Garment::kDress, Pose::kStand, Hair::kLong, 0.85f, false, false, Mood::kSmile},
    {Garment::kCoat, Pose::kAkimbo, Hair::kSpiky, 1.0f, false, false, Mood::kSmug},
    {Garment::kCoat, Pose::kCast, Hair::kPonytail, 0.85f, false, false, Mood::kSmug},
    {Garment::kTrousers, Pose::kSword, Hair::kShort, 1.0f, true, false, Mood::kAngry},
    {Garment::kGown, Pose::kStand, Hair::kLong, 0.85f, false, false, Mood::kCalm},
    {Garment::kTrousers, Pose::kAkimbo, Hair::kSpiky, 1.1f, false, true, Mood::kGrin},
    {Garment::kDress, Pose::kWide, Hair::kTwinTails, 0.78f, false, true, Mood::kGrin},
    {Garment::kHakama, Pose::kStand, Hair::kShort, 1.0f, false, false, Mood::kCalm},
    {Garment::kRobe, Pose::kCast, Hair::kHood, 0.85f, false, false, Mood::kCalm},
};

Light PortraitLight() {
  Light light;
  light.cel = true;
  light.key = Rgb(0xFFF0DC);
  light.ambient = Rgb(0x484858);
  light.rim = Rgb(0x90B8FF);
  light.rimStrength = 0.9f;
  return light;
}

// The last stage: each folk's own armour, cut and weapon, so the ten heroes of the journey's
// end do not all wear the same steel.
void DressTopTier(int race, bool female, Look& lk) {
  lk.cape = false;
  lk.accent = Rgb(0xF0C840);
  switch (race) {
    case 0:  // 人間: a knight in polished plate under a blue cloak, sword and shield
      lk.top = Rgb(0xC8D0DC);
      lk.bottom = Rgb(0x8A92A2);
      lk.cape = !female;
      lk.accent = Rgb(0x2A4A9A);
      break;
    case 1:  // QRTV団: a long black leather coat lined in red, a dagger in each hand
      lk.top = Rgb(0x1E1E26);
      lk.under = Rgb(0xC83030);
      lk.bottom = Rgb(0x2A2A32);
      lk.accent = Rgb(0xE05040);
      break;
    case 2:  // 魔族: dark violet plate with spiked shoulders, a staff with a burning orb
      lk.top = Rgb(0x3A2A4C);
      lk.bottom = Rgb(0x261C34);
      lk.accent = Rgb(0xB050E0);
      lk.cape = !female;
      break;
    case 3:  // 獣人: hide and leather with a fur mantle and bone charms, a great axe
      lk.top = Rgb(0x7A5030);
      lk.bottom = Rgb(0x5A4028);
      lk.accent = Rgb(0xE8DCC0);
      break;
    default:  // 仮面: lacquered red and white armour over wide hakama, a glaive
      lk.top = Rgb(0xA82828);
      lk.under = Rgb(0xF0ECE4);
      lk.bottom = Rgb(0x2A2430);
      lk.accent = Rgb(0xE0C050);
      break;
  }
}

// What the last stage's folk wear behind the body: the demons' ragged wings of shadow.
void TopTierBehind(Layer& l, int race, const Figure& fig, const Light& light) {
  if (race != 2) return;
  for (int s = -1; s <= 1; s += 2) {
    float x = fig.chestX + s * 20, y = fig.headY + fig.headR * 2.5f;
    Part wing = Poly({x, y, x + s * 78, y - 62, x + s * 92, y + 20, x + s * 74, y + 5, x + s * 70,
                      y + 60, x + s * 52, y + 40, x + s * 40, y + 95, x, y + 60},
                     Rgb(0x2A1E3A));
    wing.thickness = 10;
    DrawProp(l, wing, light);
  }
}

// The last stage's gear in front: shoulders and weapons of each folk.
void TopTierGear(Layer& l, int race, const Figure& fig, const Look& lk, const Light& light) {
  const float r = fig.headR, shoulderY = fig.headY + r * 1.8f;
  const float padX = lk.height * 0.1f * lk.build;
  switch (race) {
    case 0: {
      for (int s = -1; s <= 1; s += 2) {
        Part pad = Ellipse(fig.chestX + s * padX, shoulderY, r * 1.0f, r * 0.65f, Rgb(0xD8E0EC));
        pad.gloss = 0.9f;
        DrawProp(l, pad, light);
      }
      // The sword upright before the chest, and a kite shield on the left arm.
      float x = fig.handLX, y = fig.handLY;
      Line(l, x + 4, y, x - 30, y - 118, 5, Rgb(0xD8E0E8));
      Line(l, x + 4, y - 2, x - 30, y - 118, 1.2f, Rgb(0xFFFFFF));
      Line(l, x - 16, y + 2, x + 18, y - 10, 5, Rgb(0xF0C840));
      float sx = fig.chestX - padX - 6, sy = fig.chestY + 40;
      Part shield = Poly(
          {sx - 34, sy - 40, sx + 34, sy - 40, sx + 30, sy + 10, sx, sy + 60, sx - 30, sy + 10},
          Rgb(0x2A4A9A));
      shield.thickness = 12;
      shield.gloss = 0.5f;
      DrawProp(l, shield, light);
      Line(l, sx, sy - 34, sx, sy + 48, 5, Rgb(0xF0C840));
      Line(l, sx - 26, sy - 12, sx + 26, sy - 12, 5, Rgb(0xF0C840));
      break;
    }
    case 1: {
      // A red scarf wound at the collar, its ends hanging over the shoulder, and two short
      // blades held low.
      DrawProp(l,
               Capsule(fig.headX - r * 0.8f, fig.headY + r * 1.45f, fig.headX + r * 0.8f,
                       fig.headY + r * 1.45f, r * 0.42f, r * 0.42f, Rgb(0xD83838)),
               light);
      DrawProp(l,
               Capsule(fig.headX + r * 0.7f, fig.headY + r * 1.6f, fig.headX + r * 1.5f,
                       fig.headY + r * 4.2f, r * 0.35f, r * 0.2f, Rgb(0xC02E2E)),
               light);
      DrawProp(l,
               Capsule(fig.headX + r * 0.5f, fig.headY + r * 1.7f, fig.headX + r * 0.9f,
                       fig.headY + r * 3.6f, r * 0.3f, r * 0.18f, Rgb(0xD83838)),
               light);
      for (int s = -1; s <= 1; s += 2) {
        float x = s < 0 ? fig.handLX : fig.handRX, y = s < 0 ? fig.handLY : fig.handRY;
        Line(l, x, y, x + s * 10, y + 52, 4, Rgb(0xE0E8F0));
        Line(l, x - 8, y + 4, x + 8, y - 4, 4, Rgb(0x3A2A20));
      }
      break;
    }
    case 2: {
      for (int s = -1; s <= 1; s += 2) {
        Part pad = Ellipse(fig.chestX + s * padX, shoulderY, r * 0.95f, r * 0.6f, Rgb(0x4A3A5C));
        pad.gloss = 0.7f;
        DrawProp(l, pad, light);
        for (int k = 0; k < 3; ++k) {
          float bx = fig.chestX + s * (padX - r * 0.5f + k * r * 0.45f);
          DrawProp(l,
                   Poly({bx - 4, shoulderY - r * 0.3f, bx + 4, shoulderY - r * 0.3f, bx + s * 6,
                         shoulderY - r * 1.4f},
                        Rgb(0x8A7A9A)),
                   light);
        }
      }
      float x = fig.handRX, y = fig.handRY;
      Line(l, x, y + 150, x, y - 120, 4, Rgb(0x3A2A30));
      Glow(l, x, y - 130, 26, Rgb(0xB050FF), 0.9f);
      FillEllipse(l, x, y - 130, 8, 8, Rgb(0xF0D0FF));
      break;
    }
    case 3: {
      // A shaggy fur mantle over the shoulders and a row of bone charms.
      for (int k = 0; k < 9; ++k) {
        float u = -1 + k / 4.0f;
        Part tuft = Ellipse(fig.chestX + u * padX * 1.05f, shoulderY - std::fabs(u) * 3 + 6,
                            r * 0.55f, r * 0.5f, Mix(Rgb(0xD8C8A0), Rgb(0xB09870), (k % 3) / 2.0f));
        tuft.thickness = 8;
        DrawProp(l, tuft, light);
      }
      for (int k = 0; k < 5; ++k) {
        DrawProp(l,
                 Capsule(fig.chestX - 20 + k * 10, fig.chestY + 6, fig.chestX - 20 + k * 10,
                         fig.chestY + 18, 2.5f, 1.5f, Rgb(0xF0E8D8)),
                 light);
      }
      // The great axe rests on the right shoulder, its head behind the ear.
      float x = fig.handRX, y = fig.handRY;
      Line(l, x, y + 20, x - 30, y - 140, 5, Rgb(0x6A4A2A));
      Part blade =
          Poly({x - 34, y - 128, x - 20, y - 150, x + 4, y - 142, x - 4, y - 108}, Rgb(0xB8C0C8));
      blade.gloss = 0.8f;
      DrawProp(l, blade, light);
      break;
    }
    default: {
      for (int s = -1; s <= 1; s += 2) {
        // Layered lacquer plates over each shoulder.
        for (int k = 0; k < 3; ++k) {
          Part plate = Box(fig.chestX + s * (padX + 4), shoulderY + k * r * 0.45f, r * 0.9f,
                           r * 0.22f, k % 2 ? Rgb(0xF0ECE4) : Rgb(0xA82828), 2);
          plate.gloss = 0.6f;
          DrawProp(l, plate, light);
        }
      }
      // A golden crest above the mask, and a glaive held upright at the side.
      DrawProp(l,
               Poly({fig.headX - r * 0.9f, fig.headY - r * 0.9f, fig.headX, fig.headY - r * 1.9f,
                     fig.headX + r * 0.9f, fig.headY - r * 0.9f, fig.headX, fig.headY - r * 1.2f},
                    Rgb(0xE0C050)),
               light);
      float x = fig.handRX, y = fig.handRY;
      Line(l, x, y + 150, x, y - 150, 4, Rgb(0x3A2A20));
      Part blade =
          Poly({x - 5, y - 148, x + 5, y - 148, x + 8, y - 172, x - 1, y - 186}, Rgb(0xD8E0E8));
      blade.gloss = 0.9f;
      DrawProp(l, blade, light);
      break;
    }
  }
  Part gem = Ellipse(fig.chestX, fig.chestY, r * 0.3f, r * 0.3f,
                     race == 2 ? Rgb(0xC060FF) : Rgb(0x40A0FF));
  gem.gloss = 1;
  DrawProp(l, gem, light);
}

void PaintOne(const Sink& out, int race, bool female, int stage) {
  const Folk& f = kFolk[race];
  Layer l(kW, kH, {}, 0);
  Look lk;
  // Taller with each stage, but never so tall that hair, horns or crests leave the frame.
  lk.height = 340 + std::min(stage, 2) * 18 - (female ? 12 : 0);
  const Body& body = kBodies[race * 2 + (female ? 1 : 0)];
  lk.build = body.build + stage * 0.07f;
  lk.skin = f.skin;
  lk.hairCol = f.hair;
  lk.hair = body.hair;
  lk.ears = f.ears;
  lk.animalEars = f.animalEars;
  lk.mask = f.mask;
  lk.horns = f.horns;
  lk.garment = body.garment;
  lk.cape = body.cape;
  lk.tail = body.tail;
  lk.mood = body.mood;
  lk.pose = body.pose;
  lk.beard = !female && stage == 3 && race == 0;
  // Clothes turn into leather, then steel; the last stage is each folk's own (DressTopTier).
  const Col stages[3] = {f.clothes, Mix(f.clothes, Rgb(0x7A5030), 0.5f),
                         Mix(f.clothes, Rgb(0x9AA0B0), 0.6f)};
  lk.top = stages[std::min(stage, 2)];
  lk.bottom = Scale(stages[std::max(0, std::min(stage, 2) - 1)], 0.7f);
  lk.accent = f.trim;
  if (stage == 3) DressTopTier(race, female, lk);
  Figure fig = BuildFigure(lk, kW / 2.0f, kH - 8);
  Light light = PortraitLight();
  if (stage == 3) TopTierBehind(l, race, fig, light);
  DrawFigure(l, fig, light);
  if (stage == 1 || stage == 2) {
    // Shoulder guards from the first stage on.
    for (int s = -1; s <= 1; s += 2) {
      Part pad =
          Ellipse(fig.chestX + s * lk.height * 0.1f * lk.build, fig.headY + fig.headR * 1.8f,
                  fig.headR * 0.9f, fig.headR * 0.6f, stage >= 2 ? Rgb(0xB0B8C8) : Rgb(0x7A5030));
      pad.gloss = stage >= 2 ? 0.8f : 0.2f;
      DrawProp(l, pad, light);
    }
  }
  if (stage == 2) {
    // The sword rises from the hand, never past the top of the frame.
    float x = fig.handLX, y = fig.handLY;
    float reach = std::min(1.0f, (y - 14) / 150);
    Line(l, x, y, x + 70 * reach, y - 150 * reach, 5, Rgb(0xD8E0E8));
    Line(l, x + 1, y - 2, x + 70 * reach, y - 150 * reach, 1.2f, Rgb(0xFFFFFF));
    Line(l, x - 12, y + 6, x + 12, y - 6, 5, Rgb(0x6A5040));
  }
  if (stage == 3) TopTierGear(l, race, fig, lk, light);
  Keyline(l);
  std::string name = "char" + std::to_string(race * 2 + (female ? 1 : 0));
  const char* suffix[4] = {"", "a", "b", "c"};
  out.Sprite(name + suffix[stage] + ".bmp", l, kKey);
}

}  // namespace

void PaintPortraits(const Sink& out) {
  for (int race = 0; race < 5; ++race) {
    for (int female = 0; female < 2; ++female) {
      for (int stage = 0; stage < 4; ++stage) PaintOne(out, race, female == 1, stage);
    }
  }
}

}  // namespace qv::assetgen
