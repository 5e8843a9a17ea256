#include "platform/headless/headless_run.h"

#include "flow/startup.h"
#include "flow/tick.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/script_runner.h"
#include "platform/session/replay_recorder.h"
#include "platform/session/replay_run.h"
#include "platform/session/session.h"
#include "platform/session/tick_driver.h"

namespace qv::headless {

int RunHeadless(const std::filesystem::path& scriptPath, const Paths& paths, uint32_t seed,
                std::ostream& out, std::ostream& err) {
  const Script script = LoadScript(scriptPath);
  if (!script.Ok()) {
    err << "qv: " << script.error << "\n";
    return session::kExitBadInput;
  }
  HeadlessHost host(out);
  std::unique_ptr<session::Session> run = session::StartSession(host, paths, seed);
  const int code = RunScript(script, *run, host, out, err);
  if (code != session::kExitOk) err << "qv: " << scriptPath.string() << " failed\n";
  session::EndSession(*run);
  return code;
}

int RunHeadlessRecorded(const std::filesystem::path& scriptPath,
                        const std::filesystem::path& recording, const Paths& paths, uint32_t seed,
                        std::ostream& out, std::ostream& err) {
  const Script script = LoadScript(scriptPath);
  if (!script.Ok()) {
    err << "qv: " << script.error << "\n";
    return session::kExitBadInput;
  }
  std::optional<std::string> startSave;
  std::string error;
  if (!session::ReadStartSave(paths, startSave, error)) {
    err << "qv: " << error << "\n";
    return session::kExitBadInput;
  }
  HeadlessHost host(out);
  session::Recorder recorder(host);
  if (!recorder.Open(recording, seed, startSave, error)) {
    err << "qv: " << error << "\n";
    return session::kExitWriteFailed;
  }
  std::unique_ptr<session::Session> run = session::CreateSession(recorder, paths, seed);
  FormCreate(*run->game);
  recorder.Started(*run->game);
  int code = RunScript(script, *run, host, out, err, &recorder);
  if (code != session::kExitOk) err << "qv: " << scriptPath.string() << " failed\n";
  recorder.Closing(*run->game);
  session::EndSession(*run);
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
                      std::ostream& out, std::ostream& err) {
  const session::RecordingParse parsed = session::LoadRecording(file);
  if (!parsed.Ok()) {
    err << "qv: " << parsed.error << "\n";
    return session::kExitBadInput;
  }
  const session::Recording& r = parsed.recording;
  session::ReplayFolder folder;
  std::string error;
  if (!folder.Prepare(r, dataDir, error)) {
    err << "qv: " << error << "\n";
    return session::kExitWriteFailed;
  }
  HeadlessHost host(out);
  session::Replayer replayer(host, r, out);
  std::unique_ptr<session::Session> run = session::CreateSession(replayer, folder.PathsFor(paths), r.seed);
  if (!shotDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(shotDir, ec);
    replayer.WriteShots(run->screen, shotDir);
  }
  Game& g = *run->game;
  FormCreate(g);
  replayer.Started(g);
  while (!replayer.Done() && !host.Closed()) {
    host.Advance(session::SaneInterval(g));
    Timer1Timer(g);
    replayer.Ticked(g);
  }
  replayer.Closing(g);
  session::EndSession(*run);
  return session::ReportReplay(replayer, out, err);
}

}  // namespace qv::headless
