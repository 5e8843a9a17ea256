// The two faces through fontconfig and FreeType, with a glyph cache so that each glyph of a
// face, size and weight is rasterised once per run.
#include "gfx/fonts.h"

#if !defined(__EMSCRIPTEN__)
#include <fontconfig/fontconfig.h>
#endif
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "gfx/fill_run.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace qv::gfx {

namespace {

// Sizes the game never asks for are clamped, so a wild value cannot ask FreeType for a
// glyph of megabytes.
constexpr int32_t kMaxPixelHeight = 512;

constexpr const char* kFamilies[] = {"IPAPGothic", "IPAGothic"};
constexpr const char* kFallbacks[] = {kProportionalFallback, kFixedFallback};

// A coverage map made ready for blending: each row trimmed to the columns it covers, and each
// of their pixels given four weights, one for every byte of the pixel as it lies in memory
// (blue, green, red and the unused top byte), so that a row blends as one run of bytes.
struct BlendMap {
  struct Row {
    int32_t from = 0, to = 0;  // columns [from, to) hold every coverage above 0
    uint32_t offset = 0;       // the first weight of column `from`
  };
  std::vector<Row> rows;
  std::vector<uint8_t> weights;
};

struct Glyph {
  int32_t left = 0, top = 0, width = 0, height = 0, advance = 0;
  std::vector<uint8_t> coverage;     // width x height, 0..255
  std::vector<uint8_t> outline;      // (width + 2) x (height + 2): the coverage grown by a pixel
  BlendMap coverageMap, outlineMap;  // made at the first drawing of each
};

// The coverage grown by one pixel on every side: each pixel takes the strongest of its
// 3 x 3 neighbourhood, so the outline is solid wherever the glyph touches.
void GrowOutline(Glyph& g) {
  const int32_t w = g.width + 2, h = g.height + 2;
  g.outline.assign(size_t(w) * size_t(h), 0);
  for (int32_t y = 0; y < g.height; ++y) {
    for (int32_t x = 0; x < g.width; ++x) {
      const uint8_t a = g.coverage[size_t(y) * size_t(g.width) + size_t(x)];
      if (a == 0) continue;
      for (int32_t dy = 0; dy < 3; ++dy) {
        uint8_t* row = g.outline.data() + size_t(y + dy) * size_t(w) + size_t(x);
        for (int32_t dx = 0; dx < 3; ++dx) row[dx] = std::max(row[dx], a);
      }
    }
  }
}

// n / 255 truncated toward zero, for |n| <= 255 * 255, without a division.
inline int32_t Div255(int32_t n) {
  const int32_t sign = n >> 31;
  const int32_t magnitude = (n ^ sign) - sign;
  return (((magnitude + 1 + (magnitude >> 8)) >> 8) ^ sign) - sign;
}

// One row of a glyph onto pixels: coverage 0 leaves a pixel, 255 puts the colour, anything
// between moves each channel toward the colour by coverage/255 of the way, truncated, and
// clears the top byte. Without branches, so that the compiler vectorises it.
void BlendRow(Color* __restrict out, const uint8_t* __restrict coverage, int64_t n, Color colour) {
  const int32_t cr = RedOf(colour), cg = GreenOf(colour), cb = BlueOf(colour);
  for (int64_t i = 0; i < n; ++i) {
    const int32_t a = coverage[i];
    const Color d = out[i];
    const int32_t r = RedOf(d), g = GreenOf(d), b = BlueOf(d);
    const Color mixed =
        static_cast<Color>(((r + Div255((cr - r) * a)) << 16) | ((g + Div255((cg - g) * a)) << 8) |
                           (b + Div255((cb - b) * a)));
    out[i] = a == 0 ? d : a == 255 ? colour : mixed;
  }
}

// The same blend byte by byte, for a colour with a clear top byte: each byte d moves toward the
// colour's byte c by floor(|c - d| * weight / 255), which is the blend above with the weights
// of a BlendMap (the top byte, toward 0 with weight 255, is cleared wherever coverage lies;
// weight 255 lands exactly on the colour, weight 0 leaves the byte). Every step fits 16 bits.
inline uint8_t MixByte(uint8_t d, uint8_t c, uint8_t w) {
  const uint8_t lo = std::min(c, d), hi = std::max(c, d);
  const uint16_t x = static_cast<uint16_t>(static_cast<uint16_t>(hi - lo) * w);
  const uint8_t q = static_cast<uint8_t>(static_cast<uint16_t>(x + 1 + (x >> 8)) >> 8);
  return c > d ? static_cast<uint8_t>(lo + q) : static_cast<uint8_t>(hi - q);
}

// Rows of a BlendMap come in whole groups of this many pixels (padded with weight 0), so that
// a row inside the target blends in whole vectors with no odd end.
constexpr int32_t kGroup = 4;
constexpr int32_t kGroupBytes = 4 * kGroup;

#if defined(__SSE2__)
// MixByte on the sixteen bytes of one group: the distance to the colour times the weight in
// 16-bit lanes, the division by 255, then a step up from the lower byte or down from the higher.
[[gnu::always_inline]] inline __m128i Div255Group(__m128i x) {
  const __m128i one = _mm_set1_epi16(1);
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
}
[[gnu::always_inline]] inline void BlendGroup(uint8_t* out, const uint8_t* weight, __m128i c) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out));
  const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weight));
  const __m128i hi = _mm_max_epu8(c, d), lo = _mm_min_epu8(c, d);
  const __m128i diff = _mm_sub_epi8(hi, lo);
  const __m128i ql =
      Div255Group(_mm_mullo_epi16(_mm_unpacklo_epi8(diff, zero), _mm_unpacklo_epi8(w, zero)));
  const __m128i qh =
      Div255Group(_mm_mullo_epi16(_mm_unpackhi_epi8(diff, zero), _mm_unpackhi_epi8(w, zero)));
  const __m128i q = _mm_packus_epi16(ql, qh);
  const __m128i up = _mm_cmpeq_epi8(hi, c);  // toward a higher byte (or equal, where q is 0)
  const __m128i mixed = _mm_or_si128(_mm_and_si128(up, _mm_add_epi8(lo, q)),
                                     _mm_andnot_si128(up, _mm_sub_epi8(hi, q)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), mixed);
}
#endif

