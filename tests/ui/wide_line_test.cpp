#include <gtest/gtest.h>

#include "ui/thick_line.h"
#include "ui_fixture.h"

namespace qv::ui {
namespace {

TEST(WideLine, CoversTheStrokeWithRoundEnds) {
  gfx::Bitmap b(40, 20, 0);
  gfx::Canvas c(b);
  c.pen = {0xFFFFFF, 4, gfx::PenStyle::Solid};
  WideLine(c, 10, 10, 30, 10);
  // Four rows thick along the body, nothing beyond the round ends.
  for (int x = 10; x <= 30; ++x) {
    for (int y = 8; y <= 11; ++y) EXPECT_EQ(b.Pixel(x, y), 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(b.Pixel(x, 6), 0u);
    EXPECT_EQ(b.Pixel(x, 13), 0u);
  }
  EXPECT_EQ(b.Pixel(7, 10), 0u);
  EXPECT_EQ(b.Pixel(33, 10), 0u);
  EXPECT_EQ(b.Pixel(8, 8), 0u);  // the corner of a square end stays dark
}

TEST(WideLine, DiagonalStrokeIsAsWideAsItsPen) {
  gfx::Bitmap b(100, 100, 0);
  gfx::Canvas c(b);
  c.pen = {0x00FF00, 10, gfx::PenStyle::Solid};
  WideLine(c, 20, 20, 80, 80);
  EXPECT_EQ(b.Pixel(50, 50), 0x00FF00u);
  EXPECT_EQ(b.Pixel(53, 47), 0x00FF00u);  // within 5 pixels of the line
  EXPECT_EQ(b.Pixel(56, 44), 0u);         // more than 5 away
}

TEST(WideLine, FarOutsideCoordinatesAreSafe) {
  gfx::Bitmap b(64, 48, 0);
  gfx::Canvas c(b);
  c.pen = {0xFFFFFF, 18, gfx::PenStyle::Solid};
  WideLine(c, -2000000000, 24, 2000000000, 24);
  EXPECT_EQ(b.Pixel(0, 24), 0xFFFFFFu);
  EXPECT_EQ(b.Pixel(63, 24), 0xFFFFFFu);
  WideLine(c, -5000, -5000, -4000, -4000);
  WideLine(c, 30, 30, 30, 30);  // a dot
  EXPECT_EQ(b.Pixel(30, 30), 0xFFFFFFu);
}

TEST(WideLine, RoundEndsAreExactDiscs) {
  // A stroke of no length is its round end alone: the pixels whose centres lie within half the
  // pen's width of the point's centre, edge included.
  for (int32_t w = 2; w <= 40; ++w) {
    gfx::Bitmap b(64, 64, 0);
    gfx::Canvas c(b);
    c.pen = {0xFFFFFF, w, gfx::PenStyle::Solid};
    WideLine(c, 31, 31, 31, 31);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        const int64_t dx = 2 * (x - 31), dy = 2 * (y - 31);
        const bool inside = dx * dx + dy * dy <= int64_t{w} * w;
        ASSERT_EQ(b.Pixel(x, y), inside ? 0xFFFFFFu : 0u) << "pen " << w << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace qv::ui
