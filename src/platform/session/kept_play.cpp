#include "platform/session/kept_play.h"

#include "platform/session/replay_run.h"

namespace qv::session {

void KeptPlay::Begin(const Paths& paths, uint32_t seed, std::ostream& err) {
  const Result<std::optional<std::string>> startSave = ReadStartSave(paths);
  Status begun = startSave.ok() ? recorder_.Begin(seed, *startSave, kMaxKeptRecordingBytes)
                                : Status(startSave.status());
  if (!begun.ok()) {
    recorder_.Forget();
    err << "qv: this play is not kept for a bug report: " << begun.message() << "\n";
  }
}

void KeptPlay::Settle(const Session& run, std::ostream& err) {
  if (run.saveFolder.state() != files::FolderLock::State::kHeld) {
    recorder_.Forget();
    return;
  }
  const std::filesystem::path& folder = run.game->paths.saveDir;
  if (terminal_) terminal_->KeepIn(folder / kKeptTerminalName);
  file_ = folder / kKeptRecordingName;
  // The last run's recording gives way; a link in its place is removed, never written through.
  std::error_code ec;
  std::filesystem::remove(file_, ec);
  if (const Status kept = recorder_.Keep(file_); !kept.ok()) {
    recorder_.Forget();
    err << "qv: this play is not kept for a bug report: " << kept.message() << "\n";
  }
}

void KeptPlay::Finish(std::ostream& err) {
  if (!recorder_.WriteError().empty()) {
    err << "qv: " << recorder_.WriteError() << " (the save is not affected)\n";
  } else if (recorder_.Cut()) {
    err << "qv: " << file_.string() << " reached " << kMaxKeptRecordingBytes / (1024 * 1024)
        << " MiB and holds only the start of this play\n";
  }
}

void BothObservers::Started(Game& g) {
  first_.Started(g);
  second_.Started(g);
}

void BothObservers::Input(Game& g, const InputEvent& e) {
  first_.Input(g, e);
  second_.Input(g, e);
}

void BothObservers::Ticked(Game& g) {
  first_.Ticked(g);
  second_.Ticked(g);
}

void BothObservers::Snapshot(Game& g, int32_t n) {
  first_.Snapshot(g, n);
  second_.Snapshot(g, n);
}

void BothObservers::Closing(Game& g) {
  first_.Closing(g);
  second_.Closing(g);
}

}  // namespace qv::session
