#pragma once
// Runs a parsed script against a started session on the headless host.
#include <ostream>

#include "platform/headless/headless_host.h"
#include "platform/headless/script.h"
#include "platform/session/replay_input.h"
#include "platform/session/session.h"

namespace qv::headless {

// Plays the commands in order; stops at the first failed expectation, at a file that could
// not be written, or when the game closes the window. Notes go to `out`, failures to `err`.
// An observer (a recording) sees every input and tick.
int RunScript(const Script& script, session::Session& run, HeadlessHost& host, std::ostream& out,
              std::ostream& err, session::PlayObserver* observer = nullptr);

}  // namespace qv::headless
