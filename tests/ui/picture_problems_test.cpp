// A picture of cg/ that cannot be read is named, once, on the terminal and in a box: the game
// goes on without it as its rules say, but the player learns which file is at fault. Without
// the map picture there is nothing to click, so the game does not start.
#include <gtest/gtest.h>

#include <fstream>

#include "core/text.h"
#include "flow/startup.h"
#include "ui/catalog.h"
#include "ui/translator.h"
#include "ui/ui_fixture.h"

namespace qv {
namespace {

using testing::UiGame;

// Every picture start-up loads, good.
void WriteStartUpPictures(UiGame& t) {
  for (const char* name :
       {"00.bmp",        "char0.bmp", "map_free2.bmp", "map4.bmp",  "map5.bmp",      "map6.bmp",
        "map.bmp",       "man0.bmp",  "man1.bmp",      "map7.bmp",  "map8.bmp",      "map_h.bmp",
        "map9.bmp",      "map10.bmp", "map_free3.bmp", "ship.bmp",  "map_free4.bmp", "norosi.bmp",
        "map_free5.bmp", "star1.bmp", "star2.bmp",     "map11.bmp", "map13.bmp"}) {
    t.WritePicture(name, gfx::Bitmap(16, 16, 0x203040));
  }
}

// Half of a picture file, as a copy cut short leaves it.
void CutInHalf(const std::filesystem::path& file) {
  const auto size = std::filesystem::file_size(file);
  std::filesystem::resize_file(file, size / 2);
}

bool Says(const std::string& cp932, const char* utf8) {
  return Cp932ToUtf8(cp932).find(utf8) != std::string::npos;
}

TEST(PictureProblems, BrokenPicturesAtStartUpAreNamedInOneBox) {
  UiGame t;
  Game& g = t.g();
  WriteStartUpPictures(t);
  CutInHalf(g.paths.cgDir / "char0.bmp");
  std::filesystem::remove(g.paths.cgDir / "00.bmp");
  EXPECT_TRUE(t.screen.LoadSprites(g));
  ASSERT_EQ(t.host.messages.size(), 1u);
  const std::string& box = t.host.messages[0];
  EXPECT_TRUE(Says(box, "画像ファイルを読めません")) << Cp932ToUtf8(box);
  EXPECT_TRUE(Says(box, "char0.bmp")) << Cp932ToUtf8(box);
  EXPECT_TRUE(Says(box, "00.bmp")) << Cp932ToUtf8(box);
  EXPECT_FALSE(Says(box, "始められません")) << Cp932ToUtf8(box);
}

TEST(PictureProblems, ABrokenBackgroundIsNamedOnceAndTheOldOneStays) {
  UiGame t;
  Game& g = t.g();
  t.WritePicture("a.bmp", gfx::Bitmap(640, 480, 0x112233));
  t.WritePicture("yado.bmp", gfx::Bitmap(640, 480, 0x445566));
  CutInHalf(g.paths.cgDir / "yado.bmp");
  t.screen.ShowBackground(g, "a.bmp");
  t.screen.ShowBackground(g, "yado.bmp");
  t.screen.ShowBackground(g, "yado.bmp");
  t.screen.LoadPicture(g, W::cg2, "missing.bmp");
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 10), 0x112233u);
  ASSERT_EQ(t.host.messages.size(), 2u);
  EXPECT_TRUE(Says(t.host.messages[0], "yado.bmp"));
  EXPECT_TRUE(Says(t.host.messages[1], "missing.bmp"));
}

TEST(PictureProblems, WithoutTheMapPictureTheGameDoesNotStart) {
  for (bool cut : {true, false}) {
    SCOPED_TRACE(cut ? "map.bmp cut in half" : "map.bmp missing");
    UiGame t;
    Game& g = t.g();
    WriteStartUpPictures(t);
    if (cut) {
      CutInHalf(g.paths.cgDir / "map.bmp");
    } else {
      std::filesystem::remove(g.paths.cgDir / "map.bmp");
    }
    EXPECT_FALSE(FormCreate(g));
    EXPECT_TRUE(t.host.closed);
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_TRUE(Says(t.host.messages[0], "map.bmp")) << Cp932ToUtf8(t.host.messages[0]);
    EXPECT_TRUE(Says(t.host.messages[0], "ゲームを始められません"));
    // Nothing was read or written: the player's save is as it was.
    EXPECT_FALSE(std::filesystem::exists(g.paths.saveDir / "my.dat"));
  }
}

// In English the box is English throughout: the loader's own words name each file, and the
// count of the files past those named reads as a sentence.
TEST(PictureProblems, TheBoxReadsInEnglish) {
  UiGame t;
  Game& g = t.g();
  t.screen.SetCatalog(ui::Catalog::Open("en", std::filesystem::path(QV_BUILD_DIR) / "locale"));
  g.text.composed.enabled = true;
  WriteStartUpPictures(t);
  for (const char* name : {"map.bmp", "map4.bmp", "map5.bmp", "map6.bmp", "map7.bmp", "map8.bmp",
                           "map9.bmp", "map10.bmp"})
    std::filesystem::remove(g.paths.cgDir / name);
  EXPECT_FALSE(FormCreate(g));
  ASSERT_EQ(t.host.messages.size(), 1u);
  const std::string shown = t.screen.Texts().Shown(g, t.host.messages[0]);
  EXPECT_EQ(shown.rfind("Cannot read picture files.", 0), 0u) << shown;
  EXPECT_NE(shown.find("\rand 2 more\r"), std::string::npos) << shown;
  EXPECT_NE(shown.find("the game cannot start"), std::string::npos) << shown;
  for (char c : shown) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << shown;
}

}  // namespace
}  // namespace qv
