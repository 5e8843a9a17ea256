#include "platform/session/command_line.h"

#include <charconv>
#include <chrono>

#include "files/status.h"
#include "platform/settings.h"

namespace qv::session {
namespace {

bool ParseNumber(std::string_view s, int64_t lo, int64_t hi, int64_t& out) {
  const char* end = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(s.data(), end, out);
  return ec == std::errc() && ptr == end && !s.empty() && out >= lo && out <= hi;
}

// The desktop's own options: window, sound and the settings file.
bool IsDesktopValueOption(std::string_view arg) {
  return arg == "--effects-volume" || arg == "--music-volume" || arg == "--soundfont" ||
         arg == "--config";
}

bool IsDesktopOption(std::string_view arg) {
  return IsDesktopValueOption(arg) || arg == "--windowed" || arg == "--mute";
}

Status ParseDesktopOption(std::string_view arg, std::string_view value, Options& o) {
  int64_t n = 0;
  if (arg == "--windowed") {
    o.windowed = true;
  } else if (arg == "--mute") {
    o.mute = true;
  } else if (arg == "--effects-volume" || arg == "--music-volume") {
    if (!ParseNumber(value, 0, 100, n)) {
      return Failure(std::string(arg) + " needs a number in 0..100, not '" + std::string(value) +
                     "'");
    }
    (arg == "--music-volume" ? o.musicVolume : o.effectsVolume) = static_cast<int32_t>(n);
  } else {
    if (value.empty()) return Failure(std::string(arg) + " needs a path");
    (arg == "--soundfont" ? o.soundFont : o.configFile) = value;
  }
  return {};
}

// Recording and replaying runs.
bool IsReplayValueOption(std::string_view arg) {
  return arg == "--record" || arg == "--replay" || arg == "--snapshot-dir" || arg == "--bug-report";
}

bool IsReplayOption(std::string_view arg) {
  return IsReplayValueOption(arg) || arg == "--fast";
}

Status ParseReplayOption(std::string_view arg, std::string_view value, Options& o) {
  if (arg == "--fast") {
    o.fast = true;
    return {};
  }
  if (value.empty()) return Failure(std::string(arg) + " needs a path");
  (arg == "--record"       ? o.record
   : arg == "--replay"     ? o.replay
   : arg == "--bug-report" ? o.bugReport
                           : o.snapshotDir) = value;
  return {};
}

// Options that cannot go together with a replay or a recording.
Status CheckReplayOptions(const Options& o) {
  if (!o.bugReport.empty() && (o.headless || !o.record.empty() || !o.replay.empty())) {
    return Failure(
        "--bug-report packs the last play's files and plays nothing itself (drop "
        "--headless, --script, --record and --replay)");
  }
  if (!o.record.empty() && !o.replay.empty()) {
    return Failure("--record and --replay exclude each other");
  }
  if (o.replay.empty()) return {};
  if (!o.script.empty()) return Failure("--replay plays a recording, not a script (drop --script)");
  if (o.seed) return Failure("--replay takes its seed from the recording (drop --seed)");
  return {};
}

}  // namespace

Result<Options> ParseCommandLine(std::span<const std::string_view> args) {
  Options o;
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
                            arg == "--scale" || arg == "--frames" || arg == "--language" ||
                            arg == "--golden-dir" || IsDesktopValueOption(arg) ||
                            IsReplayValueOption(arg);
    if (takesValue && !hasValue) {
      if (i + 1 >= args.size()) {
        return Failure(std::string(arg) + " needs a value");
      }
      value = args[++i];
    } else if (!takesValue && hasValue) {
      return Failure(std::string(arg) + " takes no value");
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
        return Failure("--seed needs a number in 0..4294967295, not '" + std::string(value) + "'");
      }
      o.seed = static_cast<uint32_t>(n);
    } else if (arg == "--scale") {
      if (!ParseNumber(value, 1, kMaxScale, n)) {
        return Failure("--scale needs a number in 1..16, not '" + std::string(value) + "'");
      }
      o.scale = static_cast<int32_t>(n);
    } else if (arg == "--frames") {
      if (!ParseNumber(value, 1, kMaxFrames, n)) {
        return Failure("--frames needs a number in 1..1000000, not '" + std::string(value) + "'");
      }
      o.frames = static_cast<int32_t>(n);
    } else if (arg == "--check-texts") {
      o.checkTexts = true;
    } else if (arg == "--update-golden") {
      o.updateGolden = true;
    } else if (arg == "--golden-dir") {
      if (value.empty()) {
        return Failure("--golden-dir needs a path");
      }
      o.goldenDir = value;
    } else if (arg == "--language") {
      if (value.empty()) {
        return Failure("--language needs a language (ja, en, ...)");
      }
      // Named back to the player as qv.ini's values are: never raw bytes on the terminal.
      if (!platform::IsLanguageCode(value)) {
        return Failure("--language: '" + platform::Printable(value) +
                       "' is not a language code (ja, en, ...)");
      }
      o.language = value;
    } else if (arg == "--data-dir" || arg == "--script") {
      if (value.empty()) {
        return Failure(std::string(arg) + " needs a path");
      }
      (arg == "--script" ? o.script : o.dataDir) = value;
    } else if (IsDesktopOption(arg) || IsReplayOption(arg)) {
      const Status parsed = IsDesktopOption(arg) ? ParseDesktopOption(arg, value, o)
                                                 : ParseReplayOption(arg, value, o);
      if (!parsed.ok()) return parsed;
    } else {
      return Failure("unknown option '" + std::string(args[i]) + "' (see --help)");
    }
  }
  if (!o.script.empty()) o.headless = true;
  if (o.headless && o.script.empty() && o.replay.empty() && !o.help && !o.version) {
    return Failure("--headless needs --script FILE (or --replay FILE)");
  }
  if ((o.checkTexts || !o.goldenDir.empty() || o.updateGolden) && o.script.empty()) {
    return Failure(
        "--check-texts, --golden-dir and --update-golden check a scripted run (add --script)");
  }
  if (o.updateGolden && o.goldenDir.empty()) return Failure("--update-golden needs --golden-dir");
  if (Status replay = CheckReplayOptions(o); !replay.ok()) return replay;
  return o;
}

