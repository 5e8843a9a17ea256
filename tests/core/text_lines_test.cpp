#include "core/text_lines.h"

#include <gtest/gtest.h>

#include "battle/sequencer.h"
#include "core/text.h"
#include "flow/step_machine.h"
#include "support/fake_host.h"

namespace qv {
namespace {

// A CP932 text of n bytes made of full-width characters (plus one 'a' when n is odd).
std::string WideText(size_t n) {
  std::string s;
  while (s.size() + 2 <= n) s += Sjis("あ");
  if (s.size() < n) s += "a";
  return s;
}

const LineEntry& Line(Game& g, int i) {
  return g.text.lines[static_cast<size_t>(i)];
}

TEST(TextLines, DialogueWrapsAfter73Bytes) {
  testing::TestGame t;
  Game& g = t.g();
  AddTextLine(g, WideText(73));
  EXPECT_EQ(Line(g, 0).text.size(), 73u);
  EXPECT_TRUE(Line(g, 1).text.empty());

  ClearTextLines(g);
  AddTextLine(g, WideText(74));
  EXPECT_EQ(Line(g, 1).text, WideText(72));
  EXPECT_EQ(Line(g, 0).text, Sjis("　") + Sjis("あ"));

  // An odd length is padded first, so the tail ends with a space.
  ClearTextLines(g);
  AddTextLine(g, std::string(75, 'x'));
  EXPECT_EQ(Line(g, 1).text, std::string(72, 'x'));
  EXPECT_EQ(Line(g, 0).text, Sjis("　") + "xxx ");

  // The tail is never wrapped again.
  ClearTextLines(g);
  AddTextLine(g, std::string(200, 'y'));
  EXPECT_EQ(Line(g, 0).text.size(), 2u + 128u);
  EXPECT_TRUE(Line(g, 2).text.empty());
}

TEST(TextLines, WrapNeverCutsACharacterInHalf) {
  testing::TestGame t;
  Game& g = t.g();
  // 'a' then full-width characters: byte 72 is the first half of a character.
  const std::string text = "a" + WideText(76);
  AddTextLine(g, text);
  EXPECT_EQ(Line(g, 1).text, "a" + WideText(70));
  EXPECT_TRUE(IsValidCp932(Line(g, 1).text));
  EXPECT_TRUE(IsValidCp932(Line(g, 0).text));
  EXPECT_EQ(Line(g, 1).text.size() + Line(g, 0).text.size() - 2, text.size() + 1);  // + padding
}

TEST(TextLines, LogWrapsAfter79BytesInOneColour) {
  testing::TestGame t;
  Game& g = t.g();
  AddLogLine(g, std::string(79, 'z'), "green");
  EXPECT_EQ(Line(g, 0).text.size(), 79u);
  EXPECT_EQ(Line(g, 0).colourCode, 301);

  AddLogLine(g, WideText(80), "rainbow");
  EXPECT_EQ(Line(g, 1).text, WideText(78));
  EXPECT_EQ(Line(g, 0).text, Sjis("　") + Sjis("あ"));
  EXPECT_EQ(Line(g, 0).colourCode, 313);
  EXPECT_EQ(Line(g, 1).colourCode, 313);
}

TEST(TextLines, ColourNamesAreExactAndUnknownOnesGetCodeFour) {
  EXPECT_EQ(ColourCodeOf("green"), 301);
  EXPECT_EQ(ColourCodeOf("aqua"), 306);
  EXPECT_EQ(ColourCodeOf("pink2"), 310);
  EXPECT_EQ(ColourCodeOf("blue2"), 312);
  EXPECT_EQ(ColourCodeOf("rainbow"), 313);
  EXPECT_EQ(ColourCodeOf("Green"), 4);
  EXPECT_EQ(ColourCodeOf("white"), 4);
  EXPECT_EQ(ColourCodeOf(""), 4);
}

TEST(TextLines, PushesScrollThroughTwentyOneEntries) {
  testing::TestGame t;
  Game& g = t.g();
  for (int i = 0; i < 22; ++i) AddLogLine(g, "line" + std::to_string(i), "red");
  // The first line fell off the end; the second sits in the hidden last entry.
  EXPECT_EQ(Line(g, 0).text, "line21");
  EXPECT_EQ(Line(g, 20).text, "line1");
  for (const LineEntry& e : g.text.lines) EXPECT_NE(e.text, "line0");

  ClearTextLines(g);
  EXPECT_TRUE(Line(g, 0).text.empty());
  EXPECT_TRUE(Line(g, 19).text.empty());
  EXPECT_EQ(Line(g, 20).text, "line1");  // never cleared
}

TEST(TextLines, ClosingWindowStopsEveryLineOperation) {
  testing::TestGame t;
  Game& g = t.g();
  AddTextLine(g, "kept");
  g.text.formActive = -1;
  AddTextLine(g, "a");
  AddTextLineRaw(g, "b");
  AddLogLine(g, "c", "red");
  ClearTextLines(g);
  EXPECT_EQ(Line(g, 0).text, "kept");
  EXPECT_TRUE(Line(g, 1).text.empty());
  EXPECT_EQ(g.battle.paused, 0);
}

TEST(TextLines, RawLineWaitsForOneClick) {
  testing::TestGame t;
  Game& g = t.g();
  EXPECT_FALSE(ContinueOnClick(g));
  AddTextLineRaw(g, "wait");
  EXPECT_EQ(g.battle.paused, 1);
  EXPECT_TRUE(ContinueOnClick(g));
  EXPECT_EQ(g.battle.paused, 0);
}

TEST(Popups, RoundRobinOverwritesTheOldest) {
  testing::TestGame t;
  Game& g = t.g();
  for (int i = 0; i < 100; ++i) SpawnPopup(g, i, 0, 161, "");
  // The cursor starts at 0, so the first pop-up went into slot 1 and the hundredth into slot 0.
  EXPECT_EQ(g.text.popups[1].x, 0);
  EXPECT_EQ(g.text.popups[0].x, 99);
  g.text.popups[1].stateA = 7;
  g.text.popups[1].scratch[0] = 1;
  SpawnPopup(g, 500, 0, 140, "");
  EXPECT_EQ(g.text.popupCursor, 1);
  EXPECT_EQ(g.text.popups[1].x, 500);
  EXPECT_EQ(g.text.popups[1].type, 140);
  EXPECT_EQ(g.text.popups[1].age, 1);
  EXPECT_EQ(g.text.popups[1].stateA, 0);
  EXPECT_EQ(g.text.popups[1].scratch[0], 0);

  ClearPopups(g);
  for (const PopupSlot& p : g.text.popups) EXPECT_LT(p.age, 1);
  EXPECT_EQ(g.text.popupCursor, 0);
}

TEST(Popups, NumbersAreAnchoredAboveAndRightOfTheirPoint) {
  testing::TestGame t;
  Game& g = t.g();
  for (int type : {16, 17, 18, 19}) {
    SpawnPopup(g, 100, 100, type, "12");
    EXPECT_EQ(g.text.popups[static_cast<size_t>(g.text.popupCursor)].x, 110) << type;
    EXPECT_EQ(g.text.popups[static_cast<size_t>(g.text.popupCursor)].y, 75) << type;
  }
  SpawnPopup(g, 100, 100, 20, "+5pt.");
  EXPECT_EQ(g.text.popups[static_cast<size_t>(g.text.popupCursor)].y, 100);
}

TEST(Popups, SidePopupsLandNearTheirPanel) {
  testing::TestGame t;
  Game& g = t.g();
  {
    testing::PinRolls pin(g, RollMode::Lowest);
    SpawnSidePopup(g, 0, 20, "a");
    EXPECT_EQ(g.text.popups[1].x, 100);
    EXPECT_EQ(g.text.popups[1].y, 390);
  }
  {
    testing::PinRolls pin(g, RollMode::Highest);
    SpawnSidePopup(g, 1, 20, "b");
    EXPECT_EQ(g.text.popups[2].x, 149);
    EXPECT_EQ(g.text.popups[2].y, 69);
  }
  SpawnSidePopup(g, 2, 20, "c");
  SpawnSidePopup(g, -1, 20, "c");
  EXPECT_EQ(g.text.popupCursor, 2);
  EXPECT_EQ(g.text.popups[3].age, 0);
}

TEST(TextLines, CommandBoxShowsItsThreeCaptionsAtTheLowerRight) {
  testing::TestGame t;
  Game& g = t.g();
  g.form[W::com_box].rect.left = 9;
  ShowCommandBox(g, Sjis("進む"), Sjis("休憩"), Sjis("帰る"), "x", "y");
  EXPECT_TRUE(g.form[W::com_box].visible);
  EXPECT_EQ(g.form[W::com_box].rect.left, 304);
  EXPECT_EQ(g.form[W::com_box].rect.top, 368);
  EXPECT_EQ(g.form[W::l_btn_com2].caption, Sjis("休憩"));
  EXPECT_EQ(g.text.commandStrings[4], "y");
}

}  // namespace
}  // namespace qv
