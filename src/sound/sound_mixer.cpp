#include "sound/sound_mixer.h"

#include "sound/mixer_error.h"

namespace qv::sound {

Result<std::unique_ptr<SoundMixer>> SoundMixer::Create(WaveDevice& device,
                                                       const ProfileFile& settings) {
  Result<std::shared_ptr<MixerSession>> session = MixerSession::MixerInit(device, settings);
  if (!session.ok()) return Failure(std::string(msg::kInitFailed) + ": " + session.message());
  return std::unique_ptr<SoundMixer>(new SoundMixer(std::move(*session)));
}

SoundMixer::~SoundMixer() {
  // The component goes whatever happens: what fails on the way is of no use to anyone now.
  static_cast<void>(SetChannels(0));
  static_cast<void>(SetActivated(false));
  static_cast<void>(session_->EndMixSession());
}

Status SoundMixer::SetActivated(bool on) {
  if (Status s = session_->MixerActivate(on); !s.ok()) return s;
  activated_ = on;
  return {};
}

Status SoundMixer::SetChannels(uint8_t mask) {
  if (mask == 255) {
    if (Status s = session_->OpenMixChannel(0, kMixAll); !s.ok()) return s;
  } else if (mask == 0) {
    if (Status s = session_->CloseMixChannel(0, kMixAll); !s.ok()) return s;
  } else {
    for (int32_t c = 0; c < MixerSession::kChannelCount; ++c) {
      bool want = (mask >> c) & 1;
      if (want == session_->ChannelOpen(c)) continue;
      Status s = want ? session_->OpenMixChannel(c) : session_->CloseMixChannel(c);
      if (!s.ok()) return s;
    }
  }
  channels_ = mask;
  return {};
}

Status SoundMixer::Play(int32_t channel, const Wave* wave, uint16_t loops, uint32_t flags,
                        PlayNotify* notify) {
  PlayRequest r;
  r.session = session_;
  r.channel = channel;
  r.wave = wave;
  r.notify = notify;
  r.flags = flags;
  r.loops = loops;
  return session_->MixerPlay(&r);
}

}  // namespace qv::sound
