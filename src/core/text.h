#pragma once
// CP932 text: every game string is CP932 bytes at run time. Literals in the source are UTF-8
// and become CP932 once, at build time, through Sjis(); game text is never decoded except for
// drawing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// A number as the game's texts write it: decimal digits, a minus sign when negative.
inline std::string Num(int64_t n) {
  return std::to_string(n);
}

// The CP932 bytes of a UTF-8 string literal. Every text written in the game's source was
// converted when the game was built (core/game_texts.h); any other text is converted at its
// first use, a character without a CP932 form becoming '?'. Looked up by the text, so any
// buffer may be passed; the reference stays good for the whole run.
const std::string& Sjis(const char* utf8Literal);

// UTF-8 to CP932; nullopt when a character has no CP932 form or the input is not UTF-8.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// CP932 to UTF-8 for drawing and messages; a byte that is not CP932 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// True for well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(std::string_view s);

// True when the bytes are well-formed CP932 (lead and trail bytes in range).
bool IsValidCp932(std::string_view bytes);

// Byte length of the CP932 character starting at text[i] (1 or 2).
inline size_t Cp932CharLength(std::string_view text, size_t i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  return (lead && i + 1 < text.size()) ? 2 : 1;
}

}  // namespace qv
