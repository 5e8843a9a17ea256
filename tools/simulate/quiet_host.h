#pragma once
// A host with no window and no sound, for runs that only need the game's rules (the battle
// simulator, soak runs, benchmarks and fuzzers): requests are dropped, boxes are remembered
// and answered No.
#include <string>
#include <vector>

#include "core/host.h"

namespace qv {

class QuietHost : public Host {
 public:
  int64_t NowMs() override { return 0; }
  void PlayWave(int, std::string_view) override {}
  void PlayMusic(std::string_view) override {}
  void PlayMidi(std::string_view) override {}
  void MessageBox(std::string_view text) override { boxes.emplace_back(text); }
  bool Confirm(std::string_view text) override {
    boxes.emplace_back(text);
    return false;
  }
  void CloseWindow() override {}
  void SetTextInput(bool, const Rect&) override {}

  std::vector<std::string> boxes;  // CP932 texts of every box, in order
};

}  // namespace qv
