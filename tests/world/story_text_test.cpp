// The island's story as the scenes read it: every scene's length and opening words, the
// player's name where the scenes speak it, lines that fit on one row, and a story file that
// is damaged in every way we could think of.
#include "world/story_text.h"

#include <gtest/gtest.h>

#include "core/embedded.h"
#include "core/text.h"

namespace qv::world {
namespace {

constexpr const char* kNameMark = "\x01";  // stands for the player's name in the tables below

// A UTF-8 expectation with the name put in.
std::string Expect(const char* utf8, const std::string& name) {
  std::string out;
  std::string_view text = utf8;
  for (;;) {
    const size_t at = text.find(kNameMark);
    out += *Utf8ToCp932(text.substr(0, at));
    if (at == text.npos) return out;
    out += name;
    text.remove_prefix(at + 1);
  }
}

struct SceneCase {
  int32_t code;
  Visit visit;
  size_t dialogue;
  size_t victory;
  const char* firstLine;
};

const SceneCase kScenes[] = {
    {2, Visit::First, 7, 5, "山男「オレの名は、ヤマオ。"},
    {2, Visit::Return, 8, 6, "山男「おまえか、\x01...."},
    {3, Visit::First, 8, 7, "奥博士「ん？　君は？"},
    {3, Visit::Return, 8, 6, "奥博士「やあ、久しぶりだね\x01...."},
    {4, Visit::First, 9, 14, "小さい女の子が湖の上に立っている...."},
    {4, Visit::Return, 6, 6, "小さい女の子が湖の上に立っている...."},
    {5, Visit::First, 12, 4, "背の高い青年が立っている...."},
    {5, Visit::Return, 8, 6, "背の高い青年が立っている...."},
    {6, Visit::First, 8, 3, "マジカル「....この魔力は...."},
    {6, Visit::Return, 6, 6, "マジカル「よく戻ってきましたね"},
    {7, Visit::First, 12, 6, "緑「こんな所に人が来るとはな"},
    {7, Visit::Return, 8, 36, "緑「グヘヘヘヘヘヘヘヘヘヘヘヘ"},
    {8, Visit::Only, 8, 10, "毒蛾博士「ギョヘヘヘヘヘ！！！"},
    {9, Visit::Only, 7, 8, "ボウケンロボット「ワタシハ、ボウケンロボット"},
    {10, Visit::Only, 7, 5, "暗黒剣士ヨイヤミ「闇……闇……闇……"},
    {11, Visit::Only, 7, 4, "ファトマ「汝、私が見えるのか？"},
    {12, Visit::Only, 5, 24, "島「\x01よ...."},
    {13, Visit::Only, 17, 13, "天界からの使者「\x01よ....、よくぞ星士として覚醒した"},
    {14, Visit::Only, 5, 9, "時数露不「グガァァァァァァァァ……！！！！！"},
    {15, Visit::Only, 5, 2, "汐見カナメ「……諸行無常……"},
    {16, Visit::Only, 5, 2, "ｎｏｅｌ「……悲しみに終わりなんてない……"},
    {17, Visit::Only, 3, 2, "緑「……待ってたぜ……"},
    {18, Visit::Only, 3, 2, "山男「……山よ……！！！"},
    {19, Visit::Only, 4, 2, "光「\x01、やっと来たか"},
};

struct ChapterCase {
  int32_t id;
  size_t lines;
  const char* firstLine;
};

const ChapterCase kChapters[] = {
    {30, 32, "走り出した馬よ、駈け出した狼よ"},
    {31, 16, "自分の運命を呪ってはいまいか？"},
    {32, 17, "\x01...."},
    {33, 17, "この島の創造主について、私が語るべきか否か、私は迷っていた"},
    {34, 9, "カーレオ、聞こえるか、カーレオ"},
    {35, 9, "ファトマめ、また何かを始めたな"},
    {36, 8, "なんと不都合な世界"},
    {37, 8, "君が誰なのか、ようやく分かった"},
    {38, 24, "おい……!!"},
};

class StoryText : public ::testing::Test {
 protected:
  const std::string name = Sjis("カイ");
};

TEST_F(StoryText, TheEmbeddedStoryIsWhole) {
  for (const std::string& p : StoryProblems()) ADD_FAILURE() << p;
}

TEST_F(StoryText, EveryEncounterHasItsLengthAndOpening) {
  for (const SceneCase& c : kScenes) {
    SCOPED_TRACE(SceneKey(c.code, c.visit, false));
    const std::vector<std::string> talk = StoryDialogue(c.code, c.visit, name);
    ASSERT_EQ(talk.size(), c.dialogue);
    EXPECT_EQ(talk[0], Expect(c.firstLine, name));
    EXPECT_EQ(StoryVictory(c.code, c.visit, name).size(), c.victory);
  }
  // A place has either a first and a return fight or a single one, never both kinds.
  EXPECT_TRUE(StoryDialogue(8, Visit::First, name).empty());
  EXPECT_TRUE(StoryVictory(2, Visit::Only, name).empty());
  EXPECT_TRUE(StoryDialogue(20, Visit::Only, name).empty());
}

TEST_F(StoryText, EveryChapterHasItsLengthOpeningAndClosingPause) {
  for (const ChapterCase& c : kChapters) {
    SCOPED_TRACE(c.id);
    const std::vector<std::string> lines = StoryChapter(c.id, name);
    ASSERT_EQ(lines.size(), c.lines);
    EXPECT_EQ(lines.front(), Expect(c.firstLine, name));
    EXPECT_EQ(lines.back(), " ");
  }
  EXPECT_TRUE(StoryChapter(29, name).empty());
  EXPECT_TRUE(StoryChapter(39, name).empty());
}

TEST_F(StoryText, TheOpeningWelcomesAndWakesThePlayer) {
  const std::vector<std::string> lines = StoryOpening(name);
  ASSERT_EQ(lines.size(), 36u);
  EXPECT_EQ(lines[0], Sjis("ようこそ。島へ"));
  EXPECT_EQ(lines[1], Sjis("私は、島そのものだ。"));
  EXPECT_EQ(lines[33], Sjis("....") + name + Sjis("は目を覚ました"));
  EXPECT_EQ(lines[34], Sjis("....そこは島だった。"));
  EXPECT_EQ(lines[35], " ");
}

TEST_F(StoryText, TheShipsCaptainTellsThePlayerToComeBack) {
  const std::vector<std::string> lines = StoryVictory(11, Visit::Only, name);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], Sjis("汝の心、しかと見た"));
  EXPECT_EQ(lines[1], Sjis("貴君を冒険者と認めよう！！"));
  EXPECT_EQ(lines[2], Sjis("再び、この船を見かけたら寄っていきなさい。"));
}

