#pragma once
// Writes a recording while the game is played: it stands between the game and the real host
// (so it sees every box and its answer) and watches the host's loop (every input that reaches
// the game, every tick, the snapshots of a test, the closing of the window).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/host.h"
#include "files/status.h"
#include "platform/session/replay_file.h"
#include "platform/session/replay_input.h"

namespace qv::session {

class Recorder final : public Host, public PlayObserver {
 public:
  explicit Recorder(Host& inner) : inner_(inner) {}

  // Creates the file and writes its header; fails with a message when it cannot be written.
  Status Open(const std::filesystem::path& path, uint32_t seed,
              const std::optional<std::string>& startSave);

  // Begins a recording held in memory until Keep gives it a file (or Forget drops it). At most
  // `maxBytes` are recorded in all: what would pass them is left out, and the recording ends
  // there, cut (a replay plays it up to the cut).
  Status Begin(uint32_t seed, const std::optional<std::string>& startSave, size_t maxBytes);
  // Writes what is held to `path` and goes on writing there.
  Status Keep(const std::filesystem::path& path);
  // Records nothing more and writes nothing.
  void Forget();
  // True once the recording reached its size and was cut.
  bool Cut() const { return cut_; }

  // Host: everything goes to the real host; box answers are written down as well.
  int64_t NowMs() override { return inner_.NowMs(); }
  void PlayWave(int channel, std::string_view file) override { inner_.PlayWave(channel, file); }
  void PlayMusic(std::string_view file) override { inner_.PlayMusic(file); }
  void PlayMidi(std::string_view file) override { inner_.PlayMidi(file); }
  void MessageBox(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void ProblemBox(std::string_view text) override { inner_.ProblemBox(text); }
  void CloseWindow() override { inner_.CloseWindow(); }
  void SetTextInput(bool on, const Rect& field) override { inner_.SetTextInput(on, field); }
  // What became of each save goes into the recording, so that its replay does the same.
  void NoteSave(SavedFile file, const SaveNote& note) override;

  // PlayObserver
  void Started(Game& g) override;
  void Input(Game& g, const InputEvent& e) override;
  void Ticked(Game& g) override;
  void Snapshot(Game& g, int32_t n) override;
  void Closing(Game& g) override;

  int32_t Ticks() const { return ticks_; }
  // The hash written with the end of the recording (0 before Closing).
  uint64_t FinalHash() const { return finalHash_; }
  // Empty unless the file could not be written at some point.
  const std::string& WriteError() const { return writeError_; }

 private:
  void Write(const RecordingEntry& e);
  void Check(Game& g, EntryKind kind);

  Host& inner_;
  std::ofstream file_;
  std::filesystem::path path_;
  int32_t ticks_ = 0;
  bool ended_ = false;
  uint64_t finalHash_ = 0;
  std::vector<std::string> lastLines_;  // the save lines at the last check
  std::string writeError_;
  std::string held_;  // what Begin recorded before Keep named the file
  bool holding_ = false;
  bool forgotten_ = false;
  bool cut_ = false;
  size_t recorded_ = 0;  // bytes, the header included
  size_t maxBytes_ = SIZE_MAX;
};

}  // namespace qv::session
