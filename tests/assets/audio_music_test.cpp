// The tunes in dat/: every MP3 the game plays is a clean MPEG-1 Layer III stream at 44.1 kHz
// of a sensible length, the battle tune loops without a seam as the game's player decodes it,
// and the game-over MIDI file is a well-formed General MIDI tune.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "assets/wav_samples.h"
#include "sound/midi_check.h"

namespace {

const char* const kTunes[] = {"title.mp3", "op.mp3",     "map.mp3",    "map2.mp3",
                              "map3.mp3",  "map4.mp3",   "map5.mp3",   "map6.mp3",
                              "map7.mp3",  "battle.mp3", "epiloge.mp3"};

using qv::testing::DatFile;
using qv::testing::ReadBytes;

constexpr int kMpeg1Layer3Kbps[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                      112, 128, 160, 192, 224, 256, 320, 0};

// Walks the stream frame by frame: every header valid and each frame exactly where the
// previous one ends, up to the end of the file.
struct Mp3Walk {
  std::string error;
  int frames = 0;
  bool infoFrame = false;  // the encoder's "Info"/"Xing" frame, for gapless players
  double Seconds() const { return frames * 1152.0 / 44100.0; }
};

Mp3Walk WalkMp3(const std::vector<uint8_t>& b) {
  Mp3Walk w;
  size_t at = 0;
  if (b.size() >= 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3') {
    at = 10 + (size_t(b[6] & 0x7F) << 21 | size_t(b[7] & 0x7F) << 14 | size_t(b[8] & 0x7F) << 7 |
               size_t(b[9] & 0x7F));
  }
  size_t end = b.size();
  if (end >= 128 && b[end - 128] == 'T' && b[end - 127] == 'A' && b[end - 126] == 'G') end -= 128;
  bool first = true;
  while (at < end) {
    if (at + 4 > end) {
      w.error = "truncated header at " + std::to_string(at);
      return w;
    }
    const uint8_t* h = &b[at];
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) {
      w.error = "no frame sync at " + std::to_string(at);
      return w;
    }
    int version = (h[1] >> 3) & 3, layer = (h[1] >> 1) & 3;
    int bitrate = kMpeg1Layer3Kbps[h[2] >> 4];
    int rateIndex = (h[2] >> 2) & 3, padding = (h[2] >> 1) & 1;
    if (version != 3 || layer != 1 || bitrate == 0 || rateIndex != 0) {
      w.error = "not an MPEG-1 Layer III 44.1 kHz frame at " + std::to_string(at);
      return w;
    }
    size_t length = 144000u * static_cast<size_t>(bitrate) / 44100u + static_cast<size_t>(padding);
    if (first) {
      std::string body(b.begin() + static_cast<long>(at),
                       b.begin() + static_cast<long>(std::min(at + length, end)));
      w.infoFrame =
          body.find("Info") != std::string::npos || body.find("Xing") != std::string::npos;
      first = false;
    }
    if (at + length > end) {
      w.error = "last frame cut short at " + std::to_string(at);
      return w;
    }
    at += length;
    ++w.frames;
  }
  return w;
}

// Outside battle a tune plays once, so the opening and the map tunes last two to three
// minutes (the opening monologue takes about that long to read); the title, the battle loop
// and the victory fanfare stay short.
TEST(AudioMusic, EveryTuneIsAWholeMp3StreamOfItsLength) {
  uintmax_t total = 0;
  for (const char* name : kTunes) {
    SCOPED_TRACE(name);
    auto path = DatFile(name);
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " was not made by the build";
    total += std::filesystem::file_size(path);
    Mp3Walk w = WalkMp3(ReadBytes(path));
    ASSERT_EQ(w.error, "");
    EXPECT_TRUE(w.infoFrame);
    const std::string n = name;
    const bool lasting = n == "op.mp3" || n.rfind("map", 0) == 0;
    EXPECT_GE(w.Seconds(), lasting ? 120.0 : 30.0);
    EXPECT_LE(w.Seconds(), lasting ? 180.0 : 90.0);
  }
  EXPECT_LT(total, 30u * 1000 * 1000) << "all tunes together";
}

