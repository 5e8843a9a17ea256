#include "encounter_kit.h"

#include "scenery.h"

namespace qv::assetgen {

namespace {

Light MakeLight(Col key, Col ambient, Col rim, float rimStrength, float dx = -0.6f,
                float dy = -0.7f) {
  Light light;
  light.key = key;
  light.ambient = ambient;
  light.rim = rim;
  light.rimStrength = rimStrength;
  light.dx = dx;
  light.dy = dy;
  return light;
}

}  // namespace

Light WarmLight() {
  return MakeLight(Rgb(0xFFD8A0), Rgb(0x584058), Rgb(0xFF9040), 0.9f);
}
Light SoftLight() {
  return MakeLight(Rgb(0xFFF8E8), Rgb(0x607080), Rgb(0xE0F0FF), 0.5f);
}
Light HaloLight() {
  return MakeLight(Rgb(0xFFFFF0), Rgb(0x8888A0), Rgb(0xFFF0B0), 1.0f, 0.0f, -1.0f);
}
Light MoonLight() {
  return MakeLight(Rgb(0xA8B8FF), Rgb(0x282848), Rgb(0x80C0FF), 1.1f);
}
Light ForestLight() {
  return MakeLight(Rgb(0x90B090), Rgb(0x182818), Rgb(0xA0FF80), 0.9f);
}
Light PoisonLight() {
  return MakeLight(Rgb(0xC8B0D8), Rgb(0x302838), Rgb(0xC0FF60), 0.9f);
}
Light DuskLight() {
  return MakeLight(Rgb(0xE08060), Rgb(0x201828), Rgb(0xC060FF), 1.1f, 0.7f, -0.5f);
}
Light SeaLight() {
  return MakeLight(Rgb(0xFFF8F0), Rgb(0x405870), Rgb(0xA0E8FF), 0.7f);
}
Light CrystalLight() {
  return MakeLight(Rgb(0x9080C0), Rgb(0x201830), Rgb(0xB080FF), 1.2f);
}

Figure StandEnemy(Layer& l, Layer& fig, const Look& look, float x, float footY,
                  const Light& light) {
  Figure f = BuildFigure(look, x, footY);
  l.Track(nullptr);  // the shadow belongs to the ground
  GroundShadow(l, x + 12, footY, look.height * 0.22f, look.height * 0.035f, 0.45f);
  BeginFigure(l, fig);
  DrawFigure(l, f, light);
  return f;
}

void BeginFigure(Layer& l, Layer& fig) {
  l.Track(&fig);
}

void PlaceFigure(Layer& l, const Layer& fig, Col pale) {
  l.Track(nullptr);
  // How light the scene is just around the enemy.
  double sum = 0;
  int n = 0;
  for (int y = 2; y < l.h() - 2; y += 2) {
    for (int x = 2; x < l.w() - 2; x += 2) {
      if (fig.alpha(x, y) > 0.01f) continue;
      bool near = fig.alpha(x - 2, y) > 0.5f || fig.alpha(x + 2, y) > 0.5f ||
                  fig.alpha(x, y - 2) > 0.5f || fig.alpha(x, y + 2) > 0.5f;
      if (!near) continue;
      Col c = l.at(x, y);
      sum += 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
      ++n;
    }
  }
  const bool dark = n > 0 && sum / n < 0.4;
  InkOutline(l, fig, 1.7f, dark ? pale : Rgb(0x1A1420));
}

void FinishScene(Layer& l) {
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      float left = Smooth(260, 0, static_cast<float>(x));
      float top = Smooth(110, 0, static_cast<float>(y)),
            bottom = Smooth(350, 480, static_cast<float>(y));
      float k = 1 - 0.35f * left * std::max(top, bottom);
      l.at(x, y) = Scale(l.at(x, y), k);
    }
  }
  Vignette(l, 0.35f);
  Grain(l, 0.06f, 999, 1.5f);
}

