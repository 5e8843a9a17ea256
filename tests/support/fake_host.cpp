#include "support/fake_host.h"

#include <unistd.h>

#include <atomic>

#include "flow/make_game.h"

namespace qv::testing {

void FakeHost::PlayWave(int channel, std::string_view file) {
  waves.push_back(std::to_string(channel) + ":" + std::string(file));
}
void FakeHost::PlayMusic(std::string_view file) {
  music.emplace_back(file);
}
void FakeHost::PlayMidi(std::string_view file) {
  midi.emplace_back(file);
}
void FakeHost::MessageBox(std::string_view text) {
  messages.emplace_back(text);
}
bool FakeHost::Confirm(std::string_view text) {
  messages.emplace_back(text);
  if (answers.empty()) return false;
  const bool a = answers.front();
  answers.pop_front();
  return a;
}

std::filesystem::path MakeTempDir() {
  static std::atomic<int> counter{0};
  std::filesystem::path p =
      std::filesystem::temp_directory_path() /
      ("qv-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(p);
  std::filesystem::create_directories(p);
  return p;
}

TestGame::TestGame() : dir(MakeTempDir()) {
  Paths paths;
  paths.cgDir = dir / "cg";
  paths.datDir = dir / "dat";
  paths.saveDir = dir / "dat";
  paths.recordDir = dir;
  std::filesystem::create_directories(paths.cgDir);
  std::filesystem::create_directories(paths.datDir);
  game = MakeGame(&host, nullptr, paths);
}

TestGame::~TestGame() {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

}  // namespace qv::testing
