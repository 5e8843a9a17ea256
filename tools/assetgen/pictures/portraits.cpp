// The player's portraits: ten folk (five races, each a man and a woman) at four stages of
// the journey. Each stage is a little older and better armed than the one before.
#include "figures.h"
#include "pictures.h"

namespace qv::assetgen {

namespace {

constexpr int kW = 237, kH = 417;  // the portrait frame of the creation panel

struct Folk {
  Col skin, hair, clothes, trim;
  Hair maleHair, femaleHair;
  bool ears, animalEars, mask, horns;
};

// 人間, QRTV団, 魔族, 獣人, 仮面 in the order of the race buttons.
const Folk kFolk[5] = {
    {Rgb(0xF0C8A0), Rgb(0x3A2818), Rgb(0x4A6A9A), Rgb(0xC8A040), Hair::kShort, Hair::kLong, false, false, false, false},
    {Rgb(0xE8C0A0), Rgb(0xC85030), Rgb(0x2A2A30), Rgb(0xE05040), Hair::kSpiky, Hair::kPonytail, false, false, false, false},
    {Rgb(0xC8B0D8), Rgb(0xE8E8F0), Rgb(0x3A2048), Rgb(0xA040C0), Hair::kShort, Hair::kLong, true, false, false, true},
    {Rgb(0xE8C090), Rgb(0xB07030), Rgb(0x5A6A30), Rgb(0xD8B060), Hair::kSpiky, Hair::kTwinTails, false, true, false, false},
    {Rgb(0xE8D0B8), Rgb(0x202028), Rgb(0x5A2A2A), Rgb(0xE0E0E8), Hair::kShort, Hair::kLong, false, false, true, false},
};

Light PortraitLight() {
  Light light;
  light.key = Rgb(0xFFF0DC);
  light.ambient = Rgb(0x484858);
  light.rim = Rgb(0x90B8FF);
  light.rimStrength = 0.9f;
  return light;
}

void PaintOne(const Sink& out, int race, bool female, int stage) {
  const Folk& f = kFolk[race];
  Layer l(kW, kH, {}, 0);
  Look lk;
  lk.height = 340 + stage * 18 - (female ? 12 : 0);
  lk.build = (female ? 0.85f : 1.0f) + stage * 0.07f;
  lk.skin = f.skin;
  lk.hairCol = f.hair;
  lk.hair = female ? f.femaleHair : f.maleHair;
  lk.ears = f.ears;
  lk.animalEars = f.animalEars;
  lk.mask = f.mask;
  lk.horns = f.horns && stage >= 1;
  lk.robe = female && (race == 2 || race == 4);
  lk.cape = stage >= 2;
  lk.beard = !female && stage == 3 && race == 0;
  // Clothes turn into leather, then steel, then steel with gold as the journey goes on.
  const Col stages[4] = {f.clothes, Mix(f.clothes, Rgb(0x7A5030), 0.5f), Mix(f.clothes, Rgb(0x9AA0B0), 0.6f), Mix(f.clothes, Rgb(0xD0D4E0), 0.7f)};
  lk.top = stages[stage];
  lk.bottom = Scale(stages[std::max(0, stage - 1)], 0.7f);
  lk.accent = stage >= 3 ? Rgb(0xF0C840) : f.trim;
  lk.pose = stage >= 2 ? Pose::kSword : Pose::kStand;
  Figure fig = BuildFigure(lk, kW / 2.0f, kH - 8);
  Light light = PortraitLight();
  if (stage >= 3) Glow(l, kW / 2.0f, kH * 0.45f, kW * 0.6f, Rgb(0x6080FF), 0.35f);
  DrawParts(l, fig.parts, light);
  if (stage >= 1) {
    // Shoulder guards from the first stage on.
    for (int s = -1; s <= 1; s += 2) {
      Part pad = Ellipse(fig.chestX + s * lk.height * 0.1f * lk.build, fig.headY + fig.headR * 1.8f, fig.headR * 0.9f, fig.headR * 0.6f,
                         stage >= 2 ? Rgb(0xB0B8C8) : Rgb(0x7A5030));
      pad.gloss = stage >= 2 ? 0.8f : 0.2f;
      DrawPart(l, pad, light);
    }
  }
  if (stage >= 2) {
    float x = fig.handLX, y = fig.handLY;
    Line(l, x, y, x + 70, y - 150, 5, Rgb(0xD8E0E8));
    Line(l, x + 1, y - 2, x + 70, y - 150, 1.2f, Rgb(0xFFFFFF));
    Line(l, x - 12, y + 6, x + 12, y - 6, 5, stage >= 3 ? Rgb(0xF0C840) : Rgb(0x6A5040));
  }
  if (stage >= 3) {
    Part gem = Ellipse(fig.chestX, fig.chestY, fig.headR * 0.3f, fig.headR * 0.3f, Rgb(0x40A0FF));
    gem.gloss = 1;
    DrawPart(l, gem, light);
  }
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
