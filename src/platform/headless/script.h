#pragma once
// The headless script: one command a line, parsed completely before anything runs so that a
// bad line is reported before the game starts. Scripts are untrusted: every number is bounded.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/status.h"

namespace qv::headless {

enum class CommandKind {
  Click,       // click X Y [right]: press and release at a window position
  Move,        // move X Y
  Wheel,       // wheel X Y DELTA: the mouse wheel (positive = up)
  Key,         // key NAME: press and release
  Type,        // type TEXT: UTF-8 text for the focused name field
  Ticks,       // ticks N: N timer events on the virtual clock
  Answer,      // answer yes|no: for the next confirmation box
  Screenshot,  // screenshot FILE.png: the whole window picture
  Dump,        // dump [FILE]: the readable state (stdout without a file)
  Expect,      // expect KEY VALUE: the run fails unless the state's KEY reads VALUE
};

struct Command {
  CommandKind kind = CommandKind::Ticks;
  int lineNumber = 0;
  int32_t x = 0, y = 0;
  int32_t amount = 0;  // ticks, wheel delta, key code
  bool flag = false;   // right button; yes
  std::string text;    // typed text, file, expected key
  std::string value;   // expected value
};

struct Script {
  std::vector<Command> commands;
};

// Limits on what a script may ask for.
constexpr int32_t kMaxTicksPerLine = 1'000'000;
constexpr int32_t kMaxWheelDelta = 100;
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kMaxScriptBytes = 4 * 1024 * 1024;

// Parses the text of a script; `name` appears in the failure, which names the line.
Result<Script> ParseScript(std::string_view text, std::string_view name = "script");
// Reads and parses a script file; a missing or unreadable file fails like a bad line.
Result<Script> LoadScript(const std::filesystem::path& path);

}  // namespace qv::headless
