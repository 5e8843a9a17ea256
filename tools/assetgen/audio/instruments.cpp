#include "instruments.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::assetgen {
namespace {

// Smooths the jumps of naive saw and square waves so high notes do not alias.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double BlepSaw(double phase, double dt) {
  return Saw(phase) - PolyBlep(phase, dt);
}

double BlepSquare(double phase, double dt) {
  double shifted = phase + 0.5 - std::floor(phase + 0.5);
  return Square(phase) + PolyBlep(phase, dt) - PolyBlep(shifted, dt);
}

// An exponential fall from 1 with time constant `tau`, one multiply per sample.
class Fall {
 public:
  Fall(double tau, int rate) : factor_(std::exp(-1.0 / (std::max(tau, 1e-5) * rate))) {}
  double Next() {
    double v = value_;
    value_ *= factor_;
    return v;
  }

 private:
  double value_ = 1.0, factor_;
};

// Attack, a fall towards `sustain` while the key is held, then a linear release.
class Envelope {
 public:
  Envelope(int rate, double held, double attack, double decay, double sustain, double release)
      : held_(held * rate),
        attack_(std::max(1.0, attack * rate)),
        release_(release * rate),
        sustain_(sustain),
        fall_(decay, rate) {}
  double Next() {
    double level = i_ < attack_ ? i_ / attack_ : sustain_ + (1.0 - sustain_) * fall_.Next();
    if (i_ > held_) level *= std::max(0.0, 1.0 - (i_ - held_) / release_);
    i_ += 1.0;
    return level;
  }

 private:
  double i_ = 0.0, held_, attack_, release_, sustain_;
  Fall fall_;
};

struct Span {
  size_t first, count;
};

Span SpanOf(const Stereo& out, const NoteEvent& n) {
  double end = n.start + n.length + ReleaseSeconds(n.timbre);
  size_t first = static_cast<size_t>(std::max(0.0, n.start) * out.rate);
  size_t last = std::min(out.Frames(), static_cast<size_t>(end * out.rate));
  return {first, last > first ? last - first : 0};
}

void RenderPluck(Stereo& out, const NoteEvent& n, Rng& rng) {
  Span sp = SpanOf(out, n);
  double hz = NoteHz(n.pitch);
  // The averaging filter adds half a sample of delay; the rest is read between samples.
  double delay = out.rate / hz - 0.5;
  size_t size = 1;
  while (size < static_cast<size_t>(delay) + 4) size <<= 1;
  std::vector<float> line(size, 0.0f);
  OnePole soft;
  size_t seedLen = static_cast<size_t>(delay) + 1;
  double brightness = 2000.0 + 6000.0 * n.velocity;
  for (size_t i = 0; i < seedLen; ++i) {
    line[i] = static_cast<float>(soft.Lowpass(rng.Bipolar(), brightness, out.rate));
  }
  size_t write = seedLen;
  double prev = 0.0;
  // Lower strings ring longer; a released key damps the string quickly.
  double ring = std::pow(0.5, 1.0 / (out.rate * (0.25 + 60.0 / hz)));
  double damped = std::pow(0.5, 1.0 / (out.rate * 0.03));
  auto pan = Stereo::PanGains(n.pan);
  for (size_t i = 0; i < sp.count; ++i) {
    double readPos = static_cast<double>(write) - delay;
    double base = std::floor(readPos);
    double frac = readPos - base;
    size_t a = static_cast<size_t>(static_cast<int64_t>(base)) & (size - 1);
    size_t b = (a + 1) & (size - 1);
    double y = line[a] * (1.0 - frac) + line[b] * frac;
    double t = static_cast<double>(i) / out.rate;
    double keep = t < n.length ? ring : damped;
    double next = 0.5 * (y + prev) * keep;
    prev = y;
    line[write & (size - 1)] = static_cast<float>(next);
    ++write;
    double fadeIn = std::min(1.0, t / 0.002);
    out.Add(sp.first + i, y * n.velocity * 0.9 * fadeIn, pan);
  }
}

void RenderPad(Stereo& out, const NoteEvent& n, double cutoff, double attack) {
  Span sp = SpanOf(out, n);
  double hz = NoteHz(n.pitch);
  const double detune[3] = {1.0, 1.0045, 0.9955};
  double phase[3] = {0.0, 0.31, 0.67};
  OnePole f1, f2;
  Envelope env(out.rate, n.length, attack, 0.8, 0.8, ReleaseSeconds(n.timbre));
  auto pan = Stereo::PanGains(n.pan);
  for (size_t i = 0; i < sp.count; ++i) {
    double v = 0.0;
    for (int k = 0; k < 3; ++k) {
      double dt = hz * detune[k] / out.rate;
      v += BlepSaw(phase[k], dt);
      phase[k] += dt;
      phase[k] -= std::floor(phase[k]);
    }
    v = f2.Lowpass(f1.Lowpass(v, cutoff, out.rate), cutoff, out.rate);
    out.Add(sp.first + i, v * env.Next() * n.velocity * 0.3, pan);
  }
}

