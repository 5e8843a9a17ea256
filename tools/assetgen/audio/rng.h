#pragma once
// A small fixed random generator, so every sound and tune comes out the same bytes on every run
// (the standard library's distributions differ between library versions).
#include <cstdint>

namespace qv::assetgen {

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

  // The next 32 random bits (SplitMix64 mixed down).
  uint32_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
  }
  // Uniform in [0, n); 0 when n <= 0.
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  // Uniform in [0, 1).
  double Unit() { return Next() * (1.0 / 4294967296.0); }
  // Uniform in [-1, 1).
  double Bipolar() { return Unit() * 2.0 - 1.0; }
  // True with probability p.
  bool Chance(double p) { return Unit() < p; }

 private:
  uint64_t state_;
};

}  // namespace qv::assetgen
