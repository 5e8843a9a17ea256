#include "platform/headless/script_runner.h"

#include <fstream>

#include "flow/tick.h"
#include "gfx/picture_file.h"
#include "platform/session/state_dump.h"
#include "platform/session/tick_driver.h"
#include "ui/input.h"

namespace qv::headless {
namespace {

class Runner {
 public:
  Runner(session::Session& s, HeadlessHost& host, std::ostream& out, std::ostream& err,
         session::PlayObserver* observer)
      : s_(s), g_(*s.game), host_(host), out_(out), err_(err), observer_(observer) {}

  // Runs one command; kExitOk to go on.
  int Run(const Command& c);

 private:
  int Fail(const Command& c, int code, const std::string& why) {
    err_ << "line " << c.lineNumber << ": " << why << "\n";
    return code;
  }

  session::Session& s_;
  Game& g_;
  HeadlessHost& host_;
  std::ostream& out_;
  std::ostream& err_;
  session::PlayObserver* observer_;
};

int Runner::Run(const Command& c) {
  switch (c.kind) {
    case CommandKind::Click:
      session::SendInput(g_, observer_, {session::InputKind::MouseDown, c.x, c.y, 0, c.flag, {}});
      if (!host_.Closed()) session::SendInput(g_, observer_, {session::InputKind::MouseUp, c.x, c.y, 0, c.flag, {}});
      return session::kExitOk;
    case CommandKind::Move:
      session::SendInput(g_, observer_, {session::InputKind::MouseMove, c.x, c.y, 0, false, {}});
      return session::kExitOk;
    case CommandKind::Wheel:
      session::SendInput(g_, observer_, {session::InputKind::MouseWheel, c.x, c.y, c.amount, false, {}});
      return session::kExitOk;
    case CommandKind::Key:
      session::SendInput(g_, observer_, {session::InputKind::KeyDown, 0, 0, c.amount, false, {}});
      if (!host_.Closed()) session::SendInput(g_, observer_, {session::InputKind::KeyUp, 0, 0, c.amount, false, {}});
      return session::kExitOk;
    case CommandKind::Type:
      session::SendInput(g_, observer_, {session::InputKind::Text, 0, 0, 0, false, c.text});
      return session::kExitOk;
    case CommandKind::Ticks:
      for (int32_t i = 0; i < c.amount && !host_.Closed(); ++i) {
        host_.Advance(session::SaneInterval(g_));
        Timer1Timer(g_);
        if (observer_) observer_->Ticked(g_);
      }
      return session::kExitOk;
    case CommandKind::Answer:
      host_.QueueAnswer(c.flag);
      return session::kExitOk;
    case CommandKind::Screenshot: {
      const std::string error = gfx::WritePng(s_.screen.RenderWindow(g_), c.text);
      if (!error.empty()) return Fail(c, session::kExitWriteFailed, "screenshot failed: " + error);
      return session::kExitOk;
    }
    case CommandKind::Dump: {
      const std::string dump = session::DumpState(g_) + host_.DumpRequests();
      if (c.text.empty()) {
        out_ << dump;
        return session::kExitOk;
      }
      std::ofstream file(c.text, std::ios::binary | std::ios::trunc);
      file << dump;
      file.close();
      if (!file) return Fail(c, session::kExitWriteFailed, "cannot write the dump to " + c.text);
      return session::kExitOk;
    }
    case CommandKind::Expect: {
      std::optional<std::string> actual = session::LookupStateValue(g_, c.text);
      if (!actual) actual = host_.RequestValue(c.text);
      if (!actual) return Fail(c, session::kExitBadInput, "expect: unknown key '" + c.text + "'");
      if (*actual != c.value) {
        return Fail(c, session::kExitExpectationFailed,
                    "expected " + c.text + " to be '" + c.value + "' but it is '" + *actual + "'");
      }
      return session::kExitOk;
    }
  }
  return session::kExitOk;
}

}  // namespace

int RunScript(const Script& script, session::Session& run, HeadlessHost& host, std::ostream& out,
              std::ostream& err, session::PlayObserver* observer) {
  Runner runner(run, host, out, err, observer);
  const auto& commands = script.commands;
  for (size_t i = 0; i < commands.size(); ++i) {
    const int code = runner.Run(commands[i]);
    if (code != session::kExitOk) return code;
    if (host.Closed()) {
      if (i + 1 < commands.size()) {
        out << "the game closed its window at line " << commands[i].lineNumber
            << "; the rest of the script is skipped\n";
      }
      break;
    }
  }
  if (host.PendingAnswers() > 0) {
    out << "note: " << host.PendingAnswers() << " queued answer(s) were never asked for\n";
  }
  return session::kExitOk;
}

}  // namespace qv::headless
