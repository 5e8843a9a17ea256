#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/text.h"
#include "gfx/fill_run.h"
#include "ui/frame_rules.h"
#include "ui_fixture.h"

namespace qv {
namespace {

using testing::UiGame;

// Frames drawn until the pop-up in slot 1 is freed.
int FramesAlive(UiGame& t, int type, const std::string& text = "12") {
  Game& g = t.g();
  SpawnPopup(g, 300, 200, type, text);
  int frames = 0;
  while (g.text.popups[1].age >= 1 && frames < 1000) {
    t.screen.ComposeFrame(g);
    ++frames;
  }
  return frames;
}

TEST(Compose, PopupsLiveTheirLifetime) {
  // Numbers age twice a frame and are drawn at ages 2, 4, ..., 54.
  for (int type : {16, 17, 18, 19}) {
    UiGame t;
    EXPECT_EQ(FramesAlive(t, type), 27) << type;
  }
  {
    UiGame t;
    EXPECT_EQ(FramesAlive(t, 20, "+5pt."), 32);  // ages 2..64
  }
  // Graphic effects age once a frame and go at the end of the first frame past their lifetime.
  for (int type : {32, 57, 140, 156, 161, 189, 191, 192, 193, 194}) {
    UiGame t;
    EXPECT_EQ(FramesAlive(t, type), ui::PopupLifetime(type)) << type;
  }
}

TEST(Compose, UnknownPopupTypesStayAliveAndInvisible) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = -1;
  SpawnPopup(g, 300, 200, 77, "");
  for (int i = 0; i < 10; ++i) t.screen.ComposeFrame(g);
  EXPECT_EQ(g.text.popups[1].age, 11);
  EXPECT_EQ(testing::Lit(t.screen.MainPicture(), 0, 0, 640, 480), 0);
}

TEST(Compose, DamageNumberBouncesFromItsAnchor) {
  UiGame t;
  Game& g = t.g();
  SpawnPopup(g, 300, 200, 16, "99");
  std::vector<int32_t> ys;
  for (int i = 0; i < 6; ++i) {
    ys.push_back(g.text.popups[1].y);
    t.screen.ComposeFrame(g);
  }
  // Drawn first at the anchor, then 10 up, then +4, -2, +2, +1.
  EXPECT_EQ(ys, (std::vector<int32_t>{175, 165, 169, 167, 169, 170}));
  EXPECT_GT(testing::Lit(t.screen.MainPicture(), 280, 150, 340, 200), 0);
}

TEST(Compose, HitFlashAndGameOverTintTheWholePicture) {
  UiGame t;
  Game& g = t.g();
  SpawnPopup(g, 0, 0, 32, "");
  t.screen.ComposeFrame(g);
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 240), 0xAA0000u);
  t.screen.ComposeFrame(g);
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 240), 0u);

  g.battle.gameOver = 1;
  t.screen.ComposeFrame(g);
  for (gfx::Color p : t.screen.MainPicture().Pixels()) ASSERT_EQ(p >> 16, 0xFFu);
}

TEST(Compose, GlowOnlyBrightens) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = -1;  // no status panel: only the glow touches the picture
  t.WritePicture("bg.bmp", gfx::Bitmap(640, 480, 0x204060));
  t.screen.ShowBackground(g, "bg.bmp");
  SpawnPopup(g, 320, 240, 191, "");
  for (int i = 0; i < 4; ++i) {
    t.screen.ComposeFrame(g);
    for (gfx::Color p : t.screen.MainPicture().Pixels()) ASSERT_EQ(p & 0x204060u, 0x204060u);
  }
  EXPECT_GT(testing::Lit(t.screen.GlowLayer(), 0, 0, 640, 480), 0);
}

