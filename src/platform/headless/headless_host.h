#pragma once
// The host of a scripted run: a virtual clock moved by the ticks, message boxes answered from
// a queue the script fills, every box's text printed, sounds and music only remembered.
#include <cstdint>
#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"

namespace qv::headless {

class HeadlessHost : public Host {
 public:
  // Box texts and notes go to `out` as UTF-8.
  explicit HeadlessHost(std::ostream& out);

  int64_t NowMs() override { return nowMs_; }
  void PlayWave(int channel, std::string_view file) override;
  void PlayMusic(std::string_view file) override;
  void PlayMidi(std::string_view file) override;
  void MessageBox(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void CloseWindow() override { closed_ = true; }
  void SetTextInput(bool on, const Rect&) override { textInput_ = on; }

  // Moves the virtual clock forward.
  void Advance(int64_t ms) { nowMs_ += ms; }
  // Queues the answer of the next confirmation box.
  void QueueAnswer(bool yes) { answers_.push_back(yes); }
  size_t PendingAnswers() const { return answers_.size(); }

  bool Closed() const { return closed_; }
  // True while the game has the name field taking typed text.
  bool TextInput() const { return textInput_; }
  // Every box shown so far (CP932), in order.
  const std::vector<std::string>& Boxes() const { return boxes_; }
  // The newest requests by file name (empty when none yet).
  const std::string& LastWave() const { return lastWave_; }
  const std::string& LastMusic() const { return lastMusic_; }
  const std::string& LastMidi() const { return lastMidi_; }
  // What the host remembers, as the script's dump names it ("boxes", "lastBox", "wave",
  // "music", "midi", "closed"); nullopt for any other key.
  std::optional<std::string> RequestValue(std::string_view key) const;
  // Those keys, one "key: value" a line, for the end of a dump.
  std::string DumpRequests() const;

 private:
  void PrintBox(std::string_view kind, std::string_view text, std::string_view answer);

  std::ostream& out_;
  int64_t nowMs_ = 0;
  std::deque<bool> answers_;
  std::vector<std::string> boxes_;
  std::string lastWave_, lastMusic_, lastMidi_;
  bool closed_ = false;
  bool textInput_ = false;
};

}  // namespace qv::headless
