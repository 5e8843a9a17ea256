#pragma once
// TSoundMixer: the mixer as the window owns it (SoundMixer1), with its Activated and Channels
// properties and the LoadWave / ReleaseWave / Play methods.
#include <cstdint>
#include <filesystem>
#include <memory>

#include "files/status.h"
#include "sound/mixer.h"

namespace qv::sound {

class SoundMixer {
 public:
  // Runs MixerInit; on failure "Initialization failed (MixerInit): <the reason>".
  static Result<std::unique_ptr<SoundMixer>> Create(WaveDevice& device,
                                                    const ProfileFile& settings);
  // Closes the channels, deactivates and ends the session.
  ~SoundMixer();
  SoundMixer(const SoundMixer&) = delete;
  SoundMixer& operator=(const SoundMixer&) = delete;

  bool Activated() const { return activated_; }
  Status SetActivated(bool on);
  // Bit i stands for channel i: 255 opens all, 0 closes all, else each changed bit is applied
  // (up to the first that fails).
  uint8_t Channels() const { return channels_; }
  Status SetChannels(uint8_t mask);

  Result<const Wave*> LoadWave(const std::filesystem::path& file) {
    return session_->LoadMixWave(file);
  }
  Status ReleaseWave(const Wave* wave) { return session_->FreeMixWave(wave); }
  Status Play(int32_t channel, const Wave* wave, uint16_t loops, uint32_t flags,
              PlayNotify* notify);

  MixerSession& Session() { return *session_; }
  // The session as a play request names it.
  std::weak_ptr<MixerSession> Handle() const { return session_; }

 private:
  explicit SoundMixer(std::shared_ptr<MixerSession> session) : session_(std::move(session)) {}

  std::shared_ptr<MixerSession> session_;
  bool activated_ = false;
  uint8_t channels_ = 0;
};

}  // namespace qv::sound