TEST(Compose, TheGlowLayerIsBlackAgainOnceEffectsEnd) {
  UiGame t;
  Game& g = t.g();
  g.battle.gameOver = 1;
  t.screen.ComposeFrame(g);
  EXPECT_EQ(testing::CountColour(t.screen.GlowLayer(), 0xFF0000), 640 * 480);
  g.battle.gameOver = 0;
  SpawnPopup(g, 600, 400, 191, "");
  t.screen.ComposeFrame(g);
  EXPECT_GT(testing::Lit(t.screen.GlowLayer(), 0, 0, 640, 480), 0);
  EXPECT_EQ(testing::CountColour(t.screen.GlowLayer(), 0xFF0000), 0);
  while (g.text.popups[1].age >= 1) t.screen.ComposeFrame(g);
  t.screen.ComposeFrame(g);
  EXPECT_EQ(testing::Lit(t.screen.GlowLayer(), 0, 0, 640, 480), 0);
}

TEST(Window, AFrameThatShowsNothingNewIsNotDrawnAgain) {
  UiGame t;
  Game& g = t.g();
  t.WritePicture("bg.bmp", gfx::Bitmap(640, 480, 0x203040));
  t.screen.ShowBackground(g, "bg.bmp");
  AddTextLineRaw(g, "hello");
  t.screen.ComposeFrame(g);
  t.screen.RenderWindow(g);
  EXPECT_TRUE(t.screen.WindowChanged());
  t.screen.ComposeFrame(g);
  const gfx::Bitmap first = t.screen.RenderWindow(g);
  EXPECT_FALSE(t.screen.WindowChanged());
  // The picture kept is the one a screen of its own draws for the same game.
  ui::Screen fresh;
  fresh.ShowBackground(g, "bg.bmp");
  EXPECT_EQ(fresh.RenderWindow(g), first);

  // A widget shown, a pop-up, a new background: each is drawn.
  ShowPanel(g.form, W::battle_box);
  t.screen.RenderWindow(g);
  EXPECT_TRUE(t.screen.WindowChanged());
  t.screen.RenderWindow(g);
  EXPECT_FALSE(t.screen.WindowChanged());
  SpawnPopup(g, 300, 200, 16, "5");
  t.screen.ComposeFrame(g);
  t.screen.RenderWindow(g);
  EXPECT_TRUE(t.screen.WindowChanged());
  while (g.text.popups[1].age >= 1) t.screen.ComposeFrame(g);
  t.screen.ComposeFrame(g);
  fresh.ComposeFrame(g);
  EXPECT_EQ(t.screen.RenderWindow(g), fresh.RenderWindow(g)) << "a frame after the pop-up";
  t.WritePicture("bg2.bmp", gfx::Bitmap(640, 480, 0x405060));
  t.screen.ShowBackground(g, "bg2.bmp");
  t.screen.RenderWindow(g);
  EXPECT_TRUE(t.screen.WindowChanged());
}

TEST(Window, TheTitleSparksChangeEveryFrameAndTheOpeningNever) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = -2;
  t.screen.CopyBackground(g);
  t.screen.RenderWindow(g);
  t.screen.CopyBackground(g);
  t.screen.RenderWindow(g);
  EXPECT_FALSE(t.screen.WindowChanged());
  g.screen.scene = -1;
  for (int i = 0; i < 3; ++i) {
    t.screen.CopyBackground(g);
    t.screen.DrawTitleScreen(g);
    t.screen.RenderWindow(g);
    EXPECT_TRUE(t.screen.WindowChanged());
  }
}

