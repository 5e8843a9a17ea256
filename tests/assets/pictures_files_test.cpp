// The pictures in cg/: every file the game loads is there and decodes through the game's own
// readers at the size its screen expects, sprites carry a clean transparent key in the
// bottom-left pixel, and the map's progress pictures fit the island where they are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/picture_file.h"

namespace {

namespace fs = std::filesystem;
using qv::gfx::Bitmap;
using qv::gfx::Color;

fs::path BuildFile(const std::string& rel) {
  return fs::path(QV_BUILD_DIR) / rel;
}

Bitmap Load(const std::string& name) {
  auto result = qv::gfx::LoadPicture(BuildFile("cg/" + name));
  EXPECT_TRUE(result.ok()) << name << ": " << result.message();
  return std::move(*result);
}

std::vector<uint8_t> ReadBytes(const fs::path& p) {
  std::ifstream f(p, std::ios::binary | std::ios::ate);
  if (!f) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(f.tellg()));
  f.seekg(0);
  f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

struct Expected {
  std::string name;
  int w, h;
};

std::vector<Expected> FullScreenPictures() {
  std::vector<Expected> v;
  for (const char* n :
       {"cr.jpg",      "title.bmp",  "00.bmp",      "map.bmp",    "yama.bmp", "musi.bmp",
        "sunny.bmp",   "hikaru.bmp", "magical.bmp", "midori.bmp", "doku.bmp", "robo.bmp",
        "yoiyami.bmp", "ship2.bmp",  "sima.bmp",    "ten.bmp",    "jis.bmp",  "kaname.bmp",
        "noel.bmp",    "yado.bmp",   "dougu.bmp",   "zinkou.bmp", "free.bmp", "free2.bmp",
        "free3.bmp",   "free4.bmp",  "free5.bmp",   "free6.bmp"}) {
    v.push_back({n, 640, 480});
  }
  return v;
}

std::vector<std::string> Portraits() {
  std::vector<std::string> v;
  for (int n = 0; n < 10; ++n) {
    for (const char* stage : {"", "a", "b", "c"})
      v.push_back("char" + std::to_string(n) + stage + ".bmp");
  }
  return v;
}

// A progress picture of the map, the point it is drawn at and the click area it marks.
struct Decoration {
  std::string name;
  int x, y;
  int areaX, areaY, areaW, areaH;
};

const Decoration kDecorations[] = {
    {"map4.bmp", 84, 252, 84, 256, 25, 21},      {"map5.bmp", 379, 179, 380, 180, 49, 45},
    {"map6.bmp", 286, 249, 284, 248, 57, 49},    {"map7.bmp", 533, 294, 533, 294, 25, 53},
    {"map8.bmp", 111, 67, 111, 67, 25, 21},      {"map9.bmp", 48, 360, 48, 360, 41, 29},
    {"map10.bmp", 260, 388, 260, 388, 41, 29},   {"norosi.bmp", 468, 100, 448, 124, 65, 33},
    {"norosi.bmp", 168, 180, 148, 200, 61, 29},  {"norosi.bmp", 86, 236, 84, 256, 25, 21},
    {"norosi.bmp", 410, 170, 380, 180, 49, 45},  {"norosi.bmp", 304, 228, 284, 248, 57, 49},
    {"norosi.bmp", 539, 276, 533, 294, 25, 53},  {"map11.bmp", 296, 200, 296, 200, 29, 29},
    {"map13.bmp", 576, 20, 576, 20, 29, 29},     {"map_free2.bmp", 329, 114, 320, 112, 45, 21},
    {"map_free3.bmp", 332, 88, 332, 88, 27, 17}, {"map_free4.bmp", 340, 60, 340, 60, 27, 17},
    {"map_free4.bmp", 352, 36, 352, 36, 27, 17}, {"map_free5.bmp", 320, 12, 320, 12, 30, 30},
};

// Bounding box of the pixels that are not the key colour.
struct Box {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  bool Empty() const { return x1 < 0; }
};

Box VisibleBox(const Bitmap& b) {
  Box box;
  Color key = b.Pixel(0, b.Height() - 1);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.Pixel(x, y) == key) continue;
      box.x0 = std::min(box.x0, x);
      box.y0 = std::min(box.y0, y);
      box.x1 = std::max(box.x1, x);
      box.y1 = std::max(box.y1, y);
    }
  }
  return box;
}

