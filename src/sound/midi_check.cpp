#include "sound/midi_check.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <vector>

namespace qv::sound {
namespace {

// What each channel is given over the tune, whatever the order the tracks give it in.
struct ChannelUse {
  bool notes = false;
  std::set<int32_t> banks, programs;
};
using ChannelUses = std::array<ChannelUse, 16>;
constexpr int32_t kDrumChannel = 9;
constexpr int32_t kDrumBank = 128;

void NoteChannelEvent(ChannelUses& uses, uint8_t status, uint8_t d1, uint8_t d2) {
  ChannelUse& use = uses[status & 0x0F];
  switch (status & 0xF0) {
    case 0x90:
      if (d2 > 0) use.notes = true;
      break;
    case 0xB0:
      if (d1 == 0) use.banks.insert(d2);  // bank select, the high byte
      break;
    case 0xC0:
      use.programs.insert(d1);
      break;
    default:
      break;
  }
}

std::vector<MidiInstrument> Instruments(const ChannelUses& uses) {
  std::set<MidiInstrument> found;
  for (int32_t c = 0; c < 16; ++c) {
    const ChannelUse& use = uses[std::size_t(c)];
    if (!use.notes) continue;
    std::set<int32_t> banks = use.banks, programs = use.programs;
    programs.insert(0);
    if (c == kDrumChannel) {
      banks = {kDrumBank};
    } else {
      banks.insert(0);
    }
    for (int32_t b : banks) {
      for (int32_t p : programs) found.insert({b, p});
    }
  }
  return {found.begin(), found.end()};
}

uint32_t Be32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
uint16_t Be16(const uint8_t* p) {
  return uint16_t(p[0] << 8 | p[1]);
}

class TrackReader {
 public:
  TrackReader(std::span<const uint8_t> b, std::size_t at, std::size_t end)
      : b_(b), at_(at), end_(end) {}

  // True at the end of the track, and after a fault (nothing more is read then).
  bool AtEnd() const { return at_ >= end_; }
  std::size_t Offset() const { return at_; }

  uint8_t Byte() {
    if (at_ >= end_) {
      Fail("event runs past the end of its track");
      return 0;
    }
    return b_[at_++];
  }
  // A variable-length quantity: at most four bytes.
  uint32_t Vlq() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t c = Byte();
      v = v << 7 | (c & 0x7F);
      if (!(c & 0x80)) return v;
    }
    Fail("variable-length number longer than four bytes");
    return 0;
  }
  void Skip(uint32_t n) {
    if (n > end_ - at_) {
      Fail("event length runs past the end of its track");
      return;
    }
    at_ += n;
  }
  // Notes the first fault with where it was found, and stops the reading: every later read
  // gives 0 and AtEnd() holds.
  void Fail(const std::string& what) {
    if (!fault_.empty()) return;
    fault_ = what + " at offset " + std::to_string(at_);
    at_ = end_;
  }
  // What is wrong with the track ("" while nothing is).
  const std::string& Fault() const { return fault_; }

 private:
  std::span<const uint8_t> b_;
  std::size_t at_, end_;
  std::string fault_;
};

// Reads one track; returns its length in ticks and adds its tempo changes to `tempos`. A fault
// ends the reading and is left in the reader.
int64_t ReadTrack(TrackReader& t, std::multimap<int64_t, uint32_t>& tempos, ChannelUses& uses) {
  int64_t tick = 0;
  uint8_t running = 0;
  while (!t.AtEnd()) {
    tick += t.Vlq();
    uint8_t status = t.Byte();
    if (status < 0x80) {
      if (!running) t.Fail("data byte without a running status");
      // The byte just read was the first data byte of a message like the one before.
      uint8_t d2 = 0;
      if ((running & 0xE0) != 0xC0) {
        d2 = t.Byte();
        if (d2 & 0x80) t.Fail("status byte where a data byte belongs");
      }
      NoteChannelEvent(uses, running, status, d2);
      continue;
    }
    if (status < 0xF0) {
      running = status;
      int n = (status & 0xE0) == 0xC0 ? 1 : 2;  // program change and channel pressure: 1
      uint8_t data[2] = {0, 0};
      for (int i = 0; i < n; ++i) {
        data[i] = t.Byte();
        if (data[i] & 0x80) t.Fail("status byte where a data byte belongs");
      }
      NoteChannelEvent(uses, status, data[0], data[1]);
      continue;
    }
    running = 0;  // system and meta events cancel the running status
    if (status == 0xF0 || status == 0xF7) {
      t.Skip(t.Vlq());
    } else if (status == 0xFF) {
      uint8_t type = t.Byte();
      uint32_t length = t.Vlq();
      if (type == 0x2F) {
        if (length != 0) t.Fail("end of track with data");
        if (!t.Fault().empty()) return 0;
        return tick;  // anything after the end of track is never played
      }
      if (type == 0x51) {
        if (length != 3) t.Fail("tempo of the wrong size");
        uint32_t tempo = uint32_t(t.Byte()) << 16;
        tempo |= uint32_t(t.Byte()) << 8;
        tempo |= t.Byte();
        tempos.emplace(tick, tempo);
      } else {
        t.Skip(length);
      }
    } else {
      t.Fail("system message in a file");
    }
  }
  t.Fail("track without an end of track");
  return 0;
}

