#pragma once
// The small conditions the island's places are gated by: victories at a place, the player's
// level and the progress flags. A gate is a row of up to three terms, tested all-of or any-of.
#include <array>
#include <cstdint>

#include "core/game_state.h"

namespace qv::world {

enum class Subject : uint8_t { None, Clear, Flag, Level };
enum class Cmp : uint8_t { AtLeast, AtMost, Equals };

struct Term {
  Subject subject = Subject::None;
  int32_t index = 0;  // clearCount or eventFlags index; unused for the level
  Cmp cmp = Cmp::AtLeast;
  int32_t value = 0;
};

using Terms = std::array<Term, 3>;  // unused terms have Subject::None

// clear n ≥ v, clear n ≤ v, clear n = v.
constexpr Term ClearAtLeast(int32_t n, int32_t v) {
  return {Subject::Clear, n, Cmp::AtLeast, v};
}
constexpr Term ClearAtMost(int32_t n, int32_t v) {
  return {Subject::Clear, n, Cmp::AtMost, v};
}
constexpr Term ClearIs(int32_t n, int32_t v) {
  return {Subject::Clear, n, Cmp::Equals, v};
}
constexpr Term LevelAtLeast(int32_t v) {
  return {Subject::Level, 0, Cmp::AtLeast, v};
}
constexpr Term LevelAtMost(int32_t v) {
  return {Subject::Level, 0, Cmp::AtMost, v};
}
// The progress flag is set (non-zero).
constexpr Term FlagSet(int32_t n) {
  return {Subject::Flag, n, Cmp::AtMost, 0};
}

// True when one term holds; an unused term holds.
bool Holds(const GameState& s, const Term& t);
// Every used term holds (true for a row with no terms).
bool AllOf(const GameState& s, const Terms& terms);
// Some used term holds (false for a row with no terms).
bool AnyOf(const GameState& s, const Terms& terms);

}  // namespace qv::world