// The title restores only where the sparks were, and the window takes only those places from
// it; every frame must still be the background with this frame's sparks, and the window as if
// drawn whole (both forced here by a change of an unused sprite slot), also across a battle
// frame, a new background and a panel over the sparks' way.
TEST(Window, TitleFramesMatchAWholeCopyOfTheBackground) {
  UiGame restored, whole;
  gfx::Bitmap noise(640, 480);
  uint32_t v = 12345;
  for (gfx::Color& p : noise.Pixels()) p = (v = v * 1103515245u + 12345u) >> 8 & 0x7F7F7F;
  for (UiGame* t : {&restored, &whole}) {
    t->screen.SetSprite(6, noise);
    for (int i = 0; i < 6; ++i) {
      t->screen.SetSprite(22 + i, gfx::Bitmap(20, 20, gfx::Rgb(200, 40 * i, 90)));
      t->screen.SetSprite(28 + i, gfx::Bitmap(10, 10, gfx::Rgb(30 * i, 220, 10)));
    }
    t->g().screen.scene = -1;
  }
  for (int frame = 0; frame < 300; ++frame) {
    if (frame == 100 || frame == 200) {
      for (UiGame* t : {&restored, &whole}) {
        if (frame == 100) t->screen.ComposeFrame(t->g());
        if (frame == 200) t->screen.SetSprite(6, gfx::Bitmap(640, 480, 0x203040));
      }
    }
    for (UiGame* t : {&restored, &whole}) {
      Game& g = t->g();
      g.screen.frameCounter = (g.screen.frameCounter + 1) % 1000;
      if (t == &whole) t->screen.SetSprite(39, gfx::Bitmap());
      t->screen.CopyBackground(g);
      t->screen.DrawTitleScreen(g);
      // The window too: taken from the changed places alone, or drawn whole.
      if (frame == 150) {
        ShowPanel(g.form, W::battle_box);
        g.form[W::battle_box].rect = {100, 8, 473, 465};
      }
      if (frame == 250) g.form[W::battle_box].visible = false;
    }
    ASSERT_TRUE(restored.screen.MainPicture() == whole.screen.MainPicture()) << "frame " << frame;
    ASSERT_TRUE(restored.screen.RenderWindow(restored.g()) == whole.screen.RenderWindow(whole.g()))
        << "frame " << frame;
    ASSERT_TRUE(restored.screen.WindowChanged());
  }
}

// A hash of each of 120 frames of a busy battle: both panels, log lines in every colour, and
// pop-ups of every kind spawned, ageing and ending all the while.
std::vector<uint64_t> BusyBattleFrames() {
  UiGame t;
  Game& g = t.g();
  g.rng.Seed(11);
  testing::SetUpBattle(t);
  g.state.player().hp = 30;
  g.state.player().st_poison = 1;
  for (const char* c : {"green", "yellow", "red", "pink2", "rainbow", "aqua", "purple"})
    AddLogLine(g, Sjis("暗黒剣士ヨイヤミの攻撃！しすみに 123 のダメージ"), c);
  const int types[] = {16, 161, 140, 191, 189, 156, 57, 192, 193, 194, 17, 18, 19, 20, 32};
  std::vector<uint64_t> hashes;
  for (int i = 0; i < 120; ++i) {
    SpawnPopup(g, (i * 91) % 700 - 30, (i * 37) % 540 - 30, types[i % 15], std::to_string(i));
    g.screen.frameCounter = i;
    t.screen.ComposeFrame(g);
    uint64_t h = 1469598103934665603ull;
    for (gfx::Color c : t.screen.MainPicture().Pixels()) h = (h ^ c) * 1099511628211ull;
    for (gfx::Color c : t.screen.GlowLayer().Pixels()) h = (h ^ c) * 1099511628211ull;
    hashes.push_back(h);
  }
  return hashes;
}

// Processors with AVX2 fill spans, OR the glow and blend glyphs with 32-byte stores; the same
// game run with the 16-byte loops (QV_NARROW_STORES) must draw every frame the same.
TEST(Compose, BusyFramesAreTheSameWithNarrowStores) {
  if (const char* out = std::getenv("QV_FRAME_HASHES")) {
    // The run with the narrow loops that this test starts: it writes its frames.
    std::ofstream file(out);
    for (uint64_t h : BusyBattleFrames()) file << h << "\n";
    return;
  }
  if (!gfx::WideStores()) GTEST_SKIP() << "the 32-byte loops are not used here";
  const std::vector<uint64_t> wide = BusyBattleFrames();
  const std::filesystem::path dir = testing::MakeTempDir();
  const std::filesystem::path file = dir / "narrow.txt";
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string run = "QV_NARROW_STORES=1 QV_FRAME_HASHES='" + file.string() + "' '" + self +
                          "' --gtest_filter=Compose.BusyFramesAreTheSameWithNarrowStores"
                          " >/dev/null 2>&1";
  ASSERT_EQ(std::system(run.c_str()), 0);
  std::ifstream in(file);
  std::vector<uint64_t> narrow;
  for (uint64_t h; in >> h;) narrow.push_back(h);
  std::filesystem::remove_all(dir);
  ASSERT_EQ(narrow.size(), wide.size());
  for (size_t i = 0; i < wide.size(); ++i) EXPECT_EQ(narrow[i], wide[i]) << "frame " << i;
}

