#include "platform/sdl/desktop_keys.h"

namespace qv::sdl {

DesktopAction DesktopKeyAction(const SDL_KeyboardEvent& key) {
  const SDL_Keycode sym = key.keysym.sym;
  const Uint16 mod = key.keysym.mod;
  const bool ctrl = (mod & KMOD_CTRL) != 0;
  const bool alt = (mod & KMOD_ALT) != 0;
  // AltGr reaches us as Ctrl+Alt on some layouts and types characters there: leave it be.
  if (ctrl && !alt) {
    if (sym == SDLK_UP) return DesktopAction::Louder;
    if (sym == SDLK_DOWN) return DesktopAction::Softer;
  }
  if (key.repeat != 0) return DesktopAction::None;
  if (sym == SDLK_F11 && !ctrl && !alt) return DesktopAction::Fullscreen;
  if ((sym == SDLK_RETURN || sym == SDLK_KP_ENTER) && alt && !ctrl) {
    return DesktopAction::Fullscreen;
  }
  if (sym == SDLK_F12 && !ctrl && !alt) return DesktopAction::Screenshot;
  if (sym == SDLK_m && ctrl && !alt) return DesktopAction::Mute;
  return DesktopAction::None;
}

}  // namespace qv::sdl
