// The seven newest text lines on grey rounded labels, then every live pop-up.
#include <algorithm>

#include "core/text.h"
#include "ui/frame_rules.h"
#include "ui/popups.h"
#include "ui/surfaces.h"

namespace qv::ui {
namespace {

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
  const int32_t y = LineRowY(m);
  const int32_t x = kLineX;
  const int32_t w = c.TextWidth(utf8);
  c.Ellipse(x + w - 10, y + 2, x + w + 7, y + 13);
  c.Rectangle(-8, y + 2, x, y + 14);
  c.font.color = LineColour(colourCode, g.screen.frameCounter + m, c.font.color);
  f.Outlined(c, x, y, utf8);
  f.Size(c, 10);
}

// The panels that may stand over the right part of the lines.
constexpr W kPanelsOverLines[] = {W::battle_box, W::com_box};

bool OverLines(const Game& g, W panel) {
  if (!IsShown(g.form, panel)) return false;
  const Rect r = AbsoluteRect(g.form, panel);
  return r.top < LineRowY(0) + kLineRowHeight && r.top + r.height > LineRowY(kShownLines - 1);
}

// Japanese: the seven newest entries as they were pushed.
void JapaneseRows(const Game& g, Surfaces& s, std::vector<LineRow>& rows) {
  for (int m = 0; m < kShownLines; ++m) {
    const LineEntry& line = g.text.lines[static_cast<size_t>(m)];
    if (line.text.empty()) continue;
    rows.push_back({s.text.Utf8(line.text), line.colourCode, m});
  }
}

// Another language lays each text out again: it breaks between words where the Japanese
// line would have been full (73 bytes of the fixed face, 79 for the log), or earlier where a
// panel stands over the lines, continuation rows indented as the Japanese ones are, and the
// seven newest rows are shown.
void TranslatedRows(const Game& g, Surfaces& s, gfx::Canvas& c, std::vector<LineRow>& rows) {
  const std::string& indent = s.text.Utf8(Sjis("　"));  // not shown: the indent
  // Room for the text and the label's rounded end.
  const int32_t room = VisibleLinesRight(g) - kLineX - kLineLabelEnd;
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
    const int32_t width =
        std::min(c.TextWidth(std::string(MaxLineBytes(line.colourCode), '0')), room);
    const std::vector<std::string>& wrapped = s.tr.Wrapped(c, s.tr.Shown(g, whole), width, indent);
    for (size_t k = wrapped.size(); k-- > 0 && row < kShownLines;)
      rows.push_back({wrapped[k], line.colourCode, row++});
  }
}

}  // namespace

int32_t VisibleLinesRight(const Game& g) {
  int32_t right = kWindowWidth;
  for (W panel : kPanelsOverLines)
    if (OverLines(g, panel)) right = std::min(right, AbsoluteRect(g.form, panel).left);
  return right;
}

std::vector<LineRow> ShownLineRows(const Game& g, Surfaces& s, gfx::Canvas& c) {
  std::vector<LineRow> rows;
  if (g.form[W::bp_box].visible) return rows;
  if (s.tr.Active()) {
    c.font.height = gfx::PointsToPixels(11);
    c.font.bold = true;
    TranslatedRows(g, s, c, rows);
  } else {
    JapaneseRows(g, s, rows);
  }
  return rows;
}

void DrawOverlay(Game& g, FrameCanvas& f) {
  for (const LineRow& r : ShownLineRows(g, f.s, f.cg)) DrawRow(g, f, r.row, r.utf8, r.colourCode);
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