// Two-operator FM: `ratio` sets the colour, the index fades over `indexDecay` seconds.
void RenderFm(Stereo& out, const NoteEvent& n, double ratio, double index, double indexDecay,
              double ampDecay, double gain) {
  Span sp = SpanOf(out, n);
  double hz = NoteHz(n.pitch);
  double phase = 0.0, mod = 0.0;
  Fall indexFall(indexDecay, out.rate), ampFall(ampDecay, out.rate);
  auto pan = Stereo::PanGains(n.pan);
  for (size_t i = 0; i < sp.count; ++i) {
    double t = static_cast<double>(i) / out.rate;
    double idx = index * (0.15 + 0.85 * indexFall.Next());
    double v = SinCycles(phase + idx / kTwoPi * SinCycles(mod));
    phase += hz / out.rate;
    mod += hz * ratio / out.rate;
    phase -= std::floor(phase);
    mod -= std::floor(mod);
    double env = std::min(1.0, t / 0.003) * ampFall.Next();
    if (t > n.length) env *= std::max(0.0, 1.0 - (t - n.length) / ReleaseSeconds(n.timbre));
    out.Add(sp.first + i, v * env * n.velocity * gain, pan);
  }
}

void RenderFlute(Stereo& out, const NoteEvent& n, Rng& rng) {
  Span sp = SpanOf(out, n);
  double hz = NoteHz(n.pitch);
  double phase = 0.0;
  Svf breath;
  Envelope env(out.rate, n.length, 0.05, 0.3, 0.75, ReleaseSeconds(n.timbre));
  auto pan = Stereo::PanGains(n.pan);
  for (size_t i = 0; i < sp.count; ++i) {
    double t = static_cast<double>(i) / out.rate;
    double vib = t > 0.25 ? std::min(1.0, (t - 0.25) * 3.0) * 0.18 : 0.0;
    // A fraction of a semitone: 2^(x/12) is 1 + x ln2 / 12 to well within a cent.
    double f = hz * (1.0 + vib * SinCycles(5.2 * t) * 0.05776);
    double v = SinCycles(phase) + 0.25 * SinCycles(2.0 * phase) + 0.08 * SinCycles(3.0 * phase);
    breath.Run(rng.Bipolar(), hz * 2.0, 0.6, out.rate);
    v += breath.band * 0.12;
    phase += f / out.rate;
    phase -= std::floor(phase);
    out.Add(sp.first + i, v * env.Next() * n.velocity * 0.45, pan);
  }
}

// Saw or square leads and basses with a filter that opens at the attack and closes after.
void RenderFiltered(Stereo& out, const NoteEvent& n, bool square, double baseCut, double envCut,
                    double cutDecay, double attack, double sustain, double gain) {
  Span sp = SpanOf(out, n);
  double hz = NoteHz(n.pitch);
  double phase = 0.0;
  OnePole f1, f2;
  Envelope env(out.rate, n.length, attack, 0.25, sustain, ReleaseSeconds(n.timbre));
  Fall cutFall(cutDecay, out.rate);
  auto pan = Stereo::PanGains(n.pan);
  double cut = baseCut;
  for (size_t i = 0; i < sp.count; ++i) {
    double dt = hz / out.rate;
    double v = square ? BlepSquare(phase, dt) : BlepSaw(phase, dt);
    phase += dt;
    phase -= std::floor(phase);
    // The filter moves in small steps, which the ear cannot tell from a glide.
    double fall = cutFall.Next();
    if (i % 16 == 0) cut = baseCut + envCut * n.velocity * fall;
    v = f2.Lowpass(f1.Lowpass(v, cut, out.rate), cut, out.rate);
    out.Add(sp.first + i, v * env.Next() * n.velocity * gain, pan);
  }
}

void RenderBass(Stereo& out, const NoteEvent& n) {
  Span sp = SpanOf(out, n);
  double hz = NoteHz(n.pitch);
  double phase = 0.0;
  Envelope env(out.rate, n.length, 0.004, 0.5, 0.55, ReleaseSeconds(n.timbre));
  Fall edge(1.0 / 6.0, out.rate);
  auto pan = Stereo::PanGains(n.pan);
  for (size_t i = 0; i < sp.count; ++i) {
    double s = SinCycles(phase);
    double v = s + 0.3 * SinCycles(2.0 * phase) * edge.Next() + 0.15 * s * s * s;
    phase += hz / out.rate;
    phase -= std::floor(phase);
    out.Add(sp.first + i, v * env.Next() * n.velocity * 0.55, pan);
  }
}

