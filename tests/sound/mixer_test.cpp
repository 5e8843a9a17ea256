#include "sound/mixer.h"

#include <gtest/gtest.h>

#include <memory>

#include "files/status.h"
#include "sound/mixer_error.h"
#include "sound/sound_mixer.h"
#include "sound_test_support.h"

namespace qv::sound {
namespace {

using testing::FlatWav;

class MixerTest : public ::testing::Test {
 protected:
  void Start(std::string_view settings = "") {
    ini.AddText(settings);
    Result<std::unique_ptr<SoundMixer>> made = SoundMixer::Create(dev, ini);
    ASSERT_TRUE(made.ok()) << made.message();
    mixer = std::move(*made);
    EXPECT_OK(mixer->SetActivated(true));
    EXPECT_OK(mixer->SetChannels(31));
  }
  const Wave* Load(const std::string& name, const std::vector<uint8_t>& bytes) {
    testing::WriteFile(dir.path / name, bytes);
    Result<const Wave*> w = mixer->LoadWave(dir.path / name);
    EXPECT_TRUE(w.ok()) << w.message();
    return w.ok() ? *w : nullptr;
  }
  Status TryPlay(int32_t channel, const Wave* w, uint16_t loops = 0) {
    return mixer->Play(channel, w, loops, 0, nullptr);
  }
  void Play(int32_t channel, const Wave* w, uint16_t loops = 0) {
    EXPECT_OK(TryPlay(channel, w, loops));
  }
  // The device plays `bytes` in small steps, each followed by the block-done handling.
  void Run(uint64_t bytes) {
    for (uint64_t done = 0; done < bytes; done += 256) {
      dev.Play(256);
      EXPECT_OK(session().BlocksDone());
    }
  }
  MixerSession& session() { return mixer->Session(); }
  static std::string ErrorOf(const Status& s) { return s.ok() ? "" : s.message(); }

