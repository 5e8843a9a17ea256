// Feeds arbitrary bytes to the game as name.dat and loads it the way start-up does, then lets
// the free area name its enemies from it. However short or odd the list, every name drawn
// must be one of the names read (or a syllable name), never a read past the list.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/game.h"
#include "core/text.h"
#include "flow/make_game.h"
#include "persist/save.h"
#include "simulate/quiet_host.h"
#include "world/free_area.h"

namespace {

struct Fixture {
  qv::QuietHost host;
  std::unique_ptr<qv::Game> game;
  std::unique_ptr<qv::GameState> blank = std::make_unique<qv::GameState>();
  std::filesystem::path dir;

  Fixture() {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    dir = base / ("qv-name-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    game = qv::MakeGame(&host, nullptr, qv::Paths{dir, dir, dir, dir});
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Fixture f;
  qv::Game& g = *f.game;
  g.state = *f.blank;
  std::error_code ec;
  std::filesystem::remove(f.dir / qv::persist::kSaveFileName, ec);
  {
    std::ofstream out(f.dir / qv::persist::kNameFileName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  qv::persist::LoadGame(g);

  const qv::GameState& s = g.state;
  if (s.randomNameCount < 0 || s.randomNameCount > qv::kRandomNames) std::abort();
  for (int i = s.randomNameCount; i < qv::kRandomNames; ++i) {
    if (!s.randomNames[static_cast<size_t>(i)].empty()) std::abort();
  }
  for (int i = 0; i < 40; ++i) {
    const std::string name = qv::world::RandomEnemyName(g);
    if (!qv::IsValidCp932(name)) {
      std::fprintf(stderr, "an enemy name that is not CP932\n");
      std::abort();
    }
  }
  return 0;
}
