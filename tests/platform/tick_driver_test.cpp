#include "platform/session/tick_driver.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"

namespace qv::session {
namespace {

// The window's timer: ticks come one interval apart, and a stall never releases a burst of
// missed ticks afterwards.
TEST(TickDriver, OneTickPerIntervalAndNoBurstAfterAStall) {
  testing::TestGame t;
  Game& g = t.g();
  g.screen.scene = -2;
  g.screen.timerInterval = 90;
  TickDriver d;
  d.Start(g, 1000);
  EXPECT_EQ(d.MsUntilDue(1000), 90);
  EXPECT_FALSE(d.Pump(g, 1089));
  t.host.nowMs = 1090;
  EXPECT_TRUE(d.Pump(g, 1090));
  EXPECT_EQ(g.screen.frameCounter, 1);
  // The first event retunes the interval at once (one tick in its first "second").
  const int64_t interval = g.screen.timerInterval;
  EXPECT_LT(interval, 90);
  EXPECT_EQ(d.MsUntilDue(1090), interval);

  // Five seconds without the loop: one tick, then the next is a full interval later.
  t.host.nowMs = 6090;
  EXPECT_TRUE(d.Pump(g, 6090));
  EXPECT_FALSE(d.Pump(g, 6090));
  EXPECT_EQ(d.MsUntilDue(6090), SaneInterval(g));
  EXPECT_EQ(g.screen.frameCounter, 2);
}

TEST(TickDriver, KeepsAnAbsurdIntervalWithinAMinute) {
  testing::TestGame t;
  t.g().screen.timerInterval = -5;
  EXPECT_EQ(SaneInterval(t.g()), 1);
  t.g().screen.timerInterval = 2'000'000'000;
  EXPECT_EQ(SaneInterval(t.g()), 60'000);
}

}  // namespace
}  // namespace qv::session
