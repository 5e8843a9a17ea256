#include "platform/sdl/sdl_host.h"

#include <algorithm>
#include <iostream>

#include "core/music_notify.h"
#include "core/text.h"
#include "persist/progress.h"
#include "platform/sdl/key_map.h"
#include "platform/sdl/session_bus.h"
#include "platform/sdl/window_events.h"
#include "ui/desktop_texts.h"
#include "ui/input.h"
#include "ui/name_field.h"
#include "ui/screen.h"

namespace qv::sdl {
namespace {

constexpr int32_t kPictureW = ui::kWindowWidth;
constexpr int32_t kPictureH = ui::kWindowHeight;
// Room for the window's title bar and frame when choosing the default scale.
constexpr int32_t kFrameAllowance = 48;
}  // namespace

int32_t FittingScale(int32_t usableWidth, int32_t usableHeight) {
  const int32_t byWidth = usableWidth / kPictureW;
  const int32_t byHeight = (usableHeight - kFrameAllowance) / kPictureH;
  return std::max(1, std::min(byWidth, byHeight));
}

SdlHost::SdlHost() : notes_(&std::cerr) {}

SdlHost::~SdlHost() {
  if (audioOpen_) audio_.Close();
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

Status SdlHost::Open(const WindowOptions& options) {
  // Long IME compositions are sent whole instead of being cut at SDL's 32 bytes.
  SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  // A 640x480 picture at about 13 frames a second needs no GPU: SDL's software renderer on the
  // window's own framebuffer shows it with a fraction of the memory a GL driver brings (Mesa's
  // software GL alone maps some 50 MB). SDL_RENDER_DRIVER in the environment still wins.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The close button is the player's and may be answered with a question; only the system
  // sends quit events (see CloseEventBy).
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  ListenForHangUp();
  KeepBusFromAutolaunching();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    return Failure(std::string("cannot start the display: ") + SDL_GetError());
  }
  videoStarted_ = true;
  maxFrames_ = options.frames;
  scale_ = options.scale;
  if (scale_ <= 0) {
    SDL_Rect usable{0, 0, kPictureW, kPictureH + kFrameAllowance};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) SDL_GetDisplayBounds(0, &usable);
    scale_ = FittingScale(usable.w, usable.h);
  }
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (options.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  window_ =
      SDL_CreateWindow(ui::desktop_text::WindowTitle(ui::Catalog{}).c_str(), SDL_WINDOWPOS_CENTERED,
                       SDL_WINDOWPOS_CENTERED, kPictureW * scale_, kPictureH * scale_, flags);
  if (!window_) {
    return Failure(std::string("cannot open the window: ") + SDL_GetError());
  }
  SDL_SetWindowMinimumSize(window_, kPictureW, kPictureH);
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    return Failure(std::string("cannot draw in the window: ") + SDL_GetError());
  }
  SDL_RenderSetLogicalSize(renderer_, kPictureW, kPictureH);
  SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                               kPictureW, kPictureH);
  if (!texture_) {
    return Failure(std::string("cannot make the frame texture: ") + SDL_GetError());
  }
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  // SDL starts with text input on, and an IME would then swallow the game's keys.
  SDL_StopTextInput();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  return {};
}

void SdlHost::OpenAudio(const AudioOptions& options) {
  if (session_ && framesShown_ > 0) {
    audio_.Open(options);
    audioOpen_ = true;
  } else {
    pendingAudio_ = options;
  }
}

void SdlHost::Attach(session::Session& run) {
  session_ = &run;
}

int64_t SdlHost::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

void SdlHost::PlayWave(int channel, std::string_view file) {
  if (audioOpen_) audio_.PlayWave(channel, file);
}

void SdlHost::PlayMusic(std::string_view file) {
  const int32_t formActive = session_ ? session_->game->text.formActive : 1;
  if (!audioOpen_) return;
  if (session_) audio_.SetMusicLoops(MusicRestartsAtItsEnd(*session_->game));
  audio_.PlayMusic(file, formActive);
}

void SdlHost::PlayMidi(std::string_view file) {
  if (audioOpen_) audio_.PlayMidi(file);
}

void SdlHost::UploadPicture(const gfx::Bitmap& picture) {
  textureHoldsWindow_ = false;
  // The texture is always 640 x 480; a picture of another size is cut or padded to it first.
  if (picture.Width() == kPictureW && picture.Height() == kPictureH) {
    SDL_UpdateTexture(texture_, nullptr, picture.Pixels().data(), kPictureW * 4);
  } else {
    gfx::Bitmap fitted = picture;
    fitted.Resize(kPictureW, kPictureH);
    SDL_UpdateTexture(texture_, nullptr, fitted.Pixels().data(), kPictureW * 4);
  }
}

