#include "ui/thick_line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "gfx/fill_run.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Rows are worked out this many at a time: first the body's columns of every row, then the
// ends and the filling.
constexpr int32_t kChunk = 256;
// A row the body misses.
constexpr int32_t kNoFrom = std::numeric_limits<int32_t>::max();
constexpr int32_t kNoTo = std::numeric_limits<int32_t>::min();

// The stroke's body: within r of the line and between the two ends; both bounds are straight
// lines in x against the row, their slopes worked out once per stroke.
struct Body {
  double ax, ay, dx, dy, len2, invDx, invDy, across, r;

  // Columns [from, to] of the body on row y (kNoFrom, kNoTo when it misses the row).
  void Row(int32_t y, int32_t& from, int32_t& to) const {
    from = kNoFrom;
    to = kNoTo;
    if (len2 <= 0) return;
    double blo = std::numeric_limits<double>::lowest(), bhi = std::numeric_limits<double>::max();
    const double t = y + 0.5 - ay;
    if (dy != 0) {
      const double a = ax + t * dx * invDy;
      blo = a - across;
      bhi = a + across;
    } else if (std::abs(t) > r) {
      return;
    }
    if (dx != 0) {
      double e1 = ax - t * dy * invDx, e2 = ax + (len2 - t * dy) * invDx;
      if (e1 > e2) std::swap(e1, e2);
      blo = std::max(blo, e1);
      bhi = std::min(bhi, e2);
    } else if (t * dy < 0 || t * dy > len2) {
      return;
    }
    if (blo <= bhi) {
      from = int32_t(Ceil(std::clamp(blo, -1e9, 1e9) - 0.5));
      to = int32_t(Floor(std::clamp(bhi, -1e9, 1e9) - 0.5));
    }
  }

#if defined(__SSE2__)
  // Row() for n rows from y of a slanted stroke (dx and dy not 0, len2 above 0), two rows at a
  // time: the same operations on the same values, so the same columns.
  void SlantedRows(int32_t y, int32_t n, int32_t* from, int32_t* to) const {
    const __m128d vax = _mm_set1_pd(ax), vay = _mm_set1_pd(ay), vdx = _mm_set1_pd(dx);
    const __m128d vdy = _mm_set1_pd(dy), vlen2 = _mm_set1_pd(len2), vinvDx = _mm_set1_pd(invDx);
    const __m128d vinvDy = _mm_set1_pd(invDy), vacross = _mm_set1_pd(across);
    const __m128d half = _mm_set1_pd(0.5), lowest = _mm_set1_pd(-1e9), highest = _mm_set1_pd(1e9);
    const __m128i noFrom = _mm_set1_epi32(kNoFrom), noTo = _mm_set1_epi32(kNoTo);
    // Two 64-bit masks as two 32-bit ones.
    const auto narrow = [](__m128d mask) {
      return _mm_shuffle_epi32(_mm_castpd_si128(mask), _MM_SHUFFLE(2, 0, 2, 0));
    };
    int32_t i = 0;
    for (; i + 2 <= n; i += 2) {
      const __m128d t = _mm_sub_pd(
          _mm_add_pd(_mm_cvtepi32_pd(_mm_setr_epi32(y + i, y + i + 1, 0, 0)), half), vay);
      const __m128d a = _mm_add_pd(vax, _mm_mul_pd(_mm_mul_pd(t, vdx), vinvDy));
      const __m128d td = _mm_mul_pd(t, vdy);
      const __m128d e1 = _mm_sub_pd(vax, _mm_mul_pd(td, vinvDx));
      const __m128d e2 = _mm_add_pd(vax, _mm_mul_pd(_mm_sub_pd(vlen2, td), vinvDx));
      const __m128d blo = _mm_max_pd(_mm_sub_pd(a, vacross), _mm_min_pd(e1, e2));
      const __m128d bhi = _mm_min_pd(_mm_add_pd(a, vacross), _mm_max_pd(e1, e2));
      const __m128d cl = _mm_sub_pd(_mm_min_pd(_mm_max_pd(blo, lowest), highest), half);
      const __m128d ch = _mm_sub_pd(_mm_min_pd(_mm_max_pd(bhi, lowest), highest), half);
      const __m128i il = _mm_cvttpd_epi32(cl), ih = _mm_cvttpd_epi32(ch);
      // Ceil and Floor: a step past the truncation where it fell short.
      const __m128i f = _mm_sub_epi32(il, narrow(_mm_cmpgt_pd(cl, _mm_cvtepi32_pd(il))));
      const __m128i g = _mm_add_epi32(ih, narrow(_mm_cmplt_pd(ch, _mm_cvtepi32_pd(ih))));
      const __m128i some = narrow(_mm_cmple_pd(blo, bhi));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(from + i),
                       _mm_or_si128(_mm_and_si128(some, f), _mm_andnot_si128(some, noFrom)));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to + i),
                       _mm_or_si128(_mm_and_si128(some, g), _mm_andnot_si128(some, noTo)));
    }
    for (; i < n; ++i) Row(y + i, from[i], to[i]);
  }
