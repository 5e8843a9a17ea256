// The seven newest text lines on grey rounded labels, then every live pop-up.
#include "core/text.h"
#include "ui/frame_rules.h"
#include "ui/popups.h"
#include "ui/surfaces.h"

namespace qv::ui {
namespace {

constexpr int kShownLines = 7;
constexpr gfx::Color kLabelGrey = 0x555555;

void DrawLines(Game& g, FrameCanvas& f) {
  gfx::Canvas& c = f.cg;
  for (int m = 0; m < kShownLines; ++m) {
    const LineEntry& line = g.text.lines[static_cast<size_t>(m)];
    if (line.text.empty()) continue;
    Paint(c, kLabelGrey);
    f.Size(c, 11);
    c.font.bold = true;
    const int32_t y = 337 - 17 * m;
    const int32_t x = 2;
    const int32_t w = f.Width(c, line.text);
    // A grey label with a rounded right end behind the text.
    c.Ellipse(x + w - 10, y + 2, x + w + 7, y + 13);
    c.Rectangle(-8, y + 2, x, y + 14);
    c.font.color = LineColour(line.colourCode, g.screen.frameCounter + m, c.font.color);
    f.OutlinedText(c, x, y, line.text);
    f.Size(c, 10);
  }
}

}  // namespace

void DrawOverlay(Game& g, FrameCanvas& f) {
  if (!g.form[W::bp_box].visible) DrawLines(g, f);
  for (PopupSlot& p : g.text.popups) {
    if (p.age < 1) continue;
    p.age += 1;
    const int32_t age = p.age;
    DrawPopup(g, f, p, BounceOffset(age));
    if (PopupAgesTwice(p.type)) p.age += 1;
    const int32_t lifetime = PopupLifetime(p.type);
    if (lifetime >= 0 && age > lifetime) p.age = 0;
    f.glow.brush.style = gfx::BrushStyle::Solid;
  }
}

}  // namespace qv::ui