void BlendGroups(uint8_t* __restrict out, const uint8_t* __restrict weight, int64_t groups,
                 const uint8_t* __restrict colour) {
#if defined(__SSE2__)
  static_assert(kGroupBytes == 16);
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colour));
  for (int64_t g = 0; g < groups; ++g, out += kGroupBytes, weight += kGroupBytes)
    BlendGroup(out, weight, c);
#else
  for (int64_t g = 0; g < groups; ++g, out += kGroupBytes, weight += kGroupBytes) {
    for (int32_t i = 0; i < kGroupBytes; ++i) out[i] = MixByte(out[i], colour[i], weight[i]);
  }
#endif
}

#if defined(__x86_64__) && defined(__GNUC__)
[[gnu::target("avx2")]] inline __m256i Div255Wide(__m256i x) {
  const __m256i one = _mm256_set1_epi16(1);
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(x, one), _mm256_srli_epi16(x, 8)), 8);
}

// BlendGroups two groups at a time for processors with AVX2: the same steps on 32 bytes.
[[gnu::target("avx2")]] void BlendGroupsWide(uint8_t* __restrict out,
                                             const uint8_t* __restrict weight, int64_t groups,
                                             const uint8_t* __restrict colour) {
  const __m128i c1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(colour));
  const __m256i c = _mm256_broadcastsi128_si256(c1);
  const __m256i zero = _mm256_setzero_si256();
  int64_t g = 0;
  for (; g + 2 <= groups; g += 2, out += 2 * kGroupBytes, weight += 2 * kGroupBytes) {
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out));
    const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weight));
    const __m256i hi = _mm256_max_epu8(c, d), lo = _mm256_min_epu8(c, d);
    const __m256i diff = _mm256_sub_epi8(hi, lo);
    // The unpacks and the pack work within each 16-byte half, so the bytes come back in place.
    const __m256i ql = Div255Wide(
        _mm256_mullo_epi16(_mm256_unpacklo_epi8(diff, zero), _mm256_unpacklo_epi8(w, zero)));
    const __m256i qh = Div255Wide(
        _mm256_mullo_epi16(_mm256_unpackhi_epi8(diff, zero), _mm256_unpackhi_epi8(w, zero)));
    const __m256i q = _mm256_packus_epi16(ql, qh);
    const __m256i up = _mm256_cmpeq_epi8(hi, c);
    const __m256i mixed = _mm256_blendv_epi8(_mm256_sub_epi8(hi, q), _mm256_add_epi8(lo, q), up);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), mixed);
  }
  if (g < groups) BlendGroup(out, weight, c1);
}
#endif

