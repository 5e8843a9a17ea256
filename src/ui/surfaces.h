#pragma once
// The pictures the presentation owns and the drawing helpers every part of the frame shares.
#include <array>
#include <string_view>

#include "core/game.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/fonts.h"
#include "ui/frame_rules.h"
#include "ui/screen.h"
#include "ui/text_cache.h"

namespace qv::ui {

// The two faces by the game's names: ＭＳ ゴシック is fixed, ＭＳ Ｐゴシック proportional.
constexpr gfx::FontFace kGothic = gfx::FontFace::Fixed;
constexpr gfx::FontFace kPGothic = gfx::FontFace::Proportional;

// Sprite slots with a meaning of their own.
constexpr int kPlayerSlot = 1;       // the player's battle picture, drawn at the right edge
constexpr int kBackgroundSlot = 6;   // every background picture lands here
constexpr int kBigStarSlot = 22;     // six 20 x 20 frames of the title's big star
constexpr int kSmallStarSlot = 28;   // six 10 x 10 frames of the small one

struct Surfaces {
  gfx::FontLibrary* fonts = nullptr;
  gfx::Bitmap cg;    // the main picture
  gfx::Bitmap bak;   // the glow layer
  std::array<gfx::Bitmap, kSpriteSlots> sprites;
  std::array<gfx::Bitmap, kWidgetCount> pictures;  // pictures of picture widgets
  gfx::Bitmap window;  // the whole window, rebuilt by RenderWindow
  gfx::Bitmap scratch;  // one widget at a time, so its drawing stays inside it
  TextCache text;

  gfx::Bitmap& Background() { return sprites[kBackgroundSlot]; }
};

// The canvas of a frame: the main picture's font, brush and pen carry over from one step of
// the frame to the next, as the game relies on (a log line of unknown colour takes the colour
// in force).
struct FrameCanvas {
  Surfaces& s;
  gfx::Canvas cg;
  gfx::Canvas glow;

  explicit FrameCanvas(Surfaces& surfaces)
      : s(surfaces), cg(surfaces.cg, *surfaces.fonts), glow(surfaces.bak, *surfaces.fonts) {}

  // Font size in points, the face in force kept.
  void Size(gfx::Canvas& c, int32_t points) { c.font.height = gfx::PointsToPixels(points); }
  int32_t Width(gfx::Canvas& c, std::string_view cp932) { return c.TextWidth(s.text.Utf8(cp932)); }
  void Text(gfx::Canvas& c, int32_t x, int32_t y, std::string_view cp932) {
    c.TextOut(x, y, s.text.Utf8(cp932));
  }
  // Text over the pictures (status panel, skill help, text lines): the font's colour inside
  // an outline that stands out from it (OutlineFor), so busy or light pictures never hide it.
  void OutlinedText(gfx::Canvas& c, int32_t x, int32_t y, std::string_view cp932) {
    c.OutlinedTextOut(x, y, s.text.Utf8(cp932), OutlineFor(c.font.color));
  }
};

// Copies the part `from` of `src` unscaled and opaque with its top-left at (x, y), clipped to
// both pictures. Much cheaper than a general scaled copy; the frame does several per tick.
void CopyPixels(gfx::Bitmap& dst, int32_t x, int32_t y, const gfx::Bitmap& src, gfx::Rect from);

// Combines a picture of the same size onto another with a bitwise OR of every pixel (the glow
// layer onto the main picture); pictures of other sizes are combined over their overlap.
void OrPixels(gfx::Bitmap& dst, const gfx::Bitmap& src);

// Pen and solid brush in one colour.
inline void Paint(gfx::Canvas& c, gfx::Color colour, int32_t penWidth = 1) {
  c.pen = {colour, penWidth, gfx::PenStyle::Solid};
  c.brush = {colour, gfx::BrushStyle::Solid};
}

// The steps of one frame, in the order ComposeFrame runs them.
void DrawStatusPanel(Game& g, FrameCanvas& f);
void DrawOverlay(Game& g, FrameCanvas& f);
void DrawTitleSprites(Game& g, Surfaces& s);
void RenderWidgets(const Game& g, Surfaces& s);

}  // namespace qv::ui
