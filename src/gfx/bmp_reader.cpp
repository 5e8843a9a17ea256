// Our own BMP reader. Every size read from the file is checked against the bytes that are
// really there before anything is read or allocated.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "gfx/picture_file.h"

namespace qv::gfx {

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> data) : data_(data) {}
  size_t Size() const { return data_.size(); }
  bool Has(size_t offset, size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  uint32_t U8(size_t o) const { return data_[o]; }
  uint32_t U16(size_t o) const { return data_[o] | (uint32_t{data_[o + 1]} << 8); }
  uint32_t U32(size_t o) const { return U16(o) | (U16(o + 2) << 16); }
  int32_t I32(size_t o) const { return static_cast<int32_t>(U32(o)); }

 private:
  std::span<const uint8_t> data_;
};

Status Fail(const std::string& what) {
  return Failure("BMP: " + what);
}

std::string At(size_t offset) {
  return " at offset " + std::to_string(offset);
}

// One colour channel described by a bit mask of 16- and 32-bit pictures.
struct Channel {
  uint32_t mask = 0;
  int shift = 0, bits = 0;
  explicit Channel(uint32_t m = 0) : mask(m) {
    if (m == 0) return;
    while (!((m >> shift) & 1)) ++shift;
    while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  uint32_t Extract(uint32_t pixel) const {
    if (bits == 0) return 0;
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return (v >> (bits - 8)) & 0xFF;
    return v * 255 / ((1u << bits) - 1);
  }
};

struct Header {
  int64_t width = 0, height = 0;
  bool topDown = false;
  uint32_t bpp = 0, compression = kRgb;
  size_t dataOffset = 0;
  std::array<Color, 256> palette{};
  uint32_t paletteSize = 0;
  Channel red, green, blue;
};

// Reads the file and info headers, the masks and the palette; an error string on failure.
std::string ReadHeader(const Reader& r, Header& h) {
  if (!r.Has(0, 14))
    return "file of " + std::to_string(r.Size()) + " bytes is shorter than the 14-byte file header";
  if (r.U8(0) != 'B' || r.U8(1) != 'M') return "no \"BM\" signature at offset 0";
  h.dataOffset = r.U32(10);
  if (!r.Has(14, 4)) return "info header size missing" + At(14);
  const uint32_t infoSize = r.U32(14);
  const bool core = infoSize == 12;
  if (!core && infoSize < 40)
    return "unknown info header size " + std::to_string(infoSize) + At(14);
  if (!r.Has(14, infoSize))
    return "info header of " + std::to_string(infoSize) + " bytes" + At(14) +
           " runs past the end of the file (" + std::to_string(r.Size()) + " bytes)";
  if (core) {
    h.width = r.U16(18);
    h.height = r.U16(20);
    h.bpp = r.U16(24);
  } else {
    h.width = r.I32(18);
    h.height = r.I32(22);
    h.bpp = r.U16(28);
    h.compression = r.U32(30);
  }
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  if (h.width <= 0 || h.height <= 0)
    return "picture size " + std::to_string(h.width) + " x " + std::to_string(h.height) +
           " is empty" + At(18);
  if (h.width > kMaxBitmapSide || h.height > kMaxBitmapSide ||
      h.width * h.height > kMaxBitmapPixels)
    return "picture size " + std::to_string(h.width) + " x " + std::to_string(h.height) +
           " is too large" + At(18);
  switch (h.bpp) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return "unsupported depth of " + std::to_string(h.bpp) + " bits" + At(core ? 24 : 28);
  }
  const size_t compressionAt = 30;
  switch (h.compression) {
    case kRgb:
      break;
    case kRle8:
      if (h.bpp != 8)
        return "RLE8 compression with " + std::to_string(h.bpp) + " bits" + At(compressionAt);
      break;
    case kRle4:
      if (h.bpp != 4)
        return "RLE4 compression with " + std::to_string(h.bpp) + " bits" + At(compressionAt);
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (h.bpp != 16 && h.bpp != 32)
        return "bit fields with " + std::to_string(h.bpp) + " bits" + At(compressionAt);
      break;
    default:
      return "unsupported compression " + std::to_string(h.compression) + At(compressionAt);
  }
  if (h.topDown && (h.compression == kRle8 || h.compression == kRle4))
    return "a top-down picture cannot be RLE compressed" + At(22);

  size_t after = 14 + infoSize;
  if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
    // Newer headers hold the masks; the classic 40-byte header (or an odd size below the
    // first one with masks) is followed by them.
    const size_t masksAt = 14 + 40;
    if (infoSize < 52) {
      const size_t count = h.compression == kAlphaBitFields ? 16 : 12;
      after = masksAt + count;
    }
    if (!r.Has(masksAt, 12)) return "colour masks run past the end of the file" + At(masksAt);
    h.red = Channel(r.U32(masksAt));
    h.green = Channel(r.U32(masksAt + 4));
    h.blue = Channel(r.U32(masksAt + 8));
  } else if (h.bpp == 16) {
    h.red = Channel(0x7C00), h.green = Channel(0x03E0), h.blue = Channel(0x001F);
  } else if (h.bpp == 32) {
    h.red = Channel(0xFF0000), h.green = Channel(0xFF00), h.blue = Channel(0xFF);
  }

  if (h.bpp <= 8) {
    const uint32_t full = 1u << h.bpp;
    uint32_t count = core ? full : r.U32(46);
    if (count == 0 || count > full) count = full;
    const size_t entry = core ? 3 : 4;
    // A palette cut short by the pixel data is read as far as it goes.
    const size_t end = std::max(after, std::min(h.dataOffset, r.Size()));
    const size_t available = (end - after) / entry;
    if (available == 0) return "palette missing" + At(after);
    h.paletteSize = static_cast<uint32_t>(std::min<size_t>(count, available));
    for (uint32_t i = 0; i < h.paletteSize; ++i) {
      const size_t o = after + i * entry;
      h.palette[i] = Rgb(int(r.U8(o + 2)), int(r.U8(o + 1)), int(r.U8(o)));
    }
  }
  if (h.dataOffset >= r.Size())
    return "pixel data offset " + std::to_string(h.dataOffset) +
           " is beyond the end of the file (" + std::to_string(r.Size()) + " bytes)" + At(10);
  return {};
}