void SdlHost::Present(const gfx::Bitmap& picture) {
  if (!renderer_) return;
  UploadPicture(picture);
  ShowTexture();
}

void SdlHost::ShowTexture() {
  // A window of a whole multiple of the picture's size is covered by it: only bars around it
  // need the black.
  int w = 0, h = 0;
  const bool covered = SDL_GetRendererOutputSize(renderer_, &w, &h) == 0 && w > 0 &&
                       w % kPictureW == 0 && h % kPictureH == 0 && w / kPictureW == h / kPictureH;
  if (!covered) SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
  mustPresent_ = false;
  FrameShown();
}

void SdlHost::PresentWindow(const ui::Screen& screen, const gfx::Bitmap& window) {
  if (!renderer_) return;
  const std::vector<gfx::Rect>* changes = screen.WindowChanges();
  const uint64_t serial = screen.WindowSerial();
  const bool fromShown = textureHoldsWindow_ && serial == shownWindowSerial_ + 1;
  shownWindowSerial_ = serial;
  if (!changes || !fromShown || mustPresent_ || window.Width() != kPictureW ||
      window.Height() != kPictureH) {
    Present(window);
    textureHoldsWindow_ = true;
    return;
  }
  // The title's sparks: a few small places of the picture, not the whole of it.
  for (const gfx::Rect& r : *changes) {
    const int32_t left = std::max(r.left, 0), top = std::max(r.top, 0);
    const int32_t right = std::min(r.right, kPictureW), bottom = std::min(r.bottom, kPictureH);
    if (right <= left || bottom <= top) continue;
    const SDL_Rect place{left, top, right - left, bottom - top};
    SDL_UpdateTexture(texture_, &place, window.Row(top) + left, kPictureW * 4);
  }
  ShowTexture();
}

void SdlHost::FrameShown() {
  ++framesShown_;
  dirty_ = false;
  if (maxFrames_ > 0 && framesShown_ >= maxFrames_) closing_ = true;
}

gfx::Bitmap SdlHost::PresentAndReadBack(const gfx::Bitmap& picture) {
  if (!renderer_) return {};
  UploadPicture(picture);
  return ShowTextureAndReadBack();
}

gfx::Bitmap SdlHost::ShowTextureAndReadBack() {
  if (!renderer_) return {};
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  gfx::Bitmap shown(outW, outH);
  gfx::Bitmap back;
  SDL_Rect viewport;
  SDL_RenderGetViewport(renderer_, &viewport);
  float sx = 1, sy = 1;
  SDL_RenderGetScale(renderer_, &sx, &sy);
  if (!shown.Empty() && SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888,
                                             shown.Pixels().data(), outW * 4) == 0) {
    // Sample the centre of every picture pixel in the scaled, letterboxed output.
    back = gfx::Bitmap(kPictureW, kPictureH);
    for (int32_t y = 0; y < kPictureH; ++y) {
      for (int32_t x = 0; x < kPictureW; ++x) {
        const int32_t ox = static_cast<int32_t>((viewport.x + x + 0.5f) * sx);
        const int32_t oy = static_cast<int32_t>((viewport.y + y + 0.5f) * sy);
        back.SetPixel(x, y, shown.Pixel(ox, oy) & 0xFFFFFF);
      }
    }
  }
  SDL_RenderPresent(renderer_);
  ++framesShown_;
  return back;
}

void SdlHost::ToggleFullscreen() {
  if (!window_) return;
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  dirty_ = true;
  mustPresent_ = true;
}

std::optional<SDL_Point> SdlHost::PicturePoint(int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= kPictureW || y >= kPictureH) return std::nullopt;
  return SDL_Point{x, y};
}

void SdlHost::DeliverMusicEnd(const SDL_Event& e) {
  if (!audioOpen_) return;
  if (std::optional<std::string> file = audio_.MusicEnded(e)) {
    if (inBox_ || !session_) {
      pendingMusicEnd_ = std::move(file);
    } else {
      Send(*session_->game, {session::InputKind::MusicEnd, 0, 0, 0, false, *file});
      dirty_ = true;
    }
  }
}

