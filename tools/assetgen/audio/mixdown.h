#pragma once
// Turning a composed score into finished stereo sound.
#include "composer.h"
#include "dsp.h"

namespace qv::assetgen {

constexpr int kMusicRate = 44100;
// Peak level of every finished tune: a decibel of headroom for the MP3 encoder's overshoot.
constexpr double kMusicPeak = 0.89;

// Plays every note, adds the room, levels the result. A looping piece has the tails of its
// last notes folded onto its start, so its end flows straight back into its beginning.
Stereo RenderScore(const PieceDef& piece, const Score& score);

}  // namespace qv::assetgen
