#include "sound/stream_device.h"

#include <algorithm>
#include <cstring>

namespace qv::sound {

StreamDevice::StreamDevice(bool present, std::string name)
    : present_(present), name_(std::move(name)) {}

int32_t StreamDevice::Open(int32_t id, const PcmFormat& format) {
  if (!present_) return 2;  // no such device
  if (format.channels != 1 || format.bitsPerSample != 8 || format.samplesPerSec <= 0) return 32;
  rate_.store(format.samplesPerSec, std::memory_order_release);
  paused_.store(false, std::memory_order_release);
  Reset();
  open_.store(true, std::memory_order_release);
  return kDeviceOk;
}

bool StreamDevice::Write(int32_t block, const uint8_t* data, std::size_t size) {
  if (!IsOpen()) return false;
  uint64_t w = written_.load(std::memory_order_relaxed);
  uint64_t r =
      std::max(taken_.load(std::memory_order_acquire), dropTo_.load(std::memory_order_relaxed));
  if (size > kCapacity - (w - r)) return false;
  for (std::size_t done = 0; done < size;) {
    std::size_t at = std::size_t((w + done) % kCapacity);
    std::size_t n = std::min(size - done, kCapacity - at);
    std::memcpy(&ring_[at], data + done, n);
    done += n;
  }
  written_.store(w + size, std::memory_order_release);
  return true;
}

uint64_t StreamDevice::Position() {
  uint64_t r = taken_.load(std::memory_order_acquire);
  return r > positionBase_ ? r - positionBase_ : 0;
}

void StreamDevice::Reset() {
  // The audio thread drops what is queued the next time it runs; the position starts at 0.
  uint64_t w = written_.load(std::memory_order_relaxed);
  dropTo_.store(w, std::memory_order_release);
  positionBase_ = w;
}

void StreamDevice::Close() {
  open_.store(false, std::memory_order_release);
  Reset();
}

void StreamDevice::Render(int16_t* out, int32_t frames, int32_t outputRate) {
  if (!open_.load(std::memory_order_acquire) || paused_.load(std::memory_order_acquire) ||
      outputRate <= 0) {
    return;
  }
  uint64_t r =
      std::max(taken_.load(std::memory_order_relaxed), dropTo_.load(std::memory_order_acquire));
  const uint64_t w = written_.load(std::memory_order_acquire);
  const uint32_t step = uint32_t(std::min<uint64_t>(
      (uint64_t(rate_.load(std::memory_order_relaxed)) << 16) / uint64_t(outputRate), 1u << 24));
  for (int32_t i = 0; i < frames && r < w; ++i) {
    int32_t s0 = ring_[std::size_t(r % kCapacity)];
    int32_t s1 = r + 1 < w ? ring_[std::size_t((r + 1) % kCapacity)] : s0;
    int32_t v = ((s0 - 128) << 8) + (((s1 - s0) << 8) * int32_t(phase_) >> 16);
    for (int32_t c = 0; c < 2; ++c) {
      int16_t& o = out[2 * i + c];
      o = int16_t(std::clamp(int32_t(o) + v, -32768, 32767));
    }
    phase_ += step;
    r = std::min(w, r + (phase_ >> 16));
    phase_ &= 0xFFFF;
  }
  taken_.store(r, std::memory_order_release);
}

}  // namespace qv::sound
