#include "gfx/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace qv::gfx {

namespace {

// A box with rounded corners in pixel-edge coordinates; a plain rectangle has no radii and an
// ellipse has radii of half its sides. Every shape the canvas fills is one of these, so the
// outline of a shape is its outer box minus the box inset by the pen's width.
struct Shape {
  double left, top, right, bottom;
  double rx, ry;  // corner radii

  bool Empty() const { return right - left <= 0 || bottom - top <= 0; }

  Shape Inset(double d) const {
    return {left + d, top + d, right - d, bottom - d, std::max(0.0, rx - d), std::max(0.0, ry - d)};
  }

  // Columns [x0, x1) whose pixel centres lie inside the shape on row y; false when none.
  bool Span(int32_t y, int64_t& x0, int64_t& x1) const {
    if (Empty()) return false;
    const double cy = y + 0.5;
    if (cy < top || cy > bottom) return false;
    double inset = 0;
    if (rx > 0 && ry > 0) {
      double d = 0;
      if (cy < top + ry)
        d = top + ry - cy;
      else if (cy > bottom - ry)
        d = cy - (bottom - ry);
      if (d > 0) {
        const double t = d / ry;
        inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - t * t));
      }
    }
    x0 = static_cast<int64_t>(std::ceil(left + inset - 0.5));
    x1 = static_cast<int64_t>(std::floor(right - inset - 0.5)) + 1;
    return x1 > x0;
  }
};

// The band a pen of width w covers around the pixel line c: a one-pixel pen sits on the line
// itself, wider pens are centred on it.
int64_t BandStart(int64_t c, int32_t w) {
  return c - w / 2;
}

void FillSpan(Bitmap& b, int32_t y, int64_t x0, int64_t x1, Color c) {
  if (y < 0 || y >= b.Height()) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, b.Width());
  if (x0 >= x1) return;
  std::fill(b.Row(y) + x0, b.Row(y) + x1, c);
}

// Rows of the bitmap the shape may touch.
std::pair<int32_t, int32_t> RowRange(const Bitmap& b, const Shape& s) {
  const double top = std::max(s.top - 1, -1.0);
  const double bottom = std::min(s.bottom + 1, static_cast<double>(b.Height()));
  return {static_cast<int32_t>(std::max(0.0, std::floor(top))),
          static_cast<int32_t>(std::min<double>(b.Height(), std::ceil(bottom)))};
}

void FillShape(Bitmap& b, const Shape& s, Color c) {
  const auto [y0, y1] = RowRange(b, s);
  for (int32_t y = y0; y < y1; ++y) {
    int64_t x0, x1;
    if (s.Span(y, x0, x1)) FillSpan(b, y, x0, x1, c);
  }
}

// Paints what lies inside `outer` but not inside `inner`.
void FillRing(Bitmap& b, const Shape& outer, const Shape& inner, Color c) {
  const auto [y0, y1] = RowRange(b, outer);
  for (int32_t y = y0; y < y1; ++y) {
    int64_t ox0, ox1, ix0, ix1;
    if (!outer.Span(y, ox0, ox1)) continue;
    if (!inner.Span(y, ix0, ix1)) {
      FillSpan(b, y, ox0, ox1, c);
      continue;
    }
    FillSpan(b, y, ox0, std::min(ix0, ox1), c);
    FillSpan(b, y, std::max(ix1, ox0), ox1, c);
  }
}

}  // namespace

Canvas::Canvas(Bitmap& target) : target_(&target), fonts_(&FontLibrary::Shared()) {}
Canvas::Canvas(Bitmap& target, FontLibrary& fonts) : target_(&target), fonts_(&fonts) {}

void Canvas::FillRect(const Rect& r) {
  if (brush.style != BrushStyle::Solid) return;
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
  int64_t l = std::min(x1, x2), r = std::max(x1, x2);
  int64_t t = std::min(y1, y2), b = std::max(y1, y2);
  const bool outlined = pen.style == PenStyle::Solid;
  // Without a pen the window system fills one pixel less to the right and below; pictures
  // were laid out against that.
  if (!outlined) --r, --b;
  if (r <= l || b <= t) return;
  const int32_t w = std::max(1, pen.width);
  const double rx = std::min<double>(std::max(0, cornerW), double(r - l)) / 2;
  const double ry = std::min<double>(std::max(0, cornerH), double(b - t)) / 2;
  if (!outlined) {
    if (brush.style == BrushStyle::Solid)
      FillShape(*target_, {double(l), double(t), double(r), double(b), rx, ry}, brush.color);
    return;
  }
  // The pen runs along the outermost pixels l .. r-1 and t .. b-1.
  const int64_t ol = BandStart(l, w), ot = BandStart(t, w);
  const int64_t orr = BandStart(r - 1, w) + w, ob = BandStart(b - 1, w) + w;
  const double grow = double(l - ol);
  const Shape outer{double(ol),
                    double(ot),
                    double(orr),
                    double(ob),
                    rx > 0 ? std::min(rx + grow, double(orr - ol) / 2) : 0,
                    ry > 0 ? std::min(ry + grow, double(ob - ot) / 2) : 0};
  const Shape inner = outer.Inset(w);
  if (brush.style == BrushStyle::Solid) FillShape(*target_, inner, brush.color);
  FillRing(*target_, outer, inner, pen.color);
}

void Canvas::MoveTo(int32_t x, int32_t y) {
  penX_ = x;
  penY_ = y;
}

void Canvas::LineTo(int32_t x, int32_t y) {
  const int64_t x0 = penX_, y0 = penY_;
  penX_ = x;
  penY_ = y;
  if (pen.style != PenStyle::Solid) return;
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
  auto step = [n](int64_t start, int64_t delta, int64_t i) {
    if (n == 0) return start;
    // Rounded to the nearest pixel, halves away from the start.
    const __int128 num = static_cast<__int128>(2) * i * delta;
    const __int128 den = static_cast<__int128>(2) * n;
    const __int128 q = num >= 0 ? (num + n) / den : -((-num + n) / den);
    return start + static_cast<int64_t>(q);
  };
  for (int64_t i = i0; i <= i1; ++i) {
    const int64_t px = step(x0, dx, i), py = step(y0, dy, i);
    if (w == 1) {
      if (px >= 0 && py >= 0 && px < b.Width() && py < b.Height())
        target_->SetPixel(int32_t(px), int32_t(py), pen.color);
      continue;
    }
    const double l = double(BandStart(px, w)), t = double(BandStart(py, w));
    FillShape(*target_, {l, t, l + w, t + w, w / 2.0, w / 2.0}, pen.color);
  }
}

void Canvas::TextOut(int32_t x, int32_t y, std::string_view utf8) {
  FillTextCell(x, y, utf8);
  fonts_->Draw(*target_, x, y, font, utf8);
}

void Canvas::OutlinedTextOut(int32_t x, int32_t y, std::string_view utf8, Color outline) {
  FillTextCell(x, y, utf8);
  fonts_->DrawOutline(*target_, x, y, font, outline, utf8);
  fonts_->Draw(*target_, x, y, font, utf8);
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
