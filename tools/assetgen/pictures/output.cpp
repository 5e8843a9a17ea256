#include "output.h"

#include <jpeglib.h>
#include <png.h>

#include <array>
#include <cstdio>
#include <stdexcept>

namespace qv::assetgen {

namespace {

uint8_t To8(float v) {
  return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f));
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(v & 255);
  b.push_back((v >> 8) & 255);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// File header and BITMAPINFOHEADER of a bottom-up uncompressed BMP.
std::vector<uint8_t> BmpHeader(int w, int h, int bits, uint32_t paletteBytes, uint32_t imageBytes) {
  std::vector<uint8_t> b;
  uint32_t offset = 14 + 40 + paletteBytes;
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + imageBytes);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(w));
  Put32(b, static_cast<uint32_t>(h));
  Put16(b, 1);
  Put16(b, static_cast<uint32_t>(bits));
  Put32(b, 0);
  Put32(b, imageBytes);
  Put32(b, 2835);  // 72 dpi
  Put32(b, 2835);
  Put32(b, bits == 8 ? 256 : 0);
  Put32(b, 0);
  return b;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + path);
  size_t n = std::fwrite(bytes.data(), 1, bytes.size(), f);
  if (std::fclose(f) != 0 || n != bytes.size()) throw std::runtime_error("cannot write " + path);
}

struct Bin {
  uint32_t count = 0;
  uint64_t r = 0, g = 0, b = 0;
};

// One box of the median cut: a run of colour bins sorted along its longest axis.
struct CutBox {
  std::vector<uint32_t> bins;
  uint64_t weight = 0;
  int range = 0, axis = 0;
};

void Measure(CutBox& box) {
  int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
  box.weight = 0;
  for (uint32_t idx : box.bins) {
    int c[3] = {static_cast<int>(idx >> 10), static_cast<int>((idx >> 5) & 31),
                static_cast<int>(idx & 31)};
    for (int k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], c[k]);
      hi[k] = std::max(hi[k], c[k]);
    }
  }
  box.range = -1;
  for (int k = 0; k < 3; ++k) {
    if (hi[k] - lo[k] > box.range) {
      box.range = hi[k] - lo[k];
      box.axis = k;
    }
  }
}

std::vector<std::array<uint8_t, 3>> MedianCut(const std::vector<uint8_t>& rgb) {
  std::vector<Bin> hist(32768);
  for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
    uint32_t idx = (rgb[i] >> 3) << 10 | (rgb[i + 1] >> 3) << 5 | (rgb[i + 2] >> 3);
    Bin& b = hist[idx];
    ++b.count;
    b.r += rgb[i];
    b.g += rgb[i + 1];
    b.b += rgb[i + 2];
  }
  std::vector<CutBox> boxes(1);
  for (uint32_t i = 0; i < hist.size(); ++i) {
    if (hist[i].count) boxes[0].bins.push_back(i);
  }
  for (auto& box : boxes) {
    Measure(box);
    for (uint32_t idx : box.bins) box.weight += hist[idx].count;
  }
  while (boxes.size() < 256) {
    // Split the box where the most pixels see the widest spread of colour.
    size_t best = boxes.size();
    double bestScore = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].bins.size() < 2) continue;
      double score = std::sqrt(static_cast<double>(boxes[i].weight)) * (boxes[i].range + 1);
      if (score > bestScore) {
        bestScore = score;
        best = i;
      }
    }
    if (best == boxes.size()) break;
    CutBox box = std::move(boxes[best]);
    int shift = box.axis == 0 ? 10 : box.axis == 1 ? 5 : 0;
    std::sort(box.bins.begin(), box.bins.end(), [&](uint32_t a, uint32_t b) {
      uint32_t ka = (a >> shift) & 31, kb = (b >> shift) & 31;
      return ka != kb ? ka < kb : a < b;
    });
    uint64_t half = box.weight / 2, acc = 0;
    size_t cut = 1;
    for (size_t i = 0; i + 1 < box.bins.size(); ++i) {
      acc += hist[box.bins[i]].count;
      cut = i + 1;
      if (acc >= half) break;
    }
    CutBox a, b;
    a.bins.assign(box.bins.begin(), box.bins.begin() + cut);
    b.bins.assign(box.bins.begin() + cut, box.bins.end());
    for (CutBox* part : {&a, &b}) {
      Measure(*part);
      for (uint32_t idx : part->bins) part->weight += hist[idx].count;
    }
    boxes[best] = std::move(a);
    boxes.push_back(std::move(b));
  }
  std::vector<std::array<uint8_t, 3>> pal;
  for (const CutBox& box : boxes) {
    uint64_t n = 0, r = 0, g = 0, b = 0;
    for (uint32_t idx : box.bins) {
      n += hist[idx].count;
      r += hist[idx].r;
      g += hist[idx].g;
      b += hist[idx].b;
    }
    if (n == 0) continue;
    pal.push_back(
        {static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n), static_cast<uint8_t>(b / n)});
  }
  while (pal.size() < 256) pal.push_back({0, 0, 0});
  return pal;
}

}  // namespace

