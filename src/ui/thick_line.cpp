#include "ui/thick_line.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::ui {

void WideLine(gfx::Canvas& c, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (c.pen.style != gfx::PenStyle::Solid) return;
  if (c.pen.width <= 1) {
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
    return;
  }
  gfx::Bitmap& b = c.Target();
  const double r = c.pen.width / 2.0;
  const double ax = x0 + 0.5, ay = y0 + 0.5, bx = x1 + 0.5, by = y1 + 0.5;
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  const double len = std::sqrt(len2);
  const double invDx = dx != 0 ? 1 / dx : 0, invDy = dy != 0 ? 1 / dy : 0;
  const int32_t top = static_cast<int32_t>(std::max(0.0, std::floor(std::min(ay, by) - r)));
  const int32_t bottom =
      static_cast<int32_t>(std::min<double>(b.Height(), std::ceil(std::max(ay, by) + r)));
  const gfx::Color colour = c.pen.color;
  for (int32_t y = top; y < bottom; ++y) {
    const double cy = y + 0.5;
    double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    // The round ends.
    for (const auto& [ex, ey] : {std::pair{ax, ay}, std::pair{bx, by}}) {
      const double d = cy - ey;
      if (std::abs(d) > r) continue;
      const double h = std::sqrt(r * r - d * d);
      lo = std::min(lo, ex - h);
      hi = std::max(hi, ex + h);
    }
    // The body: within r of the line and between the two ends; both bounds are straight lines
    // in x against the row, worked out once per stroke.
    if (len2 > 0) {
      double blo = std::numeric_limits<double>::lowest(), bhi = std::numeric_limits<double>::max();
      const double t = cy - ay;
      if (dy != 0) {
        const double a = ax + t * dx * invDy, w = std::abs(r * len * invDy);
        blo = a - w;
        bhi = a + w;
      } else if (std::abs(t) > r) {
        blo = 1, bhi = 0;
      }
      if (dx != 0) {
        double e1 = ax - t * dy * invDx, e2 = ax + (len2 - t * dy) * invDx;
        if (e1 > e2) std::swap(e1, e2);
        blo = std::max(blo, e1);
        bhi = std::min(bhi, e2);
      } else if (t * dy < 0 || t * dy > len2) {
        blo = 1, bhi = 0;
      }
      if (blo <= bhi) {
        lo = std::min(lo, blo);
        hi = std::max(hi, bhi);
      }
    }
    if (lo > hi) continue;
    const int64_t from = std::max<int64_t>(0, static_cast<int64_t>(std::ceil(std::max(lo, -1e9) - 0.5)));
    const int64_t to = std::min<int64_t>(b.Width() - 1, static_cast<int64_t>(std::floor(std::min(hi, 1e9) - 0.5)));
    if (from > to) continue;
    std::fill(b.Row(y) + from, b.Row(y) + to + 1, colour);
  }
  c.MoveTo(x1, y1);
}

}  // namespace qv::ui
