#pragma once
// The window's timer for both hosts: runs the timer event once its interval has passed.
// Like a window-system timer it never queues up missed events: a late tick runs once and
// the next one is timed from it.
#include <cstdint>

#include "core/game.h"

namespace qv::session {

class TickDriver {
 public:
  // Starts timing: the first tick is due one interval after `nowMs`.
  void Start(const Game& g, int64_t nowMs);
  // Runs Timer1Timer when a tick is due at `nowMs`; true when one ran.
  bool Pump(Game& g, int64_t nowMs);
  // Milliseconds until the next tick is due (0 when it is due now).
  int64_t MsUntilDue(int64_t nowMs) const;

 private:
  int64_t due_ = 0;
};

// The timer interval the game asks for, kept within what a timer can sensibly wait.
int64_t SaneInterval(const Game& g);

}  // namespace qv::session