Color PaletteColor(const Header& h, uint32_t index) {
  return index < h.paletteSize ? h.palette[index] : 0;
}

Result<Bitmap> ReadUncompressed(const Reader& r, const Header& h) {
  const int64_t stride = ((h.width * h.bpp + 31) / 32) * 4;
  const int64_t needed = stride * h.height;
  if (!r.Has(h.dataOffset, static_cast<size_t>(needed)))
    return Fail("pixel data of " + std::to_string(needed) + " bytes" + At(h.dataOffset) +
                " runs past the end of the file (" + std::to_string(r.Size()) + " bytes)");
  Bitmap bmp(int32_t(h.width), int32_t(h.height));
  for (int64_t row = 0; row < h.height; ++row) {
    const size_t base = h.dataOffset + static_cast<size_t>(row * stride);
    Color* out = bmp.Row(int32_t(h.topDown ? row : h.height - 1 - row));
    for (int64_t x = 0; x < h.width; ++x) {
      switch (h.bpp) {
        case 1:
          out[x] = PaletteColor(h, (r.U8(base + x / 8) >> (7 - x % 8)) & 1);
          break;
        case 4:
          out[x] = PaletteColor(h, (r.U8(base + x / 2) >> (x % 2 ? 0 : 4)) & 0xF);
          break;
        case 8:
          out[x] = PaletteColor(h, r.U8(base + x));
          break;
        case 16:
        case 32: {
          const uint32_t v = h.bpp == 16 ? r.U16(base + x * 2) : r.U32(base + x * 4);
          out[x] = Rgb(int(h.red.Extract(v)), int(h.green.Extract(v)), int(h.blue.Extract(v)));
          break;
        }
        default: {
          const size_t o = base + x * 3;
          out[x] = Rgb(int(r.U8(o + 2)), int(r.U8(o + 1)), int(r.U8(o)));
        }
      }
    }
  }
  return bmp;
}

// RLE pictures run bottom-up; pixels the runs never reach keep the first palette colour.
Result<Bitmap> ReadRle(const Reader& r, const Header& h) {
  const size_t available = r.Size() - h.dataOffset;
  // Every two bytes of runs paint at most 255 pixels; a picture far larger than its data
  // could ever fill is a lying header.
  const int64_t reachable = std::max<int64_t>(int64_t{1} << 20, int64_t(available) * 1024);
  if (h.width * h.height > reachable)
    return Fail("picture size " + std::to_string(h.width) + " x " + std::to_string(h.height) +
                " is far larger than its " + std::to_string(available) + " bytes of RLE data" +
                At(18));
  const bool four = h.compression == kRle4;
  Bitmap bmp(int32_t(h.width), int32_t(h.height), PaletteColor(h, 0));
  int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](uint32_t index) {
    if (x < h.width && y < h.height) bmp.Row(int32_t(h.height - 1 - y))[x] = PaletteColor(h, index);
    ++x;
  };
  size_t o = h.dataOffset;
  while (true) {
    if (!r.Has(o, 2)) return Fail("RLE data ends" + At(o) + " before the end-of-picture mark");
    const uint32_t count = r.U8(o), value = r.U8(o + 1);
    o += 2;
    if (count > 0) {
      for (uint32_t i = 0; i < count && x < h.width; ++i)
        put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // move right and up
      if (!r.Has(o, 2)) return Fail("RLE move runs past the end of the file" + At(o));
      x += r.U8(o);
      y += r.U8(o + 1);
      o += 2;
    } else {  // a literal run of `value` pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (value + 1) / 2 : value;
      const size_t padded = (bytes + 1) & ~size_t{1};
      if (!r.Has(o, padded))
        return Fail("RLE literal run of " + std::to_string(value) +
                    " pixels runs past the end of the file" + At(o));
      for (uint32_t i = 0; i < value && x < h.width; ++i)
        put(four ? (i % 2 ? r.U8(o + i / 2) & 0xF : r.U8(o + i / 2) >> 4) : r.U8(o + i));
      o += padded;
    }
    if (y >= h.height) break;  // runs below the last row have nowhere to go
  }
  return bmp;
}

}  // namespace

Result<Bitmap> DecodeBmp(std::span<const uint8_t> data) {
  const Reader r(data);
  Header h;
  if (std::string error = ReadHeader(r, h); !error.empty()) return Fail(error);
  if (h.compression == kRle8 || h.compression == kRle4) return ReadRle(r, h);
  return ReadUncompressed(r, h);
}

}  // namespace qv::gfx
