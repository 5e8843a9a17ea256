#include "sound/mixer_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "files/files_fixture.h"
#include "sound_test_support.h"

namespace qv::sound {
namespace {

MixerSettings Read(std::string_view text, int32_t devices = 1) {
  ProfileFile ini;
  ini.AddText(text);
  return ReadMixerSettings(ini, "Fake Out", devices);
}

TEST(MixerSettings, DefaultsWithoutAFile) {
  MixerSettings s = Read("");
  EXPECT_EQ(s.waveOutDevice, 0);
  EXPECT_EQ(s.remix, 1);
  EXPECT_EQ(s.goodWavePos, 0);
  EXPECT_EQ(s.waveBlocks, 3);
  EXPECT_EQ(s.waveBlockLen, 2048);
  EXPECT_EQ(s.samplesPerSec, 11025);
  EXPECT_FALSE(s.notCompatible);
}

TEST(MixerSettings, LimitsOfTheDeviceSection) {
  EXPECT_EQ(Read("[Fake Out]\nWaveBlocks=10\n").waveBlocks, 6);
  EXPECT_EQ(Read("[Fake Out]\nWaveBlocks=1\n").waveBlocks, 2);
  EXPECT_EQ(Read("[Fake Out]\nWaveBlockLen=100\n").waveBlockLen, 512);
  EXPECT_EQ(Read("[Fake Out]\nWaveBlockLen=99999\n").waveBlockLen, 4096);
  EXPECT_EQ(Read("[Fake Out]\nWaveBlockLen=1001\n").waveBlockLen, 1000);
  MixerSettings fast = Read("[Fake Out]\nSamplesPerSec=44\n");
  EXPECT_EQ(fast.samplesPerSec, 44100);
  EXPECT_EQ(fast.waveBlockLen, 4096);
  MixerSettings mid = Read("[Fake Out]\nSamplesPerSec=22\n");
  EXPECT_EQ(mid.samplesPerSec, 22050);
  EXPECT_EQ(mid.waveBlockLen, 4096);
  EXPECT_EQ(Read("[Fake Out]\nSamplesPerSec=48\n").samplesPerSec, 11025);
}

TEST(MixerSettings, TheDefaultSectionFeedsTheDeviceSection) {
  // Its block length loses its two low bits; the device section still wins over it.
  EXPECT_EQ(Read("[default]\nWaveBlockLen=1027\n").waveBlockLen, 1024);
  EXPECT_EQ(Read("[default]\nWaveBlocks=5\n[Fake Out]\nWaveBlocks=4\n").waveBlocks, 4);
  EXPECT_EQ(Read("[DEFAULT]\nwaveblocks=5\n").waveBlocks, 5);
  EXPECT_EQ(Read("[default]\nSamplesPerSec=44\nWaveBlockLen=0\n").waveBlockLen, 4096);
  EXPECT_EQ(Read("[default]\nRemix=0\nGoodWavePos=1\n").remix, 0);
}

TEST(MixerSettings, DeviceNumberAndRefusal) {
  EXPECT_EQ(Read("[general]\nWaveOutDevice=1\n", 2).waveOutDevice, 1);
  EXPECT_EQ(Read("[general]\nWaveOutDevice=2\n", 2).waveOutDevice, -1);
  EXPECT_EQ(Read("[general]\nWaveOutDevice=-5\n", 2).waveOutDevice, -1);
  EXPECT_TRUE(Read("[not compatible]\nFake Out=1\n").notCompatible);
  EXPECT_FALSE(Read("[not compatible]\nOther=1\n").notCompatible);
}

TEST(ProfileFile, ReadsLikeAProfileAndLaterFilesWin) {
  ProfileFile ini;
  ini.AddText("; comment\r\n[a]\r\nx = 12abc\r\nx=13\r\ny=abc\r\nz=-7\r\nbig=99999999999\r\n");
  EXPECT_EQ(ini.GetInt("A", "X", 0), 12);  // the first of two equal keys, leading digits
  EXPECT_EQ(ini.GetInt("a", "y", 4), 4);   // not a number: the default
  EXPECT_EQ(ini.GetInt("a", "z", 0), -7);
  EXPECT_EQ(ini.GetInt("a", "big", 0), INT32_MAX);
  EXPECT_EQ(ini.GetInt("b", "x", 9), 9);
  ini.AddText("[a]\nx=20\n");
  EXPECT_EQ(ini.GetInt("a", "x", 0), 20);
  EXPECT_EQ(ini.GetInt("a", "z", 0), -7);

  testing::TempDir dir;
  EXPECT_TRUE(ini.AddFile(dir.path / "absent.ini").ok());  // a missing file changes nothing
  EXPECT_EQ(ini.GetInt("a", "x", 0), 20);
}

TEST(ProfileFile, AByteOrderMarkIsNotPartOfTheFirstLine) {
  ProfileFile ini;
  ini.AddText("\xEF\xBB\xBF[default]\r\nWaveBlocks=5\r\n");
  EXPECT_EQ(ini.GetInt("default", "WaveBlocks", 3), 5);
}

// MIXER.INI as a FIFO once kept the game from ever opening its window.
TEST(ProfileFile, WhatIsNotARegularFileIsNamedAndLeftOut) {
  testing::TempDir dir;
  alarm(20);
  for (const auto& c : qv::testing::kHostileCases) {
    if (!qv::testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    const std::filesystem::path file = dir.path / "MIXER.INI";
    qv::testing::MakeHostile(file, c.kind);
    ProfileFile ini;
    const Status added = ini.AddFile(file);
    EXPECT_FALSE(added.ok());
    EXPECT_NE(added.message().find(file.string()), std::string::npos) << added.message();
    EXPECT_FALSE(ini.Get("general", "debug"));
  }
  alarm(0);
  std::ofstream(dir.path / "big.ini") << std::string(70000, ';');
  ProfileFile ini;
  const Status big = ini.AddFile(dir.path / "big.ini");
  EXPECT_EQ(big.message(), (dir.path / "big.ini").string() + ": File too large; not used");
}

}  // namespace
}  // namespace qv::sound