void SdlHost::HandleEvent(const SDL_Event& e) {
  // SDL hands a long composition over in memory of its own.
  struct FreeComposition {
    const SDL_Event& e;
    ~FreeComposition() {
      if (e.type == SDL_TEXTEDITING_EXT) SDL_free(e.editExt.text);
    }
  } freeComposition{e};
  DeliverMusicEnd(e);
  if (!session_) return;
  Game& g = *session_->game;
  switch (CloseEventBy(e)) {
    case CloseBy::System:
      SystemClose();
      return;
    case CloseBy::Player:
      PlayerClose();
      return;
    case CloseBy::Nobody:
      break;
  }
  switch (e.type) {
    case SDL_WINDOWEVENT:
      if (IsRedrawEvent(e.window)) dirty_ = mustPresent_ = true;
      // The picture moved in the window: the candidates follow the name field.
      if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && textInputOn_) PlaceTextInput();
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      // The texture may have lost the picture: it is uploaded whole again.
      dirty_ = mustPresent_ = true;
      break;
    case SDL_KEYDOWN:
      if (DesktopKey(e.key)) {
        dirty_ = true;
      } else if (const int32_t vk = VirtualKeyFromSdl(e.key.keysym.sym)) {
        Send(g, {session::InputKind::KeyDown, 0, 0, vk, false, {}});
        dirty_ = true;
      }
      break;
    case SDL_KEYUP:
      if (const int32_t vk = VirtualKeyFromSdl(e.key.keysym.sym)) {
        Send(g, {session::InputKind::KeyUp, 0, 0, vk, false, {}});
      }
      break;
    case SDL_TEXTINPUT:
      if (textInputOn_) {
        Send(g, {session::InputKind::Text, 0, 0, 0, false, e.text.text});
        dirty_ = true;
      }
      break;
    case SDL_TEXTEDITING:
      if (textInputOn_) SendComposition(g, e.edit.text, e.edit.start, e.edit.length);
      break;
    case SDL_TEXTEDITING_EXT:
      if (textInputOn_ && e.editExt.text) {
        SendComposition(g, e.editExt.text, e.editExt.start, e.editExt.length);
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_RIGHT) {
        if (auto p = PicturePoint(e.button.x, e.button.y)) {
          lastMouse_ = *p;
          const bool right = e.button.button == SDL_BUTTON_RIGHT;
          Send(g, {session::InputKind::MouseDown, p->x, p->y, 0, right, {}});
          dirty_ = true;
        }
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_RIGHT) {
        // A release outside the picture still ends the press it belongs to.
        const int32_t x = std::clamp(e.button.x, 0, kPictureW - 1);
        const int32_t y = std::clamp(e.button.y, 0, kPictureH - 1);
        Send(g, {session::InputKind::MouseUp, x, y, 0, e.button.button == SDL_BUTTON_RIGHT, {}});
        dirty_ = true;
      }
      break;
    case SDL_MOUSEMOTION:
      if (auto p = PicturePoint(e.motion.x, e.motion.y)) {
        lastMouse_ = *p;
        Send(g, {session::InputKind::MouseMove, p->x, p->y, 0, false, {}});
        dirty_ = true;
      }
      break;
    case SDL_MOUSEWHEEL: {
      const int32_t delta = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (delta != 0) {
        Send(g, {session::InputKind::MouseWheel, lastMouse_.x, lastMouse_.y, delta, false, {}});
        dirty_ = true;
      }
      break;
    }
    default:
      break;
  }
}

void SdlHost::SendComposition(Game& g, const char* utf8, int32_t start, int32_t length) {
  // The event carries the part the field keeps, so a recording holds what the game had.
  ui::Composition kept = ui::KeptComposition(utf8, start, std::max(length, 0));
  Send(g, {session::InputKind::Compose, kept.caret, kept.segment, 0, false, std::move(kept.text)});
  dirty_ = true;
}

void SdlHost::SetTextInput(bool on, const Rect& field) {
  textInputWanted_ = on;
  textField_ = field;
  ApplyTextInput();
}

void SdlHost::ApplyTextInput() {
  // A message box takes plain keys; the field gets the input method back afterwards.
  const bool on = textInputWanted_ && !inBox_ && renderer_;
  if (on) {
    PlaceTextInput();
    if (!textInputOn_) SDL_StartTextInput();
  } else if (textInputOn_) {
    SDL_StopTextInput();
  }
  textInputOn_ = on;
}

void SdlHost::PlaceTextInput() {
  // The input method shows its candidates by the name field, in window coordinates: the
  // picture is scaled and, in fullscreen, letterboxed.
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  SDL_RenderLogicalToWindow(renderer_, static_cast<float>(textField_.left),
                            static_cast<float>(textField_.top), &x1, &y1);
  SDL_RenderLogicalToWindow(renderer_, static_cast<float>(textField_.left + textField_.width),
                            static_cast<float>(textField_.top + textField_.height), &x2, &y2);
  textInputRect_ = {x1, y1, x2 - x1, y2 - y1};
  SDL_SetTextInputRect(&textInputRect_);
}