std::string UsageText() {
  return "Usage: qv [options]\n"  // not shown: the terminal's help is in English

         "Q.V., a role-playing game on an island, in one 640x480 window.\n"
         "\n"
         "Options:\n"
         "  --scale N         show the picture N times larger (1..16; default: the largest\n"
         "                    that fits the desktop)\n"
         "  --fullscreen      start in fullscreen (F11 or Alt+Enter switches at any time)\n"
         "  --windowed        start in a window, whatever the settings file says\n"
         "  --seed N          seed the random generator with N (0..4294967295) instead of\n"
         "                    the clock, so that a run can be repeated\n"
         "  --data-dir DIR    keep the save (my.dat) and the record (記録.txt) in DIR (see\n"
         "                    Files below for where they go otherwise)\n"
         "  --effects-volume N  volume of the sound effects (0..100)\n"
         "  --music-volume N  volume of the music (0..100)\n"
         "  --mute            start with the sound off (Ctrl+M switches)\n"
         "  --soundfont FILE  the General MIDI soundfont for the MIDI tune\n"
         "  --config FILE     read and keep the settings in FILE instead of qv.ini\n"
         "  --language LANG   the language of the game's texts: ja (the game's own Japanese,\n"
         "                    the default), en (English), or another installed catalog;\n"
         "                    'language = en' in qv.ini chooses it for every windowed run\n"
         "  --headless        run without a window, driven by a script (needs --script)\n"
         "  --script FILE     the script of a headless run (implies --headless)\n"
         "  --frames N        quit after N frames have been shown (for smoke tests)\n"
         "  --record FILE     write this run down (seed, start save, every input) in FILE;\n"
         "                    attach it to a bug report\n"
         "  --replay FILE     play a recording back (with --headless: without a window) and\n"
         "                    check the saved state against it as it goes\n"
         "  --bug-report FILE  pack the version, the settings, the save, the record, the last\n"
         "                    session's terminal lines, the recording of the last play and\n"
         "                    a picture of where it ends into the tar archive FILE, to attach\n"
         "                    to a bug report (nothing is sent anywhere); with --data-dir DIR,\n"
         "                    the play kept in DIR\n"
         "  --fast            run the timer as fast as frames can be shown, not at the game's\n"
         "                    pace (windowed replays and tests)\n"
         "  --snapshot-dir DIR  (tests) on SIGUSR1, write the picture and a state dump to DIR\n"
         "  --check-texts     (tests) fail a scripted run when a panel hides a text line, or\n"
         "                    a text on the screen does not fit its place or has no\n"
         "                    translation\n"
         "  --golden-dir DIR  (tests) compare every screenshot of a script with DIR's picture\n"
         "                    of the same name; --update-golden writes them there instead\n"
         "  --help            show this help\n"
         "  --version         show the version\n"
         "\n"
         "Keys (besides the game's own):\n"
         "  F11, Alt+Enter    fullscreen or back to the window\n"
         "  F12               save a screenshot (PNG) of the picture\n"
         "  Ctrl+M            sound off and on\n"
         "  Ctrl+Up/Down      louder or softer\n"
         "\n"
         "Files:\n"
         "  cg/, dat/         the game's pictures, sounds and name list: beside the program,\n"
         "                    or in PREFIX/share/qv for an installed copy (read only)\n"
         "  my.dat, 記録.txt  the save and the record: beside the program when its folder is\n"
         "                    writable (my.dat in dat/), otherwise in $XDG_DATA_HOME/qv\n"
         "                    (~/.local/share/qv); --data-dir DIR puts them in DIR\n"
         "  qv.ini            the settings: $XDG_CONFIG_HOME/qv/qv.ini (~/.config/qv/qv.ini),\n"
         "                    made with comments on the first run\n"
         "  MIXER.INI         the sound mixer's settings: beside the program and in\n"
         "                    $XDG_CONFIG_HOME/qv (or where qv.ini says)\n"
         "  screenshots       in $XDG_PICTURES_DIR (~/Pictures), or the save's folder\n"
         "  last-play.qvr     the recording of the last play and its terminal lines\n"
         "  last-session.log  (for --bug-report), beside the save\n"
         "\n"
         "Script lines: click X Y [right] | move X Y | wheel X Y DELTA | key NAME |\n"
         "  type TEXT | ticks N | answer yes|no | screenshot FILE.png | dump [FILE] |\n"
         "  expect KEY VALUE | # comment\n"
         "\n"
         "Exit status: 0 ok, 1 an expectation failed, 2 bad command line or script,\n"
         "  3 a file could not be written, 4 the window could not be opened.\n";
}

std::string VersionText() {
  return "qv 1.7 (Q.V. ver1.7 for Linux)\n";
}

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

}  // namespace qv::session
