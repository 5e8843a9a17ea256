#include "core/random.h"

namespace qv {

int32_t Random(Rng& rng, int32_t n) {
  if (n <= 0) return 0;
  ++rng.draws;
  switch (rng.mode) {
    case RollMode::Lowest:
      return 0;
    case RollMode::Highest:
      return n - 1;
    case RollMode::Normal:
      break;
  }
  // Rejection sampling keeps every value equally likely, whatever n is.
  const uint32_t range = static_cast<uint32_t>(n);
  const uint32_t limit = UINT32_MAX - (UINT32_MAX % range);
  uint32_t v;
  do {
    v = static_cast<uint32_t>(rng.engine());
  } while (v >= limit);
  return static_cast<int32_t>(v % range);
}

}  // namespace qv
