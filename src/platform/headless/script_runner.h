#pragma once
// Runs a parsed script against a started session on the headless host.
#include <filesystem>
#include <ostream>

#include "platform/headless/headless_host.h"
#include "platform/headless/script.h"
#include "platform/session/replay_input.h"
#include "platform/session/session.h"

namespace qv::headless {

// Checks a test run makes besides the script's own expectations.
struct ScriptChecks {
  // After every command, every text on the screen must fit its place and have a translation
  // (a run in another language); the problems are listed at the end and fail the run.
  bool texts = false;
  // Every screenshot is compared with the picture of the same name in this folder (small
  // differences of font smoothing allowed); with `updateGolden` it is written there instead.
  std::filesystem::path goldenDir;
  bool updateGolden = false;
};

// Plays the commands in order; stops at the first failed expectation, at a file that could
// not be written, or when the game closes the window. Notes go to `out`, failures to `err`.
// An observer (a recording) sees every input and tick.
int RunScript(const Script& script, session::Session& run, HeadlessHost& host, std::ostream& out,
              std::ostream& err, session::PlayObserver* observer = nullptr,
              const ScriptChecks& checks = {});

}  // namespace qv::headless
