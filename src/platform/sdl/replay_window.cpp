#include "platform/sdl/replay_window.h"

#include <iostream>

#include "platform/session/session.h"

namespace qv::sdl {

WindowedPlay::WindowedPlay(SdlHost& window, const PlayOptions& options)
    : window_(window), options_(options) {}

bool WindowedPlay::Prepare(const Paths& paths, uint32_t seed, std::ostream& err, int& exitCode) {
  paths_ = paths;
  seed_ = seed;
  if (!options_.replay.empty()) {
    // Read whole first, so that a damaged recording is refused before anything plays; then
    // read again, an entry at a time, as it plays.
    Result<session::RecordingCheck> checked = session::CheckRecordingFile(options_.replay);
    reader_ = std::make_unique<session::RecordingReader>(options_.replay);
    if (!checked.ok() || !reader_->ReadHeader()) {
      err << "qv: " << (checked.ok() ? reader_->status() : checked.status()).message() << "\n";
      exitCode = session::kExitBadInput;
      return false;
    }
    checked_ = std::move(*checked);
    if (const Status prepared = folder_.Prepare(checked_.header, options_.dataDir);
        !prepared.ok()) {
      err << "qv: " << prepared.message() << "\n";
      exitCode = session::kExitWriteFailed;
      return false;
    }
    paths_ = folder_.PathsFor(paths);
    seed_ = checked_.header.seed;
    std::ostream& out = options_.out ? *options_.out : std::cout;
    replayer_ = std::make_unique<session::Replayer>(window_, *reader_, checked_.endTick, out);
    window_.SetObserver(replayer_.get());
  } else {
    kept_ = std::make_unique<session::KeptPlay>(window_, options_.terminal);
    kept_->Begin(paths, seed, err);
    window_.SetObserver(&kept_->Observer());
  }
  if (!options_.record.empty() && kept_) {
    const Result<std::optional<std::string>> startSave = session::ReadStartSave(paths);
    if (!startSave.ok()) {
      err << "qv: " << startSave.message() << "\n";
      exitCode = session::kExitBadInput;
      return false;
    }
    recorder_ = std::make_unique<session::Recorder>(kept_->GameHost());
    if (const Status opened = recorder_->Open(options_.record, seed, *startSave); !opened.ok()) {
      err << "qv: " << opened.message() << "\n";
      exitCode = session::kExitWriteFailed;
      return false;
    }
    both_ = std::make_unique<session::BothObservers>(*recorder_, kept_->Observer());
    window_.SetObserver(both_.get());
  }
  window_.SetFastTicks(options_.fast);
  if (!options_.snapshots.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options_.snapshots, ec);
    window_.ListenForSnapshots(options_.snapshots);
  }
  return true;
}

Host& WindowedPlay::GameHost() {
  if (replayer_) return *replayer_;
  if (recorder_) return *recorder_;
  if (kept_) return kept_->GameHost();
  return window_;
}

void WindowedPlay::Settle(const session::Session& run, std::ostream& err) {
  if (kept_) kept_->Settle(run, err);
}

void WindowedPlay::Attach(session::Session& run) {
  if (replayer_ && !options_.snapshots.empty()) {
    replayer_->WriteShots(run.screen, options_.snapshots);
  }
}

int WindowedPlay::Finish(std::ostream& err) {
  std::ostream& out = options_.out ? *options_.out : std::cout;
  if (kept_) kept_->Finish(err);
  if (replayer_) return session::ReportReplay(*replayer_, out, err);
  if (!recorder_) return session::kExitOk;
  if (!recorder_->WriteError().empty()) {
    err << "qv: " << recorder_->WriteError() << "\n";
    return session::kExitWriteFailed;
  }
  out << "recorded " << recorder_->Ticks() << " ticks into " << options_.record.string()
      << "; final hash " << session::HashToText(recorder_->FinalHash()) << "\n";
  return session::kExitOk;
}

}  // namespace qv::sdl
