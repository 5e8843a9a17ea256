// The free area: one trail north from the gate, every ten metres darker and stranger, and
// the two kinds of wanderers met on it.
#include <utility>

#include "encounter_kit.h"
#include "figures.h"
#include "pictures.h"
#include "scenery.h"

namespace qv::assetgen {

namespace {

// One depth of the trail.
struct Depth {
  const char* file;
  int zenith, horizon, ridge, groundNear, groundFar, foliage, fog;
  float fogAmount, clouds;
  int stars;
  float strangeness;  // 0 a walk in the country .. 1 the edge of the world
};

constexpr Depth kDepths[] = {
    {"free.bmp", 0x5A8AD8, 0xE0ECF0, 0x7A9A80, 0x6A9A48, 0x8AB060, 0x3E7A34, 0xE0ECF0, 0.25f, 0.6f,
     0, 0.0f},
    {"free2.bmp", 0x4A7AB0, 0xC8D8C0, 0x4A6A50, 0x4A7A38, 0x5A8A48, 0x2A5A2A, 0xB0C8B0, 0.35f, 0.4f,
     0, 0.15f},
    {"free3.bmp", 0x2A3A5A, 0xD08A60, 0x2A3A30, 0x2A4A28, 0x3A5030, 0x1A3A22, 0x8A6A5A, 0.4f, 0.5f,
     20, 0.35f},
    {"free4.bmp", 0x0A1028, 0x3A4A6A, 0x1A2030, 0x1A2A24, 0x223028, 0x10201A, 0x5A6A8A, 0.55f, 0.3f,
     140, 0.55f},
    {"free5.bmp", 0x1A0408, 0x6A1A20, 0x200A10, 0x2A1014, 0x3A1A1A, 0x2A0A10, 0x8A2A2A, 0.45f, 0.5f,
     30, 0.8f},
    {"free6.bmp", 0x000000, 0x1A0A2A, 0x0A0614, 0x0E0818, 0x140A20, 0x100A18, 0x3A1A5A, 0.5f, 0.0f,
     220, 1.0f},
};

void PaintDepth(Layer& l, const Depth& d, uint32_t seed) {
  Sky(l, Rgb(d.zenith), Rgb(d.horizon), 300, d.clouds, seed);
  if (d.stars) Stars(l, d.stars, 280, seed + 1, 0.9f);
  if (d.strangeness > 0.7f) {
    // A sky that watches: pale eyes open in the dark above the far end of the trail.
    Rng rng(seed + 2);
    for (int i = 0; i < 5; ++i) {
      float x = rng.Range(40, 600), y = rng.Range(30, 200), r = rng.Range(10, 26) * d.strangeness;
      FillEllipse(l, x, y, r * 1.6f, r * 0.6f, Rgb(0xE8D8C8), 0.7f);
      FillEllipse(l, x, y, r * 0.45f, r * 0.55f, Rgb(0x801020));
      Glow(l, x, y, r * 3, Rgb(0x802040), 0.3f);
    }
  }
  Ridge(l, 280, 50, 0.007f, Rgb(d.ridge), Rgb(d.horizon), d.fogAmount, seed + 3);
  Ground(l, 320, Rgb(d.groundNear), Rgb(d.groundFar), seed + 4);
  // The trail itself, narrowing into the distance.
  for (int y = 320; y < 480; ++y) {
    float t = (y - 320) / 160.0f;
    float cx = 300 + std::sin(t * 2.5f) * 40, half = 12 + t * 110;
    for (int x = static_cast<int>(cx - half); x < cx + half; ++x) {
      float edge = Smooth(half, half - 10, std::fabs(x - cx));
      Col c = Scale(Mix(Rgb(d.groundFar), Rgb(0xC8B088), 0.45f * (1 - d.strangeness * 0.6f)),
                    0.9f + 0.2f * Noise(x / 6.0f, y / 3.0f, seed + 5));
      l.Blend(x, y, c, edge * 0.8f);
    }
  }
  Rng rng(seed + 6);
  int trees = 6 + static_cast<int>(d.strangeness * 10);
  for (int i = 0; i < trees; ++i) {
    float x = rng.Range(-20, 660), foot = rng.Range(320, 360);
    if (x > 380 && x < 600) continue;  // keep the right half open for whoever blocks the way
    float size = rng.Range(140, 240) * (1 + d.strangeness * 0.4f);
    if (d.strangeness < 0.3f)
      Tree(l, x, foot, size, Rgb(d.foliage), Rgb(0x4A3424), seed + 10 + i);
    else
      Conifer(l, x, foot, size, Rgb(d.foliage));
  }
  if (d.strangeness >= 0.5f) {
    // Broken stones of something that stood here before the island woke.
    for (int i = 0; i < 4; ++i) {
      float x = 40.0f + i * 170, base = 360 + (i % 2) * 20, h = 80 + i * 15;
      Light light = MoonLight();
      DrawPart(l,
               Poly({x - 14, base, x - 10, base - h, x + 8, base - h + 20, x + 14, base},
                    Scale(Rgb(d.ridge), 2.2f)),
               light);
    }
  }
  Fog(l, 330, 50, Rgb(d.fog), d.fogAmount);
  if (d.strangeness >= 0.8f)
    Motes(l, 50, 0, 100, 640, 460, Rgb(0xC04060), seed + 7);
  else if (d.strangeness > 0)
    Motes(l, 20, 0, 200, 640, 460, Rgb(0xE0F0A0), seed + 7);
}

// The wanderers of the trail are met under any of the island's many names, so they are
// shadows rather than people: a cloaked figure and a horned beast. Each stands in the left
// part of a wide picture, which the game draws against the right edge, so the whole creature
// shows left of the skill list (x 460 on screen) and its head below the list's help text.
constexpr int kSpriteW = 440, kSpriteH = 456;
constexpr float kSpriteX = 128;  // the creature's middle; on screen 200 further right

// A wanderer of the trail: a cloaked figure with a club and a face lost in its hood.
void PaintWanderer(const Sink& out) {
  Layer l(kSpriteW, kSpriteH, {}, 0);
  Look lk;
  lk.height = 370;
  lk.build = 1.05f;
  lk.hair = Hair::kHood;
  lk.garment = Garment::kRobe;
  lk.cape = true;
  lk.skin = Rgb(0x2A2028);
  lk.top = Rgb(0x4A4254);
  lk.bottom = Rgb(0x38323E);
  lk.accent = Rgb(0x6A5A48);
  lk.eyes = Rgb(0xFF4030);
  lk.mood = Mood::kAngry;
  lk.pose = Pose::kWide;
  Figure f = BuildFigure(lk, kSpriteX, 440);
  Light light = DuskLight();
  light.cel = true;
  DrawFigure(l, f, light);
  // The club leans back over the shoulder.
  Part club = Capsule(f.handRX, f.handRY, f.handRX - 30, f.handRY - 120, 7, 14, Rgb(0x6A5038));
  club.ink = 1.6f;
  DrawPart(l, club, light);
  // The face is only darkness under the hood, two embers for eyes.
  FillEllipse(l, f.headX, f.headY + f.headR * 0.1f, f.headR * 0.85f, f.headR * 0.9f, Rgb(0x0C080E));
  for (int s = -1; s <= 1; s += 2) {
    FillEllipse(l, f.headX + s * f.headR * 0.36f, f.headY + f.headR * 0.05f, f.headR * 0.18f,
                f.headR * 0.1f, Rgb(0xFF6040));
    Glow(l, f.headX + s * f.headR * 0.38f, f.headY + f.headR * 0.05f, f.headR * 0.5f, Rgb(0xFF3020),
         0.5f);
  }
  Keyline(l);
  out.Sprite("man0.bmp", l, kKey);
}

Light MakeLightForBeast() {
  Light light = DuskLight();
  light.rim = Rgb(0xFF6040);
  light.cel = true;
  return light;
}

// A beast of the trail: hunched, horned, too many teeth.
void PaintBeast(const Sink& out) {
  Layer l(kSpriteW, kSpriteH, {}, 0);
  Light light = MakeLightForBeast();
  const float ox = kSpriteX - 128, oy = 24;  // drawn about its own middle at (130, 0)
  auto at = [&](float x, float y) { return std::pair<float, float>{x + ox, y + oy}; };
  std::vector<Part> parts;
  Col fur = Rgb(0x5A4858), dark = Rgb(0x382A38), horn = Rgb(0xD8D0B8);
  auto capsule = [&](float ax, float ay, float bx, float by, float ra, float rb, Col c) {
    auto [x0, y0] = at(ax, ay);
    auto [x1, y1] = at(bx, by);
    parts.push_back(Capsule(x0, y0, x1, y1, ra, rb, c));
  };
  auto ellipse = [&](float cx, float cy, float rx, float ry, Col c) {
    auto [x0, y0] = at(cx, cy);
    parts.push_back(Ellipse(x0, y0, rx, ry, c));
  };
  // Shaggy fur bristling over the back and shoulders, behind the body so only the tips show.
  auto tufts = [&](float cx, float cy, float rx, float ry, float from, float to, int n, Col c) {
    for (int i = 0; i < n; ++i) {
      float t = from + (to - from) * (i + 0.5f) / n, w = (to - from) / n * 0.6f;
      auto [bx0, by0] = at(cx + std::cos(t - w) * rx * 0.9f, cy + std::sin(t - w) * ry * 0.9f);
      auto [bx1, by1] = at(cx + std::cos(t + w) * rx * 0.9f, cy + std::sin(t + w) * ry * 0.9f);
      auto [tx, ty] = at(cx + std::cos(t) * rx * 1.2f, cy + std::sin(t) * ry * 1.2f);
      parts.push_back(Poly({bx0, by0, tx, ty, bx1, by1}, c));
    }
  };
  tufts(130, 260, 100, 95, 3.3f, 6.1f, 9, dark);
  tufts(130, 150, 62, 55, 2.3f, 3.9f, 3, dark);
  tufts(130, 150, 62, 55, 5.5f, 7.1f, 3, dark);
  capsule(70, 300, 60, 400, 26, 20, dark);
  capsule(190, 300, 200, 400, 26, 20, dark);
  ellipse(130, 260, 100, 95, fur);
  capsule(50, 220, 40, 370, 22, 16, fur);
  capsule(210, 220, 220, 370, 22, 16, fur);
  // Claws at the ends of the long arms.
  for (int s = -1; s <= 1; s += 2) {
    float hx = s < 0 ? 40 : 220;
    for (int k = -1; k <= 1; ++k) capsule(hx + k * 8, 378, hx + k * 12, 400, 5, 2, horn);
  }
  ellipse(130, 150, 62, 55, fur);
  capsule(90, 120, 40, 40, 12, 3, horn);
  capsule(170, 120, 220, 40, 12, 3, horn);
  for (auto& p : parts) {
    p.thickness = std::max(p.thickness, p.kind == Part::kPoly ? 6.0f : 20.0f);
    p.ink = 1.6f;
  }
  DrawParts(l, parts, light);
  auto [mx, my] = at(130, 175);
  FillPoly(l, {mx - 35, my, mx + 35, my, mx, my + 30}, Rgb(0x180808));
  for (int i = 0; i < 5; ++i)
    FillPoly(l, {mx - 30 + i * 13, my, mx - 24 + i * 13, my, mx - 27 + i * 13, my + 11},
             Rgb(0xF0E8D8));
  // Heavy brows over burning eyes.
  for (int s = -1; s <= 1; s += 2) {
    auto [ex, ey] = at(130 + s * 22, 140);
    Line(l, ex - s * 16, ey - 16, ex + s * 14, ey - 8, 5, Rgb(0x1A1018));
    FillEllipse(l, ex, ey, 9, 6, Rgb(0xFFD020));
    Glow(l, ex, ey, 20, Rgb(0xFF8010), 0.7f);
  }
  Keyline(l);
  out.Sprite("man1.bmp", l, kKey);
}

}  // namespace

void PaintFreeAreas(const Sink& out) {
  uint32_t seed = 500;
  for (const Depth& d : kDepths) {
    Layer l(640, 480);
    PaintDepth(l, d, seed);
    FinishScene(l);
    out.Background(d.file, l);
    seed += 20;
  }
  PaintWanderer(out);
  PaintBeast(out);
}

}  // namespace qv::assetgen
