#pragma once
// Writing sound effects as PCM WAV files.
#include <string>

#include "dsp.h"

namespace qv::assetgen {

// How one effect is stored; the game's mixer converts every one of these to its own format.
struct WavFormat {
  int bits;      // 8 (unsigned) or 16 (signed little-endian)
  int channels;  // 1 or 2
  int rate;      // samples per second
};

// The bytes of a RIFF WAVE file holding `s` (which must already be at the format's rate);
// a mono format takes the average of both sides. Samples are clamped to full scale.
std::string EncodeWav(const Stereo& s, const WavFormat& format);

// Writes the bytes to a file; false when the file cannot be written.
bool WriteFile(const std::string& path, const std::string& bytes);

}  // namespace qv::assetgen
