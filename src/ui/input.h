#pragma once
// Mouse, keys and typed text of the window, routed to the form's handlers by widget: a click
// goes to the topmost visible widget under the point; keys go to the focused widget or the
// form. Positions are window pixels (0..639, 0..479); keys are Windows virtual-key codes.
#include <cstdint>
#include <string_view>

#include "core/game.h"

namespace qv::ui {

// Virtual-key codes the window hands in.
constexpr int32_t kVkBack = 8;
constexpr int32_t kVkTab = 9;
constexpr int32_t kVkEnter = 13;
constexpr int32_t kVkEscape = 27;
constexpr int32_t kVkSpace = 32;
constexpr int32_t kVkPrior = 33;  // Page Up
constexpr int32_t kVkNext = 34;   // Page Down
constexpr int32_t kVkEnd = 35;
constexpr int32_t kVkHome = 36;
constexpr int32_t kVkLeft = 37;
constexpr int32_t kVkUp = 38;
constexpr int32_t kVkRight = 39;
constexpr int32_t kVkDown = 40;
constexpr int32_t kVkDelete = 46;
constexpr int32_t kVkF1 = 112;

// A mouse button pressed at a window position (right = the right button).
void MouseDown(Game& g, int32_t x, int32_t y, bool right);
// A mouse button released; goes to the widget that took the press.
void MouseUp(Game& g, int32_t x, int32_t y, bool right);
// The mouse moved (hover highlight of the label buttons).
void MouseMove(Game& g, int32_t x, int32_t y);
// The mouse wheel over a list box scrolls it (positive = up).
void MouseWheel(Game& g, int32_t x, int32_t y, int32_t delta);
// A key pressed (Windows virtual-key code).
void KeyDown(Game& g, int32_t key);
// A key released.
void KeyUp(Game& g, int32_t key);
// Text typed or committed by the input method (UTF-8); goes to the focused name field. A
// character with no CP932 form is refused, and what would not fit is left out; a note by the
// field says which and why.
void TextInput(Game& g, std::string_view utf8);
// What the input method is composing for the focused name field (UTF-8; empty when the
// composition ends), with its caret and the segment being converted, in characters.
void TextEditing(Game& g, std::string_view utf8, int32_t caret, int32_t segment);

// The widget under a window position: the topmost visible one (W::kCount = the bare form).
W WidgetAt(const Game& g, int32_t x, int32_t y);
// True while the name field is shown and has the focus: only then does it take text (the
// host hears of every change through Host::SetTextInput).
bool TextFieldFocused(const Game& g);
// The name field's rectangle in window pixels (where the input method shows its candidates).
Rect TextFieldRect(const Game& g);

}  // namespace qv::ui
