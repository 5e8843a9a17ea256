#include "ui/name_field.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/text.h"
#include "ui/surfaces.h"
#include "ui/widget_text.h"

namespace qv::ui {
namespace {

constexpr int32_t kVkShift = 16;
constexpr int32_t kVkBack = 8;
constexpr int32_t kVkEnd = 35;
constexpr int32_t kVkHome = 36;
constexpr int32_t kVkLeft = 37;
constexpr int32_t kVkRight = 39;
constexpr int32_t kVkDelete = 46;

// The note when the name is full: in bytes that is sixteen, which a player counts as eight
// full-width or sixteen half-width characters.
constexpr const char* kFullNote = "全角8文字・半角16文字まで";
// The note for a character a save cannot hold: {char} is the character, {code} its number.
constexpr const char* kRefusedNote = "「{char}」({code})は使えません";

constexpr gfx::Color kSelection = 0x3060C0;
constexpr gfx::Color kNoteColour = 0xFF8000;
constexpr int32_t kNotePx = 12;
constexpr int32_t kTextLeft = 3;  // the text's inset from the field's left edge

size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// Byte offsets where the characters of well-formed UTF-8 start, and its size at the end.
std::vector<size_t> Utf8Starts(std::string_view utf8) {
  std::vector<size_t> out;
  for (size_t i = 0; i < utf8.size(); i += Utf8Length(static_cast<unsigned char>(utf8[i]))) {
    out.push_back(i);
  }
  out.push_back(utf8.size());
  return out;
}

uint32_t CodePoint(std::string_view ch) {
  const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(ch[i])); };
  switch (ch.size()) {
    case 1:
      return b(0);
    case 2:
      return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    case 3:
      return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    default:
      return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
  }
}

// A note's template with the refused character and its number put in.
std::string FillNote(std::string_view templ, std::string_view ch, std::string_view number) {
  std::string out(templ);
  if (const size_t at = out.find("{char}"); at != std::string::npos) out.replace(at, 6, ch);
  if (const size_t at = out.find("{code}"); at != std::string::npos) out.replace(at, 6, number);
  return out;
}

// Names the refused character by its look and its number (a font may have no glyph for it).
std::string RefusedNote(std::string_view ch) {
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(CodePoint(ch)));
  return FillNote(kRefusedNote, ch, number);
}

}  // namespace

std::string NoteShown(const std::string& note, const Translator& tr) {
  if (!tr.Active()) return note;
  if (note == kFullNote) return tr.Own(kFullNote);
  const std::string_view open = "「";  // not shown: read back from the note
  const std::string_view mid = "」(";  // not shown: read back from the note
  const size_t at = note.find(mid);
  const size_t close = note.find(')', at == std::string::npos ? note.size() : at);
  if (!note.starts_with(open) || at == std::string::npos || close == std::string::npos) return note;
  const std::string_view n(note);
  return FillNote(tr.Own(kRefusedNote), n.substr(open.size(), at - open.size()),
                  n.substr(at + mid.size(), close - at - mid.size()));
}

namespace {

bool IsControl(std::string_view ch) {
  return ch.size() == 1 && (static_cast<unsigned char>(ch[0]) < 0x20 || ch[0] == 0x7F);
}

// CP932 bytes a UTF-8 text would take; a character without a CP932 form counts as two.
size_t Cp932Size(std::string_view utf8) {
  size_t total = 0;
  const std::vector<size_t> starts = Utf8Starts(utf8);
  for (size_t i = 0; i + 1 < starts.size(); ++i) {
    const std::optional<std::string> bytes =
        Utf8ToCp932(utf8.substr(starts[i], starts[i + 1] - starts[i]));
    total += bytes ? bytes->size() : 2;
  }
  return total;
}

std::string& Text(Game& g) {
  return g.form[W::name_l].caption;
}

// The largest character boundary at or before `at`, so a byte position can never fall
// inside a double-byte character.
size_t Boundary(std::string_view text, int32_t at) {
  const std::vector<size_t> bounds = Cp932Boundaries(text);
  const size_t want =
      static_cast<size_t>(std::clamp<int32_t>(at, 0, static_cast<int32_t>(text.size())));
  return *(std::upper_bound(bounds.begin(), bounds.end(), want) - 1);
}

struct Selection {
  size_t from = 0, to = 0;
  bool Empty() const { return from == to; }
};

Selection SelectionOf(const Game& g) {
  const std::string& text = g.form[W::name_l].caption;
  const size_t caret = Boundary(text, g.form.caret);
  const size_t anchor = g.form.entry.anchor < 0 ? caret : Boundary(text, g.form.entry.anchor);
  return {std::min(caret, anchor), std::max(caret, anchor)};
}

void MoveCaret(Game& g, size_t to, bool extend) {
  if (extend && g.form.entry.anchor < 0) g.form.entry.anchor = g.form.caret;
  if (!extend) g.form.entry.anchor = -1;
  g.form.caret = static_cast<int32_t>(to);
}

void EraseSelection(Game& g, const Selection& s) {
  Text(g).erase(s.from, s.to - s.from);
  g.form.caret = static_cast<int32_t>(s.from);
  g.form.entry.anchor = -1;
}

void DropComposition(NameEntry& e) {
  e.composition.clear();
  e.compositionCaret = 0;
  e.compositionSegment = 0;
}

}  // namespace

