#pragma once
// The game's window: the 640x480 picture at an integer scale (letterboxed in fullscreen),
// mouse and keys routed to the form, the input method on only while the game's name field
// takes typing (the game says when, Host::SetTextInput), our own modal message boxes, the
// sound on the one audio device, and the loop that sleeps until the next tick or event.
// Closing it asks first when there is progress the game has not saved; the system's close
// (SIGTERM, SIGINT, SIGHUP, the session ending) never asks.
#include <SDL.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/host.h"
#include "files/status.h"
#include "gfx/bitmap.h"
#include "platform/sdl/audio_system.h"
#include "platform/sdl/desktop_keys.h"
#include "platform/session/replay_input.h"
#include "platform/session/session.h"
#include "platform/session/tick_driver.h"
#include "ui/desktop_notice.h"
#include "ui/message_box.h"
#include "ui/screen.h"

namespace qv::sdl {

struct WindowOptions {
  int32_t scale = 0;  // 0: the largest integer scale that fits the desktop
  bool fullscreen = false;
  int32_t frames = 0;  // >0: close after this many frames were shown
};

class SdlHost : public Host {
 public:
  SdlHost();
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  // Starts SDL's video, opens the window, its renderer and the frame texture. Fails with the
  // reason when there is no display.
  Status Open(const WindowOptions& options);
  // The sound (silent without a device). It opens right after the first frame is shown: the
  // synthesiser's soundfont takes tens of milliseconds, and nothing sounds before the first
  // click anyway.
  void OpenAudio(const AudioOptions& options);
  // The game this window shows; it must stay alive until Run returns.
  void Attach(session::Session& run);
  // Shows frames and routes events until the window closes; then FormClose and FormDestroy.
  void Run();

  // Recordings and replays. An observer sees every input, tick and the closing of the window;
  // a replay also shuts the player's input out and closes the window when it is done.
  void SetObserver(session::PlayObserver* observer) { observer_ = observer; }
  // --fast: runs the timer as fast as frames can be shown instead of at the game's pace.
  void SetFastTicks(bool fast) { fastTicks_ = fast; }
  // Test snapshots: on SIGUSR1 the shown picture and a state dump go to `dir` (shot-N.png,
  // dump-N.txt) and a recording notes the moment; on SIGUSR2 the dump alone.
  void ListenForSnapshots(const std::filesystem::path& dir);

  // Host
  int64_t NowMs() override;
  void PlayWave(int channel, std::string_view file) override;
  void PlayMusic(std::string_view file) override;
  void PlayMidi(std::string_view file) override;
  void MessageBox(std::string_view text) override;
  bool Confirm(std::string_view text) override;
  void CloseWindow() override { closing_ = true; }
  void SetTextInput(bool on, const Rect& field) override;

  // Uploads a window picture and shows it.
  void Present(const gfx::Bitmap& picture);
  // As Present, and reads the shown frame back at window-picture size (tests compare it with
  // the headless screenshot); empty when the renderer cannot read back.
  gfx::Bitmap PresentAndReadBack(const gfx::Bitmap& picture);
  // Shows the window picture the screen rendered last, uploading only the places it changed in
  // when the texture holds the picture it was changed from (the render before, shown).
  void PresentWindow(const ui::Screen& screen, const gfx::Bitmap& window);
  // Shows the texture as it is and reads the shown frame back (tests: what the uploads left).
  gfx::Bitmap ShowTextureAndReadBack();
  // Alt+Enter: fullscreen on the desktop's resolution, letterboxed, or back to the window.
  void ToggleFullscreen();

  // The player's desktop settings for this run: volumes and mute apply at once.
  void SetDesktop(const DesktopSetup& setup);
  // The settings as the player has them now (volume keys, mute, fullscreen).
  const platform::Settings& CurrentSettings() const { return current_; }
  // F12: writes the 640x480 picture as a PNG in the picture folder (or the data folder) and
  // says where in the corner notice. Returns the file, empty when none could be written.
  std::filesystem::path TakeScreenshot();
  // At the end of a run: writes the window's last scale and what the player changed with the
  // desktop keys back to the settings file. Problems go to `err`.
  void StoreDesktopSettings(std::ostream& err);

