#include "dsp.h"

#include <algorithm>

namespace qv::assetgen {

namespace {

constexpr int kSineTableSize = 4096;

struct SineTable {
  float values[kSineTableSize + 1];
  SineTable() {
    for (int i = 0; i <= kSineTableSize; ++i) {
      values[i] = static_cast<float>(std::sin(kTwoPi * i / kSineTableSize));
    }
  }
};

const SineTable kSine;

}  // namespace

double SinCycles(double phase) {
  double x = (phase - std::floor(phase)) * kSineTableSize;
  int i = static_cast<int>(x);
  double frac = x - i;
  return kSine.values[i] + (kSine.values[i + 1] - kSine.values[i]) * frac;
}

double Square(double phase, double duty) {
  return phase < duty ? 1.0 : -1.0;
}

double Triangle(double phase) {
  return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
}

double Saw(double phase) {
  return 2.0 * phase - 1.0;
}

double OnePole::Lowpass(double x, double cutoffHz, int rate) {
  if (cutoffHz != cutoff_) {
    cutoff_ = cutoffHz;
    a_ = 1.0 - std::exp(-kTwoPi * std::clamp(cutoffHz, 1.0, rate * 0.49) / rate);
  }
  y_ += a_ * (x - y_);
  return y_;
}

void Svf::Run(double x, double cutoffHz, double damping, int rate) {
  // Two passes per sample keep the filter stable up to a quarter of the rate.
  double f = 2.0 * std::sin(kPi * std::clamp(cutoffHz, 10.0, rate * 0.24) / (2.0 * rate));
  for (int i = 0; i < 2; ++i) {
    low += f * band;
    high = x - low - damping * band;
    band += f * high;
  }
}

namespace {
// Delay lengths in samples at 44.1 kHz, 25..34 ms and far from common multiples, so the
// echoes of the combs never pile up on one beat.
constexpr int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491};
constexpr int kAllpassLengths[] = {556, 441, 341};
constexpr int kStereoSpread = 23;
}  // namespace

Reverb::Reverb(int rate, double roomSize, double damping)
    : feedback_(0.7 + 0.28 * std::clamp(roomSize, 0.0, 1.0)), damp_(std::clamp(damping, 0.0, 1.0)) {
  double scale = rate / 44100.0;
  for (int len : kCombLengths) {
    combsL_.push_back({std::vector<float>(static_cast<size_t>(len * scale) + 1)});
    combsR_.push_back({std::vector<float>(static_cast<size_t>((len + kStereoSpread) * scale) + 1)});
  }
  for (int len : kAllpassLengths) {
    allL_.push_back({std::vector<float>(static_cast<size_t>(len * scale) + 1)});
    allR_.push_back({std::vector<float>(static_cast<size_t>((len + kStereoSpread) * scale) + 1)});
  }
}

float Reverb::Comb(Line& c, float x, double feedback, double damp) {
  float out = c.buf[c.pos];
  c.store = static_cast<float>(out * (1.0 - damp) + c.store * damp);
  c.buf[c.pos] = static_cast<float>(x + c.store * feedback);
  if (++c.pos == c.buf.size()) c.pos = 0;
  return out;
}

float Reverb::Allpass(Line& a, float x) {
  float delayed = a.buf[a.pos];
  float out = delayed - x;
  a.buf[a.pos] = x + delayed * 0.5f;
  if (++a.pos == a.buf.size()) a.pos = 0;
  return out;
}

void Reverb::Process(float inL, float inR, float& outL, float& outR) {
  float in = (inL + inR) * 0.5f * 0.12f;
  float l = 0.0f, r = 0.0f;
  for (auto& c : combsL_) l += Comb(c, in, feedback_, damp_);
  for (auto& c : combsR_) r += Comb(c, in, feedback_, damp_);
  for (auto& a : allL_) l = Allpass(a, l);
  for (auto& a : allR_) r = Allpass(a, r);
  outL = l;
  outR = r;
}

void AddReverb(Stereo& s, double wet, double roomSize, double damping) {
  Reverb rv(s.rate, roomSize, damping);
  for (size_t i = 0; i < s.Frames(); ++i) {
    float l, r;
    rv.Process(s.left[i], s.right[i], l, r);
    s.left[i] += static_cast<float>(l * wet);
    s.right[i] += static_cast<float>(r * wet);
  }
}

void FadeEnds(Stereo& s, double fadeInSec, double fadeOutSec) {
  size_t n = s.Frames();
  size_t in = std::min(n, static_cast<size_t>(fadeInSec * s.rate));
  size_t out = std::min(n, static_cast<size_t>(fadeOutSec * s.rate));
  for (size_t i = 0; i < in; ++i) {
    float g = static_cast<float>(i) / static_cast<float>(in);
    s.left[i] *= g;
    s.right[i] *= g;
  }
  for (size_t i = 0; i < out; ++i) {
    float g = static_cast<float>(i) / static_cast<float>(out);
    s.left[n - 1 - i] *= g;
    s.right[n - 1 - i] *= g;
  }
}

double Peak(const Stereo& s) {
  double p = 0.0;
  for (size_t i = 0; i < s.Frames(); ++i) {
    p = std::max(
        {p, std::fabs(static_cast<double>(s.left[i])), std::fabs(static_cast<double>(s.right[i]))});
  }
  return p;
}

double Rms(const Stereo& s) {
  if (s.Frames() == 0) return 0.0;
  double sum = 0.0;
  for (size_t i = 0; i < s.Frames(); ++i) {
    sum +=
        static_cast<double>(s.left[i]) * s.left[i] + static_cast<double>(s.right[i]) * s.right[i];
  }
  return std::sqrt(sum / (2.0 * s.Frames()));
}

void NormalizePeak(Stereo& s, double peak) {
  double p = Peak(s);
  if (p <= 0.0) return;
  float g = static_cast<float>(peak / p);
  for (size_t i = 0; i < s.Frames(); ++i) {
    s.left[i] *= g;
    s.right[i] *= g;
  }
}

}  // namespace qv::assetgen