  testing::FakeDevice dev;
  testing::TempDir dir;
  ProfileFile ini;
  std::unique_ptr<SoundMixer> mixer;
};

TEST_F(MixerTest, OpensTheDeviceAsTheGameDoes) {
  Start();
  EXPECT_TRUE(dev.open);
  EXPECT_EQ(dev.format, (PcmFormat{1, 11025, 8}));
  EXPECT_EQ(session().OpenChannelCount(), 5);
  EXPECT_TRUE(session().ChannelOpen(4));
  EXPECT_FALSE(session().ChannelOpen(5));
  mixer.reset();
  EXPECT_FALSE(dev.open);
  EXPECT_TRUE(dev.session.expired());
}

TEST_F(MixerTest, TwoChannelsAreSummedAndClipped) {
  struct Case {
    uint8_t a, b, sum;
  };
  for (Case c : {Case{200, 100, 172}, Case{250, 250, 255}, Case{5, 5, 0}}) {
    Start();
    Play(0, Load("a.wav", FlatWav(c.a, 8000)));
    Run(1000);
    // A sound started while another plays starts where the device is: what was mixed ahead
    // and not yet played is mixed again with it.
    uint64_t played = dev.played;
    Play(1, Load("b.wav", FlatWav(c.b, 300)));
    Run(8000);
    auto first = std::find(dev.stream.begin(), dev.stream.end(), c.sum) - dev.stream.begin();
    EXPECT_EQ(uint64_t(first), played) << int(c.a);
    EXPECT_EQ(dev.stream[played + 299], c.sum);
    EXPECT_EQ(dev.stream[played + 300], c.a);
    mixer.reset();
    dev.stream.clear();
  }
}

TEST_F(MixerTest, ANewSoundStartsWhereTheDeviceIsAndEachChannelKeepsItsOrder) {
  struct Recorder : PlayNotify {
    void WaveDone(int32_t channel, const Wave* wave) override { calls.push_back({channel, wave}); }
    std::vector<std::pair<int32_t, const Wave*>> calls;
  } recorder;
  Start();
  // A ramp shows any byte played twice or skipped where the mix is made again.
  std::vector<uint8_t> ramp(9000);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = uint8_t(20 + i % 100);
  const Wave* longWave = Load("long.wav", testing::WavBytes(1, 11025, 8, ramp));
  const Wave* click = Load("click.wav", FlatWav(148, 400));
  const Wave* after = Load("after.wav", FlatWav(108, 300));
  EXPECT_OK(mixer->Play(0, longWave, 0, 0, &recorder));
  Run(1280);
  EXPECT_EQ(session().BlocksWithDevice(), 3);
  const uint64_t clickAt = dev.played;
  EXPECT_OK(mixer->Play(1, click, 0, 0, &recorder));
  EXPECT_OK(mixer->Play(1, click, 0, 0, &recorder));  // waits for the first click
  EXPECT_OK(
      mixer->Play(0, after, 0, 0, &recorder));  // waits for the long sound, beyond what is mixed
  EXPECT_EQ(dev.rewinds, 2);
  EXPECT_EQ(session().BlocksWithDevice(), 3);  // the device is as full as before
  EXPECT_EQ(session().MixPosition(), int64_t(clickAt) + 3 * 2048);
  Run(12000);
  ASSERT_GE(dev.stream.size(), 9300u);
  for (std::size_t k = 0; k < 9000; ++k) {
    int32_t expect = ramp[k];
    if (k >= clickAt && k < clickAt + 800) expect += 20;
    ASSERT_EQ(dev.stream[k], expect) << k;
  }
  EXPECT_EQ(dev.stream[9000], 108);
  EXPECT_EQ(dev.stream[9299], 108);
  EXPECT_EQ(dev.stream[9300], 128);
  // Completion comes in the order the plays end, once each.
  ASSERT_EQ(recorder.calls.size(), 4u);
  EXPECT_EQ(recorder.calls[0], std::make_pair(1, click));
  EXPECT_EQ(recorder.calls[1], std::make_pair(1, click));
  EXPECT_EQ(recorder.calls[2], std::make_pair(0, longWave));
  EXPECT_EQ(recorder.calls[3], std::make_pair(0, after));
}

TEST_F(MixerTest, WithoutARewindANewSoundWaitsForTheNextBlockNotYetMixed) {
  struct Case {
    const char* settings;
    bool canRewind, playsOn;
  };
  for (Case c :
       {Case{"[Fake Out]\nRemix=0\n", true, false}, Case{"", false, false}, Case{"", true, true}}) {
    Start(c.settings);
    dev.canRewind = c.canRewind;
    dev.playsOnDuringRewind = c.playsOn;
    Play(0, Load("a.wav", FlatWav(200, 8000)));
    Run(1000);
    const std::vector<uint8_t> before = dev.stream;
    Play(1, Load("b.wav", FlatWav(100, 300)));
    EXPECT_EQ(dev.rewinds, 0) << c.settings;
    Run(3000);
    // What the device held plays on untouched; the new sound is in the next block.
    ASSERT_GE(dev.stream.size(), before.size() + 300);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), dev.stream.begin()));
    EXPECT_EQ(dev.stream[before.size()], 172);
    EXPECT_EQ(dev.stream[before.size() - 1], 200);
    mixer.reset();
    dev.stream.clear();
    ini = ProfileFile();
  }
}

TEST_F(MixerTest, WavesOnOneChannelPlayOneAfterTheOther) {
  Start();
  Play(0, Load("long.wav", FlatWav(200, 7000)));
  Play(0, Load("no.wav", FlatWav(50, 500)));
  EXPECT_EQ(session().QueuedPlays(0), 2);
  Run(12000);
  ASSERT_GE(dev.stream.size(), 8192u);
  EXPECT_EQ(dev.stream[6999], 200);
  EXPECT_EQ(dev.stream[7000], 50);
  EXPECT_EQ(dev.stream[7499], 50);
  EXPECT_EQ(dev.stream[7500], 128);
  EXPECT_EQ(session().QueuedPlays(0), 0);
}