  // Where the one-line note of a close by the system goes (the terminal unless told).
  void SetNotes(std::ostream& notes) { notes_ = &notes; }
  // Whether the window's close button would ask first: the player's own game (not a replay)
  // holds progress since the last save and qv.ini leaves confirm_quit on.
  bool WouldAskBeforeClosing() const;
  // The notice of the desktop keys over the game's picture.
  const ui::DesktopNotice& Notice() const { return notice_; }

  SDL_Window* Window() const { return window_; }
  int32_t Scale() const { return scale_; }
  int64_t FramesShown() const { return framesShown_; }
  bool Closing() const { return closing_; }
  // True while the input method may compose for the name field; where its candidates open.
  bool TextInputOn() const { return textInputOn_; }
  SDL_Rect TextInputRect() const { return textInputRect_; }

 private:
  void HandleEvent(const SDL_Event& e);
  // Carries out a desktop key; false for keys that belong to the game.
  bool DesktopKey(const SDL_KeyboardEvent& key);
  void ChangeVolume(int32_t step);
  // Our own message in the corner notice; never among the game's text lines.
  void SayOnScreen(const std::string& utf8);
  // The window's close button: closes, after asking when progress would be lost.
  void PlayerClose();
  // A signal or the session ending: closes without asking and notes it on the terminal.
  void SystemClose();
  // Position of a mouse event in window-picture pixels; nullopt outside the picture.
  static std::optional<SDL_Point> PicturePoint(int32_t x, int32_t y);
  // Text input as the game wants it, unless a box holds the keys.
  void ApplyTextInput();
  void PlaceTextInput();
  void SendComposition(Game& g, const char* utf8, int32_t start, int32_t length);
  void ShowFrame();
  // Counts a frame as shown (presented, or left on the screen because nothing changed).
  void FrameShown();
  // Puts a picture into the 640 x 480 texture, cut or padded to that size.
  void UploadPicture(const gfx::Bitmap& picture);
  // Shows the texture in the window (letterboxed where the window's shape differs).
  void ShowTexture();
  // A modal box until it has its answer; `closeQuestion` is our own question before closing.
  ui::BoxAnswer RunBox(ui::BoxButtons buttons, std::string_view text, bool closeQuestion = false);
  int32_t WaitBudgetMs(int64_t untilTickMs);
  void DeliverMusicEnd(const SDL_Event& e);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool videoStarted_ = false;
  AudioSystem audio_;
  bool audioOpen_ = false;
  std::optional<AudioOptions> pendingAudio_;
  session::Session* session_ = nullptr;
  session::TickDriver ticks_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  int32_t scale_ = 1;
  int32_t maxFrames_ = 0;
  int64_t framesShown_ = 0;
  bool closing_ = false;
  bool dirty_ = true;
  bool mustPresent_ = true;          // the window needs the picture again even if it did not change
  bool textureHoldsWindow_ = false;  // the texture holds the game's window picture as last shown
  uint64_t shownWindowSerial_ = 0;   // ... of that render of it
  bool textInputWanted_ = false;     // the game's name field takes typing
  bool textInputOn_ = false;         // SDL's text input (and with it the input method) is on
  Rect textField_;                   // the field in window-picture pixels
  SDL_Rect textInputRect_{0, 0, 0, 0};
  bool inBox_ = false;
  SDL_Point lastMouse_{0, 0};
  std::optional<std::string> pendingMusicEnd_;  // an end of music seen while a box was open
  bool closeAsked_ = false;  // the close button was pressed while a game box was open
  bool systemClosing_ = false;
  std::ostream* notes_;
  ui::DesktopNotice notice_;
  // Recordings, replays and test snapshots (replay_hooks.cpp).
  void Send(Game& g, const session::InputEvent& e);
  bool RunTimerAndHooks(Game& g);
  int64_t MsUntilNextTick();
  void TakeTestSnapshot(Game& g, bool picture);
  session::PlayObserver* observer_ = nullptr;
  bool fastTicks_ = false;
  std::filesystem::path snapshotDir_;
  int32_t snapshotsTaken_ = 0;
  int64_t ticksRun_ = 0;
  std::array<int64_t, session::kInputKindCount>
      inputsSent_{};  // by session::InputKind, for the snapshot dumps
  DesktopSetup desktop_;
  platform::Settings current_;
};

// The largest integer scale at which a 640x480 picture and the window's frame fit the usable
// desktop area (at least 1).
int32_t FittingScale(int32_t usableWidth, int32_t usableHeight);

}  // namespace qv::sdl
