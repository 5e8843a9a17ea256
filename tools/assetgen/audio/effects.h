#pragma once
// The game's sound effects: each one a few synthesised layers, stored in its own WAV format.
#include <string>
#include <vector>

#include "dsp.h"
#include "wav_writer.h"

namespace qv::assetgen {

// The sound a layer makes.
enum class Wave {
  kSine,
  kTriangle,
  kSquare,
  kPulse,  // a thin square, a quarter duty
  kSaw,
  kBell,      // two-operator FM with a fading metallic edge
  kNoise,     // white noise through a band filter centred on the pitch
  kNoiseLow,  // white noise through a low filter at the pitch: thumps and rumbles
};

// One layer of an effect. Pitches glide exponentially from fromHz to toHz over the layer.
struct Layer {
  Wave wave;
  double start, length;  // seconds
  double fromHz, toHz;
  double gain;
  double attack;    // seconds of linear rise
  double decay;     // exponential fall per second; 0 holds the level to the end
  double pan;       // -1 left .. 1 right
  double filterHz;  // a lowpass over the layer; 0 leaves it open
  double vibrato;   // semitones of a 5.5 Hz wobble
};

struct EffectDef {
  const char* name;  // file name in dat/
  WavFormat format;
  double level;   // loudness against the rest of the set, in dB (0 for most; within ±2)
  double reverb;  // wet share of the room; 0 keeps it dry
  std::vector<Layer> layers;
};

// Every effect the game plays, by file name.
const std::vector<EffectDef>& EffectTable();

// Renders one effect and masters it for the mixer: band-limited to its file's rate, free of
// DC, levelled with the rest of the set, faded at both ends.
Stereo RenderEffect(const EffectDef& def);

}  // namespace qv::assetgen
