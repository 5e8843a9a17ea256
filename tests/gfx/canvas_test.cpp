#include "gfx/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/fill_run.h"

namespace qv::gfx {
namespace {

constexpr Color kPen = 0xFF0000, kFill = 0x00FF00;

// The picture as rows of characters: '.' black, 'P' pen colour, 'F' brush colour, '?' other.
std::string Picture(const Bitmap& b) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const Color c = b.Pixel(x, y);
      s += c == 0 ? '.' : c == kPen ? 'P' : c == kFill ? 'F' : '?';
    }
    s += '\n';
  }
  return s;
}

Canvas PenAndBrush(Bitmap& b) {
  Canvas c(b);
  c.pen.color = kPen;
  c.brush.color = kFill;
  return c;
}

TEST(Canvas, RectangleOutlinesWithPenAndFillsWithBrushRightBottomExclusive) {
  Bitmap b(6, 5);
  Canvas c = PenAndBrush(b);
  c.Rectangle(1, 1, 5, 5);
  EXPECT_EQ(Picture(b),
            "......\n"
            ".PPPP.\n"
            ".PFFP.\n"
            ".PFFP.\n"
            ".PPPP.\n");
  // The corners may come in any order.
  Bitmap swapped(6, 5);
  Canvas c2 = PenAndBrush(swapped);
  c2.Rectangle(5, 5, 1, 1);
  EXPECT_EQ(b, swapped);
}

TEST(Canvas, RectangleWithoutPenOrBrush) {
  Bitmap b(5, 4);
  Canvas c = PenAndBrush(b);
  c.pen.style = PenStyle::Clear;
  c.Rectangle(0, 0, 4, 4);  // fills one pixel short on the right and bottom
  EXPECT_EQ(Picture(b),
            "FFF..\n"
            "FFF..\n"
            "FFF..\n"
            ".....\n");
  Bitmap hollow(4, 4);
  Canvas h = PenAndBrush(hollow);
  h.brush.style = BrushStyle::Clear;
  h.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(Picture(hollow),
            "PPPP\n"
            "P..P\n"
            "P..P\n"
            "PPPP\n");
}

TEST(Canvas, WidePenIsCentredOnTheOutline) {
  Bitmap b(8, 8);
  Canvas c = PenAndBrush(b);
  c.pen.width = 2;
  c.Rectangle(2, 2, 7, 7);  // outline pixels 2 and 6, two wide: 1..2 and 5..6
  EXPECT_EQ(Picture(b),
            "........\n"
            ".PPPPPP.\n"
            ".PPPPPP.\n"
            ".PPFFPP.\n"
            ".PPFFPP.\n"
            ".PPPPPP.\n"
            ".PPPPPP.\n"
            "........\n");
}

TEST(Canvas, EllipseIsSymmetricAndStaysInItsBox) {
  Bitmap b(9, 7);
  Canvas c = PenAndBrush(b);
  c.Ellipse(1, 1, 8, 6);
  const std::string p = Picture(b);
  EXPECT_EQ(p,
            ".........\n"
            "..PPPPP..\n"
            ".PPFFFPP.\n"
            ".PFFFFFP.\n"
            ".PPFFFPP.\n"
            "..PPPPP..\n"
            ".........\n");
  // Tiny particles (radius 1) still show.
  Bitmap dot(4, 4);
  Canvas d = PenAndBrush(dot);
  d.Ellipse(1, 1, 3, 3);
  EXPECT_EQ(Picture(dot), "....\n.PP.\n.PP.\n....\n");
}

TEST(Canvas, RoundRectRoundsOnlyTheCorners) {
  Bitmap b(8, 6);
  Canvas c = PenAndBrush(b);
  c.RoundRect(0, 0, 8, 6, 4, 4);
  const std::string p = Picture(b);
  EXPECT_EQ(p[0], '.');          // corner cut
  EXPECT_EQ(p[3], 'P');          // straight top edge
  EXPECT_EQ(p[3 * 9 + 0], 'P');  // straight left edge
  EXPECT_EQ(p[2 * 9 + 3], 'F');  // inside
}

