// The tolerance a screenshot gets against its reviewed picture: smoothing that moves a channel
// a little passes, a shifted or recoloured shape does not.
#include "gfx/picture_match.h"

#include <gtest/gtest.h>

namespace qv::gfx {
namespace {

TEST(MatchPicture, SmallChannelDriftPassesAndTheCountStopsAtOnePixelIn500) {
  const Bitmap expected(100, 50, Rgb(100, 100, 100));  // 5000 pixels: 10 may be off
  Bitmap actual = expected;
  for (int32_t x = 0; x < 100; ++x) actual.SetPixel(x, 0, Rgb(124, 76, 100));  // off by 24
  PictureMatch m = MatchPicture(actual, expected);
  EXPECT_TRUE(m.Matches());
  EXPECT_EQ(m.pixelsOff, 0);
  EXPECT_EQ(m.pixelsAllowed, 10);

  for (int32_t x = 0; x < 10; ++x) actual.SetPixel(x, 1, Rgb(100, 100, 125));  // off by 25
  m = MatchPicture(actual, expected);
  EXPECT_EQ(m.pixelsOff, 10);
  EXPECT_TRUE(m.Matches());
  actual.SetPixel(10, 1, Rgb(0, 100, 100));
  m = MatchPicture(actual, expected);
  EXPECT_EQ(m.pixelsOff, 11);
  EXPECT_FALSE(m.Matches());
}

TEST(MatchPicture, ADifferentSizeNeverMatches) {
  const Bitmap expected(100, 50);
  EXPECT_FALSE(MatchPicture(Bitmap(50, 100), expected).sameSize);
  EXPECT_FALSE(MatchPicture(Bitmap(100, 51), expected).Matches());
  EXPECT_FALSE(MatchPicture(Bitmap(), expected).Matches());
  EXPECT_TRUE(MatchPicture(Bitmap(100, 50), expected).Matches());
}

}  // namespace
}  // namespace qv::gfx
