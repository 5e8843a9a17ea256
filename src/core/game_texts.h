#pragma once
// Every text written in the game's source with its CP932 bytes, converted once when the game
// was built (tools/textgen/literals.cpp makes the table; a text without a CP932 form stops the
// build there). Sjis() serves these without converting anything at run time.
#include <span>
#include <string_view>

namespace qv {

struct GameText {
  std::string_view utf8;
  std::string_view cp932;
};

// Sorted by the UTF-8 text, each text once.
std::span<const GameText> GameTexts();

}  // namespace qv
