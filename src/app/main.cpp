// qv: the command line chooses the window or a headless scripted run.
#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

#include "platform/desktop_paths.h"
#include "platform/headless/bug_report.h"
#include "platform/headless/headless_run.h"
#include "platform/headless/script_runner.h"
#include "platform/sdl/sdl_run.h"
#include "platform/session/command_line.h"
#include "platform/session/language.h"
#include "platform/session/replay_run.h"
#include "platform/session/terminal_copy.h"
#include "platform/settings.h"

namespace {

// The player's settings file with the command line on top. Only a windowed run reads it:
// scripted runs stay the same on every machine.
qv::sdl::DesktopSetup DesktopSetupFor(const qv::session::Options& o, const qv::Paths& paths) {
  using namespace qv;
  sdl::DesktopSetup d;
  d.settingsFile =
      o.configFile.empty() ? platform::DefaultSettingsFile() : std::filesystem::path(o.configFile);
  std::vector<std::string> messages;
  d.settings = platform::LoadSettings(d.settingsFile, messages);
  for (const std::string& m : messages) std::cerr << "qv: " << m << "\n";
  platform::Settings& s = d.settings;
  if (o.scale > 0) s.scale = o.scale;
  if (o.fullscreen) s.fullscreen = true;
  if (o.windowed) s.fullscreen = false;
  if (o.mute) s.mute = true;
  if (o.effectsVolume) s.effectsVolume = *o.effectsVolume;
  if (o.musicVolume) s.musicVolume = *o.musicVolume;
  if (!o.soundFont.empty()) s.soundFont = o.soundFont;
  if (!o.language.empty()) s.language = o.language;
  d.dataDir = paths.saveDir;
  return d;
}

// The language of the texts; an unknown one, or a catalog that cannot be used, is named on the
// terminal (and in `problem`) and Japanese is used.
qv::ui::Catalog CatalogFor(std::string_view language, const std::filesystem::path& programDir,
                           std::string* problem = nullptr) {
  std::string message;
  qv::ui::Catalog c =
      qv::platform::ChooseLanguage(language, qv::platform::LocaleRoot(programDir), message);
  if (!message.empty()) std::cerr << "qv: " << message << "\n";
  if (problem) *problem = message;
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qv;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const Result<session::Options> parsed = session::ParseCommandLine(args);
  if (!parsed.ok()) {
    std::cerr << "qv: " << parsed.message() << "\nTry 'qv --help'.\n";
    return session::kExitBadInput;
  }
  const session::Options& o = *parsed;
  if (o.help) {
    std::cout << session::UsageText();
    return session::kExitOk;
  }
  if (o.version) {
    std::cout << session::VersionText();
    return session::kExitOk;
  }

  const std::filesystem::path programDir = session::ProgramDir();
  // cg/ and dat/ beside the program or in an installed share/qv; the save beside the program
  // when that folder is writable, else in the player's data folder.
  const Result<platform::DesktopPaths> found = platform::ResolveDesktopPaths(programDir, o.dataDir);
  if (!found.ok()) {
    std::cerr << "qv: " << found.message() << "\n";
    return session::kExitBadInput;
  }
  const Paths paths = found->paths;
  std::error_code ec;
  if (!std::filesystem::is_directory(paths.cgDir, ec)) {
    std::cerr << "qv: no pictures in " << paths.cgDir.string()
              << " (the build folder holds the game's cg/ and dat/)\n";
  }

  if (!o.bugReport.empty()) {
    // The settings are read as they are (a missing qv.ini is not made for the report); the
    // report's picture is in the player's language, as the window showed it.
    const std::filesystem::path settingsFile = o.configFile.empty()
                                                   ? platform::DefaultSettingsFile()
                                                   : std::filesystem::path(o.configFile);
    std::string language = o.language;
    std::error_code missing;
    if (language.empty() && std::filesystem::is_regular_file(settingsFile, missing)) {
      std::vector<std::string> messages;
      language = platform::LoadSettings(settingsFile, messages).language;
    }
    return headless::WriteBugReport(o.bugReport, paths, settingsFile,
                                    CatalogFor(language, programDir), std::cout, std::cerr);
  }

  // A play's terminal lines are kept beside its save for a bug report (a replay keeps none).
  session::TerminalCopy terminal;
  if (o.replay.empty()) terminal.Start();
  const uint32_t seed = o.seed.value_or(session::ClockSeed());
  if (o.headless) {
    // Scripted runs read no qv.ini: only --language chooses their language.
    const ui::Catalog catalog = CatalogFor(o.language, programDir);
    if (!o.replay.empty()) {
      return headless::RunHeadlessReplay(o.replay, paths, o.dataDir, o.snapshotDir, std::cout,
                                         std::cerr, catalog);
    }
    if (!o.record.empty()) {
      return headless::RunHeadlessRecorded(o.script, o.record, paths, seed, std::cout, std::cerr,
                                           catalog, &terminal);
    }
    return headless::RunHeadless(o.script, paths, seed, std::cout, std::cerr, catalog,
                                 {o.checkTexts, o.goldenDir, o.updateGolden}, &terminal);
  }
  sdl::DesktopSetup desktop = DesktopSetupFor(o, paths);
  desktop.catalog = CatalogFor(desktop.settings.language, programDir, &desktop.catalogProblem);
  return sdl::RunWindowed(
      {desktop.settings.scale, desktop.settings.fullscreen, o.frames}, paths, programDir, seed,
      std::cerr, desktop,
      {o.record, o.replay, o.snapshotDir, o.fast, o.dataDir, &std::cout, &terminal});
}
