#include "sound/sound_system.h"

#include <gtest/gtest.h>

#include "core/music_notify.h"
#include "sound/sound_mixer.h"
#include "sound_test_support.h"
#include "support/fake_host.h"

namespace qv::sound {
namespace {

struct FakeMusic : MusicPlayer {
  bool Play(const std::filesystem::path& file, uint32_t t) override {
    log.push_back("play " + file.filename().string());
    token = t;
    return file.filename() != "missing.mp3";
  }
  void Stop() override { log.push_back("stop"); }
  std::vector<std::string> log;
  uint32_t token = 0;
};

struct FakeMidi : MidiPlayer {
  int32_t SmfSetDevice(int32_t d, int32_t f) override {
    log.push_back("device " + std::to_string(d) + " " + std::to_string(f));
    return 0;
  }
  int32_t SmfLoadFile(const std::filesystem::path& file, int32_t) override {
    log.push_back("load " + file.filename().string());
    return std::filesystem::exists(file) ? 0 : -1;
  }
  int32_t SmfPlay(int32_t mode, int32_t, int32_t) override {
    log.push_back("play " + std::to_string(mode));
    return 0;
  }
  int32_t SmfStop() override {
    log.push_back("stop");
    return 0;
  }
  int32_t SmfFree() override {
    log.push_back("free");
    return 0;
  }
  std::vector<std::string> log;
};

class SoundSystemTest : public ::testing::Test {
 protected:
  SoundSystemTest() {
    testing::WriteFile(dat.path / "no.wav", testing::FlatWav(60, 8000));
    testing::WriteFile(dat.path / "damage2.wav", testing::FlatWav(200, 3000));
    testing::WriteFile(dat.path / "gameover.mid", {});
    sound = std::make_unique<SoundSystem>(SoundSystemOptions{dat.path, {}}, &dev, &music, &midi);
  }
  MixerSession& session() { return sound->Mixer()->Session(); }

