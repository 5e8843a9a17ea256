// qv.ini text: any bytes give settings within their limits, and every message about a bad line
// reaches the terminal with its control bytes escaped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> messages;
  const qv::platform::Settings s =
      qv::platform::ParseSettings({reinterpret_cast<const char*>(data), size}, "qv.ini", messages);
  if (s.scale < 0 || s.scale > qv::platform::kMaxSettingsScale || s.effectsVolume < 0 ||
      s.effectsVolume > qv::platform::kMaxVolume || s.musicVolume < 0 ||
      s.musicVolume > qv::platform::kMaxVolume) {
    std::abort();
  }
  for (const std::string& m : messages) {
    for (char c : m) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
    }
  }
  return 0;
}
