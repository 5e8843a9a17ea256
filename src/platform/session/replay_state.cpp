#include "platform/session/replay_state.h"

#include <algorithm>

#include "persist/save_file.h"

namespace qv::session {

std::vector<std::string> SaveLinesNow(const Game& g) {
  // The writer stores the check value into the state it writes; a copy keeps the running
  // game exactly as it was, so that recording never changes play.
  auto copy = std::make_unique<GameState>(g.state);
  return SplitSaveText(persist::SaveFileText(*copy));
}

uint64_t HashSaveLines(const std::vector<std::string>& lines) {
  uint64_t h = 0xcbf29ce484222325ULL;
  auto add = [&h](unsigned char c) {
    h ^= c;
    h *= 0x100000001b3ULL;
  };
  for (const std::string& line : lines) {
    for (char c : line) add(static_cast<unsigned char>(c));
    add('\r');
    add('\n');
  }
  return h;
}

std::vector<SaveLineChange> ChangedLines(const std::vector<std::string>& before,
                                         const std::vector<std::string>& now) {
  std::vector<SaveLineChange> changes;
  const size_t n = std::max(before.size(), now.size());
  static const std::string kEmpty;
  for (size_t i = 0; i < n; ++i) {
    const std::string& a = i < before.size() ? before[i] : kEmpty;
    const std::string& b = i < now.size() ? now[i] : kEmpty;
    if (a != b) changes.push_back({static_cast<int32_t>(i + 1), b});
  }
  return changes;
}

void ApplyChanges(std::vector<std::string>& lines, const std::vector<SaveLineChange>& changes) {
  for (const SaveLineChange& c : changes) {
    if (c.line < 1 || c.line > kMaxSaveLineNumber) continue;
    const size_t i = static_cast<size_t>(c.line - 1);
    if (i >= lines.size()) lines.resize(i + 1);
    lines[i] = c.value;
  }
}

std::vector<std::string> SplitSaveText(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
  }
  return lines;
}

}  // namespace qv::session