void GiantLeaves(Layer& l, uint32_t seed) {
  // Broad leaves arch in from both sides and hang from above, framing the clearing.
  Rng rng(seed);
  Light light = SoftLight();
  struct Stem {
    float x, y, angle, length, width;
  };
  const Stem stems[] = {
      {-10, 470, -0.55f, 190, 42}, {20, 480, -1.05f, 170, 36}, {90, 480, -1.35f, 120, 28},
      {650, 470, -2.6f, 190, 42},  {620, 480, -2.1f, 170, 36}, {550, 480, -1.8f, 120, 28},
      {-20, 30, 0.45f, 170, 34},   {660, 40, 2.75f, 170, 34},  {120, -20, 1.25f, 110, 26}};
  for (const Stem& st : stems) {
    Col c = Mix(Rgb(0x3A7A2A), Rgb(0x6AA838), rng.Unit());
    Leaf(l, st.x, st.y, st.length, st.angle + rng.Range(-0.08f, 0.08f), st.width, c, light);
  }
}

void Spectacles(Layer& l, const Figure& f) {
  float r = f.headR;
  for (int s = -1; s <= 1; s += 2) {
    FillSd(
        l, f.headX + s * r * 0.38f - r * 0.4f, f.headY - r * 0.4f,
        f.headX + s * r * 0.38f + r * 0.4f, f.headY + r * 0.5f,
        [&](float x, float y) {
          return std::fabs(SdEllipse(x, y, f.headX + s * r * 0.38f, f.headY + r * 0.05f, r * 0.3f,
                                     r * 0.3f)) -
                 1.2f;
        },
        [](float, float, float) { return Rgb(0x302010); });
    Glow(l, f.headX + s * r * 0.38f, f.headY, r * 0.3f, Rgb(0xFFFFFF), 0.3f);
  }
}

void Beetles(Layer& l, float x, float y, uint32_t seed) {
  Rng rng(seed);
  Glow(l, x, y - 14, 30, Rgb(0xC0FF80), 0.8f);
  for (int i = 0; i < 9; ++i) {
    float bx = x + rng.Range(-120, 130), by = y + rng.Range(-160, 80);
    Light light = SoftLight();
    Part shell = Ellipse(bx, by, 7, 9, Mix(Rgb(0x2A8A3A), Rgb(0x3A5AB0), rng.Unit()));
    shell.gloss = 1;
    DrawPart(l, shell, light);
    Glow(l, bx, by + 6, 10, Rgb(0xC8FF70), 0.5f);
  }
}

void Rain(Layer& l, float x0, float x1, float y0, float y1, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 420; ++i) {
    float x = rng.Range(x0, x1), y = rng.Range(y0, y1), len = rng.Range(10, 24);
    Line(l, x, y, x - len * 0.25f, y + len, 1, Rgb(0xD8E8F8), rng.Range(0.2f, 0.5f));
  }
  for (int y = static_cast<int>(y0); y < y1; ++y) {
    for (int x = static_cast<int>(x0); x < x1; ++x) {
      float k = Smooth(x0, x0 + 120, static_cast<float>(x)) * 0.25f;
      l.at(x, y) = Mix(l.at(x, y), Rgb(0x506070), k);
    }
  }
}

void Umbrella(Layer& l, float handX, float handY, Col c) {
  float tx = handX + 10, ty = handY - 120;
  Line(l, handX, handY, tx, ty, 3, Rgb(0x5A3A20));
  Light light = SoftLight();
  Part canopy =
      Poly({tx - 80, ty + 30, tx - 50, ty - 5, tx, ty - 18, tx + 50, ty - 5, tx + 80, ty + 30}, c);
  canopy.thickness = 30;
  DrawProp(l, canopy, light);
  for (int i = -2; i <= 2; ++i) Line(l, tx, ty - 18, tx + i * 38, ty + 28, 1, Scale(c, 0.7f), 0.6f);
}

void Ripples(Layer& l, float x, float y, uint32_t seed) {
  for (int i = 0; i < 4; ++i) {
    float rx = 40.0f + i * 28, ry = 8.0f + i * 5;
    FillSd(
        l, x - rx - 2, y - ry - 2, x + rx + 2, y + ry + 2,
        [&](float px, float py) { return std::fabs(SdEllipse(px, py, x, y, rx, ry)) - 0.9f; },
        [](float, float, float) { return Rgb(0xF0FAFF); }, 0.7f - i * 0.15f);
  }
  (void)seed;
}

