// The window's side of recordings, replays and the real-window test's snapshots.
#include "core/text.h"
#include "flow/tick.h"
#include "platform/sdl/sdl_host.h"
#include "platform/session/replay_snapshot.h"
#include "platform/session/state_dump.h"
#include "ui/screen.h"

namespace qv::sdl {

void SdlHost::ListenForSnapshots(const std::filesystem::path& dir) {
  snapshotDir_ = dir;
  session::ListenForSnapshotRequests();
}

void SdlHost::Send(Game& g, const session::InputEvent& e) {
  // While a replay plays, the game hears only the recording.
  if (observer_ && !observer_->LiveInput()) return;
  ++inputsSent_[static_cast<size_t>(e.kind)];
  session::SendInput(g, observer_, e);
}

int64_t SdlHost::MsUntilNextTick() {
  return fastTicks_ ? 0 : ticks_.MsUntilDue(NowMs());
}

bool SdlHost::RunTimerAndHooks(Game& g) {
  bool ticked = false;
  if (fastTicks_) {
    Timer1Timer(g);
    ticked = true;
  } else {
    ticked = ticks_.Pump(g, NowMs());
  }
  if (ticked) {
    ++ticksRun_;
    if (observer_) observer_->Ticked(g);
  }
  if (!snapshotDir_.empty()) {
    const session::SnapshotRequest request = session::TakeSnapshotRequest();
    if (request != session::SnapshotRequest::None) {
      TakeTestSnapshot(g, request == session::SnapshotRequest::Picture);
    }
  }
  if (observer_ && observer_->Done()) closing_ = true;
  return ticked;
}

void SdlHost::TakeTestSnapshot(Game& g, bool picture) {
  const int32_t n = ++snapshotsTaken_;
  gfx::Bitmap shown;
  if (picture) {
    // A recording notes the moment, so that its replay draws the same picture there.
    if (observer_) observer_->Snapshot(g, n);
    // The picture is read back from the window, so the test sees what the player saw.
    shown = PresentAndReadBack(session_->screen.RenderWindow(g));
    if (shown.Empty()) shown = session_->screen.RenderWindow(g);
  }
  // Besides the game's state, what a test waits for: how many ticks ran, how many of its
  // clicks, keys and texts the game has had, and whether the name field takes typing.
  std::string dump = "ticks: " + std::to_string(ticksRun_) + "\n";
  constexpr const char* kInputNames[] = {"down",  "up",   "move",  "wheel",  "key",
                                         "keyup", "text", "music", "notice", "compose"};
  static_assert(std::size(kInputNames) == session::kInputKindCount);
  for (size_t i = 0; i < std::size(kInputNames); ++i) {
    dump += std::string("inputs.") + kInputNames[i] + ": " + std::to_string(inputsSent_[i]) + "\n";
  }
  // Whether the input method is on, what the field holds and what it is composing.
  dump += std::string("textInput: ") + (textInputOn_ ? "1" : "0") + "\n";
  dump += "nameField: " + Cp932ToUtf8(g.form[W::name_l].caption) + "\n";
  dump += "composition: " + g.form.entry.composition + "\n";
  dump += "fieldNote: " + g.form.entry.note + "\n";
  dump += session::DumpState(g);
  const Status written = session::WriteSnapshotFiles(snapshotDir_, std::to_string(n),
                                                     picture ? &shown : nullptr, dump);
  if (!written.ok()) SDL_Log("qv: snapshot %d: %s", n, written.message().c_str());
}

}  // namespace qv::sdl
