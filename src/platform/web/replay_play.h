#pragma once
// A recording played on the page as the headless replay plays it (a virtual clock, the
// recorded input between the same ticks), a batch of ticks an animation frame, the picture
// shown after each batch. At its end the page hears the outcome and the state dump, and the
// canvas holds the last picture: the browser's tests compare both with the desktop's.
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_host.h"
#include "platform/session/replay_player.h"
#include "platform/session/replay_run.h"
#include "platform/session/session.h"

namespace qv::web {

class ReplayPlay {
 public:
  ReplayPlay(std::string recording, const Paths& paths);

  // Reads and checks the recording and starts its game; false (reported) when it cannot play.
  bool Start();
  // Plays ticks for a few milliseconds, then shows the picture; reports at the end.
  void Frame();
  bool Ended() const { return ended_; }

 private:
  void Show();
  void Finish(std::string_view outcome, std::string_view verdict);

  std::string file_;
  Paths paths_;
  headless::HeadlessHost host_{std::cout};
  std::unique_ptr<session::RecordingReader> reader_;
  session::ReplayFolder folder_;
  std::unique_ptr<session::Replayer> replayer_;
  std::unique_ptr<session::Session> run_;
  std::vector<uint32_t> rgba_;
  bool ended_ = false;
};

}  // namespace qv::web
