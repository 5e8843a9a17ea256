#include <gtest/gtest.h>

#include <climits>

#include "bmp_builder.h"
#include "gfx/picture_file.h"

namespace qv::gfx {
namespace {

using testing::BmpLayout;
using testing::BuildBmp;
using testing::PackRows;

// Colours every depth can hold exactly (multiples of 8 with the low bits spread back).
const Color kColours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x840084, 0xFFFF00};

// A 5 x 3 picture (odd width, so every depth pads its rows) of palette indices.
Bitmap Indices(int colours) {
  Bitmap b(5, 3);
  for (int i = 0; i < 15; ++i) b.Pixels()[i] = Color(i * 7 % colours);
  return b;
}

Bitmap ToColours(const Bitmap& indices) {
  Bitmap b = indices;
  for (Color& c : b.Pixels()) c = kColours[c];
  return b;
}

std::vector<Color> Palette(int n) {
  std::vector<Color> p;
  for (int i = 0; i < n; ++i) p.push_back(kColours[i % 7]);
  return p;
}

TEST(DecodeBmp, ReadsEveryDepthInBothRowOrders) {
  for (bool topDown : {false, true}) {
    for (int bpp : {1, 4, 8}) {
      const int n = bpp == 1 ? 2 : 7;
      BmpLayout l{bpp, topDown, 0, {}, Palette(n)};
      const Bitmap idx = Indices(n);
      const Result<Bitmap> r = DecodeBmp(BuildBmp(5, 3, l, PackRows(idx, l)));
      ASSERT_TRUE(r.ok()) << r.message();
      EXPECT_EQ(*r, ToColours(idx)) << bpp << " bits, top-down " << topDown;
    }
    const Bitmap colours = ToColours(Indices(7));
    for (int bpp : {16, 24, 32}) {
      BmpLayout l{bpp, topDown, 0, {}, {}};
      const Result<Bitmap> r = DecodeBmp(BuildBmp(5, 3, l, PackRows(colours, l)));
      ASSERT_TRUE(r.ok()) << r.message();
      EXPECT_EQ(*r, colours) << bpp << " bits, top-down " << topDown;
    }
    BmpLayout fields{16, topDown, 3, {0xF800, 0x07E0, 0x001F}, {}};
    const Result<Bitmap> r = DecodeBmp(BuildBmp(5, 3, fields, PackRows(colours, fields)));
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(*r, colours) << "5-6-5 bit fields";
  }
}

TEST(DecodeBmp, ReadsRunLengthPictures) {
  const std::vector<Color> pal = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  // RLE8, bottom row first: a run, a literal of three (padded), end of line; a move two right
  // and one up, to the top row; end of picture. Unreached pixels keep palette colour 0.
  const std::vector<uint8_t> rle8 = {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 1, 3, 0, 1};
  Result<Bitmap> r = DecodeBmp(BuildBmp(5, 3, {8, false, 1, {}, pal}, rle8));
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r->Pixels(),
            (std::vector<Color>{0, 0, 0x0000FF, 0, 0,  // top row
                                0, 0, 0, 0, 0, 0xFF0000, 0xFF0000, 0x00FF00, 0x0000FF, 0x00FF00}));
  // RLE4: a run alternates its two nibbles; a literal of 3 nibbles takes 2 bytes, padded to 2.
  const std::vector<uint8_t> rle4 = {3, 0x12, 0, 3, 0x32, 0x10, 0, 0, 4, 0x33, 0, 1};
  r = DecodeBmp(BuildBmp(6, 2, {4, false, 2, {}, pal}, rle4));
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r->Pixels(), (std::vector<Color>{0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0, 0, 0xFF0000,
                                             0x00FF00, 0xFF0000, 0x0000FF, 0x00FF00, 0xFF0000}));
  // Runs that overflow the width or height are dropped, not written outside the picture.
  const std::vector<uint8_t> wild = {255, 1, 0, 2, 200, 200, 9, 2, 0, 1};
  EXPECT_TRUE(DecodeBmp(BuildBmp(2, 2, {8, false, 1, {}, pal}, wild)).ok());
}

