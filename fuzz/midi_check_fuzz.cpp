// MIDI files before they reach the synthesiser: any bytes are checked without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sound/midi_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const qv::Result<qv::sound::MidiTune> r = qv::sound::CheckMidi({data, size});
  if (r.ok() && (r->durationMs < 0 || r->durationMs > qv::sound::kMaxMidiMs || r->tracks < 1 ||
                 r->tracks > qv::sound::kMaxMidiTracks)) {
    std::abort();
  }
  if (!r.ok() && r.message().empty()) std::abort();
  return 0;
}
