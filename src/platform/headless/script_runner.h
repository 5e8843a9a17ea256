#pragma once
// Runs a parsed script against a started session on the headless host.
#include <ostream>

#include "platform/headless/headless_host.h"
#include "platform/headless/replay_input.h"
#include "platform/headless/script.h"
#include "platform/headless/session.h"

namespace qv::headless {

// Exit codes of a run (and of the program).
constexpr int kExitOk = 0;
constexpr int kExitExpectationFailed = 1;
constexpr int kExitBadInput = 2;     // bad command line, bad or missing script, unknown key
constexpr int kExitWriteFailed = 3;  // a screenshot or dump could not be written

// Plays the commands in order; stops at the first failed expectation, at a file that could
// not be written, or when the game closes the window. Notes go to `out`, failures to `err`.
// An observer (a recording) sees every input and tick.
int RunScript(const Script& script, Session& session, HeadlessHost& host, std::ostream& out,
              std::ostream& err, PlayObserver* observer = nullptr);

}  // namespace qv::headless