bool NameFieldFocused(const Game& g) {
  return g.form.focus == W::name_l && IsShown(g.form, W::name_l);
}

void CommitName(Game& g, std::string_view utf8) {
  if (!NameFieldFocused(g)) return;
  NameEntry& e = g.form.entry;
  // A commit ends whatever the input method was composing.
  DropComposition(e);
  e.note.clear();
  const Selection selected = SelectionOf(g);
  const size_t room =
      kNameBytes - std::min(kNameBytes, Text(g).size() - (selected.to - selected.from));
  std::string accepted;
  const std::vector<size_t> starts = Utf8Starts(utf8);
  for (size_t i = 0; i + 1 < starts.size(); ++i) {
    const std::string_view ch = utf8.substr(starts[i], starts[i + 1] - starts[i]);
    // Control characters would break the save file's lines; a cut-off character is no text.
    if (!IsUtf8(ch) || IsControl(ch)) continue;
    const std::optional<std::string> bytes = Utf8ToCp932(ch);
    if (!bytes || bytes->empty()) {
      if (e.note.empty()) e.note = RefusedNote(ch);
      continue;
    }
    // The rest of a commit that does not fit is left out whole, never half a character.
    if (accepted.size() + bytes->size() > room) {
      if (e.note.empty()) e.note = kFullNote;
      break;
    }
    accepted += *bytes;
  }
  // A refused commit leaves the name as it was, selection included.
  if (accepted.empty()) return;
  EraseSelection(g, selected);
  Text(g).insert(selected.from, accepted);
  g.form.caret = static_cast<int32_t>(selected.from + accepted.size());
}

Composition KeptComposition(std::string_view utf8, int32_t caret, int32_t segment) {
  if (!IsUtf8(utf8)) return {};
  const std::vector<size_t> starts = Utf8Starts(utf8);
  const int32_t count = static_cast<int32_t>(starts.size()) - 1;
  caret = std::clamp(caret, 0, count);
  segment = std::clamp(segment, 0, count - caret);
  const int32_t first =
      std::clamp(caret - kCompositionChars / 2, 0, std::max(count - kCompositionChars, 0));
  const int32_t last = std::min(count, first + kCompositionChars);
  const size_t from = starts[static_cast<size_t>(first)];
  return {std::string(utf8.substr(from, starts[static_cast<size_t>(last)] - from)), caret - first,
          std::min(segment, last - caret)};
}

void ComposeName(Game& g, std::string_view utf8, int32_t caret, int32_t segment) {
  if (!NameFieldFocused(g)) return;
  NameEntry& e = g.form.entry;
  Composition kept = KeptComposition(utf8, caret, segment);
  e.composition = std::move(kept.text);
  e.compositionCaret = kept.caret;
  e.compositionSegment = kept.segment;
  if (e.composition.empty()) return;
  // Said while composing, so the player knows before committing.
  const Selection selected = SelectionOf(g);
  const bool fits = Text(g).size() - (selected.to - selected.from) + Cp932Size(utf8) <= kNameBytes;
  if (!fits)
    e.note = kFullNote;
  else if (e.note == kFullNote)
    e.note.clear();
}

void NameFieldKey(Game& g, int32_t key) {
  NameEntry& e = g.form.entry;
  if (key == kVkShift) {
    e.shift = true;
    return;
  }
  const std::string& text = Text(g);
  const std::vector<size_t> bounds = Cp932Boundaries(text);
  const size_t here = Boundary(text, g.form.caret);
  auto at = std::lower_bound(bounds.begin(), bounds.end(), here);
  const size_t before = at == bounds.begin() ? here : *(at - 1);
  const size_t after = at + 1 == bounds.end() ? here : *(at + 1);
  const Selection selected = SelectionOf(g);
  // While composing, an input method keeps the editing keys; when one reaches the field, the
  // input method composes no more (it has gone), and its last composition goes too.
  if (key == kVkBack || key == kVkDelete || (key >= kVkEnd && key <= kVkRight)) DropComposition(e);
  switch (key) {
    case kVkBack:
    case kVkDelete:
      e.note.clear();
      if (!selected.Empty())
        EraseSelection(g, selected);
      else if (key == kVkBack)
        EraseSelection(g, {before, here});
      else
        EraseSelection(g, {here, after});
      return;
    case kVkLeft:
      MoveCaret(g, before, e.shift);
      return;
    case kVkRight:
      MoveCaret(g, after, e.shift);
      return;
    case kVkHome:
      MoveCaret(g, 0, e.shift);
      return;
    case kVkEnd:
      MoveCaret(g, text.size(), e.shift);
      return;
    default:
      g.form.caret = static_cast<int32_t>(here);
      return;
  }
}

void NameFieldKeyUp(Game& g, int32_t key) {
  if (key == kVkShift) g.form.entry.shift = false;
}

