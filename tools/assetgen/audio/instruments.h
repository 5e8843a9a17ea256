#pragma once
// The music's instruments: each renders one note into a buffer.
#include "dsp.h"
#include "rng.h"

namespace qv::assetgen {

enum class Timbre {
  kPluck,      // a plucked string (Karplus-Strong)
  kPad,        // three detuned saws under a soft filter, slow to rise
  kBell,       // an FM bell
  kPiano,      // an FM electric piano
  kFlute,      // a breathy sine lead with delayed vibrato
  kSquare,     // a bright filtered square lead
  kBrass,      // saws with an opening filter: fanfares
  kBass,       // a round plucked bass
  kSynthBass,  // a saw bass with a filter snap: driving pieces
  kKick,
  kSnare,
  kHat,
  kOpenHat,
  kShaker,
  kTom,
  kCrash,
};

// True for the unpitched drums, which stay out of the reverb.
bool IsDrum(Timbre t);

// One note of a piece. Drums ignore the pitch, except the tom, which uses it.
struct NoteEvent {
  double start = 0;   // seconds
  double length = 0;  // seconds the key is held; every timbre releases after it
  double pitch = 60;  // MIDI note number
  double velocity = 0.8;
  Timbre timbre = Timbre::kPluck;
  double pan = 0;
};

// Seconds a note of this timbre keeps sounding after its key is released.
double ReleaseSeconds(Timbre t);

// Adds one note to the buffer; noise comes from `rng` so the result is repeatable.
void RenderNote(Stereo& out, const NoteEvent& note, Rng& rng);

}  // namespace qv::assetgen
