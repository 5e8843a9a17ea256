#pragma once
// The desktop's D-Bus session bus, which SDL's video start asks for (input methods, the
// screensaver). Where no session bus can be found, libdbus would start one of its own
// ("autolaunch": a dbus-launch process, and often a bus daemon left running after the game):
// a fork on every start for nothing, since no input method waits on a bus that did not exist.
#include <string>

namespace qv::sdl {

// Where a session bus may be found: the environment's address, the user bus in the runtime
// folder, or a bus an earlier autolaunch started for this user (its address files are kept in
// ~/.dbus/session-bus/). Empty or null values count as absent.
struct BusPlaces {
  const char* address = nullptr;     // DBUS_SESSION_BUS_ADDRESS
  const char* runtimeDir = nullptr;  // XDG_RUNTIME_DIR
  const char* home = nullptr;        // HOME
};

// True when a session bus exists or may exist at one of those places.
bool SessionBusMayExist(const BusPlaces& places);

// The address that keeps libdbus from autolaunching: one it cannot connect to.
inline constexpr const char* kNoSessionBus = "disabled:";

// Before SDL's video starts: when no session bus may exist, points libdbus at kNoSessionBus
// (in this process's environment) so that it does not start one. A bus that exists is used as
// before. True when the address was set.
bool KeepBusFromAutolaunching();

}  // namespace qv::sdl
