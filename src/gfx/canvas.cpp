#include "gfx/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "gfx/fill_run.h"

namespace qv::gfx {

namespace {

// A box with rounded corners on pixel edges; a plain rectangle has no radii and an ellipse has
// radii of half its sides. Every shape the canvas fills is one of these, so the outline of a
// shape is its outer box minus the box inset by the pen's width. The radii are kept doubled:
// they are whole or half pixels, and so stay integers.
struct Shape {
  int64_t left, top, right, bottom;
  int64_t rx2, ry2;  // corner radii times two

  bool Empty() const { return right <= left || bottom <= top; }

  Shape Inset(int64_t d) const {
    return {left + d,
            top + d,
            right - d,
            bottom - d,
            std::max<int64_t>(0, rx2 - 2 * d),
            std::max<int64_t>(0, ry2 - 2 * d)};
  }
};

// Corners up to this doubled radius are walked in integers; the products of the walk stay far
// inside 64 bits. Bigger ones (no picture of the game has any) take square roots row by row.
constexpr int64_t kMaxWalkedRadius2 = 16384;

// The columns a shape covers on the rows of its upper half, from the top down: pixel x is inside
// on row y when its centre lies inside the shape or on its edge. The lower half is the mirror
// image: row top + bottom - 1 - y has the columns of row y. A corner row keeps u, the reach
// beyond the corner's centre (doubled, so it is odd or even with the radius), as the largest with
// u² ry² + d² rx² <= rx² ry² for the row's height d into the corner. Going down, d shrinks and u
// only grows, a step or two a row: no square root and no division.
class UpperSpans {
 public:
  explicit UpperSpans(const Shape& s)
      : s_(s),
        rounded_(s.rx2 > 0 && s.ry2 > 0),
        corner_(2 * s.top + s.ry2),
        walked_(s.rx2 <= kMaxWalkedRadius2 && s.ry2 <= kMaxWalkedRadius2),
        rx2sq_(walked_ ? s.rx2 * s.rx2 : 0),
        ry2sq_(walked_ ? s.ry2 * s.ry2 : 0) {}

  // The rows of the upper half, [top, Middle()).
  int64_t Middle() const { return s_.top + (s_.bottom - s_.top + 1) / 2; }

  // Columns [x0, x1) of row y of the upper half; rows must come in increasing order (gaps
  // allowed). False when the row holds none.
  [[gnu::always_inline]] bool Row(int64_t y, int64_t& x0, int64_t& x1) {
    const int64_t d = corner_ - (2 * y + 1);
    int64_t u = s_.rx2 - 1;
    if (rounded_ && d > 0) {
      if (!walked_) return FloatRow(d, x0, x1);
      u = Reach(d);
    }
    // u keeps the parity of rx2 - 1, so both halvings are exact.
    x0 = (left2_ - u) >> 1;
    x1 = ((u + right2_) >> 1) + 1;
    return x1 > x0;
  }

 private:
  int64_t Reach(int64_t d) {
    const int64_t budget = rx2sq_ * (ry2sq_ - d * d);
    if (!started_) {
      // The first row guesses once; the steps below make the guess exact.
      const double guess = double(s_.rx2) * std::sqrt(double(ry2sq_ - d * d)) / double(s_.ry2);
      u_ = static_cast<int64_t>(guess);
      if (((u_ - s_.rx2 - 1) & 1) != 0) --u_;
      while (u_ > 0 && u_ * u_ * ry2sq_ > budget) u_ -= 2;
      started_ = true;
      next_ = (u_ + 2) * (u_ + 2) * ry2sq_;
      step_ = (4 * u_ + 12) * ry2sq_;
    }
    // next_ is (u + 2)² ry², step_ what it grows by when u does; both move by additions.
    while (next_ <= budget) {
      u_ += 2;
      next_ += step_;
      step_ += 8 * ry2sq_;
    }
    return u_;
  }

  // Giant corners: the inset of the row from the ellipse's equation.
  bool FloatRow(int64_t d2, int64_t& x0, int64_t& x1) const {
    const double rx = s_.rx2 / 2.0, ry = s_.ry2 / 2.0, t = (d2 / 2.0) / ry;
    const double inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - t * t));
    x0 = static_cast<int64_t>(std::ceil(double(s_.left) + inset - 0.5));
    x1 = static_cast<int64_t>(std::floor(double(s_.right) - inset - 0.5)) + 1;
    return x1 > x0;
  }

