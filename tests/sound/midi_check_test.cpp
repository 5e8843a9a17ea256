#include "sound/midi_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace qv::sound {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Track(const Bytes& events) {
  // Sized once and filled in place: GCC 12 misreads an insert after the header at -O3.
  Bytes t(8 + events.size());
  const uint32_t n = uint32_t(events.size());
  const uint8_t head[8] = {
      'M', 'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
  std::copy(std::begin(head), std::end(head), t.begin());
  std::copy(events.begin(), events.end(), t.begin() + 8);
  return t;
}

Bytes Midi(uint16_t format, const std::vector<Bytes>& tracks, uint16_t division = 96,
           int declaredTracks = -1) {
  uint16_t count = declaredTracks < 0 ? uint16_t(tracks.size()) : uint16_t(declaredTracks);
  Bytes b{'M',
          'T',
          'h',
          'd',
          0,
          0,
          0,
          6,
          0,
          uint8_t(format),
          uint8_t(count >> 8),
          uint8_t(count),
          uint8_t(division >> 8),
          uint8_t(division)};
  for (const Bytes& t : tracks) {
    Bytes chunk = Track(t);
    b.insert(b.end(), chunk.begin(), chunk.end());
  }
  return b;
}

const Bytes kEnd{0x00, 0xFF, 0x2F, 0x00};

