#pragma once
// Plays a recording back: it stands between the game and the host, answers the game's boxes
// from the recording, feeds the recorded input between the same ticks, and compares the saved
// state at every check. It stops at the first check that differs and names the first save
// line that does.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/host.h"
#include "platform/session/replay_file.h"
#include "platform/session/replay_input.h"

namespace qv::ui {
class Screen;
}

namespace qv::session {

enum class ReplayOutcome {
  Playing,     // not finished yet
  Same,        // every check and the end matched
  Differs,     // a check differed, or the game went another way (a box nobody answered)
  Unfinished,  // the window closed before the recording's end
  Cut,         // all was played, but the recording has no end (its game did not close)
};

class Replayer final : public Host, public PlayObserver {
 public:
  // Plays a recording held in memory, which must outlive the replayer. Box texts and notes go
  // to `out`.
  Replayer(Host& inner, const Recording& recording, std::ostream& out);
  // Plays the entries of `reader` as they are read (its header read already). `endTick` is
  // where the recording ends, for messages; the reader must outlive the replayer.
  Replayer(Host& inner, RecordingReader& reader, int32_t endTick, std::ostream& out);

  // Snapshots named in the recording are drawn with `screen` and written to `dir` as
  // shot-N.png.
  void WriteShots(ui::Screen& screen, const std::filesystem::path& dir);

  // Host: sounds and the clock go to the real host; boxes are answered from the recording.
  int64_t NowMs() override { return inner_.NowMs(); }
  void PlayWave(int channel, std::string_view file) override { inner_.PlayWave(channel, file); }
  void PlayMusic(std::string_view file) override { inner_.PlayMusic(file); }
  void PlayMidi(std::string_view file) override { inner_.PlayMidi(file); }
  void MessageBox(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void ProblemBox(std::string_view text) override { inner_.ProblemBox(text); }
  void CloseWindow() override;
  void SetTextInput(bool on, const Rect& field) override { inner_.SetTextInput(on, field); }
  // A save does what the recording notes it did (refused, failed, written); a recording made
  // before saves were noted has none, and the save is written.
  std::optional<SaveNote> ReplayedSave(SavedFile file) override;

  // PlayObserver
  bool LiveInput() const override { return false; }
  void Started(Game& g) override { Play(g); }
  void Ticked(Game& g) override;
  void Closing(Game& g) override;
  bool Done() const override { return outcome_ != ReplayOutcome::Playing; }

  ReplayOutcome Outcome() const { return outcome_; }
  // What went wrong (or why it stopped early); empty when the replay matched.
  const std::string& Verdict() const { return verdict_; }
  int32_t Ticks() const { return ticks_; }
  int32_t ChecksPassed() const { return checks_; }
  // The hash of the saved state when the window closed.
  uint64_t FinalHash() const { return finalHash_; }
  // The tick of the recording's end (or of its last entry when it has none).
  int32_t EndTick() const;

 private:
  void Play(Game& g);
  void Compare(Game& g, const RecordingEntry& e);
  void Stop(ReplayOutcome outcome, std::string why);
  std::string NextEntryText();
  // What to suspect when the replay parts from the recording at `atTick` (at this save line).
  std::string LikelyCause(int32_t atTick, int32_t line = 0) const;
  // The entry due next (read when needed), or null when the recording has no more.
  const RecordingEntry* Peek();
  void Pop() { next_.reset(); }

  Host& inner_;
  const std::vector<RecordingEntry>* entries_ = nullptr;  // a recording in memory
  RecordingReader* reader_ = nullptr;                     // or one read as it plays
  size_t cursor_ = 0;                                     // next entry of entries_
  std::optional<RecordingEntry> next_;
  int32_t endTick_ = 0;
  std::ostream& out_;
  ui::Screen* screen_ = nullptr;
  std::filesystem::path shotDir_;
  int32_t ticks_ = 0;
  int32_t checks_ = 0;
  bool windowClosed_ = false;
  bool notesSaves_ = false;  // the recording has noted a save (older recordings never do)
  int32_t lastSaveTick_ = -1;
  bool lastSaveWritten_ = true;  // the last save noted was written whole
  uint64_t finalHash_ = 0;
  std::vector<std::string> expected_;  // the save lines as the recording had them
  ReplayOutcome outcome_ = ReplayOutcome::Playing;
  std::string verdict_;
};

// The first line where two saves differ (1-based; 0 when they are the same), with both values.
struct LineDifference {
  int32_t line = 0;
  std::string recorded, replayed;
};
LineDifference FirstDifference(const std::vector<std::string>& recorded,
                               const std::vector<std::string>& replayed);

}  // namespace qv::session
