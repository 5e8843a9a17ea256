#include "sound/wave.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "files/files_fixture.h"
#include "sound/mixer_error.h"
#include "sound_test_support.h"

namespace qv::sound {
namespace {

using testing::Put16;
using testing::WavBytes;

const PcmFormat kOut{1, 11025, 8};

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  const Result<Wave> w = ParseWave(bytes, "x.wav", kOut);
  return w.ok() ? "" : w.message();
}

// The converted samples of a conversion that must succeed.
std::vector<uint8_t> Converted(std::span<const uint8_t> data, PcmFormat from, const PcmFormat& to) {
  Result<std::vector<uint8_t>> r = ConvertPcm(data, from, to);
  EXPECT_TRUE(r.ok()) << r.message();
  return r.ok() ? *r : std::vector<uint8_t>{};
}

std::vector<uint8_t> Samples16(std::initializer_list<int16_t> values) {
  std::vector<uint8_t> b;
  for (int16_t v : values) Put16(b, uint16_t(v));
  return b;
}

TEST(ConvertPcm, SixteenBitStereo22050BecomesEightBitMonoAtTheOutputRate) {
  // High byte + 128, then the pair averaged, then two frames averaged into one.
  auto data = Samples16({0x1000, 0x3000, -0x2000, -0x2000, 0x7F00, 0x7F00, 0x7F00, 0x7F00});
  Result<Wave> read = ParseWave(WavBytes(2, 22050, 16, data), "stereo22.wav", kOut);
  ASSERT_TRUE(read.ok()) << read.message();
  const Wave& w = *read;
  EXPECT_EQ(w.format, kOut);
  EXPECT_EQ(w.data, (std::vector<uint8_t>{(160 + 96) / 2, 255}));
  EXPECT_EQ(w.name, "stereo22.wav");
}

TEST(ConvertPcm, EachStepOnItsOwn) {
  // 8 to 16 bits: (s × 256) - 32768.
  auto wide = Converted(std::vector<uint8_t>{0, 128, 255}, {1, 11025, 8}, {1, 11025, 16});
  EXPECT_EQ(wide, Samples16({-32768, 0, 32512}));
  // Mono to stereo duplicates; stereo to mono halves the sum, rounding down.
  EXPECT_EQ(Converted(std::vector<uint8_t>{7, 9}, {1, 11025, 8}, {2, 11025, 8}),
            (std::vector<uint8_t>{7, 7, 9, 9}));
  EXPECT_EQ(Converted(std::vector<uint8_t>{10, 13}, {2, 11025, 8}, {1, 11025, 8}),
            (std::vector<uint8_t>{11}));
  // Up by four: steps of (next - current) div 4 toward the next frame, the last one repeated.
  EXPECT_EQ(Converted(std::vector<uint8_t>{0, 100}, {1, 11025, 8}, {1, 44100, 8}),
            (std::vector<uint8_t>{0, 25, 50, 75, 100, 100, 100, 100}));
  // Down by four: averages of four, a short last group averaged on its own.
  EXPECT_EQ(Converted(std::vector<uint8_t>{0, 4, 8, 12, 200, 100}, {1, 44100, 8}, {1, 11025, 8}),
            (std::vector<uint8_t>{6, 150}));
  // 16-bit values keep their sign through the averaging.
  EXPECT_EQ(Converted(Samples16({-300, -101}), {2, 11025, 16}, {1, 11025, 16}), Samples16({-201}));
}

TEST(ConvertPcm, RatesThatAreNotMultiplesUseTheWholeFactor) {
  // 8000 to 11025 is a factor of 1: the samples are kept as they are.
  EXPECT_EQ(Converted(std::vector<uint8_t>{1, 2, 3}, {1, 8000, 8}, {1, 11025, 8}).size(), 3u);
  // 16000 to 11025 rounds to a factor of 1 too; 30000 to 11025 to 3.
  EXPECT_EQ(Converted(std::vector<uint8_t>(9, 5), {1, 30000, 8}, {1, 11025, 8}).size(), 3u);
}

TEST(ParseWave, EachFaultHasItsMessage) {
  std::vector<uint8_t> good = WavBytes(1, 11025, 8, {1, 2, 3, 4});
  EXPECT_EQ(ErrorOf(good), "");

  std::vector<uint8_t> notRiff = good;
  notRiff[0] = 'X';
  EXPECT_EQ(ErrorOf(notRiff), msg::kNotWave);
  std::vector<uint8_t> notWave = good;
  notWave[8] = 'A';
  EXPECT_EQ(ErrorOf(notWave), msg::kNotWave);

  std::vector<uint8_t> noFmt = good;
  noFmt[12] = 'F';
  EXPECT_EQ(ErrorOf(noFmt), msg::kCorrupted);
  EXPECT_EQ(ErrorOf(WavBytes(1, 11025, 8, {1}, /*fmtSize=*/14)), msg::kFormatChunk);
  EXPECT_EQ(ErrorOf(WavBytes(1, 11025, 8, {1}, 16, /*formatTag=*/3)), msg::kNotPcm);

  std::vector<uint8_t> noData = good;
  noData[36] = 'D';
  EXPECT_EQ(ErrorOf(noData), msg::kNoDataChunk);
  EXPECT_EQ(ErrorOf(WavBytes(1, 11025, 8, {})), msg::kEmptyData);
  std::vector<uint8_t> lying = good;
  lying[40] = 200;  // the data chunk claims more than the file holds
  EXPECT_EQ(ErrorOf(lying), msg::kDataChunk);

  EXPECT_EQ(ErrorOf(WavBytes(1, 11025, 24, {1, 2, 3})), msg::kUnsupported);
  EXPECT_EQ(ErrorOf(WavBytes(3, 11025, 8, {1, 2, 3})), msg::kUnsupported);
  EXPECT_EQ(ErrorOf(WavBytes(1, 0, 8, {1, 2, 3})), msg::kConvert);
  // One byte of 16-bit sound is not a single sample.
  EXPECT_EQ(ErrorOf(WavBytes(1, 11025, 16, {1})), msg::kEmptyData);
}

TEST(ParseWave, DamagedSizesNeverReachOutsideTheFileOrAskForHugeMemory) {
  // A format chunk claiming four gigabytes hides the data chunk behind it.
  EXPECT_EQ(ErrorOf(WavBytes(1, 11025, 8, {1, 2}, /*fmtSize=*/0xFFFFFFF0u)), msg::kFormatChunk);
  // A rate of 1 Hz would grow 4000 samples to 44 million.
  EXPECT_EQ(ErrorOf(WavBytes(1, 1, 8, std::vector<uint8_t>(4000, 9))), msg::kConvert);
  // Every truncation of a good file is either read or refused with a message.
  std::vector<uint8_t> good = WavBytes(2, 22050, 16, Samples16({1, 2, 3, 4, 5, 6}));
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
    const Result<Wave> w = ParseWave(cut, "cut.wav", kOut);
    EXPECT_TRUE(w.ok() || !w.message().empty()) << n;
  }
}

TEST(LoadWaveFile, NamesAMissingFileAndKeepsFifteenCharacters) {
  testing::TempDir dir;
  const Result<Wave> missing = LoadWaveFile(dir.path / "missing.wav", kOut);
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.message(), "Failed to open wave file missing.wav");
  testing::WriteFile(dir.path / "a_very_long_sound_name.wav", testing::FlatWav(140, 10));
  const Result<Wave> named = LoadWaveFile(dir.path / "a_very_long_sound_name.wav", kOut);
  ASSERT_TRUE(named.ok()) << named.message();
  EXPECT_EQ(named->name, "a_very_long_sou");
}

TEST(LoadWaveFile, WhatIsNotARegularFileIsNamedAndNeverWaitedOn) {
  testing::TempDir dir;
  alarm(20);
  for (const auto& c : qv::testing::kHostileCases) {
    if (!qv::testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    qv::testing::MakeHostile(dir.path / "pi.wav", c.kind);
    const Result<Wave> w = LoadWaveFile(dir.path / "pi.wav", kOut);
    EXPECT_FALSE(w.ok()) << "loaded";
    EXPECT_EQ(w.message(), "Failed to open wave file pi.wav");
  }
  alarm(0);
}

}  // namespace
}  // namespace qv::sound
