#pragma once
// Painting a run of pixels in one colour, for the short spans that shapes and strokes are made
// of: a general fill spends more on lining up its vectors than on a dozen pixels.
#include <algorithm>
#include <cstdint>

#include "gfx/bitmap.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv::gfx {

// Paints the n pixels from p (n may be 0 or less: nothing).
inline void FillRun(Color* p, int64_t n, Color c) {
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