void Pillars(Layer& l, std::initializer_list<float> xs, uint32_t seed) {
  Light light = HaloLight();
  Rng rng(seed);
  for (float px : xs) {
    float x = px + rng.Range(-10, 10), base = 340, h = 150 + rng.Range(0, 40);
    Part p = Box(x, base - h / 2, 16, h / 2, Rgb(0xF0ECE0), 3);
    DrawPart(l, p, light);
    DrawPart(l, Box(x, base - h, 22, 6, Rgb(0xE8E4D8), 2), light);
  }
}

void StoneRing(Layer& l, uint32_t seed) {
  Light light = MoonLight();
  Rng rng(seed);
  for (int i = 0; i < 7; ++i) {
    float x = 30.0f + i * 100 + rng.Range(-20, 20), base = 345 + rng.Range(0, 15),
          h = rng.Range(70, 120);
    DrawPart(
        l,
        Poly({x - 18, base, x - 14, base - h, x + 12, base - h - 8, x + 18, base}, Rgb(0x6A6A80)),
        light);
  }
}

void MagicCircleGround(Layer& l, float x, float y, Col c) {
  for (int ring = 0; ring < 3; ++ring) {
    float rx = 140.0f - ring * 35, ry = rx * 0.22f;
    FillSd(
        l, x - rx - 2, y - ry - 2, x + rx + 2, y + ry + 2,
        [&](float px, float py) { return std::fabs(SdEllipse(px, py, x, y, rx, ry)) - 1.2f; },
        [&](float, float, float) { return c; }, 0.8f);
  }
  Glow(l, x, y, 150, Scale(c, 0.5f), 0.35f);
}

void WizardHat(Layer& l, const Figure& f, Col c) {
  float r = f.headR;
  Light light = MoonLight();
  DrawProp(l, Ellipse(f.headX, f.headY - r * 0.6f, r * 2.0f, r * 0.4f, c), light);
  DrawProp(l,
           Poly({f.headX - r * 1.0f, f.headY - r * 0.7f, f.headX + r * 1.0f, f.headY - r * 0.7f,
                 f.headX + r * 1.4f, f.headY - r * 3.2f},
                c),
           light);
  DrawProp(l, Box(f.headX, f.headY - r * 0.85f, r * 1.0f, r * 0.15f, Rgb(0xE0C050), 1), light);
}

void Wand(Layer& l, float x, float y, Col glow) {
  Line(l, x, y + 20, x - 10, y - 50, 3, Rgb(0x4A3020));
  Glow(l, x - 10, y - 55, 40, glow, 0.9f);
  Glow(l, x - 10, y - 55, 8, Rgb(0xFFFFFF), 1.0f);
}

void NinjaMask(Layer& l, const Figure& f, Col c) {
  float r = f.headR;
  Light light = ForestLight();
  DrawProp(l,
           Poly({f.headX - r * 0.95f, f.headY + r * 0.25f, f.headX + r * 0.95f, f.headY + r * 0.25f,
                 f.headX + r * 0.7f, f.headY + r * 1.05f, f.headX - r * 0.7f, f.headY + r * 1.05f},
                c),
           light);
  // The scarf's tails stream out behind in the wind.
  DrawProp(l,
           Capsule(f.headX + r * 0.5f, f.headY + r * 1.3f, f.headX + r * 4.5f, f.headY + r * 2.0f,
                   r * 0.35f, r * 0.15f, Rgb(0xC03030)),
           light);
  DrawProp(l,
           Capsule(f.headX + r * 0.5f, f.headY + r * 1.4f, f.headX + r * 4.0f, f.headY + r * 3.0f,
                   r * 0.3f, r * 0.12f, Rgb(0xA02828)),
           light);
}