TEST(Pictures, FullScreenPicturesDecodeAt640x480) {
  for (const Expected& e : FullScreenPictures()) {
    Bitmap b = Load(e.name);
    EXPECT_EQ(b.Width(), e.w) << e.name;
    EXPECT_EQ(b.Height(), e.h) << e.name;
  }
}

TEST(Pictures, MapIsAPalettisedBmpOf256Colours) {
  std::vector<uint8_t> d = ReadBytes(BuildFile("cg/map.bmp"));
  ASSERT_GE(d.size(), 54u + 1024u + 640u * 480u);
  auto u16 = [&](size_t o) { return d[o] | d[o + 1] << 8; };
  auto u32 = [&](size_t o) { return static_cast<uint32_t>(u16(o) | u16(o + 2) << 16); };
  EXPECT_EQ(d[0], 'B');
  EXPECT_EQ(d[1], 'M');
  EXPECT_EQ(u32(18), 640u);
  EXPECT_EQ(u32(22), 480u);
  EXPECT_EQ(u16(28), 8);
  EXPECT_EQ(u32(30), 0u);  // uncompressed
  EXPECT_LE(u32(46), 256u);
  EXPECT_EQ(u32(10), 54u + 1024u);
}

TEST(Pictures, SpritesHaveACleanKeyInTheBottomLeftPixel) {
  std::vector<std::string> sprites = Portraits();
  for (const char* n :
       {"man0.bmp", "man1.bmp", "map4.bmp", "map5.bmp", "map6.bmp", "map7.bmp", "map8.bmp",
        "map9.bmp", "map10.bmp", "map11.bmp", "map13.bmp", "map_free2.bmp", "map_free3.bmp",
        "map_free4.bmp", "map_free5.bmp", "norosi.bmp", "map_h.bmp", "ship.bmp"}) {
    sprites.push_back(n);
  }
  for (const std::string& name : sprites) {
    Bitmap b = Load(name);
    if (b.Empty()) continue;
    Color key = b.Pixel(0, b.Height() - 1);
    EXPECT_EQ(key, qv::gfx::Rgb(255, 0, 255)) << name;
    size_t keyed = std::count(b.Pixels().begin(), b.Pixels().end(), key);
    // Something is drawn, and the key is actually used around it.
    EXPECT_LT(keyed, b.Pixels().size() * 9 / 10) << name << " is almost empty";
    EXPECT_GT(keyed, 0u) << name;
  }
}

TEST(Pictures, PortraitsFitTheCreationPanelFrame) {
  for (const std::string& name : Portraits()) {
    Bitmap b = Load(name);
    EXPECT_LE(b.Width(), 237) << name;
    EXPECT_LE(b.Height(), 417) << name;
    EXPECT_GE(b.Height(), 300) << name;
  }
}

// Every figure is whole inside its sprite: nothing of it (a sword's tip, a club, horns, a
// gown's hem) is cut off at the picture's edge, since the game shows the whole sprite.
TEST(Pictures, FiguresAreWholeInsideTheirSprites) {
  std::vector<std::string> sprites = Portraits();
  sprites.push_back("man0.bmp");
  sprites.push_back("man1.bmp");
  for (const std::string& name : sprites) {
    Bitmap b = Load(name);
    if (b.Empty()) continue;
    Color key = b.Pixel(0, b.Height() - 1);
    int touching = 0;
    for (int x = 0; x < b.Width(); ++x)
      touching += (b.Pixel(x, 0) != key) + (b.Pixel(x, b.Height() - 1) != key);
    for (int y = 0; y < b.Height(); ++y)
      touching += (b.Pixel(0, y) != key) + (b.Pixel(b.Width() - 1, y) != key);
    EXPECT_EQ(touching, 0) << name << ": pixels of the figure on the picture's edge";
  }
}