// One second at the default tempo: a note, held by running status, then released.
Bytes Tune(bool tempo = true) {
  Bytes e{0x00, 0xC0, 0x05,                          // program change: one data byte
          0x00, 0x90, 0x3C, 0x64,                    // note on
          0x60, 0x3E, 0x64,                          // running status
          0x60, 0x80, 0x3C, 0x00, 0x00, 0x3E, 0x00,  // note off, running status
          0x00, 0xF0, 0x02, 0x7E, 0xF7};             // a system exclusive message
  if (tempo) e.insert(e.begin(), {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // 0.5 s a beat
  e.insert(e.end(), kEnd.begin(), kEnd.end());
  return e;
}

TEST(CheckMidi, AcceptsWellFormedTunesAndTimesThem) {
  Result<MidiTune> one = CheckMidi(Midi(0, {Tune()}));
  ASSERT_TRUE(one.ok()) << one.message();
  EXPECT_EQ(one->durationMs, 1000);
  // A slower tempo set in the first track stretches the second.
  Bytes slow{0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0xFF, 0x2F, 0x00};  // 1 s a beat
  Result<MidiTune> two = CheckMidi(Midi(1, {slow, Tune(false)}));
  ASSERT_TRUE(two.ok()) << two.message();
  EXPECT_EQ(two->tracks, 2);
  EXPECT_EQ(two->durationMs, 2000);
  // Frames and ticks: 25 frames of 40 ticks make 1000 ticks a second.
  Bytes later{0x87, 0x68, 0xFF, 0x2F, 0x00};  // 1000 ticks, then the end
  EXPECT_EQ(CheckMidi(Midi(0, {later}, uint16_t(0xE728)))->durationMs, 1000);
}

TEST(CheckMidi, ListsTheInstrumentsTheNotesCanSoundWith) {
  // Channel 1 starts on program 0, is given program 5 later (by running status too), and a
  // bank in another track; channel 2 only changes program and plays nothing; channel 10 is
  // the drum channel whatever bank it is given.
  Bytes first{0x00, 0x90, 0x3C, 0x64, 0x10, 0xC0, 0x05, 0x00, 0x07, 0x10, 0x80, 0x3C, 0x00, 0x00,
              0xC1, 0x30, 0x00, 0xB9, 0x00, 0x08, 0x00, 0x99, 0x24, 0x64, 0x00, 0x99, 0x26, 0x00};
  first.insert(first.end(), kEnd.begin(), kEnd.end());
  Bytes second{0x00, 0xB0, 0x00, 0x02, 0x00, 0xB0, 0x20, 0x09};  // bank 2; its low byte
  second.insert(second.end(), kEnd.begin(), kEnd.end());
  Result<MidiTune> c = CheckMidi(Midi(1, {first, second}));
  ASSERT_TRUE(c.ok()) << c.message();
  std::vector<MidiInstrument> expect{{0, 0}, {0, 5}, {0, 7}, {2, 0}, {2, 5}, {2, 7}, {128, 0}};
  EXPECT_EQ(c->instruments, expect);
  // A note-on of velocity 0 is a release: no instrument for it.
  Bytes silent{0x00, 0x90, 0x3C, 0x00};
  silent.insert(silent.end(), kEnd.begin(), kEnd.end());
  EXPECT_TRUE(CheckMidi(Midi(0, {silent}))->instruments.empty());
}

TEST(CheckMidi, RefusesDamagedStructure) {
  struct Case {
    const char* what;
    Bytes file;
    const char* message = nullptr;  // the exact words, where they are pinned
  };
  const Bytes tune = Tune();
  const Bytes noEnd(tune.begin(), tune.end() - 4);  // the end-of-track event cut off
  Bytes longTrack = Midi(0, {Tune()});
  longTrack[21] += 1;  // the track claims one byte more than the file holds
  Bytes badHeader = Midi(0, {Tune()});
  badHeader[7] = 2;
  std::vector<Case> cases = {
      {"not a MIDI file", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"header length", badHeader},
      {"format 3", Midi(3, {Tune()})},
      {"65 tracks", Midi(1, std::vector<Bytes>(65, kEnd))},
      {"no tracks", Midi(1, {}, 96, 0)},
      {"format 0 with two", Midi(0, {kEnd, kEnd})},
      {"division 0", Midi(0, {Tune()}, 0)},
      {"fewer tracks than declared", Midi(1, {Tune()}, 96, 2)},
      {"track past the file", longTrack},
      {"no end of track", Midi(0, {noEnd})},
      {"running status at the start", Midi(0, {{0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}}),
       "data byte without a running status at offset 24"},
      {"running status after a meta", Midi(0, {{0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x01, 0x00,
                                                0x00, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00}})},
      // The first fault in a track is the one named, with where it was found.
      {"status inside a message", Midi(0, {{0x00, 0x90, 0x3C, 0x90, 0x00, 0xFF, 0x2F, 0x00}}),
       "status byte where a data byte belongs at offset 26"},
      {"meta longer than the track", Midi(0, {{0x00, 0xFF, 0x01, 0x7F, 0x00, 0xFF, 0x2F, 0x00}}),
       "event length runs past the end of its track at offset 26"},
      {"five-byte delta", Midi(0, {{0x81, 0x81, 0x81, 0x81, 0x01, 0xFF, 0x2F, 0x00}}),
       "variable-length number longer than four bytes at offset 26"},
      {"tempo of two bytes",
       Midi(0, {{0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1, 0x00, 0xFF, 0x2F, 0x00}})},
      {"system message", Midi(0, {{0x00, 0xF2, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00}})},
      // Eleven minutes: a quarter note of 3.3 s, 200 beats.
      {"too long",
       Midi(0, {{0x00, 0xFF, 0x51, 0x03, 0x32, 0x5A, 0xA0, 0x81, 0x48, 0xFF, 0x2F, 0x00}}, 1)},
  };
  for (const Case& c : cases) {
    Result<MidiTune> r = CheckMidi(c.file);
    EXPECT_FALSE(r.ok()) << c.what;
    EXPECT_FALSE(r.message().empty()) << c.what;
    if (c.message) EXPECT_EQ(r.message(), c.message) << c.what;
  }
  EXPECT_EQ(CheckMidi(Midi(0, {Tune()}, 0)).message(), "bad division");
  EXPECT_EQ(CheckMidi(longTrack).message(), "track 0 runs past the end of the file");
}

TEST(CheckMidi, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
  Bytes good = Midi(1, {Tune(), Tune()});
  ASSERT_TRUE(CheckMidi(good).ok());
  for (std::size_t n = 0; n < good.size(); ++n) {
    EXPECT_FALSE(CheckMidi(Bytes(good.begin(), good.begin() + std::ptrdiff_t(n))).ok()) << n;
  }
}

}  // namespace
}  // namespace qv::sound
