#pragma once
// The program's command line and where its files are.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/game.h"
#include "files/status.h"

namespace qv::session {

struct Options {
  bool help = false;
  bool version = false;
  bool headless = false;
  std::optional<uint32_t> seed;  // none: from the clock
  std::string dataDir;           // empty: the writable files stay beside the program
  std::string script;
  int32_t scale = 0;  // 0: the largest that fits the desktop
  bool fullscreen = false;
  int32_t frames = 0;  // 0: run until the window closes

  // Desktop settings given on the command line; they win over qv.ini.
  bool windowed = false;  // --windowed: not fullscreen, whatever qv.ini says
  bool mute = false;
  std::optional<int32_t> effectsVolume;  // 0..100
  std::optional<int32_t> musicVolume;    // 0..100
  std::string soundFont;
  std::string configFile;  // empty: $XDG_CONFIG_HOME/qv/qv.ini
  std::string language;    // --language: empty = qv.ini's, else Japanese

  // Recordings and replays (see the README's "Recordings" and "Reporting a bug").
  std::string record;       // --record FILE: write down this run
  std::string replay;       // --replay FILE: play a recording back
  bool fast = false;        // --fast: the window runs the timer as fast as it can
  std::string snapshotDir;  // --snapshot-dir DIR: SIGUSR1 writes the picture and a dump there
  std::string bugReport;    // --bug-report FILE: pack what a bug report needs into FILE

  // Checks of a scripted test run (see script_runner.h).
  bool checkTexts = false;    // --check-texts: every text on screen fits and is translated
  std::string goldenDir;      // --golden-dir DIR: screenshots compared with DIR's pictures
  bool updateGolden = false;  // --update-golden: screenshots written to the golden folder
};

constexpr int32_t kMaxScale = 16;
constexpr int32_t kMaxFrames = 1'000'000;

// Parses the arguments after the program name ("--seed 5" and "--seed=5" alike).
Result<Options> ParseCommandLine(std::span<const std::string_view> args);

// The --help text, every option with one line.
std::string UsageText();
// The --version line.
std::string VersionText();

// The folder of the running program (from /proc/self/exe; the current folder if unknown).
std::filesystem::path ProgramDir();

// cg/ and dat/ beside the program; my.dat and 記録.txt there too, or in `dataDir` when given.
Paths GamePaths(const std::filesystem::path& programDir, const std::string& dataDir);

// A seed from the clock for a run without --seed.
uint32_t ClockSeed();

}  // namespace qv::session
