// The window's desktop keys: fullscreen, screenshots, mute and volume, and keeping what the
// player changed in the settings file.
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <string>
#include <string_view>

#include "core/text.h"
#include "gfx/picture_file.h"
#include "platform/desktop_paths.h"
#include "platform/sdl/sdl_host.h"
#include "ui/desktop_texts.h"
#include "ui/screen.h"

namespace qv::sdl {
namespace {

// qv-20250102-153000: the local time of the shot.
std::string ShotStamp() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  std::array<char, 32> stamp{};
  std::strftime(stamp.data(), stamp.size(), "qv-%Y%m%d-%H%M%S", &local);
  return stamp.data();
}

// The folder a screenshot goes to: the desktop's picture folder when it is there or can be
// made, otherwise the folder of the save.
std::filesystem::path ShotFolder(const std::filesystem::path& dataDir) {
  std::filesystem::path pictures = platform::PicturesDir();
  if (!pictures.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(pictures, ec);
    if (platform::IsWritableDir(pictures)) return pictures;
  }
  return dataDir;
}

}  // namespace

Result<std::filesystem::path> WriteNewScreenshot(const gfx::Bitmap& picture,
                                                 const std::filesystem::path& dir,
                                                 std::string_view stamp) {
  for (int32_t n = 1; n < 1000; ++n) {
    const std::filesystem::path file =
        dir / (std::string(stamp) + (n == 1 ? "" : "-" + std::to_string(n)) + ".png");
    const Status written = gfx::CreatePng(picture, file);
    if (written.ok()) return file;
    if (written.code() != EEXIST) return written;
  }
  return Failure("no free name for a screenshot in " + dir.string());
}

void SdlHost::SetDesktop(const DesktopSetup& setup) {
  desktop_ = setup;
  current_ = setup.settings;
  if (window_) SDL_SetWindowTitle(window_, ui::desktop_text::WindowTitle(setup.catalog).c_str());
  audio_.SetMixerSettingsFile(setup.settings.mixerSettings);
  audio_.SetVolume(current_.effectsVolume, current_.musicVolume, current_.mute);
}

bool SdlHost::DesktopKey(const SDL_KeyboardEvent& key) {
  switch (DesktopKeyAction(key)) {
    case DesktopAction::None:
      return false;
    case DesktopAction::Fullscreen:
      ToggleFullscreen();
      current_.fullscreen = window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
      return true;
    case DesktopAction::Screenshot:
      TakeScreenshot();
      return true;
    case DesktopAction::Mute:
      current_.mute = !current_.mute;
      audio_.SetVolume(current_.effectsVolume, current_.musicVolume, current_.mute);
      SayOnScreen(ui::desktop_text::Muted(desktop_.catalog, current_.mute));
      return true;
    case DesktopAction::Louder:
      ChangeVolume(platform::kVolumeStep);
      return true;
    case DesktopAction::Softer:
      ChangeVolume(-platform::kVolumeStep);
      return true;
  }
  return false;
}

void SdlHost::ChangeVolume(int32_t step) {
  current_.effectsVolume = std::clamp(current_.effectsVolume + step, 0, platform::kMaxVolume);
  current_.musicVolume = std::clamp(current_.musicVolume + step, 0, platform::kMaxVolume);
  current_.mute = false;  // turning the volume is asking to hear it
  audio_.SetVolume(current_.effectsVolume, current_.musicVolume, current_.mute);
  SayOnScreen(
      ui::desktop_text::Volume(desktop_.catalog, current_.effectsVolume, current_.musicVolume));
}

void SdlHost::SayOnScreen(const std::string& utf8) {
  // Over the window picture only: the game's text lines, its state and a recording never
  // see our own messages.
  notice_.Show(utf8, NowMs());
  dirty_ = true;
}

std::filesystem::path SdlHost::TakeScreenshot() {
  if (!session_) return {};
  const std::filesystem::path dir =
      ShotFolder(desktop_.dataDir.empty() ? session_->game->paths.saveDir : desktop_.dataDir);
  const Result<std::filesystem::path> written =
      dir.empty()
          ? Result<std::filesystem::path>(Failure("no folder for screenshots"))
          : WriteNewScreenshot(session_->screen.RenderWindow(*session_->game), dir, ShotStamp());
  if (!written.ok()) {
    SayOnScreen(ui::desktop_text::ScreenshotFailed(desktop_.catalog));
    SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "qv: screenshot: %s", written.message().c_str());
    return {};
  }
  const std::filesystem::path& file = *written;
  // The whole path when it is readable text, else the file's name.
  const std::string where = IsUtf8(file.string()) ? file.string() : file.filename().string();
  SayOnScreen(ui::desktop_text::ScreenshotSaved(desktop_.catalog, where));
  return file;
}

void SdlHost::StoreDesktopSettings(std::ostream& err) {
  if (desktop_.settingsFile.empty()) return;
  const platform::Settings& start = desktop_.settings;
  std::vector<std::string_view> keys;
  // The last windowed size, as a whole scale; a fullscreen end keeps the scale it had.
  if (window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const int32_t last = std::clamp(std::min(w / ui::kWindowWidth, h / ui::kWindowHeight), 1,
                                    platform::kMaxSettingsScale);
    // An automatic scale stays automatic while the window kept the size it was given.
    if (last != start.scale && !(start.scale == 0 && last == scale_)) {
      current_.scale = last;
      keys.push_back("scale");
    }
  }
  if (current_.fullscreen != start.fullscreen) keys.push_back("fullscreen");
  if (current_.effectsVolume != start.effectsVolume) keys.push_back("effects_volume");
  if (current_.musicVolume != start.musicVolume) keys.push_back("music_volume");
  if (current_.mute != start.mute) keys.push_back("mute");
  if (keys.empty()) return;
  if (const Status stored = platform::StoreSettings(desktop_.settingsFile, current_, keys);
      !stored.ok()) {
    err << "qv: settings not kept: " << stored.message() << "\n";
  }
}

}  // namespace qv::sdl
