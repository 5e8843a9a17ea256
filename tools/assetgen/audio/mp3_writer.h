#pragma once
// MP3 encoding of the tunes through libmp3lame, and decoding back for the level checks.
#include <string>

#include "dsp.h"

namespace qv::assetgen {

// The MP3 bytes of a 44.1 kHz stereo buffer at a constant bit rate, with the encoder's info
// frame first (it tells players the encoder delay and padding, for gapless looping).
// Empty on an encoder failure.
std::string EncodeMp3(const Stereo& s, int kbps);

// Decodes MP3 bytes and drops the encoder delay and padding named in the info frame, so the
// result lines up with what was encoded. Frames of 0 on failure.
Stereo DecodeMp3(const std::string& bytes);

}  // namespace qv::assetgen
