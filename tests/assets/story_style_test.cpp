// How the island's story reads on screen: every speech that opens 「 closes it before the
// next one starts or its scene ends, the pauses are written one way (four dots), except
// in the scenes' fixed opening words, and the talk before a fight fits beside the skill list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/embedded.h"
#include "core/text.h"
#include "world/story_text.h"

namespace qv::world {
namespace {

const std::string kOpen = Sjis("「");
const std::string kClose = Sjis("」");
const std::string kTwoDots = Sjis("…");

// Bytes of the CP932 character starting at `i`, so a trail byte is never taken for the start
// of another character.
size_t CharWidth(const std::string& line, size_t i) {
  const auto lead = static_cast<unsigned char>(line[i]);
  return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
}

bool HasChar(const std::string& line, const std::string& ch) {
  for (size_t i = 0; i < line.size(); i += CharWidth(line, i)) {
    if (line.compare(i, ch.size(), ch) == 0) return true;
  }
  return false;
}

// The 「」 problems of one scene: a speech opened while another is open, a 」 with nothing
// open, or a speech still open when the scene ends.
std::vector<std::string> BracketProblems(const std::string& key,
                                         const std::vector<std::string>& lines) {
  std::vector<std::string> problems;
  bool open = false;
  size_t openedAt = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    for (size_t i = 0; i < line.size(); i += CharWidth(line, i)) {
      if (line.compare(i, kOpen.size(), kOpen) == 0) {
        if (open) {
          problems.push_back(key + " line " + std::to_string(openedAt + 1) +
                             ": speech still open at line " + std::to_string(n + 1));
        }
        open = true;
        openedAt = n;
      } else if (line.compare(i, kClose.size(), kClose) == 0) {
        if (!open) problems.push_back(key + " line " + std::to_string(n + 1) + ": 」 alone");
        open = false;
      }
    }
  }
  if (open) {
    problems.push_back(key + " line " + std::to_string(openedAt + 1) + ": never closed");
  }
  return problems;
}

TEST(StoryStyle, EverySpeechClosesBeforeTheNextOneOrTheSceneEnds) {
  const StoryBook book = ParseStory(EmbeddedText("story.txt"));
  ASSERT_TRUE(book.problems.empty());
  const std::string name = Sjis("カイ");
  for (const auto& [key, section] : book.sections) {
    for (const std::string& p : BracketProblems(key, StoryLines(book, key, name))) {
      ADD_FAILURE() << Cp932ToUtf8(p);
    }
  }
}

TEST(StoryStyle, PausesAreFourDotsOutsideTheFixedOpeningWords) {
  const StoryBook book = ParseStory(EmbeddedText("story.txt"));
  ASSERT_TRUE(book.problems.empty());
  size_t fourDots = 0;
  for (const auto& [key, section] : book.sections) {
    const std::vector<std::string> lines = StoryLines(book, key, Sjis("カイ"));
    for (size_t n = 0; n < lines.size(); ++n) {
      for (size_t from = 0; (from = lines[n].find("....", from)) != std::string::npos; from += 4) {
        ++fourDots;
      }
      // The first line of every scene is given word for word, some with "……" in it.
      if (n == 0) continue;
      EXPECT_FALSE(HasChar(lines[n], kTwoDots))
          << key << " line " << n + 1 << ": " << Cp932ToUtf8(lines[n]);
    }
  }
  EXPECT_GT(fourDots, 100u);
}

// The talk before a fight is still on screen when the skill list covers the picture from
// x = 460: 30 full-width characters of the lines' font, with the longest name (16 bytes).
// A scene's first line is the game's own word for word and stays as it is.
TEST(StoryStyle, TalkBeforeAFightStaysLeftOfTheSkillList) {
  const StoryBook book = ParseStory(EmbeddedText("story.txt"));
  ASSERT_TRUE(book.problems.empty());
  const std::string longestName(16, 'W');
  int checked = 0;
  for (const auto& [key, section] : book.sections) {
    if (key.find("dialogue") == std::string::npos) continue;
    const std::vector<std::string> lines = StoryLines(book, key, longestName);
    for (size_t n = 1; n < lines.size(); ++n) {
      ++checked;
      EXPECT_LE(lines[n].size(), 60u) << key << ": " << Cp932ToUtf8(lines[n]);
    }
  }
  EXPECT_GT(checked, 100);
}

// The checker itself: it must see an unclosed speech, a stray 」 and one left open at the end.
TEST(StoryStyle, TheBracketCheckSeesEveryKindOfSlip) {
  const std::vector<std::string> good = {Sjis("甲「はじめ、"), Sjis("　おわり」"),
                                         Sjis("....地の文")};
  EXPECT_TRUE(BracketProblems("k", good).empty());
  EXPECT_EQ(BracketProblems("k", {Sjis("甲「ひらく"), Sjis("乙「またひらく」")}).size(), 1u);
  EXPECT_EQ(BracketProblems("k", {Sjis("とじる」")}).size(), 1u);
  EXPECT_EQ(BracketProblems("k", {Sjis("甲「ひらいたまま")}).size(), 1u);
  // 「 is 0x81 0x75 and 堰 is 0x89 0x81: 堰 followed by "u" holds those bytes without a 「.
  EXPECT_TRUE(BracketProblems("k", {Sjis("堰") + "u"}).empty());
}

}  // namespace
}  // namespace qv::world
