#pragma once
// A picture against its reviewed copy, with room for what differs between library versions
// (font smoothing) but none for a change of layout: a pixel counts as off when one of its
// channels is off by more than 24, and the pictures differ when more than one pixel in 500 is.
#include <cstdint>

#include "gfx/bitmap.h"

namespace qv::gfx {

struct PictureMatch {
  bool sameSize = false;
  int32_t pixelsOff = 0;  // counted only when the sizes agree
  int32_t pixelsAllowed = 0;
  bool Matches() const { return sameSize && pixelsOff <= pixelsAllowed; }
};

PictureMatch MatchPicture(const Bitmap& actual, const Bitmap& expected);

}  // namespace qv::gfx