void Blade(Layer& l, float x, float y, float angle, float length, Col c) {
  float ex = x + std::cos(angle) * length, ey = y + std::sin(angle) * length;
  Glow(l, (x + ex) / 2, (y + ey) / 2, length * 0.45f, Scale(c, 0.35f), 0.5f);
  FillPoly(l,
           {x - std::sin(angle) * 4, y + std::cos(angle) * 4, ex, ey, x + std::sin(angle) * 4,
            y - std::cos(angle) * 4},
           c);
  Line(l, x, y, ex, ey, 0.8f, Rgb(0xFFFFFF), 0.8f);
  Line(l, x - std::sin(angle) * 10, y + std::cos(angle) * 10, x + std::sin(angle) * 10,
       y - std::cos(angle) * 10, 4, Rgb(0x3A3020));
}

void Shuriken(Layer& l, float x, float y) {
  for (int i = 0; i < 4; ++i) {
    float a = i * 1.5708f + 0.3f;
    FillPoly(l,
             {x + std::cos(a) * 14, y + std::sin(a) * 14, x + std::cos(a + 0.6f) * 4,
              y + std::sin(a + 0.6f) * 4, x + std::cos(a - 0.6f) * 4, y + std::sin(a - 0.6f) * 4},
             Rgb(0xB8C8C0));
  }
  FillEllipse(l, x, y, 2, 2, Rgb(0x202020));
  Line(l, x + 20, y - 4, x + 70, y - 16, 1, Rgb(0xE0F0E8), 0.4f);
}

void SwampPools(Layer& l, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 8; ++i) {
    float x = rng.Range(0, 640), y = rng.Range(340, 470), rx = rng.Range(30, 90);
    FillEllipse(l, x, y, rx, rx * 0.18f, Rgb(0x3A2A48), 0.85f);
    FillEllipse(l, x - rx * 0.3f, y - 2, rx * 0.4f, rx * 0.04f, Rgb(0x9A7AB8), 0.4f);
  }
}

void Goggles(Layer& l, const Figure& f) {
  float r = f.headR;
  Line(l, f.headX - r, f.headY - r * 0.05f, f.headX + r, f.headY - r * 0.05f, r * 0.2f,
       Rgb(0x3A2A20));
  for (int s = -1; s <= 1; s += 2) {
    FillEllipse(l, f.headX + s * r * 0.4f, f.headY, r * 0.34f, r * 0.34f, Rgb(0x8A6A30));
    FillEllipse(l, f.headX + s * r * 0.4f, f.headY, r * 0.24f, r * 0.24f, Rgb(0xA0F060));
    Glow(l, f.headX + s * r * 0.4f, f.headY, r * 0.6f, Rgb(0xA0FF40), 0.5f);
  }
}

void Wreckage(Layer& l, uint32_t seed) {
  Rng rng(seed);
  Light light = SoftLight();
  for (int i = 0; i < 6; ++i) {
    float x = rng.Range(0, 360), y = rng.Range(330, 400);
    Part p = Box(x, y, rng.Range(15, 40), rng.Range(8, 20),
                 Mix(Rgb(0x8A8A98), Rgb(0xA0603A), rng.Unit()), 3);
    p.gloss = 0.4f;
    GroundShadow(l, x + 8, y + 14, 40, 6, 0.3f);
    DrawPart(l, p, light);
  }
}

