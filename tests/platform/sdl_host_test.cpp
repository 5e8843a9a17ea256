// The SDL window under SDL's offscreen video driver: it opens, shows the game's frames with the
// same pixels as the headless screenshot, and closes. Skipped where SDL cannot start at all.
#include "platform/sdl/sdl_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "core/text.h"
#include "flow/startup.h"
#include "flow/tick.h"
#include "gfx/picture_file.h"
#include "platform/headless/headless_host.h"
#include "platform/sdl/key_map.h"
#include "platform/session/command_line.h"
#include "support/fake_host.h"
#include "ui/screen.h"

namespace qv::sdl {
namespace {

class SdlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host_ = std::make_unique<SdlHost>();
    if (const Status opened = host_->Open({.scale = 1}); !opened.ok()) {
      host_.reset();
      GTEST_SKIP() << "SDL cannot open a window here: " << opened.message();
    }
    dir_ = testing::MakeTempDir();
  }
  void TearDown() override {
    host_.reset();
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  // Starts the game in the window. A box at start-up (missing game data in this build tree)
  // is answered with Enter from the event queue, as a player would.
  std::unique_ptr<session::Session> StartGame() {
    const Paths paths = session::GamePaths(QV_BUILD_DIR, dir_.string());
    auto run = session::CreateSession(*host_, paths, 7);
    host_->Attach(*run);
    for (int i = 0; i < 3; ++i) PushKey(SDLK_RETURN);
    FormCreate(*run->game);
    SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYUP);
    return run;
  }

  static void PushKey(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
  }

  std::unique_ptr<SdlHost> host_;
  std::filesystem::path dir_;
};

