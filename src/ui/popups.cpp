// The pop-up catalogue. Text types bounce and fade on the main picture; graphic types are
// particle effects on the glow layer, which the frame ORs onto the picture so they only
// brighten it.
#include "ui/popups.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/frame_rules.h"
#include "ui/thick_line.h"

namespace qv::ui {
namespace {

constexpr double kDegree = 3.1415 / 180;

// ---- Text types --------------------------------------------------------------------------

// Main colour, then the fade at ages 30-31, 32-33, ... 40 and beyond.
struct TextLook {
  int32_t type;
  std::array<gfx::Color, 7> colours;
};
constexpr TextLook kTextLooks[] = {
    {16, {0xFF7070, 0xDD5050, 0xBB3030, 0x991010, 0x770000, 0x550000, 0x330000}},
    {17, {0x2F97FF, 0x1070DD, 0x0050BB, 0x003399, 0x000077, 0x000055, 0x000033}},
    {18, {0xFFACD6, 0xDD99BB, 0xBB7799, 0x995577, 0x773355, 0x551133, 0x330011}},
    {19, {0xFFFFFF, 0xDDDDDD, 0xBBBBBB, 0x999999, 0x555555, 0x333333, 0x111111}},
};

gfx::Color FadeColour(const TextLook& look, int32_t age) {
  if (age < 30) return look.colours[0];
  return look.colours[static_cast<size_t>(std::min((age - 30) / 2 + 1, 6))];
}

void DrawShadowed(FrameCanvas& f, int32_t x, int32_t y, const std::string& text,
                  gfx::Color colour) {
  gfx::Canvas& c = f.cg;
  c.font.color = 0x000000;
  f.Text(c, x + 1, y + 1, text);
  c.font.color = colour;
  f.Text(c, x, y, text);
}

void DrawNumber(FrameCanvas& f, PopupSlot& p, int32_t offset) {
  const TextLook* look = nullptr;
  for (const TextLook& l : kTextLooks) {
    if (l.type == p.type) look = &l;
  }
  gfx::Canvas& c = f.cg;
  c.brush.style = gfx::BrushStyle::Clear;
  c.font.bold = true;
  const bool recovery = p.type == 17 || p.type == 18;
  f.Size(c, recovery && p.text.size() > 3 ? 10 : 12);
  // The move shows from the next frame: this one draws where the number was.
  const int32_t y = p.y + (p.type == 19 ? 10 : 0);
  p.y += offset;
  DrawShadowed(f, p.x - f.Width(c, p.text) / 2, y, p.text, FadeColour(*look, p.age));
}

void DrawScore(FrameCanvas& f, PopupSlot& p, int32_t offset) {
  gfx::Canvas& c = f.cg;
  c.brush.style = gfx::BrushStyle::Clear;
  c.font.bold = true;
  f.Size(c, 14);
  const int32_t y = p.y + 10;
  p.y += offset;
  DrawShadowed(f, p.x - f.Width(c, p.text) / 2, y, p.text, RainbowColour(p.age));
}

// ---- Particles ---------------------------------------------------------------------------

// A particle is 11 integers of the slot's scratch; these are the ones the effects use.
enum Field { kAngle, kX, kY, kDist, kSpeed, kSize, kAge, kLength, kIndex, kFields = 11 };

struct Particle {
  int32_t* v;
  int32_t& operator[](Field f) { return v[f]; }
};

Particle ParticleAt(PopupSlot& p, int first, int i) {
  return {p.scratch.data() + first + i * kFields};
}

// First frame of an effect: seeds its particles once.
bool Seeding(PopupSlot& p) {
  if (p.scratch[0] != 0) return false;
  p.scratch[0] = 1;
  return true;
}

// The effects turn by whole degrees, and a busy battle asks for thousands of them a frame: the
// cosines and sines of the first turns are worked out once (the very same values), the rest as
// they come.
constexpr int32_t kTabledDegrees = 2048;
struct Turns {
  std::array<double, kTabledDegrees> cos, sin;
  Turns() {
    for (int32_t d = 0; d < kTabledDegrees; ++d) {
      cos[size_t(d)] = std::cos(d * kDegree);
      sin[size_t(d)] = std::sin(d * kDegree);
    }
  }
};
const Turns& TurnTable() {
  static const Turns table;
  return table;
}

int32_t CosOf(int32_t degrees, int32_t length) {
  const double c = degrees >= 0 && degrees < kTabledDegrees ? TurnTable().cos[size_t(degrees)]
                                                            : std::cos(degrees * kDegree);
  return static_cast<int32_t>(c * length);
}
int32_t SinOf(int32_t degrees, int32_t length) {
  const double s = degrees >= 0 && degrees < kTabledDegrees ? TurnTable().sin[size_t(degrees)]
                                                            : std::sin(degrees * kDegree);
  return static_cast<int32_t>(s * length);
}

// Moves every channel of `from` toward `to` by 17 a step, stopping at `to`'s value.
gfx::Color StepToward(gfx::Color from, gfx::Color to, int32_t steps) {
  const int32_t move = 17 * std::max(steps, 0);
  gfx::Color out = 0;
  for (int shift = 16; shift >= 0; shift -= 8) {
    const int32_t a = static_cast<int32_t>((from >> shift) & 0xFF);
    const int32_t b = static_cast<int32_t>((to >> shift) & 0xFF);
    const int32_t v = a > b ? std::max(a - move, b) : std::min(a + move, b);
    out |= static_cast<gfx::Color>(v) << shift;
  }
  return out;
}

void Circle(gfx::Canvas& c, int32_t x, int32_t y, int32_t r) {
  c.Ellipse(x - r, y - r, x + r, y + r);
}

// A line along `angle` from `from` to `to` pixels away from (x, y).
void Ray(gfx::Canvas& c, int32_t x, int32_t y, int32_t angle, int32_t from, int32_t to) {
  WideLine(c, x + CosOf(angle, from), y + SinOf(angle, from), x + CosOf(angle, to),
           y + SinOf(angle, to));
}

// 32: the player is hit, the whole picture flashes red for one frame.
void DrawHitFlash(FrameCanvas& f) {
  Paint(f.glow, 0xAA0000, 1);
  f.glow.Rectangle(0, 0, 640, 480);
}

// 161: four sparks fly apart from the hit and sink a little.
void DrawHitBurst(Game& g, FrameCanvas& f, PopupSlot& p) {
  constexpr int kCount = 4;
  if (Seeding(p)) {
    for (int i = 0; i < kCount; ++i) {
      Particle q = ParticleAt(p, 3, i);
      q[kX] = p.x;
      q[kY] = p.y;
      q[kAngle] = Random(g, 360);
      q[kSize] = 3 + Random(g, 3);
      q[kAge] = 1 + Random(g, 9);
      q[kSpeed] = 15 + Random(g, 5);
      q[kDist] = 0;
    }
  }
  const int32_t fc = g.screen.frameCounter;
  for (int i = 0; i < kCount; ++i) {
    Particle q = ParticleAt(p, 3, i);
    if (q[kAge] <= 0) continue;
    q[kAge] += 1;
    q[kSpeed] = std::max(q[kSpeed] - 3, 1);
    q[kDist] += q[kSpeed];
    if (fc % 8 == 0) q[kSize] = std::max(q[kSize] - 1, 1);
    q[kY] -= fc % 2;
    const int32_t a = q[kAge];
    const gfx::Color colour = a <= 6    ? 0xFF0000
                              : a <= 10 ? 0xDD2200
                              : a <= 14 ? 0xBB3300
                              : a <= 18 ? 0x992200
                              : a <= 23 ? 0x661100
                                        : 0x330000;
    Paint(f.glow, colour);
    Circle(f.glow, q[kX] + CosOf(q[kAngle], q[kDist]), q[kY] + SinOf(q[kAngle], q[kDist]),
           q[kSize]);
  }
}

// 140: eight bubbles circle upwards around the healed side.
void DrawRecoverBurst(Game& g, FrameCanvas& f, PopupSlot& p) {
  constexpr int kCount = 8;
  constexpr int kFirst = 14;
  static constexpr gfx::Color kColours[] = {0x00DDFF, 0x00BBDD, 0x0099BB, 0x007799,
                                            0x005577, 0x004455, 0x003333};
  if (Seeding(p)) {
    for (int k = 1; k <= kCount; ++k) {
      Particle q = ParticleAt(p, kFirst, k - 1);
      q[kIndex] = k;
      q[kDist] = 10 + Random(g, 5);
      q[kAngle] = 36 * k;
      q[kX] = p.x + CosOf(q[kAngle], q[kDist]);
      q[kY] = p.y + SinOf(q[kAngle], q[kDist] / 3);
      q[kSize] = 5 + Random(g, 3);
      q[kAge] = k + 1;
      q[kSpeed] = 1 + Random(g, 6);
    }
  }
  const int32_t fc = g.screen.frameCounter;
  for (int i = 0; i < kCount; ++i) {
    Particle q = ParticleAt(p, kFirst, i);
    if (q[kAge] <= 0) continue;
    q[kAge] += 1;
    const int32_t age = q[kAge];
    q[kDist] += q[kSpeed];
    q[kAngle] = 36 * q[kIndex] + 10 * age;
    q[kX] = p.x + CosOf(q[kAngle], q[kDist]);
    q[kY] = p.y + SinOf(q[kAngle], q[kDist] / 3) - q[kDist];
    if (fc % 5 == 0) {
      q[kSize] = std::max(q[kSize] - 1, 1);
      q[kSpeed] = std::max(q[kSpeed] - 1, 1);
    }
    if (age % 5 == 0) {
      if (age < 15)
        q[kSize] = std::min(q[kSize] + 1, 5);
      else if (age < 30)
        q[kSize] = std::max(q[kSize] - 1, 1);
    }
    if (age >= 30) {
      q[kAge] = 0;
      continue;
    }
    const gfx::Color pen = kColours[age % 7];
    // Half of the bubbles are filled a shade darker; a shade below black stays black.
    const int32_t darker = static_cast<int32_t>(pen) - 1118481;
    const gfx::Color fill = Random(g, 2) == 0 ? pen : static_cast<gfx::Color>(std::max(darker, 0));
    f.glow.pen = {pen, 1, gfx::PenStyle::Solid};
    f.glow.brush = {fill, gfx::BrushStyle::Solid};
    f.glow.Ellipse(q[kX] - q[kSize], q[kY] - q[kSize] + 20, q[kX], q[kY] + 20);
  }
}

// 57: the earring's blessing, a turning wreath of short rays that opens up and cools down.
void DrawEarringGlow(FrameCanvas& f, PopupSlot& p) {
  static constexpr gfx::Color kColours[] = {0xFFFFFF, 0x1BFEA3, 0x00FFFF, 0x00B3FF,
                                            0x1085EF, 0x2B62D5, 0x4646B9, 0x3E3674};
  constexpr int kRays = 12;
  const int32_t age = p.age;
  if (Seeding(p)) p.stateA = 0;
  p.stateA += 9;  // the wreath turns a little every frame
  const int32_t inner = 6 + 3 * age;
  const int32_t outer = 18 + 5 * age;
  f.glow.pen = {kColours[std::clamp((age - 2) * 8 / 14, 0, 7)], 2, gfx::PenStyle::Solid};
  for (int i = 0; i < kRays; ++i) Ray(f.glow, p.x, p.y, p.stateA + 360 * i / kRays, inner, outer);
}

// 156: the stomp, a flat shock wave of sixteen coloured spokes spreading over the ground.
void DrawStomp(FrameCanvas& f, PopupSlot& p) {
  static constexpr gfx::Color kColours[16] = {
      0xFFFFFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF8000, 0xFF0000, 0xFF00FF, 0x0080C0,
      0x808080, 0xC0C0C0, 0x80FF80, 0xFFFF80, 0xFF8080, 0x8080FF, 0x80FFFF, 0xFF80FF};
  if (Seeding(p)) {
    p.stateA = 0;   // turn of the spokes in degrees
    p.stateB = 10;  // radius of the wave
  }
  const int32_t age = p.age;
  p.stateA += 7;
  p.stateB += std::max(24 - age, 4);
  const int32_t r = p.stateB;
  for (int i = 0; i < 16; ++i) {
    const int32_t angle = p.stateA + 360 * i / 16;
    f.glow.pen = {kColours[(i + age) % 16], std::max(6 - age / 5, 1), gfx::PenStyle::Solid};
    // The wave lies on the ground: its height is a third of its width.
    WideLine(f.glow, p.x + CosOf(angle, r / 2), p.y + SinOf(angle, r / 6), p.x + CosOf(angle, r),
             p.y + SinOf(angle, r / 3));
  }
}

// The combination bursts: a ring and ten streaks. The first one collapses onto the anchor, the
// others burst out of it, each with its own start values and colours.
struct Burst {
  int32_t type;
  bool collapse;
  int32_t stateA, stateB;  // the ring's step and radius at the start
  int32_t ringPen, ringPenStep;
  int32_t lengthBase, lengthRandom, speedBase, speedRandom, distBase, distRandom, slowdown;
  int32_t streakPen;
  gfx::Color ringFrom, particleFrom, to;
};
constexpr Burst kBursts[] = {
    {189, true, 40, 500, 20, 2, 80, 40, 30, 15, 400, 10, 3, 18, 0xDDEECC, 0xEEFFDD, 0x001100},
    {191, false, 100, 100, 20, 1, 100, 20, 50, 10, 0, 5, 10, 10, 0xDDFFFF, 0xDDFFFF, 0x000011},
    {192, false, 80, 60, 16, 1, 70, 30, 40, 20, 0, 10, 8, 12, 0xDDFFFF, 0xDDFFFF, 0x002200},
    {193, false, 120, 40, 24, 1, 120, 40, 60, 10, 0, 5, 12, 9, 0xFFFFDD, 0xFFFFDD, 0x220000},
    {194, false, 140, 20, 30, 2, 140, 60, 70, 20, 10, 20, 14, 14, 0xFFFFFF, 0xFFFFFF, 0x111100},
};

void DrawBurst(Game& g, FrameCanvas& f, PopupSlot& p, const Burst& b) {
  constexpr int kCount = 10;
  gfx::Canvas& c = f.glow;
  c.brush.style = gfx::BrushStyle::Clear;
  const int32_t age = p.age;
  if (Seeding(p)) {
    p.stateA = b.stateA;
    p.stateB = b.stateB;
    for (int i = 0; i < kCount; ++i) {
      Particle q = ParticleAt(p, 3, i);
      q[kAngle] = Random(g, 360);
      q[kLength] = b.lengthBase + Random(g, b.lengthRandom);
      q[kAge] = 1 + Random(g, 9);
      q[kSpeed] = b.speedBase + Random(g, b.speedRandom);
      q[kDist] = b.distBase + Random(g, b.distRandom);
    }
  }
  const int32_t r = p.stateB;
  if (b.collapse) {
    p.stateB = r - p.stateA;
    p.stateA = std::max(p.stateA - 5, 1);
  } else {
    p.stateB = r + p.stateA;
    p.stateA = std::max(p.stateA / 2, 1);
  }
  c.pen = {StepToward(b.ringFrom, b.to, age), std::max(b.ringPen - b.ringPenStep * age, 1),
           gfx::PenStyle::Solid};
  Circle(c, p.x, p.y, r);

  for (int i = 0; i < kCount; ++i) {
    Particle q = ParticleAt(p, 3, i);
    if (q[kAge] <= 0) continue;
    q[kAge] += 1;
    q[kSpeed] = std::max(q[kSpeed] - b.slowdown, 1);
    q[kDist] += b.collapse ? -q[kSpeed] : q[kSpeed];
    q[kLength] = std::max(q[kLength] - 1, 1);
    const int32_t pa = q[kAge];
    // The brightest colour holds for the first two ages, then the streak cools step by step.
    const gfx::Color colour =
        b.collapse && pa <= 2 ? 0xFFFFEE : StepToward(b.particleFrom, b.to, pa - 3);
    c.brush = {colour, gfx::BrushStyle::Solid};
    c.pen = {colour, std::max(b.streakPen - pa, 1), gfx::PenStyle::Solid};
    const int32_t back = b.collapse ? q[kLength] / 2 : q[kLength];
    Ray(c, p.x, p.y, q[kAngle], q[kDist] - back, q[kDist] + 2 * q[kLength]);
  }
}

}  // namespace

// clang-format off
void DrawPopup(Game& g, FrameCanvas& f, PopupSlot& p, int32_t offset) {
  switch (p.type) {
    case 16: case 17: case 18: case 19: DrawNumber(f, p, offset); return;
    case 20: DrawScore(f, p, offset); return;
    case 32: DrawHitFlash(f); return;
    case 57: DrawEarringGlow(f, p); return;
    case 140: DrawRecoverBurst(g, f, p); return;
    case 156: DrawStomp(f, p); return;
    case 161: DrawHitBurst(g, f, p); return;
    default: break;
  }
  for (const Burst& b : kBursts) {
    if (b.type == p.type) DrawBurst(g, f, p, b);
  }
}
// clang-format on

}  // namespace qv::ui
