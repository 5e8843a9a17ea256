// How soon the game-over tune sounds once the game asks for it: loading the tune into the
// player (with the samples of its instruments, read from the soundfont on demand), starting
// it, and the audio device's buffers until the first audible sample, with the synthesiser made
// beforehand as the running game has it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/sdl/smfplay_fluid.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr int32_t kDeviceFrames = 1024;

void BM_GameOverTuneStart(benchmark::State& state) {
  const std::filesystem::path font = qv::sdl::kDefaultSoundFont;
  const std::filesystem::path tune = std::filesystem::path(QV_BUILD_DIR) / "dat" / "gameover.mid";
  if (!std::filesystem::is_regular_file(font) || !std::filesystem::is_regular_file(tune)) {
    state.SkipWithError("no soundfont or no game-over tune");
    return;
  }
  std::vector<int16_t> out(std::size_t(kDeviceFrames) * 2);
  double loadMs = 0, buffers = 0;
  for (auto _ : state) {
    state.PauseTiming();
    qv::sdl::SmfPlayer player;
    player.Create(font, kRate);
    state.ResumeTiming();
    auto t0 = std::chrono::steady_clock::now();
    player.SmfLoadFile(tune, 0);
    player.SmfPlay(2, 0, 0);
    loadMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    // The device's buffers until one carries the tune.
    for (int32_t n = 1; n <= 400; ++n) {
      std::fill(out.begin(), out.end(), int16_t(0));
      player.Render(out.data(), kDeviceFrames);
      if (std::any_of(out.begin(), out.end(), [](int16_t s) { return std::abs(s) > 64; })) {
        buffers += n;
        break;
      }
    }
    state.PauseTiming();
    player.SmfFree();
    player.Destroy();
    state.ResumeTiming();
  }
  const double runs = double(state.iterations());
  state.counters["load_and_start_ms"] = loadMs / runs;
  state.counters["buffers_to_first_sound"] = buffers / runs;
}
BENCHMARK(BM_GameOverTuneStart)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
