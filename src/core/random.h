#pragma once
// The game's one random generator: Random(n) is uniform in 0..n-1, Random(0) == 0.
#include <cstdint>
#include <random>

namespace qv {

// Tests can force every roll to an edge of its range to reach the corners of a formula.
enum class RollMode { Normal, Lowest, Highest };

struct Rng {
  std::mt19937 engine{0};
  RollMode mode = RollMode::Normal;
  uint64_t draws = 0;  // how many rolls were made; replays compare it

  void Seed(uint32_t seed) { engine.seed(seed); }
};

// Uniform integer 0..n-1; 0 when n <= 0.
int32_t Random(Rng& rng, int32_t n);

}  // namespace qv