TEST_F(SdlWindow, OpensAtTheRequestedScaleWithTheGameTitle) {
  ASSERT_NE(host_->Window(), nullptr);
  EXPECT_EQ(host_->Scale(), 1);
  int w = 0, h = 0;
  SDL_GetWindowSize(host_->Window(), &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_NE(std::string(SDL_GetWindowTitle(host_->Window())).find("ver1.7"), std::string::npos);
  EXPECT_FALSE(SDL_IsTextInputActive());  // the IME stays off until the name field has focus
}

// The picture the window shows is the picture the headless run writes, pixel for pixel.
TEST_F(SdlWindow, ShowsTheSamePixelsAsTheHeadlessScreenshot) {
  auto run = StartGame();
  Timer1Timer(*run->game);
  const gfx::Bitmap& frame = run->screen.RenderWindow(*run->game);
  ASSERT_EQ(frame.Width(), 640);
  const std::filesystem::path shot = dir_ / "frame.png";
  ASSERT_TRUE(gfx::WritePng(frame, shot).ok());
  const Result<gfx::Bitmap> png = gfx::LoadPicture(shot);
  ASSERT_TRUE(png.ok()) << png.message();

  const gfx::Bitmap shown = host_->PresentAndReadBack(frame);
  if (shown.Empty()) GTEST_SKIP() << "this renderer cannot read its frame back";
  EXPECT_TRUE(shown == *png);
  EXPECT_TRUE(shown == frame);
  session::EndSession(*run);
}

// A picture of another size is fitted to the window's 640 x 480 first, on both paths: the
// texture upload never reads past the picture's pixels.
TEST_F(SdlWindow, ReadBackOfASmallPictureShowsItCutToTheWindow) {
  gfx::Bitmap small(32, 16, 0x00336699);
  small.SetPixel(31, 15, 0x00FF0000);
  const gfx::Bitmap shown = host_->PresentAndReadBack(small);
  if (shown.Empty()) GTEST_SKIP() << "this renderer cannot read its frame back";
  gfx::Bitmap expected = small;
  expected.Resize(640, 480);
  EXPECT_TRUE(shown == expected);
}

// The title's frames change only where the sparks fly, and only those places are uploaded; what
// the window shows must still be the whole picture, frame after frame, also after another
// picture (a box) went through the texture or a frame was rendered and never shown.
TEST_F(SdlWindow, TitleFramesUploadedWhereTheyChangedShowTheWholePicture) {
  testing::TestGame t;
  ui::Screen screen;
  Game& g = t.g();
  g.presenter = &screen;
  gfx::Bitmap noise(640, 480);
  uint32_t v = 4321;
  for (gfx::Color& p : noise.Pixels()) p = (v = v * 1103515245u + 12345u) >> 8 & 0x7F7F7F;
  screen.SetSprite(6, noise);
  for (int i = 0; i < 6; ++i) {
    screen.SetSprite(22 + i, gfx::Bitmap(20, 20, gfx::Rgb(200, 40 * i, 90)));
    screen.SetSprite(28 + i, gfx::Bitmap(10, 10, gfx::Rgb(30 * i, 220, 10)));
  }
  g.screen.scene = -1;
  int partly = 0;
  for (int frame = 0; frame < 120; ++frame) {
    g.screen.frameCounter = frame;
    if (frame == 90) {  // a screenshot renders a frame that the window never shows
      screen.CopyBackground(g);
      screen.DrawTitleScreen(g);
      screen.RenderWindow(g);
    }
    screen.CopyBackground(g);
    screen.DrawTitleScreen(g);
    const gfx::Bitmap& window = screen.RenderWindow(g);
    if (frame == 60) host_->Present(gfx::Bitmap(640, 480, 0x00FF00));
    partly += screen.WindowChanges() != nullptr;
    host_->PresentWindow(screen, window);
    const gfx::Bitmap shown = host_->ShowTextureAndReadBack();
    if (shown.Empty()) GTEST_SKIP() << "this renderer cannot read its frame back";
    ASSERT_TRUE(shown == window) << "frame " << frame;
  }
  EXPECT_GT(partly, 100);  // the title's frames did go the short way
}

// The game's own close (a click on the opening screen of a damaged save) and the window's
// close button both end the loop through FormClose.
TEST_F(SdlWindow, CloseRequestEndsTheLoopThroughFormClose) {
  auto run = StartGame();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  host_->Run();
  EXPECT_TRUE(host_->Closing());
  EXPECT_EQ(run->game->text.formActive, -1);
  EXPECT_GE(host_->FramesShown(), 1);
}

// Closing the window with progress the game has not saved: the close button asks, "いいえ"
// keeps playing; the system's close (a quit event, SIGTERM, SIGHUP) never asks and leaves a
// one-line note; with nothing unsaved, or confirm_quit = no, or in a replay, it closes at once.
class CloseQuestion : public SdlWindow {
 protected:
  std::unique_ptr<session::Session> StartWithProgress(bool confirmQuit = true) {
    DesktopSetup setup;
    setup.settings.confirmQuit = confirmQuit;
    host_->SetDesktop(setup);
    host_->SetNotes(notes_);
    auto run = StartGame();
    EXPECT_FALSE(host_->WouldAskBeforeClosing());  // the load has just saved
    run->game->state.money += 100;                 // play since then
    return run;
  }
  static void Push(Uint32 type, Uint8 windowEvent = 0) {
    SDL_Event e{};
    e.type = type;
    e.window.event = windowEvent;
    SDL_PushEvent(&e);
  }
  static void PushCloseButton() { Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE); }
  static void PushQuit() { Push(SDL_QUIT); }

  std::ostringstream notes_;
};

TEST_F(CloseQuestion, CloseButtonAsksAndNoKeepsPlaying) {
  auto run = StartWithProgress();
  EXPECT_TRUE(host_->WouldAskBeforeClosing());
  PushCloseButton();
  PushKey(SDLK_n);  // いいえ
  PushQuit();       // then the system closes it
  host_->Run();
  EXPECT_TRUE(host_->Closing());
  // Only a window that stayed open after the close button can hear the system's close.
  EXPECT_EQ(notes_.str(),
            "qv: closing at the system's request; the progress since the last save is not kept\n");
  EXPECT_EQ(run->game->text.formActive, -1);
}

TEST_F(CloseQuestion, YesCloses) {
  auto run = StartWithProgress();
  PushCloseButton();
  PushKey(SDLK_y);  // はい
  PushQuit();       // never reached: the window is closed by then
  host_->Run();
  EXPECT_TRUE(host_->Closing());
  EXPECT_EQ(notes_.str(), "");
}

TEST_F(CloseQuestion, TheSystemsCloseNeverWaitsForTheQuestion) {
  auto run = StartWithProgress();
  PushCloseButton();
  PushQuit();  // while the question is showing
  host_->Run();
  EXPECT_TRUE(host_->Closing());
  EXPECT_NE(notes_.str().find("not kept"), std::string::npos);
}

