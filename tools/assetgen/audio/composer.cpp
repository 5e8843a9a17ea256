#include "composer.h"

#include <algorithm>
#include <cmath>

#include "rng.h"

namespace qv::assetgen {
namespace {

constexpr int kScales[][7] = {
    {0, 2, 4, 5, 7, 9, 11},  // major
    {0, 2, 3, 5, 7, 8, 10},  // natural minor
    {0, 2, 3, 5, 7, 9, 10},  // dorian
    {0, 2, 4, 5, 7, 9, 10},  // mixolydian
    {0, 2, 4, 6, 7, 9, 11},  // lydian
    {0, 2, 3, 5, 7, 8, 11},  // harmonic minor
};

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Pitches by scale step (seven to the octave) in the piece's key.
struct Key {
  int tonic;
  Mode mode;

  int Pitch(int step, int chordDegree) const {
    int octave = FloorDiv(step, 7);
    int degree = step - octave * 7;
    int pitch = tonic + octave * 12 + kScales[static_cast<int>(mode)][degree];
    // Over the dominant of a minor key the seventh rises to a leading note, as it does in song.
    bool minor = mode == Mode::kMinor || mode == Mode::kDorian;
    if (minor && chordDegree == 4 && degree == 6) pitch += 1;
    return pitch;
  }
};

bool IsChordTone(int step, int chordDegree) {
  int d = ((step - chordDegree) % 7 + 7) % 7;
  return d == 0 || d == 2 || d == 4;
}

// The chord tone nearest to `step`, preferring the one above on a tie.
int NearestChordTone(int step, int chordDegree) {
  for (int k = 0; k < 4; ++k) {
    if (IsChordTone(step + k, chordDegree)) return step + k;
    if (IsChordTone(step - k, chordDegree)) return step - k;
  }
  return step;
}

// Rhythms of one bar, in beats, from calm to busy.
const std::vector<std::vector<double>> kRhythms4 = {
    {4},
    {2, 2},
    {3, 1},
    {2, 1, 1},
    {1, 1, 2},
    {1.5, 0.5, 2},
    {1, 1, 1, 1},
    {1.5, 0.5, 1, 1},
    {1, 0.5, 0.5, 2},
    {0.5, 0.5, 1, 2},
    {2, 0.5, 0.5, 1},
    {0.5, 0.5, 0.5, 0.5, 1, 1},
    {0.5, 0.5, 1, 0.5, 0.5, 1},
    {1, 0.5, 0.5, 0.5, 0.5, 1},
    {0.75, 0.25, 0.5, 0.5, 1, 1},
    {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 1},
};
const std::vector<std::vector<double>> kRhythms3 = {
    {3},
    {2, 1},
    {1, 2},
    {1.5, 0.5, 1},
    {1, 1, 1},
    {1, 0.5, 0.5, 1},
    {0.5, 0.5, 1, 1},
    {1, 0.5, 0.5, 0.5, 0.5},
    {0.5, 0.5, 0.5, 0.5, 1},
};

struct Motif {
  std::vector<double> rhythm;
  std::vector<int> moves;  // scale steps from the note before; the first is the start's offset
};

Motif MakeMotif(Rng& rng, int beats, double density) {
  const auto& bank = beats == 3 ? kRhythms3 : kRhythms4;
  int n = static_cast<int>(bank.size());
  // Density picks a window of the bank; calm pieces never get the busiest rhythms.
  int centre = static_cast<int>(density * (n - 1));
  int pick = std::clamp(centre - 2 + rng.Below(5), 0, n - 1);
  Motif m;
  m.rhythm = bank[static_cast<size_t>(pick)];
  static constexpr int kMoves[] = {1, -1, 1, -1, 2, -2, 0, 3, -3, 1, -1, 4};
  m.moves.push_back(rng.Below(3) - 1);
  for (size_t i = 1; i < m.rhythm.size(); ++i) m.moves.push_back(kMoves[rng.Below(12)]);
  return m;
}

// A cadence bar: one or two long notes.
Motif Cadence(int beats) {
  Motif m;
  m.rhythm = beats == 3 ? std::vector<double>{3} : std::vector<double>{2, 2};
  m.moves = beats == 3 ? std::vector<int>{0} : std::vector<int>{0, -1};
  return m;
}

// The sections of a piece. Long pieces run intro, verse, verse, bridge, verse, interlude,
// bridge again and the verse's return before the closing chord.
enum class Part {
  kIntro,
  kVerse,
  kVerse2,
  kBridge,
  kVerse3,
  kInterlude,
  kBridgeAgain,
  kReturn,
  kOutro
};

struct Section {
  Part part;
  std::vector<int> chords;
};

int OctaveOf(Timbre t) {
  switch (t) {
    case Timbre::kPiano:
    case Timbre::kBrass:
    case Timbre::kPad:
      return 0;
    default:
      return 12;
  }
}

class Composer {
 public:
  explicit Composer(const PieceDef& piece)
      : piece_(piece),
        key_{piece.tonic, piece.mode},
        rng_(piece.seed),
        beat_(60.0 / piece.bpm),
        bar_(beat_ * piece.beatsPerBar) {
    for (int i = 0; i < 2; ++i)
      verseMotifs_.push_back(MakeMotif(rng_, piece.beatsPerBar, piece.leadDensity));
    double bridgeDensity = std::min(1.0, piece.leadDensity + 0.15);
    for (int i = 0; i < 2; ++i)
      bridgeMotifs_.push_back(MakeMotif(rng_, piece.beatsPerBar, bridgeDensity));
    // Drawn after the others, so the short pieces keep the tunes they always had.
    if (!piece.interlude.empty()) {
      double calm = std::max(0.0, piece.leadDensity - 0.2);
      for (int i = 0; i < 2; ++i)
        interludeMotifs_.push_back(MakeMotif(rng_, piece.beatsPerBar, calm));
    }
  }

