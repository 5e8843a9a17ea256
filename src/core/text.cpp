#include "core/text.h"

#if !defined(QV_CP932_TABLE)
#include <iconv.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <mutex>
#include <unordered_map>

#include "core/game_texts.h"
#if defined(QV_CP932_TABLE)
#include "core/cp932_table.h"
#endif

namespace qv {
namespace {

#if defined(QV_CP932_TABLE)
// The table made from glibc's "CP932" at build time, for C libraries that cannot convert it
// (the browser's turns ～, －, ① and more into '*'). Converts as the desktop game does: a byte
// that is not CP932 becomes U+FFFD and the next byte is read afresh; a character without a
// CP932 form, or text that is not UTF-8, fails the whole text.
void PutUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

uint32_t PairCodePoint(unsigned char lead, unsigned char trail) {
  const uint8_t* leads = cp932::kLeads;
  const uint8_t* end = leads + cp932::kLeadCount;
  const uint8_t* at = std::lower_bound(leads, end, lead);
  if (at == end || *at != lead) return 0xFFFF;
  return cp932::kPairs[size_t(at - leads) * 256 + trail];
}

std::string DecodeCp932(std::string_view in) {
  std::string out;
  out.reserve(in.size() * 2);
  for (size_t i = 0; i < in.size();) {
    const unsigned char c = static_cast<unsigned char>(in[i]);
    if (const uint32_t one = cp932::kSingle[c]; one != 0xFFFF) {
      PutUtf8(out, one);
      ++i;
      continue;
    }
    if (i + 1 < in.size()) {
      if (const uint32_t two = PairCodePoint(c, static_cast<unsigned char>(in[i + 1]));
          two != 0xFFFF) {
        PutUtf8(out, two);
        i += 2;
        continue;
      }
    }
    out += "\xEF\xBF\xBD";
    ++i;
  }
  return out;
}

std::optional<std::string> EncodeCp932(std::string_view in) {
  if (!IsUtf8(in)) return std::nullopt;
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size();) {
    const unsigned char c = static_cast<unsigned char>(in[i]);
    const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
    uint32_t cp = len == 1 ? c : c & (0x7Fu >> len);
    for (size_t k = 1; k < len; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
    i += len;
    if (cp > 0xFFFF) return std::nullopt;
    size_t lo = 0, hi = cp932::kEncodeCount;
    while (lo < hi) {
      const size_t mid = (lo + hi) / 2;
      if (cp932::kEncode[2 * mid] < cp)
        lo = mid + 1;
      else
        hi = mid;
    }
    if (lo == cp932::kEncodeCount || cp932::kEncode[2 * lo] != cp) return std::nullopt;
    const uint32_t code = cp932::kEncode[2 * lo + 1];
    if (code > 0xFF) out += char(code >> 8);
    out += char(code & 0xFF);
  }
  return out;
}
#else
// glibc's "CP932" (not "SHIFT_JIS", which maps 0x5C and 0x7E differently and lacks the
// NEC and IBM rows).
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in,
                                   bool replaceInvalid) {
  iconv_t cd = iconv_open(to, from);
  // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open reports failure as (iconv_t)-1
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.resize(in.size() * 2 + 8);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  size_t used = 0;
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = out.data() + used;
    size_t dstLeft = out.size() - used;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    used = out.size() - dstLeft;
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // EILSEQ or EINVAL: a byte that does not belong.
    if (!replaceInvalid) {
      ok = false;
      break;
    }
    static constexpr char kReplacement[] = "\xEF\xBF\xBD";
    if (out.size() - used < 4) out.resize(out.size() * 2);
    out.replace(used, 3, kReplacement, 3);
    used += 3;
    ++src;
    --srcLeft;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(used);
  return out;
}
#endif

// Keyed by the text, not by its address: a buffer that is reused for another text gets its
// own conversion, never the one an earlier text left at that address.
struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct LiteralCache {
  // Starts with every text of the game's source, converted when the game was built.
  LiteralCache() {
    for (const GameText& t : GameTexts()) byText.emplace(t.utf8, t.cp932);
  }
  std::mutex mutex;
  std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> byText;
};

LiteralCache& Cache() {
  // A pure memo of a fixed conversion: it never changes what any caller sees.
  static LiteralCache cache;
  return cache;
}

// A text the build did not see (a test's own, or pieces joined at run time): each character
// without a CP932 form becomes '?', and the text is named once on stderr.
std::string ConvertUnseen(std::string_view text) {
  if (std::optional<std::string> whole = Utf8ToCp932(text)) return std::move(*whole);
  std::fprintf(stderr, "qv: no CP932 form for the text \"%.*s\"\n", static_cast<int>(text.size()),
               text.data());
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t len = c < 0x80 || (c & 0xC0) == 0x80 ? 1
                 : (c & 0xE0) == 0xC0           ? 2
                 : (c & 0xF0) == 0xE0           ? 3
                                                : 4;
    len = std::min(len, text.size() - i);
    const std::optional<std::string> one = Utf8ToCp932(text.substr(i, len));
    out += one ? *one : std::string("?");
    i += len;
  }
  return out;
}

}  // namespace

const std::string& Sjis(const char* utf8Literal) {
  const std::string_view text(utf8Literal);
  LiteralCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  auto it = cache.byText.find(text);
  if (it != cache.byText.end()) return it->second;
  // Map nodes never move, so the reference stays good for the rest of the run.
  return cache.byText.emplace(text, ConvertUnseen(text)).first->second;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  if (utf8.empty()) return std::string();
#if defined(QV_CP932_TABLE)
  return EncodeCp932(utf8);
#else
  return Convert("CP932", "UTF-8", utf8, false);
#endif
}

std::string Cp932ToUtf8(std::string_view cp932) {
  if (cp932.empty()) return std::string();
#if defined(QV_CP932_TABLE)
  return DecodeCp932(cp932);
#else
  std::optional<std::string> r = Convert("UTF-8", "CP932", cp932, true);
  return r ? *r : std::string();
#endif
}

bool IsValidCp932(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead) {
      if (i + 1 >= bytes.size()) return false;
      const unsigned char t = static_cast<unsigned char>(bytes[i + 1]);
      if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
      ++i;
    } else if (c == 0x80 || c == 0xA0 || c >= 0xFD) {
      return false;
    }
  }
  return true;
}

bool IsUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    char32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    }
    if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

}  // namespace qv
