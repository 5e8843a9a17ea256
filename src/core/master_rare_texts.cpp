#include <charconv>

#include "core/master_tables.h"

namespace qv::master {
namespace {

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<RareText> ParseRareTexts(std::string_view utf8) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (utf8.starts_with(kByteOrderMark)) utf8.remove_prefix(kByteOrderMark.size());

  std::vector<RareText> texts;
  while (!utf8.empty()) {
    const size_t end = utf8.find('\n');
    const std::string_view line = TrimSpaces(utf8.substr(0, end));
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;

    const size_t bar1 = line.find('|');
    if (bar1 == std::string_view::npos) continue;
    const size_t bar2 = line.find('|', bar1 + 1);
    if (bar2 == std::string_view::npos) continue;

    const std::string_view idText = TrimSpaces(line.substr(0, bar1));
    int32_t id = -1;
    const auto [rest, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (error != std::errc() || rest != idText.data() + idText.size() || id < 0 || id >= kPerId) {
      continue;
    }
    const std::string_view text = TrimSpaces(line.substr(bar2 + 1));
    if (text.empty()) continue;
    texts.push_back({id, TrimSpaces(line.substr(bar1 + 1, bar2 - bar1 - 1)), text});
  }
  return texts;
}

}  // namespace qv::master
