// A second opinion on the generated tunes from the libraries that play them in the game:
// SDL2_mixer must decode every MP3 to its full length, and FluidSynth must take the game-over
// MIDI file as a standard MIDI file it can play.
#include <SDL.h>
#include <SDL_mixer.h>
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const std::filesystem::path kDat = std::filesystem::path(QV_BUILD_DIR) / "dat";

class Mp3Decoding : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_AUDIO) != 0) GTEST_SKIP() << "no SDL audio: " << SDL_GetError();
    if ((Mix_Init(MIX_INIT_MP3) & MIX_INIT_MP3) == 0)
      GTEST_SKIP() << "no MP3 support in SDL2_mixer";
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
  }
};

TEST_F(Mp3Decoding, EveryTuneLoadsWithItsFullLength) {
  const char* const kTunes[] = {"title.mp3", "op.mp3",     "map.mp3",    "map2.mp3",
                                "map3.mp3",  "map4.mp3",   "map5.mp3",   "map6.mp3",
                                "map7.mp3",  "battle.mp3", "epiloge.mp3"};
  for (const char* tune : kTunes) {
    const std::string path = (kDat / tune).string();
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    ASSERT_NE(music, nullptr) << tune << ": " << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MP3) << tune;
    // The opening and the map tunes play once and last; the others are short.
    const std::string name = tune;
    const bool lasting = name == "op.mp3" || name.rfind("map", 0) == 0;
    const double seconds = Mix_MusicDuration(music);
    EXPECT_GE(seconds, lasting ? 120.0 : 30.0) << tune;
    EXPECT_LE(seconds, lasting ? 180.0 : 90.0) << tune;
    Mix_FreeMusic(music);
  }
}

TEST(MidiForFluidSynth, GameOverTuneIsAPlayableMidiFile) {
  const std::string path = (kDat / "gameover.mid").string();
  ASSERT_TRUE(fluid_is_midifile(path.c_str())) << path;
  fluid_settings_t* settings = new_fluid_settings();
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = new_fluid_player(synth);
  EXPECT_EQ(fluid_player_add(player, path.c_str()), FLUID_OK);
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
}

}  // namespace
