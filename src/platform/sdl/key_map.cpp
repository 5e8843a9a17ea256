#include "platform/sdl/key_map.h"

namespace qv::sdl {
namespace {

struct KeyPair {
  SDL_Keycode sdl;
  int32_t vk;
};

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},       {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13},
    {SDLK_RETURN2, 13},      {SDLK_PAUSE, 19},    {SDLK_ESCAPE, 27},    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},       {SDLK_PAGEDOWN, 34}, {SDLK_END, 35},       {SDLK_HOME, 36},
    {SDLK_LEFT, 37},         {SDLK_UP, 38},       {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},       {SDLK_DELETE, 46},   {SDLK_LSHIFT, 16},    {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},        {SDLK_RCTRL, 17},    {SDLK_LALT, 18},      {SDLK_RALT, 18},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109}, {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},
};

constexpr int32_t kVkF1 = 112;
constexpr int32_t kVkNumpad0 = 96;

}  // namespace

int32_t VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return kVkF1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kVkNumpad0 + 1 + (key - SDLK_KP_1);
  if (key == SDLK_KP_0) return kVkNumpad0;
  for (const KeyPair& k : kKeys) {
    if (k.sdl == key) return k.vk;
  }
  return 0;
}

bool IsFullscreenToggle(const SDL_KeyboardEvent& key) {
  return (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) &&
         (key.keysym.mod & KMOD_ALT) != 0 && key.repeat == 0;
}

}  // namespace qv::sdl
