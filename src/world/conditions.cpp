#include "world/conditions.h"

namespace qv::world {
namespace {

int32_t Read(const GameState& s, const Term& t) {
  const bool inRange = t.index >= 0 && t.index < kFlags;
  switch (t.subject) {
    case Subject::Clear:
      return inRange ? s.clearCount[static_cast<size_t>(t.index)] : 0;
    case Subject::Flag:
      return inRange ? s.eventFlags[static_cast<size_t>(t.index)] : 0;
    case Subject::Level:
      return s.player().level;
    case Subject::None:
      break;
  }
  return 0;
}

bool Used(const Term& t) {
  return t.subject != Subject::None;
}

}  // namespace

bool Holds(const GameState& s, const Term& t) {
  if (!Used(t)) return true;
  const int32_t v = Read(s, t);
  // A flag is "set" when it is not 0, whatever value it holds.
  if (t.subject == Subject::Flag) return v != 0;
  switch (t.cmp) {
    case Cmp::AtLeast:
      return v >= t.value;
    case Cmp::AtMost:
      return v <= t.value;
    case Cmp::Equals:
      return v == t.value;
  }
  return false;
}

bool AllOf(const GameState& s, const Terms& terms) {
  for (const Term& t : terms) {
    if (!Holds(s, t)) return false;
  }
  return true;
}

bool AnyOf(const GameState& s, const Terms& terms) {
  for (const Term& t : terms) {
    if (Used(t) && Holds(s, t)) return true;
  }
  return false;
}

}  // namespace qv::world
