// The wave mixer's speed and latency, against a device that plays whatever it is given.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "mixer_must.h"
#include "sound/mixer_settings.h"
#include "sound/sound_mixer.h"
#include "sound/stream_device.h"

namespace {

using namespace qv::sound;

class BenchDevice : public WaveDevice {
 public:
  int32_t DeviceCount() override { return 1; }
  DeviceCaps Caps(int32_t) override { return {"Bench", false}; }
  int32_t Open(int32_t, const PcmFormat&) override {
    open_ = true;
    return kDeviceOk;
  }
  bool IsOpen() const override { return open_; }
  bool Write(int32_t, const uint8_t* data, std::size_t size) override {
    if (firstWrite == nullptr) firstWrite = data;
    written += size;
    return true;
  }
  uint64_t Position() override { return played; }
  void Pause() override {}
  void Restart() override {}
  void Reset() override { written = played = 0; }
  void Close() override { open_ = false; }

  uint64_t written = 0, played = 0;
  const uint8_t* firstWrite = nullptr;

 private:
  bool open_ = false;
};

std::filesystem::path WaveFile(const char* name, std::size_t samples, uint32_t rate) {
  auto path = std::filesystem::temp_directory_path() / name;
  std::vector<uint8_t> data(samples);
  for (std::size_t i = 0; i < samples; ++i) data[i] = uint8_t(128 + ((i * 7) % 100) - 50);
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(uint32_t(36 + samples));
  out.write("WAVEfmt ", 8);
  u32(16), u16(1), u16(1), u32(rate), u32(rate), u16(1), u16(8);
  out.write("data", 4);
  u32(uint32_t(samples));
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(samples));
  return path;
}

struct Rig {
  explicit Rig(const char* settings) {
    ini.AddText(settings);
    mixer = Must(SoundMixer::Create(dev, ini));
    Must(mixer->SetActivated(true));
    Must(mixer->SetChannels(31));
  }
  BenchDevice dev;
  ProfileFile ini;
  std::unique_ptr<SoundMixer> mixer;
};

// Four channels always sounding at 44100 bytes a second: how much faster than real time.
void BM_MixFourBusyChannels(benchmark::State& state) {
  Rig rig("[Bench]\nSamplesPerSec=44\n");
  auto file = WaveFile("qv_bench_busy.wav", 30000, 44100);
  for (int c = 0; c < 4; ++c) {
    // Different lengths so that the stretches between changes stay short.
    Must(rig.mixer->Play(c, Must(rig.mixer->LoadWave(file)), kLoopForever, 0, nullptr));
  }
  uint64_t before = rig.dev.written;
  for (auto _ : state) {
    rig.dev.played = rig.dev.written;
    Must(rig.mixer->Session().BlocksDone());
  }
  double bytes = double(rig.dev.written - before);
  state.counters["x_real_time"] = benchmark::Counter(bytes / 44100.0, benchmark::Counter::kIsRate);
  state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_MixFourBusyChannels);

// A sound on a silent mixer: its first sample goes to the device within the play call itself,
// at the front of the first block; what remains is the device's own buffer.
void BM_LatencyOnASilentMixer(benchmark::State& state) {
  Rig rig("");
  const Wave* w = Must(rig.mixer->LoadWave(WaveFile("qv_bench_click.wav", 2000, 11025)));
  for (auto _ : state) {
    rig.dev.firstWrite = nullptr;
    Must(rig.mixer->Play(0, w, 0, 0, nullptr));
    state.PauseTiming();
    rig.dev.played = rig.dev.written;  // let it all play out
    Must(rig.mixer->Session().BlocksDone());
    rig.dev.played = rig.dev.written;
    Must(rig.mixer->Session().BlocksDone());
    state.ResumeTiming();
  }
  // The audio device's buffer.
  state.counters["device_buffer_ms"] = kDeviceFrames * 1000.0 / kDeviceRate;
}
BENCHMARK(BM_LatencyOnASilentMixer);

}  // namespace