void RobotFigure(Layer& l, float x, float footY) {
  Light light = SoftLight();
  light.cel = true;
  Col body = Rgb(0xB8BCC8), dark = Rgb(0x505868), accent = Rgb(0xE8A030);
  std::vector<Part> parts;
  auto shiny = [](Part p) {
    p.gloss = 0.9f;
    p.ink = 1.8f;
    return p;
  };
  parts.push_back(shiny(Box(x - 40, footY - 50, 22, 50, dark, 6)));
  parts.push_back(shiny(Box(x + 40, footY - 50, 22, 50, dark, 6)));
  parts.push_back(shiny(Box(x - 42, footY - 8, 32, 10, body, 4)));
  parts.push_back(shiny(Box(x + 42, footY - 8, 32, 10, body, 4)));
  parts.push_back(
      shiny(Box(x + 70, footY - 200, 30, 60, Rgb(0x8A6A40), 8)));  // the explorer's pack
  parts.push_back(shiny(Box(x, footY - 160, 75, 65, body, 14)));
  parts.push_back(shiny(Box(x, footY - 155, 40, 30, accent, 6)));
  parts.push_back(shiny(Capsule(x - 78, footY - 205, x - 120, footY - 120, 16, 14, dark)));
  parts.push_back(shiny(Capsule(x + 78, footY - 205, x + 110, footY - 110, 16, 14, dark)));
  parts.push_back(shiny(Ellipse(x - 122, footY - 108, 20, 18, body)));
  parts.push_back(shiny(Ellipse(x + 112, footY - 100, 20, 18, body)));
  parts.push_back(shiny(Box(x, footY - 268, 55, 42, body, 12)));
  parts.push_back(shiny(Box(x, footY - 312, 62, 7, Rgb(0x7A5A30), 3)));  // the hat's brim
  parts.push_back(shiny(Box(x, footY - 330, 40, 18, Rgb(0x8A6A3A), 8)));
  DrawParts(l, parts, light);
  for (int s = -1; s <= 1; s += 2) {
    FillEllipse(l, x + s * 22, footY - 272, 12, 12, Rgb(0x102030));
    FillEllipse(l, x + s * 22, footY - 272, 7, 7, Rgb(0x60E0FF));
    Glow(l, x + s * 22, footY - 272, 22, Rgb(0x40C0FF), 0.6f);
  }
  Line(l, x - 20, footY - 245, x + 20, footY - 245, 3, dark);
  Glow(l, x, footY - 160, 20, Rgb(0xFFC040), 0.4f);
}

void Cliff(Layer& l, float topY, Col c, uint32_t seed) {
  for (int x = 0; x < l.w(); ++x) {
    float top =
        topY - Smooth(200, 640, static_cast<float>(x)) * 40 - Fbm(x / 40.0f, 0, 4, seed) * 30;
    for (int y = static_cast<int>(top); y < l.h(); ++y) {
      float n = Fbm(x / 25.0f, y / 12.0f, 3, seed + 1);
      l.Blend(x, y, Scale(c, 0.8f + n * 0.5f + Smooth(top + 6, top, static_cast<float>(y)) * 1.2f),
              Clamp01(y + 1 - top));
    }
  }
}

void Deck(Layer& l, float mastX, uint32_t seed) {
  for (int y = 330; y < l.h(); ++y) {
    float t = (y - 330) / 150.0f;
    for (int x = 0; x < l.w(); ++x) {
      float plank = std::fmod((x - 320) / (1 + t * 3) + 1000, 40.0f);
      float seam = plank < 1.5f ? 0.6f : 1.0f;
      float grain = Fbm(x / 80.0f, y / 3.0f, 3, seed) - 0.5f;
      l.Blend(x, y, Scale(Rgb(0x9A6A40), seam * (0.7f + 0.3f * t) * (1 + grain * 0.3f)), 1);
    }
  }
  // The rail, and the mast with its furled sail at the back.
  Light light = SeaLight();
  DrawPart(l, Box(320, 322, 330, 8, Rgb(0x6A4228), 3), light);
  for (int i = 0; i < 12; ++i)
    DrawPart(l, Box(20.0f + i * 56, 300, 4, 22, Rgb(0x6A4228), 2), light);
  DrawPart(l, Box(mastX, 150, 9, 180, Rgb(0x7A4A2A), 3), light);
  DrawPart(l, Capsule(mastX - 150, 60, mastX + 150, 60, 12, 12, Rgb(0xF0E8D8)), light);
}

void Trident(Layer& l, float x, float y) {
  Line(l, x, y + 120, x, y - 110, 4, Rgb(0xC8A040));
  for (int i = -1; i <= 1; ++i) {
    Line(l, x + i * 16, y - 110, x + i * 16, y - 150, 3, Rgb(0xE8D070));
    FillPoly(l, {x + i * 16 - 5, y - 150, x + i * 16, y - 162, x + i * 16 + 5, y - 150},
             Rgb(0xF0E090));
  }
  Line(l, x - 16, y - 110, x + 16, y - 110, 3, Rgb(0xE8D070));
  Glow(l, x, y - 140, 40, Rgb(0x60D0FF), 0.5f);
}

