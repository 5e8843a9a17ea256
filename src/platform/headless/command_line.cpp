#include "platform/headless/command_line.h"

#include <charconv>
#include <chrono>

namespace qv::headless {
namespace {

bool ParseNumber(std::string_view s, int64_t lo, int64_t hi, int64_t& out) {
  const char* end = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(s.data(), end, out);
  return ec == std::errc() && ptr == end && !s.empty() && out >= lo && out <= hi;
}

}  // namespace

ParsedOptions ParseCommandLine(std::span<const std::string_view> args) {
  ParsedOptions r;
  Options& o = r.options;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    std::string_view value;
    bool hasValue = false;
    if (const size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      hasValue = true;
    }
    const bool takesValue = arg == "--seed" || arg == "--data-dir" || arg == "--script" ||
                            arg == "--scale" || arg == "--frames";
    if (takesValue && !hasValue) {
      if (i + 1 >= args.size()) {
        r.error = std::string(arg) + " needs a value";
        return r;
      }
      value = args[++i];
    } else if (!takesValue && hasValue) {
      r.error = std::string(arg) + " takes no value";
      return r;
    }
    int64_t n = 0;
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--fullscreen") {
      o.fullscreen = true;
    } else if (arg == "--seed") {
      if (!ParseNumber(value, 0, UINT32_MAX, n)) {
        r.error = "--seed needs a number in 0..4294967295, not '" + std::string(value) + "'";
        return r;
      }
      o.seed = static_cast<uint32_t>(n);
    } else if (arg == "--scale") {
      if (!ParseNumber(value, 1, kMaxScale, n)) {
        r.error = "--scale needs a number in 1..16, not '" + std::string(value) + "'";
        return r;
      }
      o.scale = static_cast<int32_t>(n);
    } else if (arg == "--frames") {
      if (!ParseNumber(value, 1, kMaxFrames, n)) {
        r.error = "--frames needs a number in 1..1000000, not '" + std::string(value) + "'";
        return r;
      }
      o.frames = static_cast<int32_t>(n);
    } else if (arg == "--data-dir" || arg == "--script") {
      if (value.empty()) {
        r.error = std::string(arg) + " needs a path";
        return r;
      }
      (arg == "--script" ? o.script : o.dataDir) = value;
    } else {
      r.error = "unknown option '" + std::string(args[i]) + "' (see --help)";
      return r;
    }
  }
  if (!o.script.empty()) o.headless = true;
  if (o.headless && o.script.empty() && !o.help && !o.version) {
    r.error = "--headless needs --script FILE";
  }
  return r;
}

std::string UsageText() {
  return "Usage: qv [options]\n"
         "Q.V., a role-playing game on an island, in one 640x480 window.\n"
         "\n"
         "Options:\n"
         "  --scale N         show the picture N times larger (1..16; default: the largest\n"
         "                    that fits the desktop)\n"
         "  --fullscreen      start in fullscreen (Alt+Enter switches at any time)\n"
         "  --seed N          seed the random generator with N (0..4294967295) instead of\n"
         "                    the clock, so that a run can be repeated\n"
         "  --data-dir DIR    keep the save (my.dat) and the record (記録.txt) in DIR instead\n"
         "                    of beside the program\n"
         "  --headless        run without a window, driven by a script (needs --script)\n"
         "  --script FILE     the script of a headless run (implies --headless)\n"
         "  --frames N        quit after N frames have been shown (for smoke tests)\n"
         "  --help            show this help\n"
         "  --version         show the version\n"
         "\n"
         "Script lines: click X Y [right] | move X Y | wheel X Y DELTA | key NAME |\n"
         "  type TEXT | ticks N | answer yes|no | screenshot FILE.png | dump [FILE] |\n"
         "  expect KEY VALUE | # comment\n"
         "\n"
         "Exit status: 0 ok, 1 an expectation failed, 2 bad command line or script,\n"
         "  3 a file could not be written, 4 the window could not be opened.\n";
}

std::string VersionText() { return "qv 1.7 (Q.V. ver1.7 for Linux)\n"; }

std::filesystem::path ProgramDir() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

Paths GamePaths(const std::filesystem::path& programDir, const std::string& dataDir) {
  Paths p;
  p.cgDir = programDir / "cg";
  p.datDir = programDir / "dat";
  p.saveDir = dataDir.empty() ? p.datDir : std::filesystem::path(dataDir);
  p.recordDir = dataDir.empty() ? programDir : std::filesystem::path(dataDir);
  return p;
}

uint32_t ClockSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
  return static_cast<uint32_t>(ns ^ (ns >> 32));
}

}  // namespace qv::headless
