#include "mastering.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::assetgen {
namespace {

constexpr double kBlockSeconds = 0.005;
constexpr double kGateDb = 20.0;
constexpr double kStopbandDb = 80.0;
constexpr double kLimiterAttack = 0.005;
constexpr double kLimiterRelease = 0.06;

double ToDb(double power) {
  return power > 0 ? 10.0 * std::log10(power) : -999.0;
}

// Zeroth-order modified Bessel function of the first kind, by its series.
double BesselI0(double x) {
  double sum = 1.0, term = 1.0;
  for (int k = 1; k < 50; ++k) {
    term *= (x / (2.0 * k)) * (x / (2.0 * k));
    sum += term;
    if (term < sum * 1e-12) break;
  }
  return sum;
}

// A Kaiser-windowed sinc of odd length, normalised to unity gain at DC.
std::vector<double> LowpassTaps(int rate, double passHz, double stopHz) {
  double width = kTwoPi * (stopHz - passHz) / rate;
  int n = static_cast<int>(std::ceil((kStopbandDb - 8.0) / (2.285 * width))) | 1;
  double beta = 0.1102 * (kStopbandDb - 8.7);
  double cutoff = (passHz + stopHz) * 0.5 / rate;  // cycles per sample
  int half = n / 2;
  std::vector<double> taps(static_cast<size_t>(n));
  double sum = 0.0;
  for (int i = 0; i < n; ++i) {
    int k = i - half;
    double sinc = k == 0 ? 2.0 * cutoff : std::sin(kTwoPi * cutoff * k) / (kPi * k);
    double r = static_cast<double>(k) / half;
    double window = BesselI0(beta * std::sqrt(std::max(0.0, 1.0 - r * r))) / BesselI0(beta);
    taps[static_cast<size_t>(i)] = sinc * window;
    sum += taps[static_cast<size_t>(i)];
  }
  for (double& t : taps) t /= sum;
  return taps;
}

// Butterworth high-pass biquad (RBJ cookbook form).
struct HighpassBiquad {
  double b0, b1, b2, a1, a2;
  HighpassBiquad(double hz, int rate) {
    double w = kTwoPi * hz / rate;
    double alpha = std::sin(w) / (2.0 * std::sqrt(0.5));
    double c = std::cos(w), a0 = 1.0 + alpha;
    b0 = (1.0 + c) / 2.0 / a0;
    b1 = -(1.0 + c) / a0;
    b2 = b0;
    a1 = -2.0 * c / a0;
    a2 = (1.0 - alpha) / a0;
  }
  void Run(std::vector<float>& x, bool backwards) const {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    const size_t n = x.size();
    for (size_t j = 0; j < n; ++j) {
      float& v = x[backwards ? n - 1 - j : j];
      double y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
      x2 = x1;
      x1 = v;
      y2 = y1;
      y1 = y;
      v = static_cast<float>(y);
    }
  }
};

}  // namespace

double GatedRmsDb(const Stereo& s) {
  const size_t block = std::max<size_t>(1, static_cast<size_t>(kBlockSeconds * s.rate));
  std::vector<double> powers;
  for (size_t at = 0; at < s.Frames(); at += block) {
    size_t end = std::min(s.Frames(), at + block);
    double sum = 0;
    for (size_t i = at; i < end; ++i) {
      sum +=
          static_cast<double>(s.left[i]) * s.left[i] + static_cast<double>(s.right[i]) * s.right[i];
    }
    powers.push_back(sum / (2.0 * static_cast<double>(end - at)));
  }
  if (powers.empty()) return -999.0;
  double loudest = *std::max_element(powers.begin(), powers.end());
  double gate = loudest * std::pow(10.0, -kGateDb / 10.0);
  double sum = 0;
  int count = 0;
  for (double p : powers) {
    if (p >= gate) {
      sum += p;
      ++count;
    }
  }
  return ToDb(sum / count);
}

void RemoveRumble(Stereo& s, double hz) {
  HighpassBiquad hp(hz, s.rate);
  for (std::vector<float>* side : {&s.left, &s.right}) {
    hp.Run(*side, false);
    hp.Run(*side, true);
  }
}

Stereo BandLimit(const Stereo& s, int outRate, double passHz, double stopHz) {
  const std::vector<double> taps = LowpassTaps(s.rate, passHz, stopHz);
  const int step = s.rate / outRate;
  const long half = static_cast<long>(taps.size() / 2);
  const long frames = static_cast<long>(s.Frames());
  Stereo out(outRate, static_cast<size_t>((frames + step - 1) / step));
  for (size_t o = 0; o < out.Frames(); ++o) {
    const long centre = static_cast<long>(o) * step;
    double l = 0, r = 0;
    const long from = std::max(0L, centre - half), to = std::min(frames - 1, centre + half);
    for (long i = from; i <= to; ++i) {
      const double t = taps[static_cast<size_t>(i - centre + half)];
      l += t * s.left[static_cast<size_t>(i)];
      r += t * s.right[static_cast<size_t>(i)];
    }
    out.left[o] = static_cast<float>(l);
    out.right[o] = static_cast<float>(r);
  }
  return out;
}

namespace {

// Scales by `gain` with the limiter's gain curve on top, so no frame passes `ceiling`.
void ScaleAndLimit(Stereo& s, double gain, double ceiling) {
  const size_t n = s.Frames();
  // The gain each frame may have at most, then ramps: down ahead of a peak within the attack,
  // back up after it within the release. Every frame keeps at most its own limit.
  std::vector<double> g(n);
  for (size_t i = 0; i < n; ++i) {
    double p = std::max(std::fabs(s.left[i]), std::fabs(s.right[i])) * gain;
    g[i] = p > ceiling ? ceiling / p : 1.0;
  }
  const double up = 1.0 / (kLimiterRelease * s.rate), down = 1.0 / (kLimiterAttack * s.rate);
  for (size_t i = 1; i < n; ++i) g[i] = std::min(g[i], g[i - 1] + up);
  for (size_t i = n - 1; i-- > 0;) g[i] = std::min(g[i], g[i + 1] + down);
  for (size_t i = 0; i < n; ++i) {
    s.left[i] = static_cast<float>(s.left[i] * gain * g[i]);
    s.right[i] = static_cast<float>(s.right[i] * gain * g[i]);
  }
}

}  // namespace

void Level(Stereo& s, double loudnessDb, double peakDb) {
  const double ceiling = std::pow(10.0, peakDb / 20.0);
  // Limiting takes a little loudness away from sounds with sharp peaks; a second pass makes it
  // up, so every effect lands within a fraction of a decibel of the set's loudness.
  for (int pass = 0; pass < 3; ++pass) {
    const double now = GatedRmsDb(s);
    if (now < -900 || std::fabs(loudnessDb - now) < 0.2) return;
    ScaleAndLimit(s, std::pow(10.0, (loudnessDb - now) / 20.0), ceiling);
  }
}

}  // namespace qv::assetgen
