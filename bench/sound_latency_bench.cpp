// How soon a sound requested while others play reaches the audio device: the wave mixer on the
// stream device the game uses, driven by a virtual clock. The audio thread's callback takes the
// device's buffer (1280 frames at 44.1 kHz, every 29 ms), the game's loop wakes for its ticks,
// for the mixer's blocks and for the requests, and short effects are asked for at random
// moments while others play.
// Each probe is loud enough to be told from the quiet sounds around it in the output, so the
// figure is what the device takes: from the request to the first frame that carries the probe.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include "mixer_must.h"
#include "sound/mixer_settings.h"
#include "sound/sound_mixer.h"
#include "sound/stream_device.h"

namespace {

using namespace qv::sound;

constexpr double kCallbackUs = kDeviceFrames * 1e6 / kDeviceRate;
constexpr double kTickUs = 75'000;   // the game's timer, about 13 ticks a second
constexpr uint8_t kQuiet = 128 + 8;  // the sounds the probes are heard against
constexpr uint8_t kLoud = 128 + 60;  // the probes
constexpr int32_t kThreshold = 30 << 8;

std::filesystem::path FlatWave(const std::string& name, std::size_t samples, uint8_t value) {
  auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(uint32_t(36 + samples));
  out.write("WAVEfmt ", 8);
  u32(16), u16(1), u16(1), u32(11025), u32(11025), u16(1), u16(8);
  out.write("data", 4);
  u32(uint32_t(samples));
  std::vector<char> data(samples, char(value));
  out.write(data.data(), std::streamsize(samples));
  return path;
}

struct Figures {
  std::vector<double> ms;
  double Worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
  double Mean() const {
    double sum = 0;
    for (double m : ms) sum += m;
    return ms.empty() ? 0 : sum / double(ms.size());
  }
  double Percentile(double p) const {
    if (ms.empty()) return 0;
    std::vector<double> s = ms;
    std::sort(s.begin(), s.end());
    return s[std::min(s.size() - 1, std::size_t(p * double(s.size())))];
  }
};

// One run of the game's sound for `probes` probes. `longSound`: a sound of a minute sounds on
// channel 0 throughout; the quiet short effects come on channels 1 and 2, the probes on 3.
Figures Simulate(bool longSound, int32_t probes, uint32_t seed) {
  StreamDevice device(true);
  ProfileFile ini;
  std::unique_ptr<SoundMixer> made = Must(SoundMixer::Create(device, ini));
  SoundMixer& mixer = *made;
  Must(mixer.SetActivated(true));
  Must(mixer.SetChannels(31));
  const Wave* longWave = Must(mixer.LoadWave(FlatWave("qv_latency_long.wav", 11025 * 60, kQuiet)));
  std::vector<const Wave*> shorts;
  for (std::size_t n : {550, 1100, 2200, 3300}) {
    shorts.push_back(
        Must(mixer.LoadWave(FlatWave("qv_latency_short" + std::to_string(n) + ".wav", n, kQuiet))));
  }
  const Wave* probe = Must(mixer.LoadWave(FlatWave("qv_latency_probe.wav", 441, kLoud)));

  std::mt19937 rng(seed);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
  };
  if (longSound) Must(mixer.Play(0, longWave, kLoopForever, 0, nullptr));

  std::vector<int16_t> out(std::size_t(kDeviceFrames) * 2);
  Figures figures;
  double now = 0, nextCallback = 0, nextTick = kTickUs;
  double nextShort = uniform(20'000, 300'000);
  double nextProbe = uniform(300'000, 700'000);
  double pendingProbe = -1;  // request time of the probe not yet heard
  int32_t shortChannel = 1;
  double wake = 0;
  while (int32_t(figures.ms.size()) < probes) {
    if (nextCallback <= wake) {
      // The audio thread: one buffer of the device.
      now = nextCallback;
      std::fill(out.begin(), out.end(), int16_t(0));
      device.Render(out.data(), kDeviceFrames, kDeviceRate);
      if (pendingProbe >= 0 && now >= pendingProbe) {
        for (int32_t k = 0; k < kDeviceFrames; ++k) {
          if (out[std::size_t(k) * 2] > kThreshold) {
            figures.ms.push_back((now + k * 1e6 / kDeviceRate - pendingProbe) / 1000.0);
            pendingProbe = -1;
            break;
          }
        }
      }
      nextCallback += kCallbackUs;
      continue;
    }
    // The game's thread: the loop pumps the mixer, then handles what woke it.
    now = wake;
    Must(mixer.Session().BlocksDone());
    if (now >= nextShort) {
      const Wave* w = shorts[std::size_t(rng() % shorts.size())];
      Must(mixer.Play(shortChannel, w, 0, 0, nullptr));
      shortChannel = 3 - shortChannel;
      nextShort = now + uniform(50'000, 400'000);
    }
    if (now >= nextProbe && pendingProbe < 0) {
      Must(mixer.Play(3, probe, 0, 0, nullptr));
      pendingProbe = now;
      // Far enough apart that a probe has always ended before the next is asked for.
      nextProbe = now + uniform(800'000, 1'100'000);
    }
    if (now >= nextTick) nextTick += kTickUs;
    double next = std::min({nextTick, nextShort, nextProbe});
    int32_t pumpMs = mixer.Session().MsUntilBlockDone();
    if (pumpMs >= 0) next = std::min(next, now + std::max(pumpMs, 5) * 1000.0);
    wake = std::max(next, now + 1);
  }
  return figures;
}

void Report(benchmark::State& state, const Figures& f) {
  state.counters["probes"] = double(f.ms.size());
  state.counters["worst_ms"] = f.Worst();
  state.counters["p95_ms"] = f.Percentile(0.95);
  state.counters["mean_ms"] = f.Mean();
  state.counters["device_buffer_ms"] = kCallbackUs / 1000.0;
}

// Effects requested while a long sound plays on another channel.
void BM_RequestToFirstSample_BehindALongSound(benchmark::State& state) {
  Figures f;
  for (auto _ : state) f = Simulate(true, 200, 7);
  Report(state, f);
}
BENCHMARK(BM_RequestToFirstSample_BehindALongSound)->Iterations(1)->Unit(benchmark::kMillisecond);

// Effects requested while only short effects come and go.
void BM_RequestToFirstSample_AmongShortSounds(benchmark::State& state) {
  Figures f;
  for (auto _ : state) f = Simulate(false, 200, 11);
  Report(state, f);
}
BENCHMARK(BM_RequestToFirstSample_AmongShortSounds)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
