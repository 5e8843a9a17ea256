// The sound effects in dat/: every file the game plays is there, is a plain PCM WAV in one of
// the formats the mixer converts, starts and ends in silence, and loads through the game's
// own mixer at each output rate it supports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "assets/wav_samples.h"
#include "sound/wave.h"

namespace {

using qv::testing::DatFile;
using qv::testing::ReadBytes;
using qv::testing::ReadWav;
using qv::testing::WavInfo;

TEST(AudioEffects, EveryEffectIsAConsistentPcmWave) {
  for (const std::string& name : qv::testing::EffectNames()) {
    SCOPED_TRACE(name);
    auto path = DatFile(name);
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " was not made by the build";
    WavInfo w = ReadWav(ReadBytes(path));
    ASSERT_EQ(w.error, "") << "8 or 16 bits, one or more channels, consistent block size";
    EXPECT_EQ(w.format, 1u) << "PCM";
    EXPECT_TRUE(w.channels == 1 || w.channels == 2);
    EXPECT_TRUE(w.rate == 11025 || w.rate == 22050);
    EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
    ASSERT_GT(w.dataBytes, 0u);
    EXPECT_EQ(w.dataBytes % w.blockAlign, 0u);
    double seconds = static_cast<double>(w.First().size()) / w.rate;
    EXPECT_GT(seconds, 0.02);
    EXPECT_LT(seconds, 3.5) << "effects are short";
  }
}

// The mixer must convert sample size, channels and rate, so the set exercises all of them.
TEST(AudioEffects, FormatsMixEverySizeLayoutAndRate) {
  std::set<std::tuple<uint32_t, uint32_t, uint32_t>> formats;
  int underASecond = 0;
  for (const std::string& name : qv::testing::EffectNames()) {
    WavInfo w = ReadWav(ReadBytes(DatFile(name)));
    if (!w.error.empty() || w.sides.empty()) continue;
    formats.insert({w.bits, w.channels, w.rate});
    if (w.First().size() < w.rate) ++underASecond;
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
// as soon as the mixer adds a second channel to it. (How loud each one is: the mastering test.)
TEST(AudioEffects, StartAndEndInSilenceAndLeaveHeadroom) {
  for (const std::string& name : qv::testing::EffectNames()) {
    SCOPED_TRACE(name);
    WavInfo w = ReadWav(ReadBytes(DatFile(name)));
    ASSERT_EQ(w.error, "");
    ASSERT_GT(w.First().size(), 8u);
    double peak = 0;
    for (double s : w.First()) peak = std::max(peak, std::fabs(s));
    EXPECT_GT(peak, 0.1) << "audible";
    EXPECT_LT(peak, 0.97) << "headroom";
    double quiet = w.bits == 8 ? 2.0 / 128 : 0.01;
    EXPECT_LE(std::fabs(w.First().front()), quiet);
    EXPECT_LE(std::fabs(w.First().back()), quiet);
  }
}

// Each effect has its own character: no two files are the same sound.
TEST(AudioEffects, AllDifferent) {
  std::set<std::string> seen;  // each file's bytes
  for (const std::string& name : qv::testing::EffectNames()) {
    const std::vector<uint8_t> bytes = ReadBytes(DatFile(name));
    EXPECT_TRUE(seen.emplace(bytes.begin(), bytes.end()).second) << name;
  }
}

TEST(AudioEffects, GameMixerLoadsEveryEffectAtEveryOutputRate) {
  for (int32_t rate : {11025, 22050, 44100}) {
    qv::sound::PcmFormat out;
    out.samplesPerSec = rate;
    for (const std::string& name : qv::testing::EffectNames()) {
      SCOPED_TRACE(name + " at " + std::to_string(rate));
      WavInfo w = ReadWav(ReadBytes(DatFile(name)));
      ASSERT_EQ(w.error, "");
      const qv::Result<qv::sound::Wave> wave = qv::sound::LoadWaveFile(DatFile(name), out);
      ASSERT_TRUE(wave.ok()) << wave.message();
      EXPECT_EQ(wave->format, out);
      // Rate conversion keeps the length in time, within a few frames.
      double expected = static_cast<double>(w.First().size()) * rate / w.rate;
      EXPECT_NEAR(static_cast<double>(wave->data.size()), expected, 2.0 + rate / 11025.0 * 2);
    }
  }
}

}  // namespace
