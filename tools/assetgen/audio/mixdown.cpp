#include "mixdown.h"

#include <algorithm>

#include "rng.h"

namespace qv::assetgen {
namespace {

// Long enough for the room and the longest bell to die away below hearing.
constexpr double kLoopTail = 5.0;

}  // namespace

Stereo RenderScore(const PieceDef& piece, const Score& score) {
  size_t length = static_cast<size_t>(score.length * kMusicRate);
  size_t frames = length + (piece.loops ? static_cast<size_t>(kLoopTail * kMusicRate) : 0);
  Stereo tonal(kMusicRate, frames), drums(kMusicRate, frames);
  Rng rng(piece.seed ^ 0xA5A5A5A5ull);
  bool anyDrums = false;
  for (const NoteEvent& n : score.notes) {
    bool drum = IsDrum(n.timbre);
    anyDrums |= drum;
    RenderNote(drum ? drums : tonal, n, rng);
  }
  AddReverb(tonal, piece.reverb, piece.room, 0.35);
  if (anyDrums) AddReverb(drums, piece.reverb * 0.4, piece.room * 0.6, 0.5);
  for (size_t i = 0; i < frames; ++i) {
    tonal.left[i] += drums.left[i];
    tonal.right[i] += drums.right[i];
  }
  if (piece.loops) {
    for (size_t i = length; i < frames; ++i) {
      tonal.left[i - length] += tonal.left[i];
      tonal.right[i - length] += tonal.right[i];
    }
    tonal.left.resize(length);
    tonal.right.resize(length);
  } else {
    FadeEnds(tonal, 0.005, 1.5);
  }
  NormalizePeak(tonal, kMusicPeak);
  return tonal;
}

}  // namespace qv::assetgen
