#pragma once
// Our own reader of standard MIDI files: a tune reaches the synthesiser only when its every
// chunk and event is well formed and it is not absurdly long.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/status.h"

namespace qv::sound {

constexpr std::size_t kMaxMidiFileBytes = 1u << 20;
constexpr int32_t kMaxMidiTracks = 64;
constexpr int64_t kMaxMidiMs = 10 * 60 * 1000;  // the game's tunes last seconds, not hours

// A bank and program a channel can sound with (bank 128: the drum kits of channel 10).
struct MidiInstrument {
  int32_t bank = 0;
  int32_t program = 0;
  auto operator<=>(const MidiInstrument&) const = default;
};

// What the check learns of a good tune.
struct MidiTune {
  int64_t durationMs = 0;  // playing time of the longest track
  int32_t tracks = 0;
  // Every instrument a note of the tune may sound with, at most once each: for each channel
  // with notes, its banks (from bank select) by its programs, the ones it starts with included.
  std::vector<MidiInstrument> instruments;
};

// Checks the header, the track count, each track's length, every event (running status
// included), that each track ends with an end-of-track event, and the playing time. A fault
// fails with what is wrong (and the byte offset, within a track).
Result<MidiTune> CheckMidi(std::span<const uint8_t> bytes);

}  // namespace qv::sound
