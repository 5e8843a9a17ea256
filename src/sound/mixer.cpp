#include "sound/mixer.h"

#include <algorithm>

#include "sound/mixer_error.h"

namespace qv::sound {

std::shared_ptr<MixerSession> MixerSession::MixerInit(WaveDevice& device, const ProfileFile& ini) {
  if (!device.session.expired()) throw EMixerError(msg::kSessionExists);
  auto session = std::make_shared<MixerSession>(Key{}, device, ini);
  device.session = session;
  return session;
}

MixerSession::MixerSession(Key, WaveDevice& device, const ProfileFile& ini) : device_(device) {
  int32_t count = device.DeviceCount();
  if (count <= 0) throw EMixerError(msg::kNoDevices);
  // The device number comes first: its name picks the settings section.
  deviceId_ = ReadMixerSettings(ini, "", count).waveOutDevice;
  DeviceCaps caps = device.Caps(deviceId_);
  deviceName_ = caps.name.empty() ? msg::kUnknownDevice : caps.name.substr(0, 32);
  settings_ = ReadMixerSettings(ini, deviceName_, count);
  if (caps.synchronous) throw EMixerError(deviceName_ + msg::kSynchronous);
  if (settings_.notCompatible) throw EMixerError(deviceName_ + msg::kNotCompatible);
  format_ = PcmFormat{1, settings_.samplesPerSec, 8};
  head_.fill(-1);
  for (int32_t i = 0; i < kPoolSize; ++i)
    pool_[std::size_t(i)].next = i + 1 < kPoolSize ? i + 1 : -1;
  freeEntry_ = 0;
}

MixerSession::~MixerSession() {
  if (ended_) return;
  try {
    EndMixSession();
  } catch (const EMixerError&) {
  }
}

void MixerSession::CheckSession() const {
  if (ended_) throw EMixerError(msg::kInvalidSession);
}

void MixerSession::MixerActivate(bool on) {
  CheckSession();
  if (on == active_) return;
  if (!on) {
    device_.Reset();
    ReleaseBlocks();
    device_.Close();
    active_ = false;
    return;
  }
  if (device_.IsOpen()) throw EMixerError(msg::kResourceBusy);
  int32_t code = device_.Open(deviceId_, format_);
  if (code == kDeviceNoNotify) throw EMixerError(msg::kNoCallbackWindow);
  if (code != kDeviceOk) throw EMixerError(msg::kOpenFailed + std::to_string(code));
  try {
    blockMemory_.assign(std::size_t(kMaxBlocks) * kMaxBlockLen, 128);
    mixScratch_.assign(kMaxBlockLen, 0);
  } catch (const std::bad_alloc&) {
    device_.Close();
    throw EMixerError(msg::kNoMemory);
  }
  for (int32_t i = 0; i < kMaxBlocks; ++i) {
    int32_t prepared = device_.PrepareBlock(i, kMaxBlockLen);
    if (prepared != kDeviceOk) {
      ReleaseBlocks();
      device_.Close();
      throw EMixerError(msg::kPrepareFailed + std::to_string(prepared));
    }
  }
  for (Block& b : blocks_) b = Block{};
  queued_ = 0;
  deviceWritten_ = 0;
  active_ = true;
  ResetPosition();
  device_.Pause();
  FillAndWrite();
  device_.Restart();
}

void MixerSession::ReleaseBlocks() {
  blockMemory_.clear();
  blockMemory_.shrink_to_fit();
  queued_ = 0;
  for (Block& b : blocks_) b = Block{};
}

bool MixerSession::ChannelOpen(int32_t channel) const {
  return channel >= 0 && channel < kChannelCount && open_[std::size_t(channel)];
}

void MixerSession::OpenMixChannel(int32_t channel, int32_t flags) {
  CheckSession();
  int32_t first = 0, last = 0;
  if (flags == kMixSingle) {
    if (channel < 0 || channel >= kChannelCount) throw EMixerError(msg::kBadChannel);
    if (open_[std::size_t(channel)]) throw EMixerError(msg::kChannelOpen);
    first = last = channel;
  } else if (flags == kMixAll) {
    last = kChannelCount - 1;
  } else if (flags == kMixCount) {
    if (channel < 1 || channel > kChannelCount) throw EMixerError(msg::kBadChannelCount);
    last = channel - 1;
  } else {
    throw EMixerError(msg::kBadFlag);
  }
  for (int32_t c = first; c <= last; ++c) {
    if (open_[std::size_t(c)]) continue;
    open_[std::size_t(c)] = true;
    head_[std::size_t(c)] = -1;
    ++openCount_;
  }
}

void MixerSession::CloseMixChannel(int32_t channel, int32_t flags) {
  CheckSession();
  int32_t first = 0, last = 0;
  if (flags == kMixSingle) {
    if (channel < 0 || channel >= kChannelCount) throw EMixerError(msg::kBadChannel);
    if (!open_[std::size_t(channel)]) throw EMixerError(msg::kChannelNotOpen);
    first = last = channel;
  } else if (flags == kMixAll) {
    last = kChannelCount - 1;
  } else if (flags == kMixCount) {
    if (channel < 1 || channel > kChannelCount) throw EMixerError(msg::kBadChannelCount);
    last = channel - 1;
  } else {
    throw EMixerError(msg::kBadFlag);
  }
  for (int32_t c = first; c <= last; ++c) {
    if (!open_[std::size_t(c)]) continue;
    while (head_[std::size_t(c)] != -1) Unlink(c, head_[std::size_t(c)]);
    open_[std::size_t(c)] = false;
    --openCount_;
  }
  // Waves waiting for their plays to end may be free now.
  RetireEnded(INT64_MIN);
}

void MixerSession::Unlink(int32_t channel, int32_t entry) {
  int32_t* link = &head_[std::size_t(channel)];
  while (*link != -1 && *link != entry) link = &pool_[std::size_t(*link)].next;
  if (*link == -1) return;
  *link = pool_[std::size_t(entry)].next;
  pool_[std::size_t(entry)] = Entry{};
  pool_[std::size_t(entry)].next = freeEntry_;
  freeEntry_ = entry;
}

bool MixerSession::AllChannelsIdle() const {
  return std::all_of(head_.begin(), head_.end(), [](int32_t h) { return h == -1; });
}

void MixerSession::ResetPosition() {
  mixPos_ = 0;
  positionOffset_ = device_.Position();
}

void MixerSession::MixerPlay(const PlayRequest* r) {
  if (!r) throw EMixerError(msg::kNilParams);
  CheckSession();
  if (r->session.lock().get() != this) throw EMixerError(msg::kInvalidSession);
  if (!r->wave) throw EMixerError(msg::kNilWave);
  if (!active_) throw EMixerError(msg::kNotActive);
  if (openCount_ == 0) throw EMixerError(msg::kNoChannelOpen);
  if (r->channel < 0 || r->channel >= kChannelCount) throw EMixerError(msg::kBadChannel);
  if (!open_[std::size_t(r->channel)]) throw EMixerError(msg::kChannelNotOpen);
  if (r->flags != 0) throw EMixerError(msg::kBadFlags);
  bool ours = std::any_of(waves_.begin(), waves_.end(),
                          [&](const std::unique_ptr<Wave>& w) { return w.get() == r->wave; });
  if (!ours || r->wave->data.empty()) throw EMixerError(msg::kBadPointer);

  // A silent mixer starts the new sound at once, from position 0.
  if (queued_ == 0 && AllChannelsIdle()) ResetPosition();
  if (freeEntry_ == -1) throw EMixerError(msg::kNotEnoughMemory);

  // A channel plays its waves one after the other.
  int64_t queueEnd = INT64_MIN;
  int32_t* link = &head_[std::size_t(r->channel)];
  while (*link != -1) {
    queueEnd = std::max(queueEnd, pool_[std::size_t(*link)].end);
    link = &pool_[std::size_t(*link)].next;
  }
  int32_t index = freeEntry_;
  Entry& e = pool_[std::size_t(index)];
  freeEntry_ = e.next;
  e = Entry{r->channel, r->wave, r->notify, r->flags, r->loops, 0, 0, -1};
  Place(e, std::max(mixPos_, queueEnd));
  *link = index;

  // A sound that could start before the blocks already mixed need not wait for them.
  if (queued_ > 0 && queueEnd < mixPos_ && settings_.remix != 0 && Remix(e, queueEnd)) return;

  bool paused = queued_ == 0;
  if (paused) device_.Pause();
  try {
    FillAndWrite();
  } catch (...) {
    if (paused) device_.Restart();
    throw;
  }
  if (paused) device_.Restart();
}

void MixerSession::Place(Entry& e, int64_t start) {
  // Saturating: a play queued behind an endless loop never starts.
  int64_t span = int64_t(e.wave->data.size()) * (int64_t(e.loops) + 1);
  bool endless = e.loops == kLoopForever || start > INT64_MAX - span;
  e.start = start;
  e.end = endless ? INT64_MAX : start + span;
}

bool MixerSession::Remix(Entry& e, int64_t queueEnd) {
  // What the device holds and has not played is mixed again from where it is now, with the
  // new play starting there. The old blocks play on if the device cannot take them back.
  const std::array<Block, kMaxBlocks> blocks = blocks_;
  const std::array<int32_t, kMaxBlocks> deviceQueue = deviceQueue_;
  const int32_t queued = queued_;
  const int64_t mixPos = mixPos_;
  const uint64_t deviceWritten = deviceWritten_;
  const int64_t start = e.start;
  auto restore = [&] {
    blocks_ = blocks;
    deviceQueue_ = deviceQueue;
    queued_ = queued;
    mixPos_ = mixPos;
    deviceWritten_ = deviceWritten;
    Place(e, start);
  };
  for (int32_t attempt = 0; attempt < kRemixTries; ++attempt) {
    std::optional<uint64_t> at = device_.BeginRewind();
    if (!at) return false;
    const int64_t from = int64_t(*at) - int64_t(positionOffset_);
    if (*at < positionOffset_ || from >= mixPos_) {
      device_.EndRewind(false);
      return false;
    }
    for (Block& b : blocks_) b.free = true;
    queued_ = 0;
    mixPos_ = from;
    deviceWritten_ = *at;
    Place(e, std::max(from, queueEnd));
    try {
      FillAndWrite();
    } catch (const EMixerError&) {
      device_.EndRewind(false);
      restore();
      return false;
    }
    if (device_.EndRewind(true)) return true;
    restore();  // the device played on meanwhile: try again from where it is now
  }
  return false;
}

int32_t MixerSession::QueuedPlays(int32_t channel) const {
  if (channel < 0 || channel >= kChannelCount) return 0;
  int32_t n = 0;
  for (int32_t e = head_[std::size_t(channel)]; e != -1; e = pool_[std::size_t(e)].next) ++n;
  return n;
}

int32_t MixerSession::FreePlayEntries() const {
  int32_t n = 0;
  for (int32_t e = freeEntry_; e != -1; e = pool_[std::size_t(e)].next) ++n;
  return n;
}

const Wave* MixerSession::LoadMixWave(const std::filesystem::path& file) {
  CheckSession();
  try {
    waves_.push_back(std::make_unique<Wave>(LoadWaveFile(file, format_)));
  } catch (const std::bad_alloc&) {
    throw EMixerError(msg::kNoMemory);
  }
  return waves_.back().get();
}

void MixerSession::FreeMixWave(const Wave* wave) {
  CheckSession();
  auto it = std::find_if(waves_.begin(), waves_.end(),
                         [&](const std::unique_ptr<Wave>& w) { return w.get() == wave; });
  if (!wave || it == waves_.end()) throw EMixerError(msg::kBadPointer);
  for (int32_t c = 0; c < kChannelCount; ++c) {
    for (int32_t e = head_[std::size_t(c)]; e != -1;) {
      int32_t next = pool_[std::size_t(e)].next;
      if (pool_[std::size_t(e)].wave == wave) Unlink(c, e);
      e = next;
    }
  }
  FreeWaveNow(wave);
}

void MixerSession::FreeMixWaveWhenDone(const Wave* wave) {
  CheckSession();
  bool ours = std::any_of(waves_.begin(), waves_.end(),
                          [&](const std::unique_ptr<Wave>& w) { return w.get() == wave; });
  if (!wave || !ours) throw EMixerError(msg::kBadPointer);
  if (std::find(freeWhenDone_.begin(), freeWhenDone_.end(), wave) == freeWhenDone_.end()) {
    freeWhenDone_.push_back(wave);
  }
  RetireEnded(INT64_MIN);
}

void MixerSession::FreeWaveNow(const Wave* wave) {
  std::erase(freeWhenDone_, wave);
  std::erase_if(waves_, [&](const std::unique_ptr<Wave>& w) { return w.get() == wave; });
}

void MixerSession::EndMixSession() {
  CheckSession();
  MixerActivate(false);
  CloseMixChannel(0, kMixAll);
  waves_.clear();
  freeWhenDone_.clear();
  device_.session.reset();
  ended_ = true;
}

void MixerPlay(const PlayRequest* request) {
  if (!request) throw EMixerError(msg::kNilParams);
  std::shared_ptr<MixerSession> session = request->session.lock();
  if (!session) throw EMixerError(msg::kInvalidSession);
  session->MixerPlay(request);
}

}  // namespace qv::sound