TEST(Pictures, ProgressPicturesFitTheMapAndCoverTheirPlace) {
  for (const Decoration& d : kDecorations) {
    Bitmap b = Load(d.name);
    ASSERT_FALSE(b.Empty()) << d.name;
    EXPECT_LE(d.x + b.Width(), 640) << d.name << " at " << d.x << "," << d.y;
    EXPECT_LE(d.y + b.Height(), 480) << d.name << " at " << d.x << "," << d.y;
    Box v = VisibleBox(b);
    ASSERT_FALSE(v.Empty()) << d.name;
    // The visible part touches the click area of the place it marks (or, for a beacon,
    // stands just above it).
    int vx0 = d.x + v.x0, vx1 = d.x + v.x1, vy0 = d.y + v.y0, vy1 = d.y + v.y1;
    bool overlapsX = vx0 < d.areaX + d.areaW && vx1 >= d.areaX;
    bool nearY = vy0 < d.areaY + d.areaH && vy1 >= d.areaY - 24;
    EXPECT_TRUE(overlapsX && nearY) << d.name << " at " << d.x << "," << d.y;
  }
}

TEST(Pictures, RandomlyPlacedShopsMatchTheirClickAreas) {
  // The wandering shop and the ship are drawn where their 20 x 20 and 21 x 21 click areas
  // are moved, so a bigger picture would show parts that cannot be clicked.
  Bitmap cart = Load("map_h.bmp");
  EXPECT_LE(cart.Width(), 20);
  EXPECT_LE(cart.Height(), 20);
  Bitmap ship = Load("ship.bmp");
  EXPECT_LE(ship.Width(), 21);
  EXPECT_LE(ship.Height(), 21);
}

TEST(Pictures, TheSeaRunsAlongTheSouthCoastWhereTheShipAppears) {
  Bitmap map = Load("map.bmp");
  ASSERT_EQ(map.Height(), 480);
  // Ships are placed at y 380..469 anywhere across the map; most of that band must be water.
  int blue = 0, total = 0;
  for (int y = 385; y < 470; y += 3) {
    for (int x = 10; x < 535; x += 3) {
      Color c = map.Pixel(x, y);
      ++total;
      if (qv::gfx::BlueOf(c) > qv::gfx::RedOf(c) + 20) ++blue;
    }
  }
  EXPECT_GT(blue * 10, total * 6) << blue << " of " << total;
  // The lake of the little girl is water too.
  Color lake = map.Pixel(96, 266);
  EXPECT_GT(qv::gfx::BlueOf(lake), qv::gfx::RedOf(lake) + 30);
}

TEST(Pictures, TitleStarsAreSixFramesOfLightOnBlack) {
  struct Strip {
    const char* name;
    int frame;
  };
  for (Strip s : {Strip{"star1.bmp", 20}, Strip{"star2.bmp", 10}}) {
    Bitmap b = Load(s.name);
    ASSERT_EQ(b.Width(), s.frame * 6) << s.name;
    ASSERT_EQ(b.Height(), s.frame) << s.name;
    EXPECT_EQ(b.Pixel(0, b.Height() - 1), 0u) << s.name;
    for (int f = 0; f < 6; ++f) {
      int brightest = 0;
      for (int y = 0; y < s.frame; ++y) {
        for (int x = f * s.frame; x < (f + 1) * s.frame; ++x) {
          Color c = b.Pixel(x, y);
          brightest =
              std::max({brightest, qv::gfx::RedOf(c), qv::gfx::GreenOf(c), qv::gfx::BlueOf(c)});
        }
      }
      EXPECT_GT(brightest, 120) << s.name << " frame " << f;
      // Frame corners stay dark so the OR-combine adds no square edges.
      EXPECT_LT(qv::gfx::RedOf(b.Pixel(f * s.frame, 0)), 40) << s.name << " frame " << f;
    }
  }
}

TEST(Pictures, GlowBaseIsBlack) {
  Bitmap b = Load("00.bmp");
  EXPECT_TRUE(std::all_of(b.Pixels().begin(), b.Pixels().end(), [](Color c) { return c == 0; }));
}

TEST(Pictures, IconsComeInEveryDesktopSize) {
  for (int size : {16, 32, 48, 64, 128, 256}) {
    std::string dir = std::to_string(size) + "x" + std::to_string(size);
    auto r = qv::gfx::LoadPicture(BuildFile("icons/hicolor/" + dir + "/apps/qv.png"));
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(r->Width(), size);
    EXPECT_EQ(r->Height(), size);
  }
  auto big = qv::gfx::LoadPicture(BuildFile("icons/qv.png"));
  ASSERT_TRUE(big.ok()) << big.message();
  EXPECT_EQ(big->Width(), 256);
}

}  // namespace
