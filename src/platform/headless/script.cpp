#include "platform/headless/script.h"

#include <charconv>

#include "core/text.h"
#include "platform/headless/key_names.h"
#include "platform/session/small_file.h"

namespace qv::headless {
namespace {

constexpr int32_t kWindowWidth = 640;
constexpr int32_t kWindowHeight = 480;

// Splits off the first word; `rest` keeps what follows it without the leading blanks.
std::string_view NextWord(std::string_view& rest) {
  size_t start = rest.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  size_t end = rest.find_first_of(" \t");
  std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
  const size_t next = rest.find_first_not_of(" \t");
  rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next);
  return word;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool ParseInt(std::string_view word, int32_t lo, int32_t hi, int32_t& out) {
  int64_t v = 0;
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, v);
  if (ec != std::errc() || ptr != end || v < lo || v > hi) return false;
  out = static_cast<int32_t>(v);
  return true;
}

class Parser {
 public:
  explicit Parser(std::string_view name) : name_(name) {}

  // Parses one line into `cmd`; a bad one fails with "NAME:LINE: why".
  Status ParseLine(std::string_view line, int number, Command& cmd, bool& isCommand);

 private:
  Status Fail(int number, const std::string& why) const {
    return Failure(std::string(name_) + ":" + std::to_string(number) + ": " + why);
  }
  Status Position(std::string_view& rest, int number, Command& cmd) const;

  std::string_view name_;
};

Status Parser::Position(std::string_view& rest, int number, Command& cmd) const {
  const std::string_view xs = NextWord(rest);
  const std::string_view ys = NextWord(rest);
  if (!ParseInt(xs, 0, kWindowWidth - 1, cmd.x) || !ParseInt(ys, 0, kWindowHeight - 1, cmd.y)) {
    return Fail(number, "expected a window position X Y with X in 0..639 and Y in 0..479");
  }
  return {};
}

Status Parser::ParseLine(std::string_view line, int number, Command& cmd, bool& isCommand) {
  isCommand = false;
  if (line.size() > kMaxLineBytes) return Fail(number, "line longer than 4096 bytes");
  line = TrimRight(line);
  std::string_view rest = line;
  const std::string_view word = NextWord(rest);
  if (word.empty() || word[0] == '#') return {};
  isCommand = true;
  cmd = Command{};
  cmd.lineNumber = number;
  auto noMore = [&]() -> Status {
    if (!rest.empty()) return Fail(number, "unexpected '" + std::string(rest) + "'");
    return {};
  };

  if (word == "click") {
    cmd.kind = CommandKind::Click;
    if (Status at = Position(rest, number, cmd); !at.ok()) return at;
    const std::string_view button = NextWord(rest);
    if (button == "right") {
      cmd.flag = true;
    } else if (!button.empty() && button != "left") {
      return Fail(number, "the button after click X Y is 'left' or 'right'");
    }
    return noMore();
  }
  if (word == "move") {
    cmd.kind = CommandKind::Move;
    if (Status at = Position(rest, number, cmd); !at.ok()) return at;
    return noMore();
  }
  if (word == "wheel") {
    cmd.kind = CommandKind::Wheel;
    if (Status at = Position(rest, number, cmd); !at.ok()) return at;
    if (!ParseInt(NextWord(rest), -kMaxWheelDelta, kMaxWheelDelta, cmd.amount)) {
      return Fail(number, "wheel X Y DELTA needs a DELTA in -100..100");
    }
    return noMore();
  }
  if (word == "key") {
    cmd.kind = CommandKind::Key;
    const std::string_view name = NextWord(rest);
    const std::optional<int32_t> code = VirtualKeyFromName(name);
    if (!code) {
      return Fail(number, "unknown key '" + std::string(name) +
                              "' (known: " + std::string(KeyNameList()) + ")");
    }
    cmd.amount = *code;
    return noMore();
  }
  if (word == "type") {
    cmd.kind = CommandKind::Type;
    if (rest.empty()) return Fail(number, "type needs the text to type");
    if (!IsUtf8(rest)) return Fail(number, "the text to type is not UTF-8");
    cmd.text = rest;
    return {};
  }
  if (word == "ticks") {
    cmd.kind = CommandKind::Ticks;
    if (!ParseInt(NextWord(rest), 0, kMaxTicksPerLine, cmd.amount)) {
      return Fail(number, "ticks needs a count in 0..1000000");
    }
    return noMore();
  }
  if (word == "answer") {
    cmd.kind = CommandKind::Answer;
    const std::string_view a = NextWord(rest);
    if (a != "yes" && a != "no") return Fail(number, "answer is 'yes' or 'no'");
    cmd.flag = a == "yes";
    return noMore();
  }
  if (word == "screenshot") {
    cmd.kind = CommandKind::Screenshot;
    if (rest.empty()) return Fail(number, "screenshot needs a file name");
    cmd.text = rest;
    return {};
  }
  if (word == "dump") {
    cmd.kind = CommandKind::Dump;
    cmd.text = rest;
    return {};
  }
  if (word == "expect") {
    cmd.kind = CommandKind::Expect;
    cmd.text = NextWord(rest);
    if (cmd.text.empty() || rest.empty()) return Fail(number, "expect needs a KEY and a VALUE");
    if (!IsUtf8(rest)) return Fail(number, "the expected value is not UTF-8");
    cmd.value = rest;
    return {};
  }
  return Fail(number, "unknown command '" + std::string(word) +
                          "' (known: click, move, wheel, key, type, ticks, answer, screenshot, "
                          "dump, expect)");
}

}  // namespace

Result<Script> ParseScript(std::string_view text, std::string_view name) {
  if (text.size() > kMaxScriptBytes) return Failure(std::string(name) + ": larger than 4 MiB");
  Script script;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  Parser parser(name);
  int number = 0;
  while (!text.empty()) {
    ++number;
    const size_t nl = text.find('\n');
    const std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    Command cmd;
    bool isCommand = false;
    if (Status parsed = parser.ParseLine(line, number, cmd, isCommand); !parsed.ok()) {
      return parsed;
    }
    if (isCommand) script.commands.push_back(std::move(cmd));
  }
  return script;
}

Result<Script> LoadScript(const std::filesystem::path& path) {
  const Result<std::string> text = session::ReadSmallFile(path, kMaxScriptBytes, "script file");
  if (!text.ok()) return text.status();
  return ParseScript(*text, path.string());
}

}  // namespace qv::headless
