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
  // Columns: file, seed, key note, mode, beats a minute, beats a bar, verse, bridge, interlude
  // (long pieces only: they run two to three minutes, since outside battle a tune plays once),
  // seconds,
  // lead, counter, harmony, bass, accompaniment, drums, lead density, swing, loops, reverb, room.
  // clang-format off
  static const std::vector<PieceDef> kTable = {
      // The title: stately brass over held strings and a slow march.
      {"title.mp3", 101, 62, Mode::kMajor, 92, 4, {0, 4, 5, 3, 0, 3, 4, 0},
       {3, 4, 2, 5, 3, 4, 1, 4}, {}, 60, T::kBrass, T::kBell, T::kPad, T::kBass, A::kSustain,
       Drums::kMarch, 0.4, 0, false, 0.3, 0.7},
      // The monologues: a lone piano thinking aloud in A minor, a flute answering; long enough
      // to read the opening by.
      {"op.mp3", 202, 57, Mode::kMinor, 76, 4, {0, 5, 2, 6, 3, 0, 4, 0},
       {3, 6, 2, 5, 1, 4, 0, 4}, {2, 6, 2, 6, 5, 3, 1, 4}, 170, T::kPiano, T::kFlute, T::kPad, T::kBass, A::kSustain,
       Drums::kNone, 0.35, 0, false, 0.4, 0.85},
      // The first map: a walking tune on the flute over a plucked arpeggio.
      {"map.mp3", 303, 60, Mode::kMajor, 88, 4, {0, 3, 0, 4, 5, 3, 4, 0},
       {3, 0, 3, 4, 5, 1, 4, 4}, {5, 2, 3, 0, 5, 2, 1, 4}, 165, T::kFlute, T::kBell, T::kPluck, T::kBass, A::kArpeggio,
       Drums::kShaker, 0.45, 0, false, 0.3, 0.6},
      // A waltz of bells, its verse two eight-bar phrases long.
      {"map2.mp3", 404, 65, Mode::kMajor, 108, 3, {0, 3, 4, 0, 5, 1, 4, 0, 0, 3, 4, 5, 1, 4, 4, 0},
       {3, 3, 0, 0, 1, 4, 4, 4}, {5, 5, 2, 2, 3, 3, 4, 4}, 160, T::kBell, T::kFlute, T::kPiano, T::kBass, A::kWaltz,
       Drums::kWaltz, 0.4, 0, false, 0.3, 0.6},
      // A lazy shuffle in dorian, a plucked lead over a pad.
      {"map3.mp3", 505, 62, Mode::kDorian, 94, 4, {0, 3, 0, 3, 2, 6, 3, 0},
       {6, 3, 4, 0, 6, 3, 4, 4}, {6, 3, 6, 3, 2, 5, 4, 4}, 160, T::kPluck, T::kFlute, T::kPad, T::kBass, A::kSustain,
       Drums::kBallad, 0.55, 0.25, false, 0.25, 0.5},
      // The island's quieter side, nothing like the monologues: a harp tune in E dorian, a
      // lilting three-four over a piano's broken chords, bells answering, a shaker.
      {"map4.mp3", 606, 64, Mode::kDorian, 112, 3, {0, 3, 0, 6, 0, 3, 4, 4, 2, 6, 3, 0, 3, 6, 4, 0},
       {6, 3, 2, 5, 6, 3, 4, 4}, {3, 3, 0, 0, 6, 6, 4, 4}, 160, T::kPluck, T::kBell, T::kPiano,
       T::kBass, A::kArpeggio, Drums::kShaker, 0.5, 0, false, 0.3, 0.6},
      // A dreamy lydian drift of bells.
      {"map5.mp3", 707, 63, Mode::kLydian, 76, 4, {0, 1, 0, 1, 5, 4, 1, 0},
       {3, 4, 5, 5, 3, 4, 1, 1}, {5, 2, 5, 2, 4, 1, 4, 1}, 165, T::kBell, T::kFlute, T::kPad, T::kBass, A::kSustain,
       Drums::kShaker, 0.3, 0, false, 0.4, 0.8},
      // A mysterious minor waltz for the deeper chapters.
      {"map6.mp3", 808, 59, Mode::kHarmonicMinor, 90, 3, {0, 3, 0, 4, 5, 3, 4, 0, 0, 3, 5, 1, 3, 4, 0, 0},
       {5, 2, 3, 4, 5, 1, 4, 4}, {3, 0, 3, 0, 5, 1, 4, 4}, 160, T::kFlute, T::kBell, T::kPluck, T::kBass, A::kArpeggio,
       Drums::kNone, 0.45, 0, false, 0.35, 0.75},
      // The last map: broad and warm, a horn over a ballad beat.
      {"map7.mp3", 909, 55, Mode::kMixolydian, 100, 4, {0, 6, 3, 0, 0, 6, 3, 0},
       {3, 3, 6, 6, 5, 5, 4, 4}, {3, 6, 3, 6, 5, 2, 4, 4}, 150, T::kBrass, T::kBell, T::kPluck, T::kBass, A::kArpeggio,
       Drums::kBallad, 0.5, 0, false, 0.3, 0.65},
      // Battle: fast, driving, and it loops without a seam.
      {"battle.mp3", 1010, 52, Mode::kMinor, 152, 4, {0, 0, 5, 6, 0, 0, 3, 4},
       {5, 6, 0, 0, 5, 6, 4, 4}, {}, 50, T::kSquare, T::kBrass, T::kPluck, T::kSynthBass,
       A::kPulse, Drums::kDriving, 0.75, 0, true, 0.18, 0.4},
      // Victory: a bright fanfare.
      {"epiloge.mp3", 1111, 58, Mode::kMajor, 120, 4, {0, 3, 4, 0, 5, 1, 4, 0},
       {3, 4, 2, 5, 1, 4, 3, 4}, {}, 32, T::kBrass, T::kBell, T::kPiano, T::kBass, A::kStabs,
       Drums::kMarch, 0.55, 0, false, 0.3, 0.6},
  };
  // clang-format on
  return kTable;
}

}  // namespace qv::assetgen