  Shape s_;
  bool rounded_;
  int64_t corner_;  // the doubled row line where the upper corners end
  bool walked_;
  int64_t rx2sq_, ry2sq_;
  int64_t left2_ = 2 * s_.left + s_.rx2 - 1, right2_ = 2 * s_.right - s_.rx2 - 1;
  bool started_ = false;
  int64_t u_ = 0, next_ = 0, step_ = 0;
};

// The band a pen of width w covers around the pixel line c: a one-pixel pen sits on the line
// itself, wider pens are centred on it.
int64_t BandStart(int64_t c, int32_t w) {
  return c - w / 2;
}

template <bool kWide = false>
[[gnu::always_inline]] inline void FillSpan(Bitmap& b, int64_t y, int64_t x0, int64_t x1, Color c) {
  if (y < 0 || y >= b.Height()) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, b.Width());
  FillRun<kWide>(b.Row(int32_t(y)) + x0, x1 - x0, c);
}

// Calls visit(y, mirror) for the rows y of the upper half of `s` for which y or its mirror
// row in the lower half lies on the bitmap, in increasing order.
template <typename Visit>
void ForUpperRows(const Bitmap& b, const Shape& s, int64_t middle, Visit visit) {
  if (s.Empty()) return;
  const int64_t h = b.Height(), flip = s.top + s.bottom - 1;
  // Rows seen themselves, and rows whose mirror is seen.
  const int64_t a0 = std::max<int64_t>(s.top, 0), a1 = std::min(middle, h);
  const int64_t m0 = std::max(s.top, flip - h + 1), m1 = std::min(middle, flip + 1);
  const auto run = [&](int64_t from, int64_t to) {
    for (int64_t y = from; y < to; ++y) visit(y, flip - y);
  };
  if (a0 >= a1 || m0 >= m1 || a1 < m0 || m1 < a0) {
    // Apart (or one of them empty): the higher rows first.
    if (a0 < m0) {
      run(a0, a1);
      run(m0, m1);
    } else {
      run(m0, m1);
      run(a0, a1);
    }
  } else {
    run(std::min(a0, m0), std::max(a1, m1));
  }
}

template <bool kWide>
[[gnu::always_inline]] inline void FillShapeWith(Bitmap& b, const Shape& s, Color c) {
  UpperSpans spans(s);
  ForUpperRows(b, s, spans.Middle(), [&](int64_t y, int64_t mirror) {
    int64_t x0, x1;
    if (!spans.Row(y, x0, x1)) return;
    FillSpan<kWide>(b, y, x0, x1, c);
    if (mirror != y) FillSpan<kWide>(b, mirror, x0, x1, c);
  });
}

[[gnu::target("avx2"), gnu::flatten]] void FillShapeWide(Bitmap& b, const Shape& s, Color c) {
  FillShapeWith<true>(b, s, c);
}

void FillShape(Bitmap& b, const Shape& s, Color c) {
  if (WideStores())
    FillShapeWide(b, s, c);
  else
    FillShapeWith<false>(b, s, c);
}

// Paints what lies inside `outer` but not inside `inner` (which is `outer` inset, so both
// mirror about the same middle).
template <bool kWide>
[[gnu::always_inline]] inline void FillRingWith(Bitmap& b, const Shape& outer, const Shape& inner,
                                                Color c) {
  UpperSpans outerSpans(outer), innerSpans(inner);
  const bool hollow = !inner.Empty();
  const int64_t width = b.Width(), height = b.Height();
  ForUpperRows(b, outer, outerSpans.Middle(), [&](int64_t y, int64_t mirror) {
    int64_t ox0, ox1, ix0, ix1;
    if (!outerSpans.Row(y, ox0, ox1)) return;
    // The row's one or two pieces, clipped to the bitmap once for both rows.
    int64_t a0 = std::max<int64_t>(ox0, 0), a1 = std::min(ox1, width), b0 = 0, b1 = 0;
    if (a0 >= a1) return;
    if (hollow && y >= inner.top && innerSpans.Row(y, ix0, ix1)) {
      b0 = std::max(ix1, a0);
      b1 = a1;
      a1 = std::min(ix0, a1);
    }
    for (const int64_t row : {y, mirror}) {
      if (row >= 0 && row < height) {
        Color* line = b.Row(int32_t(row));
        FillRun<kWide>(line + a0, a1 - a0, c);
        FillRun<kWide>(line + b0, b1 - b0, c);
      }
      if (mirror == y) break;
    }
  });
}

