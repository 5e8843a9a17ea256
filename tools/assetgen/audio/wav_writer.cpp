#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace qv::assetgen {
namespace {

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutSample(std::string& out, double v, int bits) {
  v = std::clamp(v, -1.0, 1.0);
  if (bits == 8) {
    // Unsigned, silence at 128.
    out.push_back(static_cast<char>(static_cast<uint8_t>(std::lround(128.0 + v * 127.0))));
  } else {
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))));
  }
}

}  // namespace

std::string EncodeWav(const Stereo& s, const WavFormat& format) {
  uint32_t bytesPerFrame = static_cast<uint32_t>(format.channels * format.bits / 8);
  uint32_t dataBytes = static_cast<uint32_t>(s.Frames()) * bytesPerFrame;
  std::string out;
  out.reserve(44 + dataBytes + 1);
  out += "RIFF";
  Put32(out, 36 + dataBytes + (dataBytes & 1));
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, static_cast<uint32_t>(format.channels));
  Put32(out, static_cast<uint32_t>(format.rate));
  Put32(out, static_cast<uint32_t>(format.rate) * bytesPerFrame);
  Put16(out, bytesPerFrame);
  Put16(out, static_cast<uint32_t>(format.bits));
  out += "data";
  Put32(out, dataBytes);
  for (size_t i = 0; i < s.Frames(); ++i) {
    if (format.channels == 1) {
      PutSample(out, (static_cast<double>(s.left[i]) + s.right[i]) * 0.5, format.bits);
    } else {
      PutSample(out, s.left[i], format.bits);
      PutSample(out, s.right[i], format.bits);
    }
  }
  if (dataBytes & 1) out.push_back('\0');  // RIFF chunks are padded to an even length
  return out;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) return false;
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace qv::assetgen
