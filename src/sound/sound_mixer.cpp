#include "sound/sound_mixer.h"

#include "sound/mixer_error.h"

namespace qv::sound {

SoundMixer::SoundMixer(WaveDevice& device, const ProfileFile& settings) {
  try {
    session_ = MixerSession::MixerInit(device, settings);
  } catch (const EMixerError& e) {
    throw EMixerError(std::string(msg::kInitFailed) + ": " + e.what());
  }
}

SoundMixer::~SoundMixer() {
  try {
    SetChannels(0);
    SetActivated(false);
    session_->EndMixSession();
  } catch (const EMixerError&) {
  }
}

void SoundMixer::SetActivated(bool on) {
  session_->MixerActivate(on);
  activated_ = on;
}

void SoundMixer::SetChannels(uint8_t mask) {
  if (mask == 255) {
    session_->OpenMixChannel(0, kMixAll);
  } else if (mask == 0) {
    session_->CloseMixChannel(0, kMixAll);
  } else {
    for (int32_t c = 0; c < MixerSession::kChannelCount; ++c) {
      bool want = (mask >> c) & 1;
      if (want == session_->ChannelOpen(c)) continue;
      if (want) {
        session_->OpenMixChannel(c);
      } else {
        session_->CloseMixChannel(c);
      }
    }
  }
  channels_ = mask;
}

void SoundMixer::Play(int32_t channel, const Wave* wave, uint16_t loops, uint32_t flags,
                      PlayNotify* notify) {
  PlayRequest r;
  r.session = session_;
  r.channel = channel;
  r.wave = wave;
  r.notify = notify;
  r.flags = flags;
  r.loops = loops;
  session_->MixerPlay(&r);
}

}  // namespace qv::sound
