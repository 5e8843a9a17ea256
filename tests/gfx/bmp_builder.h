#pragma once
// Writes small BMP files byte by byte for the reader's tests and fuzz seeds, in every layout
// the reader accepts.
#include <cstdint>
#include <vector>

#include "gfx/bitmap.h"

namespace qv::gfx::testing {

struct BmpLayout {
  int bpp = 24;
  bool topDown = false;
  uint32_t compression = 0;         // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  uint32_t masks[3] = {0, 0, 0};    // red, green, blue for bit fields
  std::vector<gfx::Color> palette;  // for 1, 4 and 8 bits
};

inline void Put16(std::vector<uint8_t>& v, size_t o, uint32_t x) {
  v[o] = uint8_t(x), v[o + 1] = uint8_t(x >> 8);
}
inline void Put32(std::vector<uint8_t>& v, size_t o, uint32_t x) {
  Put16(v, o, x & 0xFFFF), Put16(v, o + 2, x >> 16);
}

// A BMP with the given headers around `pixelData` (already packed rows or RLE codes).
inline std::vector<uint8_t> BuildBmp(int32_t width, int32_t height, const BmpLayout& l,
                                     const std::vector<uint8_t>& pixelData) {
  const size_t masks = l.compression == 3 ? 12 : 0;
  const size_t paletteBytes = l.palette.size() * 4;
  const size_t offset = 14 + 40 + masks + paletteBytes;
  std::vector<uint8_t> f(offset, 0);
  f[0] = 'B', f[1] = 'M';
  Put32(f, 10, uint32_t(offset));
  Put32(f, 14, 40);
  Put32(f, 18, uint32_t(width));
  Put32(f, 22, uint32_t(l.topDown ? -height : height));
  Put16(f, 26, 1);
  Put16(f, 28, uint32_t(l.bpp));
  Put32(f, 30, l.compression);
  Put32(f, 34, uint32_t(pixelData.size()));
  Put32(f, 46, uint32_t(l.palette.size()));
  size_t o = 54;
  if (masks) {
    for (uint32_t m : l.masks) Put32(f, o, m), o += 4;
  }
  for (gfx::Color c : l.palette) {
    f[o] = uint8_t(gfx::BlueOf(c)), f[o + 1] = uint8_t(gfx::GreenOf(c)),
    f[o + 2] = uint8_t(gfx::RedOf(c));
    o += 4;
  }
  f.insert(f.end(), pixelData.begin(), pixelData.end());
  Put32(f, 2, uint32_t(f.size()));
  return f;
}

// Packs a picture into uncompressed rows of the layout's depth; palette pictures hold
// palette indices in their pixels.
inline std::vector<uint8_t> PackRows(const gfx::Bitmap& b, const BmpLayout& l) {
  const size_t stride = ((size_t(b.Width()) * l.bpp + 31) / 32) * 4;
  std::vector<uint8_t> data(stride * b.Height(), 0);
  for (int32_t row = 0; row < b.Height(); ++row) {
    const int32_t y = l.topDown ? row : b.Height() - 1 - row;
    uint8_t* out = data.data() + row * stride;
    for (int32_t x = 0; x < b.Width(); ++x) {
      const gfx::Color c = b.Pixel(x, y);
      switch (l.bpp) {
        case 1:
          out[x / 8] |= uint8_t((c & 1) << (7 - x % 8));
          break;
        case 4:
          out[x / 2] |= uint8_t((c & 0xF) << (x % 2 ? 0 : 4));
          break;
        case 8:
          out[x] = uint8_t(c);
          break;
        case 16: {
          const uint32_t v = l.compression == 3
                                 ? ((gfx::RedOf(c) >> 3) << 11) | ((gfx::GreenOf(c) >> 2) << 5) |
                                       (gfx::BlueOf(c) >> 3)
                                 : ((gfx::RedOf(c) >> 3) << 10) | ((gfx::GreenOf(c) >> 3) << 5) |
                                       (gfx::BlueOf(c) >> 3);
          out[x * 2] = uint8_t(v), out[x * 2 + 1] = uint8_t(v >> 8);
          break;
        }
        case 24:
          out[x * 3] = uint8_t(gfx::BlueOf(c)), out[x * 3 + 1] = uint8_t(gfx::GreenOf(c)),
                  out[x * 3 + 2] = uint8_t(gfx::RedOf(c));
          break;
        default:
          out[x * 4] = uint8_t(gfx::BlueOf(c)), out[x * 4 + 1] = uint8_t(gfx::GreenOf(c)),
                  out[x * 4 + 2] = uint8_t(gfx::RedOf(c)), out[x * 4 + 3] = 0xFF;
      }
    }
  }
  return data;
}

}  // namespace qv::gfx::testing