TEST(Compose, ClickIndicatorShowsWhileALineWaits) {
  UiGame t;
  Game& g = t.g();
  t.screen.ComposeFrame(g);
  EXPECT_EQ(testing::Lit(t.screen.MainPicture(), 600, 460, 640, 480), 0);
  AddTextLineRaw(g, "wait");
  t.screen.ComposeFrame(g);
  EXPECT_GT(testing::Lit(t.screen.MainPicture(), 600, 460, 640, 480), 0);
}

TEST(Compose, LinesSitOnGreyLabelsUnlessCreationIsOpen) {
  UiGame t;
  Game& g = t.g();
  AddTextLine(g, "hello");
  AddLogLine(g, "second", "green");
  t.screen.ComposeFrame(g);
  const gfx::Bitmap& cg = t.screen.MainPicture();
  EXPECT_EQ(cg.Pixel(0, 337 + 8), 0x555555u);       // newest line at y = 337
  EXPECT_EQ(cg.Pixel(0, 337 - 17 + 8), 0x555555u);  // the one before it above
  EXPECT_EQ(cg.Pixel(0, 337 - 34 + 8), 0u);
  EXPECT_GT(testing::CountColour(cg, ui::LineColour(301, g.screen.frameCounter, 0)), 0);

  g.form[W::bp_box].visible = true;
  t.screen.ComposeFrame(g);
  EXPECT_EQ(t.screen.MainPicture().Pixel(0, 337 + 8), 0u);
}

TEST(Compose, ShakesCountDown) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  g.frame.playerShake = 5;
  g.frame.enemyShake = 3;
  for (int i = 0; i < 5; ++i) t.screen.ComposeFrame(g);
  EXPECT_EQ(g.frame.playerShake, 0);
  EXPECT_EQ(g.frame.enemyShake, 3);  // the enemy panel is not up, so it does not shake
  g.battle.battleActive = 1;
  g.state.enemy().name = "e";
  g.state.enemy().present = 1;
  for (int i = 0; i < 5; ++i) t.screen.ComposeFrame(g);
  EXPECT_EQ(g.frame.enemyShake, 0);
}

TEST(Compose, StatusPanelOnlyInPlay) {
  UiGame t;
  Game& g = t.g();
  g.state.player().name = "abc";
  g.state.player().maxHp = 20;
  g.state.player().hp = 20;
  g.screen.scene = -1;
  t.screen.ComposeFrame(g);
  EXPECT_EQ(testing::Lit(t.screen.MainPicture(), 0, 360, 200, 480), 0);
  g.screen.scene = 0;
  t.screen.ComposeFrame(g);
  // A full HP bar: its fill colour reaches 90 pixels along.
  EXPECT_EQ(t.screen.MainPicture().Pixel(90, 406), 0xFF3388u);
}

TEST(ShowBackground, EmptyNameReloadsAndBrokenFilesKeepTheOld) {
  UiGame t;
  Game& g = t.g();
  t.WritePicture("a.bmp", gfx::Bitmap(640, 480, 0x112233));
  t.screen.ShowBackground(g, "a.bmp");
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 10), 0x112233u);
  std::ofstream(g.paths.cgDir / "broken.bmp") << "BM not really";
  t.screen.ShowBackground(g, "broken.bmp");
  EXPECT_EQ(g.frame.background, "broken.bmp");
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 10), 0x112233u);
  t.screen.ShowBackground(g, "missing.bmp");
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 10), 0x112233u);
  // The picture changes on disk; an empty name loads the last name again.
  t.WritePicture("missing.bmp", gfx::Bitmap(640, 480, 0x445566));
  t.screen.ShowBackground(g, "");
  EXPECT_EQ(g.frame.background, "missing.bmp");
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 10), 0x445566u);
}