  Score Run() {
    std::vector<Section> form = Form();
    double t = 0;
    for (const Section& s : form) {
      for (size_t b = 0; b < s.chords.size(); ++b) {
        int next = b + 1 < s.chords.size() ? s.chords[b + 1] : s.chords[0];
        Bar(s, static_cast<int>(b), s.chords[b], next, t);
        t += bar_;
      }
    }
    score_.length = t;
    if (!piece_.loops) Ending(t);
    return std::move(score_);
  }

 private:
  std::vector<Section> Form() {
    std::vector<Section> form;
    double sectionLen = bar_ * static_cast<double>(piece_.verse.size());
    double bridgeLen = bar_ * static_cast<double>(piece_.bridge.size());
    double total = 0;
    if (piece_.loops) {
      // Verse and bridge in pairs, so the last bar always leads back into the first.
      const Part pattern[] = {Part::kVerse, Part::kBridge, Part::kVerse2, Part::kBridge};
      for (int i = 0; total < piece_.targetSeconds - 0.5 * (sectionLen + bridgeLen) || i % 2; ++i) {
        Part p = pattern[i % 4];
        form.push_back({p, p == Part::kBridge ? piece_.bridge : piece_.verse});
        total += p == Part::kBridge ? bridgeLen : sectionLen;
      }
      return form;
    }
    if (!piece_.interlude.empty()) return LongForm();
    form.push_back({Part::kIntro, {piece_.verse[0], piece_.verse[1]}});
    total = 2 * bar_ + 3 * bar_;  // the intro and the closing chord
    const Part pattern[] = {Part::kVerse, Part::kVerse2, Part::kBridge, Part::kVerse3};
    for (int i = 0;; ++i) {
      Part p = pattern[i % 4];
      double len = p == Part::kBridge ? bridgeLen : sectionLen;
      if (i >= 2 && total + len > piece_.targetSeconds + 0.3 * len) break;
      form.push_back({p, p == Part::kBridge ? piece_.bridge : piece_.verse});
      total += len;
      if (i >= 2 && p != Part::kBridge && total > piece_.targetSeconds - 0.5 * sectionLen) break;
    }
    return form;
  }

