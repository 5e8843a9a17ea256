// Feeds arbitrary bytes to the game as my.dat and loads it the way start-up does. Beyond not
// crashing, a file the game accepts must come back byte for byte when read and written again.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "core/game.h"
#include "flow/make_game.h"
#include "persist/save.h"
#include "persist/save_file.h"
#include "simulate/quiet_host.h"

namespace {

// Says nothing and answers No: the harness only watches the files and the state.
struct Fixture {
  qv::QuietHost host;
  std::unique_ptr<qv::Game> game;
  std::unique_ptr<qv::GameState> blank = std::make_unique<qv::GameState>();
  std::filesystem::path dir;

  Fixture() {
    // Memory-backed when possible: every load writes the file back with fsync.
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    dir = base / ("qv-load-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    qv::Paths paths{dir, dir, dir, dir};
    game = qv::MakeGame(&host, nullptr, paths);
    std::ofstream names(dir / "name.dat", std::ios::binary);
    for (int i = 0; i < qv::kRandomNames; ++i) names << "n" << i << "\r\n";
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Fixture f;
  qv::Game& g = *f.game;
  g.state = *f.blank;
  g.battle.phase = 0;
  {
    std::ofstream out(f.dir / qv::persist::kSaveFileName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  qv::persist::LoadGame(g);

  if (g.state.saveDisabled == 0) {
    const std::string written = ReadAll(f.dir / qv::persist::kSaveFileName);
    const auto again = std::make_unique<qv::GameState>();
    const qv::persist::ParseResult r = qv::persist::ParseSaveFile(*again, written);
    if (!r.ok() || qv::persist::SaveChecksum(*again) != r.storedChecksum ||
        qv::persist::SaveFileText(*again) != written) {
      std::fprintf(stderr, "an accepted save does not read back as written\n");
      std::abort();
    }
  }
  return 0;
}
