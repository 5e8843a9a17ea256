#pragma once
// What --record, --replay and the test snapshots add to a windowed run: the host the game
// talks to (the window itself, or a recorder or replayer in front of it), the seed and the
// folders the game uses, and the report at the end.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "core/game.h"
#include "platform/sdl/sdl_host.h"
#include "platform/session/kept_play.h"
#include "platform/session/replay_file.h"
#include "platform/session/replay_player.h"
#include "platform/session/replay_recorder.h"
#include "platform/session/replay_run.h"

namespace qv::sdl {

struct PlayOptions {
  std::filesystem::path record;     // write a recording of this run
  std::filesystem::path replay;     // play this recording back
  std::filesystem::path snapshots;  // test snapshots on SIGUSR1 (and a replay's shots) go here
  bool fast = false;                // the timer runs as fast as frames can be shown
  std::string dataDir;              // --data-dir, for a replay's own files
  std::ostream* out = nullptr;      // the replay's report and the recording's final hash
  session::TerminalCopy* terminal = nullptr;  // the terminal lines kept for a bug report
};

class WindowedPlay {
 public:
  WindowedPlay(SdlHost& window, const PlayOptions& options);

  // Reads the recording to replay, or opens the one to write. False (with the message in
  // `err`) when the run should not start; `exitCode` then says why.
  bool Prepare(const Paths& paths, uint32_t seed, std::ostream& err, int& exitCode);
  // The host, folders and seed the game is to be made with.
  Host& GameHost();
  Paths GamePaths() const { return paths_; }
  uint32_t Seed() const { return seed_; }
  // Hooks the session's window up; call before FormCreate.
  void Attach(session::Session& run);
  // After StartGame: the play is kept in the save folder when this run holds it.
  void Settle(const session::Session& run, std::ostream& err);
  // After the window closed: the report; returns the program's exit code.
  int Finish(std::ostream& err);

 private:
  SdlHost& window_;
  PlayOptions options_;
  Paths paths_;
  uint32_t seed_ = 0;
  session::RecordingCheck checked_;  // the recording read whole once, its header kept
  std::unique_ptr<session::RecordingReader> reader_;  // then read again as it plays
  session::ReplayFolder folder_;
  std::unique_ptr<session::KeptPlay> kept_;  // every play but a replay is kept
  std::unique_ptr<session::Recorder> recorder_;
  std::unique_ptr<session::BothObservers> both_;  // --record's recording and the kept one
  std::unique_ptr<session::Replayer> replayer_;
};

}  // namespace qv::sdl
