#include "effects.h"

#include <algorithm>
#include <cmath>

#include "mastering.h"
#include "rng.h"

namespace qv::assetgen {
namespace {

// Each layer ends with a short fade of its own so cut notes never click.
constexpr double kLayerRelease = 0.008;
constexpr double kReverbTail = 0.35;
// Every effect is drawn at four times the mixer's rate, so the sharp waves' overtones land
// above the band that mastering keeps instead of folding back into it.
constexpr int kWorkRate = 44100;

void RenderLayer(Stereo& out, const Layer& layer, uint64_t seed) {
  const int rate = out.rate;
  const size_t first = static_cast<size_t>(layer.start * rate);
  const size_t count = static_cast<size_t>(layer.length * rate);
  const double nyquistSafe = rate * 0.45;
  Rng rng(seed);
  Svf band;
  OnePole tone;
  double phase = 0.0, modPhase = 0.0;
  for (size_t i = 0; i < count; ++i) {
    double t = static_cast<double>(i) / rate;
    double along = layer.length > 0 ? t / layer.length : 0.0;
    double hz = layer.fromHz * std::pow(layer.toHz / layer.fromHz, along);
    if (layer.vibrato > 0) hz *= std::pow(2.0, layer.vibrato * std::sin(kTwoPi * 5.5 * t) / 12.0);
    hz = std::min(hz, nyquistSafe);
    double v = 0.0;
    switch (layer.wave) {
      case Wave::kSine:
        v = std::sin(kTwoPi * phase);
        break;
      case Wave::kTriangle:
        v = Triangle(phase);
        break;
      case Wave::kSquare:
        v = Square(phase) * 0.6;
        break;
      case Wave::kPulse:
        v = (Square(phase, 0.25) + 0.5) * 0.6;  // centred: a bare quarter-duty wave sits at -0.5
        break;
      case Wave::kSaw:
        v = Saw(phase) * 0.6;
        break;
      case Wave::kBell: {
        double index = 3.0 * std::exp(-8.0 * t) + 0.4;
        v = std::sin(kTwoPi * phase + index * std::sin(kTwoPi * modPhase));
        modPhase += hz * 3.5 / rate;
        modPhase -= std::floor(modPhase);
        break;
      }
      case Wave::kNoise:
        band.Run(rng.Bipolar(), hz, 0.5, rate);
        v = band.band * 1.5;
        break;
      case Wave::kNoiseLow:
        band.Run(rng.Bipolar(), hz, 1.0, rate);
        v = band.low;
        break;
    }
    phase += hz / rate;
    phase -= std::floor(phase);
    if (layer.filterHz > 0) v = tone.Lowpass(v, layer.filterHz, rate);

    double env = layer.attack > 0 ? std::min(1.0, t / layer.attack) : 1.0;
    if (layer.decay > 0) env *= std::exp(-layer.decay * std::max(0.0, t - layer.attack));
    double left = layer.length - t;
    if (left < kLayerRelease) env *= std::max(0.0, left / kLayerRelease);
    out.Add(first + i, v * env * layer.gain, layer.pan);
  }
}

}  // namespace

Stereo RenderEffect(const EffectDef& def) {
  double end = 0.0;
  for (const Layer& l : def.layers) end = std::max(end, l.start + l.length);
  if (def.reverb > 0) end += kReverbTail;
  Stereo s(kWorkRate, static_cast<size_t>(end * kWorkRate) + 1);
  uint64_t seed = 1;
  for (const char* c = def.name; *c; ++c) seed = seed * 131 + static_cast<unsigned char>(*c);
  for (const Layer& l : def.layers) RenderLayer(s, l, seed++);
  if (def.reverb > 0) AddReverb(s, def.reverb, 0.45, 0.4);
  if (def.format.channels == 1) {
    // Levelled as it will be stored, both sides as one.
    for (size_t i = 0; i < s.Frames(); ++i)
      s.left[i] = s.right[i] = (s.left[i] + s.right[i]) * 0.5f;
  }
  RemoveRumble(s, kEffectRumbleHz);
  Stereo out = BandLimit(s, def.format.rate, kEffectPassHz, kEffectStopHz);
  Level(out, kEffectLoudnessDb + def.level, kEffectPeakDb);
  FadeEnds(out, 0.002, def.reverb > 0 ? 0.12 : 0.01);
  return out;
}

}  // namespace qv::assetgen