  // A piece that lasts: two verses, the bridge, a third verse, an interlude in another colour,
  // the bridge again and the verse coming home. Verses are left out, the third first, while
  // the piece would run well past its length.
  std::vector<Section> LongForm() const {
    std::vector<Section> form = {
        {Part::kIntro, {piece_.verse[0], piece_.verse[1]}},
        {Part::kVerse, piece_.verse},
        {Part::kVerse2, piece_.verse},
        {Part::kBridge, piece_.bridge},
        {Part::kVerse3, piece_.verse},
        {Part::kInterlude, piece_.interlude},
        {Part::kBridgeAgain, piece_.bridge},
        {Part::kReturn, piece_.verse},
    };
    auto seconds = [&] {
      double bars = 3.0;  // the closing chord
      for (const Section& s : form) bars += static_cast<double>(s.chords.size());
      return bars * bar_ + 2.0;
    };
    for (Part drop : {Part::kVerse3, Part::kVerse2}) {
      if (seconds() <= piece_.targetSeconds + 4 * bar_) break;
      form.erase(
          std::find_if(form.begin(), form.end(), [&](const Section& s) { return s.part == drop; }));
    }
    return form;
  }

  double Loudness(Part p) const {
    switch (p) {
      case Part::kIntro:
        return 0.6;
      case Part::kVerse:
        return 0.75;
      case Part::kVerse2:
        return 0.8;
      case Part::kBridge:
        return 0.9;
      case Part::kVerse3:
        return 0.85;
      case Part::kInterlude:
        return 0.65;
      case Part::kBridgeAgain:
        return 0.95;
      case Part::kReturn:
        return 0.85;
      case Part::kOutro:
        return 0.7;
    }
    return 0.8;
  }

  // Seconds from the bar's start for a position in beats, with the piece's swing on off-beats.
  double At(double barStart, double beats) const {
    double whole = std::floor(beats);
    double frac = beats - whole;
    if (std::fabs(frac - 0.5) < 1e-9) frac += piece_.swing * 0.5;
    return barStart + (whole + frac) * beat_;
  }

  void Add(double start, double beats, int pitch, double velocity, Timbre timbre, double pan,
           bool human = true) {
    NoteEvent n;
    n.start = start;
    if (human && !piece_.loops) n.start = std::max(0.0, start + rng_.Bipolar() * 0.006);
    n.length = beats * beat_;
    n.pitch = pitch;
    n.velocity = std::clamp(velocity * (1.0 + rng_.Bipolar() * 0.06), 0.05, 1.0);
    n.timbre = timbre;
    n.pan = pan;
    score_.notes.push_back(n);
  }

  void Bar(const Section& s, int index, int chord, int nextChord, double t) {
    double loud = Loudness(s.part);
    int barsInSection = static_cast<int>(s.chords.size());
    bool lastBar = index == barsInSection - 1;
    Harmony(chord, t, loud, s.part);
    BassLine(chord, nextChord, t, loud, lastBar);
    Groove(t, loud, index, barsInSection, s.part);
    if (s.part == Part::kIntro) return;
    Melody(s, index, chord, t, loud);
    if (s.part == Part::kBridge || s.part == Part::kVerse3 || s.part == Part::kBridgeAgain ||
        s.part == Part::kReturn)
      CounterLine(chord, t, loud * 0.6, index);
  }