  testing::TempDir dat;
  testing::FakeDevice dev;
  FakeMusic music;
  FakeMidi midi;
  std::unique_ptr<SoundSystem> sound;
};

TEST_F(SoundSystemTest, EachEntryPointHasItsChannelAndLastWave) {
  sound->Start();
  sound->PlayWave(0, "no.wav");
  sound->PlayWave(0, "no.wav");
  sound->PlayWave(1, "damage2.wav");
  EXPECT_EQ(session().QueuedPlays(0), 2);  // the second waits for the first
  EXPECT_EQ(session().QueuedPlays(1), 1);  // another channel sounds together with them
  ASSERT_NE(sound->LastWave(0), nullptr);
  EXPECT_EQ(sound->LastWave(0)->name, "no.wav");
  EXPECT_EQ(sound->LastWave(1)->name, "damage2.wav");
  sound->PlayWave(4, "no.wav");  // entry 4 is never filled
  EXPECT_EQ(sound->LastWave(4), nullptr);
  EXPECT_EQ(session().QueuedPlays(4), 0);

  // A missing file is swallowed and keeps the last wave.
  const Wave* before = sound->LastWave(0);
  sound->PlayWave(0, "missing.wav");
  EXPECT_EQ(sound->LastWave(0), before);
}

TEST_F(SoundSystemTest, WavesOfEarlierClicksDoNotPileUp) {
  sound->Start();
  for (int i = 0; i < 200; ++i) {
    sound->PlayWave(i % 4, "damage2.wav");
    dev.Play(4000);
    sound->Pump();
  }
  EXPECT_LE(session().LoadedWaves(), 8u);
  EXPECT_EQ(
      session().FreePlayEntries(), MixerSession::kPoolSize - 4 + [&] {
        int32_t n = 0;
        for (int c = 0; c < 4; ++c) n += 1 - session().QueuedPlays(c);
        return n;
      }());
}

TEST_F(SoundSystemTest, MusicNotAndTheEmptyNameAndAClosingWindow) {
  sound->Start();
  sound->PlayMusic("map.mp3", 1);
  sound->PlayMusic("", 1);            // keeps the music
  sound->PlayMusic("title.mp3", -1);  // the window is closing
  EXPECT_EQ(music.log, (std::vector<std::string>{"play map.mp3"}));
  EXPECT_EQ(sound->CurrentMusic(), "map.mp3");

  // Only a natural end of the current music comes back, to be played again in battle.
  uint32_t mapToken = music.token;
  EXPECT_EQ(sound->MusicEnded(mapToken, false), std::nullopt);
  EXPECT_EQ(sound->MusicEnded(mapToken, true), "map.mp3");
  sound->PlayMusic("battle.mp3", 1);
  EXPECT_EQ(sound->MusicEnded(mapToken, true), std::nullopt);  // stale
  EXPECT_EQ(sound->MusicEnded(music.token, true), "battle.mp3");

  uint32_t battleToken = music.token;
  sound->PlayMusic("not", 1);
  sound->PlayMusic("not", 1);  // stopping nothing raises nothing
  EXPECT_EQ(sound->MusicEnded(battleToken, true), std::nullopt);
  EXPECT_EQ(music.log.back(), "stop");
  sound->PlayMusic("missing.mp3", 1);  // swallowed
}

TEST_F(SoundSystemTest, MidiAndTheLifecycleOrder) {
  sound->Start();
  sound->PlayMidi("gameover.mid");
  sound->PlayMidi("not");
  sound->PlayMidi("");
  sound->PlayMidi("nothing.mid");
  sound->PlayWave(2, "no.wav");
  sound->Shutdown();
  EXPECT_EQ(midi.log,
            (std::vector<std::string>{"device -1 0", "load gameover.mid", "play 2", "stop", "stop",
                                      "load nothing.mid", "stop", "free"}));
  EXPECT_EQ(sound->LastWave(2), nullptr);
  EXPECT_EQ(sound->Mixer(), nullptr);
  EXPECT_FALSE(dev.open);
  EXPECT_TRUE(dev.session.expired());
}

TEST_F(SoundSystemTest, AMachineWithoutAudioStaysSilent) {
  dev.count = 0;
  sound->Start();
  EXPECT_EQ(sound->Mixer(), nullptr);
  sound->PlayWave(0, "no.wav");
  sound->Pump();
  EXPECT_EQ(sound->MsUntilPump(), -1);
  SoundSystem none(SoundSystemOptions{dat.path, {}}, nullptr, nullptr, nullptr);
  none.Start();
  none.PlayWave(0, "no.wav");
  none.PlayMusic("map.mp3", 1);
  none.PlayMidi("gameover.mid");
  none.Shutdown();
}

TEST_F(SoundSystemTest, SettingsFilesAreReadInOrder) {
  testing::TempDir a, b;
  testing::WriteFile(a.path / "MIXER.INI",
                     {'[', 'd', 'e', 'f', 'a', 'u', 'l', 't', ']', '\n', 'W',
                      'a', 'v', 'e', 'B', 'l', 'o', 'c', 'k', 's', '=',  '5'});
  testing::WriteFile(b.path / "MIXER.INI",
                     {'[', 'd', 'e', 'f', 'a', 'u', 'l', 't', ']', '\n', 'W',
                      'a', 'v', 'e', 'B', 'l', 'o', 'c', 'k', 's', '=',  '4'});
  SoundSystem s(SoundSystemOptions{dat.path, {a.path / "MIXER.INI", b.path / "MIXER.INI"}}, &dev,
                nullptr, nullptr);
  s.Start();
  ASSERT_NE(s.Mixer(), nullptr);
  EXPECT_EQ(s.Mixer()->Session().Settings().waveBlocks, 4);
}

TEST(MixerSettingsFiles, BesideTheProgramThenTheUsersConfig) {
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(MixerSettingsFiles("/opt/qv"),
            (std::vector<std::filesystem::path>{"/opt/qv/MIXER.INI", "/cfg/qv/MIXER.INI"}));
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/p", 1);
  EXPECT_EQ(MixerSettingsFiles("/opt/qv")[1], "/home/p/.config/qv/MIXER.INI");
}

TEST(MidPNotify, BattleMusicStartsAgainOnlyInBattle) {
  qv::testing::TestGame t;
  Game& g = t.g();
  g.text.formActive = 1;
  g.battle.battleActive = 0;
  mid_pNotify(g, "map.mp3");
  EXPECT_TRUE(t.host.music.empty());
  g.battle.battleActive = 1;
  mid_pNotify(g, "battle.mp3");
  EXPECT_EQ(t.host.music, (std::vector<std::string>{"battle.mp3"}));
  g.text.formActive = -1;  // the window is going
  mid_pNotify(g, "battle.mp3");
  EXPECT_EQ(t.host.music.size(), 1u);
}

}  // namespace
}  // namespace qv::sound
