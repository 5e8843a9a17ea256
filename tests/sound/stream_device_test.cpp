#include "sound/stream_device.h"

#include <gtest/gtest.h>

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
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(d.Write(i, block.data(), block.size()));
  EXPECT_FALSE(d.Write(8, block.data(), block.size()));

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

}  // namespace
}  // namespace qv::sound