void BlendBytes(uint8_t* __restrict out, const uint8_t* __restrict weight, int64_t pixels,
                const uint8_t* __restrict colour) {
  for (int64_t i = 0; i < 4 * pixels; ++i) out[i] = MixByte(out[i], colour[i & 3], weight[i]);
}

// The rows of a w x h coverage map trimmed and weighted for BlendBytes, each padded to whole
// groups.
void MakeBlendMap(BlendMap& map, int32_t w, int32_t h, const uint8_t* coverage) {
  map.rows.assign(size_t(h), {});
  map.weights.clear();
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = coverage + size_t(y) * size_t(w);
    int32_t from = 0, to = w;
    while (from < to && row[from] == 0) ++from;
    while (to > from && row[to - 1] == 0) --to;
    map.rows[size_t(y)] = {from, to, uint32_t(map.weights.size())};
    for (int32_t x = from; x < to; ++x) {
      const uint8_t a = row[x];
      map.weights.insert(map.weights.end(), {a, a, a, uint8_t(a != 0 ? 255 : 0)});
    }
    const int32_t pad = (kGroup - (to - from) % kGroup) % kGroup;
    map.weights.insert(map.weights.end(), size_t(4 * pad), uint8_t{0});
  }
}

// Rows [y0, y1) and columns [x0, x1) of a glyph's BlendMap onto the target, its top-left at
// (gx, gy), in the colour repeated over a group.
template <bool kWide>
[[gnu::always_inline]] inline void BlendMapRows(Bitmap& target, int64_t gx, int64_t gy, int64_t x0,
                                                int64_t x1, int64_t y0, int64_t y1,
                                                const BlendMap& map, const uint8_t* colour) {
  const int64_t right = target.Width() - gx;  // the first glyph column past the target
  for (int64_t row = y0; row < y1; ++row) {
    const BlendMap::Row& r = map.rows[size_t(row)];
    uint8_t* out = reinterpret_cast<uint8_t*>(target.Row(int32_t(gy + row)) + gx);
    const uint8_t* weight = map.weights.data() + r.offset;
    const int64_t groups = (r.to - r.from + kGroup - 1) / kGroup;
    if (r.from >= x0 && r.from + groups * kGroup <= right) {
      // The padding's weights are 0, so blending it leaves the pixels as they are.
#if defined(__x86_64__) && defined(__GNUC__)
      if constexpr (kWide) {
        BlendGroupsWide(out + 4 * r.from, weight, groups, colour);
        continue;
      }
#endif
      BlendGroups(out + 4 * r.from, weight, groups, colour);
      continue;
    }
    const int64_t from = std::max<int64_t>(r.from, x0), to = std::min<int64_t>(r.to, x1);
    if (from < to) BlendBytes(out + 4 * from, weight + 4 * (from - r.from), to - from, colour);
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
[[gnu::target("avx2"), gnu::flatten]] void BlendMapRowsWide(Bitmap& target, int64_t gx, int64_t gy,
                                                            int64_t x0, int64_t x1, int64_t y0,
                                                            int64_t y1, const BlendMap& map,
                                                            const uint8_t* colour) {
  BlendMapRows<true>(target, gx, gy, x0, x1, y0, y1, map, colour);
}
#endif

// Blends a coverage map of w x h onto the target in one colour, its top-left at (gx, gy).
void Blend(Bitmap& target, int64_t gx, int64_t gy, int32_t w, int32_t h, const uint8_t* coverage,
           BlendMap& map, Color color) {
  const int64_t y0 = std::max<int64_t>(0, -gy), y1 = std::min<int64_t>(h, target.Height() - gy);
  const int64_t x0 = std::max<int64_t>(0, -gx), x1 = std::min<int64_t>(w, target.Width() - gx);
  if (x0 >= x1 || y0 >= y1) return;
  if (std::endian::native != std::endian::little || (color >> 24) != 0) {
    for (int64_t row = y0; row < y1; ++row) {
      BlendRow(target.Row(int32_t(gy + row)) + gx + x0, coverage + row * w + x0, x1 - x0, color);
    }
    return;
  }
  if (map.rows.size() != size_t(h)) MakeBlendMap(map, w, h, coverage);
  uint8_t colour[kGroupBytes];
  for (int32_t i = 0; i < kGroupBytes; i += 4) std::memcpy(colour + i, &color, 4);
#if defined(__x86_64__) && defined(__GNUC__)
  if (WideStores()) {
    BlendMapRowsWide(target, gx, gy, x0, x1, y0, y1, map, colour);
    return;
  }
#endif
  BlendMapRows<false>(target, gx, gy, x0, x1, y0, y1, map, colour);
}

// Bold for faces that have none, as the window system makes it: the strokes grow thicker
// across only, so a bold glyph keeps the face's height and advance. Bold text then keeps the
// pitch and the line height the game's layout counts on (FreeType's own emboldening also
// grows the glyphs upwards and widens every advance by a pixel).
void EmboldenAcross(FT_Face face) {
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
  const FT_Pos strength = FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24;
  FT_Outline_EmboldenXY(&slot->outline, strength, 0);
}

uint64_t GlyphKey(const Font& f, int32_t px, char32_t cp) {
  return (uint64_t(f.face == FontFace::Fixed) << 63) | (uint64_t(f.bold) << 62) |
         (uint64_t(px) << 32) | uint64_t(cp);
}

// The file fontconfig holds for exactly this family, or empty (it would otherwise offer
// any face at all as the closest match).
std::string FindFamily(const char* family) {
#if defined(__EMSCRIPTEN__)
  // The browser has no fontconfig: its page puts the faces at Debian's paths.
  (void)family;
  return {};
#else
  if (!FcInit()) return {};
  std::string found;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* name = nullptr;
    bool sameFamily = false;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
      if (std::string_view(reinterpret_cast<char*>(name)) == family) sameFamily = true;
    FcChar8* file = nullptr;
    if (sameFamily && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
      found = reinterpret_cast<char*>(file);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return found;
#endif
}

}  // namespace

struct FontLibrary::Impl {
  FontFiles files;
  FT_Library library = nullptr;
  struct FaceSlot {
    FT_Face face = nullptr;
    bool tried = false;
    std::string path;
    int32_t pixelHeight = 0;
  };
  FaceSlot faces[2];
  bool cache = true;
  int64_t rasterised = 0;
  std::unordered_map<uint64_t, Glyph> glyphs;
  // The glyphs found last, one a slot by their key: a frame asks for the same few dozen over
  // and over, and finds them here without the map's hashing and chains. Emptied with the map.
  struct Recent {
    uint64_t key = ~uint64_t{0};  // no glyph's key (sizes stay far below 2^30 pixels)
    Glyph* glyph = nullptr;
  };
  static constexpr int kRecentBits = 8;
  std::array<Recent, size_t{1} << kRecentBits> recent{};
  static size_t RecentSlot(uint64_t key) {
    return size_t((key * 0x9E3779B97F4A7C15ull) >> (64 - kRecentBits));
  }
  void ForgetGlyphs() {
    glyphs.clear();
    recent.fill({});
  }
  // Metrics by face and pixel height: sizing a face runs its hinting program, far dearer than
  // drawing a cached glyph, and a frame changes sizes many times.
  std::unordered_map<uint64_t, FontMetrics> metrics;
  Glyph scratch;

  ~Impl() {
    for (FaceSlot& f : faces)
      if (f.face) FT_Done_Face(f.face);
    if (library) FT_Done_FreeType(library);
  }

  FaceSlot& Slot(FontFace face) { return faces[face == FontFace::Fixed ? 1 : 0]; }

  FT_Face Open(FontFace which) {
    FaceSlot& slot = Slot(which);
    if (slot.tried) return slot.face;
    slot.tried = true;
    const int i = which == FontFace::Fixed ? 1 : 0;
    const std::string& given = i ? files.fixed : files.proportional;
    std::vector<std::string> candidates;
    if (!given.empty()) {
      candidates.push_back(given);
    } else {
      if (std::string path = FindFamily(kFamilies[i]); !path.empty()) candidates.push_back(path);
      candidates.push_back(kFallbacks[i]);
    }
    if (!library && FT_Init_FreeType(&library) != 0) library = nullptr;
    for (const std::string& path : candidates) {
      if (library && FT_New_Face(library, path.c_str(), 0, &slot.face) == 0) {
        slot.path = path;
        return slot.face;
      }
      slot.face = nullptr;
    }
    std::fprintf(stderr, "qv: the font %s was not found (tried %s); its text is not drawn\n",
                 kFamilies[i], candidates.back().c_str());
    return nullptr;
  }

  // The face set to the font's size, or null when the face is missing or the size is not drawable.
  FT_Face Sized(const Font& font, int32_t& px) {
    px = std::min(font.height, kMaxPixelHeight);
    if (px <= 0) return nullptr;
    FT_Face face = Open(font.face);
    if (!face) return nullptr;
    FaceSlot& slot = Slot(font.face);
    if (slot.pixelHeight != px) {
      if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(px)) != 0) return nullptr;
      slot.pixelHeight = px;
    }
    return face;
  }

  Glyph* Get(const Font& font, char32_t cp) {
    // A cached glyph needs no sized face: sizing runs the face's hinting program.
    if (cache) {
      const int32_t height = std::min(font.height, kMaxPixelHeight);
      if (height <= 0) return nullptr;
      const uint64_t key = GlyphKey(font, height, cp);
      Recent& seen = recent[RecentSlot(key)];
      if (seen.key == key) return seen.glyph;
      if (auto it = glyphs.find(key); it != glyphs.end()) {
        seen = {key, &it->second};
        return seen.glyph;
      }
    }
    int32_t px;
    FT_Face face = Sized(font, px);
    if (!face) return nullptr;
    const uint64_t key = GlyphKey(font, px, cp);
    Glyph g;
    const FT_UInt index = FT_Get_Char_Index(face, cp);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) == 0) {
      if (font.bold) EmboldenAcross(face);
      if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
        ++rasterised;
        const FT_Bitmap& b = face->glyph->bitmap;
        g.left = face->glyph->bitmap_left;
        g.top = face->glyph->bitmap_top;
        g.width = int32_t(b.width);
        g.height = int32_t(b.rows);
        g.coverage.resize(size_t(g.width) * g.height);
        for (int32_t y = 0; y < g.height; ++y) {
          const unsigned char* row = b.buffer + ptrdiff_t(y) * b.pitch;
          std::copy_n(row, g.width, g.coverage.data() + size_t(y) * g.width);
        }
      }
      g.advance = int32_t((face->glyph->advance.x + 32) >> 6);
    }
    if (!cache) {
      scratch = std::move(g);
      return &scratch;
    }
    return &glyphs.emplace(key, std::move(g)).first->second;
  }
};

