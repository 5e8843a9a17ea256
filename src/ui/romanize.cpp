// Katakana in Latin letters, for the names the catalog cannot know: the free area's random
// names are four syllables drawn from a table, and the name list can be edited by hand.
// The texts of this file are not shown: they are letters to read names with.
#include <string>
#include <string_view>

#include "ui/translator.h"

namespace qv::ui {
namespace {

struct Kana {
  std::u32string_view kana;
  std::string_view latin;
};

// clang-format off
// Two-kana syllables first, so キャ reads "kya" and not "kiya".
constexpr Kana kSyllables[] = {
    {U"キャ", "kya"}, {U"キュ", "kyu"}, {U"キョ", "kyo"}, {U"シャ", "sha"}, {U"シュ", "shu"},
    {U"ショ", "sho"}, {U"チャ", "cha"}, {U"チュ", "chu"}, {U"チョ", "cho"}, {U"ニャ", "nya"},
    {U"ニュ", "nyu"}, {U"ニョ", "nyo"}, {U"ヒャ", "hya"}, {U"ヒュ", "hyu"}, {U"ヒョ", "hyo"},
    {U"ミャ", "mya"}, {U"ミュ", "myu"}, {U"ミョ", "myo"}, {U"リャ", "rya"}, {U"リュ", "ryu"},
    {U"リョ", "ryo"}, {U"ギャ", "gya"}, {U"ギュ", "gyu"}, {U"ギョ", "gyo"}, {U"ジャ", "ja"},
    {U"ジュ", "ju"},  {U"ジョ", "jo"},  {U"ビャ", "bya"}, {U"ビュ", "byu"}, {U"ビョ", "byo"},
    {U"ピャ", "pya"}, {U"ピュ", "pyu"}, {U"ピョ", "pyo"}, {U"ファ", "fa"},  {U"フィ", "fi"},
    {U"フェ", "fe"},  {U"フォ", "fo"},  {U"ティ", "ti"},  {U"ディ", "di"},  {U"ウィ", "wi"},
    {U"ウェ", "we"},  {U"ウォ", "wo"},  {U"ヴァ", "va"},  {U"ヴィ", "vi"},  {U"ヴェ", "ve"},
    {U"ヴォ", "vo"},  {U"シェ", "she"}, {U"ジェ", "je"},  {U"チェ", "che"},
    {U"ア", "a"},  {U"イ", "i"},  {U"ウ", "u"},  {U"エ", "e"},  {U"オ", "o"},
    {U"カ", "ka"}, {U"キ", "ki"}, {U"ク", "ku"}, {U"ケ", "ke"}, {U"コ", "ko"},
    {U"サ", "sa"}, {U"シ", "shi"}, {U"ス", "su"}, {U"セ", "se"}, {U"ソ", "so"},
    {U"タ", "ta"}, {U"チ", "chi"}, {U"ツ", "tsu"}, {U"テ", "te"}, {U"ト", "to"},
    {U"ナ", "na"}, {U"ニ", "ni"}, {U"ヌ", "nu"}, {U"ネ", "ne"}, {U"ノ", "no"},
    {U"ハ", "ha"}, {U"ヒ", "hi"}, {U"フ", "fu"}, {U"ヘ", "he"}, {U"ホ", "ho"},
    {U"マ", "ma"}, {U"ミ", "mi"}, {U"ム", "mu"}, {U"メ", "me"}, {U"モ", "mo"},
    {U"ヤ", "ya"}, {U"ユ", "yu"}, {U"ヨ", "yo"},
    {U"ラ", "ra"}, {U"リ", "ri"}, {U"ル", "ru"}, {U"レ", "re"}, {U"ロ", "ro"},
    {U"ワ", "wa"}, {U"ヲ", "o"},  {U"ン", "n"},
    {U"ガ", "ga"}, {U"ギ", "gi"}, {U"グ", "gu"}, {U"ゲ", "ge"}, {U"ゴ", "go"},
    {U"ザ", "za"}, {U"ジ", "ji"}, {U"ズ", "zu"}, {U"ゼ", "ze"}, {U"ゾ", "zo"},
    {U"ダ", "da"}, {U"ヂ", "ji"}, {U"ヅ", "zu"}, {U"デ", "de"}, {U"ド", "do"},
    {U"バ", "ba"}, {U"ビ", "bi"}, {U"ブ", "bu"}, {U"ベ", "be"}, {U"ボ", "bo"},
    {U"パ", "pa"}, {U"ピ", "pi"}, {U"プ", "pu"}, {U"ペ", "pe"}, {U"ポ", "po"},
    {U"ヴ", "vu"},
    {U"ァ", "a"},  {U"ィ", "i"},  {U"ゥ", "u"},  {U"ェ", "e"},  {U"ォ", "o"},
    {U"ャ", "ya"}, {U"ュ", "yu"}, {U"ョ", "yo"},
};

// Half-width katakana (U+FF66..U+FF9D) as their full-width letters.
constexpr std::u32string_view kHalfWidth =
    U"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
// clang-format on

std::u32string Decode(std::string_view s, bool& ok) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
    if (i + len > s.size()) {
      ok = false;
      return out;
    }
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += cp;
    i += len;
  }
  return out;
}

// Half-width letters made full width, their voicing marks joined to them (ｶﾞ -> ガ).
std::u32string FullWidth(const std::u32string& in) {
  std::u32string out;
  for (char32_t c : in) {
    if (c >= 0xFF66 && c <= 0xFF9D) {
      out += kHalfWidth[c - 0xFF66];
    } else if ((c == 0xFF9E || c == 0xFF9F) && !out.empty()) {
      const char32_t base = out.back();
      if (c == 0xFF9E && base == U'ウ')
        out.back() = U'ヴ';
      else if (c == 0xFF9E &&
               ((base >= U'カ' && base <= U'ト') || (base >= U'ハ' && base <= U'ホ')))
        out.back() = base + 1;
      else if (c == 0xFF9F && base >= U'ハ' && base <= U'ホ')
        out.back() = base + 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string RomanizeKatakana(std::string_view utf8) {
  bool ok = true;
  const std::u32string kana = FullWidth(Decode(utf8, ok));
  if (!ok || kana.empty()) return {};
  std::string out;
  bool doubleNext = false;
  for (size_t i = 0; i < kana.size();) {
    const char32_t c = kana[i];
    if (c == U'ッ') {
      doubleNext = true;
      ++i;
      continue;
    }
    if (c == U'ー') {
      // A long vowel: the last vowel again.
      if (!out.empty()) out += out.back();
      ++i;
      continue;
    }
    if (c == U'・' || c == U'･' || c == U' ' || c == U'　') {
      out += ' ';
      ++i;
      continue;
    }
    const Kana* match = nullptr;
    for (const Kana& k : kSyllables) {
      if (std::u32string_view(kana).substr(i, k.kana.size()) == k.kana) {
        match = &k;
        break;
      }
    }
    if (!match) return {};
    if (doubleNext) out += match->latin.starts_with("ch") ? 't' : match->latin[0];
    doubleNext = false;
    out += match->latin;
    i += match->kana.size();
  }
  if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
    out[0] = static_cast<char>(out[0] - 'a' + 'A');
  return out;
}

}  // namespace qv::ui
