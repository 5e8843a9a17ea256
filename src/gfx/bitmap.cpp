#include "gfx/bitmap.h"

#include <algorithm>

namespace qv::gfx {

namespace {

bool SizeAllowed(int32_t width, int32_t height) {
  return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
         int64_t{width} * height <= kMaxBitmapPixels;
}

}  // namespace

Bitmap::Bitmap(int32_t width, int32_t height, Color fill) {
  if (!SizeAllowed(width, height)) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * height, fill);
}

Color Bitmap::Pixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Bitmap::SetPixel(int32_t x, int32_t y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Bitmap::Fill(Color c) {
  std::fill(pixels_.begin(), pixels_.end(), c);
}

void Bitmap::Resize(int32_t width, int32_t height, Color fill) {
  Bitmap resized(width, height, fill);
  const int32_t w = std::min(width_, resized.width_);
  const int32_t h = std::min(height_, resized.height_);
  for (int32_t y = 0; y < h; ++y) std::copy_n(Row(y), w, resized.Row(y));
  width_ = resized.width_;
  height_ = resized.height_;
  pixels_ = std::move(resized.pixels_);
}

Color Bitmap::TransparentColor() const {
  if (fixedTransparentColor_) return transparentColor_;
  // A sprite's background is whatever its bottom-left corner shows.
  return Pixel(0, height_ - 1);
}

}  // namespace qv::gfx
