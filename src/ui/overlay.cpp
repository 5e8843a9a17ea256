// The seven newest text lines on grey rounded labels, then every live pop-up.
#include "core/text.h"
#include "ui/frame_rules.h"
#include "ui/popups.h"
#include "ui/surfaces.h"

namespace qv::ui {
namespace {

constexpr int kShownLines = 7;
constexpr gfx::Color kLabelGrey = 0x555555;

// The widest line the Japanese shows unbroken: 73 bytes of text, 79 of the log.
size_t MaxLineBytes(int32_t colourCode) {
  return colourCode == 0 ? 73 : 79;
}

// One row of the lines: a grey label with a rounded right end behind the text.
void DrawRow(Game& g, FrameCanvas& f, int m, const std::string& utf8, int32_t colourCode) {
  gfx::Canvas& c = f.cg;
  Paint(c, kLabelGrey);
  f.Size(c, 11);
  c.font.bold = true;
  const int32_t y = 337 - 17 * m;
  const int32_t x = 2;
  const int32_t w = c.TextWidth(utf8);
  c.Ellipse(x + w - 10, y + 2, x + w + 7, y + 13);
  c.Rectangle(-8, y + 2, x, y + 14);
  c.font.color = LineColour(colourCode, g.screen.frameCounter + m, c.font.color);
  f.Outlined(c, x, y, utf8);
  f.Size(c, 10);
}

void DrawLines(Game& g, FrameCanvas& f) {
  for (int m = 0; m < kShownLines; ++m) {
    const LineEntry& line = g.text.lines[static_cast<size_t>(m)];
    if (line.text.empty()) continue;
    DrawRow(g, f, m, f.s.text.Utf8(line.text), line.colourCode);
  }
}

// Another language lays each text out again: it breaks between words where the Japanese
// line would have been full (73 bytes of the fixed face, 79 for the log), continuation rows
// indented as the Japanese ones are, and the seven newest rows are shown.
void DrawTranslatedLines(Game& g, FrameCanvas& f) {
  gfx::Canvas& c = f.cg;
  f.Size(c, 11);
  c.font.bold = true;
  const std::string& indent = f.s.text.Utf8(Sjis("　"));  // not shown: the indent
  int row = 0;
  for (size_t m = 0; m + 1 < kLineEntries && row < kShownLines; ++m) {
    const LineEntry& line = g.text.lines[m];
    if (line.text.empty()) {
      ++row;
      continue;
    }
    std::string_view whole = line.text;
    if (line.part == LinePart::Tail) {
      whole = line.whole;
      // Its first half is the next older entry; the pair is one text.
      if (m + 1 < kLineEntries && g.text.lines[m + 1].part == LinePart::Head &&
          g.text.lines[m + 1].whole == line.whole) {
        ++m;
      }
    } else if (line.part == LinePart::Head) {
      whole = line.whole;
    }
    const int32_t width = c.TextWidth(std::string(MaxLineBytes(line.colourCode), '0'));
    const std::vector<std::string>& rows = f.s.tr.Wrapped(c, f.s.tr.Shown(g, whole), width, indent);
    for (size_t k = rows.size(); k-- > 0 && row < kShownLines;) {
      DrawRow(g, f, row++, rows[k], line.colourCode);
      f.Size(c, 11);
      c.font.bold = true;
    }
  }
}

}  // namespace

void DrawOverlay(Game& g, FrameCanvas& f) {
  if (!g.form[W::bp_box].visible) {
    if (f.s.tr.Active())
      DrawTranslatedLines(g, f);
    else
      DrawLines(g, f);
  }
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
