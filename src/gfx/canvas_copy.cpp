// Bitmap copies onto a canvas: plain, transparent, scaled, part of a picture, and OR-combined.
#include <algorithm>
#include <cstdint>

#include "gfx/canvas.h"

namespace qv::gfx {

namespace {

// The part of a w x h source placed at (x, y) that lands inside the target, in source
// coordinates; false when nothing does.
struct Overlap {
  int32_t sx0, sy0, sx1, sy1;  // source columns/rows [sx0, sx1) x [sy0, sy1)
  int64_t dx, dy;              // target = source + (dx, dy)
};

bool Clip(const Bitmap& target, int64_t x, int64_t y, const Bitmap& src, Overlap& o) {
  const int64_t sx0 = std::max<int64_t>(0, -x), sy0 = std::max<int64_t>(0, -y);
  const int64_t sx1 = std::min<int64_t>(src.Width(), target.Width() - x);
  const int64_t sy1 = std::min<int64_t>(src.Height(), target.Height() - y);
  if (sx0 >= sx1 || sy0 >= sy1) return false;
  o = {int32_t(sx0), int32_t(sy0), int32_t(sx1), int32_t(sy1), x, y};
  return true;
}

template <typename Op>
void Blend(Bitmap& target, int32_t x, int32_t y, const Bitmap& src, Op op) {
  Overlap o;
  if (!Clip(target, x, y, src, o)) return;
  for (int32_t sy = o.sy0; sy < o.sy1; ++sy) {
    const Color* s = src.Row(sy);
    Color* d = target.Row(int32_t(sy + o.dy)) + (o.dx + o.sx0);
    for (int32_t sx = o.sx0; sx < o.sx1; ++sx) op(d[sx - o.sx0], s[sx]);
  }
}

// Nearest-pixel scaling of `srcRect` of `src` into `dst`; pixels the source does not cover are
// left as they are.
template <typename Op>
void Stretch(Bitmap& target, const Rect& dst, const Bitmap& src, const Rect& srcRect, Op op) {
  const int64_t dw = int64_t{dst.right} - dst.left, dh = int64_t{dst.bottom} - dst.top;
  const int64_t sw = int64_t{srcRect.right} - srcRect.left;
  const int64_t sh = int64_t{srcRect.bottom} - srcRect.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const int64_t y0 = std::max<int64_t>(dst.top, 0),
                y1 = std::min<int64_t>(dst.bottom, target.Height());
  const int64_t x0 = std::max<int64_t>(dst.left, 0),
                x1 = std::min<int64_t>(dst.right, target.Width());
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t sy = srcRect.top + int64_t(__int128{y - dst.top} * sh / dh);
    if (sy < 0 || sy >= src.Height()) continue;
    const Color* s = src.Row(int32_t(sy));
    Color* d = target.Row(int32_t(y));
    for (int64_t x = x0; x < x1; ++x) {
      const int64_t sx = srcRect.left + int64_t(__int128{x - dst.left} * sw / dw);
      if (sx >= 0 && sx < src.Width()) op(d[x], s[sx]);
    }
  }
}

void Copy(Color& d, Color s) {
  d = s;
}

}  // namespace

void Canvas::Draw(int32_t x, int32_t y, const Bitmap& src) {
  Log('D', x, y, &src);
  LogArea(x, y, int64_t{x} + src.Width(), int64_t{y} + src.Height());
  if (src.Transparent()) {
    DrawTransparent(x, y, src, src.TransparentColor());
    return;
  }
  if (sketching_) return;
  if (&src == target_) {
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): src is the target itself
    const Bitmap copy = src;
    Blend(*target_, x, y, copy, Copy);
    return;
  }
  Blend(*target_, x, y, src, Copy);
}

void Canvas::DrawTransparent(int32_t x, int32_t y, const Bitmap& src, Color transparent) {
  Log('K', x, y, &src, transparent);
  LogArea(x, y, int64_t{x} + src.Width(), int64_t{y} + src.Height());
  if (sketching_) return;
  const Bitmap copy = &src == target_ ? src : Bitmap();
  const Bitmap& from = &src == target_ ? copy : src;
  Blend(*target_, x, y, from, [transparent](Color& d, Color s) {
    if (s != transparent) d = s;
  });
}

void Canvas::StretchDraw(const Rect& dst, const Bitmap& src) {
  Log('S', dst, &src);
  LogArea(dst.left, dst.top, dst.right, dst.bottom);
  if (sketching_) return;
  const Bitmap copy = &src == target_ ? src : Bitmap();
  const Bitmap& from = &src == target_ ? copy : src;
  if (from.Transparent()) {
    const Color key = src.TransparentColor();
    Stretch(*target_, dst, from, from.Bounds(), [key](Color& d, Color s) {
      if (s != key) d = s;
    });
  } else {
    Stretch(*target_, dst, from, from.Bounds(), Copy);
  }
}

void Canvas::CopyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect) {
  Log('C', dst, &src, srcRect);
  LogArea(dst.left, dst.top, dst.right, dst.bottom);
  if (sketching_) return;
  // Copying a picture onto itself (the screen shake) reads from a snapshot, so moved pixels
  // are not read again.
  if (&src == target_) {
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): src is the target itself
    const Bitmap copy = src;
    Stretch(*target_, dst, copy, srcRect, Copy);
    return;
  }
  Stretch(*target_, dst, src, srcRect, Copy);
}

void Canvas::OrDraw(int32_t x, int32_t y, const Bitmap& src) {
  Log('O', x, y, &src);
  LogArea(x, y, int64_t{x} + src.Width(), int64_t{y} + src.Height());
  if (sketching_) return;
  if (&src == target_) return;  // a picture OR itself is itself
  Blend(*target_, x, y, src, [](Color& d, Color s) { d |= s; });
}

}  // namespace qv::gfx
