#include "world/story_text.h"

#include <charconv>

#include "core/embedded.h"
#include "core/text.h"

namespace qv::world {
namespace {

constexpr std::string_view kNameMark = "{name}";
// A text line is drawn on one row of the picture; the name field holds up to 16 bytes.
constexpr size_t kLineBytes = 72;
constexpr size_t kLongestName = 16;

// Every scene the game plays and how many lines it has.
struct SceneSize {
  int32_t code;
  Visit visit;
  int32_t dialogue;
  int32_t victory;
};
constexpr SceneSize kScenes[] = {
    {2, Visit::First, 7, 5},  {2, Visit::Return, 8, 6}, {3, Visit::First, 8, 7},
    {3, Visit::Return, 8, 6}, {4, Visit::First, 9, 14}, {4, Visit::Return, 6, 6},
    {5, Visit::First, 12, 4}, {5, Visit::Return, 8, 6}, {6, Visit::First, 8, 3},
    {6, Visit::Return, 6, 6}, {7, Visit::First, 12, 6}, {7, Visit::Return, 8, 36},
    {8, Visit::Only, 8, 10},  {9, Visit::Only, 7, 8},   {10, Visit::Only, 7, 5},
    {11, Visit::Only, 7, 4},  {12, Visit::Only, 5, 24}, {13, Visit::Only, 17, 13},
    {14, Visit::Only, 5, 9},  {15, Visit::Only, 5, 2},  {16, Visit::Only, 5, 2},
    {17, Visit::Only, 3, 2},  {18, Visit::Only, 3, 2},  {19, Visit::Only, 4, 2},
};

struct ChapterSize {
  int32_t id;
  int32_t lines;
};
constexpr ChapterSize kChapters[] = {{30, 32}, {31, 16}, {32, 17}, {33, 17}, {34, 9},
                                     {35, 9},  {36, 8},  {37, 8},  {38, 24}};
constexpr int32_t kOpeningLines = 36;

const char* VisitWord(Visit v) {
  switch (v) {
    case Visit::First:
      return "first";
    case Visit::Return:
      return "return";
    case Visit::Only:
      return "only";
  }
  return "";
}

bool ParseNumber(std::string_view text, int32_t& out) {
  if (text.empty()) return false;
  const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), out);
  return err == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// The section key of a header's inside ("chapter 31"), or "" when the header is not one of ours.
std::string HeaderKey(std::string_view inside) {
  const std::vector<std::string_view> w = Words(inside);
  int32_t n = 0;
  if (w.size() == 1 && w[0] == "opening") return "opening";
  if (w.size() == 2 && w[0] == "chapter" && ParseNumber(w[1], n))
    return "chapter " + std::to_string(n);
  if (w.size() == 4 && w[0] == "encounter" && ParseNumber(w[1], n) &&
      (w[2] == "first" || w[2] == "return" || w[2] == "only") &&
      (w[3] == "dialogue" || w[3] == "victory")) {
    return "encounter " + std::to_string(n) + " " + std::string(w[2]) + " " + std::string(w[3]);
  }
  return "";
}

// Splits a UTF-8 text line at its name marks and converts each piece to CP932.
bool ConvertLine(std::string_view utf8, StoryLine& line) {
  size_t from = 0;
  for (;;) {
    const size_t at = utf8.find(kNameMark, from);
    const std::optional<std::string> piece =
        Utf8ToCp932(utf8.substr(from, at == utf8.npos ? utf8.npos : at - from));
    if (!piece) return false;
    line.pieces.push_back(*piece);
    if (at == utf8.npos) return true;
    from = at + kNameMark.size();
  }
}

std::string Fill(const StoryLine& line, std::string_view name) {
  std::string out;
  for (size_t i = 0; i < line.pieces.size(); ++i) {
    if (i > 0) out += name;
    out += line.pieces[i];
  }
  return out;
}

void CheckSection(StoryBook& book, const std::string& key, int32_t lines) {
  const auto found = book.sections.find(key);
  if (found == book.sections.end()) {
    book.problems.push_back("missing [" + key + "]");
    return;
  }
  if (static_cast<int32_t>(found->second.size()) != lines) {
    book.problems.push_back("[" + key + "] has " + std::to_string(found->second.size()) +
                            " lines, wants " + std::to_string(lines));
  }
}

const StoryBook& Embedded() {
  static const StoryBook book = [] {
    StoryBook b = ParseStory(EmbeddedText("story.txt"));
    CheckStory(b);
    return b;
  }();
  return book;
}

}  // namespace

