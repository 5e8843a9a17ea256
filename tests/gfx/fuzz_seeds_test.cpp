// Writes the seed pictures of the BMP and JPEG fuzzers into fuzz/corpus/ when asked:
//   QV_WRITE_FUZZ_SEEDS=1 qv_tests_gfx --gtest_filter=FuzzSeeds.*
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bmp_builder.h"
#include "jpeg_builder.h"

namespace qv::gfx {
namespace {

void Save(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bitmap Pattern(int w, int h, int colours) {
  Bitmap b(w, h);
  for (int i = 0; i < w * h; ++i)
    b.Pixels()[i] = colours ? Color(i % colours) : Color(i * 0x010203);
  return b;
}

TEST(FuzzSeeds, Write) {
  if (!std::getenv("QV_WRITE_FUZZ_SEEDS")) GTEST_SKIP() << "set QV_WRITE_FUZZ_SEEDS to write";
  const std::filesystem::path root = std::filesystem::path(QV_SOURCE_DIR) / "fuzz" / "corpus";
  std::filesystem::create_directories(root / "bmp");
  std::filesystem::create_directories(root / "jpeg");
  using testing::BmpLayout;
  const std::vector<Color> pal = {0, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
  for (bool topDown : {false, true}) {
    const std::string order = topDown ? "_topdown" : "";
    for (int bpp : {1, 4, 8}) {
      // A 1-bit picture has a two-colour palette.
      const size_t colours = bpp == 1 ? 2 : pal.size();
      BmpLayout l{bpp, topDown, 0, {}, {pal.begin(), pal.begin() + colours}};
      Save(root / "bmp" / ("pal" + std::to_string(bpp) + order + ".bmp"),
           testing::BuildBmp(7, 3, l, testing::PackRows(Pattern(7, 3, int(l.palette.size())), l)));
    }
    for (int bpp : {16, 24, 32}) {
      BmpLayout l{bpp, topDown, 0, {}, {}};
      Save(root / "bmp" / ("rgb" + std::to_string(bpp) + order + ".bmp"),
           testing::BuildBmp(5, 4, l, testing::PackRows(Pattern(5, 4, 0), l)));
    }
  }
  BmpLayout fields{16, false, 3, {0xF800, 0x07E0, 0x001F}, {}};
  Save(root / "bmp" / "fields565.bmp",
       testing::BuildBmp(5, 4, fields, testing::PackRows(Pattern(5, 4, 0), fields)));
  Save(root / "bmp" / "rle8.bmp",
       testing::BuildBmp(6, 4, {8, false, 1, {}, pal},
                         {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 2, 5, 0, 1}));
  Save(root / "bmp" / "rle4.bmp",
       testing::BuildBmp(6, 3, {4, false, 2, {}, pal}, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}));

  const Bitmap picture = Pattern(24, 16, 0);
  Save(root / "jpeg" / "colour.jpg", testing::EncodeJpeg(picture, 80));
  Save(root / "jpeg" / "grey.jpg", testing::EncodeJpeg(picture, 60, true));
  Save(root / "jpeg" / "progressive.jpg", testing::EncodeJpeg(picture, 75, false, true));
}

}  // namespace
}  // namespace qv::gfx
