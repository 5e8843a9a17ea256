#pragma once
// A host for logic tests: a clock the test moves, every sound and box request recorded,
// and Yes/No answers queued in advance.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/game.h"

namespace qv::testing {

class FakeHost : public Host {
 public:
  int64_t NowMs() override { return nowMs; }
  void PlayWave(int channel, std::string_view file) override;
  void PlayMusic(std::string_view file) override;
  void PlayMidi(std::string_view file) override;
  void MessageBox(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void CloseWindow() override { closed = true; }
  void SetTextInput(bool on, const Rect& field) override {
    textInput = on;
    textField = field;
    ++textInputChanges;
  }

  int64_t nowMs = 0;
  std::vector<std::string> waves;  // "channel:file"
  std::vector<std::string> music;
  std::vector<std::string> midi;
  std::vector<std::string> messages;  // CP932 texts of MessageBox and Confirm, in order
  std::deque<bool> answers;           // next Confirm answers; No when empty
  bool closed = false;
  bool textInput = false;  // what the game last asked for
  Rect textField;
  int32_t textInputChanges = 0;
};

// A game wired to a FakeHost, with its files in a fresh temporary folder.
struct TestGame {
  FakeHost host;
  std::unique_ptr<Game> game;
  std::filesystem::path dir;

  TestGame();
  ~TestGame();
  Game& g() { return *game; }
};

// A fresh temporary folder, removed by the caller.
std::filesystem::path MakeTempDir();

// Forces every roll of the game's generator to one edge while it lives.
class PinRolls {
 public:
  PinRolls(Game& g, RollMode mode) : g_(g), old_(g.rng.mode) { g.rng.mode = mode; }
  ~PinRolls() { g_.rng.mode = old_; }

 private:
  Game& g_;
  RollMode old_;
};

}  // namespace qv::testing
