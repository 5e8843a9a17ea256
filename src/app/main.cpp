// qv: the command line chooses the window or a headless scripted run.
#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

#include "platform/headless/command_line.h"
#include "platform/headless/headless_run.h"
#include "platform/headless/script_runner.h"
#include "platform/sdl/sdl_run.h"

int main(int argc, char** argv) {
  using namespace qv;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const headless::ParsedOptions parsed = headless::ParseCommandLine(args);
  if (!parsed.error.empty()) {
    std::cerr << "qv: " << parsed.error << "\nTry 'qv --help'.\n";
    return headless::kExitBadInput;
  }
  const headless::Options& o = parsed.options;
  if (o.help) {
    std::cout << headless::UsageText();
    return headless::kExitOk;
  }
  if (o.version) {
    std::cout << headless::VersionText();
    return headless::kExitOk;
  }

  const std::filesystem::path programDir = headless::ProgramDir();
  const Paths paths = headless::GamePaths(programDir, o.dataDir);
  if (!o.dataDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(paths.saveDir, ec);
    if (ec || !std::filesystem::is_directory(paths.saveDir)) {
      std::cerr << "qv: cannot use " << o.dataDir << " as the data folder"
                << (ec ? ": " + ec.message() : std::string()) << "\n";
      return headless::kExitBadInput;
    }
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(paths.cgDir, ec)) {
    std::cerr << "qv: no pictures in " << paths.cgDir.string()
              << " (the build folder holds the game's cg/ and dat/); playing without them\n";
  }

  const uint32_t seed = o.seed.value_or(headless::ClockSeed());
  if (o.headless) return headless::RunHeadless(o.script, paths, seed, std::cout, std::cerr);
  return sdl::RunWindowed({o.scale, o.fullscreen, o.frames}, paths, programDir, seed, std::cerr);
}
