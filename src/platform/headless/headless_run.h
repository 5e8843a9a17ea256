#pragma once
// A whole headless run: read the script, start the game, play the script, close the window.
#include <cstdint>
#include <filesystem>
#include <ostream>

#include "core/game.h"

namespace qv::headless {

// Returns the program's exit code (see script_runner.h). A bad script is reported before the
// game starts, so a typo never half-plays a run.
int RunHeadless(const std::filesystem::path& script, const Paths& paths, uint32_t seed,
                std::ostream& out, std::ostream& err);

}  // namespace qv::headless
