#include "platform/headless/script_runner.h"

#include <fstream>

#include "core/tick.h"
#include "gfx/picture_file.h"
#include "platform/headless/state_dump.h"
#include "platform/headless/tick_driver.h"
#include "ui/input.h"

namespace qv::headless {
namespace {

class Runner {
 public:
  Runner(Session& s, HeadlessHost& host, std::ostream& out, std::ostream& err,
         PlayObserver* observer)
      : s_(s), g_(*s.game), host_(host), out_(out), err_(err), observer_(observer) {}

  // Runs one command; kExitOk to go on.
  int Run(const Command& c);

 private:
  int Fail(const Command& c, int code, const std::string& why) {
    err_ << "line " << c.lineNumber << ": " << why << "\n";
    return code;
  }

  Session& s_;
  Game& g_;
  HeadlessHost& host_;
  std::ostream& out_;
  std::ostream& err_;
  PlayObserver* observer_;
};

int Runner::Run(const Command& c) {
  switch (c.kind) {
    case CommandKind::Click:
      SendInput(g_, observer_, {InputKind::MouseDown, c.x, c.y, 0, c.flag, {}});
      if (!host_.Closed()) SendInput(g_, observer_, {InputKind::MouseUp, c.x, c.y, 0, c.flag, {}});
      return kExitOk;
    case CommandKind::Move:
      SendInput(g_, observer_, {InputKind::MouseMove, c.x, c.y, 0, false, {}});
      return kExitOk;
    case CommandKind::Wheel:
      SendInput(g_, observer_, {InputKind::MouseWheel, c.x, c.y, c.amount, false, {}});
      return kExitOk;
    case CommandKind::Key:
      SendInput(g_, observer_, {InputKind::KeyDown, 0, 0, c.amount, false, {}});
      if (!host_.Closed()) SendInput(g_, observer_, {InputKind::KeyUp, 0, 0, c.amount, false, {}});
      return kExitOk;
    case CommandKind::Type:
      SendInput(g_, observer_, {InputKind::Text, 0, 0, 0, false, c.text});
      return kExitOk;
    case CommandKind::Ticks:
      for (int32_t i = 0; i < c.amount && !host_.Closed(); ++i) {
        host_.Advance(SaneInterval(g_));
        Timer1Timer(g_);
        if (observer_) observer_->Ticked(g_);
      }
      return kExitOk;
    case CommandKind::Answer:
      host_.QueueAnswer(c.flag);
      return kExitOk;
    case CommandKind::Screenshot: {
      const std::string error = gfx::WritePng(s_.screen.RenderWindow(g_), c.text);
      if (!error.empty()) return Fail(c, kExitWriteFailed, "screenshot failed: " + error);
      return kExitOk;
    }
    case CommandKind::Dump: {
      const std::string dump = DumpState(g_, &host_);
      if (c.text.empty()) {
        out_ << dump;
        return kExitOk;
      }
      std::ofstream file(c.text, std::ios::binary | std::ios::trunc);
      file << dump;
      file.close();
      if (!file) return Fail(c, kExitWriteFailed, "cannot write the dump to " + c.text);
      return kExitOk;
    }
    case CommandKind::Expect: {
      const std::optional<std::string> actual = LookupStateValue(g_, &host_, c.text);
      if (!actual) return Fail(c, kExitBadInput, "expect: unknown key '" + c.text + "'");
      if (*actual != c.value) {
        return Fail(c, kExitExpectationFailed,
                    "expected " + c.text + " to be '" + c.value + "' but it is '" + *actual + "'");
      }
      return kExitOk;
    }
  }
  return kExitOk;
}

}  // namespace

int RunScript(const Script& script, Session& session, HeadlessHost& host, std::ostream& out,
              std::ostream& err, PlayObserver* observer) {
  Runner runner(session, host, out, err, observer);
  const auto& commands = script.commands;
  for (size_t i = 0; i < commands.size(); ++i) {
    const int code = runner.Run(commands[i]);
    if (code != kExitOk) return code;
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
  return kExitOk;
}

}  // namespace qv::headless
