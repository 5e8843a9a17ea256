#pragma once
// The mixer's wave output device on a shared audio stream: blocks written on the game's thread
// go into a lock-free single-producer, single-consumer byte queue, and the audio thread adds
// them, converted, to the 16-bit stereo output it is producing. The position is what the audio
// thread has taken, so block completion is seen on the game's thread without any message.
//
// What was written and not yet taken can be replaced (BeginRewind … EndRewind): the new bytes
// go into free space of the queue, and one compare-and-swap on the audio thread's cursor
// switches it over at exactly the byte it would have taken next. The audio thread copies what
// it takes and keeps it only if its own compare-and-swap finds the cursor unchanged, so it
// never plays a byte of a stream that was replaced while it was reading.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "sound/wave_device.h"

namespace qv::sound {

// The audio device the game opens: 16-bit stereo at 44.1 kHz, mixed 1280 frames (29 ms) at a
// time. A sound asked for reaches the device within one such buffer; a smaller one would
// wake the audio thread (and a sound server) more often for no gain the player hears.
constexpr int32_t kDeviceRate = 44100;
constexpr int32_t kDeviceFrames = 1280;

class StreamDevice : public WaveDevice {
 public:
  // `present`: whether an audio device exists at all (without one the mixer stays closed).
  explicit StreamDevice(bool present, std::string name = "SDL audio");

  // Game thread.
  int32_t DeviceCount() override { return present_ ? 1 : 0; }
  DeviceCaps Caps(int32_t id) override { return {name_, false}; }
  int32_t Open(int32_t id, const PcmFormat& format) override;
  bool IsOpen() const override { return open_.load(std::memory_order_acquire); }
  bool Write(int32_t block, const uint8_t* data, std::size_t size) override;
  uint64_t Position() override;
  void Pause() override { paused_.store(true, std::memory_order_release); }
  void Restart() override { paused_.store(false, std::memory_order_release); }
  void Reset() override;
  void Close() override;
  std::optional<uint64_t> BeginRewind() override;
  bool EndRewind(bool keep) override;

  // Audio thread: adds the queued 8-bit mono stream to `frames` frames of interleaved 16-bit
  // stereo at `outputRate`, resampling on the way; takes nothing while paused or closed.
  void Render(int16_t* stereo, int32_t frames, int32_t outputRate);

  // Room for six blocks of 4096 bytes not yet played, a rewind's six more, and a few rewinds
  // more before the audio thread next takes its bytes.
  static constexpr std::size_t kCapacity = 1u << 17;

 private:
  // The cursor: the generation of the stream in its top 16 bits, and the stream position of
  // the next byte the audio thread takes below. A rewind starts a new generation.
  static constexpr int kPositionBits = 48;
  static constexpr uint64_t kPositionMask = (uint64_t(1) << kPositionBits) - 1;
  static constexpr std::size_t kGenerations = 4;
  static uint64_t PositionOf(uint64_t cursor) { return cursor & kPositionMask; }
  static uint64_t GenerationOf(uint64_t cursor) { return cursor >> kPositionBits; }
  static uint64_t Cursor(uint64_t generation, uint64_t position) {
    return (generation << kPositionBits) | (position & kPositionMask);
  }
  // Replaces everything not yet taken by what is written from now on (game thread).
  bool Cut(uint64_t cursor, uint64_t ringFrom);
  // One piece of Render: at most `frames` frames; returns the frames it filled.
  int32_t RenderPiece(int16_t* stereo, int32_t frames, uint32_t step);

  bool present_;
  std::string name_;
  std::unique_ptr<uint8_t[]> ring_;
  // Ring positions count bytes ever put into the ring; byte i lives at ring_[i % kCapacity].
  // Each generation maps stream positions onto ring positions by adding its offset, and may
  // take bytes up to the later of its first end and `end_`.
  std::atomic<uint64_t> cursor_{0};
  std::array<std::atomic<uint64_t>, kGenerations> offset_{};
  std::array<std::atomic<uint64_t>, kGenerations> firstEnd_{};
  std::atomic<uint64_t> end_{0};       // ring position after the last byte written (game)
  std::atomic<uint64_t> ringRead_{0};  // ring position the audio thread has taken up to
  std::atomic<int32_t> rate_{11025};
  std::atomic<bool> open_{false};
  std::atomic<bool> paused_{false};
  // Game thread only.
  uint64_t ringWrite_ = 0;          // ring position of the next byte written
  uint64_t positionBase_ = 0;       // stream position at the last Open or Reset
  std::optional<uint64_t> rewind_;  // the cursor a rewind being written replaces from
  uint64_t rewindRing_ = 0;         // where that rewind's bytes begin in the ring
  // Audio thread only.
  uint32_t phase_ = 0;  // 16.16 fraction between two source samples
};

}  // namespace qv::sound
