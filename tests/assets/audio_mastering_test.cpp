// The effects as the game's mixer hears them. The mixer plays at 11025 Hz by default and
// folds anything above 5.5 kHz back into the audible band, adds sounds of different channels
// together, and plays whatever sits in a file at once. So every effect must be band-limited,
// free of DC, about as loud as the others with room for a second one, and start when played.
// QV_ASSET_FIGURES=1 prints what was measured; QV_DAT_DIR measures another build's files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "assets/wav_samples.h"
#include "sound/wave.h"

namespace qv::testing {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Db(double ratio) {
  return ratio > 0 ? 10.0 * std::log10(ratio) : -999.0;
}

double Energy(const std::vector<double>& x) {
  double e = 0;
  for (double v : x) e += v * v;
  return e;
}

double Mean(const std::vector<double>& x) {
  double m = 0;
  for (double v : x) m += v;
  return x.empty() ? 0 : m / static_cast<double>(x.size());
}

// A Blackman-windowed sinc low-pass of odd length at `hz`, run with its delay taken out.
std::vector<double> Lowpass(const std::vector<double>& x, double hz, int rate, int taps = 401) {
  const int half = taps / 2;
  const double fc = hz / rate;
  std::vector<double> h(static_cast<size_t>(taps));
  double sum = 0;
  for (int i = 0; i < taps; ++i) {
    const int k = i - half;
    const double sinc = k == 0 ? 2 * fc : std::sin(2 * kPi * fc * k) / (kPi * k);
    const double w =
        0.42 - 0.5 * std::cos(2 * kPi * i / (taps - 1)) + 0.08 * std::cos(4 * kPi * i / (taps - 1));
    h[static_cast<size_t>(i)] = sinc * w;
    sum += sinc * w;
  }
  std::vector<double> y(x.size());
  const long n = static_cast<long>(x.size());
  for (long i = 0; i < n; ++i) {
    double acc = 0;
    for (long k = std::max(0L, i - half); k <= std::min(n - 1, i + half); ++k) {
      acc += h[static_cast<size_t>(k - i + half)] * x[static_cast<size_t>(k)];
    }
    y[static_cast<size_t>(i)] = acc / sum;
  }
  return y;
}

std::vector<double> Minus(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> d(a.size());
  for (size_t i = 0; i < a.size(); ++i) d[i] = a[i] - b[i];
  return d;
}

// What lies below `hz`: a second-order Butterworth low-pass run forwards and backwards.
std::vector<double> Subsonic(std::vector<double> x, double hz, int rate) {
  const double w = 2 * kPi * hz / rate, alpha = std::sin(w) / std::sqrt(2.0), c = std::cos(w);
  const double a0 = 1 + alpha, b0 = (1 - c) / 2 / a0, b1 = (1 - c) / a0, a1 = -2 * c / a0,
               a2 = (1 - alpha) / a0;
  for (int pass = 0; pass < 2; ++pass) {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (size_t j = 0; j < x.size(); ++j) {
      double& v = x[pass == 0 ? j : x.size() - 1 - j];
      const double y = b0 * v + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
      x2 = x1;
      x1 = v;
      y2 = y1;
      y1 = y;
      v = y;
    }
  }
  return x;
}

// Loudness as it is heard: the power of the 5 ms blocks within 20 dB of the loudest block.
double GatedLoudnessDb(const WavInfo& w) {
  const size_t block = std::max<size_t>(1, w.rate / 200);
  std::vector<double> powers;
  const size_t frames = w.First().size();
  for (size_t at = 0; at < frames; at += block) {
    const size_t end = std::min(frames, at + block);
    double sum = 0;
    for (const auto& side : w.sides) {
      for (size_t i = at; i < end; ++i) sum += side[i] * side[i];
    }
    powers.push_back(sum / static_cast<double>((end - at) * w.sides.size()));
  }
  const double gate = *std::max_element(powers.begin(), powers.end()) / 100.0;
  double sum = 0;
  int count = 0;
  for (double p : powers) {
    if (p >= gate) sum += p, ++count;
  }
  return Db(sum / count);
}

struct Figures {
  double peakDb = 0, loudnessDb = 0, dc = 0, subsonicDb = 0, above5kDb = 0, onsetMs = 0;
};

Figures Measure(const WavInfo& w) {
  Figures f;
  double peak = 0, total = 0, sub = 0, high = 0;
  for (const auto& side : w.sides) {
    for (double v : side) peak = std::max(peak, std::fabs(v));
    f.dc = std::max(f.dc, std::fabs(Mean(side)));
    total += Energy(side);
    sub += Energy(Subsonic(side, 20, static_cast<int>(w.rate)));
    high += Energy(Minus(side, Lowpass(side, 5250, static_cast<int>(w.rate))));
  }
  f.peakDb = 2 * Db(peak);
  f.loudnessDb = GatedLoudnessDb(w);
  f.subsonicDb = Db(sub / total);
  f.above5kDb = Db(high / total);
  // The first sample within 30 dB of the peak.
  const double threshold = peak * std::pow(10.0, -30.0 / 20.0);
  size_t first = w.First().size();
  for (const auto& side : w.sides) {
    for (size_t i = 0; i < side.size() && i < first; ++i) {
      if (std::fabs(side[i]) >= threshold) first = i;
    }
  }
  f.onsetMs = 1000.0 * static_cast<double>(first) / w.rate;
  return f;
}

const std::map<std::string, Figures>& AllFigures() {
  static const std::map<std::string, Figures> figures = [] {
    std::map<std::string, Figures> m;
    const bool print = std::getenv("QV_ASSET_FIGURES") != nullptr;
    if (print)
      std::printf("%-13s %7s %9s %7s %9s %9s %7s\n", "effect", "peak", "loudness", "dc", "<20Hz",
                  ">5.25kHz", "onset");
    for (const std::string& name : EffectNames()) {
      const WavInfo w = ReadWav(ReadBytes(DatFile(name)));
      if (!w.error.empty() || w.sides.empty() || w.First().empty()) continue;
      const Figures f = Measure(w);
      m[name] = f;
      if (print) {
        std::printf("%-13s %5.1fdB %7.1fdB %7.4f %7.1fdB %7.1fdB %5.1fms\n", name.c_str(), f.peakDb,
                    f.loudnessDb, f.dc, f.subsonicDb, f.above5kDb, f.onsetMs);
      }
    }
    return m;
  }();
  return figures;
}

TEST(EffectMastering, EveryEffectIsMeasured) {
  EXPECT_EQ(AllFigures().size(), EffectNames().size());
}

// Above 5 kHz the mixer's default rate has no room: what is there folds back down.
TEST(EffectMastering, NothingAboveFiveKilohertzAndNoRumbleOrDc) {
  for (const auto& [name, f] : AllFigures()) {
    SCOPED_TRACE(name);
    EXPECT_LE(f.above5kDb, -30.0) << "energy above 5.25 kHz against the whole";
    EXPECT_LE(f.subsonicDb, -20.0) << "energy below 20 Hz against the whole";
    EXPECT_LE(f.dc, 0.004) << "DC offset";
  }
}

// Sounds on different channels are added: each leaves a decibel for the others, and none is
// so much louder or softer than the rest that the player reaches for the volume.
TEST(EffectMastering, EvenLoudnessWithHeadroom) {
  std::vector<double> loudness;
  for (const auto& [name, f] : AllFigures()) loudness.push_back(f.loudnessDb);
  ASSERT_FALSE(loudness.empty());
  std::sort(loudness.begin(), loudness.end());
  const double median = loudness[loudness.size() / 2];
  EXPECT_GT(median, -22.0) << "clearly heard over the music";
  EXPECT_LT(median, -12.0) << "not shouting over it";
  for (const auto& [name, f] : AllFigures()) {
    SCOPED_TRACE(name);
    EXPECT_LE(f.peakDb, -1.0);
    EXPECT_NEAR(f.loudnessDb, median, 3.0) << "against the set's median " << median << " dB";
  }
}

// Effects answer a click or a hit: what is in the file sounds as soon as it is played.
TEST(EffectMastering, EveryEffectStartsWithinTwoMilliseconds) {
  for (const auto& [name, f] : AllFigures()) {
    EXPECT_LE(f.onsetMs, 2.0) << name;
  }
}

// Through the game's own conversion at its default rate: the part of each effect above the
// output's 5.5 kHz is what the mixer can fold down, and it must stay 30 dB under the effect.
// The output is taken at 16 bits so the 8-bit rounding is not counted as folding.
TEST(EffectMastering, TheMixerFoldsAlmostNothingDown) {
  sound::PcmFormat out;
  const int32_t outRate = out.samplesPerSec;
  out.bitsPerSample = 16;
  for (const std::string& name : EffectNames()) {
    SCOPED_TRACE(name);
    const WavInfo w = ReadWav(ReadBytes(DatFile(name)));
    ASSERT_EQ(w.error, "");
    // The same file, once whole and once with only what lies above the output's half rate,
    // both written as 16-bit samples in the file's own layout and rate.
    std::vector<std::vector<double>> high;
    for (const auto& side : w.sides) {
      high.push_back(Minus(side, Lowpass(side, outRate / 2.0, static_cast<int>(w.rate))));
    }
    auto pcm = [&](const std::vector<std::vector<double>>& sides) {
      std::vector<uint8_t> bytes;
      for (size_t i = 0; i < sides[0].size(); ++i) {
        for (const auto& side : sides) {
          const auto v = static_cast<int16_t>(std::lround(std::clamp(side[i], -1.0, 1.0) * 32767));
          bytes.push_back(static_cast<uint8_t>(v & 0xFF));
          bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        }
      }
      return bytes;
    };
    sound::PcmFormat from;
    from.channels = static_cast<int32_t>(w.channels);
    from.samplesPerSec = static_cast<int32_t>(w.rate);
    from.bitsPerSample = 16;
    auto heard = [&](const std::vector<uint8_t>& bytes) {
      const Result<std::vector<uint8_t>> converted = sound::ConvertPcm(bytes, from, out);
      EXPECT_TRUE(converted.ok()) << converted.message();
      const std::vector<uint8_t> mixed = converted.ok() ? *converted : std::vector<uint8_t>{};
      std::vector<double> x;
      for (size_t i = 0; i + 1 < mixed.size(); i += 2) {
        x.push_back(static_cast<int16_t>(mixed[i] | mixed[i + 1] << 8) / 32768.0);
      }
      const double m = Mean(x);
      for (double& v : x) v -= m;
      return Energy(x);
    };
    const double whole = heard(pcm(w.sides));
    const double folded = heard(pcm(high));
    ASSERT_GT(whole, 0);
    EXPECT_LE(Db(folded / whole), -30.0) << "folded below 5.5 kHz, against the effect";
    if (std::getenv("QV_ASSET_FIGURES")) {
      std::printf("%-13s folded by the mixer %7.1f dB\n", name.c_str(), Db(folded / whole));
    }
  }
}

}  // namespace
}  // namespace qv::testing