int32_t PointsToPixels(int32_t points) {
  return int32_t((int64_t{points} * 96 + (points >= 0 ? 36 : -36)) / 72);
}

char32_t NextCodePoint(std::string_view s, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(pos);
  int extra = 0;
  char32_t cp = 0, min = 0;
  if (b0 < 0x80) {
    ++pos;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + extra >= s.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i <= extra; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  pos += extra + 1;
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

FontLibrary::FontLibrary() : impl_(std::make_unique<Impl>()) {}
FontLibrary::FontLibrary(FontFiles files) : impl_(std::make_unique<Impl>()) {
  impl_->files = std::move(files);
}
FontLibrary::~FontLibrary() = default;

FontLibrary& FontLibrary::Shared() {
  static FontLibrary shared;
  return shared;
}

FontMetrics FontLibrary::Metrics(const Font& font) {
  const uint64_t key = GlyphKey({font.face, font.height, false, 0}, font.height, 0);
  if (auto it = impl_->metrics.find(key); it != impl_->metrics.end()) return it->second;
  int32_t px;
  FontMetrics out;
  if (FT_Face face = impl_->Sized(font, px)) {
    const FT_Size_Metrics& m = face->size->metrics;
    out = {int32_t((m.ascender + 63) >> 6), int32_t((-m.descender + 63) >> 6)};
  }
  // A face that cannot be opened stays missing, so its empty metrics are kept too.
  impl_->metrics.emplace(key, out);
  return out;
}

Size FontLibrary::Measure(const Font& font, std::string_view utf8) {
  const FontMetrics m = Metrics(font);
  if (m.Height() == 0) return {};
  int64_t width = 0;
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0x20) continue;  // line breaks and other controls take no room
    if (const Glyph* g = impl_->Get(font, cp)) width += g->advance;
  }
  return {int32_t(std::min<int64_t>(width, INT32_MAX)), m.Height()};
}

