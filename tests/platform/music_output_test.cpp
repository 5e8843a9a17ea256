// The game's music as it leaves the audio device: SDL's disk driver writes every byte the
// device plays to a file, which is then listened to here. The battle tune joins its end to
// its start with no silence, and the game-over tune plays as loud as the battle tune.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/sdl/audio_system.h"
#include "platform/sdl/smfplay_fluid.h"

namespace qv::sdl {
namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;

class MusicOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("qv_music_out_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    capture = dir / "device.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);  // as fast as the game can feed it
  }
  void TearDown() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    fs::remove_all(dir);
  }

  // Runs the game's side of the loop until the device has played `seconds` more.
  bool PlayFor(AudioSystem& audio, double seconds, bool loops) {
    std::error_code ec;
    const auto bytes =
        fs::file_size(capture, ec) + static_cast<std::uintmax_t>(seconds * kRate) * 4;
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (std::chrono::steady_clock::now() < until) {
      audio.SetMusicLoops(loops);
      audio.Pump();
      SDL_Event e;
      while (SDL_PollEvent(&e)) audio.MusicEnded(e);
      if (fs::file_size(capture, ec) >= bytes && !ec) return true;
      SDL_Delay(1);
    }
    return false;
  }

  std::vector<int16_t> Captured() {
    std::ifstream in(capture, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> s(bytes.size() / 2);
    std::memcpy(s.data(), bytes.data(), s.size() * 2);
    return s;
  }

  fs::path dir, capture;
  const fs::path dat = fs::path(QV_BUILD_DIR) / "dat";
};

// Length of a tune in seconds as SDL2_mixer decodes it (the device must be open).
double TuneSeconds(const fs::path& file) {
  Mix_Music* m = Mix_LoadMUS(file.c_str());
  if (!m) return 0;
  double d = Mix_MusicDuration(m);
  Mix_FreeMusic(m);
  return d;
}

// Integrated loudness in LUFS of 16-bit stereo at 44.1 kHz: K-weighted, 400 ms blocks a
// quarter apart, gated absolutely at -70 LUFS and relatively 10 LU below.
double Lufs(const std::vector<int16_t>& stereo) {
  struct Biquad {
    double b0, b1, b2, a1, a2, z1 = 0, z2 = 0;
    double Run(double x) {
      double y = b0 * x + z1;
      z1 = b1 * x - a1 * y + z2;
      z2 = b2 * x - a2 * y;
      return y;
    }
  };
  auto shelf = [] {
    const double g = 3.99984385397, q = 0.7071752369554193, fc = 1681.974450955533;
    const double a = std::pow(10, g / 40), w = 2 * M_PI * fc / kRate, al = std::sin(w) / (2 * q);
    const double c = std::cos(w), sa = 2 * std::sqrt(a) * al;
    const double a0 = (a + 1) - (a - 1) * c + sa;
    return Biquad{a * ((a + 1) + (a - 1) * c + sa) / a0, -2 * a * ((a - 1) + (a + 1) * c) / a0,
                  a * ((a + 1) + (a - 1) * c - sa) / a0, 2 * ((a - 1) - (a + 1) * c) / a0,
                  ((a + 1) - (a - 1) * c - sa) / a0};
  };
  auto highPass = [] {
    const double q = 0.5003270373253953, fc = 38.13547087613982;
    const double w = 2 * M_PI * fc / kRate, al = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + al;
    return Biquad{(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - al) / a0};
  };
  const size_t frames = stereo.size() / 2;
  std::vector<double> power(frames);
  Biquad s[2] = {shelf(), shelf()}, h[2] = {highPass(), highPass()};
  for (size_t i = 0; i < frames; ++i) {
    double sum = 0;
    for (int ch = 0; ch < 2; ++ch) {
      double y = h[ch].Run(s[ch].Run(stereo[2 * i + ch] / 32768.0));
      sum += y * y;
    }
    power[i] = sum;
  }
  const size_t block = kRate * 4 / 10, step = block / 4;
  std::vector<double> blocks;
  for (size_t at = 0; at + block <= frames; at += step) {
    double sum = 0;
    for (size_t i = at; i < at + block; ++i) sum += power[i];
    blocks.push_back(sum / block);
  }
  auto loudness = [](double z) { return -0.691 + 10 * std::log10(z); };
  auto gatedMean = [&](double gate) {
    double sum = 0;
    int n = 0;
    for (double z : blocks) {
      if (z > 0 && loudness(z) > gate) sum += z, ++n;
    }
    return n ? sum / n : 0.0;
  };
  const double absolute = gatedMean(-70);
  if (absolute <= 0) return -200;
  return loudness(gatedMean(loudness(absolute) - 10));
}

