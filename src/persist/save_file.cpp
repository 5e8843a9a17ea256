#include "persist/save_file.h"

#include <charconv>

#include "core/text.h"
#include "persist/line_reader.h"
#include "persist/save_layout.h"

namespace qv::persist {

namespace {

// The basic skills whose levels the check value covers.
constexpr int kCheckedSkills = 100;

void AppendNumber(std::string& out, int32_t value) {
  char buffer[16];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, end);
  out += "\r\n";
}

struct Writer {
  std::string& out;

  void Int(int32_t& x) { AppendNumber(out, x); }
  template <size_t N>
  void Ints(std::array<int32_t, N>& xs) {
    for (int32_t x : xs) AppendNumber(out, x);
  }
  void Index(int32_t& x, int32_t) { AppendNumber(out, x); }
  template <size_t N>
  void Indices(std::array<int32_t, N>& xs, int32_t) {
    Ints(xs);
  }
  void Text(std::string& text) {
    // CP932 trail bytes are never below 0x40, so dropping control bytes cannot cut a
    // double-byte character in two.
    for (char c : text) {
      if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    out += "\r\n";
  }
};

struct Reader {
  LineReader lines;
  ParseResult result;

  // The next line, or false (and the error recorded) when reading has stopped.
  bool NextLine(std::string_view& line) {
    if (!result.ok()) return false;
    if (!lines.Next(line)) {
      result = {ParseError::kTooFewLines, lines.lineNumber() + 1, 0};
      return false;
    }
    return true;
  }
  void Int(int32_t& x) {
    std::string_view line;
    if (!NextLine(line)) return;
    int32_t value = 0;
    if (!ParseNumberLine(line, value)) {
      result = {ParseError::kNotANumber, lines.lineNumber(), 0};
      return;
    }
    x = value;
  }
  template <size_t N>
  void Ints(std::array<int32_t, N>& xs) {
    for (int32_t& x : xs) Int(x);
  }
  void Index(int32_t& x, int32_t limit) {
    int32_t value = 0;
    Int(value);
    if (!result.ok()) return;
    x = (value >= 0 && value < limit) ? value : 0;
  }
  template <size_t N>
  void Indices(std::array<int32_t, N>& xs, int32_t limit) {
    for (int32_t& x : xs) Index(x, limit);
  }
  void Text(std::string& text) {
    std::string_view line;
    if (!NextLine(line)) return;
    if (!IsValidCp932(line)) {
      result = {ParseError::kNotCp932, lines.lineNumber(), 0};
      return;
    }
    text.assign(line);
  }
};

}  // namespace

int32_t SaveChecksum(const GameState& s) {
  // Unsigned so the wrap-around is defined whatever the build flags.
  uint32_t sum = 0;
  for (int32_t x : s.owned) sum += static_cast<uint32_t>(x);
  for (int i = 0; i < kCheckedSkills; ++i) sum += static_cast<uint32_t>(s.skillLevel[i]);
  const Combatant& p = s.player();
  for (int32_t x : {s.money, s.bp, s.score, p.attack, p.defense, p.hitRate, p.evadeRate, p.maxHp,
                    p.maxMp, p.maxTp, p.level, p.exp}) {
    sum += static_cast<uint32_t>(x);
  }
  return static_cast<int32_t>(sum);
}

std::string SaveFileText(GameState& s) {
  std::string out;
  out.reserve(size_t{48} * 1024);
  Writer w{out};
  VisitSaveLines(s, w);
  s.checksum = SaveChecksum(s);
  AppendNumber(out, s.checksum);
  return out;
}

ParseResult ParseSaveFile(GameState& s, std::string_view text) {
  Reader r{LineReader(text), {}};
  VisitSaveLines(s, r);
  int32_t stored = 0;
  r.Int(stored);
  if (r.result.ok()) r.result.storedChecksum = stored;
  return r.result;
}

bool ParseNumberLine(std::string_view line, int32_t& value) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) negative = line[i++] == '-';
  const size_t firstDigit = i;
  int64_t magnitude = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (line[i] - '0');
    if (magnitude > int64_t{1} << 31) return false;  // beyond any int32
  }
  if (i == firstDigit) return false;
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT32_MAX) return false;
  value = static_cast<int32_t>(signedValue);
  return true;
}

}  // namespace qv::persist
