#pragma once
// Building blocks shared by the sound effects and the music: buffers, oscillators, filters
// and a small room reverb.
#include <cmath>
#include <cstddef>
#include <vector>

namespace qv::assetgen {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Two channels of float samples at one rate; mono sounds simply keep both sides equal.
struct Stereo {
  int rate = 44100;
  std::vector<float> left, right;

  Stereo() = default;
  Stereo(int sampleRate, size_t frames) : rate(sampleRate), left(frames), right(frames) {}
  size_t Frames() const { return left.size(); }
  // Adds one sample at a frame with a pan of -1 (left) .. 1 (right); frames outside are dropped.
  void Add(size_t frame, double value, double pan) { Add(frame, value, PanGains(pan)); }

  // Equal-power pan law: the gains of both sides for a pan of -1 .. 1.
  struct Gains {
    double left, right;
  };
  static Gains PanGains(double pan) {
    double p = (pan + 1.0) * 0.25 * kPi;
    return {std::cos(p), std::sin(p)};
  }
  void Add(size_t frame, double value, Gains g) {
    if (frame >= left.size()) return;
    left[frame] += static_cast<float>(value * g.left);
    right[frame] += static_cast<float>(value * g.right);
  }
};

// Frequency of a MIDI note number (69 = A 440 Hz).
inline double NoteHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

// Sine of a phase in cycles (any value), from a table: several times faster than std::sin and
// accurate to a millionth, which is far below what a 16-bit sample can hold.
double SinCycles(double phase);

// The basic waves, phase in cycles [0, 1).
double Square(double phase, double duty = 0.5);
double Triangle(double phase);
double Saw(double phase);

// One-pole lowpass; the cutoff may change per sample (the coefficient is recomputed only
// when it does).
class OnePole {
 public:
  double Lowpass(double x, double cutoffHz, int rate);
  double Highpass(double x, double cutoffHz, int rate) { return x - Lowpass(x, cutoffHz, rate); }

 private:
  double y_ = 0.0;
  double cutoff_ = -1.0, a_ = 0.0;
};

// Chamberlin state-variable filter: band and low outputs of one resonant stage.
class Svf {
 public:
  // Runs one sample; q below 1 rings, 1..2 is gentle.
  void Run(double x, double cutoffHz, double damping, int rate);
  double low = 0.0, band = 0.0, high = 0.0;
};

// A Schroeder room: parallel combs into series allpasses, a little different per side so the
// tail spreads in stereo. Wet signal only; the caller mixes it with the dry one.
class Reverb {
 public:
  Reverb(int rate, double roomSize, double damping);
  void Process(float inL, float inR, float& outL, float& outR);

 private:
  struct Line {
    std::vector<float> buf;
    size_t pos = 0;
    float store = 0.0f;
  };
  double feedback_, damp_;
  std::vector<Line> combsL_, combsR_, allL_, allR_;
  static float Comb(Line& c, float x, double feedback, double damp);
  static float Allpass(Line& a, float x);
};

// Applies the reverb to a whole buffer, adding `wet` of it to the dry signal.
void AddReverb(Stereo& s, double wet, double roomSize, double damping);

// Linear fades at both ends so a sound never starts or stops with a click.
void FadeEnds(Stereo& s, double fadeInSec, double fadeOutSec);

// Largest absolute sample over both sides.
double Peak(const Stereo& s);
// Root mean square over both sides.
double Rms(const Stereo& s);
// Scales so the largest sample is `peak`; a silent buffer stays silent.
void NormalizePeak(Stereo& s, double peak);

}  // namespace qv::assetgen