[[gnu::target("avx2"), gnu::flatten]] void FillRingWide(Bitmap& b, const Shape& outer,
                                                        const Shape& inner, Color c) {
  FillRingWith<true>(b, outer, inner, c);
}

void FillRing(Bitmap& b, const Shape& outer, const Shape& inner, Color c) {
  if (WideStores())
    FillRingWide(b, outer, inner, c);
  else
    FillRingWith<false>(b, outer, inner, c);
}

// Positions along one axis of a line: start + i * delta / n rounded to the nearest pixel, halves
// away from the start, for i = first, first + 1, ...; only the first needs a division.
class AxisSteps {
 public:
  AxisSteps(int64_t start, int64_t delta, int64_t n, int64_t first)
      : sign_(delta < 0 ? -1 : 1), inc_(2 * (delta < 0 ? -delta : delta)), den_(2 * n) {
    if (n == 0) {
      pos_ = start;
      inc_ = 0;
      den_ = 1;
      return;
    }
    const __int128 num = static_cast<__int128>(first) * inc_ + n;
    pos_ = start + sign_ * static_cast<int64_t>(num / den_);
    rem_ = static_cast<int64_t>(num % den_);
  }
  int64_t Pos() const { return pos_; }
  // |delta| <= n, so the position moves at most one pixel a step.
  void Next() {
    rem_ += inc_;
    if (rem_ >= den_) {
      rem_ -= den_;
      pos_ += sign_;
    }
  }

 private:
  int64_t sign_, inc_, den_;
  int64_t pos_ = 0, rem_ = 0;
};

// Above this width a line's round dots are filled one by one instead of from one shared
// table of rows.
constexpr int32_t kMaxTabledDot = 1024;

// The part of a rectangle (any coordinates) that lies on the bitmap.
Rect ClipTo(const Bitmap& b, int64_t l, int64_t t, int64_t r, int64_t bottom) {
  const auto clamp = [](int64_t v, int32_t hi) { return int32_t(std::clamp<int64_t>(v, 0, hi)); };
  return {clamp(l, b.Width()), clamp(t, b.Height()), clamp(r, b.Width()),
          clamp(bottom, b.Height())};
}

}  // namespace

void DrawLog::Touch(const Rect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  if (area.right <= area.left || area.bottom <= area.top) {
    area = r;
    return;
  }
  area = {std::min(area.left, r.left), std::min(area.top, r.top), std::max(area.right, r.right),
          std::max(area.bottom, r.bottom)};
}

void Canvas::LogArea(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  if (log_) log_->Touch(ClipTo(*target_, left, top, right, bottom));
}

void Canvas::LogValue(std::string& out, int64_t v) {
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}
void Canvas::LogValue(std::string& out, const Rect& r) {
  for (int32_t v : {r.left, r.top, r.right, r.bottom}) LogValue(out, int64_t{v});
}
void Canvas::LogValue(std::string& out, const Pen& p) {
  LogValue(out, (int64_t{p.width} << 32) | (int64_t{p.color} << 1) |
                    int64_t(p.style == PenStyle::Solid));
}
void Canvas::LogValue(std::string& out, const Brush& b) {
  LogValue(out, (int64_t{b.color} << 1) | int64_t(b.style == BrushStyle::Solid));
}
void Canvas::LogValue(std::string& out, const Font& f) {
  LogValue(out, (int64_t{f.height} << 32) | (int64_t{f.color} << 2) | (int64_t{f.bold} << 1) |
                    int64_t(f.face == FontFace::Fixed));
}
void Canvas::LogValue(std::string& out, const Bitmap* b) {
  LogValue(out, static_cast<int64_t>(reinterpret_cast<uintptr_t>(b)));
  LogValue(out, (int64_t{b->Width()} << 32) | b->Height());
  LogValue(out, (int64_t{b->Transparent()} << 32) | b->TransparentColor());
}
void Canvas::LogValue(std::string& out, std::string_view text) {
  LogValue(out, static_cast<int64_t>(text.size()));
  out += text;
}

Canvas::Canvas(Bitmap& target) : target_(&target), fonts_(&FontLibrary::Shared()) {}
Canvas::Canvas(Bitmap& target, FontLibrary& fonts) : target_(&target), fonts_(&fonts) {}