TEST(DecodeBmp, DamagedFilesGiveErrorsNamingTheProblem) {
  const Bitmap colours = ToColours(Indices(7));
  const BmpLayout plain{24, false, 0, {}, {}};
  const std::vector<uint8_t> good = BuildBmp(5, 3, plain, PackRows(colours, plain));
  // Every truncation of a good file is refused.
  for (size_t n = 0; n < good.size(); ++n) {
    const Result<Bitmap> r = DecodeBmp({good.data(), n});
    EXPECT_FALSE(r.ok()) << "truncated to " << n;
  }
  EXPECT_NE(DecodeBmp({good.data(), good.size() - 1}).message().find("offset 54"),
            std::string::npos);

  auto with = [&](size_t at, uint32_t value, bool wide = true) {
    std::vector<uint8_t> f = good;
    if (wide)
      testing::Put32(f, at, value);
    else
      testing::Put16(f, at, value);
    return DecodeBmp(f);
  };
  EXPECT_NE(with(18, 0).message().find("empty"), std::string::npos);
  EXPECT_FALSE(with(18, uint32_t(-5)).ok());
  EXPECT_FALSE(with(22, 0).ok());
  EXPECT_FALSE(with(22, uint32_t(INT32_MIN)).ok());
  EXPECT_NE(with(18, 100000).message().find("too large"), std::string::npos);
  EXPECT_FALSE(with(18, 16000).ok());     // fits the side limit, but the data is not there
  EXPECT_FALSE(with(10, 1u << 31).ok());  // pixel data offset beyond the file
  EXPECT_FALSE(with(14, 20).ok());        // unknown header size
  EXPECT_FALSE(with(14, 1000000).ok());   // header longer than the file
  EXPECT_FALSE(with(28, 7, false).ok());  // no such depth
  {
    // Bit fields with an odd header size whose masks would lie past the end of the file.
    std::vector<uint8_t> f(56, 0);
    f[0] = 'B', f[1] = 'M';
    testing::Put32(f, 10, 55);
    testing::Put32(f, 14, 41);
    testing::Put32(f, 18, 1);
    testing::Put32(f, 22, 1);
    testing::Put16(f, 28, 16);
    testing::Put32(f, 30, 3);
    EXPECT_FALSE(DecodeBmp(f).ok());
  }
  EXPECT_FALSE(with(30, 4).ok());  // JPEG inside BMP is not ours
  EXPECT_FALSE(with(30, 1).ok());  // RLE8 with 24 bits
  std::vector<uint8_t> notBmp = good;
  notBmp[0] = 'X';
  EXPECT_NE(DecodeBmp(notBmp).message().find("signature"), std::string::npos);

  // A palette picture claiming more colours than it has, and indices beyond its palette.
  BmpLayout pal8{8, false, 0, {}, Palette(2)};
  std::vector<uint8_t> f = BuildBmp(5, 3, pal8, PackRows(Indices(7), pal8));
  testing::Put32(f, 46, 100000);
  EXPECT_TRUE(DecodeBmp(f).ok());

  // RLE: no end mark, a literal past the end, a tiny file claiming a huge picture.
  const std::vector<Color> p2 = {0, 0xFFFFFF};
  EXPECT_FALSE(DecodeBmp(BuildBmp(4, 4, {8, false, 1, {}, p2}, {2, 1, 0, 0})).ok());
  EXPECT_FALSE(DecodeBmp(BuildBmp(4, 4, {8, false, 1, {}, p2}, {0, 9, 1, 1})).ok());
  EXPECT_FALSE(DecodeBmp(BuildBmp(4, 4, {8, false, 1, {}, p2}, {0, 2, 1})).ok());
  EXPECT_FALSE(DecodeBmp(BuildBmp(16000, 16000, {8, false, 1, {}, p2}, {0, 1})).ok());
  EXPECT_FALSE(DecodeBmp(BuildBmp(4, 4, {8, true, 1, {}, p2}, {0, 1})).ok());  // top-down RLE
}

}  // namespace
}  // namespace qv::gfx
