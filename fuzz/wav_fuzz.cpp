// Wave files as the mixer reads them: any bytes give a wave or a failure with its message.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sound/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (int32_t rate : {11025, 44100}) {
    const qv::Result<qv::sound::Wave> wave =
        qv::sound::ParseWave({data, size}, "fuzz.wav", {1, rate, 8});
    if (wave.ok() ? wave->data.empty() : wave.message().empty()) std::abort();
  }
  return 0;
}
