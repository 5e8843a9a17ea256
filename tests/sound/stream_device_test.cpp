#include "sound/stream_device.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace qv::sound {
namespace {

TEST(StreamDevice, AddsTheMonoStreamToTheOutputAtTheDeviceRate) {
  StreamDevice d(true);
  ASSERT_EQ(d.Open(-1, {1, 11025, 8}), kDeviceOk);
  const uint8_t block[] = {192, 64, 128, 255};
  ASSERT_TRUE(d.Write(0, block, 4));
  std::vector<int16_t> out(2 * 20, 100);
  out[0] = 32000;
  d.Render(out.data(), 20, 44100);
  EXPECT_EQ(d.Position(), 4u);
  EXPECT_EQ(out[0], 32767);               // clipped
  EXPECT_EQ(out[1], 100 + 16384);         // (192 - 128) × 256 added to what was there
  EXPECT_EQ(out[2], 100 + 16384 - 8192);  // a quarter of the way to 64
  EXPECT_EQ(out[8], 100 - 16384);
  EXPECT_EQ(out[2 * 16], 100);  // nothing left: the rest is untouched
}

TEST(StreamDevice, PauseResetAndCloseAsTheMixerExpects) {
  StreamDevice d(true);
  ASSERT_EQ(d.Open(-1, {1, 22050, 8}), kDeviceOk);
  std::vector<uint8_t> block(4096, 200);
  std::vector<int16_t> out(2 * 64, 0);
  d.Pause();
  ASSERT_TRUE(d.Write(0, block.data(), block.size()));
  d.Render(out.data(), 64, 44100);
  EXPECT_EQ(d.Position(), 0u);
  EXPECT_EQ(out[0], 0);
  d.Restart();
  d.Render(out.data(), 64, 44100);
  EXPECT_EQ(d.Position(), 32u);

  // More than the queue holds is refused, never wrapped over unplayed bytes.
  const std::size_t fit = StreamDevice::kCapacity / block.size() - 1;
  for (std::size_t i = 0; i < fit; ++i) ASSERT_TRUE(d.Write(0, block.data(), block.size()));
  EXPECT_FALSE(d.Write(0, block.data(), block.size()));

  d.Reset();
  EXPECT_EQ(d.Position(), 0u);
  std::fill(out.begin(), out.end(), 0);
  d.Render(out.data(), 64, 44100);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(d.Position(), 0u);
  EXPECT_TRUE(d.Write(0, block.data(), block.size()));
  d.Close();
  EXPECT_FALSE(d.Write(0, block.data(), block.size()));

  StreamDevice none(false);
  EXPECT_EQ(none.DeviceCount(), 0);
  EXPECT_NE(none.Open(-1, {1, 11025, 8}), kDeviceOk);
}

// At 44100 bytes a second into 44100 frames each frame carries one byte, unchanged.
int32_t ByteOf(int16_t frame) {
  return (frame >> 8) + 128;
}

TEST(StreamDevice, ARewindReplacesWhatIsNotTakenFromTheNextByteOn) {
  StreamDevice d(true);
  ASSERT_EQ(d.Open(-1, {1, 44100, 8}), kDeviceOk);
  std::vector<uint8_t> a(3000, 200), b(500, 60);
  ASSERT_TRUE(d.Write(0, a.data(), a.size()));
  std::vector<int16_t> out(2 * 1000, 0);
  d.Render(out.data(), 1000, 44100);
  EXPECT_EQ(d.Position(), 1000u);

  // Kept: the new bytes follow the last one taken, and the position goes on from there.
  ASSERT_EQ(d.BeginRewind(), std::optional<uint64_t>(1000));
  EXPECT_EQ(d.BeginRewind(), std::nullopt);  // one at a time
  ASSERT_TRUE(d.Write(0, b.data(), b.size()));
  EXPECT_TRUE(d.EndRewind(true));
  std::fill(out.begin(), out.end(), int16_t(0));
  d.Render(out.data(), 1000, 44100);
  EXPECT_EQ(ByteOf(out[0]), 60);
  EXPECT_EQ(ByteOf(out[2 * 499]), 60);
  EXPECT_EQ(out[2 * 500], 0);  // the old bytes after the cut are gone
  EXPECT_EQ(d.Position(), 1500u);

  // Given up, or overtaken by the audio thread: the old bytes play on as if nothing happened.
  ASSERT_TRUE(d.Write(0, a.data(), a.size()));
  ASSERT_TRUE(d.BeginRewind());
  ASSERT_TRUE(d.Write(0, b.data(), b.size()));
  EXPECT_FALSE(d.EndRewind(false));
  ASSERT_EQ(d.BeginRewind(), std::optional<uint64_t>(1500));
  ASSERT_TRUE(d.Write(0, b.data(), b.size()));
  std::fill(out.begin(), out.end(), int16_t(0));
  d.Render(out.data(), 10, 44100);  // the rewind's bytes are not seen before it is kept
  EXPECT_EQ(ByteOf(out[0]), 200);
  EXPECT_FALSE(d.EndRewind(true));
  std::fill(out.begin(), out.end(), int16_t(0));
  d.Render(out.data(), 1000, 44100);
  EXPECT_EQ(ByteOf(out[0]), 200);
  EXPECT_EQ(ByteOf(out[2 * 999]), 200);
  EXPECT_EQ(d.Position(), 2510u);
}

TEST(StreamDevice, TheAudioThreadNeverTakesAByteTwiceOrSkipsOneWhileTheGameRewinds) {
  // Every byte names its stream position (modulo 60) and, in its lowest bit, which of two
  // versions of the stream it belongs to; the game keeps replacing the unplayed part with the
  // other version while a real second thread takes bytes as fast as it can.
  StreamDevice d(true);
  ASSERT_EQ(d.Open(-1, {1, 44100, 8}), kDeviceOk);
  auto byteAt = [](uint64_t position, int version) {
    return uint8_t(130 + 2 * (position % 60) + version);
  };
  std::atomic<bool> stop{false};
  std::atomic<uint64_t> taken{0}, switches{0}, faults{0};
  std::thread audio([&] {
    std::vector<int16_t> out(2 * 256);
    uint64_t position = 0;
    int version = 0;
    while (!stop.load()) {
      std::fill(out.begin(), out.end(), int16_t(0));
      d.Render(out.data(), 256, 44100);
      for (int32_t i = 0; i < 256 && out[2 * i] != 0; ++i) {
        int32_t b = ByteOf(out[2 * i]);
        if ((b - 130) / 2 != int32_t(position % 60)) faults.fetch_add(1);
        if ((b & 1) != version) switches.fetch_add(1);
        version = b & 1;
        ++position;
      }
      taken.store(position);
    }
  });
  uint64_t written = 0;
  int version = 0;
  std::vector<uint8_t> bytes;
  auto fill = [&](uint64_t from, uint64_t to, int v) {
    bytes.clear();
    for (uint64_t p = from; p < to; ++p) bytes.push_back(byteAt(p, v));
    return d.Write(0, bytes.data(), bytes.size());
  };
  uint64_t kept = 0;
  for (int32_t round = 0; round < 5000 && taken.load() < 500'000; ++round) {
    if (written - d.Position() < 6000 && fill(written, written + 2000, version)) written += 2000;
    if (std::optional<uint64_t> at = d.BeginRewind()) {
      bool wrote = fill(*at, written, 1 - version);
      if (d.EndRewind(wrote)) {
        version = 1 - version;
        ++kept;
      }
    }
  }
  stop.store(true);
  audio.join();
  EXPECT_EQ(faults.load(), 0u);
  EXPECT_GT(kept, 0u);
  EXPECT_GT(taken.load(), 0u);
  EXPECT_LE(switches.load(), kept);
}

}  // namespace
}  // namespace qv::sound
