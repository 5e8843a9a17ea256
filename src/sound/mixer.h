#pragma once
// The wave mixer's session: up to eight channels of queued waves mixed into one 8-bit mono
// stream, fed to the wave output device in a few fixed-size blocks. Runs on the game's thread
// only: the game loop calls BlocksDone() where the device would report a finished block.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "files/status.h"
#include "sound/mixer_settings.h"
#include "sound/wave.h"
#include "sound/wave_device.h"

namespace qv::sound {

// Told when a queued play of a wave has ended (the mixer's completion message).
class PlayNotify {
 public:
  virtual ~PlayNotify() = default;
  virtual void WaveDone(int32_t channel, const Wave* wave) = 0;
};

class MixerSession;

// One play request as MixerPlay takes it. It names its session without keeping it alive: a
// request that outlives its session is refused by name, never read through a stale pointer.
struct PlayRequest {
  uint32_t size = 24;
  std::weak_ptr<MixerSession> session;
  int32_t channel = 0;
  const Wave* wave = nullptr;
  PlayNotify* notify = nullptr;  // optional
  uint32_t flags = 0;            // no flags are defined; anything else is refused
  uint16_t loops = 0;            // extra passes; kLoopForever plays until stopped
};

constexpr uint16_t kLoopForever = 0xFFFF;
// OpenMixChannel / CloseMixChannel: one channel, all eight, or the first n.
constexpr int32_t kMixSingle = 0;
constexpr int32_t kMixAll = 1;
constexpr int32_t kMixCount = 2;

class MixerSession {
 public:
  static constexpr int32_t kChannelCount = 8;
  static constexpr int32_t kPoolSize = 98;  // play entries for all channels together
  static constexpr int32_t kMaxBlocks = 6;
  static constexpr int32_t kMaxBlockLen = 4096;
  // Rewinds tried while the device keeps playing on under the mixer's feet.
  static constexpr int32_t kRemixTries = 3;

  // Every operation that can fail says why in the mixer's own words (sound/mixer_error.h).

  // MixerInit: reads the settings, checks the device and takes it for the new session, which
  // holds the device until it ends or goes.
  static Result<std::shared_ptr<MixerSession>> MixerInit(WaveDevice& device,
                                                         const ProfileFile& ini);
  ~MixerSession();
  MixerSession(const MixerSession&) = delete;
  MixerSession& operator=(const MixerSession&) = delete;

  // MixerActivate: opens the device with the output format (true) or closes it (false).
  Status MixerActivate(bool on);
  // OpenMixChannel / CloseMixChannel with kMixSingle, kMixAll or kMixCount.
  Status OpenMixChannel(int32_t channel, int32_t flags = kMixSingle);
  Status CloseMixChannel(int32_t channel, int32_t flags = kMixSingle);
  // Queues a wave on a channel and starts output. A wave that may start before the blocks
  // already mixed starts where the device is: what it has not played is mixed again.
  Status MixerPlay(const PlayRequest* request);
  // Reads and converts a wave file; the session owns the wave until FreeMixWave.
  Result<const Wave*> LoadMixWave(const std::filesystem::path& file);
  // Removes every queued play of the wave, then frees it.
  Status FreeMixWave(const Wave* wave);
  // Frees the wave once none of its plays is queued any more (at once when none is).
  Status FreeMixWaveWhenDone(const Wave* wave);
  // Deactivates, closes all channels and ends the session; later calls fail by name.
  Status EndMixSession();

  // The device's block completion: retires finished blocks and plays, refills free blocks.
  Status BlocksDone();
  // Milliseconds until the next written block finishes (-1: none is with the device).
  int32_t MsUntilBlockDone();

  const MixerSettings& Settings() const { return settings_; }
  const std::string& DeviceName() const { return deviceName_; }
  const PcmFormat& OutputFormat() const { return format_; }
  bool Active() const { return active_; }
  bool ChannelOpen(int32_t channel) const;
  int32_t OpenChannelCount() const { return openCount_; }
  // Plays queued on a channel (the one sounding included).
  int32_t QueuedPlays(int32_t channel) const;
  int32_t FreePlayEntries() const;
  // Byte position of the next block to be mixed.
  int64_t MixPosition() const { return mixPos_; }
  int32_t BlocksWithDevice() const { return queued_; }
  std::size_t LoadedWaves() const { return waves_.size(); }

 private:
  // Only MixerInit makes sessions, so that the device always knows the one that holds it.
  struct Key {
    explicit Key() = default;
  };

 public:
  MixerSession(Key, WaveDevice& device);

 private:
  struct Entry {
    int32_t channel = 0;
    const Wave* wave = nullptr;
    PlayNotify* notify = nullptr;
    uint32_t flags = 0;
    uint16_t loops = 0;
    int64_t start = 0;
    int64_t end = 0;  // first byte after the play
    int32_t next = -1;
  };
  struct Block {
    int64_t mixPos = 0;
    uint64_t deviceEnd = 0;  // device position at which it has been played
    bool free = true;
  };

  Status Setup(const ProfileFile& ini);
  Status CheckSession() const;
  void ResetPosition();
  // Sets a play's start and its end (one past its last byte).
  void Place(Entry& e, int64_t start);
  // Takes back the blocks the device has not played and mixes again from its position, with
  // `e` starting there or when its channel's earlier plays end; false: nothing changed.
  bool Remix(Entry& e, int64_t queueEnd);
  Status FillAndWrite();
  bool FillBlock(uint8_t* out);
  Status WriteBlock(int32_t index);
  void RetireEnded(int64_t position);
  void Unlink(int32_t channel, int32_t entry);
  void ReleaseBlocks();
  bool AllChannelsIdle() const;
  void FreeWaveNow(const Wave* wave);

  WaveDevice& device_;
  bool ended_ = false;
  MixerSettings settings_;
  std::string deviceName_;
  int32_t deviceId_ = -1;
  PcmFormat format_;
  bool active_ = false;
  std::array<bool, kChannelCount> open_{};
  std::array<int32_t, kChannelCount> head_{};
  int32_t openCount_ = 0;
  std::array<Entry, kPoolSize> pool_{};
  int32_t freeEntry_ = -1;
  std::vector<uint8_t> blockMemory_;
  std::array<Block, kMaxBlocks> blocks_{};
  std::array<int32_t, kMaxBlocks> deviceQueue_{};  // blocks with the device, first to last
  int32_t queued_ = 0;
  int64_t mixPos_ = 0;
  uint64_t positionOffset_ = 0;  // device position of mix position 0
  uint64_t deviceWritten_ = 0;   // bytes handed to the device since it was opened
  std::vector<std::unique_ptr<Wave>> waves_;
  std::vector<const Wave*> freeWhenDone_;
  std::vector<int32_t> mixScratch_;
};

// MixerPlay as the request names its session: refused by name when that session has gone.
Status MixerPlay(const PlayRequest* request);

}  // namespace qv::sound
