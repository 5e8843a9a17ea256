#include "text.h"

#include <ft2build.h>

#include "captions.h"
#include FT_FREETYPE_H

#include <cstdint>

namespace qv::assetgen {

namespace {

const char* const kProportional[] = {"/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
                                     "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"};
const char* const kFixed[] = {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                              "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"};

std::vector<uint32_t> Decode(const std::string& s) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) {
      ++i;
      continue;
    }
    uint32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += n;
  }
  return out;
}

}  // namespace

TextMask RenderText(const std::string& utf8, int pixelSize, bool fixed) {
  TextMask m;
  FT_Library lib;
  if (FT_Init_FreeType(&lib) != 0) return m;
  FT_Face face = nullptr;
  for (const char* path : fixed ? kFixed : kProportional) {
    if (FT_New_Face(lib, path, 0, &face) == 0) break;
    face = nullptr;
  }
  if (!face) {
    FT_Done_FreeType(lib);
    return m;
  }
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
  std::vector<uint32_t> cps = Decode(utf8);
  int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
  int width = 0;
  for (uint32_t cp : cps) {
    if (FT_Load_Char(face, cp, FT_LOAD_DEFAULT) == 0)
      width += static_cast<int>(face->glyph->advance.x >> 6);
  }
  m.w = width + 2;
  m.h = ascent + descent + 2;
  m.baseline = ascent + 1;
  m.cov.assign(static_cast<size_t>(m.w) * m.h, 0);
  int pen = 1;
  for (uint32_t cp : cps) {
    if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
    const FT_Bitmap& bm = face->glyph->bitmap;
    int ox = pen + face->glyph->bitmap_left, oy = m.baseline - face->glyph->bitmap_top;
    for (unsigned r = 0; r < bm.rows; ++r) {
      for (unsigned c = 0; c < bm.width; ++c) {
        int x = ox + static_cast<int>(c), y = oy + static_cast<int>(r);
        if (x < 0 || y < 0 || x >= m.w || y >= m.h) continue;
        float v = bm.buffer[r * bm.pitch + c] / 255.0f;
        float& dst = m.cov[static_cast<size_t>(y) * m.w + x];
        dst = std::max(dst, v);
      }
    }
    pen += static_cast<int>(face->glyph->advance.x >> 6);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return m;
}

TextMask Blur(const TextMask& m, int r) {
  TextMask out;
  out.w = m.w + 2 * r;
  out.h = m.h + 2 * r;
  out.baseline = m.baseline + r;
  out.cov.assign(static_cast<size_t>(out.w) * out.h, 0);
  float norm = 1.0f / ((2 * r + 1) * (2 * r + 1));
  for (int y = 0; y < out.h; ++y) {
    for (int x = 0; x < out.w; ++x) {
      float s = 0;
      for (int j = -r; j <= r; ++j) {
        for (int i = -r; i <= r; ++i) s += m.at(x - r + i, y - r + j);
      }
      out.cov[static_cast<size_t>(y) * out.w + x] = std::min(1.0f, s * norm * 2.2f);
    }
  }
  return out;
}

void PaintMask(Layer& l, const TextMask& m, int x, int y, Col c, float opacity) {
  for (int j = 0; j < m.h; ++j) {
    for (int i = 0; i < m.w; ++i) {
      float k = m.cov[static_cast<size_t>(j) * m.w + i];
      if (k > 0) l.Blend(x + i, y + j, c, k * opacity);
    }
  }
}

void PaintMaskGradient(Layer& l, const TextMask& m, int x, int y, Col top, Col bottom) {
  for (int j = 0; j < m.h; ++j) {
    Col c = Mix(top, bottom, m.h > 1 ? static_cast<float>(j) / (m.h - 1) : 0);
    for (int i = 0; i < m.w; ++i) {
      float k = m.cov[static_cast<size_t>(j) * m.w + i];
      if (k > 0) l.Blend(x + i, y + j, c, k);
    }
  }
}

TextMask RenderFitted(const std::string& utf8, int pixelSize, int maxWidth) {
  TextMask m = RenderText(utf8, pixelSize);
  // The Japanese captions are painted as they always were.
  if (!PaintingTranslation()) return m;
  while (m.w > maxWidth && pixelSize > 6) m = RenderText(utf8, --pixelSize);
  return m;
}

}  // namespace qv::assetgen
