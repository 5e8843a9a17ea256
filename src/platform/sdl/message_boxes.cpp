// The window's own message boxes: the game's boxes and the close question, drawn over the
// last picture of the game, each with a loop of its own that keeps the sound going and takes
// the system's close as an answer.
#include <algorithm>

#include "gfx/fonts.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/sdl_host.h"
#include "platform/sdl/window_events.h"
#include "ui/screen.h"

namespace qv::sdl {
namespace {

// How long a box waits for events when the sound needs nothing sooner.
constexpr int32_t kBoxIdleWaitMs = 500;

// A smoke run (--frames N) has nobody to answer its boxes: one that stands as long as N frames
// of the game's tick would take is answered the harmless way, so the run still ends.
constexpr uint64_t kSmokeFrameMs = 90;

}  // namespace

void SdlHost::MessageBox(std::string_view text) {
  RunBox(ui::BoxButtons::Ok, text);
}

bool SdlHost::Confirm(std::string_view text) {
  return RunBox(ui::BoxButtons::YesNo, text) == ui::BoxAnswer::Yes;
}

ui::BoxAnswer SdlHost::RunBox(ui::BoxButtons buttons, std::string_view text, bool closeQuestion) {
  const ui::BoxAnswer fallback =
      buttons == ui::BoxButtons::Ok ? ui::BoxAnswer::Ok : ui::BoxAnswer::No;
  if (!renderer_ || inBox_) return fallback;
  ui::MessageBoxView view(buttons, text, gfx::FontLibrary::Shared(),
                          session_ ? &session_->screen.Texts() : nullptr,
                          session_ ? session_->game.get() : nullptr);
  const gfx::Bitmap base = session_ ? session_->screen.RenderWindow(*session_->game)
                                    : gfx::Bitmap(ui::kWindowWidth, ui::kWindowHeight);
  inBox_ = true;
  ApplyTextInput();
  ui::BoxAnswer answer = ui::BoxAnswer::None;
  bool redraw = true;
  const uint64_t opened = SDL_GetTicks64();
  while (answer == ui::BoxAnswer::None) {
    const bool smokeRunDone = closing_ && framesShown_ >= maxFrames_;
    const bool smokeRunWaited =
        SDL_GetTicks64() - opened >= static_cast<uint64_t>(maxFrames_) * kSmokeFrameMs;
    if (maxFrames_ > 0 && (smokeRunDone || smokeRunWaited)) {
      answer = fallback;  // a smoke run answers the harmless way
      break;
    }
    if (HungUp()) {
      SystemClose();
      if (closeQuestion) break;  // the system's close never waits for our question
    }
    if (redraw) {
      gfx::Bitmap frame = base;
      view.Draw(frame);
      Present(frame);
      redraw = false;
    }
    if (audioOpen_) audio_.Pump();
    int32_t wait = kBoxIdleWaitMs;
    if (audioOpen_ && audio_.MsUntilPump() >= 0) wait = std::min(wait, audio_.MsUntilPump());
    SDL_Event e;
    if (!SDL_WaitEventTimeout(&e, wait)) continue;
    do {
      DeliverMusicEnd(e);
      const CloseBy by = CloseEventBy(e);
      if (by == CloseBy::System) {
        // The close is kept: the window closes once the box has its answer. Our own question
        // is answered by the system's close itself.
        SystemClose();
        answer = closeQuestion ? ui::BoxAnswer::Yes : view.CloseRequested();
        continue;
      }
      if (by == CloseBy::Player) {
        // The close button over our question is already being asked about; over a game box
        // it is taken up once the box is answered.
        if (!closeQuestion) {
          closeAsked_ = true;
          answer = view.CloseRequested();
        }
        continue;
      }
      switch (e.type) {
        case SDL_WINDOWEVENT:
          redraw = redraw || IsRedrawEvent(e.window);
          break;
        case SDL_KEYDOWN:
          if (DesktopKeyAction(e.key) == DesktopAction::Fullscreen) {
            ToggleFullscreen();
          } else {
            answer = view.KeyDown(VirtualKeyFromSdl(e.key.keysym.sym));
          }
          redraw = true;
          break;
        case SDL_MOUSEBUTTONDOWN:
          if (e.button.button == SDL_BUTTON_LEFT) view.MouseDown(e.button.x, e.button.y);
          redraw = true;
          break;
        case SDL_MOUSEBUTTONUP:
          if (e.button.button == SDL_BUTTON_LEFT) answer = view.MouseUp(e.button.x, e.button.y);
          redraw = true;
          break;
        case SDL_MOUSEMOTION:
          view.MouseMove(e.motion.x, e.motion.y);
          redraw = true;
          break;
        case SDL_TEXTEDITING_EXT:
          SDL_free(e.editExt.text);
          break;
        default:
          break;
      }
    } while (answer == ui::BoxAnswer::None && SDL_PollEvent(&e));
  }
  inBox_ = false;
  ApplyTextInput();
  dirty_ = true;
  if (closeQuestion && closing_) answer = ui::BoxAnswer::Yes;
  mustPresent_ = true;
  return answer;
}

}  // namespace qv::sdl
