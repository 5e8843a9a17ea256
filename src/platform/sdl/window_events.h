#pragma once
// What the window's events mean to both of its loops, the game's and a message box's: which
// ask for the picture again, and who wants the window closed.
#include <SDL.h>

namespace qv::sdl {

// The window was uncovered, resized, restored or shown: its picture is drawn again.
bool IsRedrawEvent(const SDL_WindowEvent& w);

// Who wants the window closed. With SDL's quit-on-last-window hint off, the close button
// (and the window manager's close keys) only ever send the window's close event, and a quit
// event comes from SIGTERM or SIGINT (SDL's own handlers) or the display going away.
enum class CloseBy { Nobody, Player, System };
CloseBy CloseEventBy(const SDL_Event& e);

// SIGHUP (the terminal closing) is the system's close too; SDL turns only SIGINT and SIGTERM
// into quit events, so the loops ask HungUp themselves. Listening starts afresh (forgetting an
// earlier hang-up) and leaves alone a handler someone else installed.
void ListenForHangUp();
bool HungUp();

}  // namespace qv::sdl
