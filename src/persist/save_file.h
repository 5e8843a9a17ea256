#pragma once
// The text of my.dat: writing the 5465 lines from the state and reading them back.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/game_state.h"

namespace qv::persist {

// The check value: a wrapping sum of what a cheater would edit (items owned, the learned
// basic skills, money, BP, score and the player's main numbers).
int32_t SaveChecksum(const GameState& s);

// The whole file in CP932 with CR LF; sets checksum. Control bytes of text lines are left
// out so a name can never split the file.
std::string SaveFileText(GameState& s);

// Why reading stopped.
enum class ParseError { kNone, kNotANumber, kTooFewLines, kNotCp932 };

struct ParseResult {
  ParseError error = ParseError::kNone;
  int32_t line = 0;            // 1-based line where reading stopped
  int32_t storedChecksum = 0;  // line 5465 when the file was read to the end
  bool ok() const { return error == ParseError::kNone; }
};

// Reads the lines into the state in order; on an error the values read so far stay.
// Indices that would pick outside their table load as 0.
ParseResult ParseSaveFile(GameState& s, std::string_view text);

// One number line: optional blanks, an optional sign, decimal digits within int32; anything
// after the digits is ignored. False when the line holds no such number.
bool ParseNumberLine(std::string_view line, int32_t& value);

}  // namespace qv::persist
