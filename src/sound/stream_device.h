#pragma once
// The mixer's wave output device on a shared audio stream: blocks written on the game's thread
// go into a lock-free single-producer, single-consumer byte queue, and the audio thread adds
// them, converted, to the 16-bit stereo output it is producing. The position is what the audio
// thread has taken, so block completion is seen on the game's thread without any message.
#include <array>
#include <atomic>
#include <cstdint>

#include "sound/wave_device.h"

namespace qv::sound {

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

  // Audio thread: adds the queued 8-bit mono stream to `frames` frames of interleaved 16-bit
  // stereo at `outputRate`, resampling on the way; takes nothing while paused or closed.
  void Render(int16_t* stereo, int32_t frames, int32_t outputRate);

  static constexpr std::size_t kCapacity = 32768;  // more than six blocks of 4096 bytes

 private:
  bool present_;
  std::string name_;
  std::array<uint8_t, kCapacity> ring_{};
  std::atomic<uint64_t> written_{0};  // bytes ever written (game thread)
  std::atomic<uint64_t> taken_{0};    // bytes ever taken or dropped (audio thread)
  std::atomic<uint64_t> dropTo_{0};   // the audio thread skips everything before this
  std::atomic<int32_t> rate_{11025};
  std::atomic<bool> open_{false};
  std::atomic<bool> paused_{false};
  uint64_t positionBase_ = 0;  // game thread: `written_` at the last Open or Reset
  uint32_t phase_ = 0;         // audio thread: 16.16 fraction between two source samples
};

}  // namespace qv::sound
