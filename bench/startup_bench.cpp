// Start-up to the first frame: the game made, the window's creation run (pictures, master
// data, the save loaded and written back), one tick, and the whole window rendered.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "flow/tick.h"
#include "platform/headless/headless_host.h"
#include "platform/session/command_line.h"
#include "platform/session/session.h"

namespace {

void BM_StartupToFirstFrame(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qv-startup-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const qv::Paths paths = qv::session::GamePaths(QV_BUILD_DIR, dir.string());
  std::ostringstream out;
  for (auto _ : state) {
    qv::headless::HeadlessHost host(out);
    auto run = qv::session::StartSession(host, paths, 1);
    qv::Timer1Timer(*run->game);
    benchmark::DoNotOptimize(run->screen.RenderWindow(*run->game).Pixels().data());
    qv::session::EndSession(*run);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
