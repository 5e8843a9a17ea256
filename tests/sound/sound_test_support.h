#pragma once
// Helpers for the sound tests: a wave output device driven by a clock the test moves, and
// wave files made on the spot.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "sound/wave_device.h"

// A Status or Result that should be ok; its message when it is not.
#define EXPECT_OK(expr)                                     \
  do {                                                      \
    const auto& qv_outcome_ = (expr);                       \
    EXPECT_TRUE(qv_outcome_.ok()) << qv_outcome_.message(); \
  } while (0)

namespace qv::sound::testing {

class FakeDevice : public WaveDevice {
 public:
  int32_t DeviceCount() override { return count; }
  DeviceCaps Caps(int32_t) override { return caps; }
  int32_t Open(int32_t id, const PcmFormat& f) override {
    if (openResult != kDeviceOk) return openResult;
    openedId = id;
    format = f;
    open = true;
    paused = false;
    Reset();
    return kDeviceOk;
  }
  bool IsOpen() const override { return open; }
  int32_t PrepareBlock(int32_t, std::size_t) override { return prepareResult; }
  bool Write(int32_t, const uint8_t* data, std::size_t size) override {
    if (refuseWrites || !open) return false;
    stream.insert(stream.end(), data, data + size);
    written += size;
    ++writes;
    return true;
  }
  uint64_t Position() override { return played; }
  void Pause() override { paused = true; }
  void Restart() override { paused = false; }
  void Reset() override {
    streamAtReset = stream.size();
    written = played = 0;
  }
  void Close() override { open = false; }
  std::optional<uint64_t> BeginRewind() override {
    if (!canRewind || !open || rewinding) return std::nullopt;
    rewinding = true;
    kept = stream;
    keptWritten = written;
    stream.resize(streamAtReset + played);  // what is not yet played goes
    written = played;
    return played;
  }
  bool EndRewind(bool keep) override {
    if (!rewinding) return false;
    rewinding = false;
    if (keep && !playsOnDuringRewind) {
      ++rewinds;
      return true;
    }
    stream = kept;
    written = keptWritten;
    return false;
  }

  // Lets the clock run: the device plays up to `bytes` of what it holds.
  void Play(uint64_t bytes) {
    if (open && !paused) played = std::min(written, played + bytes);
  }
  uint64_t Queued() const { return written - played; }

  int32_t count = 1;
  DeviceCaps caps{"Fake Out", false};
  int32_t openResult = kDeviceOk;
  int32_t prepareResult = kDeviceOk;
  bool refuseWrites = false;
  int32_t openedId = -2;
  PcmFormat format;
  bool open = false;
  bool paused = false;
  std::vector<uint8_t> stream;  // every byte ever written, in order
  std::size_t streamAtReset = 0;
  uint64_t written = 0, played = 0;
  int32_t writes = 0;
  bool canRewind = true;
  bool playsOnDuringRewind = false;  // every rewind finds the device moved on, and fails
  bool rewinding = false;
  int32_t rewinds = 0;  // rewinds kept
  std::vector<uint8_t> kept;
  uint64_t keptWritten = 0;
};

inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
inline void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

// A RIFF WAVE image; `fmtSize` and `formatTag` can be set wrong on purpose.
inline std::vector<uint8_t> WavBytes(int32_t channels, int32_t rate, int32_t bits,
                                     const std::vector<uint8_t>& data, uint32_t fmtSize = 16,
                                     uint16_t formatTag = 1) {
  std::vector<uint8_t> b{'R', 'I', 'F', 'F'};
  Put32(b, 0);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(b, fmtSize);
  Put16(b, formatTag);
  Put16(b, uint32_t(channels));
  Put32(b, uint32_t(rate));
  Put32(b, uint32_t(rate * channels * bits / 8));
  Put16(b, uint32_t(channels * bits / 8));
  Put16(b, uint32_t(bits));
  for (uint32_t i = 16; i < fmtSize && i < 64; ++i) b.push_back(0);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  Put32(b, uint32_t(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  if (data.size() & 1) b.push_back(0);
  uint32_t riff = uint32_t(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + std::size_t(i)] = uint8_t(riff >> (8 * i));
  return b;
}

inline void WriteFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// An 8-bit mono 11025 Hz file of `count` samples all of `value`.
inline std::vector<uint8_t> FlatWav(uint8_t value, std::size_t count) {
  return WavBytes(1, 11025, 8, std::vector<uint8_t>(count, value));
}

// A fresh temporary folder, removed when it goes.
struct TempDir {
  std::filesystem::path path;
  TempDir() {
    path = std::filesystem::temp_directory_path() /
           ("qv_sound_" + std::to_string(::getpid()) + "_" + std::to_string(counter()++));
    std::filesystem::create_directories(path);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  static int& counter() {
    static int n = 0;
    return n;
  }
};

}  // namespace qv::sound::testing
