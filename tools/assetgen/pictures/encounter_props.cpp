// The smaller things the story's people carry and keep around them: insects, moths, leaves,
// instruments, hats and blades, each drawn so it reads at battle size.
#include <cmath>

#include "encounter_kit.h"

namespace qv::assetgen {

namespace {

constexpr float kPiF = 3.14159265f;
constexpr float kTwoPiF = 2 * kPiF;

// A point of a thing drawn in its own frame (x along its length), placed at (x, y), turned by
// `angle` and scaled by `size`.
struct Frame {
  float x, y, c, s, size;
  Frame(float px, float py, float angle, float scale)
      : x(px), y(py), c(std::cos(angle)), s(std::sin(angle)), size(scale) {}
  float X(float u, float v) const { return x + (u * c - v * s) * size; }
  float Y(float u, float v) const { return y + (u * s + v * c) * size; }
};

Part RotatedEllipse(const Frame& f, float u, float v, float ru, float rv, Col col, int steps = 20) {
  std::vector<float> xy;
  for (int i = 0; i < steps; ++i) {
    float a = kTwoPiF * i / steps;
    xy.push_back(f.X(u + std::cos(a) * ru, v + std::sin(a) * rv));
    xy.push_back(f.Y(u + std::cos(a) * ru, v + std::sin(a) * rv));
  }
  return Poly(xy, col);
}

}  // namespace

void Insect(Layer& l, float x, float y, float size, float angle, Col shell, bool stag) {
  Frame f(x, y, angle, size);
  Light light = SoftLight();
  Col leg = Rgb(0x1A1410);
  // Six legs in three pairs, each bent once at the knee.
  for (int pair = 0; pair < 3; ++pair) {
    float u = 2.0f - pair * 2.5f;
    for (int side = -1; side <= 1; side += 2) {
      float kneeU = u + (pair - 1) * 2.0f, kneeV = side * 6.5f;
      float footU = kneeU + (pair - 1) * 3.0f + 1.0f, footV = side * 10.0f;
      Line(l, f.X(u, side * 2.5f), f.Y(u, side * 2.5f), f.X(kneeU, kneeV), f.Y(kneeU, kneeV),
           1.4f * size, leg);
      Line(l, f.X(kneeU, kneeV), f.Y(kneeU, kneeV), f.X(footU, footV), f.Y(footU, footV),
           1.1f * size, leg);
    }
  }
  // Antennae ending in small clubs, or the stag's great jaws.
  for (int side = -1; side <= 1; side += 2) {
    if (stag) {
      Part jaw = Capsule(f.X(8, side * 1.5f), f.Y(8, side * 1.5f), f.X(15, side * 4.0f),
                         f.Y(15, side * 4.0f), 1.5f * size, 0.6f * size, Scale(shell, 0.7f));
      jaw.gloss = 0.8f;
      DrawPart(l, jaw, light);
      Line(l, f.X(15, side * 4.0f), f.Y(15, side * 4.0f), f.X(17, side * 1.0f),
           f.Y(17, side * 1.0f), 1.0f * size, Scale(shell, 0.6f));
    } else {
      Line(l, f.X(8, side * 1.0f), f.Y(8, side * 1.0f), f.X(12, side * 4.5f), f.Y(12, side * 4.5f),
           0.9f * size, leg);
      FillEllipse(l, f.X(12.5f, side * 5.0f), f.Y(12.5f, side * 5.0f), 1.2f * size, 1.2f * size,
                  leg);
    }
  }
  Part head = RotatedEllipse(f, 7.5f, 0, 2.2f, 2.4f, Scale(shell, 0.45f));
  Part thorax = RotatedEllipse(f, 3.8f, 0, 2.8f, 4.2f, Scale(shell, 0.7f));
  Part back = RotatedEllipse(f, -3.5f, 0, 6.5f, 5.2f, shell);
  for (Part* p : {&head, &thorax, &back}) {
    p->gloss = 1.0f;
    p->thickness = 5 * size;
    DrawPart(l, *p, light);
  }
  // The seam between the wing cases.
  Line(l, f.X(1.5f, 0), f.Y(1.5f, 0), f.X(-9.5f, 0), f.Y(-9.5f, 0), 0.8f * size,
       Scale(shell, 0.3f));
}

void Butterfly(Layer& l, float x, float y, float size, float angle, Col wing, Col spot) {
  Frame f(x, y, angle, size);
  Light light = SoftLight();
  for (int side = -1; side <= 1; side += 2) {
    // Fore wings swept forward to a point, hind wings rounder with a short tail.
    Part fore = Poly({f.X(1, side * 1), f.Y(1, side * 1), f.X(9, side * 8), f.Y(9, side * 8),
                      f.X(8, side * 16), f.Y(8, side * 16), f.X(-1, side * 13), f.Y(-1, side * 13),
                      f.X(-2, side * 2), f.Y(-2, side * 2)},
                     wing);
    Part hind =
        Poly({f.X(-1, side * 1.5f), f.Y(-1, side * 1.5f), f.X(-2, side * 11), f.Y(-2, side * 11),
              f.X(-8, side * 10), f.Y(-8, side * 10), f.X(-13, side * 5), f.Y(-13, side * 5),
              f.X(-7, side * 1.5f), f.Y(-7, side * 1.5f)},
             Scale(wing, 0.85f));
    fore.thickness = hind.thickness = 3 * size;
    DrawPart(l, hind, light);
    DrawPart(l, fore, light);
    // A dark border along the fore wing's outer edge, and its spots.
    Line(l, f.X(9, side * 8), f.Y(9, side * 8), f.X(8, side * 16), f.Y(8, side * 16), 1.6f * size,
         spot);
    Line(l, f.X(8, side * 16), f.Y(8, side * 16), f.X(-1, side * 13), f.Y(-1, side * 13),
         1.6f * size, spot);
    FillEllipse(l, f.X(3.5f, side * 9.5f), f.Y(3.5f, side * 9.5f), 1.8f * size, 1.8f * size, spot);
    FillEllipse(l, f.X(6.5f, side * 13.0f), f.Y(6.5f, side * 13.0f), 0.9f * size, 0.9f * size,
                Rgb(0xFFFFFF), 0.9f);
    FillEllipse(l, f.X(-6, side * 7), f.Y(-6, side * 7), 1.4f * size, 1.4f * size, spot);
    Line(l, f.X(4.5f, side * 0.5f), f.Y(4.5f, side * 0.5f), f.X(10.0f, side * 3.5f),
         f.Y(10.0f, side * 3.5f), 0.6f * size, Rgb(0x201818));
  }
  DrawPart(l,
           Capsule(f.X(-8, 0), f.Y(-8, 0), f.X(4, 0), f.Y(4, 0), 1.0f * size, 1.4f * size,
                   Rgb(0x2A2020)),
           light);
}

void Moth(Layer& l, float x, float y, float size, float angle, Col wing) {
  Frame f(x, y, angle, size);
  Light light = PoisonLight();
  light.ambient = Rgb(0x6A5A70);
  for (int side = -1; side <= 1; side += 2) {
    // Broad fore wings swept back over small hind wings, a dark band and an eye spot on each.
    Part hind = RotatedEllipse(f, -5.0f, side * 7.5f, 4.5f, 5.5f, Scale(wing, 0.8f));
    Part fore =
        Poly({f.X(2, side * 1.5f), f.Y(2, side * 1.5f), f.X(2, side * 16), f.Y(2, side * 16),
              f.X(-7, side * 14), f.Y(-7, side * 14), f.X(-4, side * 2), f.Y(-4, side * 2)},
             wing);
    fore.thickness = hind.thickness = 3 * size;
    DrawPart(l, hind, light);
    DrawPart(l, fore, light);
    Line(l, f.X(0.5f, side * 3), f.Y(0.5f, side * 3), f.X(-3, side * 14), f.Y(-3, side * 14),
         1.4f * size, Scale(wing, 0.45f));
    FillEllipse(l, f.X(-1, side * 9), f.Y(-1, side * 9), 2.2f * size, 2.2f * size, Rgb(0xE8D040));
    FillEllipse(l, f.X(-1, side * 9), f.Y(-1, side * 9), 1.1f * size, 1.1f * size, Rgb(0x201018));
    // Feathered antennae.
    Line(l, f.X(4, side * 1), f.Y(4, side * 1), f.X(8, side * 5), f.Y(8, side * 5), 1.1f * size,
         Scale(wing, 0.5f));
  }
  Part body = Capsule(f.X(-7, 0), f.Y(-7, 0), f.X(4, 0), f.Y(4, 0), 1.3f * size, 1.9f * size,
                      Rgb(0x6A5A48));
  body.thickness = 3 * size;
  DrawPart(l, body, light);
  Glow(l, x, y, 12 * size, Rgb(0xC0FF60), 0.2f);
}

void Leaf(Layer& l, float x, float y, float length, float angle, float width, Col c,
          const Light& light) {
  Frame f(x, y, angle, 1.0f);
  std::vector<float> xy;
  const int steps = 14;
  // Along one edge from stem to tip and back along the other, widest a third of the way.
  for (int side = -1; side <= 1; side += 2) {
    for (int i = 0; i <= steps; ++i) {
      float t = side < 0 ? static_cast<float>(i) / steps : 1.0f - static_cast<float>(i) / steps;
      float w = width * std::pow(std::sin(kPiF * t), 0.75f) * (1.15f - 0.4f * t);
      xy.push_back(f.X(t * length, side * w));
      xy.push_back(f.Y(t * length, side * w));
    }
  }
  Part leaf = Poly(xy, c);
  leaf.thickness = width * 0.8f;
  DrawPart(l, leaf, light);
  Col rib = Mix(c, Rgb(0xF0F8C0), 0.45f);
  Line(l, f.X(0, 0), f.Y(0, 0), f.X(length * 0.95f, 0), f.Y(length * 0.95f, 0), 1.6f, rib, 0.8f);
  for (int i = 1; i < 6; ++i) {
    float t = i / 6.5f;
    for (int side = -1; side <= 1; side += 2) {
      float w = width * std::pow(std::sin(kPiF * t), 0.75f) * 0.8f;
      Line(l, f.X(t * length, 0), f.Y(t * length, 0), f.X(t * length + w * 0.6f, side * w),
           f.Y(t * length + w * 0.6f, side * w), 0.9f, rib, 0.5f);
    }
  }
}

void MagnifyingGlass(Layer& l, float handX, float handY, float angle) {
  Frame f(handX, handY, angle, 1.0f);
  Light light = SoftLight();
  DrawProp(l, Capsule(f.X(-6, 0), f.Y(-6, 0), f.X(26, 0), f.Y(26, 0), 3.2f, 2.6f, Rgb(0x5A3A20)),
           light);
  float cx = f.X(44, 0), cy = f.Y(44, 0);
  FillEllipse(l, cx, cy, 17, 17, Rgb(0xD8F0FF), 0.35f);
  FillSd(
      l, cx - 21, cy - 21, cx + 21, cy + 21,
      [&](float px, float py) { return std::fabs(SdEllipse(px, py, cx, cy, 18, 18)) - 2.6f; },
      [](float, float, float) { return Rgb(0xC8A040); });
  Line(l, cx - 9, cy - 6, cx - 3, cy - 11, 2.0f, Rgb(0xFFFFFF), 0.9f);
}

void BugNet(Layer& l, float handX, float handY) {
  Light light = SoftLight();
  float topX = handX + 34, topY = handY - 140;
  DrawProp(l, Capsule(handX - 6, handY + 30, topX, topY, 2.6f, 2.2f, Rgb(0xC8A060)), light);
  // The mesh bag hangs from the hoop, then the hoop's rim in front of it.
  float cx = topX + 22, cy = topY - 10;
  std::vector<float> bag = {cx - 26, cy,     cx + 26, cy,      cx + 16,
                            cy + 40, cx + 4, cy + 58, cx - 10, cy + 44};
  FillPoly(l, bag, Rgb(0xF0F0E8), 0.35f);
  for (int i = 0; i < 6; ++i) {
    float u = -22 + i * 9.0f;
    Line(l, cx + u, cy + 1, cx + u * 0.3f + 2, cy + 52, 0.8f, Rgb(0xF8F8F0), 0.5f);
  }
  for (int j = 1; j < 4; ++j) {
    float v = cy + j * 13.0f, half = 26 - j * 6.0f;
    Line(l, cx - half, v, cx + half, v, 0.8f, Rgb(0xF8F8F0), 0.5f);
  }
  FillSd(
      l, cx - 32, cy - 14, cx + 32, cy + 14,
      [&](float px, float py) { return std::fabs(SdEllipse(px, py, cx, cy, 27, 9)) - 1.8f; },
      [](float, float, float) { return Rgb(0xB89050); });
}

void Syringe(Layer& l, float handX, float handY, float angle, Col fluid) {
  Frame f(handX, handY, angle, 1.0f);
  Light light = PoisonLight();
  Part barrel = Capsule(f.X(-4, 0), f.Y(-4, 0), f.X(52, 0), f.Y(52, 0), 7, 7, Rgb(0xD8E8E8));
  barrel.gloss = 1;
  barrel.opacity = 0.85f;
  DrawProp(l, barrel, light);
  Line(l, f.X(8, 0), f.Y(8, 0), f.X(48, 0), f.Y(48, 0), 8, fluid, 0.85f);
  Glow(l, f.X(30, 0), f.Y(30, 0), 26, fluid, 0.35f);
  Line(l, f.X(-4, -10), f.Y(-4, -10), f.X(-4, 10), f.Y(-4, 10), 3, Rgb(0xB0B8C0));
  Line(l, f.X(-4, 0), f.Y(-4, 0), f.X(-18, 0), f.Y(-18, 0), 2.5f, Rgb(0xB0B8C0));
  Line(l, f.X(-18, -6), f.Y(-18, -6), f.X(-18, 6), f.Y(-18, 6), 3, Rgb(0xB0B8C0));
  Line(l, f.X(52, 0), f.Y(52, 0), f.X(72, 0), f.Y(72, 0), 1.2f, Rgb(0xF0F8FF));
}

void Flask(Layer& l, float x, float y, Col fluid) {
  Light light = PoisonLight();
  Part neck = Box(x, y - 22, 4, 10, Rgb(0xD8E8E8), 2);
  neck.opacity = 0.8f;
  DrawProp(l, neck, light);
  FillEllipse(l, x, y, 14, 14, Rgb(0xD8E8E8), 0.5f);
  FillEllipse(l, x, y + 4, 12, 9, fluid, 0.9f);
  Glow(l, x, y + 2, 30, fluid, 0.5f);
  Glow(l, x - 4, y - 4, 4, Rgb(0xFFFFFF), 0.8f);
  for (int i = 0; i < 3; ++i)
    FillEllipse(l, x - 4 + i * 5, y - 30 - i * 9, 2.5f - i * 0.5f, 2.5f - i * 0.5f, fluid, 0.6f);
}

void Tricorne(Layer& l, const Figure& f, Col c, Col trim) {
  float r = f.headR, x = f.headX, y = f.headY - r * 0.75f;
  Light light = SeaLight();
  Part crown = Ellipse(x, y - r * 0.3f, r * 1.0f, r * 0.65f, c);
  Part brim = Poly({x - r * 1.9f, y + r * 0.1f, x - r * 0.8f, y - r * 0.35f, x, y - r * 0.1f,
                    x + r * 0.8f, y - r * 0.35f, x + r * 1.9f, y + r * 0.1f, x, y + r * 0.45f},
                   c);
  brim.thickness = 6;
  DrawProp(l, crown, light);
  DrawProp(l, brim, light);
  Line(l, x - r * 1.85f, y + r * 0.12f, x, y + r * 0.45f, 1.6f, trim);
  Line(l, x + r * 1.85f, y + r * 0.12f, x, y + r * 0.45f, 1.6f, trim);
  // A white plume curling back over the brim.
  for (int i = 0; i < 5; ++i) {
    float a = -0.35f + i * 0.22f;
    DrawProp(l,
             Capsule(x + r * 0.4f, y - r * 0.2f, x + r * (0.4f + 1.5f * std::cos(a)),
                     y - r * (0.2f + 1.0f * std::sin(a + 0.6f)), r * 0.22f, r * 0.08f,
                     Mix(Rgb(0xF4F4F0), Rgb(0xC8D0E0), i / 5.0f)),
             light);
  }
}

void Sabre(Layer& l, float handX, float handY, float angle, float length) {
  // A curved blade: a row of short strokes that bend a little towards the back edge.
  Col steel = Rgb(0xE0E8F0);
  float px = handX, py = handY;
  const int steps = 16;
  for (int i = 1; i <= steps; ++i) {
    float t = static_cast<float>(i) / steps;
    float a = angle + 0.35f * t * t;
    float nx = px + std::cos(a) * length / steps, ny = py + std::sin(a) * length / steps;
    Line(l, px, py, nx, ny, 5.5f * (1.05f - 0.6f * t), steel);
    Line(l, px, py, nx, ny, 1.0f, Rgb(0xFFFFFF), 0.8f);
    px = nx;
    py = ny;
  }
  Glow(l, (handX + px) / 2, (handY + py) / 2, length * 0.4f, Rgb(0x6080A0), 0.25f);
  // The basket guard around the hand.
  FillSd(
      l, handX - 14, handY - 14, handX + 14, handY + 14,
      [&](float x, float y) { return std::fabs(SdEllipse(x, y, handX, handY, 11, 11)) - 2.0f; },
      [](float, float, float) { return Rgb(0xE0C050); });
}

void Torii(Layer& l, float x, float baseY, float h, Col c) {
  Light light = WarmLight();
  float w = h * 0.9f;
  DrawPart(l, Box(x - w * 0.32f, baseY - h * 0.45f, h * 0.045f, h * 0.45f, c, 1), light);
  DrawPart(l, Box(x + w * 0.32f, baseY - h * 0.45f, h * 0.045f, h * 0.45f, c, 1), light);
  DrawPart(l, Box(x, baseY - h * 0.72f, w * 0.42f, h * 0.035f, c, 1), light);
  DrawPart(l,
           Poly({x - w * 0.62f, baseY - h * 0.93f, x + w * 0.62f, baseY - h * 0.93f, x + w * 0.56f,
                 baseY - h * 0.85f, x - w * 0.56f, baseY - h * 0.85f},
                Rgb(0x201818)),
           light);
  DrawPart(l, Box(x, baseY - h * 0.83f, w * 0.5f, h * 0.035f, c, 1), light);
}

}  // namespace qv::assetgen
