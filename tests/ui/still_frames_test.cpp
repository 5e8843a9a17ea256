#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "ui_fixture.h"

namespace qv {
namespace {

using testing::UiGame;

// A still frame is only sketched once it has come twice; what the screen then keeps must be
// what drawing it would give. `kept` composes as the game does, `drawn` is made to draw every
// frame (a change of an unused sprite slot). Both go through the same changes, each followed by
// a few frames: the main picture, the glow layer, the map's picture, the window and the
// game's own state must stay the same frame after frame.
TEST(StillFrames, AreKeptExactlyAsTheyWouldBeDrawn) {
  UiGame kept, drawn;
  for (UiGame* t : {&kept, &drawn}) {
    testing::SetUpBattle(*t);
    AddTextLineRaw(t->g(), Sjis("ヨイヤミがあらわれた！"));
  }
  struct Step {
    const char* what;
    std::function<void(UiGame&)> change;
    int frames;
  };
  const std::vector<Step> steps = {
      {"a battle waiting", [](UiGame&) {}, 5},
      {"a line added", [](UiGame& t) { AddTextLineRaw(t.g(), Sjis("しすみの攻撃！")); }, 5},
      {"a line waiting for a click", [](UiGame& t) { t.g().battle.paused = 1; }, 5},
      {"the map up while the line waits", [](UiGame& t) { t.g().frame.mapShown = 1; }, 5},
      {"the click taken", [](UiGame& t) { t.g().battle.paused = 0; }, 5},
      {"the line waiting again on the map", [](UiGame& t) { t.g().battle.paused = 1; }, 5},
      {"the map closed while it waits", [](UiGame& t) { t.g().frame.mapShown = 0; }, 5},
      {"the map up again", [](UiGame& t) { t.g().frame.mapShown = 1; }, 5},
      {"the click taken on the map", [](UiGame& t) { t.g().battle.paused = 0; }, 5},
      {"a damage number", [](UiGame& t) { SpawnPopup(t.g(), 300, 200, 16, "57"); }, 40},
      {"sparks of a hit", [](UiGame& t) { SpawnPopup(t.g(), 200, 150, 161, ""); }, 40},
      {"a flash", [](UiGame& t) { SpawnPopup(t.g(), 0, 0, 32, ""); }, 5},
      {"the enemy shaking", [](UiGame& t) { t.g().frame.enemyShake = 3; }, 6},
      {"the player shaking", [](UiGame& t) { t.g().frame.playerShake = 3; }, 6},
      {"a number changed", [](UiGame& t) { t.g().state.player().hp = 80; }, 5},
      {"a line whose colour cycles", [](UiGame& t) { AddLogLine(t.g(), Sjis("会心！"), "red"); },
       5},
      {"game over", [](UiGame& t) { t.g().battle.gameOver = 1; }, 5},
      {"game over ended", [](UiGame& t) { t.g().battle.gameOver = 0; }, 5},
      {"a new background", [](UiGame& t) { t.screen.SetSprite(6, gfx::Bitmap(640, 480, 0x2040)); },
       5},
  };
  int frame = 0;
  for (const Step& step : steps) {
    for (UiGame* t : {&kept, &drawn}) step.change(*t);
    for (int i = 0; i < step.frames; ++i, ++frame) {
      for (UiGame* t : {&kept, &drawn}) {
        t->g().screen.frameCounter = frame % 1000;
        if (t == &drawn) t->screen.SetSprite(39, gfx::Bitmap());
        t->screen.ComposeFrame(t->g());
      }
      SCOPED_TRACE(std::string(step.what) + ", frame " + std::to_string(i));
      ASSERT_TRUE(kept.screen.MainPicture() == drawn.screen.MainPicture());
      ASSERT_TRUE(kept.screen.GlowLayer() == drawn.screen.GlowLayer());
      ASSERT_TRUE(kept.screen.Picture(W::cg2) == drawn.screen.Picture(W::cg2));
      ASSERT_TRUE(kept.screen.RenderWindow(kept.g()) == drawn.screen.RenderWindow(drawn.g()));
    }
  }
  EXPECT_EQ(Random(kept.g(), 1 << 30), Random(drawn.g(), 1 << 30)) << "the games went apart";
  EXPECT_EQ(drawn.screen.FramesKept(), 0u);
  // Every step but the moving ones ends in frames that repeat.
  EXPECT_GE(kept.screen.FramesKept(), 30u);
}

// The map left alone keeps its frame; the window is not drawn again either.
TEST(StillFrames, TheMapLeftAloneIsDrawnOnce) {
  UiGame t;
  testing::SetUpBattle(t);
  Game& g = t.g();
  g.battle.battleActive = 0;
  g.state.enemy().present = 0;
  g.frame.mapShown = 1;
  ShowPanel(g.form, W::map_box);
  for (int i = 0; i < 3; ++i) {
    t.screen.ComposeFrame(g);
    t.screen.RenderWindow(g);
  }
  const uint64_t before = t.screen.FramesKept();
  for (int i = 0; i < 20; ++i) {
    t.screen.ComposeFrame(g);
    t.screen.RenderWindow(g);
    EXPECT_FALSE(t.screen.WindowChanged());
  }
  EXPECT_EQ(t.screen.FramesKept(), before + 20);
  // A change is drawn at once.
  g.state.money += 5;
  t.screen.ComposeFrame(g);
  t.screen.RenderWindow(g);
  EXPECT_TRUE(t.screen.WindowChanged());
  EXPECT_EQ(t.screen.FramesKept(), before + 20);
}

}  // namespace
}  // namespace qv