TEST_F(CloseQuestion, NothingUnsavedClosesAtOnce) {
  auto run = StartWithProgress();
  run->game->state.money -= 100;  // back to what the save holds
  PushCloseButton();
  PushQuit();
  host_->Run();
  EXPECT_EQ(notes_.str(), "");  // closed by the button, before the quit event
}

TEST_F(CloseQuestion, ConfirmQuitNoClosesAtOnce) {
  auto run = StartWithProgress(/*confirmQuit=*/false);
  EXPECT_FALSE(host_->WouldAskBeforeClosing());
  PushCloseButton();
  PushQuit();
  host_->Run();
  EXPECT_EQ(notes_.str(), "");
}

TEST_F(CloseQuestion, AReplayClosesWithoutAsking) {
  struct Replaying : session::PlayObserver {
    bool LiveInput() const override { return false; }
  } replay;
  auto run = StartWithProgress();
  host_->SetObserver(&replay);
  EXPECT_FALSE(host_->WouldAskBeforeClosing());
  PushCloseButton();
  PushQuit();
  host_->Run();
  EXPECT_EQ(notes_.str(), "");
}

TEST_F(CloseQuestion, SigtermClosesWithANote) {
  struct sigaction handler {};
  sigaction(SIGTERM, nullptr, &handler);
  if (handler.sa_handler == SIG_DFL || handler.sa_handler == SIG_IGN) {
    GTEST_SKIP() << "SDL left SIGTERM to its default in this process";
  }
  auto run = StartWithProgress();
  raise(SIGTERM);
  host_->Run();
  EXPECT_TRUE(host_->Closing());
  EXPECT_NE(notes_.str().find("not kept"), std::string::npos);
}

TEST_F(CloseQuestion, SighupClosesWithANote) {
  struct sigaction handler {};
  sigaction(SIGHUP, nullptr, &handler);
  if (handler.sa_handler == SIG_DFL || handler.sa_handler == SIG_IGN) {
    GTEST_SKIP() << "SIGHUP is not handled in this process";
  }
  auto run = StartWithProgress();
  raise(SIGHUP);
  host_->Run();
  EXPECT_TRUE(host_->Closing());
  EXPECT_NE(notes_.str().find("not kept"), std::string::npos);
}

// The input method opens its candidates under the name field wherever the scaled, letterboxed
// picture puts it in the window, and follows the window when it changes size.
TEST_F(SdlWindow, TextInputFollowsTheGameAndTheFieldInTheWindow) {
  auto session = StartGame();
  const Rect field{176, 76, 129, 21};
  host_->SetTextInput(true, field);
  EXPECT_TRUE(host_->TextInputOn());
  EXPECT_TRUE(SDL_IsTextInputActive());
  SDL_Rect r = host_->TextInputRect();
  EXPECT_EQ(r.x, 176);
  EXPECT_EQ(r.y, 76);
  EXPECT_EQ(r.w, 129);
  EXPECT_EQ(r.h, 21);

  // Twice the picture in a wider, taller window: scaled by 2, centred with black bars.
  SDL_SetWindowSize(host_->Window(), 1500, 1000);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  host_->Run();
  r = host_->TextInputRect();
  EXPECT_EQ(r.x, (1500 - 1280) / 2 + 2 * 176);
  EXPECT_EQ(r.y, (1000 - 960) / 2 + 2 * 76);
  EXPECT_EQ(r.w, 2 * 129);
  EXPECT_EQ(r.h, 2 * 21);
  // The window closed: the input method is off.
  EXPECT_FALSE(host_->TextInputOn());
  EXPECT_FALSE(SDL_IsTextInputActive());
}

// Fullscreen (Alt+Enter) on the desktop's resolution: the candidates go where the letterboxed
// picture puts the field.
TEST_F(SdlWindow, TextInputFollowsTheFieldIntoFullscreen) {
  auto session = StartGame();
  host_->SetTextInput(true, {176, 76, 129, 21});
  host_->ToggleFullscreen();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  host_->Run();
  int w = 0, h = 0;
  SDL_GetWindowSize(host_->Window(), &w, &h);
  if (w == 640 && h == 480) GTEST_SKIP() << "this video driver has no fullscreen";
  const int scale = std::max(1, std::min(w / 640, h / 480));
  const SDL_Rect r = host_->TextInputRect();
  EXPECT_EQ(r.x, (w - 640 * scale) / 2 + scale * 176);
  EXPECT_EQ(r.y, (h - 480 * scale) / 2 + scale * 76);
  EXPECT_EQ(r.w, scale * 129);
  EXPECT_EQ(r.h, scale * 21);
}

