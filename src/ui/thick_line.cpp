#include "ui/thick_line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace qv::ui {
namespace {

// Past this width a round end's reach is guessed anew on every row instead of stepped: near
// the tip of a giant disc one row can move it by thousands of pixels.
constexpr int64_t kMaxSteppedPen = 4096;

// A round end: the disc of diameter w around a pixel centre. For a row d rows away, the
// reach k is the largest with (2k)² + (2d)² <= w², kept from row to row and moved in steps.
class RoundEnd {
 public:
  RoundEnd(int64_t x, int64_t y, int64_t w) : x_(x), y_(y), w_(w) {}

  // Columns [from, to] of the disc on row y; false when the row misses it.
  bool Row(int64_t y, int64_t& from, int64_t& to) {
    const int64_t d = y - y_;
    if (2 * d > w_ || -2 * d > w_) return false;
    const int64_t budget = w_ * w_ - 4 * d * d;
    if (!started_ || w_ > kMaxSteppedPen) {
      k_ = static_cast<int64_t>(std::sqrt(static_cast<double>(budget)) / 2);
      started_ = true;
    }
    while (4 * (k_ + 1) * (k_ + 1) <= budget) ++k_;
    while (k_ > 0 && 4 * k_ * k_ > budget) --k_;
    from = x_ - k_;
    to = x_ + k_;
    return true;
  }

 private:
  int64_t x_, y_, w_;
  bool started_ = false;
  int64_t k_ = 0;
};

// Pens up to this width have the reach of their round ends worked out once per stroke.
constexpr int64_t kTabledPen = 128;

// The reach k of a round end of width w on every row d = 0 .. w/2 away from its centre.
struct EndTable {
  explicit EndTable(int64_t w) : half(w / 2) {
    int64_t k = 0;
    for (int64_t d = half; d >= 0; --d) {
      const int64_t budget = w * w - 4 * d * d;
      while (4 * (k + 1) * (k + 1) <= budget) ++k;
      reach[size_t(d)] = static_cast<int32_t>(k);
    }
  }
  int64_t half;
  std::array<int32_t, kTabledPen / 2 + 1> reach{};
};

// Rounding of a span edge that is known to lie within +-2^31 (no library call).
int64_t Ceil(double v) {
  const int64_t i = static_cast<int64_t>(v);
  return i + (v > static_cast<double>(i) ? 1 : 0);
}
int64_t Floor(double v) {
  const int64_t i = static_cast<int64_t>(v);
  return i - (v < static_cast<double>(i) ? 1 : 0);
}

}  // namespace

void WideLine(gfx::Canvas& c, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (c.pen.style != gfx::PenStyle::Solid) return;
  if (c.pen.width <= 1) {
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
    return;
  }
  gfx::Bitmap& b = c.Target();
  const int64_t w = c.pen.width;
  c.Logged('W', int64_t{std::min(x0, x1)} - w, int64_t{std::min(y0, y1)} - w,
           int64_t{std::max(x0, x1)} + w + 1, int64_t{std::max(y0, y1)} + w + 1, x0, y0, x1, y1,
           c.pen);
  const double r = c.pen.width / 2.0;
  const double ax = x0 + 0.5, ay = y0 + 0.5, bx = x1 + 0.5, by = y1 + 0.5;
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  const double len = std::sqrt(len2);
  const double invDx = dx != 0 ? 1 / dx : 0, invDy = dy != 0 ? 1 / dy : 0;
  // Half the body's width along a row, the same on every row.
  const double across = std::abs(r * len * invDy);
  const int32_t top = static_cast<int32_t>(std::max(0.0, std::floor(std::min(ay, by) - r)));
  const int32_t bottom =
      static_cast<int32_t>(std::min<double>(b.Height(), std::ceil(std::max(ay, by) + r)));
  const gfx::Color colour = c.pen.color;
  RoundEnd start(x0, y0, w), end(x1, y1, w);
  const bool tabled = w <= kTabledPen;
  const EndTable ends(tabled ? w : 0);
  for (int32_t y = top; y < bottom; ++y) {
    int64_t from = std::numeric_limits<int64_t>::max(), to = std::numeric_limits<int64_t>::min();
    // The round ends, in whole pixels.
    if (tabled) {
      for (const auto& [ex, ey] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
        const int64_t d = int64_t{y} - ey;
        if (d < -ends.half || d > ends.half) continue;
        const int64_t k = ends.reach[size_t(d < 0 ? -d : d)];
        from = std::min(from, int64_t{ex} - k);
        to = std::max(to, int64_t{ex} + k);
      }
    } else {
      for (RoundEnd* e : {&start, &end}) {
        int64_t f, t;
        if (e->Row(y, f, t)) {
          from = std::min(from, f);
          to = std::max(to, t);
        }
      }
    }
    // The body: within r of the line and between the two ends; both bounds are straight lines
    // in x against the row, their slopes worked out once per stroke.
    if (len2 > 0) {
      double blo = std::numeric_limits<double>::lowest(), bhi = std::numeric_limits<double>::max();
      const double t = y + 0.5 - ay;
      if (dy != 0) {
        const double a = ax + t * dx * invDy;
        blo = a - across;
        bhi = a + across;
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
        from = std::min(from, Ceil(std::clamp(blo, -1e9, 1e9) - 0.5));
        to = std::max(to, Floor(std::clamp(bhi, -1e9, 1e9) - 0.5));
      }
    }
    from = std::max<int64_t>(from, 0);
    to = std::min<int64_t>(to, b.Width() - 1);
    if (from > to) continue;
    std::fill(b.Row(y) + from, b.Row(y) + to + 1, colour);
  }
  c.MoveTo(x1, y1);
}

}  // namespace qv::ui
