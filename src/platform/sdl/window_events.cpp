#include "platform/sdl/window_events.h"

#include <csignal>

namespace qv::sdl {
namespace {

volatile std::sig_atomic_t hangUp = 0;

extern "C" void OnHangUp(int) {
  hangUp = 1;
}

}  // namespace

bool IsRedrawEvent(const SDL_WindowEvent& w) {
  return w.event == SDL_WINDOWEVENT_EXPOSED || w.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
         w.event == SDL_WINDOWEVENT_RESTORED || w.event == SDL_WINDOWEVENT_SHOWN;
}

CloseBy CloseEventBy(const SDL_Event& e) {
  if (e.type == SDL_QUIT) return CloseBy::System;
  if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) return CloseBy::Player;
  return CloseBy::Nobody;
}

void ListenForHangUp() {
  hangUp = 0;
  struct sigaction current {};
  if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
  struct sigaction action {};
  action.sa_handler = OnHangUp;
  sigemptyset(&action.sa_mask);
  sigaction(SIGHUP, &action, nullptr);
}

bool HungUp() {
  return hangUp != 0;
}

}  // namespace qv::sdl