// A tune decoded as the game's player decodes it: libmpg123, which drops the encoder's delay
// and padding as the stream's info frame tells it.
struct Decoded {
  std::string error;
  long rate = 0;
  std::vector<float> left, right;
};

Decoded DecodeMp3(const std::filesystem::path& path) {
  Decoded d;
  mpg123_init();
  int err = MPG123_OK;
  mpg123_handle* mh = mpg123_new(nullptr, &err);
  if (!mh) {
    d.error = "mpg123_new failed";
    return d;
  }
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
  mpg123_format_none(mh);
  mpg123_format(mh, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
  if (mpg123_open(mh, path.c_str()) != MPG123_OK) {
    d.error = std::string("cannot open: ") + mpg123_strerror(mh);
    mpg123_delete(mh);
    return d;
  }
  int channels = 0, encoding = 0;
  mpg123_getformat(mh, &d.rate, &channels, &encoding);
  std::vector<int16_t> buf(16384);
  for (;;) {
    size_t got = 0;
    err = mpg123_read(mh, buf.data(), buf.size() * sizeof(int16_t), &got);
    for (size_t i = 0; i + 1 < got / sizeof(int16_t); i += 2) {
      d.left.push_back(buf[i] / 32768.0f);
      d.right.push_back(buf[i + 1] / 32768.0f);
    }
    if (err == MPG123_DONE) break;
    if (err != MPG123_OK && err != MPG123_NEW_FORMAT) {
      d.error = mpg123_plain_strerror(err);
      break;
    }
  }
  mpg123_close(mh);
  mpg123_delete(mh);
  return d;
}

double RmsDb(const std::vector<float>& x, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count && i < x.size(); ++i) sum += double(x[i]) * x[i];
  return 10 * std::log10(std::max(sum / double(count), 1e-12));
}

