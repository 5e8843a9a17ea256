// Filling blocks and their completion: the part of the mixer that runs for every block.
#include <algorithm>
#include <cstring>

#include "sound/mixer.h"
#include "sound/mixer_error.h"

namespace qv::sound {

Status MixerSession::FillAndWrite() {
  for (int32_t i = 0; i < kMaxBlocks && i < settings_.waveBlocks; ++i) {
    if (!blocks_[std::size_t(i)].free) continue;
    uint8_t* out = &blockMemory_[std::size_t(i) * kMaxBlockLen];
    if (!FillBlock(out)) return {};
    if (Status s = WriteBlock(i); !s.ok()) return s;
  }
  return {};
}

bool MixerSession::FillBlock(uint8_t* out) {
  // The first play of each channel that has not ended takes part.
  std::array<int32_t, kChannelCount> part{};
  int32_t parts = 0;
  for (int32_t c = 0; c < kChannelCount; ++c) {
    if (!open_[std::size_t(c)]) continue;
    int32_t e = head_[std::size_t(c)];
    while (e != -1 && pool_[std::size_t(e)].end <= mixPos_) e = pool_[std::size_t(e)].next;
    if (e != -1) part[std::size_t(parts++)] = e;
  }
  if (parts == 0) return false;

  const int64_t blockEnd = mixPos_ + settings_.waveBlockLen;
  int64_t pos = mixPos_;
  while (pos < blockEnd) {
    // The longest stretch in which the set of sounding plays stays the same.
    std::array<const uint8_t*, kChannelCount> src{};
    int32_t sounding = 0;
    int64_t stretchEnd = blockEnd;
    for (int32_t i = 0; i < parts; ++i) {
      int32_t e = part[std::size_t(i)];
      if (e == -1) continue;
      const Entry& p = pool_[std::size_t(e)];
      if (p.start > pos) {
        stretchEnd = std::min(stretchEnd, p.start);
        continue;
      }
      int64_t length = int64_t(p.wave->data.size());
      int64_t offset = (pos - p.start) % length;  // a looping play starts each pass afresh
      stretchEnd = std::min({stretchEnd, p.end, pos + (length - offset)});
      src[std::size_t(sounding++)] = p.wave->data.data() + offset;
    }
    std::size_t count = std::size_t(stretchEnd - pos);
    if (sounding == 0) {
      std::memset(out, 128, count);
    } else if (sounding == 1) {
      std::memcpy(out, src[0], count);
    } else {
      int32_t* acc = mixScratch_.data();
      for (std::size_t k = 0; k < count; ++k) acc[k] = int32_t(src[0][k]) - 128;
      for (int32_t s = 1; s < sounding; ++s) {
        const uint8_t* in = src[std::size_t(s)];
        for (std::size_t k = 0; k < count; ++k) acc[k] += int32_t(in[k]) - 128;
      }
      for (std::size_t k = 0; k < count; ++k) out[k] = uint8_t(std::clamp(acc[k] + 128, 0, 255));
    }
    out += count;
    pos = stretchEnd;
    // A play that has ended hands its place to the next play of its channel.
    for (int32_t i = 0; i < parts; ++i) {
      int32_t& e = part[std::size_t(i)];
      while (e != -1 && pool_[std::size_t(e)].end <= pos) e = pool_[std::size_t(e)].next;
    }
  }
  return true;
}

Status MixerSession::WriteBlock(int32_t index) {
  Block& b = blocks_[std::size_t(index)];
  b.mixPos = mixPos_;
  mixPos_ += settings_.waveBlockLen;
  const uint8_t* data = &blockMemory_[std::size_t(index) * kMaxBlockLen];
  if (!device_.Write(index, data, std::size_t(settings_.waveBlockLen))) {
    return Failure(msg::kWriteFailed);  // the block stays free
  }
  deviceWritten_ += uint64_t(settings_.waveBlockLen);
  b.deviceEnd = deviceWritten_;
  b.free = false;
  deviceQueue_[std::size_t(queued_++)] = index;
  return {};
}

void MixerSession::RetireEnded(int64_t position) {
  for (int32_t c = 0; c < kChannelCount; ++c) {
    for (int32_t e = head_[std::size_t(c)]; e != -1;) {
      Entry p = pool_[std::size_t(e)];
      int32_t next = p.next;
      if (p.end <= position) {
        Unlink(c, e);
        if (p.notify) p.notify->WaveDone(c, p.wave);
      }
      e = next;
    }
  }
  // Waves given up by their owner go once none of their plays is queued.
  std::vector<const Wave*> done;
  for (const Wave* w : freeWhenDone_) {
    bool queued = false;
    for (int32_t c = 0; c < kChannelCount && !queued; ++c) {
      for (int32_t e = head_[std::size_t(c)]; e != -1; e = pool_[std::size_t(e)].next) {
        if (pool_[std::size_t(e)].wave == w) queued = true;
      }
    }
    if (!queued) done.push_back(w);
  }
  for (const Wave* w : done) FreeWaveNow(w);
}

Status MixerSession::BlocksDone() {
  if (Status s = CheckSession(); !s.ok()) return s;
  if (!active_) return {};
  uint64_t played = device_.Position();
  int32_t kept = 0;
  for (int32_t i = 0; i < queued_; ++i) {
    Block& b = blocks_[std::size_t(deviceQueue_[std::size_t(i)])];
    if (b.deviceEnd <= played) {
      b.free = true;
    } else {
      deviceQueue_[std::size_t(kept++)] = deviceQueue_[std::size_t(i)];
    }
  }
  queued_ = kept;
  int64_t position = played >= positionOffset_ ? int64_t(played - positionOffset_) : 0;
  RetireEnded(position);
  return FillAndWrite();
}

int32_t MixerSession::MsUntilBlockDone() {
  if (ended_ || !active_ || queued_ == 0) return -1;
  uint64_t end = blocks_[std::size_t(deviceQueue_[0])].deviceEnd;
  uint64_t played = device_.Position();
  if (end <= played) return 0;
  uint64_t rate = uint64_t(format_.BytesPerSec());
  return int32_t(std::min<uint64_t>(((end - played) * 1000 + rate - 1) / rate, 60000));
}

}  // namespace qv::sound
