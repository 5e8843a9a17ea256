#include "gfx/picture_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bmp_builder.h"
#include "files/files_fixture.h"
#include "jpeg_builder.h"

namespace qv::gfx {
namespace {

Bitmap Gradient(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Rgb(x * 255 / w, y * 255 / h, 128));
  return b;
}

std::filesystem::path TempDir() {
  auto dir = std::filesystem::temp_directory_path() / ("qv_gfx_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(DecodeJpeg, ReadsColourAndGreyPictures) {
  const Bitmap src = Gradient(40, 24);
  for (bool progressive : {false, true}) {
    const Result<Bitmap> r = DecodeJpeg(testing::EncodeJpeg(src, 95, false, progressive));
    ASSERT_TRUE(r.ok()) << r.message();
    ASSERT_EQ(r->Width(), 40);
    ASSERT_EQ(r->Height(), 24);
    const Color c = r->Pixel(20, 12), want = src.Pixel(20, 12);
    EXPECT_NEAR(RedOf(c), RedOf(want), 12);
    EXPECT_NEAR(GreenOf(c), GreenOf(want), 12);
    EXPECT_NEAR(BlueOf(c), BlueOf(want), 12);
  }
  const Result<Bitmap> grey = DecodeJpeg(testing::EncodeJpeg(Bitmap(8, 8, 0x808080), 90, true));
  ASSERT_TRUE(grey.ok()) << grey.message();
  EXPECT_NEAR(RedOf(grey->Pixel(3, 3)), 0x80, 3);
  EXPECT_EQ(RedOf(grey->Pixel(3, 3)), BlueOf(grey->Pixel(3, 3)));
}

TEST(DecodeJpeg, BrokenStreamsAreErrorsNotExits) {
  const std::vector<uint8_t> good = testing::EncodeJpeg(Gradient(32, 32));
  // Cut anywhere: every prefix is refused (a short picture is not padded with grey).
  for (size_t n = 0; n + 2 < good.size(); n += 7)
    EXPECT_FALSE(DecodeJpeg({good.data(), n}).ok()) << "cut at " << n;
  // Scrambled headers and data.
  for (size_t at : {size_t{2}, size_t{20}, size_t{100}, good.size() / 2}) {
    std::vector<uint8_t> bad = good;
    for (size_t i = at; i < at + 16 && i < bad.size(); ++i) bad[i] ^= 0xA5;
    (void)DecodeJpeg(bad);  // may decode with visible damage, but must come back
  }
  const std::vector<uint8_t> garbage(300, 0x41);
  const Result<Bitmap> r = DecodeJpeg(garbage);
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.message().rfind("JPEG: ", 0), 0u) << r.message();
  // A frame header claiming a picture its data cannot hold.
  std::vector<uint8_t> lying = good;
  for (size_t i = 2; i + 8 < lying.size(); ++i)
    if (lying[i] == 0xFF && lying[i + 1] == 0xC0) {
      lying[i + 5] = 0xFF, lying[i + 6] = 0xFF, lying[i + 7] = 0xFF, lying[i + 8] = 0xFF;
      break;
    }
  EXPECT_FALSE(DecodeJpeg(lying).ok());
}

TEST(Png, RoundTripIsExactAndDamageIsAnError) {
  Bitmap src = Gradient(13, 7);
  src.SetPixel(0, 0, 0xFFFFFF);
  const std::vector<uint8_t> png = EncodePng(src);
  ASSERT_FALSE(png.empty());
  const Result<Bitmap> back = DecodePng(png);
  ASSERT_TRUE(back.ok()) << back.message();
  EXPECT_EQ(*back, src);
  EXPECT_TRUE(EncodePng(Bitmap()).empty());
  EXPECT_FALSE(DecodePng({png.data(), png.size() / 2}).ok());
  std::vector<uint8_t> bad = png;
  bad[20] ^= 0xFF;  // inside the header chunk: its check sum no longer matches
  EXPECT_FALSE(DecodePng(bad).ok());
}

TEST(LoadPicture, ChoosesTheReaderByContentAndNamesTheFile) {
  const auto dir = TempDir();
  const Bitmap src = Gradient(9, 5);
  ASSERT_TRUE(WriteBmp(src, dir / "a.bmp").ok());
  ASSERT_TRUE(WritePng(src, dir / "a.png").ok());
  const Result<Bitmap> bmp = LoadPicture(dir / "a.bmp");
  ASSERT_TRUE(bmp.ok()) << bmp.message();
  EXPECT_EQ(*bmp, src);
  const Result<Bitmap> png = LoadPicture(dir / "a.png");
  ASSERT_TRUE(png.ok()) << png.message();
  EXPECT_EQ(*png, src);
  {
    const auto jpeg = testing::EncodeJpeg(src);
    std::ofstream(dir / "cr.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()), std::streamsize(jpeg.size()));
  }
  EXPECT_TRUE(LoadPicture(dir / "cr.jpg").ok());
  const Result<Bitmap> missing = LoadPicture(dir / "none.bmp");
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.message().find("none.bmp"), std::string::npos);
  std::ofstream(dir / "empty.bmp").put('B');
  const Result<Bitmap> empty = LoadPicture(dir / "empty.bmp");
  EXPECT_FALSE(empty.ok());
  EXPECT_NE(empty.message().find("empty.bmp: BMP:"), std::string::npos) << empty.message();
  const Status nowhere = WritePng(src, dir / "no" / "such" / "folder.png");
  EXPECT_FALSE(nowhere.ok());
  EXPECT_NE(nowhere.message().find("folder.png"), std::string::npos) << nowhere.message();
  std::filesystem::remove_all(dir);
}

// A FIFO in cg/ once stalled start-up for good; a device was read without end.
TEST(LoadPicture, WhatIsNotARegularFileIsNamedAndNeverWaitedOn) {
  const auto dir = TempDir();
  alarm(20);
  for (const auto& c : qv::testing::kHostileCases) {
    if (!qv::testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    qv::testing::MakeHostile(dir / "map.bmp", c.kind);
    const Result<Bitmap> r = LoadPicture(dir / "map.bmp");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.message().rfind((dir / "map.bmp").string() + ": ", 0), 0u) << r.message();
  }
  alarm(0);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qv::gfx
