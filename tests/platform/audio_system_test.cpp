#include "platform/sdl/audio_system.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace qv::sdl {
namespace {

namespace fs = std::filesystem;

// A short 8-bit mono wave: a tenth of a second at 11025 Hz.
void WriteWave(const fs::path& file, uint32_t samples) {
  std::ofstream out(file, std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + samples);
  out.write("WAVEfmt ", 8);
  u32(16), u16(1), u16(1), u32(11025), u32(11025), u16(1), u16(8);
  out.write("data", 4);
  u32(samples);
  for (uint32_t i = 0; i < samples; ++i) out.put(char(128 + (i % 32) - 16));
}

class AudioSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    dir = fs::temp_directory_path() / ("qv_audio_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    WriteWave(dir / "a.wav", 1100);
    std::ofstream(dir / "broken.mid", std::ios::binary) << "MThd broken";
    // One note of half a second.
    const char tune[] =
        "MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0C\0\x90\x3C\x64\x60\x80\x3C\0"
        "\0\xFF\x2F\0";
    std::ofstream(dir / "tune.mid", std::ios::binary).write(tune, sizeof tune - 1);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the game's side of the loop until `done` holds or two seconds pass.
  template <typename F>
  bool Loop(AudioSystem& audio, F done, std::optional<std::string>* ended = nullptr,
            int32_t ms = 2000) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
      audio.Pump();
      SDL_Event e;
      int32_t wait = audio.MsUntilPump();
      if (SDL_WaitEventTimeout(&e, wait < 0 ? 20 : std::min(wait, 20))) {
        if (auto f = audio.MusicEnded(e); f && ended) *ended = f;
      }
      if (done()) return true;
    }
    return false;
  }

  fs::path dir;
};

TEST_F(AudioSystemTest, EffectsReachTheDeviceAndTheirBlocksComeBack) {
  AudioSystem audio;
  audio.Open({dir, dir, {}});
  ASSERT_TRUE(audio.HasDevice());
  EXPECT_EQ(audio.MsUntilPump(), -1);
  audio.PlayWave(0, "a.wav");
  audio.PlayWave(1, "a.wav");
  EXPECT_GT(audio.MsUntilPump(), 0);  // a block is with the device
  // The audio thread takes the blocks; the game's thread sees them done from the position.
  EXPECT_TRUE(Loop(audio, [&] { return audio.MsUntilPump() == -1; }));
  audio.PlayWave(2, "missing.wav");
  audio.PlayMidi("broken.mid");
  audio.PlayMidi("tune.mid");  // sounds when the soundfont is installed, silent otherwise
  Loop(
      audio, [] { return false; }, nullptr, 100);
  audio.PlayMidi("not");
  audio.PlayMidi("tune.mid");
  audio.Close();  // while the tune plays
  audio.Close();
}

TEST_F(AudioSystemTest, MusicThatPlaysToItsEndIsReportedAndAStoppedOneIsNot) {
  AudioSystem audio;
  audio.Open({dir, dir, {}});
  ASSERT_TRUE(audio.HasDevice());
  std::optional<std::string> ended;
  audio.PlayMusic("a.wav", 1);
  EXPECT_TRUE(Loop(
      audio, [&] { return ended.has_value(); }, &ended));
  EXPECT_EQ(ended, "a.wav");

  ended.reset();
  audio.PlayMusic("a.wav", 1);
  audio.PlayMusic("not", 1);
  EXPECT_FALSE(Loop(
      audio, [&] { return ended.has_value(); }, &ended, 300));
  audio.Close();
}

TEST_F(AudioSystemTest, WithoutADeviceEverythingIsSilent) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  AudioSystem audio;
  audio.Open({dir, dir, {}});
  EXPECT_FALSE(audio.HasDevice());
  audio.PlayWave(0, "a.wav");
  audio.PlayMusic("a.wav", 1);
  audio.PlayMidi("broken.mid");
  audio.Pump();
  EXPECT_EQ(audio.MsUntilPump(), -1);
  SDL_Event e{};
  EXPECT_EQ(audio.MusicEnded(e), std::nullopt);
}

}  // namespace
}  // namespace qv::sdl
