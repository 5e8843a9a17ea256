// figure_sheet OUT.png COLUMNS PICTURE...: lays every figure of the game side by side, each
// scaled into one tile, its key colour (the bottom-left pixel) shown as a neutral grey, so the
// figures can be judged together: the portraits, the wanderers, each scene's enemy alone.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/picture_file.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: figure_sheet OUT.png COLUMNS PICTURE...\n");
    return 2;
  }
  using qv::gfx::Bitmap;
  const int columns = std::max(1, std::atoi(argv[2]));
  const int count = argc - 3;
  const int gap = 4, tileW = 160, tileH = 240;
  const int rows = (count + columns - 1) / columns;
  Bitmap sheet(columns * tileW + (columns + 1) * gap, rows * tileH + (rows + 1) * gap,
               qv::gfx::Rgb(24, 24, 28));
  const qv::gfx::Color grey = qv::gfx::Rgb(96, 96, 104);
  for (int n = 0; n < count; ++n) {
    auto picture = qv::gfx::LoadPicture(argv[3 + n]);
    if (!picture.ok() || picture->Empty()) {
      std::fprintf(stderr, "figure_sheet: %s: %s\n", argv[3 + n], picture.message().c_str());
      return 1;
    }
    const Bitmap& p = *picture;
    const qv::gfx::Color key = p.Pixel(0, p.Height() - 1);
    // The painted part only, so a figure alone on a whole scene fills its tile.
    int x0 = p.Width(), y0 = p.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < p.Height(); ++y) {
      for (int x = 0; x < p.Width(); ++x) {
        if (p.Pixel(x, y) == key) continue;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
    }
    if (x1 < 0) continue;
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    const double scale = std::min({1.0, double(tileW) / w, double(tileH) / h});
    const int ox = gap + (n % columns) * (tileW + gap), oy = gap + (n / columns) * (tileH + gap);
    for (int y = 0; y < tileH; ++y) {
      for (int x = 0; x < tileW; ++x) sheet.SetPixel(ox + x, oy + y, grey);
    }
    const int dw = int(w * scale), dh = int(h * scale);
    const int dx = ox + (tileW - dw) / 2, dy = oy + tileH - dh;
    for (int y = 0; y < dh; ++y) {
      for (int x = 0; x < dw; ++x) {
        const qv::gfx::Color c = p.Pixel(x0 + int(x / scale), y0 + int(y / scale));
        if (c != key) sheet.SetPixel(dx + x, dy + y, c);
      }
    }
  }
  if (!qv::gfx::WritePng(sheet, argv[1]).ok()) {
    std::fprintf(stderr, "figure_sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
