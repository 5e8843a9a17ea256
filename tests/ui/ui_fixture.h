#pragma once
// A test game wired to a real Screen, with pictures the test makes itself.
#include <gtest/gtest.h>

#include "gfx/bitmap.h"
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
