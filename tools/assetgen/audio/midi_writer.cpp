#include "midi_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qv::assetgen {
namespace {

constexpr int kTicksPerBeat = 480;

// General MIDI programs (0-based).
constexpr int kStringEnsemble = 48;
constexpr int kOboe = 68;
constexpr int kCello = 42;

struct Event {
  int tick;
  std::vector<uint8_t> bytes;
};

class Track {
 public:
  void Meta(int tick, uint8_t type, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> b = {0xFF, type, static_cast<uint8_t>(data.size())};
    b.insert(b.end(), data.begin(), data.end());
    events_.push_back({tick, b});
  }
  void Text(int tick, uint8_t type, const std::string& s) {
    Meta(tick, type, std::vector<uint8_t>(s.begin(), s.end()));
  }
  void Tempo(int tick, double bpm) {
    uint32_t us = static_cast<uint32_t>(60000000.0 / bpm);
    Meta(tick, 0x51,
         {static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8), static_cast<uint8_t>(us)});
  }
  void Program(int channel, int program) {
    events_.push_back({0, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)}});
  }
  void Control(int tick, int channel, int controller, int value) {
    events_.push_back({tick,
                       {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                        static_cast<uint8_t>(value)}});
  }
  // A note from a beat position for some beats; note-offs sort before note-ons at one tick.
  void Note(int channel, double beat, double beats, int pitch, int velocity) {
    int on = static_cast<int>(beat * kTicksPerBeat);
    int off = on + static_cast<int>(beats * kTicksPerBeat) - 10;
    events_.push_back({on,
                       {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(pitch),
                        static_cast<uint8_t>(velocity)}});
    events_.push_back(
        {off, {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(pitch), 0}});
  }

  // The MTrk chunk: events in time order with delta times, closed by end of track.
  std::string Chunk() const {
    std::vector<Event> ev = events_;
    std::stable_sort(ev.begin(), ev.end(), [](const Event& a, const Event& b) {
      if (a.tick != b.tick) return a.tick < b.tick;
      bool aOff = (a.bytes[0] & 0xF0) == 0x80, bOff = (b.bytes[0] & 0xF0) == 0x80;
      return aOff && !bOff;
    });
    std::string body;
    int last = 0;
    for (const Event& e : ev) {
      PutVarLen(body, static_cast<uint32_t>(e.tick - last));
      last = e.tick;
      body.append(e.bytes.begin(), e.bytes.end());
    }
    body += std::string("\x00\xFF\x2F\x00", 4);
    std::string out = "MTrk";
    PutBig(out, static_cast<uint32_t>(body.size()), 4);
    return out + body;
  }

  static void PutBig(std::string& out, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }

 private:
  static void PutVarLen(std::string& out, uint32_t v) {
    uint8_t groups[5];
    int n = 0;
    do {
      groups[n++] = static_cast<uint8_t>(v & 0x7F);
      v >>= 7;
    } while (v != 0);
    while (n > 1) out.push_back(static_cast<char>(groups[--n] | 0x80));
    out.push_back(static_cast<char>(groups[0]));
  }

  std::vector<Event> events_;
};

// Beats, pitch: a falling oboe line in A minor over strings and a cello.
struct Tone {
  double beat, beats;
  int pitch;
};

constexpr Tone kMelody[] = {
    {0, 2, 76},   {2, 1, 74},     {3, 1, 72},                // Am
    {4, 1.5, 72}, {5.5, 0.5, 71}, {6, 2, 69},                // F
    {8, 2, 74},   {10, 1, 77},    {11, 1, 76},               // Dm
    {12, 1, 76},  {13, 1, 74},    {14, 1, 72}, {15, 1, 71},  // E
    {16, 2, 69},  {18, 2, 68},                               // Dm, E
    {20, 4, 69},                                             // Am, held
};

struct Chord {
  double beat, beats;
  int root;  // cello note
  int tones[3];
};

constexpr Chord kChords[] = {
    {0, 4, 45, {57, 60, 64}},  {4, 4, 41, {57, 60, 65}},  {8, 4, 38, {57, 62, 65}},
    {12, 4, 40, {56, 59, 64}}, {16, 2, 38, {57, 62, 65}}, {18, 2, 40, {56, 59, 64}},
    {20, 4, 45, {57, 60, 64}},
};

}  // namespace

std::string GameOverMidi() {
  Track tempo, strings, oboe, cello;
  tempo.Text(0, 0x03, "Game Over");
  tempo.Meta(0, 0x58, {4, 2, 24, 8});  // 4/4
  tempo.Tempo(0, 66);
  tempo.Tempo(16 * kTicksPerBeat, 58);  // the last bars slow down
  tempo.Tempo(20 * kTicksPerBeat, 48);

  strings.Text(0, 0x03, "Strings");
  strings.Program(0, kStringEnsemble);
  strings.Control(0, 0, 7, 80);
  strings.Control(0, 0, 10, 40);
  oboe.Text(0, 0x03, "Oboe");
  oboe.Program(1, kOboe);
  oboe.Control(0, 1, 7, 100);
  oboe.Control(0, 1, 10, 72);
  cello.Text(0, 0x03, "Cello");
  cello.Program(2, kCello);
  cello.Control(0, 2, 7, 90);
  cello.Control(0, 2, 10, 64);

  for (const Chord& c : kChords) {
    for (int p : c.tones) strings.Note(0, c.beat, c.beats, p, 60);
    cello.Note(2, c.beat, c.beats, c.root, 70);
  }
  for (const Tone& t : kMelody) oboe.Note(1, t.beat, t.beats, t.pitch, 84);

  std::string out = "MThd";
  Track::PutBig(out, 6, 4);
  Track::PutBig(out, 1, 2);  // format 1
  Track::PutBig(out, 4, 2);  // tracks
  Track::PutBig(out, kTicksPerBeat, 2);
  out += tempo.Chunk() + strings.Chunk() + oboe.Chunk() + cello.Chunk();
  return out;
}

}  // namespace qv::assetgen
