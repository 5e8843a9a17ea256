// The people and creatures of the island as the player meets them: every enemy stands wholly
// left of the skill list in battle, every figure's outline stands out from what is behind it,
// and each race-and-sex choice of the creation panel has a body of its own at every stage.
// The generator leaves each scene's enemy alone in figures/ for these checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/picture_file.h"

namespace {

namespace fs = std::filesystem;
using qv::gfx::Bitmap;
using qv::gfx::Color;

constexpr int kSkillListX = 460;  // the skill list covers the battle picture from here

Bitmap LoadBuilt(const std::string& rel) {
  auto result = qv::gfx::LoadPicture(fs::path(QV_BUILD_DIR) / rel);
  EXPECT_TRUE(result.ok()) << rel << ": " << result.message();
  return result.ok() ? std::move(*result) : Bitmap();
}

// Where a sprite or figure file is painted: everything but its key colour (bottom-left pixel).
struct Mask {
  int w = 0, h = 0;
  std::vector<bool> on;
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < w && y < h && on[static_cast<size_t>(y) * w + x];
  }
};

Mask MaskOf(const Bitmap& b) {
  Mask m{b.Width(), b.Height(), {}};
  m.on.resize(static_cast<size_t>(m.w) * m.h);
  if (b.Empty()) return m;
  const Color key = b.Pixel(0, b.Height() - 1);
  for (int y = 0; y < m.h; ++y) {
    for (int x = 0; x < m.w; ++x) m.on[static_cast<size_t>(y) * m.w + x] = b.Pixel(x, y) != key;
  }
  return m;
}

double Luma(Color c) {
  return 0.299 * qv::gfx::RedOf(c) + 0.587 * qv::gfx::GreenOf(c) + 0.114 * qv::gfx::BlueOf(c);
}

// What the player sees: `scene` (w x h) with the figure's mask placed at (ox, oy) and its
// pixels taken from `figure` when given (a sprite drawn over the scene), else from the scene
// (a figure painted into it).
struct Shown {
  const Bitmap& scene;
  const Bitmap* figure;
  int ox, oy;
  Color At(int x, int y) const {
    x = std::clamp(x, 0, scene.Width() - 1);
    y = std::clamp(y, 0, scene.Height() - 1);
    if (figure) {
      int fx = x - ox, fy = y - oy;
      if (fx >= 0 && fy >= 0 && fx < figure->Width() && fy < figure->Height() &&
          figure->Pixel(fx, fy) != figure->Pixel(0, figure->Height() - 1))
        return figure->Pixel(fx, fy);
    }
    return scene.Pixel(x, y);
  }
};

// How strongly the figure's outline stands out: for each pixel on the edge of the mask, the
// largest luminance step between its rim (a few pixels either side of the edge, where the
// inked line lies) and the scene six pixels further out; the median over the whole edge.
double EdgeContrast(const Mask& m, const Shown& shown) {
  std::vector<double> steps;
  for (int y = 0; y < m.h; ++y) {
    for (int x = 0; x < m.w; ++x) {
      if (!m.At(x, y)) continue;
      if (m.At(x - 1, y) && m.At(x + 1, y) && m.At(x, y - 1) && m.At(x, y + 1)) continue;
      double nx = 0, ny = 0;
      for (int j = -2; j <= 2; ++j) {
        for (int i = -2; i <= 2; ++i) {
          if (m.At(x + i, y + j)) nx -= i, ny -= j;
        }
      }
      double len = std::hypot(nx, ny);
      if (len == 0) continue;
      nx /= len;
      ny /= len;
      int bx = x + static_cast<int>(std::lround(6 * nx)),
          by = y + static_cast<int>(std::lround(6 * ny));
      if (m.At(bx, by) || bx < 0 || by < 0 || bx >= m.w || by >= m.h) continue;
      double behind = Luma(shown.At(bx + shown.ox, by + shown.oy));
      double best = 0;
      for (int k = -2; k <= 3; ++k) {
        int rx = x + static_cast<int>(std::lround(k * nx)),
            ry = y + static_cast<int>(std::lround(k * ny));
        best = std::max(best, std::fabs(Luma(shown.At(rx + shown.ox, ry + shown.oy)) - behind));
      }
      steps.push_back(best);
    }
  }
  if (steps.empty()) return 0;
  std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
  return steps[steps.size() / 2];
}

// Share of the figure's pixels that are burnt out to white.
double ClippedWhite(const Mask& m, const Shown& shown) {
  int64_t white = 0, all = 0;
  for (int y = 0; y < m.h; ++y) {
    for (int x = 0; x < m.w; ++x) {
      if (!m.At(x, y)) continue;
      Color c = shown.At(x + shown.ox, y + shown.oy);
      ++all;
      white += std::min({qv::gfx::RedOf(c), qv::gfx::GreenOf(c), qv::gfx::BlueOf(c)}) >= 253;
    }
  }
  return all ? static_cast<double>(white) / all : 0;
}

const char* const kStoryScenes[] = {"yama.bmp",    "musi.bmp",   "sunny.bmp", "hikaru.bmp",
                                    "magical.bmp", "midori.bmp", "doku.bmp",  "robo.bmp",
                                    "yoiyami.bmp", "ship2.bmp",  "sima.bmp",  "ten.bmp",
                                    "jis.bmp",     "kaname.bmp", "noel.bmp"};
