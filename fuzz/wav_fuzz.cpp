// Wave files as the mixer reads them: any bytes give a wave or an EMixerError, nothing else.
#include <cstddef>
#include <cstdint>

#include "sound/mixer_error.h"
#include "sound/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (int32_t rate : {11025, 44100}) {
    try {
      qv::sound::ParseWave({data, size}, "fuzz.wav", {1, rate, 8});
    } catch (const qv::sound::EMixerError&) {
    }
  }
  return 0;
}
