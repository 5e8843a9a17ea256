#pragma once
// Reading the generated effects for the asset tests: our own RIFF walk, independent of the
// game's loader, and the folder they are read from.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qv::testing {

// Every sound effect the game plays.
inline const std::vector<std::string>& EffectNames() {
  static const std::vector<std::string> kNames = {
      "1.wav",       "a.wav",        "b.wav",      "bp.wav",     "buy.wav",
      "change.wav",  "coin.wav",     "combo5.wav", "d.wav",      "damage.wav",
      "damage2.wav", "gameover.wav", "in.wav",     "item.wav",   "item_use.wav",
      "kaifuku.wav", "key2.wav",     "key3.wav",   "koyasi.wav", "no.wav",
      "ok.wav",      "pi.wav",       "rare.wav",   "up.wav",     "up2.wav",
  };
  return kNames;
}

// The build's dat/ folder, or QV_DAT_DIR when set (to measure another build's files).
inline std::filesystem::path DatFile(const std::string& name) {
  const char* other = std::getenv("QV_DAT_DIR");
  if (other && *other) return std::filesystem::path(other) / name;
  return std::filesystem::path(QV_BUILD_DIR) / "dat" / name;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary | std::ios::ate);
  if (!f) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(f.tellg()));
  f.seekg(0);
  f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

inline uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8;
}
inline uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}

// What a RIFF walk finds in a WAV file; `error` names the first thing wrong.
struct WavInfo {
  std::string error;
  uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
  size_t dataAt = 0, dataBytes = 0;
  std::vector<std::vector<double>> sides;  // one list per channel, scaled to -1..1
  const std::vector<double>& First() const { return sides.front(); }
};

inline WavInfo ReadWav(const std::vector<uint8_t>& b) {
  WavInfo w;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    w.error = "not a RIFF WAVE file";
    return w;
  }
  if (Le32(b, 4) + 8 != b.size()) w.error = "RIFF size does not match the file";
  bool haveFmt = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
    size_t size = Le32(b, at + 4);
    if (at + 8 + size > b.size()) {
      w.error = "chunk " + id + " runs past the end";
      return w;
    }
    if (id == "fmt " && size >= 16) {
      haveFmt = true;
      w.format = Le16(b, at + 8);
      w.channels = Le16(b, at + 10);
      w.rate = Le32(b, at + 12);
      w.byteRate = Le32(b, at + 16);
      w.blockAlign = Le16(b, at + 20);
      w.bits = Le16(b, at + 22);
    } else if (id == "data") {
      w.dataAt = at + 8;
      w.dataBytes = size;
    }
    at += 8 + size + (size & 1);
  }
  if (!haveFmt || w.dataAt == 0) {
    w.error = "missing fmt or data chunk";
    return w;
  }
  if (w.channels == 0 || (w.bits != 8 && w.bits != 16) || w.blockAlign != w.channels * w.bits / 8) {
    w.error = "a sample layout we do not read";
    return w;
  }
  w.sides.resize(w.channels);
  const size_t bytesPerSample = w.bits / 8;
  for (size_t at = w.dataAt; at + w.blockAlign <= w.dataAt + w.dataBytes; at += w.blockAlign) {
    for (size_t c = 0; c < w.channels; ++c) {
      size_t s = at + c * bytesPerSample;
      w.sides[c].push_back(w.bits == 8 ? (b[s] - 128) / 128.0
                                       : static_cast<int16_t>(Le16(b, s)) / 32768.0);
    }
  }
  return w;
}

}  // namespace qv::testing