const char* const kKeeperRooms[] = {"yado.bmp", "dougu.bmp", "zinkou.bmp"};
const char* const kWanderers[] = {"man0.bmp", "man1.bmp"};
const char* const kTrail[] = {"free.bmp",  "free2.bmp", "free3.bmp",
                              "free4.bmp", "free5.bmp", "free6.bmp"};

// Rightmost painted column of a mask, or -1.
int RightEdge(const Mask& m) {
  int right = -1;
  for (int y = 0; y < m.h; ++y) {
    for (int x = m.w - 1; x > right; --x) {
      if (m.At(x, y)) right = x;
    }
  }
  return right;
}

TEST(Figures, EveryEnemyStandsWhollyLeftOfTheSkillList) {
  for (const char* scene : kStoryScenes) {
    Mask m = MaskOf(LoadBuilt(std::string("figures/") + scene));
    ASSERT_EQ(m.w, 640) << scene;
    int right = RightEdge(m);
    EXPECT_GE(right, 0) << scene << ": no enemy recorded";
    EXPECT_LT(right, kSkillListX) << scene;
  }
  // The wanderers are drawn against the right edge of the picture.
  for (const char* sprite : kWanderers) {
    Mask m = MaskOf(LoadBuilt(std::string("cg/") + sprite));
    int right = RightEdge(m);
    ASSERT_GE(right, 0) << sprite;
    EXPECT_LT(640 - m.w + right, kSkillListX) << sprite;
  }
}

constexpr double kEdgeStep = 40;     // luminance, 0..255
constexpr double kMostWhite = 0.01;  // of the figure's pixels

TEST(Figures, OutlinesStandOutFromWhatIsBehindThem) {
  auto check = [](const std::string& what, const Mask& m, const Shown& shown) {
    EXPECT_GE(EdgeContrast(m, shown), kEdgeStep) << what;
    EXPECT_LE(ClippedWhite(m, shown), kMostWhite) << what;
  };
  std::vector<const char*> scenes(std::begin(kStoryScenes), std::end(kStoryScenes));
  scenes.insert(scenes.end(), std::begin(kKeeperRooms), std::end(kKeeperRooms));
  {
    for (const char* scene : scenes) {
      Bitmap picture = LoadBuilt(std::string("cg/") + scene);
      Mask m = MaskOf(LoadBuilt(std::string("figures/") + scene));
      if (picture.Empty() || m.on.empty()) continue;
      check(scene, m, Shown{picture, nullptr, 0, 0});
    }
  }
  for (const char* sprite : kWanderers) {
    Bitmap who = LoadBuilt(std::string("cg/") + sprite);
    for (const char* trail : kTrail) {
      Bitmap ground = LoadBuilt(std::string("cg/") + trail);
      if (who.Empty() || ground.Empty()) continue;
      check(std::string(sprite) + " on " + trail, MaskOf(who),
            Shown{ground, &who, 640 - who.Width(), 0});
    }
  }
  // The portraits are shown on the creation panel's black.
  Bitmap panel(237, 417);
  for (int n = 0; n < 10; ++n) {
    for (const char* stage : {"", "a", "b", "c"}) {
      std::string name = "char" + std::to_string(n) + stage + ".bmp";
      Bitmap portrait = LoadBuilt("cg/" + name);
      if (portrait.Empty()) continue;
      check(name, MaskOf(portrait), Shown{panel, &portrait, 0, 0});
    }
  }
}

// Overlap of two outlines: shared pixels over the pixels of either.
double Overlap(const Mask& a, const Mask& b) {
  int64_t both = 0, either = 0;
  for (int y = 0; y < std::max(a.h, b.h); ++y) {
    for (int x = 0; x < std::max(a.w, b.w); ++x) {
      bool pa = a.At(x, y), pb = b.At(x, y);
      both += pa && pb;
      either += pa || pb;
    }
  }
  return either ? static_cast<double>(both) / either : 1;
}

TEST(Figures, EveryRaceAndSexHasItsOwnOutlineAtEveryStage) {
  for (const char* stage : {"", "a", "b", "c"}) {
    std::vector<Mask> outlines;
    for (int n = 0; n < 10; ++n)
      outlines.push_back(MaskOf(LoadBuilt("cg/char" + std::to_string(n) + stage + ".bmp")));
    for (int a = 0; a < 10; ++a) {
      for (int b = a + 1; b < 10; ++b) {
        EXPECT_LT(Overlap(outlines[a], outlines[b]), 0.95)
            << "char" << a << stage << " and char" << b << stage;
      }
    }
  }
}

TEST(Figures, NoTwoStoryEnemiesShareAnOutline) {
  std::vector<Mask> outlines;
  for (const char* scene : kStoryScenes)
    outlines.push_back(MaskOf(LoadBuilt(std::string("figures/") + scene)));
  for (size_t a = 0; a < outlines.size(); ++a) {
    for (size_t b = a + 1; b < outlines.size(); ++b) {
      EXPECT_LT(Overlap(outlines[a], outlines[b]), 0.95)
          << kStoryScenes[a] << " and " << kStoryScenes[b];
    }
  }
}

}  // namespace
