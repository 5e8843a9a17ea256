// Start-up to the first frame: the game made, the window's creation run (pictures, master
// data, the save loaded and written back), one tick, and the whole window rendered.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "core/tick.h"
#include "platform/headless/command_line.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/session.h"

namespace {

void BM_StartupToFirstFrame(benchmark::State& state) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / "qv-startup-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const qv::Paths paths = qv::headless::GamePaths(QV_BUILD_DIR, dir.string());
  std::ostringstream out;
  for (auto _ : state) {
    qv::headless::HeadlessHost host(out);
    auto session = qv::headless::StartSession(host, paths, 1);
    qv::Timer1Timer(*session->game);
    benchmark::DoNotOptimize(session->screen.RenderWindow(*session->game).Pixels().data());
    qv::headless::EndSession(*session);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
