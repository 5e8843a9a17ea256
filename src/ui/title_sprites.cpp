// The sparks of the title screen: they rise from the bottom or come in from the right edge,
// fly up and to the left, slow down for a while and then speed away.
#include <algorithm>

#include "ui/surfaces.h"

namespace qv::ui {
namespace {

void Seed(Game& g, TitleSprite& t) {
  t.x = Random(g, 640);
  t.y = 490;
  if (Random(g, 2) == 1) t.x = 641;
  t.kind = Random(g, 2);
  t.frame = Random(g, 6);
  t.active = 1;
  t.life = Random(g, 50) + 10;
  if (t.kind == 0) {
    t.vx = Random(g, 12) + 5;
    t.vy = Random(g, 10) + 3;
  } else {
    t.vx = Random(g, 5) + 2;
    t.vy = Random(g, 6) + 2;
  }
  // From the right edge they enter at any height, flatter and faster.
  if (t.x == 641) {
    t.y = Random(g, 480);
    t.vy -= 1;
    t.vx += 1;
  }
}

}  // namespace

void DrawTitleSprites(Game& g, Surfaces& s) {
  const int32_t fc = g.screen.frameCounter;
  gfx::Canvas cg(s.cg, *s.fonts);
  cg.LogTo(&s.cgLog);
  for (TitleSprite& t : g.frame.titleSprites) {
    if (t.active == 0) Seed(g, t);
    t.x -= t.vx;
    t.y -= t.vy;
    t.active += 1;
    if (t.active < t.life) {
      if (fc % 5 == 0) t.vx = std::max(t.vx - 1, 1);
      if (fc % 8 == 0) t.vy = std::max(t.vy - 1, 1);
    } else if (t.active > t.life) {
      if (fc % 5 == 0) t.vx += 1;
      if (fc % 3 == 0) t.vy += 1;
    }
    t.frame = (t.frame + 1) % 6;
    if (t.x > 650 || t.y < -10) {
      t.active = 0;
      continue;
    }
    const int first = t.kind == 0 ? kBigStarSlot : kSmallStarSlot;
    const gfx::Bitmap& star = s.sprites[static_cast<size_t>(first + std::clamp(t.frame, 0, 5))];
    cg.OrDraw(t.x, t.y, star);
    s.cgOffBackground.push_back({t.x, t.y, t.x + star.Width(), t.y + star.Height()});
  }
}

}  // namespace qv::ui
