#pragma once
// Painting a run of pixels in one colour, for the short spans that shapes and strokes are made
// of: a general fill spends more on lining up its vectors than on a dozen pixels.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gfx/bitmap.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv::gfx {

// Whether the processor stores 32 bytes at once (AVX2), asked once. The pixel loops that fill
// most of a busy frame (spans, the glow OR, glyph blending) have a copy built for it, chosen at
// run time; both draw the same pixels. QV_NARROW_STORES in the environment keeps the 16-byte
// loops (the tests compare the two).
inline bool WideStores() {
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool wide =
      __builtin_cpu_supports("avx2") && std::getenv("QV_NARROW_STORES") == nullptr;
  return wide;
#else
  return false;
#endif
}

// Paints the n pixels from p (n may be 0 or less: nothing). kWide stores 32 bytes at a time
// and is meant for code built for AVX2 (elsewhere it is correct, only slower).
template <bool kWide = false>
[[gnu::always_inline]] inline void FillRun(Color* p, int64_t n, Color c) {
  if constexpr (kWide) {
    if (n >= 8) {
      // Eight pixels a store; the last store ends at the run's end, overlapping the one before.
      typedef Color Eight __attribute__((vector_size(32)));
      const Eight v = {c, c, c, c, c, c, c, c};
      int64_t i = 0;
      for (; i + 8 <= n; i += 8) std::memcpy(p + i, &v, sizeof v);
      if (i < n) std::memcpy(p + n - 8, &v, sizeof v);
      return;
    }
  }
#if defined(__SSE2__)
  if (n >= 4) {
    // Four pixels a store; the last store ends at the run's end, overlapping the one before.
    const __m128i v = _mm_set1_epi32(static_cast<int32_t>(c));
    int64_t i = 0;
    for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v);
    if (i < n) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 4), v);
    return;
  }
  for (int64_t i = 0; i < n; ++i) p[i] = c;
#else
  if (n > 0) std::fill(p, p + n, c);
#endif
}

}  // namespace qv::gfx
