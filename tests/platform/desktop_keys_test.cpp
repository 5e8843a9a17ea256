// The desktop's keys in the window: they never take a key the game or the name field needs,
// F12 writes the picture as a PNG and says where, and the volume keys are kept in qv.ini.
#include "platform/sdl/desktop_keys.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "flow/startup.h"
#include "gfx/picture_file.h"
#include "platform/sdl/sdl_host.h"
#include "platform/session/command_line.h"
#include "support/fake_host.h"

namespace qv::sdl {
namespace {

SDL_KeyboardEvent Key(SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
  SDL_KeyboardEvent k{};
  k.type = SDL_KEYDOWN;
  k.keysym.sym = sym;
  k.keysym.mod = mod;
  k.repeat = repeat;
  return k;
}

TEST(DesktopKeyAction, OnlyFunctionKeysAndCtrlChordsAreTheDesktops) {
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_F11)), DesktopAction::Fullscreen);
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_RETURN, KMOD_LALT)), DesktopAction::Fullscreen);
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_KP_ENTER, KMOD_RALT)), DesktopAction::Fullscreen);
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_F12)), DesktopAction::Screenshot);
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_m, KMOD_LCTRL)), DesktopAction::Mute);
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_UP, KMOD_RCTRL)), DesktopAction::Louder);
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_DOWN, KMOD_LCTRL, 1)), DesktopAction::Softer);  // held

  // The game's own keys, and what typing in the name field sends.
  for (SDL_Keycode sym : {SDLK_RETURN, SDLK_F1, SDLK_m, SDLK_UP, SDLK_DOWN, SDLK_BACKSPACE}) {
    EXPECT_EQ(DesktopKeyAction(Key(sym)), DesktopAction::None) << sym;
    EXPECT_EQ(DesktopKeyAction(Key(sym, KMOD_SHIFT)), DesktopAction::None) << sym;
  }
  // AltGr layouts report Ctrl+Alt for typed characters.
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_m, KMOD_LCTRL | KMOD_RALT)), DesktopAction::None);
  // A held F12 or Ctrl+M acts once.
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_F12, KMOD_NONE, 1)), DesktopAction::None);
  EXPECT_EQ(DesktopKeyAction(Key(SDLK_m, KMOD_LCTRL, 1)), DesktopAction::None);
}

class DesktopWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    dir_ = testing::MakeTempDir();
    setenv("XDG_PICTURES_DIR", (dir_ / "shots").string().c_str(), 1);
    host_ = std::make_unique<SdlHost>();
    if (const Status opened = host_->Open({.scale = 1}); !opened.ok()) {
      host_.reset();
      GTEST_SKIP() << "SDL cannot open a window here: " << opened.message();
    }
  }
  void TearDown() override {
    unsetenv("XDG_PICTURES_DIR");
    host_.reset();
    std::filesystem::remove_all(dir_);
  }

  // The game in the window with the name field focused, as character creation has it.
  std::unique_ptr<session::Session> StartAtNameField(const DesktopSetup& setup) {
    host_->SetDesktop(setup);
    const Paths paths = session::GamePaths(QV_BUILD_DIR, dir_.string());
    auto run = session::CreateSession(*host_, paths, 7);
    host_->Attach(*run);
    for (int i = 0; i < 3; ++i) Push(KeyEvent(SDLK_RETURN));
    FormCreate(*run->game);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    Form& form = run->game->form;
    form.focus = W::name_l;
    for (W w = W::name_l; w != W::kCount; w = form[w].parent) form[w].visible = true;
    return run;
  }

  static SDL_Event KeyEvent(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.key = Key(sym, mod);
    return e;
  }
  static SDL_Event TextEvent(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
    return e;
  }
  static void Push(SDL_Event e) { SDL_PushEvent(&e); }
  static void PushQuit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
  }

  static bool HasLine(const Game& g, const char* utf8) {
    const std::string wanted = *Utf8ToCp932(utf8);
    for (const LineEntry& l : g.text.lines) {
      if (l.text.find(wanted) != std::string::npos) return true;
    }
    return false;
  }

  // Counts what reaches the game through the input route (what a recording would write).
  struct InputCounter : session::PlayObserver {
    int count = 0;
    void Input(Game&, const session::InputEvent&) override { ++count; }
  };

  std::unique_ptr<SdlHost> host_;
  std::filesystem::path dir_;
};