// Compositions and commits reach the name field while it takes typing and are dropped once it
// lost the keyboard; a long composition's own memory is released either way.
TEST_F(SdlWindow, CompositionsReachTheFieldOnlyWhileItTakesTyping) {
  auto session = StartGame();
  Game& g = *session->game;
  ShowPanel(g.form, W::bp_box);
  const auto push = [](SDL_Event e) { SDL_PushEvent(&e); };
  const auto click = [&](int32_t x, int32_t y) {
    SDL_Event e{};
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    e.type = SDL_MOUSEBUTTONDOWN;
    push(e);
    e.type = SDL_MOUSEBUTTONUP;
    push(e);
  };
  const auto compose = [&](const char* utf8, int32_t start, int32_t length) {
    SDL_Event e{};
    if (std::strlen(utf8) < sizeof e.edit.text) {
      e.type = SDL_TEXTEDITING;
      std::snprintf(e.edit.text, sizeof e.edit.text, "%s", utf8);
      e.edit.start = start;
      e.edit.length = length;
    } else {
      e.type = SDL_TEXTEDITING_EXT;
      e.editExt.text = SDL_strdup(utf8);
      e.editExt.start = start;
      e.editExt.length = length;
    }
    push(e);
  };
  const auto commit = [&](const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
    push(e);
  };
  std::string longComposition;
  for (int i = 0; i < 40; ++i) longComposition += "か";

  compose("か", 1, -1);  // before the field has the keyboard: nobody's
  click(200, 86);
  compose(longComposition.c_str(), 40, -1);
  commit("かい");
  compose("しゃ", 0, 2);
  click(160, 112);  // STR takes the keyboard
  compose(longComposition.c_str(), 40, -1);
  commit("x");
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  push(quit);
  host_->Run();

  EXPECT_EQ(g.form[W::name_l].caption, *Utf8ToCp932("かい"));
  EXPECT_EQ(g.form.entry.composition, "");
  EXPECT_FALSE(host_->TextInputOn());
}

TEST(FittingScale, LargestWholeScaleThatFits) {
  EXPECT_EQ(FittingScale(1920, 1080), 2);
  EXPECT_EQ(FittingScale(2560, 1440), 2);  // 1440 - the frame leaves room for 2
  EXPECT_EQ(FittingScale(3840, 2160), 4);
  EXPECT_EQ(FittingScale(1280, 1024), 2);
  EXPECT_EQ(FittingScale(800, 600), 1);
  EXPECT_EQ(FittingScale(320, 200), 1);  // never below 1
}

TEST(VirtualKeyFromSdl, KeysTheGameKnows) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), 13);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1), 112);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 123);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_BACKSPACE), 8);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UP), 38);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN), 40);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), 37);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RIGHT), 39);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 'A');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_y), 'Y');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_n), 'N');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_0), '0');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), 96);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), 105);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_LSHIFT), 16);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_CAPSLOCK), 0);

  SDL_KeyboardEvent k{};
  k.keysym.sym = SDLK_RETURN;
  EXPECT_FALSE(IsFullscreenToggle(k));
  k.keysym.mod = KMOD_LALT;
  EXPECT_TRUE(IsFullscreenToggle(k));
  k.repeat = 1;
  EXPECT_FALSE(IsFullscreenToggle(k));  // holding the keys does not flicker
}

}  // namespace
}  // namespace qv::sdl

namespace qv::sdl {
namespace {

// A smoke run has nobody to answer a box (a language whose texts cannot be used is told in
// one before the first frame): the box gives way the harmless way and the run still ends.
TEST(SdlSmokeRun, EndsThoughABoxWaitsForAnAnswer) {
  const std::filesystem::path dir = testing::MakeTempDir();
  const std::string command = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME='" +
                              dir.string() + "' timeout 60 '" QV_BUILD_DIR "/qv' --frames 40 " +
                              "--language xx --data-dir '" + dir.string() + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "124: the run waited for an answer until it was stopped";
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qv::sdl
