#include "platform/web/replay_play.h"

#include "flow/tick.h"
#include "platform/session/replay_coding.h"
#include "platform/session/state_dump.h"
#include "platform/session/tick_driver.h"
#include "platform/web/page.h"
#include "platform/web/web_host.h"

namespace qv::web {
namespace {

// How long one animation frame plays ticks before the page gets its turn again.
constexpr double kBatchMs = 20;

const char* OutcomeName(session::ReplayOutcome o) {
  switch (o) {
    case session::ReplayOutcome::Same:
      return "same";
    case session::ReplayOutcome::Differs:
      return "differs";
    case session::ReplayOutcome::Unfinished:
      return "unfinished";
    case session::ReplayOutcome::Cut:
      return "cut";
    case session::ReplayOutcome::Playing:
      break;
  }
  return "playing";
}

}  // namespace

ReplayPlay::ReplayPlay(std::string recording, const Paths& paths)
    : file_(std::move(recording)), paths_(paths) {}

bool ReplayPlay::Start() {
  const Result<session::RecordingCheck> checked = session::CheckRecordingFile(file_);
  reader_ = std::make_unique<session::RecordingReader>(file_);
  if (!checked.ok() || !reader_->ReadHeader()) {
    Finish("bad", (checked.ok() ? reader_->status() : checked.status()).message());
    return false;
  }
  const session::Recording& r = checked->header;
  if (const Status prepared = folder_.Prepare(r, ""); !prepared.ok()) {
    Finish("bad", prepared.message());
    return false;
  }
  replayer_ = std::make_unique<session::Replayer>(host_, *reader_, checked->endTick, std::cout);
  run_ = session::CreateSession(*replayer_, folder_.PathsFor(paths_), r.seed);
  if (session::StartGame(*run_, host_) != session::Start::kPlaying) {
    session::EndSession(*run_);
    Finish("bad", "the recorded game does not start here");
    return false;
  }
  replayer_->Started(*run_->game);
  Show();
  return true;
}

void ReplayPlay::Frame() {
  if (ended_) return;
  Game& g = *run_->game;
  const double until = NowMs() + kBatchMs;
  while (!replayer_->Done() && !host_.Closed() && NowMs() < until) {
    host_.Advance(session::SaneInterval(g));
    Timer1Timer(g);
    replayer_->Ticked(g);
  }
  Show();
  if (!replayer_->Done() && !host_.Closed()) return;
  // The picture and the dump as the recording left them, before the window closes.
  const std::string dump = session::DumpState(g);
  replayer_->Closing(g);
  session::EndSession(*run_);
  ended_ = true;
  ReportReplay(OutcomeName(replayer_->Outcome()), replayer_->Verdict(), replayer_->Ticks(),
               session::HashToText(replayer_->FinalHash()), dump);
}

void ReplayPlay::Show() {
  ToRgba(run_->screen.RenderWindow(*run_->game), rgba_);
  ShowPicture(rgba_.data());
}

void ReplayPlay::Finish(std::string_view outcome, std::string_view verdict) {
  ended_ = true;
  ReportReplay(outcome, verdict, 0, "", "");
}

}  // namespace qv::web