int32_t FontLibrary::Draw(Bitmap& target, int32_t x, int32_t y, const Font& font,
                          std::string_view utf8) {
  return DrawGlyphs(target, x, y, font, font.color, false, utf8);
}

int32_t FontLibrary::DrawOutline(Bitmap& target, int32_t x, int32_t y, const Font& font,
                                 Color outline, std::string_view utf8) {
  return DrawGlyphs(target, x, y, font, outline, true, utf8);
}

int32_t FontLibrary::DrawGlyphs(Bitmap& target, int32_t x, int32_t y, const Font& font, Color color,
                                bool outline, std::string_view utf8) {
  const FontMetrics m = Metrics(font);
  if (m.Height() == 0) return 0;
  const int64_t baseline = int64_t{y} + m.ascent;
  int64_t penX = x;
  for (size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0x20) continue;
    Glyph* g = impl_->Get(font, cp);
    if (!g) continue;
    const int64_t gx = penX + g->left, gy = baseline - g->top;
    penX += g->advance;
    if (g->coverage.empty()) continue;
    if (!outline) {
      Blend(target, gx, gy, g->width, g->height, g->coverage.data(), g->coverageMap, color);
      continue;
    }
    if (g->outline.empty()) GrowOutline(*g);
    Blend(target, gx - 1, gy - 1, g->width + 2, g->height + 2, g->outline.data(), g->outlineMap,
          color);
  }
  return int32_t(std::clamp<int64_t>(penX - x, INT32_MIN, INT32_MAX));
}

bool FontLibrary::Available(FontFace face) {
  return impl_->Open(face) != nullptr;
}
std::string FontLibrary::FileOf(FontFace face) {
  impl_->Open(face);
  return impl_->Slot(face).path;
}
void FontLibrary::SetCacheEnabled(bool on) {
  impl_->cache = on;
  if (!on) impl_->ForgetGlyphs();
}
bool FontLibrary::CacheEnabled() const {
  return impl_->cache;
}
int64_t FontLibrary::RasterisedCount() const {
  return impl_->rasterised;
}
void FontLibrary::ClearCache() {
  impl_->ForgetGlyphs();
}

}  // namespace qv::gfx

// fontconfig keeps a few hundred bytes of its parsed configuration unreachable after the first
// match; that is fontconfig's own, once per run, and not ours to free. The leak checker of
// the sanitizer builds reads this list (ordinary builds never call it).
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the sanitizer runtime looks for
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
