#include "platform/headless/replay_run.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/startup.h"
#include "core/tick.h"
#include "persist/save.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/replay_recorder.h"
#include "platform/headless/script_runner.h"
#include "platform/headless/session.h"
#include "platform/headless/tick_driver.h"

namespace qv::headless {

bool ReadStartSave(const Paths& paths, std::optional<std::string>& save, std::string& error) {
  save.reset();
  const std::filesystem::path file = paths.saveDir / persist::kSaveFileName;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return true;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec || size > kMaxStartSaveBytes) {
    error = file.string() + (ec ? ": cannot read it" : ": larger than 4 MiB");
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    error = file.string() + ": cannot read it";
    return false;
  }
  save = std::move(bytes);
  return true;
}

ReplayFolder::~ReplayFolder() {
  if (!scratch_) return;
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

bool ReplayFolder::Prepare(const Recording& r, const std::string& dataDir, std::string& error) {
  std::error_code ec;
  if (dataDir.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "qv-replay-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) {
      error = "cannot make a scratch folder for the replay";
      return false;
    }
    dir_ = pattern;
    scratch_ = true;
  } else {
    dir_ = dataDir;
    std::filesystem::create_directories(dir_, ec);
    if (std::filesystem::exists(dir_ / persist::kSaveFileName, ec)) {
      error = dataDir + " already holds a my.dat; a replay writes its own (use an empty folder)";
      return false;
    }
  }
  if (!r.startSave) return true;
  std::ofstream out(dir_ / persist::kSaveFileName, std::ios::binary | std::ios::trunc);
  out << *r.startSave;
  out.close();
  if (!out) {
    error = "cannot write the recording's start save into " + dir_.string();
    return false;
  }
  return true;
}

Paths ReplayFolder::PathsFor(const Paths& program) const {
  Paths p = program;
  p.saveDir = dir_;
  p.recordDir = dir_;
  return p;
}

int RunHeadlessRecorded(const std::filesystem::path& scriptPath,
                        const std::filesystem::path& recording, const Paths& paths, uint32_t seed,
                        std::ostream& out, std::ostream& err) {
  const Script script = LoadScript(scriptPath);
  if (!script.Ok()) {
    err << "qv: " << script.error << "\n";
    return kExitBadInput;
  }
  std::optional<std::string> startSave;
  std::string error;
  if (!ReadStartSave(paths, startSave, error)) {
    err << "qv: " << error << "\n";
    return kExitBadInput;
  }
  HeadlessHost host(out);
  Recorder recorder(host);
  if (!recorder.Open(recording, seed, startSave, error)) {
    err << "qv: " << error << "\n";
    return kExitWriteFailed;
  }
  std::unique_ptr<Session> session = CreateSession(recorder, paths, seed);
  FormCreate(*session->game);
  recorder.Started(*session->game);
  int code = RunScript(script, *session, host, out, err, &recorder);
  if (code != kExitOk) err << "qv: " << scriptPath.string() << " failed\n";
  recorder.Closing(*session->game);
  EndSession(*session);
  if (!recorder.WriteError().empty()) {
    err << "qv: " << recorder.WriteError() << "\n";
    if (code == kExitOk) code = kExitWriteFailed;
  }
  out << "recorded " << recorder.Ticks() << " ticks; final hash "
      << HashToText(recorder.FinalHash()) << "\n";
  return code;
}

int RunHeadlessReplay(const std::filesystem::path& file, const Paths& paths,
                      const std::string& dataDir, const std::filesystem::path& shotDir,
                      std::ostream& out, std::ostream& err) {
  const RecordingParse parsed = LoadRecording(file);
  if (!parsed.Ok()) {
    err << "qv: " << parsed.error << "\n";
    return kExitBadInput;
  }
  const Recording& r = parsed.recording;
  ReplayFolder folder;
  std::string error;
  if (!folder.Prepare(r, dataDir, error)) {
    err << "qv: " << error << "\n";
    return kExitWriteFailed;
  }
  HeadlessHost host(out);
  Replayer replayer(host, r, out);
  std::unique_ptr<Session> session = CreateSession(replayer, folder.PathsFor(paths), r.seed);
  if (!shotDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(shotDir, ec);
    replayer.WriteShots(session->screen, shotDir);
  }
  Game& g = *session->game;
  FormCreate(g);
  replayer.Started(g);
  while (!replayer.Done() && !host.Closed()) {
    host.Advance(SaneInterval(g));
    Timer1Timer(g);
    replayer.Ticked(g);
  }
  replayer.Closing(g);
  EndSession(*session);
  return ReportReplay(replayer, out, err);
}

int ReportReplay(const Replayer& r, std::ostream& out, std::ostream& err) {
  const std::string hash = HashToText(r.FinalHash());
  switch (r.Outcome()) {
    case ReplayOutcome::Same:
      out << "replay matches: " << r.ChecksPassed() << " checks over " << r.Ticks()
          << " ticks; final hash " << hash << "\n";
      return kExitOk;
    case ReplayOutcome::Cut:
      out << "note: " << r.Verdict() << "\n"
          << "replayed " << r.Ticks() << " ticks, " << r.ChecksPassed()
          << " checks matched; final hash " << hash << "\n";
      return kExitOk;
    case ReplayOutcome::Differs:
    case ReplayOutcome::Unfinished:
    case ReplayOutcome::Playing:
      break;
  }
  err << "qv: replay " << (r.Outcome() == ReplayOutcome::Differs ? "differs" : "stopped") << ": "
      << r.Verdict() << "\n";
  out << "replayed " << r.Ticks() << " ticks, " << r.ChecksPassed()
      << " checks matched; final hash " << hash << "\n";
  return kExitExpectationFailed;
}

}  // namespace qv::headless
