// MIXER.INI text: any bytes give settings within their limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sound/mixer_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::sound::ProfileFile ini;
  ini.AddText({reinterpret_cast<const char*>(data), size});
  for (std::string_view device : {"Fake Out", "SDL audio", "Unknown Device"}) {
    qv::sound::MixerSettings s = qv::sound::ReadMixerSettings(ini, device, 2);
    if (s.waveBlocks < 2 || s.waveBlocks > 6 || s.waveBlockLen < 512 || s.waveBlockLen > 4096 ||
        s.waveBlockLen % 4 != 0 || s.waveOutDevice < -1 || s.waveOutDevice > 1 ||
        (s.samplesPerSec != 11025 && s.samplesPerSec != 22050 && s.samplesPerSec != 44100)) {
      std::abort();
    }
  }
  return 0;
}
