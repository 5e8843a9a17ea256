#pragma once
// A small composition engine: a piece is a key, a tempo, chord progressions and a feel; the
// melody grows from motifs drawn from the piece's own seed.
#include <cstdint>
#include <vector>

#include "instruments.h"

namespace qv::assetgen {

enum class Mode { kMajor, kMinor, kDorian, kMixolydian, kLydian, kHarmonicMinor };

// How the harmony instrument plays each bar's chord.
enum class Accompaniment {
  kArpeggio,  // broken chord in even notes
  kSustain,   // the chord held for the whole bar
  kWaltz,     // bass on one, chord on two and three
  kStabs,     // short chords off the beat
  kPulse,     // repeated chords on every eighth: driving pieces
};

// The groove under the piece.
enum class Drums { kNone, kShaker, kWaltz, kBallad, kMarch, kDriving };

struct PieceDef {
  const char* name;  // file name in dat/
  uint64_t seed;
  int tonic;  // MIDI note of the key's root, around middle C
  Mode mode;
  double bpm;
  int beatsPerBar;                 // 3 or 4
  std::vector<int> verse, bridge;  // one chord per bar, as 0-based scale degrees
  // A third progression for long pieces: the interlude before the bridge comes back and the
  // verse returns. Empty for the short pieces.
  std::vector<int> interlude;
  double targetSeconds;  // the form is chosen to come close to this length
  Timbre lead, counter, harmony, bass;
  Accompaniment accompaniment;
  Drums drums;
  double leadDensity;  // 0 sparse, long notes .. 1 busy
  double swing;        // 0 straight .. 0.33 a lazy shuffle on the eighths
  bool loops;          // ends exactly where it begins, for battle music that repeats
  double reverb;       // wet share
  double room;         // 0 small .. 1 hall
};

// The notes of a piece, and where it ends (the loop point for looping pieces).
struct Score {
  std::vector<NoteEvent> notes;
  double length = 0;
};

Score Compose(const PieceDef& piece);

// Every tune the game plays, by file name.
const std::vector<PieceDef>& PieceTable();

}  // namespace qv::assetgen
