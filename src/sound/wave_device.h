#pragma once
// The wave output device the mixer feeds: the one place where its blocks leave our code.
// The real game hands blocks to the audio device (platform/sdl); tests use a fake with a clock.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qv::sound {

// A PCM format: what a wave file holds or what the device is opened with.
struct PcmFormat {
  int32_t channels = 1;  // 1 mono, 2 stereo
  int32_t samplesPerSec = 11025;
  int32_t bitsPerSample = 8;  // 8 (unsigned, silence 128) or 16 (signed)
  int32_t BlockAlign() const { return channels * (bitsPerSample / 8); }
  int32_t BytesPerSec() const { return samplesPerSec * BlockAlign(); }
  bool operator==(const PcmFormat&) const = default;
};

// What a device says about itself before it is opened.
struct DeviceCaps {
  std::string name;          // product name; empty when it has none
  bool synchronous = false;  // a blocking device cannot play while the game runs
};

// Result codes of the device; 0 is success, anything else is shown as "#<code>".
constexpr int32_t kDeviceOk = 0;
// Open() could not set up its completion notice (the mixer's "callback window").
constexpr int32_t kDeviceNoNotify = -1;

class MixerSession;

class WaveDevice {
 public:
  virtual ~WaveDevice() = default;

  // The mixer session that holds this device (one at a time); expired when none does.
  std::weak_ptr<MixerSession> session;

  // Number of output devices on this machine (0: none).
  virtual int32_t DeviceCount() = 0;
  // Capabilities of device `id` (-1: the default device).
  virtual DeviceCaps Caps(int32_t id) = 0;
  // Opens device `id` with the format; kDeviceOk or an error code.
  virtual int32_t Open(int32_t id, const PcmFormat& format) = 0;
  // True between a successful Open and Close (another session may hold it).
  virtual bool IsOpen() const = 0;
  // Prepares one block buffer of up to `capacity` bytes for writing; kDeviceOk or a code.
  virtual int32_t PrepareBlock(int32_t /*block*/, std::size_t /*capacity*/) { return kDeviceOk; }
  // Hands `size` bytes to the device, played after everything written before; false: refused.
  virtual bool Write(int32_t block, const uint8_t* data, std::size_t size) = 0;
  // Bytes played since Open or the last Reset.
  virtual uint64_t Position() = 0;
  // Holds playback where it is; Restart continues it.
  virtual void Pause() = 0;
  virtual void Restart() = 0;
  // Drops everything written and not yet played; the position goes back to 0.
  virtual void Reset() = 0;
  virtual void Close() = 0;

  // Takes back what was written and not yet played: Writes until EndRewind replace it, from
  // the returned position on (as Position counts). Nothing when the device cannot take back.
  // A device that can keeps its own copy of what it is given, as the mixer fills its blocks
  // again.
  virtual std::optional<uint64_t> BeginRewind() { return std::nullopt; }
  // keep: the new bytes play in place of the old ones, at once; false when the device moved on
  // meanwhile (or !keep), and then the old bytes play as if the rewind had never begun.
  virtual bool EndRewind(bool /*keep*/) { return false; }
};

}  // namespace qv::sound