// A name of 16 bytes is the longest the name field takes; every line must still fit one row
// and be text the game can draw.
TEST_F(StoryText, EveryLineFitsOneRowWithTheLongestName) {
  const std::string longest = Sjis("あいうえおかきく");
  ASSERT_EQ(longest.size(), 16u);
  const StoryBook book = ParseStory(EmbeddedText("story.txt"));
  ASSERT_TRUE(book.problems.empty());
  size_t lines = 0;
  for (const auto& [key, section] : book.sections) {
    for (const std::string& line : StoryLines(book, key, longest)) {
      ++lines;
      EXPECT_LE(line.size(), 72u) << key << ": " << Cp932ToUtf8(line);
      EXPECT_TRUE(IsValidCp932(line)) << key;
      EXPECT_FALSE(line.empty()) << key;  // an empty entry would end the scene early
    }
  }
  EXPECT_EQ(book.sections.size(), 1u + 9u + 48u);
  EXPECT_GT(lines, 500u);
}

// The name is put in as it is, even when it holds the mark itself or bytes that look like it.
TEST_F(StoryText, TheNameIsFilledInOnceAndVerbatim) {
  const StoryBook book = ParseStory("[chapter 30]\n{name}と{name}\n");
  EXPECT_EQ(StoryLines(book, "chapter 30", "{name}")[0], "{name}" + Sjis("と") + "{name}");
  EXPECT_EQ(StoryLines(book, "chapter 30", "")[0], Sjis("と"));
  // A CP932 character whose second byte is '{' must not be taken for a mark.
  const StoryBook tricky = ParseStory("[opening]\nボname}\n");  // ボ is 0x83 0x7B
  EXPECT_EQ(StoryLines(tricky, "opening", "X")[0], "\x83{name}");
}

TEST(StoryFile, HeadersCommentsBlankLinesAndLineEnds) {
  const StoryBook book = ParseStory(
      "# comment\r\n"
      "[opening]\r\n"
      " \r\n"
      "\r\n"
      "  two spaces stay  \r\n"
      "[encounter  4   return   victory]\n"
      "#not text\n"
      "line");
  EXPECT_TRUE(book.problems.empty());
  EXPECT_EQ(StoryLines(book, "opening", ""),
            (std::vector<std::string>{" ", "  two spaces stay  "}));
  EXPECT_EQ(StoryLines(book, SceneKey(4, Visit::Return, true), ""),
            std::vector<std::string>{"line"});
}

TEST(StoryFile, DamageIsReportedAndSkippedNeverFatal) {
  const StoryBook book = ParseStory(
      "stray text before any header\n"
      "more stray text\n"
      "[chapter x]\n"
      "[chapter 99999999999]\n"
      "[chapter 3a]\n"
      "[encounter 2 first dialogue extra]\n"
      "under a bad header\n"
      "[encounter 5 sideways dialogue]\n"
      "[encounter 5 first]\n"
      "[]\n"
      "[chapter 30]\n"
      "kept\n"
      "bad \xFF\xFE utf8\n"
      "\xE2\x82\n"  // cut-off character at the end of a line
      "[chapter 30]\n"
      "second copy\n"
      "[opening]");
  // One report for the stray block, one per bad header, two bad lines, one duplicate.
  EXPECT_EQ(book.problems.size(), 11u);
  EXPECT_EQ(StoryLines(book, "chapter 30", ""), (std::vector<std::string>{"kept", " ", " "}));
  EXPECT_TRUE(book.sections.count("opening"));
  EXPECT_TRUE(StoryLines(book, "opening", "").empty());
  EXPECT_EQ(book.sections.size(), 2u);
}

TEST(StoryFile, CheckingFindsMissingShortLongAndUnclosedScenes) {
  StoryBook empty = ParseStory("");
  CheckStory(empty);
  EXPECT_EQ(empty.problems.size(), 1u + 9u + 48u);  // every section missing

  std::string text = "[chapter 36]\n";
  for (int i = 0; i < 8; ++i) text += "line\n";  // eight lines, but no closing pause
  text += "[chapter 37]\n{name}" + std::string(57, 'x') + "\n";
  StoryBook book = ParseStory(text);
  CheckStory(book);
  auto reported = [&](const std::string& part) {
    for (const std::string& p : book.problems) {
      if (p.find(part) != std::string::npos) return true;
    }
    return false;
  };
  EXPECT_TRUE(reported("[chapter 36] does not end"));
  EXPECT_FALSE(reported("[chapter 36] has"));
  EXPECT_TRUE(reported("[chapter 37] has 1 lines, wants 8"));
  EXPECT_TRUE(reported("[chapter 37] line 1 is longer"));
  EXPECT_TRUE(reported("missing [opening]"));
}

}  // namespace
}  // namespace qv::world
