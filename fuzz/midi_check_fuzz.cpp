// MIDI files before they reach the synthesiser: any bytes are checked without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sound/midi_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::sound::MidiCheck r = qv::sound::CheckMidi({data, size});
  if (r.ok && (r.durationMs < 0 || r.durationMs > qv::sound::kMaxMidiMs || r.tracks < 1 ||
               r.tracks > qv::sound::kMaxMidiTracks)) {
    std::abort();
  }
  return 0;
}
