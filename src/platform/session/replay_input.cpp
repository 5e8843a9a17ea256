#include "platform/session/replay_input.h"

#include "core/music_notify.h"
#include "ui/input.h"

namespace qv::session {

void DeliverInput(Game& g, const InputEvent& e) {
  switch (e.kind) {
    case InputKind::MouseDown:
      ui::MouseDown(g, e.x, e.y, e.right);
      break;
    case InputKind::MouseUp:
      ui::MouseUp(g, e.x, e.y, e.right);
      break;
    case InputKind::MouseMove:
      ui::MouseMove(g, e.x, e.y);
      break;
    case InputKind::MouseWheel:
      ui::MouseWheel(g, e.x, e.y, e.value);
      break;
    case InputKind::KeyDown:
      ui::KeyDown(g, e.value);
      break;
    case InputKind::KeyUp:
      ui::KeyUp(g, e.value);
      break;
    case InputKind::Text:
      ui::TextInput(g, e.text);
      break;
    case InputKind::MusicEnd:
      mid_pNotify(g, e.text);
      break;
    case InputKind::Notice:
      // Recordings of older versions hold the window's own messages; they are no longer
      // the game's business (the window shows them in its corner notice).
      break;
    case InputKind::Compose:
      ui::TextEditing(g, e.text, e.x, e.y);
      break;
  }
}

void SendInput(Game& g, PlayObserver* observer, const InputEvent& e) {
  if (observer) observer->Input(g, e);
  DeliverInput(g, e);
}

}  // namespace qv::session
