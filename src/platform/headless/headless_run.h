#pragma once
// Whole headless runs: read the script, start the game, play the script, close the window;
// the same with a recording written down, and a recording played back.
#include <cstdint>
#include <filesystem>
#include <ostream>

#include "core/game.h"
#include "platform/headless/script_runner.h"
#include "platform/session/terminal_copy.h"
#include "ui/catalog.h"

namespace qv::headless {

// Returns the program's exit code (see script_runner.h). A bad script is reported before the
// game starts, so a typo never half-plays a run.
// The texts are shown in the language of `catalog`. Like a windowed run, a scripted run keeps
// its recording and terminal lines in the save folder for a bug report (see kept_play.h);
// `terminal` is the program's terminal copy, when it has one.
int RunHeadless(const std::filesystem::path& script, const Paths& paths, uint32_t seed,
                std::ostream& out, std::ostream& err, const ui::Catalog& catalog = {},
                const ScriptChecks& checks = {}, session::TerminalCopy* terminal = nullptr);

// qv --headless --script FILE --record FILE: the script's run, written down as it plays.
int RunHeadlessRecorded(const std::filesystem::path& script, const std::filesystem::path& recording,
                        const Paths& paths, uint32_t seed, std::ostream& out, std::ostream& err,
                        const ui::Catalog& catalog = {}, session::TerminalCopy* terminal = nullptr);

// qv --headless --replay FILE: plays a recording without a window, as fast as it goes.
// Snapshots named in it are written to `shotDir` when one is given, and where it ends, the
// picture and the state dump as shot-end.png and dump-end.txt.
int RunHeadlessReplay(const std::filesystem::path& recording, const Paths& paths,
                      const std::string& dataDir, const std::filesystem::path& shotDir,
                      std::ostream& out, std::ostream& err, const ui::Catalog& catalog = {});

}  // namespace qv::headless
