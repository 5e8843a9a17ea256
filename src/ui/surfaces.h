#pragma once
// The pictures the presentation owns and the drawing helpers every part of the frame shares.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/fonts.h"
#include "ui/frame_rules.h"
#include "ui/screen.h"
#include "ui/text_cache.h"
#include "ui/translator.h"

namespace qv::ui {

// The two faces by the game's names: ＭＳ ゴシック is fixed, ＭＳ Ｐゴシック proportional.
constexpr gfx::FontFace kGothic = gfx::FontFace::Fixed;
constexpr gfx::FontFace kPGothic = gfx::FontFace::Proportional;

// Sprite slots with a meaning of their own.
constexpr int kPlayerSlot = 1;      // the player's battle picture, drawn at the right edge
constexpr int kBackgroundSlot = 6;  // every background picture lands here
constexpr int kBigStarSlot = 22;    // six 20 x 20 frames of the title's big star
constexpr int kSmallStarSlot = 28;  // six 10 x 10 frames of the small one

struct Surfaces {
  gfx::FontLibrary* fonts = nullptr;
  gfx::Bitmap cg;   // the main picture
  gfx::Bitmap bak;  // the glow layer
  std::array<gfx::Bitmap, kSpriteSlots> sprites;
  std::array<gfx::Bitmap, kWidgetCount> pictures;  // pictures of picture widgets
  gfx::Bitmap window;                              // the whole window, rebuilt by RenderWindow
  gfx::Bitmap scratch;  // one widget at a time, so its drawing stays inside it
  TextCache text;
  Translator tr{text};  // the texts in the player's language

  // What is on the pictures, so that no work is done for pixels that stay as they are.
  // Every change of a sprite, the background or a widget's picture counts one up.
  uint64_t generation = 0;
  // The drawing calls that made the main picture from the background, and a count that goes
  // up whenever they differ from the ones before (the picture may have changed).
  gfx::DrawLog cgLog;
  std::string lastCgCalls;
  uint64_t cgVersion = 0;
  // Whether the main picture and the glow layer are what the last frame drew (by
  // lastCgCalls), whether that frame's calls were those of the frame before, and how many
  // frames were found to repeat the picture and left it as it was.
  bool cgComposed = false;
  bool frameRepeated = false;
  uint64_t framesKept = 0;
  // While cgOverBackground holds, the main picture is the background as it was at picture
  // generation cgBackgroundGeneration except within the rectangles of cgOffBackground: it was
  // last copied whole from it and drawn on since only by the title's sparks, each of which
  // noted its rectangle. The next copy of the background then restores those alone.
  bool cgOverBackground = false;
  uint64_t cgBackgroundGeneration = 0;
  std::vector<gfx::Rect> cgOffBackground;
  // While cgChangesKnown holds, the main picture differs from what the window last showed of
  // it only within the rectangles of cgChanged (the title's copies and sparks keep the list;
  // any other drawing on the main picture ends it until the window is rendered whole again).
  bool cgChangesKnown = false;
  std::vector<gfx::Rect> cgChanged;
  // The glow layer is black except within this rectangle.
  gfx::Rect glowDirty;
  gfx::DrawLog glowLog;
  // While the map is up, its picture widget shows the main picture as the frame left it,
  // without a copy; the copy is made only when the main picture is drawn on after that.
  bool cg2FollowsCg = false;
  // The window as last rendered and what it was rendered from.
  struct Shown {
    bool valid = false;
    uint64_t cgVersion = 0, generation = 0;
    bool caretOn = false;
    Form form;
  } shown;
  bool windowChanged = true;
  // Where the last render changed the window, when it drew only there (windowPartly); else it
  // was drawn whole or not at all.
  bool windowPartly = false;
  std::vector<gfx::Rect> windowChanges;
  uint64_t windowSerial = 0;  // counts the renders that changed the window

  gfx::Bitmap& Background() { return sprites[kBackgroundSlot]; }
  // The picture a picture widget shows.
  const gfx::Bitmap& PictureOf(W id) const {
    if (id == W::cg2 && cg2FollowsCg) return cg;
    return pictures[static_cast<size_t>(id)];
  }
  // Before the main picture is drawn on outside a frame's own steps: the map picture gets its
  // own copy if it still shares the main picture.
  void DetachMapPicture() {
    if (!cg2FollowsCg) return;
    pictures[static_cast<size_t>(W::cg2)] = cg;
    cg2FollowsCg = false;
  }
  // A sprite, the background or a picture changed.
  void PicturesChanged() { ++generation; }
  // Ends a change of the main picture: counts a new version when its drawing calls differ
  // from the last ones.
  void CgDrawn() {
    cgComposed = false;
    if (cgLog.calls == lastCgCalls) return;
    lastCgCalls = cgLog.calls;
    ++cgVersion;
  }
};

// The canvas of a frame: the main picture's font, brush and pen carry over from one step of
// the frame to the next, as the game relies on (a log line of unknown colour takes the colour
// in force).
struct FrameCanvas {
  Surfaces& s;
  const Game& g;
  gfx::Canvas cg;
  gfx::Canvas glow;

  FrameCanvas(Surfaces& surfaces, const Game& game)
      : s(surfaces),
        g(game),
        cg(surfaces.cg, *surfaces.fonts),
        glow(surfaces.bak, *surfaces.fonts) {}