TEST_F(MixerTest, ASilentMixerStartsANewSoundAtOnceFromPositionZero) {
  Start();
  const Wave* w = Load("ok.wav", FlatWav(90, 1000));
  Play(0, w);
  EXPECT_EQ(dev.stream[0], 90);
  EXPECT_FALSE(dev.paused);
  Run(3000);
  ASSERT_EQ(session().BlocksWithDevice(), 0);
  ASSERT_EQ(session().QueuedPlays(0), 0);
  EXPECT_EQ(session().MixPosition(), 2048);
  EXPECT_EQ(session().MsUntilBlockDone(), -1);

  std::size_t from = dev.stream.size();
  Play(2, w);
  EXPECT_EQ(session().MixPosition(), 2048);  // back to 0, then one block mixed
  EXPECT_EQ(dev.stream[from], 90);
  EXPECT_EQ(dev.stream[from + 1000], 128);
  EXPECT_EQ(session().MsUntilBlockDone(), 186);  // 2048 bytes at 11025 a second
  dev.Play(1024);
  EXPECT_EQ(session().MsUntilBlockDone(), 93);
}

TEST_F(MixerTest, LoopsRepeatTheWaveAndEndlessLoopsStopWithTheChannel) {
  Start("[Fake Out]\nWaveBlockLen=512\n");
  std::vector<uint8_t> ramp(700);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = uint8_t(20 + i % 200);
  const Wave* w = Load("ramp.wav", testing::WavBytes(1, 11025, 8, ramp));
  Play(0, w, /*loops=*/2);
  Run(4000);
  for (std::size_t k = 0; k < 2100; ++k) ASSERT_EQ(dev.stream[k], ramp[k % 700]) << k;
  EXPECT_EQ(dev.stream[2100], 128);

  std::size_t from = dev.stream.size();
  Play(1, w, kLoopForever);
  Run(20000);
  for (std::size_t k = 0; k < 20000; ++k) ASSERT_EQ(dev.stream[from + k], ramp[k % 700]) << k;
  EXPECT_OK(session().CloseMixChannel(1));
  Run(4000);
  int32_t writes = dev.writes;
  Run(4000);
  EXPECT_EQ(dev.writes, writes);
  EXPECT_EQ(session().BlocksWithDevice(), 0);
}

TEST_F(MixerTest, BlockCountAndLengthComeFromTheSettings) {
  Start("[Fake Out]\nWaveBlocks=2\nWaveBlockLen=1024\n");
  Play(0, Load("long.wav", FlatWav(200, 10000)));
  EXPECT_EQ(session().BlocksWithDevice(), 2);
  EXPECT_EQ(dev.stream.size(), 2048u);
  dev.Play(1024);
  EXPECT_OK(session().BlocksDone());
  EXPECT_EQ(session().BlocksWithDevice(), 2);
  EXPECT_EQ(dev.stream.size(), 3072u);
}

TEST_F(MixerTest, PlayRefusesBadRequestsByName) {
  Start();
  const Wave* w = Load("a.wav", FlatWav(200, 100));
  EXPECT_EQ(ErrorOf(TryPlay(5, w)), msg::kChannelNotOpen);
  EXPECT_EQ(ErrorOf(TryPlay(8, w)), msg::kBadChannel);
  EXPECT_EQ(ErrorOf(TryPlay(0, nullptr)), msg::kNilWave);
  EXPECT_EQ(ErrorOf(session().MixerPlay(nullptr)), msg::kNilParams);
  EXPECT_EQ(ErrorOf(mixer->Play(0, w, 0, 4, nullptr)), msg::kBadFlags);
  Wave stranger;
  stranger.data = {1};
  EXPECT_EQ(ErrorOf(TryPlay(0, &stranger)), msg::kBadPointer);

  EXPECT_OK(mixer->SetChannels(0));
  EXPECT_EQ(ErrorOf(TryPlay(0, w)), msg::kNoChannelOpen);
  EXPECT_OK(mixer->SetChannels(255));
  EXPECT_EQ(session().OpenChannelCount(), 8);
  EXPECT_OK(mixer->SetActivated(false));
  EXPECT_EQ(ErrorOf(TryPlay(0, w)), msg::kNotActive);
}

