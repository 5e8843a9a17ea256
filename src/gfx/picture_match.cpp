#include "gfx/picture_match.h"

#include <algorithm>
#include <cstdlib>

namespace qv::gfx {
namespace {

constexpr int kChannelTolerance = 24;
constexpr size_t kPixelsPerAllowedOff = 500;

}  // namespace

PictureMatch MatchPicture(const Bitmap& actual, const Bitmap& expected) {
  PictureMatch m;
  m.sameSize = actual.Width() == expected.Width() && actual.Height() == expected.Height();
  if (!m.sameSize) return m;
  m.pixelsAllowed = static_cast<int32_t>(actual.Pixels().size() / kPixelsPerAllowedOff);
  for (size_t i = 0; i < actual.Pixels().size(); ++i) {
    const Color a = actual.Pixels()[i], e = expected.Pixels()[i];
    const int d = std::max({std::abs(RedOf(a) - RedOf(e)), std::abs(GreenOf(a) - GreenOf(e)),
                            std::abs(BlueOf(a) - BlueOf(e))});
    m.pixelsOff += d > kChannelTolerance;
  }
  return m;
}

}  // namespace qv::gfx