void IslandFace(Layer& l, float cx, float eyeY, uint32_t seed) {
  // The whole land rises from the sea and looks back: two eyes of light in the slopes,
  // a mouth that is a cave, forests for hair.
  // The land that looks back is one steep peak, left of the skill list; lower shores beyond
  // it are scenery.
  for (int x = 0; x < l.w(); ++x) {
    float u = (x - cx) / 160.0f;
    if (std::fabs(u) >= 1) continue;
    float top = 330 - (330 - eyeY + 95) * std::max(0.0f, 1 - u * u) -
                (Fbm(x / 30.0f, 0, 4, seed) - 0.5f) * 40;
    for (int y = std::max(0, static_cast<int>(top)); y < 340; ++y) {
      float n = Fbm(x / 20.0f, y / 20.0f, 4, seed + 1);
      float up = Clamp01((y - top) / 60);
      Col c = Mix(Rgb(0x2A5A30), Rgb(0x5A4A3A), up);
      c = Scale(c, 0.7f + n * 0.6f);
      c = Mix(c, Rgb(0xE0A070),
              Smooth(0.1f, -0.5f, u) * Smooth(top + 30, top, static_cast<float>(y)) * 0.6f);
      l.Blend(x, y, c, Clamp01(y + 1 - top));
    }
  }
  for (int s = -1; s <= 1; s += 2) {
    Glow(l, cx + s * 70, eyeY, 60, Rgb(0xFFD060), 0.7f);
    FillEllipse(l, cx + s * 70, eyeY, 26, 10, Rgb(0xFFF4C0));
    FillEllipse(l, cx + s * 70, eyeY, 7, 8, Rgb(0x4A2A10));
  }
  FillEllipse(l, cx, eyeY + 85, 50, 18, Rgb(0x0A0808));
  Glow(l, cx, eyeY + 85, 50, Rgb(0x803020), 0.3f);
}

void CloudSea(Layer& l, float y, uint32_t seed) {
  for (int py = static_cast<int>(y) - 60; py < l.h(); ++py) {
    for (int x = 0; x < l.w(); ++x) {
      float n = Fbm(x / 90.0f, py / 30.0f, 5, seed);
      float top = y - n * 80;
      if (py < top) continue;
      float lit = Smooth(top + 40, top, static_cast<float>(py));
      Col c = Mix(Rgb(0xC8C8D8), Rgb(0xFFFFFF), lit);
      l.Blend(x, py, c, Clamp01((py - top) / 6));
    }
  }
}

void AngelWings(Layer& l, float x, float y, Col c, float scale) {
  Light light = HaloLight();
  for (int s = -1; s <= 1; s += 2) {
    // Rows of long feathers under a rounded shoulder of the wing.
    for (int i = 6; i >= 0; --i) {
      float a = -0.5f + i * 0.2f;
      float len = (190 - i * 12) * scale;
      float ex = x + s * std::cos(a) * len, ey = y + std::sin(a) * len + 30 * scale;
      Part feather = Ellipse((x + s * 30 * scale + ex) / 2, (y + ey) / 2,
                             std::fabs(ex - x - s * 30 * scale) / 2 + 18 * scale, 20 * scale,
                             Mix(c, Rgb(0xD8E0F0), i / 8.0f));
      feather.thickness = 14 * scale;
      DrawProp(l, feather, light);
    }
    Part shoulder = Ellipse(x + s * 90 * scale, y - 20 * scale, 90 * scale, 45 * scale, c);
    shoulder.thickness = 30 * scale;
    DrawProp(l, shoulder, light);
  }
}

void Halo(Layer& l, const Figure& f) {
  float r = f.headR;
  FillSd(
      l, f.headX - r * 1.5f, f.headY - r * 2.2f, f.headX + r * 1.5f, f.headY - r * 1.2f,
      [&](float x, float y) {
        return std::fabs(SdEllipse(x, y, f.headX, f.headY - r * 1.7f, r * 1.2f, r * 0.35f)) - 2.5f;
      },
      [](float, float, float) { return Rgb(0xFFE070); });
  Glow(l, f.headX, f.headY - r * 1.7f, r * 2, Rgb(0xFFE070), 0.5f);
}

