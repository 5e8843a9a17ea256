#include "sound/mixer.h"

#include <algorithm>

#include "sound/mixer_error.h"

namespace qv::sound {

Result<std::shared_ptr<MixerSession>> MixerSession::MixerInit(WaveDevice& device,
                                                              const ProfileFile& ini) {
  if (!device.session.expired()) return Failure(msg::kSessionExists);
  auto session = std::make_shared<MixerSession>(Key{}, device);
  if (Status set = session->Setup(ini); !set.ok()) {
    session->ended_ = true;  // it never held the device
    return set;
  }
  device.session = session;
  return session;
}

MixerSession::MixerSession(Key, WaveDevice& device) : device_(device) {}

Status MixerSession::Setup(const ProfileFile& ini) {
  int32_t count = device_.DeviceCount();
  if (count <= 0) return Failure(msg::kNoDevices);
  // The device number comes first: its name picks the settings section.
  deviceId_ = ReadMixerSettings(ini, "", count).waveOutDevice;
  DeviceCaps caps = device_.Caps(deviceId_);
  deviceName_ = caps.name.empty() ? msg::kUnknownDevice : caps.name.substr(0, 32);
  settings_ = ReadMixerSettings(ini, deviceName_, count);
  if (caps.synchronous) return Failure(deviceName_ + msg::kSynchronous);
  if (settings_.notCompatible) return Failure(deviceName_ + msg::kNotCompatible);
  format_ = PcmFormat{1, settings_.samplesPerSec, 8};
  head_.fill(-1);
  for (int32_t i = 0; i < kPoolSize; ++i)
    pool_[std::size_t(i)].next = i + 1 < kPoolSize ? i + 1 : -1;
  freeEntry_ = 0;
  return {};
}

MixerSession::~MixerSession() {
  if (ended_) return;
  static_cast<void>(EndMixSession());  // a session that goes cannot report anything
}

Status MixerSession::CheckSession() const {
  if (ended_) return Failure(msg::kInvalidSession);
  return {};
}

Status MixerSession::MixerActivate(bool on) {
  if (Status s = CheckSession(); !s.ok()) return s;
  if (on == active_) return {};
  if (!on) {
    device_.Reset();
    ReleaseBlocks();
    device_.Close();
    active_ = false;
    return {};
  }
  if (device_.IsOpen()) return Failure(msg::kResourceBusy);
  int32_t code = device_.Open(deviceId_, format_);
  if (code == kDeviceNoNotify) return Failure(msg::kNoCallbackWindow);
  if (code != kDeviceOk) return Failure(msg::kOpenFailed + std::to_string(code));
  try {
    blockMemory_.assign(std::size_t(kMaxBlocks) * kMaxBlockLen, 128);
    mixScratch_.assign(kMaxBlockLen, 0);
  } catch (const std::bad_alloc&) {  // the standard library's only way to say so
    device_.Close();
    return Failure(msg::kNoMemory);
  }
  for (int32_t i = 0; i < kMaxBlocks; ++i) {
    int32_t prepared = device_.PrepareBlock(i, kMaxBlockLen);
    if (prepared != kDeviceOk) {
      ReleaseBlocks();
      device_.Close();
      return Failure(msg::kPrepareFailed + std::to_string(prepared));
    }
  }
  for (Block& b : blocks_) b = Block{};
  queued_ = 0;
  deviceWritten_ = 0;
  active_ = true;
  ResetPosition();
  device_.Pause();
  if (Status s = FillAndWrite(); !s.ok()) return s;
  device_.Restart();
  return {};
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

Status MixerSession::OpenMixChannel(int32_t channel, int32_t flags) {
  if (Status s = CheckSession(); !s.ok()) return s;
  int32_t first = 0, last = 0;
  if (flags == kMixSingle) {
    if (channel < 0 || channel >= kChannelCount) return Failure(msg::kBadChannel);
    if (open_[std::size_t(channel)]) return Failure(msg::kChannelOpen);
    first = last = channel;
  } else if (flags == kMixAll) {
    last = kChannelCount - 1;
  } else if (flags == kMixCount) {
    if (channel < 1 || channel > kChannelCount) return Failure(msg::kBadChannelCount);
    last = channel - 1;
  } else {
    return Failure(msg::kBadFlag);
  }
  for (int32_t c = first; c <= last; ++c) {
    if (open_[std::size_t(c)]) continue;
    open_[std::size_t(c)] = true;
    head_[std::size_t(c)] = -1;
    ++openCount_;
  }
  return {};
}

Status MixerSession::CloseMixChannel(int32_t channel, int32_t flags) {
  if (Status s = CheckSession(); !s.ok()) return s;
  int32_t first = 0, last = 0;
  if (flags == kMixSingle) {
    if (channel < 0 || channel >= kChannelCount) return Failure(msg::kBadChannel);
    if (!open_[std::size_t(channel)]) return Failure(msg::kChannelNotOpen);
    first = last = channel;
  } else if (flags == kMixAll) {
    last = kChannelCount - 1;
  } else if (flags == kMixCount) {
    if (channel < 1 || channel > kChannelCount) return Failure(msg::kBadChannelCount);
    last = channel - 1;
  } else {
    return Failure(msg::kBadFlag);
  }
  for (int32_t c = first; c <= last; ++c) {
    if (!open_[std::size_t(c)]) continue;
    while (head_[std::size_t(c)] != -1) Unlink(c, head_[std::size_t(c)]);
    open_[std::size_t(c)] = false;
    --openCount_;
  }
  // Waves waiting for their plays to end may be free now.
  RetireEnded(INT64_MIN);
  return {};
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

Status MixerSession::MixerPlay(const PlayRequest* r) {
  if (!r) return Failure(msg::kNilParams);
  if (Status s = CheckSession(); !s.ok()) return s;
  if (r->session.lock().get() != this) return Failure(msg::kInvalidSession);
  if (!r->wave) return Failure(msg::kNilWave);
  if (!active_) return Failure(msg::kNotActive);
  if (openCount_ == 0) return Failure(msg::kNoChannelOpen);
  if (r->channel < 0 || r->channel >= kChannelCount) return Failure(msg::kBadChannel);
  if (!open_[std::size_t(r->channel)]) return Failure(msg::kChannelNotOpen);
  if (r->flags != 0) return Failure(msg::kBadFlags);
  bool ours = std::any_of(waves_.begin(), waves_.end(),
                          [&](const std::unique_ptr<Wave>& w) { return w.get() == r->wave; });
  if (!ours || r->wave->data.empty()) return Failure(msg::kBadPointer);

  // A silent mixer starts the new sound at once, from position 0.
  if (queued_ == 0 && AllChannelsIdle()) ResetPosition();
  if (freeEntry_ == -1) return Failure(msg::kNotEnoughMemory);

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
  if (queued_ > 0 && queueEnd < mixPos_ && settings_.remix != 0 && Remix(e, queueEnd)) return {};

  bool paused = queued_ == 0;
  if (paused) device_.Pause();
  Status written = FillAndWrite();
  if (paused) device_.Restart();
  return written;
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
    if (!FillAndWrite().ok()) {
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

Result<const Wave*> MixerSession::LoadMixWave(const std::filesystem::path& file) {
  if (Status s = CheckSession(); !s.ok()) return s;
  try {
    Result<Wave> wave = LoadWaveFile(file, format_);
    if (!wave.ok()) return wave.status();
    waves_.push_back(std::make_unique<Wave>(std::move(*wave)));
  } catch (const std::bad_alloc&) {  // the standard library's only way to say so
    return Failure(msg::kNoMemory);
  }
  return waves_.back().get();
}

Status MixerSession::FreeMixWave(const Wave* wave) {
  if (Status s = CheckSession(); !s.ok()) return s;
  auto it = std::find_if(waves_.begin(), waves_.end(),
                         [&](const std::unique_ptr<Wave>& w) { return w.get() == wave; });
  if (!wave || it == waves_.end()) return Failure(msg::kBadPointer);
  for (int32_t c = 0; c < kChannelCount; ++c) {
    for (int32_t e = head_[std::size_t(c)]; e != -1;) {
      int32_t next = pool_[std::size_t(e)].next;
      if (pool_[std::size_t(e)].wave == wave) Unlink(c, e);
      e = next;
    }
  }
  FreeWaveNow(wave);
  return {};
}

Status MixerSession::FreeMixWaveWhenDone(const Wave* wave) {
  if (Status s = CheckSession(); !s.ok()) return s;
  bool ours = std::any_of(waves_.begin(), waves_.end(),
                          [&](const std::unique_ptr<Wave>& w) { return w.get() == wave; });
  if (!wave || !ours) return Failure(msg::kBadPointer);
  if (std::find(freeWhenDone_.begin(), freeWhenDone_.end(), wave) == freeWhenDone_.end()) {
    freeWhenDone_.push_back(wave);
  }
  RetireEnded(INT64_MIN);
  return {};
}

void MixerSession::FreeWaveNow(const Wave* wave) {
  std::erase(freeWhenDone_, wave);
  std::erase_if(waves_, [&](const std::unique_ptr<Wave>& w) { return w.get() == wave; });
}

Status MixerSession::EndMixSession() {
  if (Status s = CheckSession(); !s.ok()) return s;
  // Neither can fail once the session is known to be live.
  static_cast<void>(MixerActivate(false));
  static_cast<void>(CloseMixChannel(0, kMixAll));
  waves_.clear();
  freeWhenDone_.clear();
  device_.session.reset();
  ended_ = true;
  return {};
}

Status MixerPlay(const PlayRequest* request) {
  if (!request) return Failure(msg::kNilParams);
  std::shared_ptr<MixerSession> session = request->session.lock();
  if (!session) return Failure(msg::kInvalidSession);
  return session->MixerPlay(request);
}

}  // namespace qv::sound
