#include "sound/stream_device.h"

#include <algorithm>
#include <cstring>

namespace qv::sound {
namespace {

// The audio thread works in pieces: it copies the bytes a piece needs, and keeps them only if
// the cursor has not moved meanwhile.
constexpr int32_t kPieceFrames = 1024;
constexpr uint64_t kPieceBytes = 4096;
// A piece given up this often (the game replacing the stream each time) leaves the rest of the
// buffer silent; the next buffer tries again.
constexpr int32_t kPieceTries = 4;

}  // namespace

StreamDevice::StreamDevice(bool present, std::string name)
    : present_(present), name_(std::move(name)), ring_(new uint8_t[kCapacity]()) {}

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
  const uint64_t read = ringRead_.load(std::memory_order_acquire);
  if (size > kCapacity - (ringWrite_ - read)) return false;
  for (std::size_t done = 0; done < size;) {
    std::size_t at = std::size_t((ringWrite_ + done) % kCapacity);
    std::size_t n = std::min(size - done, kCapacity - at);
    std::memcpy(&ring_[at], data + done, n);
    done += n;
  }
  ringWrite_ += size;
  // The bytes of a rewind become visible all at once, when it is kept.
  if (!rewind_) end_.store(ringWrite_, std::memory_order_release);
  return true;
}

uint64_t StreamDevice::Position() {
  uint64_t p = PositionOf(cursor_.load(std::memory_order_acquire));
  return p > positionBase_ ? p - positionBase_ : 0;
}

bool StreamDevice::Cut(uint64_t cursor, uint64_t ringFrom) {
  const uint64_t generation = GenerationOf(cursor) + 1;
  const std::size_t slot = std::size_t(generation % kGenerations);
  offset_[slot].store(ringFrom - PositionOf(cursor), std::memory_order_release);
  firstEnd_[slot].store(ringWrite_, std::memory_order_release);
  uint64_t expected = cursor;
  if (!cursor_.compare_exchange_strong(expected, Cursor(generation, PositionOf(cursor)),
                                       std::memory_order_acq_rel)) {
    return false;  // the audio thread took bytes meanwhile
  }
  end_.store(ringWrite_, std::memory_order_release);
  return true;
}

void StreamDevice::Reset() {
  if (rewind_) EndRewind(false);
  // The audio thread moves on only by taking bytes, so this ends after a try or two.
  for (;;) {
    uint64_t c = cursor_.load(std::memory_order_acquire);
    if (Cut(c, ringWrite_)) {
      positionBase_ = PositionOf(c);
      return;
    }
  }
}

void StreamDevice::Close() {
  open_.store(false, std::memory_order_release);
  Reset();
}

std::optional<uint64_t> StreamDevice::BeginRewind() {
  if (!IsOpen() || rewind_) return std::nullopt;
  rewind_ = cursor_.load(std::memory_order_acquire);
  rewindRing_ = ringWrite_;
  uint64_t p = PositionOf(*rewind_);
  return p > positionBase_ ? p - positionBase_ : 0;
}

bool StreamDevice::EndRewind(bool keep) {
  if (!rewind_) return false;
  const uint64_t from = *rewind_;
  rewind_.reset();
  if (keep && Cut(from, rewindRing_)) return true;
  ringWrite_ = rewindRing_;  // none of it was ever visible to the audio thread
  return false;
}

void StreamDevice::Render(int16_t* out, int32_t frames, int32_t outputRate) {
  if (!open_.load(std::memory_order_acquire) || paused_.load(std::memory_order_acquire) ||
      outputRate <= 0) {
    return;
  }
  const uint32_t step = uint32_t(std::min<uint64_t>(
      (uint64_t(rate_.load(std::memory_order_relaxed)) << 16) / uint64_t(outputRate), 1u << 24));
  for (int32_t done = 0; done < frames;) {
    int32_t n = RenderPiece(out + 2 * done, frames - done, step);
    if (n == 0) break;
    done += n;
  }
}

int32_t StreamDevice::RenderPiece(int16_t* out, int32_t frames, uint32_t step) {
  // As many frames as the piece's bytes cover, whatever the rates.
  frames = int32_t(std::min<uint64_t>(
      {uint64_t(frames), uint64_t(kPieceFrames),
       std::max<uint64_t>(1, ((kPieceBytes - 3) << 16) / std::max<uint32_t>(step, 1))}));
  std::array<uint8_t, kPieceBytes> src;
  std::array<int32_t, kPieceFrames> value;
  for (int32_t attempt = 0; attempt < kPieceTries; ++attempt) {
    const uint64_t cursor = cursor_.load(std::memory_order_acquire);
    const std::size_t slot = std::size_t(GenerationOf(cursor) % kGenerations);
    const uint64_t offset = offset_[slot].load(std::memory_order_acquire);
    const uint64_t end = std::max(end_.load(std::memory_order_acquire),
                                  firstEnd_[slot].load(std::memory_order_acquire));
    if (cursor_.load(std::memory_order_acquire) != cursor) continue;
    const uint64_t from = PositionOf(cursor) + offset;
    if (from >= end) {
      // Nothing to take; what lies before is free for the game's thread to write again.
      ringRead_.store(from, std::memory_order_release);
      return 0;
    }
    // The bytes the frames move over, and the one after the last for the interpolation.
    const uint64_t need = ((uint64_t(phase_) + uint64_t(frames) * step) >> 16) + 2;
    const uint64_t w = std::min({end - from, need, kPieceBytes});
    for (uint64_t done = 0; done < w;) {
      std::size_t at = std::size_t((from + done) % kCapacity);
      std::size_t n = std::size_t(std::min<uint64_t>(w - done, kCapacity - at));
      std::memcpy(&src[std::size_t(done)], &ring_[at], n);
      done += n;
    }
    uint64_t r = 0;
    uint32_t phase = phase_;
    int32_t made = 0;
    for (; made < frames && r < w; ++made) {
      int32_t s0 = src[std::size_t(r)];
      int32_t s1 = r + 1 < w ? src[std::size_t(r + 1)] : s0;
      value[std::size_t(made)] = ((s0 - 128) << 8) + (((s1 - s0) << 8) * int32_t(phase) >> 16);
      phase += step;
      r = std::min(w, r + (phase >> 16));
      phase &= 0xFFFF;
    }
    uint64_t expected = cursor;
    if (!cursor_.compare_exchange_strong(expected,
                                         Cursor(GenerationOf(cursor), PositionOf(cursor) + r),
                                         std::memory_order_acq_rel)) {
      continue;  // the game's thread replaced the stream: read it again
    }
    phase_ = phase;
    ringRead_.store(from + r, std::memory_order_release);
    for (int32_t i = 0; i < made; ++i) {
      for (int32_t c = 0; c < 2; ++c) {
        int16_t& o = out[2 * i + c];
        o = int16_t(std::clamp(int32_t(o) + value[std::size_t(i)], -32768, 32767));
      }
    }
    return made;
  }
  return 0;
}

}  // namespace qv::sound
