// The inn and the two shops on land: warm rooms with their keepers behind the counter.
#include "captions.h"
#include "encounter_kit.h"
#include "figures.h"
#include "pictures.h"
#include "scenery.h"
#include "text.h"

namespace qv::assetgen {

namespace {

Light LampLight() {
  Light light;
  light.key = Rgb(0xFFD8A0);
  light.ambient = Rgb(0x584030);
  light.rim = Rgb(0xFFB060);
  light.rimStrength = 0.6f;
  return light;
}

void Counter(Layer& l, float y, Col wood) {
  Light light = LampLight();
  DrawPart(l, Box(450, y + 50, 200, 50, wood, 4), light);
  DrawPart(l, Box(450, y, 210, 8, Scale(wood, 1.2f), 3), light);
}

void Window(Layer& l, float x, float y, float w, float h, Col sky) {
  FillPoly(l, {x - 6, y - 6, x + w + 6, y - 6, x + w + 6, y + h + 6, x - 6, y + h + 6},
           Rgb(0x4A3020));
  for (int py = static_cast<int>(y); py < y + h; ++py) {
    for (int px = static_cast<int>(x); px < x + w; ++px)
      l.at(px, py) = Mix(sky, Rgb(0xFFF8E0), (py - y) / h * 0.6f);
  }
  Line(l, x + w / 2, y, x + w / 2, y + h, 4, Rgb(0x4A3020));
  Line(l, x, y + h / 2, x + w, y + h / 2, 4, Rgb(0x4A3020));
  Glow(l, x + w / 2, y + h / 2, w, Rgb(0xFFE8B0), 0.25f);
}

void Shelves(Layer& l, float x0, float x1, float y0, uint32_t seed) {
  Rng rng(seed);
  Light light = LampLight();
  for (int row = 0; row < 3; ++row) {
    float y = y0 + row * 70;
    DrawPart(l, Box((x0 + x1) / 2, y, (x1 - x0) / 2, 4, Rgb(0x6A4428), 1), light);
    for (float x = x0 + 12; x < x1 - 10; x += rng.Range(18, 30)) {
      int kind = rng.Int(3);
      Col c = Mix(Rgb(0xC04040), Rgb(0x4060C0), rng.Unit());
      if (kind == 0) {
        Part bottle = Capsule(x, y - 6, x, y - 28, 8, 5, c);
        bottle.gloss = 1;
        DrawPart(l, bottle, light);
      } else if (kind == 1) {
        DrawPart(l, Box(x, y - 14, 9, 10, Mix(Rgb(0x8A6A40), c, 0.3f), 2), light);
      } else {
        Part orb = Ellipse(x, y - 12, 8, 8, Mix(c, Rgb(0xF0E070), 0.5f));
        orb.gloss = 1;
        DrawPart(l, orb, light);
      }
    }
  }
}

void Lantern(Layer& l, float x, float y, Col c) {
  Line(l, x, 0, x, y - 16, 1.5f, Rgb(0x2A1A10));
  Glow(l, x, y, 70, Scale(c, 0.6f), 0.6f);
  FillEllipse(l, x, y, 12, 16, c);
  FillEllipse(l, x, y, 6, 9, Rgb(0xFFF8D0));
}

// やどや: a timbered room with a window on the evening, the landlady at her counter.
void Yado(Layer& l, Layer& fig) {
  Room(l, Rgb(0x8A6040), Rgb(0x7A5030), 320, 401);
  Window(l, 60, 70, 130, 110, Rgb(0xE08050));
  Lantern(l, 300, 90, Rgb(0xFFC060));
  Look lk;
  lk.height = 300;
  lk.build = 1.1f;
  lk.hair = Hair::kPonytail;
  lk.hairCol = Rgb(0x5A3020);
  lk.top = Rgb(0xC86A40);
  lk.bottom = Rgb(0x5A4030);
  lk.accent = Rgb(0xF0E0C0);
  lk.mood = Mood::kSmile;
  Figure f = BuildFigure(lk, 470, 400);
  BeginFigure(l, fig);
  DrawFigure(l, f, LampLight());
  PlaceFigure(l, fig);
  Counter(l, 330, Rgb(0x8A5A34));
  TextMask sign = RenderFitted(Caption("宿"), 36, 36);
  DrawPart(l, Box(470, 30, 40, 26, Rgb(0x3A2418), 3), LampLight());
  PaintMask(l, sign, 470 - sign.w / 2, 30 - sign.h / 2, Rgb(0xF0D8A0));
  // Keys hanging on the wall for the rooms upstairs.
  for (int i = 0; i < 5; ++i) {
    Line(l, 560.0f + i * 14, 150, 560.0f + i * 14, 170, 1.5f, Rgb(0xD8B050));
    FillEllipse(l, 560.0f + i * 14, 174, 4, 4, Rgb(0xD8B050));
  }
}

// どうぐや: shelves of bottles and orbs, the shopkeeper in an apron.
void Dougu(Layer& l, Layer& fig) {
  Room(l, Rgb(0x7A5A44), Rgb(0x6A4A34), 330, 411);
  Shelves(l, 20, 620, 110, 412);
  Lantern(l, 120, 60, Rgb(0xFFC060));
  Look lk;
  lk.height = 300;
  lk.build = 1.2f;
  lk.beard = true;
  lk.hair = Hair::kShort;
  lk.hairCol = Rgb(0x6A5A4A);
  lk.top = Rgb(0x4A6A4A);
  lk.bottom = Rgb(0x3A3A30);
  lk.accent = Rgb(0xD8C8A0);
  lk.mood = Mood::kAngry;
  lk.pose = Pose::kAkimbo;
  Figure f = BuildFigure(lk, 470, 410);
  BeginFigure(l, fig);
  DrawFigure(l, f, LampLight());
  PlaceFigure(l, fig);
  Counter(l, 340, Rgb(0x7A4A2A));
  Light light = LampLight();
  Part potion = Capsule(380, 326, 380, 300, 12, 7, Rgb(0x40C060));
  potion.gloss = 1;
  DrawPart(l, potion, light);
  Glow(l, 380, 315, 20, Rgb(0x60FF80), 0.3f);
}

// 人工屋: the wandering merchant's tent at night, lanterns and odd wares, a masked seller.
void Zinkou(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x0A0A20), Rgb(0x2A2040), 300, 0.2f, 421);
  Stars(l, 100, 260, 422);
  Ground(l, 330, Rgb(0x2A2A20), Rgb(0x3A3428), 423);
  // The tent's striped cloth.
  for (int y = 40; y < 340; ++y) {
    for (int x = 300; x < 640; ++x) {
      float u = (x - 470) / 170.0f;
      float top = 60 + std::fabs(u) * 60;
      if (y < top) continue;
      bool stripe = static_cast<int>((x - 300 + (y - 40) * 0.2f) / 24) % 2 == 0;
      Col c = stripe ? Rgb(0x8A2A3A) : Rgb(0xE0C8A0);
      l.Blend(x, y, Scale(c, 0.45f + 0.25f * (1 - std::fabs(u))), 1);
    }
  }
  for (int i = 0; i < 4; ++i)
    Lantern(l, 330.0f + i * 95, 70.0f + (i % 2) * 20, i % 2 ? Rgb(0x60D0FF) : Rgb(0xFFA040));
  Look lk;
  lk.height = 310;
  lk.garment = Garment::kRobe;
  lk.mask = true;
  lk.hair = Hair::kHood;
  lk.top = Rgb(0x3A2A5A);
  lk.bottom = Rgb(0x2A1A4A);
  lk.accent = Rgb(0xE0B040);
  lk.pose = Pose::kWide;
  Light light = MoonLight();
  light.rim = Rgb(0xFFB060);
  Figure f = BuildFigure(lk, 480, 420);
  BeginFigure(l, fig);
  DrawFigure(l, f, light);
  PlaceFigure(l, fig, Rgb(0xF0D8B0));
  // Strange wares on a cloth: gears, a clockwork bird, jars of light.
  FillPoly(l, {330, 420, 630, 420, 640, 480, 320, 480}, Rgb(0x4A2A3A));
  Rng rng(424);
  for (int i = 0; i < 7; ++i) {
    float x = 350.0f + i * 40, y = 440 + rng.Range(-5, 10);
    Part p = Ellipse(x, y, 12, 10, Mix(Rgb(0xC0A040), Rgb(0x60C0E0), rng.Unit()));
    p.gloss = 1;
    DrawPart(l, p, light);
    Glow(l, x, y, 16, p.col, 0.25f);
  }
}

}  // namespace

void PaintRooms(const Sink& out) {
  struct Entry {
    const char* file;
    void (*paint)(Layer&, Layer&);
  };
  for (const Entry& e :
       {Entry{"yado.bmp", Yado}, Entry{"dougu.bmp", Dougu}, Entry{"zinkou.bmp", Zinkou}}) {
    Layer l(640, 480);
    Layer fig(640, 480, {}, 0);
    e.paint(l, fig);
    FinishScene(l);
    SoftenWhites(l, fig);
    out.Background(e.file, l);
    out.Figure(e.file, fig);
  }
}

}  // namespace qv::assetgen
