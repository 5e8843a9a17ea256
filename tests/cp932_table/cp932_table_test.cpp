// The browser build's CP932 table converts as glibc's "CP932" does, which the desktop game uses:
// every byte and pair decoded, every character of the Basic Multilingual Plane encoded, and
// broken text handled the same way.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace {

// glibc's conversion as the desktop game runs it: a byte that does not belong becomes U+FFFD
// when decoding; encoding fails whole.
std::optional<std::string> Glibc(const char* to, const char* from, std::string_view in,
                                 bool replaceInvalid) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size(), used = 0;
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = out.data() + used;
    size_t dstLeft = out.size() - used;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    used = out.size() - dstLeft;
    if (r != static_cast<size_t>(-1)) break;
    if (!replaceInvalid || errno == E2BIG) {
      ok = false;
      break;
    }
    out.replace(used, 3, "\xEF\xBF\xBD", 3);
    used += 3;
    ++src;
    --srcLeft;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(used);
  return out;
}

std::string Utf8Of(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += char(cp);
  } else if (cp < 0x800) {
    s += char(0xC0 | (cp >> 6));
    s += char(0x80 | (cp & 0x3F));
  } else {
    s += char(0xE0 | (cp >> 12));
    s += char(0x80 | ((cp >> 6) & 0x3F));
    s += char(0x80 | (cp & 0x3F));
  }
  return s;
}

TEST(Cp932Table, DecodesEveryByteAndPairAsGlibc) {
  int differ = 0;
  for (int lead = 0; lead < 256; ++lead) {
    const std::string one(1, char(lead));
    if (qv::Cp932ToUtf8(one) != Glibc("UTF-8", "CP932", one, true).value_or("")) ++differ;
    for (int trail = 0; trail < 256 && lead >= 0x80; ++trail) {
      const std::string two{char(lead), char(trail)};
      const std::string ours = qv::Cp932ToUtf8(two);
      const std::string theirs = Glibc("UTF-8", "CP932", two, true).value_or("");
      if (ours != theirs && differ++ < 5) {
        ADD_FAILURE() << std::hex << "bytes " << lead << " " << trail << ": '" << ours
                      << "', glibc '" << theirs << "'";
      }
    }
  }
  EXPECT_EQ(differ, 0);
}

TEST(Cp932Table, EncodesEveryCharacterAsGlibc) {
  int differ = 0, encoded = 0;
  for (char32_t cp = 1; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string text = Utf8Of(cp);
    const std::optional<std::string> ours = qv::Utf8ToCp932(text);
    const std::optional<std::string> theirs = Glibc("CP932", "UTF-8", text, false);
    if (ours) ++encoded;
    if (ours != theirs && differ++ < 5) {
      ADD_FAILURE() << std::hex << "U+" << uint32_t(cp) << ": ours "
                    << (ours ? "encodes" : "refuses") << ", glibc "
                    << (theirs ? "encodes" : "refuses") << (ours && theirs ? " differently" : "");
    }
  }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(encoded, 7000);  // the whole of CP932, not a table that refuses everything
}

TEST(Cp932Table, BrokenTextGoesAsWithGlibc) {
  // A lead byte at the end, a lead byte before a byte that cannot follow it, bytes that are
  // never CP932, and such faults among good text.
  for (std::string_view bytes : {"\x82", "\x82\x20", "\x81\x7F", "a\x82", "\xFD\xFE\xFF",
                                 "\x82\xA0\x82", "\x80\xA0", "\x87\x40\xEE\xFC\xFA\x40"}) {
    EXPECT_EQ(qv::Cp932ToUtf8(bytes), Glibc("UTF-8", "CP932", bytes, true).value_or(""))
        << "bytes of length " << bytes.size();
  }
  // Text that is not UTF-8 (cut, overlong, a surrogate, past U+10FFFF), or a character beyond
  // the plane, is refused whole, as by glibc.
  for (std::string_view text :
       {"\xE3\x81", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF0\x9F\x98\x80", "ok\xE3"}) {
    EXPECT_EQ(qv::Utf8ToCp932(text), Glibc("CP932", "UTF-8", text, false));
  }
  EXPECT_EQ(qv::Utf8ToCp932("～－①Ⅱ¢£¬‖"), Glibc("CP932", "UTF-8", "～－①Ⅱ¢£¬‖", false));
}

}  // namespace
