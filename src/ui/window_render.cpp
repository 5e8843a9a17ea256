// The whole window: the main picture, then every shown widget in stacking order, each clipped
// to its parents like the window system's child windows.
#include <algorithm>

#include "core/text.h"
#include "ui/name_field.h"
#include "ui/surfaces.h"
#include "ui/widget_text.h"

namespace qv::ui {
namespace {

constexpr gfx::Color kListSelection = 0x3060C0;
constexpr gfx::Color kSkillSelection = 0x5E7487;
constexpr gfx::Color kSkillMarker = 0xA9CFCF;
constexpr gfx::Color kScrollTrack = 0x2A2A2A;
constexpr gfx::Color kScrollThumb = 0x8A8A8A;

gfx::Rect ToGfx(const Rect& r) {
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

gfx::Rect Intersect(const gfx::Rect& a, const gfx::Rect& b) {
  gfx::Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

// The part of the window a widget may paint: its own rectangle inside all of its parents'.
gfx::Rect ClipOf(const Form& form, W id) {
  gfx::Rect clip{0, 0, kWindowWidth, kWindowHeight};
  for (W p = id; p != W::kCount; p = form[p].parent)
    clip = Intersect(clip, ToGfx(AbsoluteRect(form, p)));
  return clip;
}

void Fill(gfx::Canvas& c, gfx::Rect r, gfx::Color colour) {
  c.brush = {colour, gfx::BrushStyle::Solid};
  c.FillRect(r);
}

// Another language's captions wrap between words and, where a word or the lines would not fit,
// take a smaller font, so nothing is cut at the widget's edge.
void DrawCaption(const Game& g, gfx::Canvas& c, Translator& tr, const Widget& w, int32_t width,
                 int32_t height) {
  if (w.caption.empty()) return;
  c.font = WidgetFont(w);
  c.brush.style = gfx::BrushStyle::Clear;
  const std::vector<std::string> lines =
      tr.Active() ? FitLines(c, tr.Shown(g, w.caption), width, height, SmallestCaptionFont(w))
                  : LayoutLines(c, tr.Shown(g, w.caption), width, w.wordWrap);
  const int32_t lineHeight = std::max(c.TextHeight("A"), 1);
  const int32_t total = lineHeight * static_cast<int32_t>(lines.size());
  int32_t y = w.centerVertically ? (height - total) / 2 : 0;
  for (const std::string& line : lines) {
    const int32_t lw = c.TextWidth(line);
    const int32_t x = w.align == Align::Center  ? (width - lw) / 2
                      : w.align == Align::Right ? width - lw
                                                : 0;
    c.TextOut(x, y, line);
    y += lineHeight;
  }
}

// Where a row's text cell starts, centred in the row. A cell taller than the row (the item
// list's 15-pixel font in 15-pixel rows) sits a pixel high rather than low: the face's glyphs
// leave the cell's top pixel row empty, so the row then holds every pixel of them.
int32_t RowTextOffset(int32_t rowHeight, int32_t cellHeight) {
  const int32_t slack = rowHeight - cellHeight;
  return slack >= 0 ? slack / 2 : (slack - 1) / 2;
}

void DrawList(const Game& g, gfx::Canvas& c, Translator& tr, W id, int32_t width, int32_t height) {
  const Widget& w = g.form[id];
  Fill(c, {0, 0, width, height}, w.background);
  const int32_t rowHeight = ListRowHeight(g.form, id);
  const int32_t count = static_cast<int32_t>(w.lines.size());
  const int32_t rows = ListVisibleRows(g.form, id);
  const bool scrolls = count > rows;
  const int32_t textWidth = width - (scrolls ? kListScrollWidth : 0);
  const bool skills = id == W::battle_list;
  c.font = WidgetFont(w);
  const int32_t top = std::clamp<int32_t>(w.topIndex, 0, std::max(count - 1, 0));
  for (int32_t i = top; i < count && (i - top) * rowHeight < height; ++i) {
    const int32_t y = (i - top) * rowHeight;
    const bool selected = i == w.itemIndex;
    if (selected) {
      Fill(c, {0, y, textWidth, y + rowHeight}, skills ? kSkillSelection : kListSelection);
      if (skills) Fill(c, {0, y, 3, y + rowHeight}, kSkillMarker);
    }
    c.font.color = selected ? 0xFFFFFF : w.textColor;
    c.brush.style = gfx::BrushStyle::Clear;
    const std::string& line = tr.Row(g, w.lines[static_cast<size_t>(i)]);
    c.TextOut(skills ? 6 : 2, y + RowTextOffset(rowHeight, c.TextHeight("A")), line);
  }
  if (scrolls) {
    Fill(c, {textWidth, 0, width, height}, kScrollTrack);
    const int32_t thumb = std::max(height * rows / count, 12);
    const int32_t maxTop = std::max(count - rows, 1);
    const int32_t thumbTop = (height - thumb) * std::min(top, maxTop) / maxTop;
    Fill(c, {textWidth + 1, thumbTop, width - 1, thumbTop + thumb}, kScrollThumb);
  }
}

void Bevel(gfx::Canvas& c, int32_t width, int32_t height, gfx::Color light, gfx::Color dark) {
  Fill(c, {0, 0, width, 1}, light);
  Fill(c, {0, 0, 1, height}, light);
  Fill(c, {0, height - 1, width, height}, dark);
  Fill(c, {width - 1, 0, width, height}, dark);
}

void DrawEdit(const Game& g, gfx::Canvas& c, TextCache& text, const Widget& w, int32_t width,
              int32_t height) {
  Fill(c, {0, 0, width, height}, w.background);
  Bevel(c, width, height, 0x404040, 0xFFFFFF);
  DrawNameField(g, c, text, width, height);
}

// The name field's note goes in the strip of its box above the field.
void DrawFieldNote(const Game& g, Surfaces& s) {
  if (g.form.entry.note.empty()) return;
  const Rect box = AbsoluteRect(g.form, W::name_box);
  const gfx::Rect at{box.left, box.top, box.left + box.width, AbsoluteRect(g.form, W::name_l).top};
  const gfx::Rect clip = Intersect(ClipOf(g.form, W::name_box), at);
  if (clip.Width() <= 0 || clip.Height() <= 0) return;
  if (s.scratch.Width() != at.Width() || s.scratch.Height() != at.Height()) {
    s.scratch = gfx::Bitmap(at.Width(), at.Height());
  }
  gfx::Canvas c(s.scratch, *s.fonts);
  CopyPixels(s.scratch, 0, 0, s.window, at);
  DrawNameNote(g, c, s.tr);
  CopyPixels(s.window, clip.left, clip.top, s.scratch,
             {clip.left - at.left, clip.top - at.top, clip.right - at.left, clip.bottom - at.top});
}

void DrawButton(const Game& g, gfx::Canvas& c, Translator& tr, W id, int32_t width,
                int32_t height) {
  const Widget& w = g.form[id];
  Fill(c, {0, 0, width, height}, w.background);
  const bool pressed = g.form.captured == id;
  if (pressed)
    Bevel(c, width, height, 0x404040, 0xFFFFFF);
  else
    Bevel(c, width, height, 0xFFFFFF, 0x404040);
  if (!pressed) {
    Fill(c, {1, height - 2, width - 1, height - 1}, 0x808080);
    Fill(c, {width - 2, 1, width - 1, height - 1}, 0x808080);
  }
  Widget caption = w;
  caption.background = w.background;
  DrawCaption(g, c, tr, caption, width + (pressed ? 2 : 0), height + (pressed ? 2 : 0));
}

void DrawWidget(const Game& g, Surfaces& s, W id, gfx::Canvas& c, int32_t width, int32_t height) {
  const Widget& w = g.form[id];
  switch (w.kind) {
    case WidgetKind::Picture:
      c.Draw(0, 0, s.PictureOf(id));
      return;
    case WidgetKind::Panel:
      Fill(c, {0, 0, width, height}, w.background);
      return;
    case WidgetKind::Label:
    case WidgetKind::LabelButton:
      if (!w.transparent) Fill(c, {0, 0, width, height}, w.background);
      DrawCaption(g, c, s.tr, w, width, height);
      return;
    case WidgetKind::ListBox:
      DrawList(g, c, s.tr, id, width, height);
      return;
    case WidgetKind::Edit:
      DrawEdit(g, c, s.text, w, width, height);
      return;
    case WidgetKind::Button:
      DrawButton(g, c, s.tr, id, width, height);
      return;
  }
}

// Everything of a widget that its drawing reads.
bool SameLook(const Widget& a, const Widget& b) {
  return a.kind == b.kind && a.parent == b.parent && a.rect.left == b.rect.left &&
         a.rect.top == b.rect.top && a.rect.width == b.rect.width &&
         a.rect.height == b.rect.height && a.visible == b.visible && a.caption == b.caption &&
         a.background == b.background && a.textColor == b.textColor &&
         a.transparent == b.transparent && a.fontPx == b.fontPx && a.bold == b.bold &&
         a.fixedPitch == b.fixedPitch && a.align == b.align &&
         a.centerVertically == b.centerVertically && a.wordWrap == b.wordWrap &&
         a.lines == b.lines && a.itemIndex == b.itemIndex && a.topIndex == b.topIndex &&
         a.itemHeight == b.itemHeight;
}

bool SameLook(const NameEntry& a, const NameEntry& b) {
  return a.composition == b.composition && a.compositionCaret == b.compositionCaret &&
         a.compositionSegment == b.compositionSegment && a.note == b.note && a.anchor == b.anchor;
}

bool SameLook(const Form& a, const Form& b) {
  if (a.focus != b.focus || a.captured != b.captured || a.caret != b.caret) return false;
  if (!SameLook(a.entry, b.entry)) return false;
  for (size_t i = 0; i < a.widgets.size(); ++i) {
    if (!SameLook(a.widgets[i], b.widgets[i])) return false;
  }
  return true;
}

// Whether a shown widget paints every pixel of the window, hiding all that lies beneath it.
bool CoversWindow(const Form& form, const Surfaces& s, W id, const gfx::Rect& clip) {
  if (clip != gfx::Rect{0, 0, kWindowWidth, kWindowHeight}) return false;
  if (form[id].kind == WidgetKind::Panel) return true;
  if (form[id].kind != WidgetKind::Picture) return false;
  const gfx::Bitmap& picture = s.PictureOf(id);
  const gfx::Rect at = ToGfx(AbsoluteRect(form, id));
  return !picture.Transparent() && at.left <= 0 && at.top <= 0 &&
         int64_t{at.left} + picture.Width() >= kWindowWidth &&
         int64_t{at.top} + picture.Height() >= kWindowHeight;
}

// With nothing but the main picture changed in known places that no widget covers or shows
// (the title's sparks), the window takes those places from it and is otherwise as it was.
bool ShowOnlyWhatChanged(const Game& g, Surfaces& s) {
  if (!s.cgChangesKnown) return false;
  for (int i = 0; i < kWidgetCount; ++i) {
    const W id = static_cast<W>(i);
    if (id == W::cg || !IsShown(g.form, id)) continue;
    // The name field's notes and the map picture showing the main picture reach elsewhere.
    if (id == W::name_l || (id == W::cg2 && s.cg2FollowsCg)) return false;
    const gfx::Rect clip = ClipOf(g.form, id);
    if (clip.Width() <= 0 || clip.Height() <= 0) continue;
    for (const gfx::Rect& r : s.cgChanged) {
      const gfx::Rect both = Intersect(clip, r);
      if (both.Width() > 0 && both.Height() > 0) return false;
    }
  }
  for (const gfx::Rect& r : s.cgChanged) CopyPixels(s.window, r.left, r.top, s.cg, r);
  return true;
}

}  // namespace

void RenderWidgets(const Game& g, Surfaces& s) {
  const bool caretOn = g.form.focus == W::name_l && (g.screen.frameCounter / 7) % 2 == 0;
  Surfaces::Shown& shown = s.shown;
  const bool sameWidgets = shown.valid && shown.generation == s.generation &&
                           shown.caretOn == caretOn && SameLook(shown.form, g.form);
  s.windowPartly = false;
  if (sameWidgets && shown.cgVersion == s.cgVersion) {
    s.windowChanged = false;
    return;
  }
  if (sameWidgets && ShowOnlyWhatChanged(g, s)) {
    shown.cgVersion = s.cgVersion;
    s.windowChanges.swap(s.cgChanged);
    s.cgChanged.clear();
    s.windowChanged = true;
    s.windowPartly = true;
    ++s.windowSerial;
    return;
  }
  // Drawn whole below: from here on the main picture's changes can be followed again.
  s.cgChangesKnown = true;
  s.cgChanged.clear();
  // Whatever lies beneath the topmost widget that covers the whole window is never seen.
  int first = 0;
  for (int i = 0; i < kWidgetCount; ++i) {
    const W id = static_cast<W>(i);
    if (id == W::cg || !IsShown(g.form, id)) continue;
    if (CoversWindow(g.form, s, id, ClipOf(g.form, id))) first = i;
  }
  gfx::Canvas window(s.window, *s.fonts);
  if (first == 0) CopyPixels(s.window, 0, 0, s.cg, s.cg.Bounds());
  for (int i = first; i < kWidgetCount; ++i) {
    const W id = static_cast<W>(i);
    if (id == W::cg || !IsShown(g.form, id)) continue;
    const gfx::Rect clip = ClipOf(g.form, id);
    if (clip.Width() <= 0 || clip.Height() <= 0) continue;
    const gfx::Rect at = ToGfx(AbsoluteRect(g.form, id));
    const Widget& w = g.form[id];
    if (w.kind == WidgetKind::Panel) {
      Fill(window, clip, w.background);
      continue;
    }
    const gfx::Rect inside{clip.left - at.left, clip.top - at.top, clip.right - at.left,
                           clip.bottom - at.top};
    if (w.kind == WidgetKind::Picture) {
      // A picture is copied straight in, clipped like the widget.
      const gfx::Bitmap& picture = s.PictureOf(id);
      if (picture.Transparent()) {
        CopyPixelsKeyed(s.window, clip.left, clip.top, picture, inside, picture.TransparentColor());
      } else {
        CopyPixels(s.window, clip.left, clip.top, picture, inside);
      }
      continue;
    }
    // The widget draws into a copy of what lies beneath it, so nothing it draws can leave it.
    if (s.scratch.Width() != at.Width() || s.scratch.Height() != at.Height()) {
      s.scratch = gfx::Bitmap(at.Width(), at.Height());
    }
    gfx::Canvas c(s.scratch, *s.fonts);
    CopyPixels(s.scratch, 0, 0, s.window, at);
    DrawWidget(g, s, id, c, at.Width(), at.Height());
    CopyPixels(s.window, clip.left, clip.top, s.scratch, inside);
    if (id == W::name_l) DrawFieldNote(g, s);
  }
  shown.valid = true;
  shown.cgVersion = s.cgVersion;
  shown.generation = s.generation;
  shown.caretOn = caretOn;
  shown.form = g.form;
  s.windowChanged = true;
  ++s.windowSerial;
}

}  // namespace qv::ui
