#pragma once
// Our own reader of standard MIDI files: a tune reaches the synthesiser only when its every
// chunk and event is well formed and it is not absurdly long.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qv::sound {

constexpr std::size_t kMaxMidiFileBytes = 1u << 20;
constexpr int32_t kMaxMidiTracks = 64;
constexpr int64_t kMaxMidiMs = 10 * 60 * 1000;  // the game's tunes last seconds, not hours

struct MidiCheck {
  bool ok = false;
  std::string error;       // what is wrong, with the byte offset
  int64_t durationMs = 0;  // playing time of the longest track
  int32_t tracks = 0;
};

// Checks the header, the track count, each track's length, every event (running status
// included), that each track ends with an end-of-track event, and the playing time.
MidiCheck CheckMidi(std::span<const uint8_t> bytes);

}  // namespace qv::sound
