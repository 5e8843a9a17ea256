#include "platform/headless/script_runner.h"

#include <algorithm>
#include <fstream>
#include <utility>
#include <vector>

#include "flow/tick.h"
#include "gfx/picture_file.h"
#include "gfx/picture_match.h"
#include "platform/session/state_dump.h"
#include "platform/session/tick_driver.h"
#include "ui/input.h"
#include "ui/translator.h"

namespace qv::headless {
namespace {

// A screenshot against its reviewed picture (with the tolerance of MatchPicture).
std::string CompareWithGolden(const gfx::Bitmap& actual, const std::filesystem::path& golden) {
  const Result<gfx::Bitmap> expected = gfx::LoadPicture(golden);
  if (!expected.ok()) {
    return "no reviewed picture " + golden.string() + " (" + expected.message() + ")";
  }
  const gfx::PictureMatch match = gfx::MatchPicture(actual, *expected);
  if (!match.sameSize) return "the picture's size differs from " + golden.string();
  if (!match.Matches()) {
    return std::to_string(match.pixelsOff) + " pixels differ from " + golden.string();
  }
  return {};
}

class Runner {
 public:
  Runner(session::Session& s, HeadlessHost& host, std::ostream& out, std::ostream& err,
         session::PlayObserver* observer, const ScriptChecks& checks)
      : s_(s),
        g_(*s.game),
        host_(host),
        out_(out),
        err_(err),
        observer_(observer),
        checks_(checks) {}

  // Runs one command; session::kExitOk to go on.
  int Run(const Command& c);
  // The texts on the screen after a command (ScriptChecks::texts).
  void CheckTexts(const Command& c);
  // Reports what the text checks found; session::kExitOk when nothing.
  int TextReport();

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
  const ScriptChecks& checks_;
  size_t boxesSeen_ = 0;
  std::vector<std::pair<int, std::string>> problems_;  // line, problem; each problem once
};

void Runner::CheckTexts(const Command& c) {
  if (!checks_.texts) return;
  // The boxes shown since the last command, as the window would show them.
  for (; boxesSeen_ < host_.Boxes().size(); ++boxesSeen_)
    s_.screen.Texts().Shown(g_, host_.Boxes()[boxesSeen_]);
  for (std::string& p : s_.screen.TextProblems(g_)) {
    const bool known = std::any_of(problems_.begin(), problems_.end(),
                                   [&](const auto& q) { return q.second == p; });
    if (!known) problems_.emplace_back(c.lineNumber, std::move(p));
  }
}

int Runner::TextReport() {
  for (const auto& [line, problem] : problems_) err_ << "line " << line << ": " << problem << "\n";
  return problems_.empty() ? session::kExitOk : session::kExitExpectationFailed;
}

int Runner::Run(const Command& c) {
  switch (c.kind) {
    case CommandKind::Click:
      session::SendInput(g_, observer_, {session::InputKind::MouseDown, c.x, c.y, 0, c.flag, {}});
      if (!host_.Closed())
        session::SendInput(g_, observer_, {session::InputKind::MouseUp, c.x, c.y, 0, c.flag, {}});
      return session::kExitOk;
    case CommandKind::Move:
      session::SendInput(g_, observer_, {session::InputKind::MouseMove, c.x, c.y, 0, false, {}});
      return session::kExitOk;
    case CommandKind::Wheel:
      session::SendInput(g_, observer_,
                         {session::InputKind::MouseWheel, c.x, c.y, c.amount, false, {}});
      return session::kExitOk;
    case CommandKind::Key:
      session::SendInput(g_, observer_, {session::InputKind::KeyDown, 0, 0, c.amount, false, {}});
      if (!host_.Closed())
        session::SendInput(g_, observer_, {session::InputKind::KeyUp, 0, 0, c.amount, false, {}});
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
      const gfx::Bitmap& picture = s_.screen.RenderWindow(g_);
      if (const Status shot = gfx::WritePng(picture, c.text); !shot.ok()) {
        return Fail(c, session::kExitWriteFailed, "screenshot failed: " + shot.message());
      }
      if (checks_.goldenDir.empty()) return session::kExitOk;
      const std::filesystem::path golden = checks_.goldenDir / c.text;
      if (checks_.updateGolden) {
        std::error_code ec;
        std::filesystem::create_directories(checks_.goldenDir, ec);
        return gfx::WritePng(picture, golden).ok()
                   ? session::kExitOk
                   : Fail(c, session::kExitWriteFailed, "cannot write " + golden.string());
      }
      const std::string differs = CompareWithGolden(picture, golden);
      if (!differs.empty())
        return Fail(c, session::kExitExpectationFailed, "screenshot " + c.text + ": " + differs);
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
              std::ostream& err, session::PlayObserver* observer, const ScriptChecks& checks) {
  Runner runner(run, host, out, err, observer, checks);
  const auto& commands = script.commands;
  for (size_t i = 0; i < commands.size(); ++i) {
    const int code = runner.Run(commands[i]);
    if (code != session::kExitOk) return code;
    if (!host.Closed()) runner.CheckTexts(commands[i]);
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
  return runner.TextReport();
}

}  // namespace qv::headless
