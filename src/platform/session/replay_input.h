#pragma once
// The player's input as both hosts hand it to the game, one event at a time, and the watcher
// a recording or a replay puts between the host and the game.
#include <cstdint>
#include <string>

#include "core/game.h"

namespace qv::session {

enum class InputKind : uint8_t {
  MouseDown,   // x, y, right
  MouseUp,     // x, y, right
  MouseMove,   // x, y
  MouseWheel,  // x, y, value = delta
  KeyDown,     // value = virtual-key code
  KeyUp,       // value = virtual-key code
  Text,        // text = UTF-8 typed or committed by the IME
  MusicEnd,    // text = the music file that played to its end
  Notice,      // text: a desktop message older windows put among the text lines; ignored now
  Compose,     // text = UTF-8 the input method composes, x = its caret, y = the length of the
               // segment being converted (characters)
};
// Counters by kind are arrays of this size: a new kind goes last and is named here.
constexpr size_t kInputKindCount = 10;
static_assert(static_cast<size_t>(InputKind::Compose) + 1 == kInputKindCount);

struct InputEvent {
  InputKind kind = InputKind::MouseMove;
  int32_t x = 0, y = 0;
  int32_t value = 0;
  bool right = false;
  std::string text;

  bool operator==(const InputEvent&) const = default;
};

// Hands one event to the game's handlers, exactly as the window does.
void DeliverInput(Game& g, const InputEvent& e);

// Sits between a host and the game: a recording writes down what reaches the game, a replay
// shuts the player out and feeds the game from its file.
class PlayObserver {
 public:
  virtual ~PlayObserver() = default;
  // True while the player's own input may reach the game.
  virtual bool LiveInput() const { return true; }
  // The game is started (its window created) and the first timer event is next.
  virtual void Started(Game& g) {}
  // `e` is about to reach the game.
  virtual void Input(Game& g, const InputEvent& e) {}
  // One timer event has run.
  virtual void Ticked(Game& g) {}
  // A test snapshot numbered `n` is being taken at this point.
  virtual void Snapshot(Game& g, int32_t n) {}
  // The window is about to close.
  virtual void Closing(Game& g) {}
  // True once a replay has nothing more to play: the window may close.
  virtual bool Done() const { return false; }
};

// Passes `e` to the observer (when there is one) and then to the game.
void SendInput(Game& g, PlayObserver* observer, const InputEvent& e);

}  // namespace qv::session
