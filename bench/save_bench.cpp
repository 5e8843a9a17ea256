// The save at start-up, at the inn and after a game over: LoadGame (which saves once too) and
// SaveGame on a real folder with fsync, and the text work of each without the disk.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/game.h"
#include "core/new_game.h"
#include "core/text.h"
#include "flow/make_game.h"
#include "persist/save.h"
#include "persist/save_file.h"
#include "simulate/quiet_host.h"

namespace {

// A mid-game player saved in a fresh folder beside the other temporary files.
struct SavedGame {
  qv::QuietHost host;
  std::unique_ptr<qv::Game> game;
  std::filesystem::path dir;

  SavedGame() {
    dir = std::filesystem::temp_directory_path() / ("qv-save-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    game = qv::MakeGame(&host, nullptr, qv::Paths{dir, dir, dir, dir});
    std::ofstream names(dir / "name.dat", std::ios::binary);
    for (int i = 0; i < qv::kRandomNames; ++i) names << "n" << i << "\r\n";
    names.close();
    qv::NewGame(*game);
    qv::GameState& s = game->state;
    for (int i = 0; i < qv::kPerId; ++i) {
      s.owned[i] = i % 3;
      s.skillUses[i] = i * 7;
      s.bought[i] = i % 2;
    }
    s.player().name = qv::Sjis("ＱＲＴＶ団");
    s.money = 9999;
    s.score = 345678;
    qv::persist::SaveGame(*game);
  }
  ~SavedGame() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

void BM_LoadGame(benchmark::State& state) {
  SavedGame saved;
  for (auto _ : state) qv::persist::LoadGame(*saved.game);
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond);

void BM_SaveGame(benchmark::State& state) {
  SavedGame saved;
  for (auto _ : state) qv::persist::SaveGame(*saved.game);
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);

void BM_SaveFileText(benchmark::State& state) {
  SavedGame saved;
  for (auto _ : state) benchmark::DoNotOptimize(qv::persist::SaveFileText(saved.game->state));
}
BENCHMARK(BM_SaveFileText)->Unit(benchmark::kMicrosecond);

void BM_ParseSaveFile(benchmark::State& state) {
  SavedGame saved;
  const std::string text = qv::persist::SaveFileText(saved.game->state);
  auto into = std::make_unique<qv::GameState>();
  for (auto _ : state) benchmark::DoNotOptimize(qv::persist::ParseSaveFile(*into, text));
}
BENCHMARK(BM_ParseSaveFile)->Unit(benchmark::kMicrosecond);

}  // namespace