TEST(ShowBackground, MapFramesAlsoGoToTheMapPicture) {
  UiGame t;
  Game& g = t.g();
  t.WritePicture("a.bmp", gfx::Bitmap(640, 480, 0x112233));
  g.frame.mapShown = 1;
  t.screen.ShowBackground(g, "a.bmp");
  EXPECT_EQ(t.screen.Picture(W::cg2).Pixel(320, 240), 0x112233u);
}

TEST(ShowBackground, TheMapPictureKeepsTheLastMapFrameOnceTheMapCloses) {
  UiGame t;
  Game& g = t.g();
  t.WritePicture("a.bmp", gfx::Bitmap(640, 480, 0x112233));
  t.WritePicture("b.bmp", gfx::Bitmap(640, 480, 0x445566));
  g.frame.mapShown = 1;
  t.screen.ShowBackground(g, "a.bmp");
  g.frame.mapShown = 0;
  t.screen.ShowBackground(g, "b.bmp");
  EXPECT_EQ(t.screen.MainPicture().Pixel(320, 240), 0x445566u);
  EXPECT_EQ(t.screen.Picture(W::cg2).Pixel(320, 240), 0x112233u);
  // A line waiting on the map marks the main picture, not the map's.
  g.frame.mapShown = 1;
  t.screen.ShowBackground(g, "b.bmp");
  g.battle.paused = 1;
  t.screen.ComposeFrame(g);
  int onMain = 0, onMap = 0;
  for (int y = 460; y < 480; ++y) {
    for (int x = 600; x < 640; ++x) {
      onMain += t.screen.MainPicture().Pixel(x, y) != 0x445566u;
      onMap += t.screen.Picture(W::cg2).Pixel(x, y) != 0x445566u;
    }
  }
  EXPECT_GT(onMain, 0);
  EXPECT_EQ(onMap, 0);
}

TEST(Sprites, StarStripsAreCutIntoFrames) {
  UiGame t;
  Game& g = t.g();
  gfx::Bitmap strip(120, 20, 0);
  for (int i = 0; i < 6; ++i) strip.SetPixel(20 * i + 5, 5, gfx::Rgb(10 * (i + 1), 0, 0));
  t.WritePicture("star1.bmp", strip);
  t.screen.LoadSprites(g);
  for (int i = 0; i < 6; ++i) {
    const gfx::Bitmap& s = t.screen.Sprite(22 + i);
    ASSERT_EQ(s.Width(), 20);
    EXPECT_EQ(s.Pixel(5, 5), gfx::Rgb(10 * (i + 1), 0, 0));
    EXPECT_EQ(t.screen.Sprite(28 + i).Width(), 10);
  }
  EXPECT_TRUE(t.screen.Sprite(20).Empty());
  EXPECT_TRUE(t.screen.Sprite(21).Empty());
  EXPECT_TRUE(t.screen.Sprite(39).Empty());
  EXPECT_TRUE(t.screen.Sprite(40).Empty());
  // The background slot always covers the picture, even without map.bmp.
  EXPECT_EQ(t.screen.Sprite(6).Width(), 640);
}

TEST(TitleSprites, FlyUpAndLeftAndComeBack) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = -1;
  g.screen.frameCounter = 1;  // no slowing down on the first frame
  t.screen.DrawTitleScreen(g);
  for (const TitleSprite& s : g.frame.titleSprites) {
    EXPECT_EQ(s.active, 2);
    EXPECT_GE(s.vx, 1);
    EXPECT_GE(s.vy, 1);
    if (s.x + s.vx == 641) {
      EXPECT_LT(s.y + s.vy, 480);  // from the right edge: any height
    } else {
      EXPECT_EQ(s.y + s.vy, 490);
    }
  }
  int freed = 0;
  for (int frame = 0; frame < 400; ++frame) {
    g.screen.frameCounter = (g.screen.frameCounter + 1) % 1000;
    t.screen.DrawTitleScreen(g);
    for (const TitleSprite& s : g.frame.titleSprites) {
      ASSERT_GE(s.y, -10 - 100);
      freed += s.active == 0;
    }
  }
  EXPECT_GT(freed, 30);
}

}  // namespace
}  // namespace qv
