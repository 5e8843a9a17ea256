#include "core/text_lines.h"

#include "core/game.h"
#include "core/text.h"

namespace qv {
namespace {

// Lines the player can clear; the last entry only catches what scrolls off.
constexpr int kClearableLines = 20;

// Dialogue wraps at 73 bytes (72 on the first line); the log at 79 (78).
constexpr size_t kTextLineLimit = 73;
constexpr size_t kLogLineLimit = 79;

struct NamedColour {
  std::string_view name;
  int32_t code;
};
constexpr NamedColour kLogColours[] = {
    {"green", 301},  {"yellow", 302}, {"blue", 303},  {"pink", 304},
    {"purple", 305}, {"aqua", 306},   {"red", 307},   {"yellow2", 308},
    {"orange", 309}, {"pink2", 310},  {"blue2", 312}, {"rainbow", 313},
};

bool Stopped(const Game& g) {
  return g.text.formActive == -1;
}

void Push(Game& g, std::string text, int32_t code, LinePart part = LinePart::Whole,
          std::string_view whole = {}) {
  auto& lines = g.text.lines;
  for (int i = kLineEntries - 1; i >= 1; --i)
    lines[static_cast<size_t>(i)] = std::move(lines[static_cast<size_t>(i - 1)]);
  lines[0] = LineEntry{std::move(text), code, part, std::string(whole)};
}

// Where the first line of a wrapped text ends: at `limit - 1` bytes, or one byte earlier when
// that would cut a two-byte character in half (the whole character moves to the second line).
size_t HeadLength(std::string_view text, size_t head) {
  size_t i = 0;
  while (i < head) {
    const size_t len = Cp932CharLength(text, i);
    if (i + len > head) return i;
    i += len;
  }
  return head;
}

// Pushes a text as one line, or as a head and an indented tail when it is too long. The tail is
// not wrapped again, so a very long text leaves a long second line.
void PushWrapped(Game& g, std::string_view text, int32_t code, size_t limit) {
  if (text.size() <= limit) {
    Push(g, std::string(text), code);
    return;
  }
  std::string padded(text);
  if (padded.size() % 2 == 1) padded.push_back(' ');
  const size_t head = HeadLength(padded, limit - 1);
  Push(g, padded.substr(0, head), code, LinePart::Head, text);
  Push(g, Sjis("　") + padded.substr(head), code, LinePart::Tail, text);  // not shown: an indent
}

}  // namespace

int32_t ColourCodeOf(std::string_view colourName) {
  for (const NamedColour& c : kLogColours) {
    if (c.name == colourName) return c.code;
  }
  return 4;
}

void ClearTextLines(Game& g) {
  if (Stopped(g)) return;
  for (int i = 0; i < kClearableLines; ++i) g.text.lines[static_cast<size_t>(i)] = LineEntry{};
}

void AddTextLine(Game& g, std::string_view text) {
  if (Stopped(g)) return;
  PushWrapped(g, text, 0, kTextLineLimit);
}

void AddTextLineRaw(Game& g, std::string_view text) {
  if (Stopped(g)) return;
  PushWrapped(g, text, 0, kTextLineLimit);
  g.battle.paused = 1;
}

void AddLogLine(Game& g, std::string_view text, std::string_view colourName) {
  if (Stopped(g)) return;
  PushWrapped(g, text, ColourCodeOf(colourName), kLogLineLimit);
}

void SpawnPopup(Game& g, int32_t x, int32_t y, int32_t type, std::string_view text) {
  TextState& t = g.text;
  // Round robin: the slot after the last one used is taken even when it is still alive.
  t.popupCursor += 1;
  if (t.popupCursor > kPopups - 1 || t.popupCursor < 0) t.popupCursor = 0;
  if (type >= 16 && type <= 19) {
    x += 10;
    y -= 25;
  }
  PopupSlot& p = t.popups[static_cast<size_t>(t.popupCursor)];
  p.age = 1;
  p.type = type;
  p.x = x;
  p.y = y;
  p.text = std::string(text);
  p.stateA = 0;
  p.stateB = 0;
  p.scratch[0] = 0;
}

void SpawnSidePopup(Game& g, int32_t side, int32_t type, std::string_view text) {
  if (side != 0 && side != 1) return;
  const int32_t x = 100 + Random(g, 50);
  const int32_t y = (side == 0 ? 390 : 50) + Random(g, 20);
  SpawnPopup(g, x, y, type, text);
}

void ClearPopups(Game& g) {
  for (PopupSlot& p : g.text.popups) p.age = 0;
  g.text.popupCursor = 0;
}

void ShowCommandBox(Game& g, std::string_view c1, std::string_view c2, std::string_view c3,
                    std::string_view s4, std::string_view s5) {
  g.text.commandStrings = {std::string(c1), std::string(c2), std::string(c3), std::string(s4),
                           std::string(s5)};
  g.form[W::l_btn_com1].caption = std::string(c1);
  g.form[W::l_btn_com2].caption = std::string(c2);
  g.form[W::l_btn_com3].caption = std::string(c3);
  Widget& box = g.form[W::com_box];
  box.rect.left = 304;
  box.rect.top = 368;
  box.visible = true;
}

void SetItemMessage(Game& g, std::string_view text) {
  g.form[W::item_l4].caption = std::string(text);
}
void ShowMapButton(Game& g) {
  g.form[W::map_b1].visible = true;
}
void HideMapButton(Game& g) {
  g.form[W::map_b1].visible = false;
}

}  // namespace qv