TEST_F(MixerTest, ChannelOperationsCheckTheirArguments) {
  Start();
  EXPECT_EQ(ErrorOf(session().OpenMixChannel(0)), msg::kChannelOpen);
  EXPECT_EQ(ErrorOf(session().OpenMixChannel(-1)), msg::kBadChannel);
  EXPECT_EQ(ErrorOf(session().OpenMixChannel(9, kMixCount)), msg::kBadChannelCount);
  EXPECT_EQ(ErrorOf(session().OpenMixChannel(0, 7)), msg::kBadFlag);
  EXPECT_EQ(ErrorOf(session().CloseMixChannel(6)), msg::kChannelNotOpen);
  EXPECT_OK(session().OpenMixChannel(7, kMixCount));
  EXPECT_EQ(session().OpenChannelCount(), 7);
}

TEST_F(MixerTest, ThePlayPoolHoldsNinetyEightPlays) {
  Start();
  const Wave* w = Load("a.wav", FlatWav(200, 100));
  for (int i = 0; i < MixerSession::kPoolSize; ++i) Play(i % 4, w);
  EXPECT_EQ(ErrorOf(TryPlay(0, w)), msg::kNotEnoughMemory);
  // Freeing the wave takes all its plays off every channel.
  EXPECT_OK(mixer->ReleaseWave(w));
  EXPECT_EQ(session().FreePlayEntries(), MixerSession::kPoolSize);
  EXPECT_EQ(session().LoadedWaves(), 0u);
  EXPECT_EQ(ErrorOf(mixer->ReleaseWave(w)), msg::kBadPointer);
}

TEST_F(MixerTest, AWaveGivenUpGoesOnceItsPlaysEnd) {
  Start();
  const Wave* w = Load("a.wav", FlatWav(200, 3000));
  Play(0, w);
  EXPECT_OK(session().FreeMixWaveWhenDone(w));
  EXPECT_EQ(session().LoadedWaves(), 1u);
  Run(6000);
  EXPECT_EQ(session().LoadedWaves(), 0u);
  EXPECT_EQ(dev.stream[2999], 200);
}

TEST_F(MixerTest, APlayNamingAWindowIsToldWhenItEnds) {
  struct Recorder : PlayNotify {
    void WaveDone(int32_t channel, const Wave* wave) override { calls.push_back({channel, wave}); }
    std::vector<std::pair<int32_t, const Wave*>> calls;
  } recorder;
  Start();
  const Wave* w = Load("a.wav", FlatWav(200, 1000));
  EXPECT_OK(mixer->Play(3, w, 0, 0, &recorder));
  dev.Play(999);
  EXPECT_OK(session().BlocksDone());
  EXPECT_TRUE(recorder.calls.empty());
  dev.Play(1);
  EXPECT_OK(session().BlocksDone());
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_EQ(recorder.calls[0], std::make_pair(3, w));
}

TEST_F(MixerTest, DeviceFaultsAtStartAndWhilePlaying) {
  ini.AddText("");
  {
    dev.openResult = 4;
    Result<std::unique_ptr<SoundMixer>> made = SoundMixer::Create(dev, ini);
    ASSERT_TRUE(made.ok()) << made.message();
    SoundMixer& m = **made;
    EXPECT_EQ(ErrorOf(m.SetActivated(true)), std::string(msg::kOpenFailed) + "4");
    dev.openResult = kDeviceNoNotify;
    EXPECT_EQ(ErrorOf(m.SetActivated(true)), msg::kNoCallbackWindow);
    dev.openResult = kDeviceOk;
    dev.prepareResult = 7;
    EXPECT_EQ(ErrorOf(m.SetActivated(true)), std::string(msg::kPrepareFailed) + "7");
    EXPECT_FALSE(dev.open);
    dev.prepareResult = kDeviceOk;
    dev.open = true;  // held by someone else
    EXPECT_EQ(ErrorOf(m.SetActivated(true)), msg::kResourceBusy);
    dev.open = false;
  }
  Start();
  const Wave* w = Load("a.wav", FlatWav(200, 100));
  dev.refuseWrites = true;
  EXPECT_EQ(ErrorOf(TryPlay(0, w)), msg::kWriteFailed);
  EXPECT_FALSE(dev.paused);
  dev.refuseWrites = false;
  Run(4000);
  Play(0, w);
  EXPECT_EQ(dev.stream.back(), 128);
  EXPECT_EQ(dev.stream[dev.stream.size() - 2048], 200);
}