  // Font size in points, the face in force kept.
  void Size(gfx::Canvas& c, int32_t points) { c.font.height = gfx::PointsToPixels(points); }
  // A text drawn as it is (the player's name, numbers).
  int32_t Width(gfx::Canvas& c, std::string_view cp932) { return c.TextWidth(s.text.Utf8(cp932)); }
  void Text(gfx::Canvas& c, int32_t x, int32_t y, std::string_view cp932) {
    c.TextOut(x, y, s.text.Utf8(cp932));
  }
  // Text over the pictures (status panel, skill help, text lines): the font's colour inside
  // an outline that stands out from it (OutlineFor), so busy or light pictures never hide it.
  void OutlinedText(gfx::Canvas& c, int32_t x, int32_t y, std::string_view cp932) {
    c.OutlinedTextOut(x, y, s.text.Utf8(cp932), OutlineFor(c.font.color));
  }
  // A text drawn as it is, already UTF-8, outlined like the rest.
  void Outlined(gfx::Canvas& c, int32_t x, int32_t y, const std::string& utf8) {
    c.OutlinedTextOut(x, y, utf8, OutlineFor(c.font.color));
  }
  // A text of the game, in the player's language.
  int32_t SayWidth(gfx::Canvas& c, std::string_view cp932) {
    return c.TextWidth(s.tr.Shown(g, cp932));
  }
  void Say(gfx::Canvas& c, int32_t x, int32_t y, std::string_view cp932) {
    Outlined(c, x, y, s.tr.Shown(g, cp932));
  }
};

// Copies the part `from` of `src` unscaled and opaque with its top-left at (x, y), clipped to
// both pictures. Much cheaper than a general scaled copy; the frame does several per tick.
void CopyPixels(gfx::Bitmap& dst, int32_t x, int32_t y, const gfx::Bitmap& src, gfx::Rect from);

// Combines a picture of the same size onto another with a bitwise OR of every pixel (the glow
// layer onto the main picture); pictures of other sizes are combined over their overlap. With
// `area`, only the pixels within it.
void OrPixels(gfx::Bitmap& dst, const gfx::Bitmap& src);
void OrPixels(gfx::Bitmap& dst, const gfx::Bitmap& src, const gfx::Rect& area);

// Paints a rectangle of a picture (clipped to it) in one colour.
void FillPixels(gfx::Bitmap& dst, const gfx::Rect& area, gfx::Color c);

// Copies the part `from` of `src` with its top-left at (x, y), clipped to both pictures,
// skipping the pixels of colour `key`.
void CopyPixelsKeyed(gfx::Bitmap& dst, int32_t x, int32_t y, const gfx::Bitmap& src, gfx::Rect from,
                     gfx::Color key);

// Pen and solid brush in one colour.
inline void Paint(gfx::Canvas& c, gfx::Color colour, int32_t penWidth = 1) {
  c.pen = {colour, penWidth, gfx::PenStyle::Solid};
  c.brush = {colour, gfx::BrushStyle::Solid};
}

// The font a widget draws its text with.
inline gfx::Font WidgetFont(const Widget& w) {
  return {w.fixedPitch ? kGothic : kPGothic, w.fontPx, w.bold, w.textColor};
}
// A caption of another language may shrink to two thirds of its font, never below 9 pixels.
inline int32_t SmallestCaptionFont(const Widget& w) {
  return std::max(9, w.fontPx * 2 / 3);
}
// The scroll bar of a list that holds more rows than it shows.
constexpr int32_t kListScrollWidth = 6;
// The status panel is drawn over the whole picture.
constexpr int32_t kPanelWidth = kWindowWidth;

// The text lines: seven rows 17 pixels apart, the newest at the bottom, each on a grey label
// whose rounded right end reaches 7 pixels past the text.
constexpr int kShownLines = 7;
constexpr int32_t kLineX = 2;
constexpr int32_t kLineRowHeight = 15;
constexpr int32_t kLineLabelEnd = 7;
constexpr int32_t LineRowY(int row) {
  return 337 - 17 * row;
}
// One row of the text lines as the frame shows it (UTF-8); row 0 is the newest.
struct LineRow {
  std::string utf8;
  int32_t colourCode = 0;
  int row = 0;
};
// The rows shown now, laid out with the font of `c` (the lines' size is set on it). None
// while the character-creation panel is up.
std::vector<LineRow> ShownLineRows(const Game& g, Surfaces& s, gfx::Canvas& c);
// Where the lines stop being seen: the left edge of a panel standing over their right part
// (the battle's skill list), else the picture's right edge.
int32_t VisibleLinesRight(const Game& g);

// The skill help of the battle: right-aligned rows from the top of the picture.
constexpr int32_t kHelpRight = 455;
constexpr int32_t kHelpTop = 8;
constexpr int32_t kHelpRowHeight = 14;
// The least room between the enemy's line and the skill help for the two to read apart.
constexpr int32_t kHelpGap = 4;
// The rows of help for the chosen skill as shown (UTF-8), measured in the font `c` is left with.
std::vector<std::string> SkillHelpRows(const Game& g, Surfaces& s, gfx::Canvas& c);
// Where the enemy's line at the top left (name, element, status tags) ends.
int32_t EnemyLineRight(const Game& g, Surfaces& s, gfx::Canvas& c);

// The steps of one frame, in the order ComposeFrame runs them.
void DrawStatusPanel(Game& g, FrameCanvas& f);
void DrawOverlay(Game& g, FrameCanvas& f);
void DrawTitleSprites(Game& g, Surfaces& s);
void RenderWidgets(const Game& g, Surfaces& s);

// What of the texts on the screen does not fit its place, or has no translation (checks of a
// translation).
std::vector<std::string> AuditTexts(const Game& g, Surfaces& s);
// What a panel hides in any language: a text line running under the battle's skill list, the
// enemy's line running into the skill help.
std::vector<std::string> AuditHiddenTexts(const Game& g, Surfaces& s);

}  // namespace qv::ui
