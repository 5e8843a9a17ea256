// The game-over tune rendered without an audio device: as the game's player makes it (the
// synthesiser made on its own thread, the soundfont's samples read only for the tune's
// instruments) it must be, byte for byte, what a synthesiser with the whole soundfont in memory
// renders, which is how the game made it before.
#include <fluidsynth.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "files/files_fixture.h"
#include "platform/sdl/smfplay_fluid.h"
#include "sound/midi_check.h"
#include "sound/stream_device.h"

namespace qv::sdl {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kRate = 44100;
using sound::kDeviceFrames;            // what the audio device asks for at a time
constexpr int32_t kSynthFrames = 512;  // what the player renders at a time

std::vector<uint8_t> ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The whole soundfont read at once, the synthesiser set up as the game set it up before.
std::vector<int16_t> RenderWithTheWholeSoundFont(const fs::path& font,
                                                 const std::vector<uint8_t>& tune, int64_t frames) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", double(kRate));
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_settings_setint(settings, "synth.cpu-cores", 1);
  fluid_settings_setnum(settings, "synth.gain", kSynthGain);
  fluid_synth_t* synth = new_fluid_synth(settings);
  std::vector<int16_t> out(std::size_t(frames) * 2, 0);
  if (fluid_synth_sfload(synth, font.c_str(), 1) != FLUID_FAILED) {
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_add_mem(player, tune.data(), tune.size());
    fluid_player_set_loop(player, 1);
    fluid_player_play(player);
    for (int64_t done = 0; done < frames; done += kSynthFrames) {
      int32_t n = int32_t(std::min<int64_t>(kSynthFrames, frames - done));
      int16_t* at = &out[std::size_t(done) * 2];
      fluid_synth_write_s16(synth, n, at, 0, 2, at, 1, 2);
    }
    fluid_player_stop(player);
    delete_fluid_player(player);
  }
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return out;
}

std::vector<int16_t> RenderWithTheGamesPlayer(const fs::path& font, const fs::path& tune,
                                              int64_t frames) {
  SmfPlayer player;
  std::vector<int16_t> out(std::size_t(frames) * 2, 0);
  if (!player.Create(font, kRate) || player.SmfLoadFile(tune, 0) != 0 ||
      player.SmfPlay(2, 0, 0) != 0) {
    ADD_FAILURE() << "the player did not start the tune";
    return out;
  }
  for (int64_t done = 0; done < frames; done += kDeviceFrames) {
    int32_t n = int32_t(std::min<int64_t>(kDeviceFrames, frames - done));
    player.Render(&out[std::size_t(done) * 2], n);
  }
  player.SmfFree();
  return out;
}

uint64_t Fnv1a(const std::vector<int16_t>& samples) {
  uint64_t h = 1469598103934665603ull;
  for (int16_t s : samples) {
    for (int shift : {0, 8}) {
      h ^= uint8_t(uint16_t(s) >> shift);
      h *= 1099511628211ull;
    }
  }
  return h;
}

TEST(MidiRender, TheGameOverTuneSoundsAsItDidWithTheWholeSoundFontInMemory) {
  const fs::path font = kDefaultSoundFont;
  const fs::path tune = fs::path(QV_BUILD_DIR) / "dat" / "gameover.mid";
  if (!fs::is_regular_file(font)) GTEST_SKIP() << "no General MIDI soundfont at " << font;
  ASSERT_TRUE(fs::is_regular_file(tune));
  const std::vector<uint8_t> bytes = ReadAll(tune);
  const Result<sound::MidiTune> check = sound::CheckMidi(bytes);
  ASSERT_TRUE(check.ok()) << check.message();
  // The whole tune and the last notes' release.
  const int64_t frames = (check->durationMs + 3000) * kRate / 1000;

  const std::vector<int16_t> before = RenderWithTheWholeSoundFont(font, bytes, frames);
  const std::vector<int16_t> now = RenderWithTheGamesPlayer(font, tune, frames);
  int64_t loud = 0;
  for (int16_t s : before) loud += s > 1000 || s < -1000;
  EXPECT_GT(loud, frames / 10);  // the tune sounds at all
  ASSERT_EQ(before.size(), now.size());
  std::size_t first = 0;
  while (first < now.size() && now[first] == before[first]) ++first;
  EXPECT_EQ(first, now.size()) << "the renders part at frame " << first / 2;
  std::printf("game-over tune: %lld frames, FNV-1a %016llx\n", static_cast<long long>(frames),
              static_cast<unsigned long long>(Fnv1a(now)));
}

// fluidsynth would wait forever on a FIFO given as the soundfont and read a device without end:
// the player names what it was given and stays silent.
TEST(MidiRender, ASoundFontThatIsNotARegularFileIsNamedAndNeverWaitedOn) {
  qv::testing::ScratchFolder dir("soundfont");
  alarm(20);
  for (const auto& c : qv::testing::kHostileCases) {
    // A file that ends early is still a file: the synthesizer finds it is no soundfont.
    if (c.kind == qv::testing::Hostile::kShrinking) continue;
    SCOPED_TRACE(c.name);
    qv::testing::MakeHostile(dir / "gm.sf2", c.kind);
    ::testing::internal::CaptureStderr();
    SmfPlayer player;
    const bool made = player.Create(dir / "gm.sf2", kRate);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(made);
    EXPECT_NE(said.find((dir / "gm.sf2").string()), std::string::npos) << said;
  }
  alarm(0);
}

}  // namespace
}  // namespace qv::sdl