int64_t DurationMs(int64_t ticks, uint16_t division,
                   const std::multimap<int64_t, uint32_t>& tempos) {
  if (division & 0x8000) {
    int32_t fps = -int32_t(int8_t(division >> 8));
    int32_t perFrame = division & 0xFF;
    int64_t perSecond = int64_t(fps) * perFrame;
    return perSecond > 0 ? ticks * 1000 / perSecond : 0;
  }
  // Quarter-note ticks: each stretch at its tempo (microseconds per quarter note).
  double us = 0;
  int64_t at = 0;
  uint32_t tempo = 500000;
  for (const auto& [tick, next] : tempos) {
    if (tick >= ticks) break;
    us += double(tick - at) * tempo / division;
    at = tick;
    tempo = next;
  }
  us += double(ticks - at) * tempo / division;
  return int64_t(std::min(us / 1000.0, 9.0e15));
}

}  // namespace

Result<MidiTune> CheckMidi(std::span<const uint8_t> b) {
  if (b.size() > kMaxMidiFileBytes) return Failure("file too large");
  if (b.size() < 14 || !std::equal(b.begin(), b.begin() + 4, "MThd")) {
    return Failure("not a MIDI file");
  }
  uint32_t headerLen = Be32(&b[4]);
  if (headerLen < 6 || headerLen > b.size() - 8) return Failure("bad header length");
  uint16_t format = Be16(&b[8]);
  uint16_t tracks = Be16(&b[10]);
  uint16_t division = Be16(&b[12]);
  if (format > 2) return Failure("unknown format " + std::to_string(format));
  if (tracks == 0 || tracks > kMaxMidiTracks) {
    return Failure("bad track count " + std::to_string(tracks));
  }
  if (format == 0 && tracks != 1) return Failure("format 0 with several tracks");
  if (division == 0 || ((division & 0x8000) && (division & 0xFF) == 0)) {
    return Failure("bad division");
  }

  std::multimap<int64_t, uint32_t> tempos;
  std::vector<int64_t> lengths;
  ChannelUses uses;
  std::size_t at = 8 + std::size_t(headerLen);
  for (int32_t i = 0; i < tracks; ++i) {
    if (b.size() - at < 8 || !std::equal(&b[at], &b[at] + 4, "MTrk")) {
      return Failure("track " + std::to_string(i) + " missing at offset " + std::to_string(at));
    }
    uint32_t length = Be32(&b[at + 4]);
    if (length > b.size() - at - 8) {
      return Failure("track " + std::to_string(i) + " runs past the end of the file");
    }
    TrackReader reader(b, at + 8, at + 8 + length);
    lengths.push_back(ReadTrack(reader, tempos, uses));
    if (!reader.Fault().empty()) return Failure(reader.Fault());
    at += 8 + std::size_t(length);
  }
  // Format 2 tracks are separate songs played one after the other.
  int64_t ticks = 0;
  for (int64_t l : lengths) ticks = format == 2 ? ticks + l : std::max(ticks, l);
  MidiTune tune;
  tune.durationMs = DurationMs(ticks, division, tempos);
  tune.tracks = tracks;
  if (tune.durationMs > kMaxMidiMs) return Failure("plays longer than ten minutes");
  tune.instruments = Instruments(uses);
  return tune;
}

}  // namespace qv::sound
