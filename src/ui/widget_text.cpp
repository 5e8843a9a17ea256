#include "ui/widget_text.h"

#include <algorithm>

#include "core/text.h"

namespace qv::ui {
namespace {

size_t NextUtf8(std::string_view s, size_t i) {
  size_t n = i + 1;
  while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
  return n;
}

void WrapLine(gfx::Canvas& c, std::string_view line, int32_t width, std::vector<std::string>& out) {
  while (!line.empty()) {
    size_t end = 0, lastSpace = 0;
    while (end < line.size()) {
      const size_t next = NextUtf8(line, end);
      if (end > 0 && c.TextWidth(line.substr(0, next)) > width) break;
      if (line[end] == ' ') lastSpace = next;
      end = next;
    }
    // A break inside a run of Latin letters moves back to the last space when there is one.
    if (end < line.size() && lastSpace > 0 && line[end] != ' ' &&
        static_cast<unsigned char>(line[end]) < 0x80) {
      end = lastSpace;
    }
    out.emplace_back(line.substr(0, end));
    line.remove_prefix(end);
  }
}

// Breaks a line between words only; a word wider than the width stays whole on its own line.
void WrapWords(gfx::Canvas& c, std::string_view line, int32_t width,
               std::vector<std::string>& out) {
  std::string current;
  size_t i = 0;
  // Leading spaces indent the line and are kept.
  while (i < line.size() && line[i] == ' ') current += line[i++];
  const size_t indent = current.size();
  while (i < line.size()) {
    size_t start = i;
    while (i < line.size() && line[i] == ' ') ++i;
    const std::string_view gap = line.substr(start, i - start);
    start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    const std::string_view word = line.substr(start, i - start);
    if (word.empty()) break;
    std::string tried = current;
    if (current.size() > indent) tried += gap;
    tried += word;
    if (current.size() == indent || c.TextWidth(tried) <= width) {
      current = std::move(tried);
      continue;
    }
    out.push_back(std::move(current));
    current = std::string(word);
  }
  out.push_back(std::move(current));
}

// The text's own lines: CR, LF and CR LF each end one.
std::vector<std::string_view> BrokenLines(std::string_view utf8) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= utf8.size()) {
    size_t end = utf8.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = utf8.size();
    lines.push_back(utf8.substr(start, end - start));
    if (end == utf8.size()) break;
    start = end + ((utf8[end] == '\r' && end + 1 < utf8.size() && utf8[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

std::vector<std::string> WordLines(gfx::Canvas& c, std::string_view utf8, int32_t width) {
  std::vector<std::string> out;
  for (const std::string_view line : BrokenLines(utf8)) {
    if (line.empty())
      out.emplace_back();
    else
      WrapWords(c, line, width, out);
  }
  return out;
}

}  // namespace

bool LinesFit(gfx::Canvas& c, const std::vector<std::string>& lines, int32_t width,
              int32_t height) {
  for (const std::string& l : lines) {
    if (c.TextWidth(l) > width) return false;
  }
  const int32_t lineHeight = std::max(c.TextHeight("A"), 1);
  return lines.size() <= 1 || lineHeight * static_cast<int32_t>(lines.size()) <= height;
}

std::vector<std::string> FitLines(gfx::Canvas& c, std::string_view utf8, int32_t width,
                                  int32_t height, int32_t minHeight) {
  for (;;) {
    std::vector<std::string> lines = WordLines(c, utf8, width);
    if (LinesFit(c, lines, width, height) || c.font.height <= minHeight) {
      for (const std::string& l : lines) {
        if (c.TextWidth(l) > width) return LayoutLines(c, utf8, width, true);
      }
      return lines;
    }
    c.font.height -= 1;
  }
}

std::vector<std::string> LayoutLines(gfx::Canvas& c, std::string_view utf8, int32_t width,
                                     bool wrap) {
  std::vector<std::string> out;
  for (const std::string_view line : BrokenLines(utf8)) {
    if (wrap && !line.empty())
      WrapLine(c, line, width, out);
    else
      out.emplace_back(line);
  }
  return out;
}

std::vector<size_t> Cp932Boundaries(std::string_view cp932) {
  std::vector<size_t> out{0};
  for (size_t i = 0; i < cp932.size();) {
    i += Cp932CharLength(cp932, i);
    out.push_back(i);
  }
  return out;
}

}  // namespace qv::ui