void Canvas::FillRect(const Rect& r) {
  if (brush.style != BrushStyle::Solid) return;
  Log('F', r, brush);
  LogArea(r.left, r.top, r.right, r.bottom);
  if (sketching_) return;
  const int32_t y0 = std::max(r.top, 0), y1 = std::min(r.bottom, target_->Height());
  for (int32_t y = y0; y < y1; ++y) FillSpan(*target_, y, r.left, r.right, brush.color);
}

void Canvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  RoundRect(x1, y1, x2, y2, 0, 0);
}

void Canvas::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int64_t w = std::abs(int64_t{x2} - x1), h = std::abs(int64_t{y2} - y1);
  // Corner radii as large as the box make the rounded box an ellipse.
  RoundRect(x1, y1, x2, y2, static_cast<int32_t>(std::min<int64_t>(w, INT32_MAX)),
            static_cast<int32_t>(std::min<int64_t>(h, INT32_MAX)));
}

void Canvas::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerW,
                       int32_t cornerH) {
  Log('R', x1, y1, x2, y2, cornerW, cornerH, pen, brush);
  const int64_t reach = std::max(1, pen.width);
  LogArea(int64_t{std::min(x1, x2)} - reach, int64_t{std::min(y1, y2)} - reach,
          int64_t{std::max(x1, x2)} + reach, int64_t{std::max(y1, y2)} + reach);
  if (sketching_) return;
  int64_t l = std::min(x1, x2), r = std::max(x1, x2);
  int64_t t = std::min(y1, y2), b = std::max(y1, y2);
  const bool outlined = pen.style == PenStyle::Solid;
  // Without a pen the window system fills one pixel less to the right and below; pictures
  // were laid out against that.
  if (!outlined) --r, --b;
  if (r <= l || b <= t) return;
  const int32_t w = std::max(1, pen.width);
  const int64_t rx2 = std::min<int64_t>(std::max(0, cornerW), r - l);
  const int64_t ry2 = std::min<int64_t>(std::max(0, cornerH), b - t);
  if (!outlined) {
    if (brush.style == BrushStyle::Solid) FillShape(*target_, {l, t, r, b, rx2, ry2}, brush.color);
    return;
  }
  // The pen runs along the outermost pixels l .. r-1 and t .. b-1.
  const int64_t ol = BandStart(l, w), ot = BandStart(t, w);
  const int64_t orr = BandStart(r - 1, w) + w, ob = BandStart(b - 1, w) + w;
  const int64_t grow = l - ol;
  const Shape outer{ol,
                    ot,
                    orr,
                    ob,
                    rx2 > 0 ? std::min(rx2 + 2 * grow, orr - ol) : 0,
                    ry2 > 0 ? std::min(ry2 + 2 * grow, ob - ot) : 0};
  const Shape inner = outer.Inset(w);
  if (brush.style == BrushStyle::Solid) FillShape(*target_, inner, brush.color);
  FillRing(*target_, outer, inner, pen.color);
}

void Canvas::MoveTo(int32_t x, int32_t y) {
  penX_ = x;
  penY_ = y;
}