  std::vector<int> ChordPitches(int chord, int centre) const {
    std::vector<int> out;
    for (int k = 0; k < 3; ++k) {
      int p = key_.Pitch(chord + 2 * k, chord);
      while (p < centre - 6) p += 12;
      while (p >= centre + 6) p -= 12;
      out.push_back(p);
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  void Harmony(int chord, double t, double loud, Part part) {
    std::vector<int> tones = ChordPitches(chord, piece_.tonic + 2);
    Timbre h = piece_.harmony;
    double v = loud * 0.7;
    int beats = piece_.beatsPerBar;
    if (part == Part::kInterlude) {
      // The interlude thins out: the chords are only held, under the answering instrument.
      for (size_t k = 0; k < tones.size(); ++k) {
        Add(t, beats, tones[k], v * 0.8, Timbre::kPad, -0.4 + 0.4 * static_cast<double>(k), false);
      }
      return;
    }
    switch (piece_.accompaniment) {
      case Accompaniment::kSustain:
        for (size_t k = 0; k < tones.size(); ++k) {
          Add(t, beats, tones[k], v, h, -0.4 + 0.4 * static_cast<double>(k), false);
        }
        break;
      case Accompaniment::kArpeggio: {
        static constexpr int kUpDown[] = {0, 1, 2, 3, 2, 1, 2, 1};
        int steps = beats * 2;
        for (int i = 0; i < steps; ++i) {
          int idx = kUpDown[i % 8];
          int p = idx == 3 ? tones[0] + 12 : tones[static_cast<size_t>(idx)];
          double accent = i % 2 == 0 ? 1.0 : 0.8;
          Add(At(t, i * 0.5), 1.0, p, v * accent, h, (idx - 1.5) * 0.3);
        }
        break;
      }
      case Accompaniment::kWaltz:
        for (int b = 1; b < beats; ++b) {
          for (size_t k = 0; k < tones.size(); ++k) {
            Add(At(t, b), 0.7, tones[k], v * 0.8, h, -0.3 + 0.3 * static_cast<double>(k));
          }
        }
        break;
      case Accompaniment::kStabs:
        for (int b = 0; b < beats; ++b) {
          for (size_t k = 0; k < tones.size(); ++k) {
            Add(At(t, b + 0.5), 0.35, tones[k], v * 0.75, h, -0.3 + 0.3 * static_cast<double>(k));
          }
        }
        break;
      case Accompaniment::kPulse:
        for (int i = 0; i < beats * 2; ++i) {
          double accent = i % 2 == 0 ? 0.85 : 0.6;
          for (size_t k = 0; k < tones.size(); ++k) {
            Add(At(t, i * 0.5), 0.4, tones[k] + 12, v * accent * 0.6, h,
                -0.5 + 0.5 * static_cast<double>(k), false);
          }
        }
        break;
    }
    // A soft pad under the quieter pieces' bridges gives them some breadth.
    if ((part == Part::kBridge || part == Part::kBridgeAgain) &&
        piece_.accompaniment != Accompaniment::kSustain && piece_.drums != Drums::kDriving) {
      for (int p : tones) Add(t, beats, p, loud * 0.35, Timbre::kPad, 0.0, false);
    }
  }

  void BassLine(int chord, int nextChord, double t, double loud, bool lastBar) {
    int root = key_.Pitch(chord, chord);
    while (root >= 48) root -= 12;
    while (root < 36) root += 12;
    int fifth = key_.Pitch(chord + 4, chord);
    while (fifth >= root + 12) fifth -= 12;
    while (fifth < root) fifth += 12;
    int next = key_.Pitch(nextChord, nextChord);
    while (next >= 48) next -= 12;
    while (next < 36) next += 12;
    Timbre b = piece_.bass;
    double v = loud * 0.9;
    int beats = piece_.beatsPerBar;
    switch (piece_.drums) {
      case Drums::kDriving: {
        for (int i = 0; i < beats * 2; ++i) {
          int p = (i == 3 || i == 7) ? root + 12 : root;
          if (lastBar && i == beats * 2 - 1) p = next + (next > root ? -1 : 1);
          Add(At(t, i * 0.5), 0.45, p, v * (i % 2 == 0 ? 1.0 : 0.8), b, 0.0, false);
        }
        break;
      }
      case Drums::kMarch:
        for (int i = 0; i < beats; ++i) Add(At(t, i), 0.9, i % 2 == 0 ? root : fifth, v, b, 0.0);
        break;
      case Drums::kWaltz:
        Add(t, 1.0, root, v, b, 0.0);
        break;
      default:
        if (beats == 3) {
          Add(t, 2.0, root, v, b, 0.0);
          Add(At(t, 2), 1.0, fifth, v * 0.8, b, 0.0);
        } else {
          Add(t, 2.0, root, v, b, 0.0);
          Add(At(t, 2), 1.5, fifth, v * 0.8, b, 0.0);
          Add(At(t, 3.5), 0.5, lastBar ? next : root, v * 0.7, b, 0.0);
        }
        break;
    }
  }

  void Groove(double t, double loud, int index, int barsInSection, Part part) {
    int beats = piece_.beatsPerBar;
    double v = loud;
    bool fillBar = index == barsInSection - 1;
    if (part == Part::kInterlude) {
      // Only a soft pulse on the bar's first beat while the band rests.
      if (piece_.drums != Drums::kNone) Add(t, 0.5, 0, v * 0.45, Timbre::kKick, 0.0);
      return;
    }
    switch (piece_.drums) {
      case Drums::kNone:
        break;
      case Drums::kShaker:
        for (int i = 0; i < beats * 2; ++i) {
          Add(At(t, i * 0.5), 0.1, 0, v * (i % 2 == 0 ? 0.7 : 0.45), Timbre::kShaker, 0.3);
        }
        Add(t, 0.5, 0, v * 0.5, Timbre::kKick, 0.0);
        break;
      case Drums::kWaltz:
        Add(t, 0.5, 0, v * 0.6, Timbre::kKick, 0.0);
        for (int b = 1; b < beats; ++b) Add(At(t, b), 0.1, 0, v * 0.45, Timbre::kHat, 0.25);
        break;
      case Drums::kBallad:
        Add(t, 0.5, 0, v * 0.7, Timbre::kKick, 0.0);
        Add(At(t, 2.5), 0.5, 0, v * 0.5, Timbre::kKick, 0.0);
        Add(At(t, 1), 0.5, 0, v * 0.45, Timbre::kSnare, -0.1);
        Add(At(t, 3), 0.5, 0, v * 0.45, Timbre::kSnare, -0.1);
        for (int i = 0; i < 8; ++i) Add(At(t, i * 0.5), 0.1, 0, v * 0.3, Timbre::kHat, 0.3);
        break;
      case Drums::kMarch:
        for (int b = 0; b < beats; ++b) {
          Add(At(t, b), 0.5, 0, v * (b % 2 == 0 ? 0.7 : 0.4), Timbre::kKick, 0.0);
          Add(At(t, b + 0.5), 0.2, 0, v * 0.3, Timbre::kSnare, -0.15);
        }
        if (fillBar) {
          for (int i = 0; i < 4; ++i)
            Add(At(t, beats - 1 + i * 0.25), 0.2, 0, v * 0.55, Timbre::kSnare, -0.15);
        }
        break;
      case Drums::kDriving: {
        static constexpr double kKicks[] = {0, 1.5, 2, 3.5};
        for (double k : kKicks) {
          if (fillBar && k > 2.5) continue;
          Add(At(t, k), 0.5, 0, v * 0.95, Timbre::kKick, 0.0, false);
        }
        Add(At(t, 1), 0.5, 0, v * 0.8, Timbre::kSnare, -0.1, false);
        Add(At(t, 3), 0.5, 0, v * 0.8, Timbre::kSnare, -0.1, false);
        for (int i = 0; i < 8; ++i) {
          if (fillBar && i >= 6) continue;
          Timbre hat = i == 7 ? Timbre::kOpenHat : Timbre::kHat;
          Add(At(t, i * 0.5), 0.1, 0, v * (i % 2 == 0 ? 0.55 : 0.35), hat, 0.35, false);
        }
        if (fillBar) {
          // Toms down through the last two beats into the next section.
          static constexpr int kToms[] = {50, 50, 47, 47, 43, 43, 40, 40};
          for (int i = 0; i < 8; ++i) {
            Add(At(t, 2 + i * 0.25), 0.25, kToms[i], v * 0.75, Timbre::kTom, -0.4 + i * 0.1, false);
          }
        }
        if (index == 0 && part != Part::kIntro) Add(t, 1, 0, v * 0.7, Timbre::kCrash, 0.4, false);
        break;
      }
    }
  }

  void Melody(const Section& s, int index, int chord, double t, double loud) {
    bool bridge = s.part == Part::kBridge || s.part == Part::kBridgeAgain;
    bool interlude = s.part == Part::kInterlude;
    const auto& motifs = interlude ? interludeMotifs_ : bridge ? bridgeMotifs_ : verseMotifs_;
    // The interlude's tune goes to the answering instrument.
    Timbre voice = interlude ? piece_.counter : piece_.lead;
    int bars = static_cast<int>(s.chords.size());
    int inPhrase = index % 4;
    bool sectionEnd = index == bars - 1;
    Motif m;
    if (inPhrase == 3) {
      m = Cadence(piece_.beatsPerBar);
    } else {
      m = motifs[static_cast<size_t>(inPhrase == 1 ? 1 : 0)];
      // Later verses vary their second phrase so the tune does not simply repeat; the return
      // brings the first verse back as it was.
      if (s.part != Part::kVerse && s.part != Part::kReturn && index >= 4 && rng_.Chance(0.5)) {
        m = MakeMotif(rng_, piece_.beatsPerBar, piece_.leadDensity);
      }
    }
    int lo = bridge ? 2 : 0, hi = bridge ? 13 : 11;
    int step = NearestChordTone(lastStep_ + m.moves[0], chord);
    double pos = 0;
    for (size_t i = 0; i < m.rhythm.size(); ++i) {
      if (i > 0) step += m.moves[i];
      if (step > hi) step -= 2 * (step - hi);
      if (step < lo) step += 2 * (lo - step);
      bool strong = std::fabs(pos - std::round(pos)) < 1e-9 &&
                    (piece_.beatsPerBar == 3 ? pos == 0 : static_cast<int>(pos) % 2 == 0);
      if (strong) step = NearestChordTone(step, chord);
      bool last = i + 1 == m.rhythm.size();
      if (sectionEnd && last) {
        // Verses come home to the key note; bridges and the interlude rest on the chord's own
        // tone and lean on.
        step = bridge || interlude ? NearestChordTone(step, chord) : 7 * FloorDiv(step + 3, 7);
      }
      int pitch = key_.Pitch(step, chord) + OctaveOf(voice);
      double len = m.rhythm[i] * (m.rhythm[i] >= 1 ? 0.92 : 0.85);
      Add(At(t, pos), len, pitch, loud * (strong ? 0.95 : 0.8), voice, interlude ? -0.25 : 0.1);
      pos += m.rhythm[i];
    }
    lastStep_ = step;
  }

  // A slower line above or around the tune: one chord tone per half bar.
  void CounterLine(int chord, double t, double loud, int index) {
    int beats = piece_.beatsPerBar;
    int halves = beats == 3 ? 1 : 2;
    for (int h = 0; h < halves; ++h) {
      counterStep_ = NearestChordTone(counterStep_ + (index + h) % 2 * 2 - 1, chord);
      counterStep_ = std::clamp(counterStep_, 4, 11);
      double len = beats == 3 ? 3.0 : 2.0;
      Add(At(t, h * 2.0), len * 0.95, key_.Pitch(counterStep_, chord) + OctaveOf(piece_.counter),
          loud, piece_.counter, -0.35);
    }
  }

  void Ending(double t) {
    int tonicChord = 0;
    double loud = Loudness(Part::kOutro);
    std::vector<int> tones = ChordPitches(tonicChord, piece_.tonic + 2);
    double hold = 3.0 * piece_.beatsPerBar;
    for (int p : tones)
      Add(t, hold, p, loud * 0.7, piece_.harmony == Timbre::kPluck ? Timbre::kPad : piece_.harmony,
          0.0, false);
    int root = piece_.tonic;
    while (root >= 48) root -= 12;
    Add(t, hold, root, loud, piece_.bass, 0.0, false);
    Add(t, hold, key_.Pitch(7, 0) + OctaveOf(piece_.lead), loud, piece_.lead, 0.1, false);
    Add(t, hold, key_.Pitch(7, 0) + OctaveOf(piece_.counter), loud * 0.5, piece_.counter, -0.3,
        false);
    if (piece_.drums != Drums::kNone) Add(t, 1, 0, loud * 0.5, Timbre::kCrash, 0.3, false);
    score_.length = t + hold * beat_ + 2.0;
  }

  const PieceDef& piece_;
  Key key_;
  Rng rng_;
  double beat_, bar_;
  std::vector<Motif> verseMotifs_, bridgeMotifs_, interludeMotifs_;
  int lastStep_ = 4;
  int counterStep_ = 9;
  Score score_;
};

}  // namespace

Score Compose(const PieceDef& piece) {
  return Composer(piece).Run();
}

}  // namespace qv::assetgen