StoryBook ParseStory(std::string_view utf8) {
  StoryBook book;
  std::vector<StoryLine>* section = nullptr;
  bool skipping = false;  // inside a section whose header was refused
  int32_t lineNo = 0;
  size_t from = 0;
  while (from < utf8.size()) {
    size_t end = utf8.find('\n', from);
    if (end == utf8.npos) end = utf8.size();
    std::string_view text = utf8.substr(from, end - from);
    from = end + 1;
    ++lineNo;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    // Blank lines only separate sections: an empty line in a scene would end it early.
    if (text.empty() || text.front() == '#') continue;
    const std::string where = "line " + std::to_string(lineNo) + ": ";
    if (text.front() == '[' && text.back() == ']') {
      const std::string key = HeaderKey(text.substr(1, text.size() - 2));
      section = nullptr;
      skipping = true;
      if (key.empty()) {
        book.problems.push_back(where + "unknown section " + std::string(text));
      } else if (book.sections.count(key)) {
        book.problems.push_back(where + "[" + key + "] appears twice; the first one is kept");
      } else {
        section = &book.sections[key];
        skipping = false;
      }
      continue;
    }
    if (!section) {
      if (!skipping) book.problems.push_back(where + "text outside any section");
      skipping = true;
      continue;
    }
    StoryLine line;
    if (!ConvertLine(text, line)) {
      book.problems.push_back(where + "not UTF-8 or has no CP932 form");
      // The scene keeps its length; the line shows as a pause.
      line.pieces = {" "};
    }
    section->push_back(std::move(line));
  }
  return book;
}

void CheckStory(StoryBook& book) {
  CheckSection(book, "opening", kOpeningLines);
  for (const ChapterSize& c : kChapters)
    CheckSection(book, "chapter " + std::to_string(c.id), c.lines);
  for (const SceneSize& s : kScenes) {
    CheckSection(book, SceneKey(s.code, s.visit, false), s.dialogue);
    CheckSection(book, SceneKey(s.code, s.visit, true), s.victory);
  }
  const std::string longestName(kLongestName, 'W');
  for (const auto& [key, lines] : book.sections) {
    for (size_t i = 0; i < lines.size(); ++i) {
      if (Fill(lines[i], longestName).size() > kLineBytes) {
        book.problems.push_back("[" + key + "] line " + std::to_string(i + 1) + " is longer than " +
                                std::to_string(kLineBytes) + " bytes");
      }
    }
  }
  for (const ChapterSize& c : kChapters) {
    const auto found = book.sections.find("chapter " + std::to_string(c.id));
    if (found != book.sections.end() &&
        (found->second.empty() || Fill(found->second.back(), "") != " ")) {
      book.problems.push_back("[" + found->first + "] does not end with a line holding one space");
    }
  }
}

const StoryBook& TheStory() {
  return Embedded();
}

std::vector<std::string> StoryLines(const StoryBook& book, const std::string& key,
                                    std::string_view playerName) {
  std::vector<std::string> out;
  const auto found = book.sections.find(key);
  if (found == book.sections.end()) return out;
  out.reserve(found->second.size());
  for (const StoryLine& line : found->second) out.push_back(Fill(line, playerName));
  return out;
}

std::string SceneKey(int32_t code, Visit visit, bool victory) {
  return "encounter " + std::to_string(code) + " " + VisitWord(visit) +
         (victory ? " victory" : " dialogue");
}

std::vector<std::string> StoryOpening(std::string_view playerName) {
  return StoryLines(Embedded(), "opening", playerName);
}

std::vector<std::string> StoryChapter(int32_t id, std::string_view playerName) {
  return StoryLines(Embedded(), "chapter " + std::to_string(id), playerName);
}

std::vector<std::string> StoryDialogue(int32_t code, Visit visit, std::string_view playerName) {
  return StoryLines(Embedded(), SceneKey(code, visit, false), playerName);
}

std::vector<std::string> StoryVictory(int32_t code, Visit visit, std::string_view playerName) {
  return StoryLines(Embedded(), SceneKey(code, visit, true), playerName);
}

const std::vector<std::string>& StoryProblems() {
  return Embedded().problems;
}

}  // namespace qv::world