void Canvas::LineTo(int32_t x, int32_t y) {
  Log('L', penX_, penY_, x, y, pen);
  const int64_t reach = std::max(1, pen.width);
  LogArea(int64_t{std::min(penX_, x)} - reach, int64_t{std::min(penY_, y)} - reach,
          int64_t{std::max(penX_, x)} + reach + 1, int64_t{std::max(penY_, y)} + reach + 1);
  const int64_t x0 = penX_, y0 = penY_;
  penX_ = x;
  penY_ = y;
  if (sketching_ || pen.style != PenStyle::Solid) return;
  const int32_t w = std::max(1, pen.width);
  const int64_t dx = int64_t{x} - x0, dy = int64_t{y} - y0;
  const int64_t n = std::max(std::abs(dx), std::abs(dy));
  // A thin line stops one pixel short of its end; a wide one is stamped with round dots
  // at both ends.
  const int64_t last = w == 1 ? n - 1 : n;
  if (last < 0) return;
  const Bitmap& b = *target_;
  const int64_t margin = w;
  // Only steps whose major coordinate falls near the bitmap can draw, which keeps the
  // loop short for lines that start or end far outside.
  int64_t i0 = 0, i1 = last;
  auto limit = [&](int64_t start, int64_t delta, int64_t size) {
    if (delta == 0) {
      if (start < -margin || start >= size + margin) i1 = -1;
      return;
    }
    const double a = (double(-margin - start) * double(n)) / double(delta);
    const double c = (double(size + margin - start) * double(n)) / double(delta);
    i0 = std::max<int64_t>(i0, static_cast<int64_t>(std::floor(std::min(a, c))) - 2);
    i1 = std::min<int64_t>(i1, static_cast<int64_t>(std::ceil(std::max(a, c))) + 2);
  };
  if (n > 0) {
    limit(x0, dx, b.Width());
    limit(y0, dy, b.Height());
  }
  AxisSteps xs(x0, dx, n, i0), ys(y0, dy, n, i0);
  if (w == 1) {
    const uint64_t width = uint64_t(b.Width()), height = uint64_t(b.Height());
    Color* const pixels = target_->Pixels().data();
    const Color colour = pen.color;
    for (int64_t i = i0; i <= i1; ++i, xs.Next(), ys.Next()) {
      const uint64_t px = uint64_t(xs.Pos()), py = uint64_t(ys.Pos());
      if (px < width && py < height) pixels[py * width + px] = colour;
    }
    return;
  }
  // Every dot is the same disc moved along, so its rows are worked out once.
  const Shape dot{0, 0, w, w, w, w};
  if (w > kMaxTabledDot) {
    for (int64_t i = i0; i <= i1; ++i, xs.Next(), ys.Next()) {
      const int64_t l = BandStart(xs.Pos(), w), t = BandStart(ys.Pos(), w);
      FillShape(*target_, {l, t, l + w, t + w, w, w}, pen.color);
    }
    return;
  }
  std::vector<std::pair<int64_t, int64_t>> rows(static_cast<size_t>(w), {0, 0});
  UpperSpans spans(dot);
  for (int64_t y = 0; y < spans.Middle(); ++y) {
    auto& [x0, x1] = rows[size_t(y)];
    if (!spans.Row(y, x0, x1)) x0 = x1 = 0;
    rows[size_t(w - 1 - y)] = rows[size_t(y)];
  }
  for (int64_t i = i0; i <= i1; ++i, xs.Next(), ys.Next()) {
    const int64_t l = BandStart(xs.Pos(), w), t = BandStart(ys.Pos(), w);
    const int64_t first = std::max<int64_t>(t, 0), last = std::min<int64_t>(t + w, b.Height());
    for (int64_t y = first; y < last; ++y) {
      const auto& [a, e] = rows[size_t(y - t)];
      FillSpan(*target_, int32_t(y), l + a, l + e, pen.color);
    }
  }
}

void Canvas::TextOut(int32_t x, int32_t y, std::string_view utf8) {
  LogText('T', x, y, utf8, 0);
  FillTextCell(x, y, utf8);
  if (sketching_) return;
  fonts_->Draw(*target_, x, y, font, utf8);
}

void Canvas::OutlinedTextOut(int32_t x, int32_t y, std::string_view utf8, Color outline) {
  LogText('U', x, y, utf8, outline);
  FillTextCell(x, y, utf8);
  if (sketching_) return;
  fonts_->DrawOutline(*target_, x, y, font, outline, utf8);
  fonts_->Draw(*target_, x, y, font, utf8);
}

void Canvas::LogText(char call, int32_t x, int32_t y, std::string_view utf8, Color outline) {
  if (!log_) return;
  Log(call, x, y, font, brush, outline, utf8);
  // Glyphs and their outline may reach past the cell (bearings, bold); an em around it holds
  // them.
  const Size s = fonts_->Measure(font, utf8);
  const int64_t em = std::max(font.height, 0) + 1;
  LogArea(int64_t{x} - em, int64_t{y} - em, int64_t{x} + s.width + em, int64_t{y} + s.height + em);
}

void Canvas::FillTextCell(int32_t x, int32_t y, std::string_view utf8) {
  if (brush.style != BrushStyle::Solid) return;
  const Size s = fonts_->Measure(font, utf8);
  auto end = [](int32_t from, int32_t size) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{from} + size, INT32_MAX));
  };
  FillRect({x, y, end(x, s.width), end(y, s.height)});
}

Size Canvas::TextExtent(std::string_view utf8) {
  return fonts_->Measure(font, utf8);
}

}  // namespace qv::gfx
