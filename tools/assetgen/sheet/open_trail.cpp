// open_trail IN.dat DIR: the player of the save IN.dat with every free-area entrance open and
// every chapter of the map already told, saved as DIR/my.dat, so the contact sheet of the
// free-area fights can enter the trail at each depth from the map.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/game.h"
#include "core/master_data.h"
#include "flow/make_game.h"
#include "persist/save.h"
#include "simulate/quiet_host.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: open_trail IN.dat DIR\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path dir = argv[2];
  std::error_code ec;
  fs::create_directories(dir, ec);
  fs::copy_file(argv[1], dir / qv::persist::kSaveFileName, fs::copy_options::overwrite_existing,
                ec);
  if (ec) {
    std::fprintf(stderr, "open_trail: cannot copy %s: %s\n", argv[1], ec.message().c_str());
    return 1;
  }
  qv::QuietHost host;
  auto g = qv::MakeGame(&host, nullptr, qv::Paths{dir, dir, dir, dir});
  qv::FillMasterData(g->state);
  qv::persist::LoadGame(*g);
  if (g->state.saveDisabled == 1) {
    std::fprintf(stderr, "open_trail: %s is damaged\n", argv[1]);
    return 1;
  }
  // 10, 20, 30 and 40 metres reached, and 50; the chapters of the map told.
  for (size_t flag : {10, 11, 12, 13, 7}) g->state.eventFlags[flag] = 1;
  for (size_t chapter = 30; chapter <= 38; ++chapter) g->state.eventFlags[chapter] = 1;
  if (!qv::persist::SaveGame(*g)) {
    std::fprintf(stderr, "open_trail: cannot save in %s\n", argv[2]);
    return 1;
  }
  return 0;
}
