#include "map_places.h"

#include "captions.h"
#include "figures.h"
#include "text.h"

namespace qv::assetgen {

namespace {

Light MapLight() {
  Light light;
  light.ambient = {0.45f, 0.45f, 0.5f};
  light.rim = {0.3f, 0.3f, 0.35f};
  light.rimStrength = 0.2f;
  return light;
}

// Everything on the map casts a short shadow to the south-east.
void Shadow(Layer& l, float cx, float cy, float rx, float ry, float k = 0.35f) {
  FillEllipse(l, cx + rx * 0.35f, cy + ry * 0.4f, rx, ry, Rgb(0x102010), k);
}

void House(Layer& l, float cx, float cy, float w, Col roof, Col wall) {
  float h = w * 0.55f;
  Shadow(l, cx + 2, cy + 2, w * 0.6f, h * 0.6f);
  FillPoly(l,
           {cx - w / 2, cy - h * 0.1f, cx + w / 2, cy - h * 0.1f, cx + w / 2, cy + h * 0.55f,
            cx - w / 2, cy + h * 0.55f},
           wall);
  FillPoly(l,
           {cx - w / 2 - 2, cy, cx, cy - h * 0.9f, cx + w / 2 + 2, cy, cx + w / 2 + 2, cy + 1,
            cx - w / 2 - 2, cy + 1},
           roof);
  FillPoly(l, {cx, cy - h * 0.9f, cx + w / 2 + 2, cy, cx + w / 2 + 2, cy + 1, cx, cy - h * 0.55f},
           Scale(roof, 0.7f));
  Line(l, cx - w / 2 - 2, cy + 0.5f, cx, cy - h * 0.9f, 1, Scale(roof, 1.3f), 0.8f);
  FillPoly(l,
           {cx - 2, cy + h * 0.15f, cx + 2, cy + h * 0.15f, cx + 2, cy + h * 0.55f, cx - 2,
            cy + h * 0.55f},
           Rgb(0x3A2418));
  FillPoly(l,
           {cx + w * 0.2f, cy + h * 0.12f, cx + w * 0.36f, cy + h * 0.12f, cx + w * 0.36f,
            cy + h * 0.3f, cx + w * 0.2f, cy + h * 0.3f},
           Rgb(0xFFD880));
}

void Road(Layer& l, const MapTerrain& t, std::initializer_list<float> pts) {
  std::vector<float> p(pts);
  for (size_t i = 0; i + 3 < p.size(); i += 2) {
    float ax = p[i], ay = p[i + 1], bx = p[i + 2], by = p[i + 3];
    float len = std::hypot(bx - ax, by - ay);
    int steps = static_cast<int>(len / 2) + 1;
    for (int s = 0; s < steps; ++s) {
      float u = static_cast<float>(s) / steps;
      float x = ax + (bx - ax) * u + (Noise(s * 0.2f, i * 1.0f, 120) - 0.5f) * 3;
      float y = ay + (by - ay) * u + (Noise(s * 0.2f, i * 1.0f + 5, 120) - 0.5f) * 3;
      auto b = t.BiomeAt(x, y);
      if (b == MapTerrain::kSea || b == MapTerrain::kLake) continue;
      FillEllipse(l, x + 0.6f, y + 0.6f, 2.2f, 2.0f, Rgb(0x5A5030), 0.25f);
      FillEllipse(l, x, y, 1.7f, 1.5f, Rgb(0xD8C48C), 0.85f);
    }
  }
}

void Plaque(Layer& l, float x, float y, float w, float h, const std::string& caption,
            const std::string& sub, Col tone) {
  Shadow(l, x + w / 2 + 2, y + h / 2 + 3, w / 2, h / 2, 0.45f);
  FillSd(
      l, x, y, x + w, y + h,
      [&](float px, float py) { return SdBox(px, py, x + w / 2, y + h / 2, w / 2, h / 2, 5); },
      [&](float, float py, float d) {
        Col wood = Mix(Rgb(0x8A5A2E), Rgb(0x5A3A1E), Clamp01((py - y) / h));
        return Mix(Rgb(0xE8C060), wood, Smooth(-1.0f, -3.0f, d));
      });
  FillSd(
      l, x + 4, y + 4, x + w - 4, y + h - 4,
      [&](float px, float py) {
        return SdBox(px, py, x + w / 2, y + h / 2, w / 2 - 5, h / 2 - 5, 3);
      },
      [&](float, float py, float) {
        return Mix(Scale(tone, 1.15f), Scale(tone, 0.7f), Clamp01((py - y) / h));
      });
  TextMask m = RenderFitted(caption, 17, static_cast<int>(w) - 10);
  TextMask s = RenderText(sub, 10);
  int tx = static_cast<int>(x + (w - m.w) / 2), ty = static_cast<int>(y + 6);
  PaintMask(l, m, tx + 1, ty + 1, Rgb(0x100808), 0.8f);
  PaintMaskGradient(l, m, tx, ty, Rgb(0xFFF8E0), Rgb(0xF0C870));
  PaintMask(l, s, static_cast<int>(x + (w - s.w) / 2), static_cast<int>(y + h - s.h - 4),
            Rgb(0xE0D8C0), 0.9f);
}

void Trees(Layer& l, const MapTerrain& t, uint32_t seed, int count) {
  Rng rng(seed);
  Light light = MapLight();
  for (int i = 0; i < count; ++i) {
    float x = rng.Range(0, 640), y = rng.Range(0, 480);
    auto b = t.BiomeAt(x, y);
    if (b != MapTerrain::kGrass) continue;
    float r = rng.Range(2.5f, 4.5f);
    Shadow(l, x + 1, y + 1, r, r * 0.8f, 0.3f);
    DrawPart(l, Ellipse(x, y, r, r * 0.9f, Mix(Rgb(0x3E8A3A), Rgb(0x5AA048), rng.Unit())), light);
  }
}

}  // namespace

void DrawMapPlaces(Layer& map, const MapTerrain& t) {
  Light light = MapLight();
  Trees(map, t, 130, 900);
  // Roads from the village to every corner of the island.
  Road(map, t, {254, 140, 300, 160, 330, 162});
  Road(map, t, {254, 140, 215, 185, 182, 214});
  Road(map, t, {254, 140, 190, 112, 120, 100, 50, 88});
  Road(map, t, {182, 214, 140, 240, 108, 258});
  Road(map, t, {254, 140, 300, 190, 310, 214, 360, 205, 404, 202});
  Road(map, t, {310, 214, 312, 262});
  Road(map, t, {312, 285, 300, 340, 282, 398});
  Road(map, t, {305, 285, 200, 350, 90, 370});
  Road(map, t, {404, 202, 470, 160, 480, 150});
  Road(map, t, {404, 210, 470, 222, 540, 300});
  Road(map, t, {330, 290, 420, 360, 440, 378});
  Road(map, t, {120, 100, 122, 80});
  // The trail into the free area climbs north from its gate.
  Road(map, t, {332, 150, 346, 124, 346, 98, 352, 72, 366, 46, 336, 26});

  // The village inn.
  House(map, 254, 136, 24, Rgb(0xB8402E), Rgb(0xE8D8B8));
  House(map, 236, 152, 12, Rgb(0x8A5A3A), Rgb(0xD8C8A8));
  House(map, 272, 152, 12, Rgb(0x8A5A3A), Rgb(0xD8C8A8));
  TextMask inn = RenderFitted(Caption("宿"), 11, 16);
  PaintMask(map, inn, PaintingTranslation() ? 254 - inn.w / 2 : 247, 117, Rgb(0x301808), 0.9f);
  // The tool shop in the west.
  House(map, 45, 84, 20, Rgb(0x3A6AB0), Rgb(0xE0D0B0));
  FillEllipse(map, 55, 79, 3, 3, Rgb(0xE8C040));
  // The free area's gate: a cave mouth under a rock wall, with torches.
  FillSd(
      map, 292, 148, 369, 177, [](float x, float y) { return SdBox(x, y, 330, 161, 36, 12, 8); },
      [](float x, float y, float d) {
        return Scale(Mix(Rgb(0x8A7A68), Rgb(0x5A4E44), Fbm(x / 5.0f, y / 5.0f, 3, 131)),
                     1 + std::clamp(d * 0.05f, -0.3f, 0.0f));
      });
  FillSd(
      map, 318, 152, 342, 172,
      [](float x, float y) {
        return SdEllipse(x, y, 330, 166, 11, 11) + std::max(0.0f, 160 - y) * 2;
      },
      [](float, float y, float) {
        return Mix(Rgb(0x05040A), Rgb(0x221A24), Clamp01((y - 156) / 14));
      });
  Glow(map, 314, 160, 6, Rgb(0xFF9A30), 0.9f);
  Glow(map, 346, 160, 6, Rgb(0xFF9A30), 0.9f);
  // The mountain: a hut at its foot and a cairn with a flag on the summit.
  House(map, 182, 214, 14, Rgb(0x6A4A30), Rgb(0xB89A78));
  DrawPart(map, Ellipse(170, 145, 4, 3.5f, Rgb(0x8A8078)), light);
  Line(map, 171, 142, 171, 130, 1, Rgb(0x3A2A20));
  FillPoly(map, {171, 130, 180, 133, 171, 136}, Rgb(0xD83030));
  // The insect doctor's hut under giant leaves.
  House(map, 480, 142, 18, Rgb(0x6A8A2A), Rgb(0xC8B888));
  for (int i = 0; i < 5; ++i) {
    float a = -2.6f + i * 0.55f;
    DrawPart(map,
             Capsule(480, 134, 480 + std::cos(a) * 20, 134 + std::sin(a) * 12, 4, 1, Rgb(0x7AB040)),
             light);
  }
  // The stone circle of the magician.
  for (int i = 0; i < 8; ++i) {
    float a = i * 0.785f;
    float sx = 404 + std::cos(a) * 14, sy = 202 + std::sin(a) * 11;
    Shadow(map, sx, sy, 2.5f, 2, 0.4f);
    DrawPart(map, Ellipse(sx, sy - 1, 2.5f, 3.2f, Rgb(0xB0A8B8)), light);
  }
  FillSd(
      map, 390, 190, 418, 214,
      [](float x, float y) { return std::fabs(SdEllipse(x, y, 404, 202, 9, 7)) - 0.6f; },
      [](float, float, float) { return Rgb(0xB090E0); }, 0.7f);
  // The white plaza where the young man of light waits.
  FillSd(
      map, 288, 252, 338, 294, [](float x, float y) { return SdEllipse(x, y, 312, 272, 22, 17); },
      [](float x, float y, float) {
        return Mix(Rgb(0xE8E4D8), Rgb(0xC8C0B0), Fbm(x / 4.0f, y / 4.0f, 2, 132));
      });
  for (int i = 0; i < 6; ++i) {
    float a = i * 1.047f + 0.3f;
    float px = 312 + std::cos(a) * 17, py = 272 + std::sin(a) * 12;
    Shadow(map, px + 2, py + 1, 2, 2, 0.4f);
    DrawPart(map, Box(px, py - 4, 2, 6, Rgb(0xF4F0E8), 1), light);
  }
  // The heart of the island: an old tree with a ring of standing stones.
  Shadow(map, 311, 216, 12, 10, 0.4f);
  DrawPart(map, Ellipse(310, 212, 11, 10, Rgb(0x3A7A3A)), light);
  DrawPart(map, Ellipse(306, 209, 6, 5, Rgb(0x5AA050)), light);
  // The earth spirit's crater: dark cracks in bare ground.
  for (int i = 0; i < 6; ++i) {
    float a = i * 1.05f;
    Line(map, 498, 222, 498 + std::cos(a) * 22, 222 + std::sin(a) * 20, 1.2f, Rgb(0x2A1810), 0.7f);
  }
  Glow(map, 498, 222, 8, Rgb(0xA04020), 0.5f);
  // The sky god's red shrine gate on the crag.
  FillPoly(map, {492, 30, 518, 30, 520, 27, 490, 27}, Rgb(0xC02820));
  Line(map, 496, 30, 496, 48, 2.5f, Rgb(0xC02820));
  Line(map, 514, 30, 514, 48, 2.5f, Rgb(0xC02820));
  Line(map, 494, 35, 516, 35, 1.5f, Rgb(0xC02820));
  // A small white temple for the messenger from heaven.
  DrawPart(map, Box(590, 38, 9, 6, Rgb(0xF0EEE8), 1), light);
  FillPoly(map, {579, 33, 590, 24, 601, 33}, Rgb(0x8A9AB8));
  // The giant tree in the north-west corner where the green one takes flight.
  Shadow(map, 24, 24, 20, 17, 0.5f);
  for (int i = 0; i < 7; ++i) {
    float a = i * 0.9f;
    DrawPart(map, Ellipse(22 + std::cos(a) * 9, 20 + std::sin(a) * 8, 9, 8, Rgb(0x2E6A34)), light);
  }
  DrawPart(map, Ellipse(20, 17, 8, 7, Rgb(0x4A9048)), light);
  // The poison moth doctor's hut in the swamp.
  House(map, 123, 80, 14, Rgb(0x6A3A7A), Rgb(0x9A8A7A));
  // Rusted wreckage on the south-west beach.
  for (int i = 0; i < 5; ++i) {
    float bx = 56 + i * 7, by = 372 + (i % 2) * 6;
    Shadow(map, bx, by, 4, 3, 0.4f);
    Part p = Box(bx, by, 3.5f, 2.5f, Mix(Rgb(0x8A8A90), Rgb(0xA06A40), (i % 3) * 0.4f), 1);
    p.gloss = 0.5f;
    DrawPart(map, p, light);
  }
  DrawPart(map, Ellipse(78, 378, 5, 5, Rgb(0x707078)), light);
  // The black stone on the dark cape.
  Shadow(map, 282, 406, 6, 4, 0.5f);
  DrawPart(map, Poly({276, 410, 280, 392, 285, 390, 288, 410}, Rgb(0x2A2234)), light);
  Glow(map, 282, 398, 9, Rgb(0x5020A0), 0.35f);
  // The islet of light with its white stone.
  DrawPart(map, Ellipse(314, 442, 3, 4, Rgb(0xF8F4E0)), light);
  Glow(map, 314, 442, 10, Rgb(0xFFF0B0), 0.4f);
  // The whirlpool where the sea god sleeps.
  for (int i = 0; i < 240; ++i) {
    float a = i * 0.08f, r = 2 + i * 0.1f;
    FillEllipse(map, 450 + std::cos(a) * r, 412 + std::sin(a) * r * 0.6f, 1.1f, 1.1f, Rgb(0xD8F0F8),
                0.5f);
  }
  FillEllipse(map, 450, 412, 4, 2.5f, Rgb(0x0A1A3A), 0.8f);
  // A compass rose in the western sea.
  Line(map, 24, 432, 24, 468, 1.5f, Rgb(0xF0E8D0), 0.8f);
  Line(map, 6, 450, 42, 450, 1.5f, Rgb(0xF0E8D0), 0.8f);
  FillPoly(map, {24, 430, 28, 446, 20, 446}, Rgb(0xD83030));
  PaintMask(map, RenderText("N", 9), 28, 426, Rgb(0xF0E8D0));
  // The two menu plaques at the lower right: the item screen and skill training.
  Plaque(map, 537, 381, 102, 43, Caption("技の強化"), "SKILL", Rgb(0x4A3A8A));
  Plaque(map, 537, 429, 102, 43, Caption("装備・道具"), "ITEM / EQUIP", Rgb(0x2A5A6A));
}

void PaintLakeGirl(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2, cy = y + h - 7;
  FillSd(
      l, cx - 11, cy - 5, cx + 11, cy + 5,
      [&](float px, float py) { return std::fabs(SdEllipse(px, py, cx, cy, 10, 4)) - 0.7f; },
      [](float, float, float) { return Rgb(0xE8F8FF); }, 0.9f);
  Look lk;
  lk.height = 17;
  lk.child = true;
  lk.garment = Garment::kRobe;
  lk.hair = Hair::kTwinTails;
  lk.hairCol = Rgb(0x5A90E0);
  lk.top = Rgb(0xF0F0FF);
  lk.bottom = Rgb(0x80B0F0);
  lk.tiny = true;
  Figure f = BuildFigure(lk, cx, cy + 1);
  DrawParts(l, f.parts, MapLight());
}

void PaintMagicCircle(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2, cy = y + h / 2;
  Glow(l, cx, cy, w * 0.55f, Rgb(0x6040C0), 0.7f);
  for (int ring = 0; ring < 2; ++ring) {
    float r = w * (0.42f - ring * 0.12f);
    FillSd(
        l, cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2,
        [&](float px, float py) {
          return std::fabs(SdEllipse(px, py, cx, cy, r, r * 0.8f)) - 0.8f;
        },
        [](float, float, float) { return Rgb(0xD8C8FF); });
  }
  for (int i = 0; i < 5; ++i) {
    float a = i * 2.513f - 1.57f, b = (i + 2) * 2.513f - 1.57f;
    float r = w * 0.3f;
    Line(l, cx + std::cos(a) * r, cy + std::sin(a) * r * 0.8f, cx + std::cos(b) * r,
         cy + std::sin(b) * r * 0.8f, 1, Rgb(0xF0E8FF));
  }
}

void PaintLightPillar(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2;
  for (int py = static_cast<int>(y); py < y + h; ++py) {
    for (int px = static_cast<int>(x); px < x + w; ++px) {
      float d = std::fabs(px + 0.5f - cx) / (w * 0.22f);
      float k = std::exp(-d * d * 2) * (0.6f + 0.4f * (py - y) / h);
      if (k > 0.05f) l.Blend(px, py, Mix(Rgb(0xFFF4C0), Rgb(0xFFFFFF), k), Clamp01(k * 1.4f));
    }
  }
  Glow(l, cx, y + h - 8, w * 0.45f, Rgb(0xFFE890), 0.8f);
}

void PaintGreenSpire(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2;
  Light light = MapLight();
  Shadow(l, cx + 3, y + h - 5, w * 0.4f, 4, 0.5f);
  for (int i = 0; i < 5; ++i) {
    float top = y + 2 + i * h * 0.17f, wd = w * (0.18f + i * 0.07f);
    DrawPart(l,
             Poly({cx, top, cx + wd, top + h * 0.28f, cx - wd, top + h * 0.28f},
                  Mix(Rgb(0x1E5A2A), Rgb(0x0E3018), i * 0.2f)),
             light);
  }
  Glow(l, cx - 2, y + h * 0.45f, 2.5f, Rgb(0xA0FF60), 0.9f);
  Glow(l, cx + 3, y + h * 0.45f, 2.5f, Rgb(0xA0FF60), 0.9f);
}

void PaintMoth(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2, cy = y + h / 2;
  Light light = MapLight();
  for (int s = -1; s <= 1; s += 2) {
    DrawPart(l, Ellipse(cx + s * w * 0.24f, cy - 2, w * 0.24f, h * 0.3f, Rgb(0x9A50C0)), light);
    DrawPart(l, Ellipse(cx + s * w * 0.2f, cy + 4, w * 0.16f, h * 0.22f, Rgb(0x7A3A90)), light);
    FillEllipse(l, cx + s * w * 0.25f, cy - 2, 2, 2, Rgb(0xE8E040));
  }
  DrawPart(l, Capsule(cx, cy - 6, cx, cy + 7, 1.8f, 1.2f, Rgb(0x3A2030)), light);
}

void PaintRobotHead(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2, cy = y + h / 2 + 2;
  Light light = MapLight();
  Part head = Box(cx, cy, w * 0.3f, h * 0.32f, Rgb(0x9AA0B0), 2);
  head.gloss = 0.8f;
  DrawPart(l, head, light);
  Line(l, cx, cy - h * 0.32f, cx, y + 2, 1, Rgb(0x606070));
  Glow(l, cx, y + 3, 3, Rgb(0xFF4030), 1);
  FillEllipse(l, cx - 4, cy - 1, 2.5f, 2.5f, Rgb(0x40E0FF));
  FillEllipse(l, cx + 4, cy - 1, 2.5f, 2.5f, Rgb(0x40E0FF));
  Glow(l, cx - 4, cy - 1, 5, Rgb(0x40C0FF), 0.5f);
  Glow(l, cx + 4, cy - 1, 5, Rgb(0x40C0FF), 0.5f);
}

void PaintDarkBlade(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2;
  Glow(l, cx, y + h * 0.55f, w * 0.45f, Rgb(0x6020A0), 0.8f);
  Line(l, cx - 10, y + h - 3, cx + 8, y + 3, 2.5f, Rgb(0x1A1020));
  Line(l, cx - 9.5f, y + h - 4, cx + 7.5f, y + 4, 0.8f, Rgb(0xC0A0FF));
  Line(l, cx - 12, y + h - 9, cx - 4, y + h - 5, 2, Rgb(0x604080));
}

void PaintIslandHeart(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2, cy = y + h / 2;
  Glow(l, cx, cy, w * 0.5f, Rgb(0xFFC040), 0.8f);
  FillSd(
      l, cx - 8, cy - 8, cx + 8, cy + 8,
      [&](float px, float py) {
        float dx = std::fabs(px - cx), dy = py - cy + 2;
        return std::min(SdEllipse(dx, dy, 3.5f, -1, 4.5f, 4.5f),
                        SdPoly(px, py, {cx - 8, cy - 1, cx + 8, cy - 1, cx, cy + 8}));
      },
      [&](float, float py, float) {
        return Mix(Rgb(0xFFF0A0), Rgb(0xE06020), Clamp01((py - cy + 8) / 16));
      });
}

void PaintHeavenLight(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2, cy = y + h / 2;
  Glow(l, cx, cy, w * 0.55f, Rgb(0xFFF8E0), 0.9f);
  FillSd(
      l, cx - 9, cy - 12, cx + 9, cy - 4,
      [&](float px, float py) { return std::fabs(SdEllipse(px, py, cx, cy - 8, 7, 2.5f)) - 0.8f; },
      [](float, float, float) { return Rgb(0xFFE070); });
  for (int s = -1; s <= 1; s += 2) {
    FillPoly(l, {cx, cy, cx + s * 13, cy - 5, cx + s * 11, cy + 3, cx + s * 3, cy + 6},
             Rgb(0xFFFFFF), 0.95f);
  }
}

void PaintTrailTorch(Layer& l, float x, float y, float w, float h) {
  // A wooden post with a lantern: this stretch of the trail is now known.
  float px = x + w * 0.5f;
  FillEllipse(l, px + 2, y + h - 2, w * 0.3f, 2, Rgb(0x102010), 0.4f);
  Line(l, px, y + h - 2, px, y + 5, 2, Rgb(0x5A3A20));
  Line(l, px - 5, y + 8, px + 5, y + 8, 1.5f, Rgb(0x7A5A30));
  Glow(l, px, y + 5, std::min(w, h) * 0.45f, Rgb(0xFFA040), 0.9f);
  FillEllipse(l, px, y + 5, 2, 2.5f, Rgb(0xFFF0B0));
}

void PaintDeepGate(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2, cy = y + h / 2;
  Glow(l, cx, cy, w * 0.55f, Rgb(0x8020C0), 0.8f);
  FillSd(
      l, x, y, x + w, y + h,
      [&](float px, float py) { return SdEllipse(px, py, cx, cy, w * 0.32f, h * 0.4f); },
      [&](float px, float py, float d) {
        float swirl =
            std::sin(std::atan2(py - cy, px - cx) * 3 + std::hypot(px - cx, py - cy) * 0.6f);
        return Mix(Rgb(0x05000A), Rgb(0x6030A0), Clamp01(0.5f + swirl * 0.3f + d * 0.08f));
      });
}

void PaintBeacon(Layer& l, float x, float y, float w, float h) {
  float cx = x + w / 2;
  // Smoke rises and leans with the wind; the fire sits on a pile of stones.
  for (int i = 0; i < 7; ++i) {
    float t = i / 6.0f;
    float sx = cx + std::sin(t * 3) * 3 + t * 3, sy = y + h - 9 - t * (h - 12);
    FillEllipse(l, sx, sy, 3 + t * 3, 3 + t * 2.5f, Mix(Rgb(0x888080), Rgb(0xD8D4D0), t),
                0.8f - t * 0.3f);
  }
  FillEllipse(l, cx, y + h - 3, 6, 2.5f, Rgb(0x605850));
  Glow(l, cx, y + h - 6, 6, Rgb(0xFF6020), 1);
  FillEllipse(l, cx, y + h - 6, 2, 3, Rgb(0xFFE080));
}

void PaintMerchantCart(Layer& l, float x, float y, float w, float h) {
  Light light = MapLight();
  FillEllipse(l, x + w / 2 + 2, y + h - 4, w * 0.45f, 3, Rgb(0x102010), 0.4f);
  DrawPart(l, Box(x + w / 2, y + h * 0.62f, w * 0.38f, h * 0.2f, Rgb(0x8A5A30), 1), light);
  Part cover = Ellipse(x + w / 2, y + h * 0.45f, w * 0.4f, h * 0.3f, Rgb(0xF0E0C0));
  DrawPart(l, cover, light);
  Line(l, x + w * 0.3f, y + h * 0.45f, x + w * 0.7f, y + h * 0.45f, 1, Rgb(0xC04030));
  FillEllipse(l, x + w * 0.3f, y + h * 0.85f, 2.2f, 2.2f, Rgb(0x3A2410));
  FillEllipse(l, x + w * 0.7f, y + h * 0.85f, 2.2f, 2.2f, Rgb(0x3A2410));
  FillEllipse(l, x + w * 0.5f, y + h * 0.2f, 1.8f, 1.8f, Rgb(0xFFD040));
}

void PaintShip(Layer& l, float x, float y, float w, float h) {
  Light light = MapLight();
  float cx = x + w / 2;
  FillEllipse(l, cx, y + h - 4, w * 0.48f, 2.5f, Rgb(0xD8F0FF), 0.6f);
  DrawPart(l,
           Poly({x + 1, y + h - 8, x + w - 1, y + h - 8, x + w - 4, y + h - 3, x + 4, y + h - 3},
                Rgb(0x7A4A2A)),
           light);
  Line(l, cx, y + h - 8, cx, y + 1, 1, Rgb(0x4A3020));
  FillPoly(l, {cx + 1, y + 2, cx + 8, y + h - 10, cx + 1, y + h - 10}, Rgb(0xF4F0E4));
  FillPoly(l, {cx - 1, y + 4, cx - 7, y + h - 10, cx - 1, y + h - 10}, Rgb(0xE8E0D0));
  FillPoly(l, {cx, y + 1, cx + 4, y + 2, cx, y + 3}, Rgb(0xC03030));
}

}  // namespace qv::assetgen
