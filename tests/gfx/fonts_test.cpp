#include "gfx/fonts.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/canvas.h"

namespace qv::gfx {
namespace {

const std::string kLine = "が襲ってきた!! ＨＰ 123/456";

TEST(Fonts, BothFacesAreFound) {
  FontLibrary fonts;
  EXPECT_TRUE(fonts.Available(FontFace::Proportional));
  EXPECT_TRUE(fonts.Available(FontFace::Fixed));
  EXPECT_NE(fonts.FileOf(FontFace::Proportional), fonts.FileOf(FontFace::Fixed));
}

TEST(Fonts, JapaneseExtentIsPositiveStableAndFollowsTheFont) {
  FontLibrary fonts;
  Font f{FontFace::Fixed, PointsToPixels(10), false, 0xFFFFFF};
  const Size s = fonts.Measure(f, kLine);
  EXPECT_GT(s.width, 0);
  EXPECT_GE(s.height, f.height);
  EXPECT_LE(s.height, f.height + 4);
  EXPECT_EQ(fonts.Measure(f, kLine), s);  // from the cache, the same answer
  // In the fixed face a full-width character is two half-width ones (at an even size, where
  // neither is rounded).
  Font even = f;
  even.height = 16;
  EXPECT_EQ(fonts.Measure(even, "あ").width, 2 * fonts.Measure(even, "A").width);
  EXPECT_EQ(fonts.Measure(f, "ABCD").width, 4 * fonts.Measure(f, "A").width);
  // Bold is at least as wide; bigger is wider; the proportional face packs "i" tighter.
  f.bold = true;
  EXPECT_GE(fonts.Measure(f, kLine).width, s.width);
  f.bold = false;
  f.height = PointsToPixels(12);
  EXPECT_GT(fonts.Measure(f, kLine).width, s.width);
  Font p = f;
  p.face = FontFace::Proportional;
  EXPECT_LT(fonts.Measure(p, "iiii").width, fonts.Measure(f, "iiii").width);
  // Nothing to measure, or a size that cannot be drawn.
  EXPECT_EQ(fonts.Measure(f, "").width, 0);
  f.height = 0;
  EXPECT_EQ(fonts.Measure(f, kLine), Size{});
}

TEST(Fonts, PointSizesAtNinetySixDpi) {
  EXPECT_EQ(PointsToPixels(8), 11);
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(11), 15);
  EXPECT_EQ(PointsToPixels(12), 16);
}

TEST(Fonts, TheCacheRasterisesEachGlyphOnce) {
  FontLibrary fonts;
  Bitmap b(200, 40);
  Font f{FontFace::Proportional, 15, true, 0xFFFFFF};
  fonts.Draw(b, 0, 0, f, "あいあいあ");
  EXPECT_EQ(fonts.RasterisedCount(), 2);
  fonts.Measure(f, "いあ");
  fonts.Draw(b, 0, 20, f, "あい");
  EXPECT_EQ(fonts.RasterisedCount(), 2);
  f.bold = false;  // another weight is another glyph
  fonts.Draw(b, 0, 0, f, "あ");
  EXPECT_EQ(fonts.RasterisedCount(), 3);

  fonts.SetCacheEnabled(false);
  fonts.Draw(b, 0, 0, f, "ああ");
  EXPECT_EQ(fonts.RasterisedCount(), 5);
  fonts.SetCacheEnabled(true);
  fonts.Draw(b, 0, 0, f, "ああ");
  fonts.Draw(b, 0, 0, f, "ああ");
  EXPECT_EQ(fonts.RasterisedCount(), 6);
}

TEST(Canvas, TextOutPaintsTheCellOnlyWithASolidBrush) {
  Bitmap b(120, 30, 0x000000);
  Canvas c(b);
  c.font = {FontFace::Fixed, 15, false, 0xFFFFFF};
  c.brush = {0x555555, BrushStyle::Solid};
  c.TextOut(2, 3, "ロード");
  const Size s = c.TextExtent("ロード");
  EXPECT_EQ(b.Pixel(2, 3), 0x555555u);
  EXPECT_EQ(b.Pixel(2 + s.width - 1, 3 + s.height - 1), 0x555555u);
  EXPECT_EQ(b.Pixel(2 + s.width, 3), 0u);
  EXPECT_EQ(b.Pixel(1, 3), 0u);
  int white = 0;
  for (Color px : b.Pixels()) white += px == 0xFFFFFF;
  EXPECT_GT(white, 10);

  Bitmap clear(120, 30, 0x000000);
  Canvas t(clear);
  t.font = c.font;
  t.brush.style = BrushStyle::Clear;
  t.TextOut(2, 3, "ロード");
  int lit = 0, grey = 0;
  for (Color px : clear.Pixels()) lit += px != 0, grey += px == 0x555555;
  EXPECT_GT(lit, 10);
  EXPECT_EQ(grey, 0);
  // Glyphs blend into the background: anti-aliased edges lie between the two colours.
  bool blended = false;
  for (Color px : clear.Pixels()) blended |= px != 0 && px != 0xFFFFFF && RedOf(px) == BlueOf(px);
  EXPECT_TRUE(blended);
}

TEST(Fonts, BadTextAndMissingFilesDrawNothingAndNeverCrash) {
  FontLibrary fonts;
  Bitmap b(50, 20);
  Font f{FontFace::Fixed, 13, false, 0xFFFFFF};
  const std::string broken =
      std::string("a\xE3\x81") + "\xFF\xC0\xAF" + "\xF4\x90\x80\x80" + "\xE3";
  EXPECT_GT(fonts.Measure(f, broken).width, 0);  // each bad byte shows as a replacement mark
  fonts.Draw(b, -30, -10, f, broken);
  fonts.Draw(b, INT32_MAX - 5, INT32_MIN, f, "あいう");

  size_t pos = 0;
  EXPECT_EQ(NextCodePoint("\xE3\x81\x82", pos), U'あ');
  EXPECT_EQ(pos, 3u);
  pos = 0;
  EXPECT_EQ(NextCodePoint("\xC0\x80", pos), U'\uFFFD');  // overlong
  pos = 0;
  EXPECT_EQ(NextCodePoint("\xED\xA0\x80", pos), U'\uFFFD');  // surrogate

  FontLibrary none(FontFiles{"/nonexistent/p.ttf", "/nonexistent/f.ttf"});
  EXPECT_FALSE(none.Available(FontFace::Fixed));
  EXPECT_EQ(none.Measure(f, "あ"), Size{});
  Bitmap untouched(10, 10, 0x123456);
  EXPECT_EQ(none.Draw(untouched, 0, 0, f, "あ"), 0);
  EXPECT_EQ(untouched, Bitmap(10, 10, 0x123456));
}

}  // namespace
}  // namespace qv::gfx