void RenderKick(Stereo& out, const NoteEvent& n) {
  Span sp = SpanOf(out, n);
  double phase = 0.0;
  Fall drop(0.03, out.rate), body(0.18, out.rate);
  auto pan = Stereo::PanGains(n.pan);
  for (size_t i = 0; i < sp.count; ++i) {
    double t = static_cast<double>(i) / out.rate;
    double hz = 48.0 + 110.0 * drop.Next();
    phase += hz / out.rate;
    double v = SinCycles(phase) * body.Next();
    v *= std::min(1.0, t / 0.001);
    out.Add(sp.first + i, v * n.velocity * 0.9, pan);
  }
}

// Filtered noise drums: the band, how it decays, plus an optional tone under it.
void RenderNoiseDrum(Stereo& out, const NoteEvent& n, Rng& rng, double highpass, double lowpass,
                     double decay, double toneHz, double toneGain, double gain) {
  Span sp = SpanOf(out, n);
  OnePole hp, lp;
  double phase = 0.0;
  Fall body(decay, out.rate), ring(0.06, out.rate), bend(0.01, out.rate);
  auto pan = Stereo::PanGains(n.pan);
  for (size_t i = 0; i < sp.count; ++i) {
    double t = static_cast<double>(i) / out.rate;
    double v = lp.Lowpass(hp.Highpass(rng.Bipolar(), highpass, out.rate), lowpass, out.rate);
    double env = body.Next() * std::min(1.0, t / 0.0008);
    double tone = 0.0;
    if (toneGain > 0) {
      tone = SinCycles(phase) * ring.Next() * toneGain;
      phase += toneHz * (1.0 + 0.5 * bend.Next()) / out.rate;
    }
    out.Add(sp.first + i, (v * env + tone) * n.velocity * gain, pan);
  }
}

}  // namespace

bool IsDrum(Timbre t) {
  return t >= Timbre::kKick;
}

double ReleaseSeconds(Timbre t) {
  switch (t) {
    case Timbre::kPluck:
      return 0.4;
    case Timbre::kPad:
      return 0.8;
    case Timbre::kBell:
      return 1.6;
    case Timbre::kPiano:
      return 0.5;
    case Timbre::kFlute:
      return 0.15;
    case Timbre::kSquare:
      return 0.08;
    case Timbre::kBrass:
      return 0.15;
    case Timbre::kBass:
      return 0.12;
    case Timbre::kSynthBass:
      return 0.05;
    case Timbre::kKick:
      return 0.6;
    case Timbre::kSnare:
      return 0.4;
    case Timbre::kHat:
      return 0.12;
    case Timbre::kOpenHat:
      return 0.5;
    case Timbre::kShaker:
      return 0.12;
    case Timbre::kTom:
      return 0.5;
    case Timbre::kCrash:
      return 2.0;
  }
  return 0.2;
}

void RenderNote(Stereo& out, const NoteEvent& n, Rng& rng) {
  switch (n.timbre) {
    case Timbre::kPluck:
      RenderPluck(out, n, rng);
      break;
    case Timbre::kPad:
      RenderPad(out, n, 900.0 + 900.0 * n.velocity, 0.35);
      break;
    case Timbre::kBell:
      RenderFm(out, n, 3.5, 2.2, 0.25, 0.9, 0.32);
      break;
    case Timbre::kPiano:
      RenderFm(out, n, 1.0, 1.6, 0.4, 0.8, 0.4);
      break;
    case Timbre::kFlute:
      RenderFlute(out, n, rng);
      break;
    case Timbre::kSquare:
      RenderFiltered(out, n, true, 1200, 3000, 0.15, 0.005, 0.7, 0.3);
      break;
    case Timbre::kBrass:
      RenderFiltered(out, n, false, 700, 2500, 0.25, 0.04, 0.8, 0.35);
      break;
    case Timbre::kBass:
      RenderBass(out, n);
      break;
    case Timbre::kSynthBass:
      RenderFiltered(out, n, false, 250, 1800, 0.08, 0.003, 0.7, 0.6);
      break;
    case Timbre::kKick:
      RenderKick(out, n);
      break;
    case Timbre::kSnare:
      RenderNoiseDrum(out, n, rng, 1200, 9000, 0.09, 190, 0.5, 0.5);
      break;
    case Timbre::kHat:
      RenderNoiseDrum(out, n, rng, 7000, 16000, 0.025, 0, 0, 0.35);
      break;
    case Timbre::kOpenHat:
      RenderNoiseDrum(out, n, rng, 6500, 16000, 0.14, 0, 0, 0.3);
      break;
    case Timbre::kShaker:
      RenderNoiseDrum(out, n, rng, 5000, 11000, 0.03, 0, 0, 0.22);
      break;
    case Timbre::kTom:
      RenderNoiseDrum(out, n, rng, 200, 2000, 0.05, NoteHz(n.pitch), 1.0, 0.55);
      break;
    case Timbre::kCrash:
      RenderNoiseDrum(out, n, rng, 4000, 14000, 0.6, 0, 0, 0.25);
      break;
  }
}

}  // namespace qv::assetgen
