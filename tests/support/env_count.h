#pragma once
// How much work a long test does, from the environment: a run for the record sets a bigger
// number than the suite's quick default.
#include <cstdint>
#include <cstdlib>

namespace qv {

// The positive whole number in `name`, or `fallback` when it is unset or not one (zero counts
// when `allowZero`).
inline int64_t EnvCount(const char* name, int64_t fallback, bool allowZero = false) {
  const char* v = std::getenv(name);
  if (!v) return fallback;
  char* end = nullptr;
  const long long n = std::strtoll(v, &end, 10);
  if (end == v || *end != '\0' || n < 0 || (n == 0 && !allowZero)) return fallback;
  return n;
}

}  // namespace qv
