#pragma once
// A whole windowed run: open the window and the sound, start the game, loop until it closes.
#include <cstdint>
#include <filesystem>
#include <ostream>

#include "core/game.h"
#include "platform/sdl/replay_window.h"
#include "platform/sdl/sdl_host.h"

namespace qv::sdl {

// Exit code when no window can be opened (no display).
constexpr int kExitNoWindow = 4;

// Returns the program's exit code; messages go to `err`.
// `desktop` holds the player's settings (volumes, soundfont, mixer file) and where changes
// made with the desktop keys are kept. `play` records or replays the run.
int RunWindowed(const WindowOptions& options, const Paths& paths,
                const std::filesystem::path& programDir, uint32_t seed, std::ostream& err,
                const DesktopSetup& desktop = {}, const PlayOptions& play = {});

}  // namespace qv::sdl
