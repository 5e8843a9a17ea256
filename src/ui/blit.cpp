#include <algorithm>
#include <cstring>

#include "gfx/fill_run.h"
#include "ui/surfaces.h"

namespace qv::ui {

namespace {

// Where a copy of `from` to (x, y) lands once clipped: the source rectangle kept inside the
// source and the destination inside the target, each moving the other along.
struct CopySpan {
  int64_t sx0, sy0, sx1, sy1, dx, dy;
};

bool ClipCopy(const gfx::Bitmap& dst, int32_t x, int32_t y, const gfx::Bitmap& src,
              const gfx::Rect& from, CopySpan& c) {
  c.sx0 = std::max(from.left, 0);
  c.sy0 = std::max(from.top, 0);
  c.dx = int64_t{x} + (c.sx0 - from.left);
  c.dy = int64_t{y} + (c.sy0 - from.top);
  c.sx1 = std::min(from.right, src.Width());
  c.sy1 = std::min(from.bottom, src.Height());
  if (c.dx < 0) {
    c.sx0 -= c.dx;
    c.dx = 0;
  }
  if (c.dy < 0) {
    c.sy0 -= c.dy;
    c.dy = 0;
  }
  c.sx1 = std::min<int64_t>(c.sx1, c.sx0 + (dst.Width() - c.dx));
  c.sy1 = std::min<int64_t>(c.sy1, c.sy0 + (dst.Height() - c.dy));
  return c.sx0 < c.sx1 && c.sy0 < c.sy1;
}

}  // namespace

void CopyPixels(gfx::Bitmap& dst, int32_t x, int32_t y, const gfx::Bitmap& src, gfx::Rect from) {
  CopySpan c;
  if (!ClipCopy(dst, x, y, src, from, c)) return;
  const auto [sx0, sy0, sx1, sy1, dx, dy] = c;
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
[[gnu::always_inline]] inline void OrRow(gfx::Color* __restrict d, const gfx::Color* __restrict s,
                                         int32_t n) {
  for (int32_t x = 0; x < n; ++x) d[x] |= s[x];
}

// The rows [y0, y1) of columns [x0, x1); the same loop built for AVX2 where the processor has it.
[[gnu::always_inline]] inline void OrRows(gfx::Bitmap& dst, const gfx::Bitmap& src, int32_t x0,
                                          int32_t y0, int32_t x1, int32_t y1) {
  for (int32_t y = y0; y < y1; ++y) OrRow(dst.Row(y) + x0, src.Row(y) + x0, x1 - x0);
}
[[gnu::target("avx2")]] void OrRowsWide(gfx::Bitmap& dst, const gfx::Bitmap& src, int32_t x0,
                                        int32_t y0, int32_t x1, int32_t y1) {
  OrRows(dst, src, x0, y0, x1, y1);
}

[[gnu::always_inline]] inline void FillRows(gfx::Bitmap& dst, int32_t x0, int32_t y0, int32_t x1,
                                            int32_t y1, gfx::Color c) {
  for (int32_t y = y0; y < y1; ++y) std::fill(dst.Row(y) + x0, dst.Row(y) + x1, c);
}
[[gnu::target("avx2"), gnu::flatten]] void FillRowsWide(gfx::Bitmap& dst, int32_t x0, int32_t y0,
                                                        int32_t x1, int32_t y1, gfx::Color c) {
  FillRows(dst, x0, y0, x1, y1, c);
}

}  // namespace

void OrPixels(gfx::Bitmap& dst, const gfx::Bitmap& src) {
  OrPixels(dst, src, {0, 0, dst.Width(), dst.Height()});
}

void OrPixels(gfx::Bitmap& dst, const gfx::Bitmap& src, const gfx::Rect& area) {
  const int32_t x0 = std::max(area.left, 0), y0 = std::max(area.top, 0);
  const int32_t x1 = std::min({area.right, dst.Width(), src.Width()});
  const int32_t y1 = std::min({area.bottom, dst.Height(), src.Height()});
  // A picture ORed with itself stays as it is.
  if (&dst == &src || x0 >= x1) return;
  if (gfx::WideStores())
    OrRowsWide(dst, src, x0, y0, x1, y1);
  else
    OrRows(dst, src, x0, y0, x1, y1);
}

void FillPixels(gfx::Bitmap& dst, const gfx::Rect& area, gfx::Color c) {
  const int32_t x0 = std::max(area.left, 0), y0 = std::max(area.top, 0);
  const int32_t x1 = std::min(area.right, dst.Width()), y1 = std::min(area.bottom, dst.Height());
  if (x0 >= x1) return;
  if (gfx::WideStores())
    FillRowsWide(dst, x0, y0, x1, y1, c);
  else
    FillRows(dst, x0, y0, x1, y1, c);
}

void CopyPixelsKeyed(gfx::Bitmap& dst, int32_t x, int32_t y, const gfx::Bitmap& src, gfx::Rect from,
                     gfx::Color key) {
  CopySpan c;
  if (&dst == &src || !ClipCopy(dst, x, y, src, from, c)) return;
  const auto [sx0, sy0, sx1, sy1, dx, dy] = c;
  for (int64_t row = sy0; row < sy1; ++row) {
    const gfx::Color* s = src.Row(int32_t(row)) + sx0;
    gfx::Color* d = dst.Row(int32_t(dy + row - sy0)) + dx;
    for (int64_t i = 0; i < sx1 - sx0; ++i) {
      if (s[i] != key) d[i] = s[i];
    }
  }
}

}  // namespace qv::ui
