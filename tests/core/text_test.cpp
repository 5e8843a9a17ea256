#include <gtest/gtest.h>

#include "core/random.h"
#include "core/text.h"

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
  EXPECT_TRUE(IsUtf8("カイ①\xF0\x9F\x98\x80"));  // three- and four-byte forms
  EXPECT_FALSE(IsUtf8("\xE3\x81"));               // cut off
  EXPECT_FALSE(IsUtf8("\xC0\xAF"));               // overlong '/'
  EXPECT_FALSE(IsUtf8("\xE0\x80\xAF"));          // overlong, three bytes
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));          // a surrogate
  EXPECT_FALSE(IsUtf8("\xF4\x90\x80\x80"));      // past U+10FFFF
  EXPECT_FALSE(IsUtf8("a\x80" "b"));               // a lone trail byte
  EXPECT_FALSE(IsUtf8("\x82\xA0"));               // CP932 is not UTF-8
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
