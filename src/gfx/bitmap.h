#pragma once
// Pictures in memory: 32-bit pixels 0x00RRGGBB, any size, with the sprite's transparent colour.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::gfx {

// One pixel, 0x00RRGGBB.
using Color = uint32_t;

// A colour from its three channels (0..255 each).
constexpr Color Rgb(int r, int g, int b) {
  return (static_cast<Color>(r & 0xFF) << 16) | (static_cast<Color>(g & 0xFF) << 8) |
         static_cast<Color>(b & 0xFF);
}
constexpr int RedOf(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int GreenOf(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
  return static_cast<int>(c & 0xFF);
}

// A rectangle with the right and bottom edges exclusive, like the window system's.
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  constexpr int32_t Width() const { return right - left; }
  constexpr int32_t Height() const { return bottom - top; }
  constexpr bool operator==(const Rect&) const = default;
};

// A width and a height in pixels (text extents, picture sizes).
struct Size {
  int32_t width = 0, height = 0;
  constexpr bool operator==(const Size&) const = default;
};

// The largest side and area a Bitmap accepts; bigger requests make an empty bitmap, so a
// lying picture header can never ask for gigabytes.
constexpr int32_t kMaxBitmapSide = 16384;
constexpr int64_t kMaxBitmapPixels = int64_t{16} * 1024 * 1024;

// A picture of width x height pixels, stored row by row from the top.
class Bitmap {
 public:
  Bitmap() = default;
  // A picture filled with one colour; sizes of 0 or less, or above the limits, give an empty one.
  Bitmap(int32_t width, int32_t height, Color fill = 0);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return pixels_.empty(); }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // The pixel at (x, y); 0 (black) outside the picture.
  Color Pixel(int32_t x, int32_t y) const;
  // Sets one pixel; coordinates outside the picture are ignored.
  void SetPixel(int32_t x, int32_t y, Color c);
  // Row y (0 <= y < Height()); the caller keeps x within 0..Width()-1.
  Color* Row(int32_t y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Color* Row(int32_t y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  // Every pixel, row by row.
  const std::vector<Color>& Pixels() const { return pixels_; }
  std::vector<Color>& Pixels() { return pixels_; }

  // Paints every pixel with one colour.
  void Fill(Color c);
  // Changes the size keeping the top-left content; new area is filled with `fill`.
  void Resize(int32_t width, int32_t height, Color fill = 0);

  // Sprite transparency: when on, Canvas::Draw skips pixels of the transparent colour, which
  // is the bottom-left pixel unless one was set explicitly.
  void SetTransparent(bool on) { transparent_ = on; }
  bool Transparent() const { return transparent_; }
  void SetTransparentColor(Color c) {
    transparentColor_ = c;
    fixedTransparentColor_ = true;
  }
  Color TransparentColor() const;

  bool operator==(const Bitmap& o) const {
    return width_ == o.width_ && height_ == o.height_ && pixels_ == o.pixels_;
  }

 private:
  int32_t width_ = 0, height_ = 0;
  std::vector<Color> pixels_;
  bool transparent_ = false;
  bool fixedTransparentColor_ = false;
  Color transparentColor_ = 0;
};

}  // namespace qv::gfx