void PlaceNameCaret(Game& g, int32_t localX, bool drag) {
  const Widget& w = g.form[W::name_l];
  gfx::Bitmap none;
  gfx::Canvas c(none);
  c.font = {kPGothic, w.fontPx, w.bold, w.textColor};
  int32_t best = 0, bestDistance = INT32_MAX;
  for (size_t b : Cp932Boundaries(w.caption)) {
    const int32_t x = 3 + c.TextWidth(Cp932ToUtf8(std::string_view(w.caption).substr(0, b)));
    if (std::abs(x - localX) < bestDistance) {
      bestDistance = std::abs(x - localX);
      best = static_cast<int32_t>(b);
    }
  }
  MoveCaret(g, static_cast<size_t>(best), drag || g.form.entry.shift);
}

void SyncTextInput(Game& g) {
  NameEntry& e = g.form.entry;
  const bool on = NameFieldFocused(g);
  if (!on) {
    // The input method forgets its composition when the field loses the keyboard; the field
    // forgets it too, so a name holds only what was committed.
    DropComposition(e);
    e.note.clear();
    e.shift = false;
  }
  if (on == e.typing) return;
  e.typing = on;
  if (g.host) g.host->SetTextInput(on, AbsoluteRect(g.form, W::name_l));
}

void DrawNameField(const Game& g, gfx::Canvas& c, TextCache& text, int32_t width, int32_t height) {
  const Widget& w = g.form[W::name_l];
  const NameEntry& e = g.form.entry;
  const std::string_view caption = w.caption;
  c.font = {kPGothic, w.fontPx, w.bold, w.textColor};
  c.brush.style = gfx::BrushStyle::Clear;
  const int32_t textHeight = c.TextHeight("A");
  const int32_t y = (height - textHeight) / 2;
  const size_t caret = Boundary(caption, g.form.caret);
  const bool composing = !e.composition.empty();
  // Pixel offsets from the text's start: the caret and the composition.
  const int32_t head = c.TextWidth(text.Utf8(caption.substr(0, caret)));
  const std::vector<size_t> starts = Utf8Starts(e.composition);
  const auto compositionX = [&](int32_t chars) {
    const size_t at = starts[static_cast<size_t>(
        std::clamp<int32_t>(chars, 0, static_cast<int32_t>(starts.size()) - 1))];
    return head + c.TextWidth(std::string_view(e.composition).substr(0, at));
  };
  const int32_t caretX = composing ? compositionX(e.compositionCaret + e.compositionSegment) : head;
  // A text wider than the field scrolls so the caret stays in view.
  const int32_t x0 = kTextLeft - std::max(0, caretX - (width - 2 * kTextLeft));
  const auto fill = [&](int32_t left, int32_t top, int32_t right, int32_t bottom,
                        gfx::Color colour) {
    c.brush = {colour, gfx::BrushStyle::Solid};
    c.FillRect({left, top, right, bottom});
    c.brush.style = gfx::BrushStyle::Clear;
  };
  if (!composing) {
    c.TextOut(x0, y, text.Utf8(caption));
    const Selection s = SelectionOf(g);
    if (!s.Empty()) {
      const int32_t from = c.TextWidth(text.Utf8(caption.substr(0, s.from)));
      const int32_t to = c.TextWidth(text.Utf8(caption.substr(0, s.to)));
      fill(x0 + from, y, x0 + to, y + textHeight, kSelection);
      c.font.color = 0xFFFFFF;
      c.TextOut(x0 + from, y, text.Utf8(caption.substr(s.from, s.to - s.from)));
      c.font.color = w.textColor;
    }
  } else {
    const int32_t end = compositionX(static_cast<int32_t>(starts.size()) - 1);
    c.TextOut(x0, y, text.Utf8(caption.substr(0, caret)));
    c.TextOut(x0 + head, y, e.composition);
    c.TextOut(x0 + end, y, text.Utf8(caption.substr(caret)));
    // The whole composition underlined, the segment being converted twice as thick.
    const int32_t line = std::min(y + textHeight, height - 3);
    fill(x0 + head, line, x0 + end, line + 1, w.textColor);
    if (e.compositionSegment > 0) {
      fill(x0 + compositionX(e.compositionCaret), line,
           x0 + compositionX(e.compositionCaret + e.compositionSegment), line + 2, w.textColor);
    }
  }
  // The cursor blinks about twice a second while the field has the focus; it stays off while
  // a segment is being converted.
  if (g.form.focus == W::name_l && (!composing || e.compositionSegment == 0) &&
      (g.screen.frameCounter / 7) % 2 == 0) {
    fill(x0 + caretX, y, x0 + caretX + 1, y + textHeight, 0x000000);
  }
}

void DrawNameNote(const Game& g, gfx::Canvas& c, const Translator& tr) {
  const std::string& note = g.form.entry.note;
  if (note.empty()) return;
  c.font = {kPGothic, kNotePx, false, kNoteColour};
  c.brush.style = gfx::BrushStyle::Clear;
  c.TextOut(4, 6, NoteShown(note, tr));
}

}  // namespace qv::ui
