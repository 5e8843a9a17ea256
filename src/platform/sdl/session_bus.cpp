#include "platform/sdl/session_bus.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qv::sdl {
namespace {

bool Given(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

bool SessionBusMayExist(const BusPlaces& places) {
  namespace fs = std::filesystem;
  if (Given(places.address)) return true;
  std::error_code ec;
  if (Given(places.runtimeDir) && fs::is_socket(fs::path(places.runtimeDir) / "bus", ec)) {
    return true;
  }
  if (Given(places.home)) {
    // dbus-launch finds an autolaunched bus through the display and notes its address here;
    // any note means such a bus may still be running, and libdbus is left to look for it.
    const fs::path notes = fs::path(places.home) / ".dbus" / "session-bus";
    if (fs::is_directory(notes, ec) && !fs::is_empty(notes, ec) && !ec) return true;
  }
  return false;
}

bool KeepBusFromAutolaunching() {
  const BusPlaces places{std::getenv("DBUS_SESSION_BUS_ADDRESS"), std::getenv("XDG_RUNTIME_DIR"),
                         std::getenv("HOME")};
  if (SessionBusMayExist(places)) return false;
  return setenv("DBUS_SESSION_BUS_ADDRESS", kNoSessionBus, 1) == 0;
}

}  // namespace qv::sdl