std::vector<uint8_t> ToRgb8(const Layer& l) {
  std::vector<uint8_t> out(static_cast<size_t>(l.w()) * l.h() * 3);
  size_t i = 0;
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      Col c = l.at(x, y);
      out[i++] = To8(c.r);
      out[i++] = To8(c.g);
      out[i++] = To8(c.b);
    }
  }
  return out;
}

std::vector<uint8_t> ToKeyed(const Layer& l, int keyHex) {
  std::vector<uint8_t> out = ToRgb8(l);
  uint8_t kr = (keyHex >> 16) & 255, kg = (keyHex >> 8) & 255, kb = keyHex & 255;
  size_t i = 0;
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x, i += 3) {
      bool hole = l.alpha(x, y) < 0.5f || (x == 0 && y == l.h() - 1);
      if (hole) {
        out[i] = kr;
        out[i + 1] = kg;
        out[i + 2] = kb;
      } else if (out[i] == kr && out[i + 1] == kg && out[i + 2] == kb) {
        out[i + 2] = kb > 0 ? kb - 1 : 1;
      }
    }
  }
  return out;
}

void WriteBmp24(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb) {
  uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  std::vector<uint8_t> b = BmpHeader(w, h, 24, 0, stride * h);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = &rgb[static_cast<size_t>(y) * w * 3];
    for (int x = 0; x < w; ++x) {
      b.push_back(row[x * 3 + 2]);
      b.push_back(row[x * 3 + 1]);
      b.push_back(row[x * 3]);
    }
    for (uint32_t p = w * 3; p < stride; ++p) b.push_back(0);
  }
  WriteFile(path, b);
}

void WriteBmp8(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb) {
  auto pal = MedianCut(rgb);
  // A gentle 4x4 ordered dither: enough to break up banding in skies, and it repeats
  // identically on every run, unlike error diffusion's long chains.
  static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  std::vector<int16_t> cache(1 << 18, -1);
  auto nearest = [&](int r, int g, int b) {
    uint32_t key = (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2);
    if (cache[key] >= 0) return static_cast<uint8_t>(cache[key]);
    int best = 0, bestD = 1 << 30;
    for (int i = 0; i < 256; ++i) {
      int dr = r - pal[i][0], dg = g - pal[i][1], db = b - pal[i][2];
      int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
      if (d < bestD) {
        bestD = d;
        best = i;
      }
    }
    cache[key] = static_cast<int16_t>(best);
    return static_cast<uint8_t>(best);
  };
  uint32_t stride = (static_cast<uint32_t>(w) + 3) & ~3u;
  std::vector<uint8_t> b = BmpHeader(w, h, 8, 1024, stride * h);
  for (const auto& c : pal) {
    b.push_back(c[2]);
    b.push_back(c[1]);
    b.push_back(c[0]);
    b.push_back(0);
  }
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      int off = (kBayer[y & 3][x & 3] - 8) * 6 / 8;
      b.push_back(nearest(std::clamp(p[0] + off, 0, 255), std::clamp(p[1] + off, 0, 255),
                          std::clamp(p[2] + off, 0, 255)));
    }
    for (uint32_t p = w; p < stride; ++p) b.push_back(0);
  }
  WriteFile(path, b);
}

void WriteJpeg(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb,
               int quality) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + path);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<size_t>(cinfo.next_scanline) * w * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(f) != 0) throw std::runtime_error("cannot write " + path);
}

void WritePngRgba(const std::string& path, const Layer& l) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot create " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<uint8_t> row(static_cast<size_t>(l.w()) * 4);
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    throw std::runtime_error("cannot write " + path);
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, l.w(), l.h(), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < l.h(); ++y) {
    for (int x = 0; x < l.w(); ++x) {
      Col c = l.at(x, y);
      row[x * 4] = To8(c.r);
      row[x * 4 + 1] = To8(c.g);
      row[x * 4 + 2] = To8(c.b);
      row[x * 4 + 3] = To8(l.alpha(x, y));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(f) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace qv::assetgen
