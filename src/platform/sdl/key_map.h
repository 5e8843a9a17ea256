#pragma once
// SDL's keys as the window's virtual-key codes, which is what the game's key handlers know.
#include <SDL.h>

#include <cstdint>

namespace qv::sdl {

// The virtual-key code of an SDL key; 0 for a key the game has no code for.
int32_t VirtualKeyFromSdl(SDL_Keycode key);

// True for the Alt+Enter that switches fullscreen (it never reaches the game).
bool IsFullscreenToggle(const SDL_KeyboardEvent& key);

}  // namespace qv::sdl