// The battle tune restarts from its end: the decoded samples must run on across the wrap as
// they do inside the tune, with no silence at either end and no step that clicks.
TEST(AudioMusic, TheBattleTuneWrapsWithoutASeam) {
  const Decoded d = DecodeMp3(DatFile("battle.mp3"));
  ASSERT_EQ(d.error, "");
  ASSERT_EQ(d.rate, 44100);
  ASSERT_GT(d.left.size(), 44100u * 30);
  const size_t n = d.left.size(), ms20 = 882;
  for (const std::vector<float>* side : {&d.left, &d.right}) {
    const std::vector<float>& x = *side;
    // Music right up to the last sample and from the very first one.
    EXPECT_GT(RmsDb(x, 0, ms20), -35.0) << "the first 20 ms";
    EXPECT_GT(RmsDb(x, n - ms20, ms20), -35.0) << "the last 20 ms";
    // The level carries on across the wrap as it does across any point inside the tune.
    EXPECT_NEAR(RmsDb(x, n - 4 * ms20, 4 * ms20), RmsDb(x, 0, 4 * ms20), 6.0);
    // The step from the last sample to the first is no bigger than the biggest steps inside.
    std::vector<float> steps;
    for (size_t i = 1; i < n; ++i) steps.push_back(std::fabs(x[i] - x[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() * 999 / 1000), steps.end());
    const float rare = steps[steps.size() * 999 / 1000];
    EXPECT_LE(std::fabs(x.front() - x.back()), rare) << "one step in a thousand is bigger";
  }
}

TEST(AudioMusic, EveryTuneIsItsOwn) {
  std::map<std::string, std::string> seen;  // a tune's bytes, the first tune that had them
  for (const char* name : kTunes) {
    const std::vector<uint8_t> bytes = ReadBytes(DatFile(name));
    auto [it, fresh] = seen.emplace(std::string(bytes.begin(), bytes.end()), name);
    EXPECT_TRUE(fresh) << name << " is the same as " << it->second;
  }
}

// Our own reading of the MIDI file, independent of the game's checker.
struct MidiSummary {
  std::string error;
  int format = -1, tracks = 0, division = 0, programs = 0, notes = 0, openNotes = 0;
  std::vector<bool> endsWithEndOfTrack;
};

uint32_t Be(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | b[at + static_cast<size_t>(i)];
  return v;
}

MidiSummary ReadMidi(const std::vector<uint8_t>& b) {
  MidiSummary m;
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Be(b, 4, 4) != 6) {
    m.error = "no MThd header";
    return m;
  }
  m.format = static_cast<int>(Be(b, 8, 2));
  int declared = static_cast<int>(Be(b, 10, 2));
  m.division = static_cast<int>(Be(b, 12, 2));
  std::map<std::pair<int, int>, int> sounding;
  size_t at = 14;
  while (at + 8 <= b.size()) {
    if (std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) !=
        "MTrk") {
      m.error = "expected MTrk at " + std::to_string(at);
      return m;
    }
    size_t end = at + 8 + Be(b, at + 4, 4);
    if (end > b.size()) {
      m.error = "track runs past the file";
      return m;
    }
    at += 8;
    uint8_t status = 0;
    bool ended = false;
    // Every read is checked against the track's end, so a damaged file fails instead of
    // reading beyond it.
    auto need = [&](size_t n) {
      if (at + n > end) m.error = "event runs past its track at " + std::to_string(at);
      return m.error.empty();
    };
    while (at < end && !ended) {
      do {
        if (!need(1)) return m;
      } while (b[at++] & 0x80);  // delta time
      if (!need(1)) return m;
      if (b[at] & 0x80) status = b[at++];
      if (status == 0xFF) {
        if (!need(2)) return m;
        ended = b[at] == 0x2F;
        at += 2 + b[at + 1];
      } else if (status == 0xF0 || status == 0xF7) {
        if (!need(1)) return m;
        at += 1 + b[at];
      } else if (status < 0x80) {
        m.error = "data byte without a status at " + std::to_string(at);
        return m;
      } else {
        int kind = status & 0xF0, channel = status & 0x0F;
        if (kind == 0xC0 || kind == 0xD0) {
          if (kind == 0xC0) ++m.programs;
          at += 1;
        } else {
          if (!need(2)) return m;
          int pitch = b[at], velocity = b[at + 1];
          if (kind == 0x90 && velocity > 0) {
            ++m.notes;
            ++sounding[{channel, pitch}];
          } else if (kind == 0x80 || kind == 0x90) {
            --sounding[{channel, pitch}];
          }
          at += 2;
        }
      }
    }
    m.endsWithEndOfTrack.push_back(ended && at == end);
    at = end;
    ++m.tracks;
  }
  if (m.tracks != declared) m.error = "header declares " + std::to_string(declared) + " tracks";
  for (auto& [key, count] : sounding) m.openNotes += count != 0;
  return m;
}

TEST(AudioMusic, GameOverMidiIsAWellFormedGeneralMidiTune) {
  auto path = DatFile("gameover.mid");
  ASSERT_TRUE(std::filesystem::exists(path)) << path << " was not made by the build";
  std::vector<uint8_t> bytes = ReadBytes(path);
  MidiSummary m = ReadMidi(bytes);
  ASSERT_EQ(m.error, "");
  EXPECT_TRUE(m.format == 0 || m.format == 1);
  EXPECT_GT(m.division, 0);
  EXPECT_GE(m.tracks, 1);
  for (bool ends : m.endsWithEndOfTrack) EXPECT_TRUE(ends) << "each track closes with end of track";
  EXPECT_GE(m.programs, 1) << "chooses its instruments";
  EXPECT_GE(m.notes, 10);
  EXPECT_EQ(m.openNotes, 0) << "every note is released";

  const qv::Result<qv::sound::MidiTune> check = qv::sound::CheckMidi(bytes);
  ASSERT_TRUE(check.ok()) << check.message();
  EXPECT_EQ(check->tracks, m.tracks);
  EXPECT_GT(check->durationMs, 10'000) << "a short tune, but a tune";
  EXPECT_LT(check->durationMs, 60'000);
}

}  // namespace
