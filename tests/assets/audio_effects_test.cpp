// The sound effects in dat/: every file the game plays is there, is a plain PCM WAV in one of
// the formats the mixer converts, starts and ends in silence, and loads through the game's
// own mixer at each output rate it supports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "sound/wave.h"

namespace {

const char* const kEffects[] = {
    "1.wav",       "a.wav",        "b.wav",      "bp.wav",     "buy.wav",
    "change.wav",  "coin.wav",     "combo5.wav", "d.wav",      "damage.wav",
    "damage2.wav", "gameover.wav", "in.wav",     "item.wav",   "item_use.wav",
    "kaifuku.wav", "key2.wav",     "key3.wav",   "koyasi.wav", "no.wav",
    "ok.wav",      "pi.wav",       "rare.wav",   "up.wav",     "up2.wav",
};

std::filesystem::path DatFile(const std::string& name) {
  return std::filesystem::path(QV_BUILD_DIR) / "dat" / name;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary | std::ios::ate);
  if (!f) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(f.tellg()));
  f.seekg(0);
  f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8;
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}

// What a RIFF walk finds in a WAV file; `error` names the first thing wrong.
struct WavInfo {
  std::string error;
  uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
  size_t dataAt = 0, dataBytes = 0;
  std::vector<double> samples;  // first channel, scaled to -1..1
};

WavInfo ReadWav(const std::vector<uint8_t>& b) {
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
  if (w.blockAlign == 0) return w;
  for (size_t at = w.dataAt; at + w.blockAlign <= w.dataAt + w.dataBytes; at += w.blockAlign) {
    w.samples.push_back(w.bits == 8 ? (b[at] - 128) / 128.0
                                    : static_cast<int16_t>(Le16(b, at)) / 32768.0);
  }
  return w;
}

TEST(AudioEffects, EveryEffectIsAConsistentPcmWave) {
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    auto path = DatFile(name);
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " was not made by the build";
    WavInfo w = ReadWav(ReadBytes(path));
    ASSERT_EQ(w.error, "");
    EXPECT_EQ(w.format, 1u) << "PCM";
    EXPECT_TRUE(w.bits == 8 || w.bits == 16);
    EXPECT_TRUE(w.channels == 1 || w.channels == 2);
    EXPECT_TRUE(w.rate == 11025 || w.rate == 22050);
    EXPECT_EQ(w.blockAlign, w.channels * w.bits / 8);
    EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
    ASSERT_GT(w.dataBytes, 0u);
    EXPECT_EQ(w.dataBytes % w.blockAlign, 0u);
    double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_GT(seconds, 0.02);
    EXPECT_LT(seconds, 3.5) << "effects are short";
  }
}

// The mixer must convert sample size, channels and rate, so the set exercises all of them.
TEST(AudioEffects, FormatsMixEverySizeLayoutAndRate) {
  std::set<std::tuple<uint32_t, uint32_t, uint32_t>> formats;
  int underASecond = 0;
  for (const char* name : kEffects) {
    WavInfo w = ReadWav(ReadBytes(DatFile(name)));
    if (!w.error.empty()) continue;
    formats.insert({w.bits, w.channels, w.rate});
    if (w.samples.size() < w.rate) ++underASecond;
  }
  for (uint32_t bits : {8u, 16u}) {
    for (uint32_t channels : {1u, 2u}) {
      for (uint32_t rate : {11025u, 22050u}) {
        EXPECT_TRUE(formats.count({bits, channels, rate}))
            << bits << "-bit, " << channels << " channel(s), " << rate << " Hz";
      }
    }
  }
  EXPECT_GE(underASecond, 18) << "most effects last under a second";
}

// A sound that starts or stops away from silence clicks; one that reaches full scale clips
// as soon as the mixer adds a second channel to it.
TEST(AudioEffects, StartAndEndInSilenceAndLeaveHeadroom) {
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    WavInfo w = ReadWav(ReadBytes(DatFile(name)));
    ASSERT_EQ(w.error, "");
    ASSERT_GT(w.samples.size(), 8u);
    double peak = 0;
    for (double s : w.samples) peak = std::max(peak, std::fabs(s));
    EXPECT_GT(peak, 0.3) << "audible";
    EXPECT_LT(peak, 0.97) << "headroom";
    double quiet = w.bits == 8 ? 2.0 / 128 : 0.01;
    EXPECT_LE(std::fabs(w.samples.front()), quiet);
    EXPECT_LE(std::fabs(w.samples.back()), quiet);
  }
}

// Each effect has its own character: no two files are the same sound.
TEST(AudioEffects, AllDifferent) {
  std::set<std::vector<uint8_t>> seen;
  for (const char* name : kEffects) {
    EXPECT_TRUE(seen.insert(ReadBytes(DatFile(name))).second) << name;
  }
}

TEST(AudioEffects, GameMixerLoadsEveryEffectAtEveryOutputRate) {
  for (int32_t rate : {11025, 22050, 44100}) {
    qv::sound::PcmFormat out;
    out.samplesPerSec = rate;
    for (const char* name : kEffects) {
      SCOPED_TRACE(std::string(name) + " at " + std::to_string(rate));
      WavInfo w = ReadWav(ReadBytes(DatFile(name)));
      ASSERT_EQ(w.error, "");
      try {
        qv::sound::Wave wave = qv::sound::LoadWaveFile(DatFile(name), out);
        EXPECT_EQ(wave.format, out);
        // Rate conversion keeps the length in time, within a few frames.
        double expected = static_cast<double>(w.samples.size()) * rate / w.rate;
        EXPECT_NEAR(static_cast<double>(wave.data.size()), expected, 2.0 + rate / 11025.0 * 2);
      } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
      }
    }
  }
}

}  // namespace