void SdlHost::ShowFrame() {
  if (!session_) return;
  const gfx::Bitmap& window = session_->screen.RenderWindow(*session_->game);
  const int64_t now = NowMs();
  // After a defeat the red screen waits for the click that goes back to the title; a standing
  // notice says so (outside the game's picture, as the corner notice is).
  const bool defeated = session_->game->battle.gameOver == 1;
  if (!notice_.NeedsFrame(now) && !defeated) {
    // A frame that shows nothing new is neither uploaded nor presented again, unless the
    // window lost its picture (exposed, resized, a box or a notice over it).
    if (session_->screen.WindowChanged() || mustPresent_) {
      PresentWindow(session_->screen, window);
    } else {
      FrameShown();
    }
    return;
  }
  // The notice goes over a copy: the game's own picture (screenshots, snapshots) stays as
  // the game drew it.
  gfx::Bitmap shown = window;
  if (defeated) ui::DrawStandingNotice(shown, ui::desktop_text::AfterDefeat(desktop_.catalog));
  notice_.Draw(shown, now);
  Present(shown);
  mustPresent_ = true;  // the frame after the notice shows the window without it
}

bool SdlHost::WouldAskBeforeClosing() const {
  if (!session_ || !desktop_.settings.confirmQuit) return false;
  // A replay plays in a scratch folder: nothing of the player's can be lost.
  if (observer_ && !observer_->LiveInput()) return false;
  return persist::HasUnsavedProgress(*session_->game);
}

void SdlHost::PlayerClose() {
  if (closing_) return;
  if (inBox_) {
    closeAsked_ = true;  // asked once the game's box has its answer
    return;
  }
  if (WouldAskBeforeClosing()) {
    const std::optional<std::string> question =
        Utf8ToCp932(std::string(ui::desktop_text::kQuitQuestion));
    if (question && RunBox(ui::BoxButtons::YesNo, *question, true) != ui::BoxAnswer::Yes) {
      return;
    }
  }
  closing_ = true;
}

void SdlHost::SystemClose() {
  closing_ = true;
  if (systemClosing_) return;
  systemClosing_ = true;
  const bool live = !observer_ || observer_->LiveInput();
  const bool unsaved = live && session_ && persist::HasUnsavedProgress(*session_->game);
  *notes_ << "qv: closing at the system's request"
          << (!live     ? ""
              : unsaved ? "; the progress since the last save is not kept"
                        : "; nothing was unsaved")
          << "\n";
}

int32_t SdlHost::WaitBudgetMs(int64_t untilTickMs) {
  int64_t wait = untilTickMs;
  if (audioOpen_) {
    const int32_t audioWait = audio_.MsUntilPump();
    if (audioWait >= 0) wait = std::min<int64_t>(wait, audioWait);
  }
  return static_cast<int32_t>(std::clamp<int64_t>(wait, 0, 60'000));
}

void SdlHost::Run() {
  if (!session_) return;
  Game& g = *session_->game;
  ticks_.Start(g, NowMs());
  if (observer_) observer_->Started(g);
  ShowFrame();
  if (pendingAudio_) {
    audio_.Open(*pendingAudio_);
    audioOpen_ = true;
    pendingAudio_.reset();
  }
  while (!closing_) {
    if (audioOpen_) {
      audio_.SetMusicLoops(MusicRestartsAtItsEnd(g));
      audio_.Pump();
    }
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, WaitBudgetMs(MsUntilNextTick()))) {
      HandleEvent(e);
      while (!closing_ && SDL_PollEvent(&e)) HandleEvent(e);
    }
    if (HungUp()) SystemClose();
    if (closeAsked_ && !closing_) {
      closeAsked_ = false;
      PlayerClose();
    }
    if (closing_) break;
    if (pendingMusicEnd_) {
      const std::string file = std::move(*pendingMusicEnd_);
      pendingMusicEnd_.reset();
      Send(g, {session::InputKind::MusicEnd, 0, 0, 0, false, file});
      dirty_ = true;
    }
    if (RunTimerAndHooks(g)) dirty_ = true;
    if (notice_.NeedsFrame(NowMs())) dirty_ = true;
    if (dirty_ && !closing_) ShowFrame();
  }
  textInputWanted_ = false;
  ApplyTextInput();
  if (observer_) observer_->Closing(g);
  session::EndSession(*session_);
  if (audioOpen_) {
    audio_.Close();
    audioOpen_ = false;
  }
}

}  // namespace qv::sdl