void Lightning(Layer& l, float x, float y, uint32_t seed) {
  Rng rng(seed);
  float px = x, py = y;
  while (py < 300) {
    float nx = px + rng.Range(-30, 30), ny = py + rng.Range(20, 45);
    Line(l, px, py, nx, ny, 3, Rgb(0xE0F0FF));
    Glow(l, nx, ny, 30, Rgb(0x6080FF), 0.25f);
    px = nx;
    py = ny;
  }
}

void SeaBeast(Layer& l, float x, float y, uint32_t seed) {
  Light light = MakeLight(Rgb(0xB0C8E0), Rgb(0x182028), Rgb(0x80FFE0), 1.1f, 0.3f, -0.9f);
  light.cel = true;
  (void)seed;
  // Three necks rise from the water, each a long scaled body with a fin along its back and a
  // horned, open-jawed head with burning eyes.
  const float heads[3][2] = {{-110, -150}, {0, -250}, {120, -170}};
  const Col hide = Rgb(0x24605A), belly = Rgb(0x78A890), fin = Rgb(0x163C3C);
  for (auto& h : heads) {
    const float hx = x + h[0], hy = y + h[1];
    const int steps = 14;
    std::vector<float> cx, cy, rad;
    for (int i = 0; i <= steps; ++i) {
      float t = static_cast<float>(i) / steps;
      cx.push_back(x + h[0] * 0.4f + (hx - x - h[0] * 0.4f) * t + std::sin(t * 3.1f) * 25);
      cy.push_back(y + 40 + (hy - y - 40) * t);
      rad.push_back(34 - t * 14);
    }
    auto normal = [&](int i, float& nx, float& ny) {
      int i0 = std::max(0, i - 1), i1 = std::min(steps, i + 1);
      float tx = cx[i1] - cx[i0], ty = cy[i1] - cy[i0], len = std::hypot(tx, ty);
      nx = -ty / len;
      ny = tx / len;
    };
    // The fin first, so the body covers its roots.
    for (int i = 2; i < steps; i += 2) {
      float nx, ny;
      normal(i, nx, ny);
      Part spine = Poly({cx[i] - nx * rad[i] * 0.7f, cy[i] - ny * rad[i] * 0.7f - 8,
                         cx[i] - nx * (rad[i] + 18), cy[i] - ny * (rad[i] + 18) - 6,
                         cx[i] - nx * rad[i] * 0.7f, cy[i] - ny * rad[i] * 0.7f + 10},
                        fin);
      spine.ink = 1.4f;
      DrawPart(l, spine, light);
    }
    std::vector<float> body, under;
    for (int i = 0; i <= steps; ++i) {
      float nx, ny;
      normal(i, nx, ny);
      body.insert(body.end(), {cx[i] - nx * rad[i], cy[i] - ny * rad[i]});
    }
    for (int i = steps; i >= 0; --i) {
      float nx, ny;
      normal(i, nx, ny);
      body.insert(body.end(), {cx[i] + nx * rad[i], cy[i] + ny * rad[i]});
      under.insert(under.end(), {cx[i] + nx * rad[i] * 0.85f, cy[i] + ny * rad[i] * 0.85f});
    }
    for (int i = 0; i <= steps; ++i) {
      float nx, ny;
      normal(i, nx, ny);
      under.insert(under.end(), {cx[i] + nx * rad[i] * 0.3f, cy[i] + ny * rad[i] * 0.3f});
    }
    Part neck = Poly(body, hide);
    neck.thickness = 22;
    neck.ink = 1.8f;
    DrawPart(l, neck, light);
    Part scales = Poly(under, belly);
    scales.thickness = 2;
    DrawPart(l, scales, light);
    // The head: a skull, a snout thrust at the viewer, an open jaw full of teeth.
    const float dir = h[0] > 0 ? 1.0f : h[0] < 0 ? -1.0f : 0.0f;
    for (int s = -1; s <= 1; s += 2) {
      Part horn = Capsule(hx + s * 12, hy - 16, hx + s * 38, hy - 62, 7, 2, Rgb(0xD8D0B0));
      horn.ink = 1.4f;
      DrawPart(l, horn, light);
    }
    Part skull = Ellipse(hx, hy, 40, 28, hide);
    skull.ink = 1.8f;
    DrawPart(l, skull, light);
    const float sx = hx + dir * 20, sy = hy + 22;
    Part jaw = Poly({hx - 26, hy + 10, hx + 26, hy + 10, sx + 18, sy + 14, sx - 18, sy + 14},
                    Rgb(0x3A0A10));
    jaw.ink = 1.6f;
    DrawPart(l, jaw, light);
    for (int k = 0; k < 5; ++k) {
      float tx = hx - 20 + k * 10;
      FillPoly(l, {tx - 3, hy + 10, tx + 3, hy + 10, tx, hy + 18}, Rgb(0xF0E8D8));
    }
    Part snout = Capsule(hx, hy + 2, sx, sy - 6, 24, 16, hide);
    snout.ink = 1.8f;
    DrawPart(l, snout, light);
    for (int s = -1; s <= 1; s += 2) {
      // A heavy ridge over each burning eye.
      Line(l, hx + s * 6, hy - 12, hx + s * 26, hy - 8, 4, Rgb(0x0C1C1C));
      FillEllipse(l, hx + s * 15, hy - 4, 6, 4, Rgb(0xFF5020));
      Glow(l, hx + s * 15, hy - 4, 16, Rgb(0xFF4010), 0.7f);
      FillEllipse(l, sx + s * 6, sy - 10, 2, 1.5f, Rgb(0x081010));  // nostrils
    }
  }
}

