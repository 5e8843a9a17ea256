// The game's tunes: each a key, a tempo, a form and a band. The map pieces stay calm and each
// has its own colour, since the map picks among more of them as the player grows.
#include "composer.h"

namespace qv::assetgen {
namespace {

using T = Timbre;
using A = Accompaniment;

}  // namespace

const std::vector<PieceDef>& PieceTable() {
  // Chords are scale degrees from 0 (the key chord); verses end at home, bridges lean onward.
  // Columns: file, seed, key note, mode, beats a minute, beats a bar, verse, bridge, seconds,
  // lead, counter, harmony, bass, accompaniment, drums, lead density, swing, loops, reverb, room.
  // clang-format off
  static const std::vector<PieceDef> kTable = {
      // The title: stately brass over held strings and a slow march.
      {"title.mp3", 101, 62, Mode::kMajor, 92, 4, {0, 4, 5, 3, 0, 3, 4, 0},
       {3, 4, 2, 5, 3, 4, 1, 4}, 60, T::kBrass, T::kBell, T::kPad, T::kBass, A::kSustain,
       Drums::kMarch, 0.4, 0, false, 0.3, 0.7},
      // The monologues: a lone piano thinking aloud, a flute answering.
      {"op.mp3", 202, 57, Mode::kMinor, 72, 4, {0, 5, 2, 6, 3, 0, 4, 0},
       {3, 6, 2, 5, 1, 4, 0, 4}, 75, T::kPiano, T::kFlute, T::kPad, T::kBass, A::kSustain,
       Drums::kNone, 0.35, 0, false, 0.4, 0.85},
      // The first map: a walking tune on the flute over a plucked arpeggio.
      {"map.mp3", 303, 60, Mode::kMajor, 88, 4, {0, 3, 0, 4, 5, 3, 4, 0},
       {3, 0, 3, 4, 5, 1, 4, 4}, 60, T::kFlute, T::kBell, T::kPluck, T::kBass, A::kArpeggio,
       Drums::kShaker, 0.45, 0, false, 0.3, 0.6},
      // A waltz of bells.
      {"map2.mp3", 404, 65, Mode::kMajor, 108, 3, {0, 3, 4, 0, 5, 1, 4, 0},
       {3, 3, 0, 0, 1, 4, 4, 4}, 55, T::kBell, T::kFlute, T::kPiano, T::kBass, A::kWaltz,
       Drums::kWaltz, 0.4, 0, false, 0.3, 0.6},
      // A lazy shuffle in dorian, a plucked lead over a pad.
      {"map3.mp3", 505, 62, Mode::kDorian, 94, 4, {0, 3, 0, 3, 2, 6, 3, 0},
       {6, 3, 4, 0, 6, 3, 4, 4}, 60, T::kPluck, T::kFlute, T::kPad, T::kBass, A::kSustain,
       Drums::kBallad, 0.55, 0.25, false, 0.25, 0.5},
      // A minor harp with a piano tune, no drums: the island's quieter side.
      {"map4.mp3", 606, 57, Mode::kMinor, 80, 4, {0, 5, 3, 4, 0, 5, 4, 0},
       {2, 6, 0, 5, 3, 6, 4, 4}, 65, T::kPiano, T::kBell, T::kPluck, T::kBass, A::kArpeggio,
       Drums::kNone, 0.35, 0, false, 0.35, 0.7},
      // A dreamy lydian drift of bells.
      {"map5.mp3", 707, 63, Mode::kLydian, 76, 4, {0, 1, 0, 1, 5, 4, 1, 0},
       {3, 4, 5, 5, 3, 4, 1, 1}, 60, T::kBell, T::kFlute, T::kPad, T::kBass, A::kSustain,
       Drums::kShaker, 0.3, 0, false, 0.4, 0.8},
      // A mysterious minor waltz for the deeper chapters.
      {"map6.mp3", 808, 59, Mode::kHarmonicMinor, 90, 3, {0, 3, 0, 4, 5, 3, 4, 0},
       {5, 2, 3, 4, 5, 1, 4, 4}, 60, T::kFlute, T::kBell, T::kPluck, T::kBass, A::kArpeggio,
       Drums::kNone, 0.45, 0, false, 0.35, 0.75},
      // The last map: broad and warm, a horn over a ballad beat.
      {"map7.mp3", 909, 55, Mode::kMixolydian, 100, 4, {0, 6, 3, 0, 0, 6, 3, 0},
       {3, 3, 6, 6, 5, 5, 4, 4}, 70, T::kBrass, T::kBell, T::kPluck, T::kBass, A::kArpeggio,
       Drums::kBallad, 0.5, 0, false, 0.3, 0.65},
      // Battle: fast, driving, and it loops without a seam.
      {"battle.mp3", 1010, 52, Mode::kMinor, 152, 4, {0, 0, 5, 6, 0, 0, 3, 4},
       {5, 6, 0, 0, 5, 6, 4, 4}, 50, T::kSquare, T::kBrass, T::kPluck, T::kSynthBass,
       A::kPulse, Drums::kDriving, 0.75, 0, true, 0.18, 0.4},
      // Victory: a bright fanfare.
      {"epiloge.mp3", 1111, 58, Mode::kMajor, 120, 4, {0, 3, 4, 0, 5, 1, 4, 0},
       {3, 4, 2, 5, 1, 4, 3, 4}, 32, T::kBrass, T::kBell, T::kPiano, T::kBass, A::kStabs,
       Drums::kMarch, 0.55, 0, false, 0.3, 0.6},
  };
  // clang-format on
  return kTable;
}

}  // namespace qv::assetgen
