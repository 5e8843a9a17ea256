#pragma once
// Drawing onto a Bitmap with a brush, a pen and a font, after the window system's canvas:
// rectangles are right/bottom exclusive, a clear brush leaves the inside and the text
// background alone, and everything is clipped to the bitmap.
#include <string>
#include <string_view>

#include "gfx/bitmap.h"
#include "gfx/fonts.h"

namespace qv::gfx {

enum class BrushStyle : uint8_t { Solid, Clear };
enum class PenStyle : uint8_t { Solid, Clear };

// Fills insides and, when solid, the background behind text.
struct Brush {
  Color color = 0xFFFFFF;
  BrushStyle style = BrushStyle::Solid;
};

// Outlines and lines; width in pixels (0 draws as 1).
struct Pen {
  Color color = 0;
  int32_t width = 1;
  PenStyle style = PenStyle::Solid;
};

// What a canvas drew, for callers that want to know whether a picture changed and where:
// `calls` holds every drawing call with everything its pixels depend on (the bitmaps it copied
// are named by address: their owner tells when their content changes), and `area` covers every
// pixel a call may have changed, clipped to the target.
struct DrawLog {
  std::string calls;
  Rect area;

  void Clear() {
    calls.clear();
    area = {};
  }
  // Adds a changed rectangle (already clipped or not).
  void Touch(const Rect& r);
};

class Canvas {
 public:
  // Draws into `target` (which must outlive the canvas) with the shared fonts.
  explicit Canvas(Bitmap& target);
  Canvas(Bitmap& target, FontLibrary& fonts);

  Brush brush;
  Pen pen;
  Font font;

  Bitmap& Target() { return *target_; }
  // Logs every later drawing call into `log` (null: none).
  void LogTo(DrawLog* log) { log_ = log; }
  bool Logging() const { return log_ != nullptr; }
  // While sketching, every drawing call is logged as usual but changes no pixel, so that what
  // a picture would be drawn with can be compared with what it was drawn with before.
  void SetSketching(bool on) { sketching_ = on; }
  // For drawing done straight on the target: logs a call of the caller's own with the values
  // its pixels depend on and the rectangle it may change. False while sketching: then the
  // caller leaves the pixels alone.
  template <typename... Values>
  [[nodiscard]] bool Logged(char call, int64_t left, int64_t top, int64_t right, int64_t bottom,
                            const Values&... values) {
    Log(call, values...);
    LogArea(left, top, right, bottom);
    return !sketching_;
  }
  // Appends one value to a log's calls.
  static void LogValue(std::string& out, int64_t v);
  static void LogValue(std::string& out, const Rect& r);
  static void LogValue(std::string& out, const Pen& p);
  static void LogValue(std::string& out, const Brush& b);
  static void LogValue(std::string& out, const Font& f);
  static void LogValue(std::string& out, const Bitmap* b);
  static void LogValue(std::string& out, std::string_view text);
  FontLibrary& Fonts() { return *fonts_; }

  // Fills the rectangle with the brush (nothing when the brush is clear).
  void FillRect(const Rect& r);
  // Pen outline and brush inside of the rectangle (x1, y1)-(x2, y2); corners in any order.
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // The ellipse inscribed in the rectangle (x1, y1)-(x2, y2), outlined and filled.
  void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // A rectangle with corners rounded by ellipses of cornerW x cornerH.
  void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerW, int32_t cornerH);
  // Moves the pen's position without drawing.
  void MoveTo(int32_t x, int32_t y);
  // A line from the pen's position to (x, y), which becomes the new position; a one-pixel pen
  // leaves the end point itself undrawn, wider pens have round ends.
  void LineTo(int32_t x, int32_t y);
  int32_t PenX() const { return penX_; }
  int32_t PenY() const { return penY_; }

  // Writes UTF-8 text with the cell's top-left corner at (x, y); a solid brush paints the
  // cell behind the glyphs first.
  void TextOut(int32_t x, int32_t y, std::string_view utf8);
  // As TextOut, with a one-pixel outline of `outline` around the glyphs, over the brush's cell.
  void OutlinedTextOut(int32_t x, int32_t y, std::string_view utf8, Color outline);
  // Width and height of the text's cell in the current font.
  Size TextExtent(std::string_view utf8);
  int32_t TextWidth(std::string_view utf8) { return TextExtent(utf8).width; }
  int32_t TextHeight(std::string_view utf8) { return TextExtent(utf8).height; }

  // Copies `src` with its top-left corner at (x, y); skips its transparent colour when the
  // source is marked transparent.
  void Draw(int32_t x, int32_t y, const Bitmap& src);
  // Copies `src`, skipping every pixel of `transparent`.
  void DrawTransparent(int32_t x, int32_t y, const Bitmap& src, Color transparent);
  // Scales `src` into `dst` (nearest pixel), honouring its transparency like Draw.
  void StretchDraw(const Rect& dst, const Bitmap& src);
  // Copies the part `srcRect` of `src` into `dst`, scaling when the sizes differ; no
  // transparency. `src` may be this canvas's own bitmap.
  void CopyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect);
  // Combines `src` onto the bitmap with bitwise OR, its top-left corner at (x, y): black adds
  // nothing, so glow only brightens.
  void OrDraw(int32_t x, int32_t y, const Bitmap& src);

 private:
  // A solid brush paints the text's cell before the glyphs.
  void FillTextCell(int32_t x, int32_t y, std::string_view utf8);
  // Appends a call: its name and the values its pixels depend on.
  template <typename... Values>
  void Log(char call, const Values&... values) {
    if (!log_) return;
    log_->calls += call;
    (LogValue(log_->calls, values), ...);
  }
  // Adds the rectangle a call may change to the log's area.
  void LogArea(int64_t left, int64_t top, int64_t right, int64_t bottom);
  // Logs a text call with everything its glyphs depend on.
  void LogText(char call, int32_t x, int32_t y, std::string_view utf8, Color outline);

  Bitmap* target_;
  FontLibrary* fonts_;
  DrawLog* log_ = nullptr;
  bool sketching_ = false;
  int32_t penX_ = 0, penY_ = 0;
};

}  // namespace qv::gfx