void Waves(Layer& l, uint32_t seed) {
  for (int y = 360; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      float n = Noise(x / 50.0f, y / 8.0f, seed);
      float k = Smooth(0.68f, 0.8f, n) * (y - 360) / 120.0f;
      l.at(x, y) = Mix(l.at(x, y), Rgb(0xD0E8F0), k * 0.6f);
    }
  }
}

void SunDisc(Layer& l, float x, float y, float r) {
  Glow(l, x, y, r * 2, Rgb(0xFF9040), 0.6f);
  FillEllipse(l, x, y, r, r, Rgb(0xFFC060), 0.9f);
  FillSd(
      l, x - r - 12, y - r - 12, x + r + 12, y + r + 12,
      [&](float px, float py) { return std::fabs(SdEllipse(px, py, x, y, r + 8, r + 8)) - 1.5f; },
      [](float, float, float) { return Rgb(0xFFF0C0); }, 0.8f);
}

void Cavern(Layer& l, float cx, float cy, Col dark, Col light, uint32_t seed) {
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      float n = Fbm(x / 60.0f, y / 40.0f, 5, seed);
      float open = Smooth(0.3f, 0.7f, 1 - std::hypot((x - cx) / 300.0f, (y - cy) / 260.0f));
      Col c = Mix(dark, light, open * (0.5f + n * 0.8f));
      l.at(x, y) = c;
      l.alpha(x, y) = 1;
    }
  }
}

void Crystals(Layer& l, uint32_t seed, Col c, float clearX0, float clearX1) {
  Rng rng(seed);
  Light light = CrystalLight();
  for (int i = 0; i < 16; ++i) {
    float x = rng.Range(0, 640), base = rng.Range(380, 490), h = rng.Range(60, 200),
          w = rng.Range(14, 30), lean = rng.Range(-30, 30);
    if (x + w > clearX0 && x - w < clearX1) continue;  // nothing grows in front of the figure
    Part p = Poly({x - w, base, x + lean - w * 0.3f, base - h * 0.8f, x + lean, base - h,
                   x + lean + w * 0.3f, base - h * 0.8f, x + w, base},
                  Mix(c, Rgb(0xC0A0FF), rng.Unit() * 0.5f));
    p.gloss = 1;
    DrawPart(l, p, light);
    Glow(l, x + lean * 0.5f, base - h * 0.5f, h * 0.5f, Scale(c, 0.4f), 0.25f);
  }
}

void Tears(Layer& l, float x, float y) {
  Glow(l, x - 8, y, 5, Rgb(0xC0D8FF), 0.7f);
  Glow(l, x + 8, y + 6, 4, Rgb(0xC0D8FF), 0.6f);
}

}  // namespace qv::assetgen
