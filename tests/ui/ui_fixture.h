#pragma once
// A test game wired to a real Screen, with pictures the test makes itself.
#include <gtest/gtest.h>

#include "core/text.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/picture_file.h"
#include "support/fake_host.h"
#include "ui/screen.h"

namespace qv::testing {

struct UiGame : TestGame {
  ui::Screen screen;
  UiGame() {
    game->presenter = &screen;
    game->text.formActive = 1;
    game->rng.Seed(7);
  }
  // Writes a picture into the game's cg/ folder.
  void WritePicture(const std::string& name, const gfx::Bitmap& b) {
    ASSERT_TRUE(gfx::WriteBmp(b, game->paths.cgDir / name).ok());
  }
};

// A battle in play: a background shading across the picture, the hero (120 of 400 HP, TP not
// full) and a present enemy with a picture of its own at the right edge.
inline void SetUpBattle(UiGame& t) {
  Game& g = t.g();
  g.screen.scene = 0;
  gfx::Bitmap back(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) back.SetPixel(x, y, gfx::Rgb(x / 3, y / 2, (x + y) / 5));
  t.screen.SetSprite(6, back);
  gfx::Bitmap enemy(120, 200, 0x00FF00);
  gfx::Canvas paint(enemy);
  paint.brush = {0x8040C0, gfx::BrushStyle::Solid};
  paint.FillRect({20, 20, 100, 180});
  enemy.SetTransparentColor(0x00FF00);
  enemy.SetTransparent(true);
  t.screen.SetSprite(7, enemy);
  Combatant& p = g.state.player();
  p.name = Sjis("しすみ");
  p.maxHp = 400;
  p.hp = 120;
  p.maxTp = 100;
  p.tp = 40;
  Combatant& e = g.state.enemy();
  e.name = Sjis("暗黒剣士ヨイヤミ");
  e.present = 1;
  e.maxHp = 900;
  e.hp = 640;
  e.maxTp = 100;
  g.battle.battleActive = 1;
  g.frame.enemyPicture = "man0.bmp";
}

// How many pixels of a picture have exactly this colour.
inline int CountColour(const gfx::Bitmap& b, gfx::Color c) {
  int n = 0;
  for (gfx::Color p : b.Pixels()) n += (p == c);
  return n;
}

// How many pixels in a rectangle are not black.
inline int Lit(const gfx::Bitmap& b, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += b.Pixel(x, y) != 0;
  return n;
}

}  // namespace qv::testing
