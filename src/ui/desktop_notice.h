#pragma once
// A short message of ours (volume, mute, screenshot) in the window's top right corner, drawn
// over the finished window picture: it never touches the game's text lines, its state or a
// recording. It shows for two seconds and then fades out. A standing notice (what a click does
// after a defeat) is drawn the same way for as long as it applies.
#include <cstdint>
#include <string>

#include "gfx/bitmap.h"
#include "gfx/fonts.h"

namespace qv::ui {

class DesktopNotice {
 public:
  static constexpr int64_t kShowMs = 2000;  // at full strength
  static constexpr int64_t kFadeMs = 500;   // then fading to nothing

  explicit DesktopNotice(gfx::FontLibrary& fonts = gfx::FontLibrary::Shared()) : fonts_(fonts) {}

  // Shows `utf8` from `nowMs` on, replacing any notice still showing.
  void Show(std::string utf8, int64_t nowMs);
  // Whether a frame at `nowMs` shows something of the notice.
  bool Visible(int64_t nowMs) const;
  // Whether the window must be drawn again at `nowMs`: while the notice shows or fades, and
  // once more after it has gone so that it leaves the picture.
  bool NeedsFrame(int64_t nowMs) const;
  // Draws the notice as it looks at `nowMs` over a 640x480 window picture.
  void Draw(gfx::Bitmap& window, int64_t nowMs);

  const std::string& Text() const { return text_; }
  // The box the notice takes on the window (empty when nothing is showing).
  gfx::Rect BoxAt(int64_t nowMs) const;

 private:
  // 256 at full strength, falling to 0 at the end of the fade.
  int32_t Strength(int64_t nowMs) const;

  gfx::FontLibrary& fonts_;
  std::string text_;
  std::string shown_;  // the text as it fits the window
  int64_t shownAt_ = 0;
  bool drawnLast_ = false;  // the last frame drawn showed the notice
};

// A message of ours that stands over the middle of the window picture while the game waits on
// the player (the red screen after a defeat): framed like a notice, without fading, its lines
// ("\n" between them) centred. Returns the box it took (empty when nothing was drawn).
gfx::Rect DrawStandingNotice(gfx::Bitmap& window, const std::string& utf8,
                             gfx::FontLibrary& fonts = gfx::FontLibrary::Shared());

}  // namespace qv::ui
