#include "platform/session/tick_driver.h"

#include <algorithm>

#include "flow/tick.h"

namespace qv::session {
namespace {

// The interval rule has no upper limit; a timer that waits more than a minute is broken.
constexpr int64_t kLongestInterval = 60'000;

}  // namespace

int64_t SaneInterval(const Game& g) {
  return std::clamp<int64_t>(g.screen.timerInterval, 1, kLongestInterval);
}

void TickDriver::Start(const Game& g, int64_t nowMs) {
  due_ = nowMs + SaneInterval(g);
}

bool TickDriver::Pump(Game& g, int64_t nowMs) {
  if (nowMs < due_) return false;
  Timer1Timer(g);
  const int64_t interval = SaneInterval(g);
  due_ += interval;
  if (due_ <= nowMs) due_ = nowMs + interval;
  return true;
}

int64_t TickDriver::MsUntilDue(int64_t nowMs) const {
  return std::max<int64_t>(due_ - nowMs, 0);
}

}  // namespace qv::session