// Typing "m" in the name field is text; Ctrl+M mutes and types nothing; F12 writes the
// 640x480 picture into the picture folder and says so in the corner notice, never among the
// game's text lines and never as input a recording would see.
TEST_F(DesktopWindow, NameFieldKeepsItsTextWhileTheDesktopKeysAct) {
  auto run = StartAtNameField({});
  const std::array<LineEntry, 21> linesBefore = run->game->text.lines;
  Push(KeyEvent(SDLK_m, KMOD_LCTRL));
  Push(KeyEvent(SDLK_m));
  Push(TextEvent("m"));
  Push(KeyEvent(SDLK_F12));
  PushQuit();
  InputCounter inputs;
  host_->SetObserver(&inputs);
  host_->Run();

  const Game& g = *run->game;
  EXPECT_EQ(inputs.count, 2);  // the key and the text of the "m"; nothing of Ctrl+M or F12
  EXPECT_EQ(g.form[W::name_l].caption, "m");
  EXPECT_TRUE(host_->CurrentSettings().mute);
  std::vector<std::filesystem::path> shots;
  for (const auto& entry : std::filesystem::directory_iterator(dir_ / "shots")) {
    shots.push_back(entry.path());
  }
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_EQ(shots[0].extension(), ".png");
  const Result<gfx::Bitmap> png = gfx::LoadPicture(shots[0]);
  ASSERT_TRUE(png.ok()) << png.message();
  EXPECT_EQ(png->Width(), 640);
  EXPECT_EQ(png->Height(), 480);
  EXPECT_NE(host_->Notice().Text().find("スクリーンショットを保存しました"), std::string::npos);
  EXPECT_NE(host_->Notice().Text().find(shots[0].filename().string()), std::string::npos);
  for (size_t i = 0; i < linesBefore.size(); ++i) {
    EXPECT_EQ(g.text.lines[i].text, linesBefore[i].text) << "text line " << i;
  }
}

// A second shot in the same second gets a name of its own; a picture folder that cannot be
// made sends the shot to the data folder.
TEST_F(DesktopWindow, ScreenshotsNeverOverwriteAndFallBackToTheDataFolder) {
  auto run = StartAtNameField({});
  const std::filesystem::path first = host_->TakeScreenshot();
  const std::filesystem::path second = host_->TakeScreenshot();
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);
  EXPECT_EQ(first.parent_path(), dir_ / "shots");

  std::ofstream(dir_ / "blocked") << "x";
  setenv("XDG_PICTURES_DIR", (dir_ / "blocked" / "sub").string().c_str(), 1);
  const std::filesystem::path third = host_->TakeScreenshot();
  EXPECT_EQ(third.parent_path(), dir_);  // the game's save folder in this test
  session::EndSession(*run);
}

// A name taken by a planted link to nothing is passed over: nothing is written through it.
TEST(WriteNewScreenshot, APlantedLinkIsPassedOver) {
  const std::filesystem::path dir = testing::MakeTempDir();
  std::filesystem::create_symlink(dir / "victim", dir / "qv-stamp.png");
  const gfx::Bitmap picture(64, 48, 0x336699);
  const Result<std::filesystem::path> shot = WriteNewScreenshot(picture, dir, "qv-stamp");
  ASSERT_TRUE(shot.ok()) << shot.message();
  EXPECT_EQ(*shot, dir / "qv-stamp-2.png");
  EXPECT_FALSE(std::filesystem::exists(dir / "victim"));
  EXPECT_TRUE(gfx::LoadPicture(*shot).ok());
  const Result<std::filesystem::path> nowhere =
      WriteNewScreenshot(picture, dir / "missing", "qv-stamp");
  EXPECT_FALSE(nowhere.ok());
  std::filesystem::remove_all(dir);
}

// Volume keys move both volumes in steps, stop at the ends, undo a mute, and what the player
// changed is written back to the settings file with the window's scale left alone.
TEST_F(DesktopWindow, VolumeKeysAreKeptInTheSettingsFile) {
  DesktopSetup setup;
  setup.settings.effectsVolume = 90;
  setup.settings.musicVolume = 20;
  setup.settings.mute = true;
  setup.settingsFile = dir_ / "qv.ini";
  auto run = StartAtNameField(setup);
  for (int i = 0; i < 3; ++i) Push(KeyEvent(SDLK_UP, KMOD_LCTRL));
  Push(KeyEvent(SDLK_DOWN, KMOD_RCTRL));
  PushQuit();
  host_->Run();
  EXPECT_EQ(host_->CurrentSettings().effectsVolume, 90);  // 100 at most, then one step down
  EXPECT_EQ(host_->CurrentSettings().musicVolume, 40);
  EXPECT_FALSE(host_->CurrentSettings().mute);
  EXPECT_EQ(host_->Notice().Text(), "音量　効果音 90　音楽 40");
  EXPECT_FALSE(HasLine(*run->game, "音量"));

  std::ostringstream err;
  host_->StoreDesktopSettings(err);
  EXPECT_EQ(err.str(), "");
  std::vector<std::string> messages;
  const platform::Settings kept = platform::LoadSettings(dir_ / "qv.ini", messages);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(kept.musicVolume, 40);
  EXPECT_EQ(kept.effectsVolume, 100);  // unchanged from the start: the file's default stays
  EXPECT_FALSE(kept.mute);
  EXPECT_EQ(kept.scale, 0);  // the window kept its size: "automatic" stays automatic

  // A window the player made larger is remembered at its whole scale.
  SDL_SetWindowSize(host_->Window(), 2 * 640 + 100, 2 * 480 + 30);
  host_->StoreDesktopSettings(err);
  EXPECT_EQ(platform::LoadSettings(dir_ / "qv.ini", messages).scale, 2);
}

}  // namespace
}  // namespace qv::sdl
