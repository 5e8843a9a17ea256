// The corner notice of the desktop keys: over the finished window picture only, full for two
// seconds, then fading out and leaving the picture as it was; and the standing notice after a
// defeat.
#include "ui/desktop_notice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv::ui {
namespace {

gfx::Bitmap Stripes() {
  gfx::Bitmap b(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) b.SetPixel(x, y, (x / 8 + y / 8) % 2 ? 0xE0E0C0 : 0x304060);
  return b;
}

int Changed(const gfx::Bitmap& a, const gfx::Bitmap& b, const gfx::Rect& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

TEST(DesktopNotice, ShowsTwoSecondsThenFadesAndLeavesThePicture) {
  const gfx::Bitmap base = Stripes();
  DesktopNotice notice;
  gfx::Bitmap frame = base;
  notice.Draw(frame, 0);
  EXPECT_TRUE(frame == base);
  EXPECT_FALSE(notice.NeedsFrame(0));

  notice.Show("音量　効果音 90　音楽 40", 1000);
  const gfx::Rect box = notice.BoxAt(1000);
  EXPECT_EQ(box.right, 634);  // at the top right edge
  EXPECT_EQ(box.top, 6);
  EXPECT_GT(box.Width(), 100);

  gfx::Bitmap full = base;
  notice.Draw(full, 2999);
  EXPECT_GT(Changed(full, base, box), box.Width() * box.Height() / 2);
  EXPECT_EQ(Changed(full, base, base.Bounds()), Changed(full, base, box));  // nothing outside

  // Half way through the fade every pixel lies between the picture and the full notice.
  gfx::Bitmap half = base;
  notice.Draw(half, 3250);
  int between = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const int b = gfx::GreenOf(base.Pixel(x, y)), f = gfx::GreenOf(full.Pixel(x, y));
      const int h = gfx::GreenOf(half.Pixel(x, y));
      EXPECT_GE(h, std::min(b, f) - 1);
      EXPECT_LE(h, std::max(b, f) + 1);
      between += b != f && h != b && h != f;
    }
  }
  EXPECT_GT(between, 0);

  // Gone after the fade; the window is drawn once more so that it leaves the picture.
  EXPECT_FALSE(notice.Visible(3500));
  EXPECT_TRUE(notice.NeedsFrame(3500));
  gfx::Bitmap after = base;
  notice.Draw(after, 3500);
  EXPECT_TRUE(after == base);
  EXPECT_FALSE(notice.NeedsFrame(3600));
}

// A new message replaces the old one and starts its own two seconds; a path too long for the
// window keeps its end (the file's name).
TEST(DesktopNotice, NewestMessageWinsAndLongPathsKeepTheirEnd) {
  DesktopNotice notice;
  notice.Show("音を消しました。", 0);
  notice.Show("音を戻しました。", 1900);
  EXPECT_EQ(notice.Text(), "音を戻しました。");
  EXPECT_TRUE(notice.Visible(3800));

  notice.Show("スクリーンショットを保存しました：/home/someone/" + std::string(300, 'a') +
                  "/qv-20250102-153000.png",
              0);
  const gfx::Rect box = notice.BoxAt(0);
  EXPECT_GE(box.left, 6);
  gfx::Bitmap frame(640, 480);
  notice.Draw(frame, 0);
  EXPECT_GT(Changed(frame, gfx::Bitmap(640, 480), box), 0);
}

// After a defeat a standing notice says what the click does: both lines in a box in the middle
// of the window, above the game's text lines, and nothing drawn outside it.
TEST(DesktopNotice, StandingNoticeCentresItsLinesAboveTheTextLines) {
  const gfx::Bitmap base = Stripes();
  gfx::Bitmap frame = base;
  const gfx::Rect box =
      DrawStandingNotice(frame, "Click to return to the title.\nPlay resumes from your last save.");
  EXPECT_NEAR(box.left + box.right, 640, 1);
  EXPECT_GE(box.Height(), 2 * 14);
  EXPECT_LE(box.bottom, 235);  // the oldest text line's top
  EXPECT_GT(Changed(frame, base, box), box.Width() * box.Height() / 2);
  EXPECT_EQ(Changed(frame, base, base.Bounds()), Changed(frame, base, box));
  gfx::Bitmap untouched = base;
  EXPECT_EQ(DrawStandingNotice(untouched, "").Width(), 0);
  EXPECT_TRUE(untouched == base);
}

}  // namespace
}  // namespace qv::ui
