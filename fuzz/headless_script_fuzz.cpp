// Feeds arbitrary bytes to the headless script reader. A script either parses or names the
// line that stopped it; a parsed one holds only commands within the reader's own limits.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/headless/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace h = qv::headless;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const qv::Result<h::Script> script = h::ParseScript(text, "fuzz");
  if (!script.ok()) {
    // A refusal always names the line (or the size).
    if (script.message().rfind("fuzz:", 0) != 0) std::abort();
    return 0;
  }
  int previousLine = 0;
  for (const h::Command& c : script->commands) {
    if (c.lineNumber <= previousLine) std::abort();
    previousLine = c.lineNumber;
    if (c.text.size() > h::kMaxLineBytes || c.value.size() > h::kMaxLineBytes) std::abort();
    switch (c.kind) {
      case h::CommandKind::Click:
      case h::CommandKind::Move:
      case h::CommandKind::Wheel:
        if (c.x < 0 || c.x > 639 || c.y < 0 || c.y > 479) std::abort();
        if (c.kind == h::CommandKind::Wheel &&
            (c.amount < -h::kMaxWheelDelta || c.amount > h::kMaxWheelDelta)) {
          std::abort();
        }
        break;
      case h::CommandKind::Ticks:
        if (c.amount < 0 || c.amount > h::kMaxTicksPerLine) std::abort();
        break;
      default:
        break;
    }
  }
  return 0;
}
