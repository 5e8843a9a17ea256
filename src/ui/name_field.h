#pragma once
// The name field of character creation: typed and committed text goes in as CP932 (what
// cannot be saved is refused with a note by the field), editing keys step over whole
// characters, the input method's composition is shown until it is committed, and the host
// hears when the field takes or loses typing.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/game.h"
#include "gfx/canvas.h"
#include "ui/text_cache.h"
#include "ui/translator.h"

namespace qv::ui {

// The longest name the field takes, in CP932 bytes: sixteen keep the name, its level and its
// status tags on the status panel's line.
constexpr size_t kNameBytes = 16;
// The longest composition the field keeps, in characters around the input method's caret.
constexpr int32_t kCompositionChars = 256;

// True while the name field is shown and has the focus.
bool NameFieldFocused(const Game& g);
// Text committed by the keyboard or the input method (UTF-8), inserted at the caret.
void CommitName(Game& g, std::string_view utf8);
// The input method's composition (UTF-8) with its caret and converted segment, in characters.
void ComposeName(Game& g, std::string_view utf8, int32_t caret, int32_t segment);
// Of a very long composition the field keeps the characters around the caret: the part kept,
// with the caret and the segment moved into it. Malformed UTF-8 keeps nothing.
struct Composition {
  std::string text;
  int32_t caret = 0, segment = 0;
};
Composition KeptComposition(std::string_view utf8, int32_t caret, int32_t segment);

// An editing key pressed or released (Windows virtual-key codes); Shift makes the caret
// keys and clicks select.
void NameFieldKey(Game& g, int32_t key);
void NameFieldKeyUp(Game& g, int32_t key);
// The caret goes to the character boundary nearest `localX` pixels inside the field; a drag
// (or Shift) selects from where the caret was.
void PlaceNameCaret(Game& g, int32_t localX, bool drag);
// The field takes typing exactly while it is focused: tells the host of every change and
// drops a composition the field no longer shows.
void SyncTextInput(Game& g);

// Draws the field's text, selection, composition (underlined, the converted segment thicker)
// and caret on a canvas of the field's size.
void DrawNameField(const Game& g, gfx::Canvas& c, TextCache& text, int32_t width, int32_t height);
// The field's note in the player's language (the refused character and its number are read
// back from the note the field wrote).
std::string NoteShown(const std::string& note, const Translator& tr);
// Draws the field's note, if any, in the player's language, on a canvas of the strip of its
// box above the field.
void DrawNameNote(const Game& g, gfx::Canvas& c, const Translator& tr);

}  // namespace qv::ui
