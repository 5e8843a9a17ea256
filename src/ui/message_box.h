#pragma once
// The game's modal message boxes, drawn over the window picture by our own code so that the
// Japanese text uses the game's fonts: an information box with OK, and a Yes/No question.
// The host runs it: it hands in keys and the mouse and draws it until it has an answer.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/fonts.h"

namespace qv {
struct Game;
}

namespace qv::ui {

class Translator;

enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { None, Ok, Yes, No };

class MessageBoxView {
 public:
  // `cp932Text` is the game's text; CR (or CR LF, or LF) breaks lines, long lines wrap. With
  // a translator (and the game whose texts it shows) the box speaks the player's language.
  MessageBoxView(BoxButtons buttons, std::string_view cp932Text,
                 gfx::FontLibrary& fonts = gfx::FontLibrary::Shared(), Translator* tr = nullptr,
                 const Game* g = nullptr);

  // Draws the box centred over the 640x480 window picture.
  void Draw(gfx::Bitmap& window);

  // A key (Windows virtual-key code): Enter and Space press the focused button, Y and N
  // answer a question, Escape closes an information box, arrows and Tab move the focus.
  BoxAnswer KeyDown(int32_t key);
  // A button answers when it is pressed and released with the mouse over it.
  void MouseDown(int32_t x, int32_t y);
  BoxAnswer MouseUp(int32_t x, int32_t y);
  void MouseMove(int32_t x, int32_t y);
  // The window's close button while the box is open: an information box closes with OK; a
  // question stays, because in this game neither answer is always the harmless one.
  BoxAnswer CloseRequested() const;

  int32_t ButtonCount() const { return buttons_ == BoxButtons::Ok ? 1 : 2; }
  gfx::Rect ButtonRect(int32_t index) const;
  gfx::Rect BoxRect() const { return box_; }
  int32_t Focus() const { return focus_; }
  // The text lines after wrapping (UTF-8).
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  BoxAnswer AnswerOf(int32_t button) const;
  int32_t ButtonAt(int32_t x, int32_t y) const;

  BoxButtons buttons_;
  gfx::FontLibrary& fonts_;
  std::vector<std::string> lines_;
  std::array<std::string, 2> captions_;
  gfx::Rect box_;
  int32_t lineHeight_ = 0;
  int32_t focus_ = 0;
  int32_t pressed_ = -1;
  int32_t hover_ = -1;
};

}  // namespace qv::ui