#else
  void SlantedRows(int32_t y, int32_t n, int32_t* from, int32_t* to) const {
    for (int32_t i = 0; i < n; ++i) Row(y + i, from[i], to[i]);
  }
#endif
};

// Paints columns [from[i], to[i]] of the n rows from `first`, clipped to the bitmap's width.
template <bool kWide>
[[gnu::always_inline]] inline void FillRowsWith(gfx::Bitmap& b, int32_t first, int32_t n,
                                                const int32_t* from, const int32_t* to,
                                                gfx::Color colour) {
  const int64_t last = b.Width() - 1;
  for (int32_t i = 0; i < n; ++i) {
    const int64_t x0 = std::max<int64_t>(from[i], 0);
    const int64_t x1 = std::min<int64_t>(to[i], last);
    gfx::FillRun<kWide>(b.Row(first + i) + x0, x1 + 1 - x0, colour);
  }
}

[[gnu::target("avx2"), gnu::flatten]] void FillRowsWide(gfx::Bitmap& b, int32_t first, int32_t n,
                                                        const int32_t* from, const int32_t* to,
                                                        gfx::Color colour) {
  FillRowsWith<true>(b, first, n, from, to, colour);
}

void FillRows(gfx::Bitmap& b, int32_t first, int32_t n, const int32_t* from, const int32_t* to,
              gfx::Color colour) {
  if (gfx::WideStores())
    FillRowsWide(b, first, n, from, to, colour);
  else
    FillRowsWith<false>(b, first, n, from, to, colour);
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
  if (!c.Logged('W', int64_t{std::min(x0, x1)} - w, int64_t{std::min(y0, y1)} - w,
                int64_t{std::max(x0, x1)} + w + 1, int64_t{std::max(y0, y1)} + w + 1, x0, y0, x1,
                y1, c.pen))
    return;
  const double r = c.pen.width / 2.0;
  const double ax = x0 + 0.5, ay = y0 + 0.5, bx = x1 + 0.5, by = y1 + 0.5;
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  const double len = std::sqrt(len2);
  const double invDx = dx != 0 ? 1 / dx : 0, invDy = dy != 0 ? 1 / dy : 0;
  // Half the body's width along a row, the same on every row.
  const Body body{ax, ay, dx, dy, len2, invDx, invDy, std::abs(r * len * invDy), r};
  const bool slanted = len2 > 0 && dx != 0 && dy != 0;
  const int32_t top = static_cast<int32_t>(std::max(0.0, std::floor(std::min(ay, by) - r)));
  const int32_t bottom =
      static_cast<int32_t>(std::min<double>(b.Height(), std::ceil(std::max(ay, by) + r)));
  const gfx::Color colour = c.pen.color;
  RoundEnd start(x0, y0, w), end(x1, y1, w);
  const bool tabled = w <= kTabledPen;
  const EndTable ends(tabled ? w : 0);
  std::array<int32_t, kChunk> bodyFrom, bodyTo;
  for (int32_t first = top; first < bottom; first += kChunk) {
    const int32_t n = std::min(kChunk, bottom - first);
    if (slanted) {
      body.SlantedRows(first, n, bodyFrom.data(), bodyTo.data());
    } else {
      for (int32_t i = 0; i < n; ++i) body.Row(first + i, bodyFrom[size_t(i)], bodyTo[size_t(i)]);
    }
    // The round ends, in whole pixels, over the rows they reach. Columns beyond 32 bits are
    // held at its limits: they lie far outside the bitmap either way.
    const auto widen = [&](int32_t i, int64_t f, int64_t t) {
      constexpr int64_t kLo = kNoTo, kHi = kNoFrom;
      bodyFrom[size_t(i)] = std::min(bodyFrom[size_t(i)], int32_t(std::clamp(f, kLo, kHi)));
      bodyTo[size_t(i)] = std::max(bodyTo[size_t(i)], int32_t(std::clamp(t, kLo, kHi)));
    };
    for (int e = 0; e < 2; ++e) {
      const int64_t ex = e == 0 ? x0 : x1, ey = e == 0 ? y0 : y1;
      const int64_t reach = tabled ? ends.half : w / 2 + 1;
      const int64_t i0 = std::max<int64_t>(ey - reach - first, 0);
      const int64_t i1 = std::min<int64_t>(ey + reach - first, n - 1);
      for (int64_t i = i0; i <= i1; ++i) {
        if (tabled) {
          const int64_t d = first + i - ey;
          const int64_t k = ends.reach[size_t(d < 0 ? -d : d)];
          widen(int32_t(i), ex - k, ex + k);
        } else if (int64_t f, t; (e == 0 ? start : end).Row(first + i, f, t)) {
          widen(int32_t(i), f, t);
        }
      }
    }
    FillRows(b, first, n, bodyFrom.data(), bodyTo.data(), colour);
  }
  c.MoveTo(x1, y1);
}

}  // namespace qv::ui
