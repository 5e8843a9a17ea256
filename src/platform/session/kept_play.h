#pragma once
// What a played run leaves in its save folder for a bug report (qv --bug-report): the
// recording of the play, from the save the game started with (so it holds the play since
// that save), and the program's terminal lines. Both stay on the player's disk, are replaced
// by the next run, and are written only by the copy of the game that holds the folder; a
// failure to write them is a line on the terminal and never touches the save.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string_view>

#include "core/game.h"
#include "core/host.h"
#include "platform/session/replay_input.h"
#include "platform/session/replay_recorder.h"
#include "platform/session/session.h"
#include "platform/session/terminal_copy.h"

namespace qv::session {

inline constexpr std::string_view kKeptRecordingName = "last-play.qvr";
inline constexpr std::string_view kKeptTerminalName = "last-session.log";
// About eight hours of play with the mouse moving all the time; a longer play is cut there.
constexpr size_t kMaxKeptRecordingBytes = 32 * 1024 * 1024;

class KeptPlay {
 public:
  // The recording sits in front of `inner`; `terminal` is the program's terminal copy (none
  // in tests).
  KeptPlay(Host& inner, TerminalCopy* terminal) : recorder_(inner), terminal_(terminal) {}

  // Begins the recording in memory from the save the game is about to load.
  void Begin(const Paths& paths, uint32_t seed, std::ostream& err);
  // The host the game (or another recording in front of it) talks to, and the watcher the
  // host's loop tells about every input and tick.
  Host& GameHost() { return recorder_; }
  PlayObserver& Observer() { return recorder_; }
  // After StartGame: the files go into the save folder when this run holds it; a copy that
  // plays without saving leaves the other copy's files alone.
  void Settle(const Session& run, std::ostream& err);
  // After the window closed: a recording that could not be written, or was cut, is named.
  void Finish(std::ostream& err);

 private:
  Recorder recorder_;
  TerminalCopy* terminal_;
  std::filesystem::path file_;
};

// Two watchers of one run, told in turn (a --record recording and the kept one).
class BothObservers final : public PlayObserver {
 public:
  BothObservers(PlayObserver& first, PlayObserver& second) : first_(first), second_(second) {}
  void Started(Game& g) override;
  void Input(Game& g, const InputEvent& e) override;
  void Ticked(Game& g) override;
  void Snapshot(Game& g, int32_t n) override;
  void Closing(Game& g) override;

 private:
  PlayObserver& first_;
  PlayObserver& second_;
};

}  // namespace qv::session