TEST(Canvas, LinesLeaveTheEndPointAndCopeWithAnyCoordinates) {
  Bitmap b(6, 4);
  Canvas c = PenAndBrush(b);
  c.MoveTo(0, 0);
  c.LineTo(4, 0);
  c.MoveTo(0, 1);
  c.LineTo(3, 4);
  EXPECT_EQ(Picture(b),
            "PPPP..\n"
            "P.....\n"
            ".P....\n"
            "..P...\n");
  EXPECT_EQ(c.PenX(), 3);
  EXPECT_EQ(c.PenY(), 4);

  // A line between far-away points draws exactly its visible part, quickly.
  Bitmap wide(10, 3);
  Canvas w = PenAndBrush(wide);
  w.MoveTo(INT32_MIN, 1);
  w.LineTo(INT32_MAX, 1);
  EXPECT_EQ(Picture(wide), "..........\nPPPPPPPPPP\n..........\n");
  w.MoveTo(INT32_MIN, INT32_MIN);
  w.LineTo(INT32_MAX, INT32_MAX);  // crosses the picture along the diagonal
  w.MoveTo(-5, 100);
  w.LineTo(100, -5);
  EXPECT_EQ(wide.Pixel(0, 0), kPen);
}

TEST(Canvas, WidePenLineCoversItsWidthPastBothEnds) {
  Bitmap b(9, 7);
  Canvas c = PenAndBrush(b);
  c.pen.width = 3;
  c.MoveTo(2, 3);
  c.LineTo(6, 3);
  EXPECT_EQ(Picture(b),
            ".........\n"
            ".........\n"
            ".PPPPPPP.\n"
            ".PPPPPPP.\n"
            ".PPPPPPP.\n"
            ".........\n"
            ".........\n");
}

TEST(Canvas, EveryShapeIsClippedAtEveryEdge) {
  const int32_t far[] = {INT32_MIN, -100000, -3, 0, 2, 5, 100000, INT32_MAX};
  Bitmap b(5, 5);
  Canvas c = PenAndBrush(b);
  for (int32_t x1 : far)
    for (int32_t y1 : far)
      for (int32_t x2 : {INT32_MIN, -1, 3, 6, INT32_MAX})
        for (int32_t y2 : {INT32_MIN, -1, 3, 6, INT32_MAX}) {
          c.pen.width = (x1 & 3) + 1;
          c.FillRect({x1, y1, x2, y2});
          c.Rectangle(x1, y1, x2, y2);
          c.Ellipse(x1, y1, x2, y2);
          c.RoundRect(x1, y1, x2, y2, x2, y2);
          c.MoveTo(x1, y1);
          c.LineTo(x2, y2);
          c.Draw(x1, y2, b);
          c.OrDraw(x1, y1, Bitmap(3, 3, 1));
          c.CopyRect({x1, y1, x2, y2}, b, {y1, x1, y2, x2});
          c.StretchDraw({x1, y1, x2, y2}, Bitmap(2, 2, 7));
          c.TextOut(x1, y1, "あa");
        }
  // A rectangle covering the picture and beyond fills all of it.
  c.pen.width = 1;
  c.FillRect({-1, -1, 641, 481});
  EXPECT_EQ(Picture(b), std::string(5, 'F') + "\n" + std::string(5, 'F') + "\n" +
                            std::string(5, 'F') + "\n" + std::string(5, 'F') + "\n" +
                            std::string(5, 'F') + "\n");
}

// Whether the centre of pixel (x, y) lies inside or on the ellipse inscribed in the box
// [l, r) x [t, b), in exact integers (everything doubled).
bool CentreInEllipse(int64_t x, int64_t y, int64_t l, int64_t t, int64_t r, int64_t b) {
  const int64_t rx = r - l, ry = b - t;
  if (rx <= 0 || ry <= 0) return false;
  const int64_t dx = 2 * x + 1 - (l + r), dy = 2 * y + 1 - (t + b);
  return dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry;
}

