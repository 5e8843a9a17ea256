#include "platform/headless/headless_run.h"

#include <optional>

#include "flow/startup.h"
#include "flow/tick.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/script_runner.h"
#include "platform/session/kept_play.h"
#include "platform/session/replay_recorder.h"
#include "platform/session/replay_run.h"
#include "platform/session/replay_snapshot.h"
#include "platform/session/session.h"
#include "platform/session/state_dump.h"
#include "platform/session/tick_driver.h"

namespace qv::headless {
namespace {

// Answers at the very top of a script are queued before the game starts, for the question
// asked then (another copy of the game holds the save folder); queued answers wait for the
// next question either way, so the script means the same.
Script QueueLeadingAnswers(const Script& script, HeadlessHost& host) {
  Script rest = script;
  auto& commands = rest.commands;
  auto first = commands.begin();
  while (first != commands.end() && first->kind == CommandKind::Answer) {
    host.QueueAnswer(first->flag);
    ++first;
  }
  commands.erase(commands.begin(), first);
  return rest;
}

// The exit code of a run that did not get past its start, if it did not.
std::optional<int> NotStarted(session::Start start) {
  switch (start) {
    case session::Start::kPlaying:
      return std::nullopt;
    case session::Start::kQuit:
      return session::kExitOk;
    case session::Start::kCannotStart:
      break;
  }
  return session::kExitBadInput;
}

}  // namespace

int RunHeadless(const std::filesystem::path& scriptPath, const Paths& paths, uint32_t seed,
                std::ostream& out, std::ostream& err, const ui::Catalog& catalog,
                const ScriptChecks& checks, session::TerminalCopy* terminal) {
  const Result<Script> script = LoadScript(scriptPath);
  if (!script.ok()) {
    err << "qv: " << script.message() << "\n";
    return session::kExitBadInput;
  }
  HeadlessHost host(out);
  const Script rest = QueueLeadingAnswers(*script, host);
  session::KeptPlay kept(host, terminal);
  kept.Begin(paths, seed, err);
  std::unique_ptr<session::Session> run =
      session::CreateSession(kept.GameHost(), paths, seed, catalog);
  const session::Start start = session::StartGame(*run, host);
  // Kept even when the game cannot start: that is a report's terminal lines too.
  kept.Settle(*run, err);
  if (const auto code = NotStarted(start)) {
    session::EndSession(*run);
    return *code;
  }
  kept.Observer().Started(*run->game);
  const int code = RunScript(rest, *run, host, out, err, &kept.Observer(), checks);
  if (code != session::kExitOk) err << "qv: " << scriptPath.string() << " failed\n";
  kept.Observer().Closing(*run->game);
  session::EndSession(*run);
  kept.Finish(err);
  return code;
}

int RunHeadlessRecorded(const std::filesystem::path& scriptPath,
                        const std::filesystem::path& recording, const Paths& paths, uint32_t seed,
                        std::ostream& out, std::ostream& err, const ui::Catalog& catalog,
                        session::TerminalCopy* terminal) {
  const Result<Script> script = LoadScript(scriptPath);
  if (!script.ok()) {
    err << "qv: " << script.message() << "\n";
    return session::kExitBadInput;
  }
  const Result<std::optional<std::string>> startSave = session::ReadStartSave(paths);
  if (!startSave.ok()) {
    err << "qv: " << startSave.message() << "\n";
    return session::kExitBadInput;
  }
  HeadlessHost host(out);
  const Script rest = QueueLeadingAnswers(*script, host);
  session::KeptPlay kept(host, terminal);
  kept.Begin(paths, seed, err);
  session::Recorder recorder(kept.GameHost());
  if (const Status opened = recorder.Open(recording, seed, *startSave); !opened.ok()) {
    err << "qv: " << opened.message() << "\n";
    return session::kExitWriteFailed;
  }
  std::unique_ptr<session::Session> run = session::CreateSession(recorder, paths, seed, catalog);
  const session::Start start = session::StartGame(*run, host);
  kept.Settle(*run, err);
  if (const auto code = NotStarted(start)) {
    session::EndSession(*run);
    return *code;
  }
  session::BothObservers both(recorder, kept.Observer());
  both.Started(*run->game);
  int code = RunScript(rest, *run, host, out, err, &both);
  if (code != session::kExitOk) err << "qv: " << scriptPath.string() << " failed\n";
  both.Closing(*run->game);
  session::EndSession(*run);
  kept.Finish(err);
  if (!recorder.WriteError().empty()) {
    err << "qv: " << recorder.WriteError() << "\n";
    if (code == session::kExitOk) code = session::kExitWriteFailed;
  }
  out << "recorded " << recorder.Ticks() << " ticks; final hash "
      << session::HashToText(recorder.FinalHash()) << "\n";
  return code;
}

int RunHeadlessReplay(const std::filesystem::path& file, const Paths& paths,
                      const std::string& dataDir, const std::filesystem::path& shotDir,
                      std::ostream& out, std::ostream& err, const ui::Catalog& catalog) {
  // Read whole first, so that a damaged recording is refused before anything plays; then
  // read again, an entry at a time, as it plays: the memory stays small whatever its length.
  const Result<session::RecordingCheck> checked = session::CheckRecordingFile(file);
  session::RecordingReader reader(file);
  if (!checked.ok() || !reader.ReadHeader()) {
    err << "qv: " << (checked.ok() ? reader.status() : checked.status()).message() << "\n";
    return session::kExitBadInput;
  }
  const session::Recording& r = checked->header;
  session::ReplayFolder folder;
  if (const Status prepared = folder.Prepare(r, dataDir); !prepared.ok()) {
    err << "qv: " << prepared.message() << "\n";
    return session::kExitWriteFailed;
  }
  HeadlessHost host(out);
  session::Replayer replayer(host, reader, checked->endTick, out);
  std::unique_ptr<session::Session> run =
      session::CreateSession(replayer, folder.PathsFor(paths), r.seed, catalog);
  if (!shotDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(shotDir, ec);
    replayer.WriteShots(run->screen, shotDir);
  }
  Game& g = *run->game;
  if (const auto code = NotStarted(session::StartGame(*run, host))) {
    session::EndSession(*run);
    return *code;
  }
  replayer.Started(g);
  while (!replayer.Done() && !host.Closed()) {
    host.Advance(session::SaneInterval(g));
    Timer1Timer(g);
    replayer.Ticked(g);
  }
  if (!shotDir.empty()) {
    // Where the recording ends: the picture and the state, as a script's dump writes it.
    const Status written = session::WriteSnapshotFiles(shotDir, "end", &run->screen.RenderWindow(g),
                                                       session::DumpState(g) + host.DumpRequests());
    if (!written.ok()) err << "qv: " << written.message() << "\n";
  }
  replayer.Closing(g);
  session::EndSession(*run);
  return session::ReportReplay(replayer, out, err);
}

}  // namespace qv::headless
