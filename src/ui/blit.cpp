#include <algorithm>
#include <cstring>

#include "ui/surfaces.h"

namespace qv::ui {

void CopyPixels(gfx::Bitmap& dst, int32_t x, int32_t y, const gfx::Bitmap& src, gfx::Rect from) {
  // Keep the source rectangle inside the source, moving the destination along with it.
  int64_t sx0 = from.left, sy0 = from.top, sx1 = from.right, sy1 = from.bottom;
  int64_t dx = x, dy = y;
  if (sx0 < 0) { dx -= sx0; sx0 = 0; }
  if (sy0 < 0) { dy -= sy0; sy0 = 0; }
  sx1 = std::min<int64_t>(sx1, src.Width());
  sy1 = std::min<int64_t>(sy1, src.Height());
  // Then the destination inside the target.
  if (dx < 0) { sx0 -= dx; dx = 0; }
  if (dy < 0) { sy0 -= dy; dy = 0; }
  sx1 = std::min<int64_t>(sx1, sx0 + (dst.Width() - dx));
  sy1 = std::min<int64_t>(sy1, sy0 + (dst.Height() - dy));
  if (sx0 >= sx1 || sy0 >= sy1) return;
  const size_t bytes = static_cast<size_t>(sx1 - sx0) * sizeof(gfx::Color);
  const bool same = &dst == &src;
  for (int64_t i = 0; i < sy1 - sy0; ++i) {
    // Moving a picture over itself downwards must copy from the bottom row up.
    const int64_t row = same && dy > sy0 ? (sy1 - sy0 - 1 - i) : i;
    std::memmove(dst.Row(static_cast<int32_t>(dy + row)) + dx,
                 src.Row(static_cast<int32_t>(sy0 + row)) + sx0, bytes);
  }
}

namespace {

// Rows of two distinct pictures never overlap, which lets the compiler vectorise the loop.
void OrRow(gfx::Color* __restrict d, const gfx::Color* __restrict s, int32_t n) {
  for (int32_t x = 0; x < n; ++x) d[x] |= s[x];
}

}  // namespace

void OrPixels(gfx::Bitmap& dst, const gfx::Bitmap& src) {
  const int32_t w = std::min(dst.Width(), src.Width());
  const int32_t h = std::min(dst.Height(), src.Height());
  // Every frame ORs the whole glow layer in. A picture ORed with itself stays as it is.
  if (&dst == &src) return;
  for (int32_t y = 0; y < h; ++y) OrRow(dst.Row(y), src.Row(y), w);
}

}  // namespace qv::ui