TEST(Canvas, EllipsesCoverExactlyThePixelCentresInsideThem) {
  // Every box up to 24 x 24, filled without a pen and outlined with pens up to 4 wide: a pixel
  // belongs to a shape exactly when its centre lies inside or on it. The outline is the
  // ellipse of the box grown by the pen's band minus the one shrunk by the pen's width.
  for (int w = 1; w <= 24; ++w) {
    for (int h = 1; h <= 24; ++h) {
      for (int pen = 0; pen <= 4; ++pen) {
        Bitmap b(40, 40);
        Canvas c = PenAndBrush(b);
        c.pen.width = std::max(pen, 1);
        c.pen.style = pen == 0 ? PenStyle::Clear : PenStyle::Solid;
        c.Ellipse(8, 8, 8 + w, 8 + h);
        int64_t l = 8, t = 8, r = 8 + w, bottom = 8 + h;
        int64_t il = l, it = t, ir = r - 1, ib = bottom - 1;  // no pen: one pixel less
        if (pen > 0) {
          l -= pen / 2, t -= pen / 2;
          r = r - 1 - pen / 2 + pen, bottom = bottom - 1 - pen / 2 + pen;
          il = l + pen, it = t + pen, ir = r - pen, ib = bottom - pen;
        }
        for (int y = 0; y < 40; ++y) {
          for (int x = 0; x < 40; ++x) {
            const bool inner = CentreInEllipse(x, y, il, it, ir, ib);
            const Color want = inner                                               ? kFill
                               : pen > 0 && CentreInEllipse(x, y, l, t, r, bottom) ? kPen
                                                                                   : 0;
            ASSERT_EQ(b.Pixel(x, y), want)
                << w << "x" << h << " pen " << pen << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(Canvas, LinePixelsAreRoundedHalvesAwayFromTheStart) {
  // Step i of a line of n steps lies at start + i * delta / n, halves rounded away from the
  // start, for every direction within 12 pixels.
  for (int dx = -12; dx <= 12; ++dx) {
    for (int dy = -12; dy <= 12; ++dy) {
      Bitmap b(32, 32);
      Canvas c = PenAndBrush(b);
      c.MoveTo(15, 15);
      c.LineTo(15 + dx, 15 + dy);
      const int n = std::max(std::abs(dx), std::abs(dy));
      const auto at = [n](int delta, int i) {
        const int twice = 2 * i * std::abs(delta);
        return (delta < 0 ? -1 : 1) * ((twice + n) / (2 * n));
      };
      Bitmap want(32, 32);
      for (int i = 0; i < n; ++i) want.SetPixel(15 + at(dx, i), 15 + at(dy, i), kPen);
      ASSERT_EQ(Picture(b), Picture(want)) << dx << "," << dy;
    }
  }
}

TEST(Canvas, TransparentCopiesSkipTheKeyColour) {
  Bitmap sprite(3, 2, kPen);
  sprite.SetPixel(0, 1, 0x123456);  // bottom-left: the sprite's background
  sprite.SetPixel(2, 0, 0x123456);
  Bitmap b(4, 3, kFill);
  Canvas c(b);
  c.Draw(1, 1, sprite);  // not marked transparent: a plain copy
  EXPECT_EQ(b.Pixel(1, 2), 0x123456u);

  b.Fill(kFill);
  sprite.SetTransparent(true);
  EXPECT_EQ(sprite.TransparentColor(), 0x123456u);
  c.Draw(1, 1, sprite);
  EXPECT_EQ(Picture(b), "FFFF\nFPPF\nFFPP\n");

  b.Fill(kFill);
  c.DrawTransparent(-1, 0, sprite, kPen);  // an explicit key
  EXPECT_EQ(b.Pixel(1, 0), 0x123456u);
  EXPECT_EQ(b.Pixel(0, 0), kFill);
}

TEST(Canvas, OrCombineOnlyBrightens) {
  Bitmap b(3, 1, 0x102030);
  Bitmap glow(2, 1, 0);
  glow.SetPixel(1, 0, 0x0F0F0F);
  Canvas c(b);
  c.OrDraw(1, 0, glow);
  EXPECT_EQ(b.Pixel(0, 0), 0x102030u);
  EXPECT_EQ(b.Pixel(1, 0), 0x102030u);  // black adds nothing
  EXPECT_EQ(b.Pixel(2, 0), 0x1F2F3Fu);
}

TEST(Canvas, CopyRectOntoItselfShiftsLikeTheScreenShake) {
  Bitmap b(4, 1);
  for (int x = 0; x < 4; ++x) b.SetPixel(x, 0, Color(x + 1));
  Canvas c(b);
  c.CopyRect({1, 0, 5, 1}, b, {0, 0, 4, 1});
  EXPECT_EQ(b.Pixels(), (std::vector<Color>{1, 1, 2, 3}));
  // A part of another picture, scaled to twice its size.
  Bitmap src(2, 2);
  src.SetPixel(1, 1, 9);
  Bitmap big(4, 4);
  Canvas(big).CopyRect({0, 0, 4, 4}, src, {0, 0, 2, 2});
  EXPECT_EQ(big.Pixel(2, 2), 9u);
  EXPECT_EQ(big.Pixel(3, 3), 9u);
  EXPECT_EQ(big.Pixel(1, 1), 0u);
  // Cutting one frame out of a strip of sprites.
  Bitmap strip(6, 2);
  strip.SetPixel(4, 1, 5);
  Bitmap frame(2, 2);
  Canvas(frame).CopyRect({0, 0, 2, 2}, strip, {4, 0, 6, 2});
  EXPECT_EQ(frame.Pixel(0, 1), 5u);
}

// Runs painted with 32-byte stores, built as the canvas builds them for processors that have
// them.
[[gnu::target("avx2"), gnu::flatten]] void WideRun(Color* p, int64_t n, Color c) {
  FillRun<true>(p, n, c);
}

TEST(Canvas, RunsOfEveryLengthAndPlaceAreTheSameWithWideStores) {
  if (!__builtin_cpu_supports("avx2")) GTEST_SKIP() << "the processor has no 32-byte stores";
  // Guard pixels on both sides: a store that reaches past the run shows in them.
  constexpr int kRoom = 96;
  for (int64_t n = -1; n <= 70; ++n) {
    for (int at = 8; at < 16; ++at) {
      std::vector<Color> narrow(kRoom, 0x123456), wide(kRoom, 0x123456);
      FillRun<false>(narrow.data() + at, n, 0xABCDEF);
      WideRun(wide.data() + at, n, 0xABCDEF);
      ASSERT_EQ(narrow, wide) << n << " pixels at " << at;
      const int64_t painted = std::count(narrow.begin(), narrow.end(), 0xABCDEFu);
      ASSERT_EQ(painted, std::max<int64_t>(n, 0)) << n << " pixels at " << at;
    }
  }
}

TEST(Bitmap, SizesAndResize) {
  EXPECT_TRUE(Bitmap(0, 5).Empty());
  EXPECT_TRUE(Bitmap(-3, 5).Empty());
  EXPECT_TRUE(Bitmap(kMaxBitmapSide + 1, 1).Empty());
  EXPECT_TRUE(Bitmap(kMaxBitmapSide, kMaxBitmapSide).Empty());  // too many pixels
  Bitmap b(2, 2, 7);
  EXPECT_EQ(b.Pixel(-1, 0), 0u);
  b.SetPixel(2, 2, 1);  // outside: ignored
  b.Resize(3, 1, 4);
  EXPECT_EQ(b.Pixels(), (std::vector<Color>{7, 7, 4}));
}

}  // namespace
}  // namespace qv::gfx
