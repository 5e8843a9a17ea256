// Renders the game's MIDI tune with the desktop's own player (FluidSynth and Debian's General
// MIDI soundfont) into a WAV file, which the browser edition plays in its place: the browser
// has no synthesiser of ours. Usage: midi_to_wav IN.mid OUT.wav
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

#include "platform/sdl/smfplay_fluid.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr int32_t kChunk = 1024;
// The tune is over once this long has stayed silent after it began to sound.
constexpr int32_t kSilentTail = 2 * kRate;
constexpr int64_t kLongest = int64_t{180} * kRate;

void Put(std::ofstream& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: midi_to_wav IN.mid OUT.wav\n";
    return 2;
  }
  qv::sdl::SmfPlayer player;
  if (!player.Create(qv::sdl::kDefaultSoundFont, kRate) || player.SmfLoadFile(argv[1], 0) != 0 ||
      player.SmfPlay(2, 0, 0) != 0) {
    std::cerr << "midi_to_wav: cannot play " << argv[1] << " with " << qv::sdl::kDefaultSoundFont
              << "\n";
    return 1;
  }
  std::vector<int16_t> samples;
  int64_t lastSound = -1;
  for (int64_t at = 0; at < kLongest; at += kChunk) {
    std::vector<int16_t> chunk(size_t{kChunk} * 2, 0);
    player.Render(chunk.data(), kChunk);
    for (size_t i = 0; i < chunk.size(); ++i) {
      if (std::abs(chunk[i]) > 8) lastSound = at + int64_t(i / 2);
    }
    samples.insert(samples.end(), chunk.begin(), chunk.end());
    if (lastSound >= 0 && at - lastSound > kSilentTail) break;
  }
  player.SmfFree();
  // Up to a short fade of silence after the last sound.
  const size_t frames =
      std::min(samples.size() / 2, size_t(std::max<int64_t>(lastSound, 0)) + kRate / 4);
  samples.resize(frames * 2);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  const uint32_t bytes = uint32_t(samples.size() * 2);
  out.write("RIFF", 4);
  Put(out, 36 + bytes, 4);
  out.write("WAVEfmt ", 8);
  Put(out, 16, 4);
  Put(out, 1, 2);
  Put(out, 2, 2);
  Put(out, kRate, 4);
  Put(out, kRate * 4, 4);
  Put(out, 4, 2);
  Put(out, 16, 2);
  out.write("data", 4);
  Put(out, bytes, 4);
  for (int16_t s : samples) Put(out, uint16_t(s), 2);
  if (!out) {
    std::cerr << "midi_to_wav: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
