#include "core/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_texts.h"
#include "core/random.h"

namespace qv {
namespace {

TEST(Cp932, ByteLengthsOfFullAndHalfWidth) {
  EXPECT_EQ(Sjis("しすみ").size(), 6u);
  EXPECT_EQ(Sjis("ｸﾘﾃｨｶﾙ率").size(), 8u);  // half-width katakana are one byte each
  EXPECT_EQ(Sjis("～").size(), 2u);
  EXPECT_EQ(Sjis("－").size(), 2u);
  EXPECT_EQ(Sjis("Ⅱ").size(), 2u);  // NEC row: SHIFT_JIS would reject it
  EXPECT_EQ(Sjis("～"), std::string("\x81\x60"));
  EXPECT_EQ(Sjis("　"), std::string("\x81\x40"));
  EXPECT_EQ(Sjis("\\"), std::string("\x5C"));
}

TEST(Cp932, LiteralsAreConvertedOnce) {
  static const char* const kLiteral = "テスト";
  const std::string& a = Sjis(kLiteral);
  const std::string& b = Sjis(kLiteral);
  EXPECT_EQ(&a, &b);
}

TEST(Cp932, AReusedBufferGetsItsOwnText) {
  char buffer[16] = "あい";
  const std::string first = Sjis(buffer);
  std::snprintf(buffer, sizeof buffer, "%s", "うえお");
  EXPECT_EQ(Sjis(buffer), Sjis("うえお"));
  EXPECT_EQ(first, Sjis("あい"));
}

// The game's texts in src/ as written: the string literals that hold anything but ASCII.
std::vector<std::string> NonAsciiLiterals(const std::string& source) {
  std::vector<std::string> found;
  size_t i = 0;
  const size_t n = source.size();
  auto skipTo = [&](std::string_view end) {
    const size_t at = source.find(end, i);
    i = at == std::string::npos ? n : at + end.size();
  };
  while (i < n) {
    const char c = source[i];
    if (source.compare(i, 2, "//") == 0) {
      skipTo("\n");
    } else if (source.compare(i, 2, "/*") == 0) {
      skipTo("*/");
    } else if (c == '\'' && (i == 0 || !std::isalnum(static_cast<unsigned char>(source[i - 1])))) {
      // A character literal (a quote after a digit separates the digits of a number).
      for (++i; i < n && source[i] != '\''; ++i)
        if (source[i] == '\\') ++i;
      ++i;
    } else if (c == '"') {
      std::string text;
      bool wide = false;
      for (++i; i < n && source[i] != '"'; ++i) {
        if (source[i] == '\\' && i + 1 < n) {
          ++i;
          switch (source[i]) {
            case 'n':
              text += '\n';
              break;
            case 'r':
              text += '\r';
              break;
            case 't':
              text += '\t';
              break;
            case 'x':
              text += '?';
              i += 2;
              break;  // a byte given by number is no UTF-8 text
            default:
              text += source[i];
          }
          continue;
        }
        if (static_cast<unsigned char>(source[i]) >= 0x80) wide = true;
        text += source[i];
      }
      ++i;
      if (wide) found.push_back(text);
    } else {
      ++i;
    }
  }
  return found;
}

// Every text of every table and call in the game converts, and the build converted it: the
// table made at build time holds it with the very bytes a conversion now gives.
TEST(Cp932, EveryTextInTheSourceHasACp932Form) {
  const std::filesystem::path src = std::filesystem::path(QV_SOURCE_DIR) / "src";
  const std::span<const GameText> built = GameTexts();
  auto builtForm = [&](std::string_view utf8) -> std::optional<std::string_view> {
    auto it = std::lower_bound(built.begin(), built.end(), utf8,
                               [](const GameText& t, std::string_view u) { return t.utf8 < u; });
    if (it == built.end() || it->utf8 != utf8) return std::nullopt;
    return it->cp932;
  };
  size_t checked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string source{std::istreambuf_iterator<char>(in), {}};
    for (const std::string& text : NonAsciiLiterals(source)) {
      ++checked;
      const std::optional<std::string> now = Utf8ToCp932(text);
      EXPECT_TRUE(now.has_value()) << entry.path().string() << ": " << text;
      if (!now || text.find('?') != std::string::npos) continue;  // '?' may stand for a \x byte
      const std::optional<std::string_view> atBuild = builtForm(text);
      EXPECT_TRUE(atBuild.has_value())
          << entry.path().string() << ": not converted at build: " << text;
      if (atBuild) EXPECT_EQ(*atBuild, *now) << text;
    }
  }
  EXPECT_GT(checked, 1000u);  // the scan found the game's texts at all
  EXPECT_TRUE(std::is_sorted(built.begin(), built.end(),
                             [](const GameText& a, const GameText& b) { return a.utf8 < b.utf8; }));
  // Sjis hands out the built form itself.
  ASSERT_FALSE(built.empty());
  EXPECT_EQ(Sjis(std::string(built.front().utf8).c_str()), built.front().cp932);
}

// A text the build never saw and that has no CP932 form is shown with '?' for what cannot be
// written, instead of stopping the game.
TEST(Cp932, AnUnseenTextWithoutACp932FormKeepsWhatItCan) {
  EXPECT_EQ(Sjis("a\xF0\x9F\x98\x80\xE3\x81\x82"), std::string("a?\x82\xA0"));
  EXPECT_EQ(Sjis("\xE3\x81"), "?");  // cut off
}

TEST(Cp932, RoundTripForDrawingAndRejection) {
  EXPECT_EQ(Cp932ToUtf8(Sjis("ミラフォルテ")), "ミラフォルテ");
  EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80").has_value());  // an emoji has no CP932 form
  EXPECT_TRUE(IsValidCp932(Sjis("ＱＲＴＶ団")));
  EXPECT_FALSE(IsValidCp932(std::string("\x82")));  // a lead byte with no trail byte
  EXPECT_EQ(Cp932ToUtf8(std::string("a\x82")), "a\xEF\xBF\xBD");
}

// Typed text and recorded inputs are refused unless they are honest UTF-8.
TEST(Utf8Check, AcceptsWellFormedAndRefusesTheTricks) {
  EXPECT_TRUE(IsUtf8(""));
  EXPECT_TRUE(IsUtf8("ascii ~"));
  EXPECT_TRUE(IsUtf8("カイ①\xF0\x9F\x98\x80"));      // three- and four-byte forms
  EXPECT_FALSE(IsUtf8("\xE3\x81"));                  // cut off
  EXPECT_FALSE(IsUtf8("\xC0\xAF"));                  // overlong '/'
  EXPECT_FALSE(IsUtf8("\xE0\x80\xAF"));              // overlong, three bytes
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));              // a surrogate
  EXPECT_FALSE(IsUtf8("\xF4\x90\x80\x80"));          // past U+10FFFF
  EXPECT_FALSE(IsUtf8(std::string("a\x80") + "b"));  // a lone trail byte
  EXPECT_FALSE(IsUtf8("\x82\xA0"));                  // CP932 is not UTF-8
}

TEST(RandomRoll, RangeAndPinnedEdges) {
  Rng rng;
  rng.Seed(7);
  EXPECT_EQ(Random(rng, 0), 0);
  EXPECT_EQ(Random(rng, -5), 0);
  for (int i = 0; i < 1000; ++i) {
    const int32_t v = Random(rng, 6);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 6);
  }
  rng.mode = RollMode::Highest;
  EXPECT_EQ(Random(rng, 100), 99);
  rng.mode = RollMode::Lowest;
  EXPECT_EQ(Random(rng, 100), 0);
}

}  // namespace
}  // namespace qv