TEST(MixerInit, ChecksTheDeviceAndTheSession) {
  testing::FakeDevice dev;
  ProfileFile ini;
  auto errorOf = [&](testing::FakeDevice& d) -> std::string {
    Result<std::shared_ptr<MixerSession>> s = MixerSession::MixerInit(d, ini);
    return s.ok() ? "" : s.message();
  };
  dev.count = 0;
  EXPECT_EQ(errorOf(dev), msg::kNoDevices);
  EXPECT_TRUE(dev.session.expired());  // a refused session never holds the device
  dev.count = 1;
  dev.caps.synchronous = true;
  EXPECT_EQ(errorOf(dev),
            "Fake Out is a syncronous (blocking) wave output device.  This will not permit audio "
            "to play while other applications are running");
  dev.caps.synchronous = false;
  ini.AddText(
      "[not compatible]\nFake Out=1\n[Unknown Device]\nWaveBlocks=5\n[general]\n"
      "WaveOutDevice=3\n");
  EXPECT_EQ(errorOf(dev), "Fake Out is not compatible with the realtime mixer");
  dev.caps.name = "";
  {
    Result<std::shared_ptr<MixerSession>> made = MixerSession::MixerInit(dev, ini);
    ASSERT_TRUE(made.ok()) << made.message();
    std::shared_ptr<MixerSession> s = *made;
    EXPECT_EQ(s->DeviceName(), "Unknown Device");
    EXPECT_EQ(s->Settings().waveBlocks, 5);
    EXPECT_EQ(errorOf(dev), msg::kSessionExists);
    EXPECT_OK(s->MixerActivate(true));
    EXPECT_EQ(dev.openedId, -1);  // device 3 of 1: the default device
    EXPECT_OK(s->EndMixSession());
    EXPECT_FALSE(dev.open);
    const Status late = s->OpenMixChannel(0);
    EXPECT_FALSE(late.ok());
    EXPECT_EQ(late.message(), msg::kInvalidSession);
    EXPECT_EQ(s->EndMixSession().message(), msg::kInvalidSession);
    EXPECT_EQ(errorOf(dev), "");  // an ended session lets the device go
  }
  // A failed start is reported as the component's initialisation failure, with the reason.
  dev.count = 0;
  Result<std::unique_ptr<SoundMixer>> m = SoundMixer::Create(dev, ini);
  EXPECT_FALSE(m.ok());
  EXPECT_EQ(m.message(), std::string(msg::kInitFailed) + ": " + msg::kNoDevices);
}

TEST(MixerSessionHandle, APlayRequestThatOutlivesItsSessionIsRefusedByName) {
  testing::FakeDevice dev;
  testing::TempDir dir;
  testing::WriteFile(dir.path / "a.wav", FlatWav(200, 100));
  ProfileFile ini;
  auto errorOf = [](const Status& s) -> std::string { return s.ok() ? "" : s.message(); };
  auto make = [&]() {
    Result<std::unique_ptr<SoundMixer>> made = SoundMixer::Create(dev, ini);
    EXPECT_TRUE(made.ok()) << made.message();
    EXPECT_OK((*made)->SetActivated(true));
    EXPECT_OK((*made)->SetChannels(31));
    return std::move(*made);
  };
  PlayRequest request;
  {
    std::unique_ptr<SoundMixer> first = make();
    request.session = first->Handle();
    request.wave = *first->LoadWave(dir.path / "a.wav");
    EXPECT_EQ(errorOf(MixerPlay(&request)), "");
  }
  // The next session takes the device, often where the first one lived.
  std::unique_ptr<SoundMixer> made = make();
  SoundMixer& second = *made;
  request.wave = *second.LoadWave(dir.path / "a.wav");
  EXPECT_EQ(errorOf(MixerPlay(&request)), msg::kInvalidSession);
  EXPECT_EQ(errorOf(second.Session().MixerPlay(&request)), msg::kInvalidSession);
  EXPECT_EQ(second.Session().QueuedPlays(0), 0);
  request.session = second.Handle();
  EXPECT_EQ(errorOf(MixerPlay(&request)), "");
  EXPECT_EQ(second.Session().QueuedPlays(0), 1);
}

}  // namespace
}  // namespace qv::sound
