#pragma once
// The two Japanese faces, rasterised by FreeType into a glyph cache, measured and blended
// onto bitmaps. Text comes in as UTF-8.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "gfx/bitmap.h"

namespace qv::gfx {

// Proportional is IPAPGothic (for the game's "ＭＳ Ｐゴシック"), Fixed is IPAGothic ("ＭＳ
// ゴシック").
enum class FontFace : uint8_t { Proportional, Fixed };

// What a canvas writes with: face, pixel height of the em, weight and colour.
struct Font {
  FontFace face = FontFace::Fixed;
  int32_t height = 13;  // pixels; see PointsToPixels for sizes given in points
  bool bold = false;
  Color color = 0;
  bool operator==(const Font&) const = default;
};

// A font size in points on a 96 DPI screen, as pixels (8 pt -> 11 px, 10 pt -> 13 px).
int32_t PointsToPixels(int32_t points);

// Vertical metrics of a face at one pixel height: the baseline sits `ascent` below the top of
// a text cell, and a cell is `ascent + descent` high.
struct FontMetrics {
  int32_t ascent = 0, descent = 0;
  int32_t Height() const { return ascent + descent; }
};

// Font files of the two faces; empty means "find by family name, then Debian's path".
struct FontFiles {
  std::string proportional;
  std::string fixed;
};

// Debian's font files, used when fontconfig does not know the families.
inline constexpr const char* kProportionalFallback =
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
inline constexpr const char* kFixedFallback = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// Loads the faces on first use and keeps every glyph it rasterises, keyed by face, pixel
// height, weight and code point. A missing face draws nothing and measures as empty, after one
// message on stderr. Single-threaded, like the game.
class FontLibrary {
 public:
  FontLibrary();
  explicit FontLibrary(FontFiles files);
  ~FontLibrary();
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  // The library shared by every canvas that is not given its own.
  static FontLibrary& Shared();

  // Width of the advances and the cell height of a UTF-8 text.
  Size Measure(const Font& font, std::string_view utf8);
  // Baseline and descent of a face at the font's height.
  FontMetrics Metrics(const Font& font);
  // Blends the glyphs of a UTF-8 text onto the bitmap in the font's colour, the cell's top-left
  // corner at (x, y); clipped to the bitmap. Returns the width drawn (the advance).
  int32_t Draw(Bitmap& target, int32_t x, int32_t y, const Font& font, std::string_view utf8);
  // Blends the outline of the same glyphs, one pixel wider on every side, in `outline`: drawn
  // before the text, it keeps the text readable over any picture.
  int32_t DrawOutline(Bitmap& target, int32_t x, int32_t y, const Font& font, Color outline,
                      std::string_view utf8);

  // Whether the face's file could be opened.
  bool Available(FontFace face);
  // The file a face was loaded from (empty when none).
  std::string FileOf(FontFace face);

  // With the cache off every glyph is rasterised on every use (for measuring the cache).
  void SetCacheEnabled(bool on);
  bool CacheEnabled() const;
  // How many glyphs FreeType has rasterised so far.
  int64_t RasterisedCount() const;
  // Forgets every cached glyph.
  void ClearCache();

 private:
  int32_t DrawGlyphs(Bitmap& target, int32_t x, int32_t y, const Font& font, Color color,
                     bool outline, std::string_view utf8);

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Decodes one UTF-8 code point at `pos` and advances it; malformed bytes give U+FFFD.
char32_t NextCodePoint(std::string_view utf8, size_t& pos);

}  // namespace qv::gfx