TEST_F(MusicOutputTest, TheBattleTuneLoopsWithNoSilenceAtTheJoin) {
  AudioSystem audio;
  audio.Open({dat, dir, {}});
  ASSERT_TRUE(audio.HasDevice()) << "no disk audio driver";
  const double length = TuneSeconds(dat / "battle.mp3");
  ASSERT_GT(length, 10);
  audio.SetMusicLoops(true);
  audio.PlayMusic("battle.mp3", 1);
  ASSERT_TRUE(PlayFor(audio, 2 * length + 2, true));
  audio.Close();
  const std::vector<int16_t> s = Captured();
  const size_t frames = s.size() / 2;
  size_t first = 0;
  while (first < frames && std::abs(s[2 * first]) < 64 && std::abs(s[2 * first + 1]) < 64) ++first;
  // The longest run of silence from the tune's first sound through two joins.
  const size_t end = first + static_cast<size_t>(2 * length * kRate) + kRate;
  ASSERT_LE(end, frames);
  size_t run = 0, longest = 0, at = 0;
  for (size_t i = first; i < end; ++i) {
    bool quiet = std::abs(s[2 * i]) <= 2 && std::abs(s[2 * i + 1]) <= 2;
    run = quiet ? run + 1 : 0;
    if (run > longest) longest = run, at = i;
  }
  std::printf("battle tune of %.2f s, longest silence over two joins %.2f ms\n", length,
              longest * 1000.0 / kRate);
  EXPECT_LT(longest, static_cast<size_t>(kRate / 1000))
      << "silent for " << longest * 1000.0 / kRate << " ms, ending at " << at * 1.0 / kRate << " s";
}

TEST_F(MusicOutputTest, TheGameOverTuneIsAsLoudAsTheBattleTune) {
  if (!fs::is_regular_file(kDefaultSoundFont)) GTEST_SKIP() << "no General MIDI soundfont";
  double battle = 0, gameOver = 0;
  {
    AudioSystem audio;
    audio.Open({dat, dir, {}});
    ASSERT_TRUE(audio.HasDevice());
    audio.PlayMusic("battle.mp3", 1);
    ASSERT_TRUE(PlayFor(audio, 20, false));
    audio.Close();
    battle = Lufs(Captured());
  }
  fs::remove(capture);
  {
    AudioSystem audio;
    audio.Open({dat, dir, {}});
    ASSERT_TRUE(audio.HasDevice());
    audio.PlayMidi("gameover.mid");
    ASSERT_TRUE(PlayFor(audio, 12, false));
    audio.Close();
    const std::vector<int16_t> s = Captured();
    gameOver = Lufs(s);
    // Louder, but not into the clipping of the mix.
    size_t clipped = 0;
    for (int16_t v : s) clipped += v == 32767 || v == -32768;
    EXPECT_LE(clipped, s.size() / 10000) << clipped << " clipped samples";
  }
  std::printf("battle tune %.1f LUFS, game-over tune %.1f LUFS\n", battle, gameOver);
  EXPECT_NEAR(gameOver, battle, 3.0);
}

}  // namespace
}  // namespace qv::sdl
