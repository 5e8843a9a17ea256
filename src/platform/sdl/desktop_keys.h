#pragma once
// The desktop's own keys, chosen so they never collide with the game's: the game knows Enter,
// F1 and the keys of its lists and name field, never F11, F12 or a Ctrl chord.
#include <SDL.h>

#include <filesystem>
#include <string_view>

#include "files/status.h"
#include "gfx/bitmap.h"
#include "platform/settings.h"
#include "ui/catalog.h"

namespace qv::sdl {

enum class DesktopAction {
  None,
  Fullscreen,  // F11, Alt+Enter
  Screenshot,  // F12
  Mute,        // Ctrl+M
  Louder,      // Ctrl+Up
  Softer,      // Ctrl+Down
};

// The desktop action of a key press; None for a key that belongs to the game (and for the
// repeats of a held key, except the volume keys).
DesktopAction DesktopKeyAction(const SDL_KeyboardEvent& key);

// Writes a screenshot into `dir` as STAMP.png, or STAMP-2.png, STAMP-3.png, … when a name is
// taken by anything (a planted link to nothing included: nothing is written through it); its
// path, or why it could not be written (a partial file is removed).
Result<std::filesystem::path> WriteNewScreenshot(const gfx::Bitmap& picture,
                                                 const std::filesystem::path& dir,
                                                 std::string_view stamp);

// The window's part of the player's settings and where they go.
struct DesktopSetup {
  platform::Settings settings;         // as the run starts (qv.ini with the command line on top)
  std::filesystem::path settingsFile;  // where the player's changes are kept; empty: nowhere
  std::filesystem::path dataDir;       // screenshots when the desktop has no picture folder
  ui::Catalog catalog;                 // the language of the texts (inactive: Japanese)
  std::string catalogProblem;          // why the catalog asked for could not be used (UTF-8)
};

}  // namespace qv::sdl
