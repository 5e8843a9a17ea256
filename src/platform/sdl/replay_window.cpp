#include "platform/sdl/replay_window.h"

#include <iostream>

#include "platform/headless/script_runner.h"

namespace qv::sdl {

WindowedPlay::WindowedPlay(SdlHost& window, const PlayOptions& options)
    : window_(window), options_(options) {}

bool WindowedPlay::Prepare(const Paths& paths, uint32_t seed, std::ostream& err, int& exitCode) {
  paths_ = paths;
  seed_ = seed;
  std::string error;
  if (!options_.replay.empty()) {
    parsed_ = headless::LoadRecording(options_.replay);
    if (!parsed_.Ok()) {
      err << "qv: " << parsed_.error << "\n";
      exitCode = headless::kExitBadInput;
      return false;
    }
    if (!folder_.Prepare(parsed_.recording, options_.dataDir, error)) {
      err << "qv: " << error << "\n";
      exitCode = headless::kExitWriteFailed;
      return false;
    }
    paths_ = folder_.PathsFor(paths);
    seed_ = parsed_.recording.seed;
    std::ostream& out = options_.out ? *options_.out : std::cout;
    replayer_ = std::make_unique<headless::Replayer>(window_, parsed_.recording, out);
    window_.SetObserver(replayer_.get());
  } else if (!options_.record.empty()) {
    std::optional<std::string> startSave;
    if (!headless::ReadStartSave(paths, startSave, error)) {
      err << "qv: " << error << "\n";
      exitCode = headless::kExitBadInput;
      return false;
    }
    recorder_ = std::make_unique<headless::Recorder>(window_);
    if (!recorder_->Open(options_.record, seed, startSave, error)) {
      err << "qv: " << error << "\n";
      exitCode = headless::kExitWriteFailed;
      return false;
    }
    window_.SetObserver(recorder_.get());
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
  return window_;
}

void WindowedPlay::Attach(headless::Session& session) {
  if (replayer_ && !options_.snapshots.empty()) {
    replayer_->WriteShots(session.screen, options_.snapshots);
  }
}

int WindowedPlay::Finish(std::ostream& err) {
  std::ostream& out = options_.out ? *options_.out : std::cout;
  if (replayer_) return headless::ReportReplay(*replayer_, out, err);
  if (!recorder_) return headless::kExitOk;
  if (!recorder_->WriteError().empty()) {
    err << "qv: " << recorder_->WriteError() << "\n";
    return headless::kExitWriteFailed;
  }
  out << "recorded " << recorder_->Ticks() << " ticks into " << options_.record.string()
      << "; final hash " << headless::HashToText(recorder_->FinalHash()) << "\n";
  return headless::kExitOk;
}

}  // namespace qv::sdl
