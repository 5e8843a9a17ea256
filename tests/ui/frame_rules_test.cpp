#include "ui/frame_rules.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace qv::ui {
namespace {

TEST(Bars, FillIsProportionalAndNeverOverflows) {
  EXPECT_EQ(BarFill(50, 100, 100), 50);
  EXPECT_EQ(BarFill(1, 3, 60), 20);
  EXPECT_EQ(BarFill(2, 3, 70), 46);  // truncated
  EXPECT_EQ(BarFill(150, 100, 60), 60);
  EXPECT_EQ(BarFill(5, 0, 100), 100);  // a maximum below 1 counts as 1
  EXPECT_EQ(BarFill(0, -4, 100), 0);
  EXPECT_EQ(BarFill(2000000000, 1, 100), 100);  // no overflow on huge values
}

TEST(Bars, LowHpBlinksOnEvenFramesOnly) {
  Combatant c;
  c.maxHp = 50;
  c.hp = 5;
  EXPECT_EQ(BarColours(Bar::Hp, c, 10, true).background, 0xAA0000u);
  EXPECT_EQ(BarColours(Bar::Hp, c, 11, true).background, 0x553322u);
  c.hp = 6;
  EXPECT_EQ(BarColours(Bar::Hp, c, 10, true).background, 0x553322u);
  c.hp = 5;
  EXPECT_EQ(BarColours(Bar::Hp, c, 10, false).background, 0x553322u);  // the enemy never blinks
}

TEST(Bars, FullTpBlinksItsFill) {
  Combatant c;
  c.maxTp = 100;
  c.tp = 120;
  EXPECT_EQ(BarColours(Bar::Tp, c, 2, true).fill, 0xAAFF55u);
  EXPECT_EQ(BarColours(Bar::Tp, c, 3, true).fill, 0x88DD33u);
  c.tp = 99;
  EXPECT_EQ(BarColours(Bar::Tp, c, 2, true).fill, 0x88DD33u);
  EXPECT_EQ(BarColours(Bar::Mp, c, 2, true).fill, 0x8833FFu);
}

TEST(StatusTags, WrittenInOrderWithoutSeparators) {
  Combatant c;
  EXPECT_EQ(StatusTags(c, true), "");
  c.st_paralysis = 2;
  c.st_poison = 1;
  c.st_burn = 3;
  EXPECT_EQ(StatusTags(c, true), Sjis("<毒><麻痺><火傷>"));
  c.st_thorns = 1;
  c.st_regen = 4;
  c.st_critUp = 1;
  EXPECT_EQ(StatusTags(c, false), Sjis("<癒><ｸﾘ↑><棘>"));
  c.st_regen = -1;  // only positive counters show
  EXPECT_EQ(StatusTags(c, false), Sjis("<ｸﾘ↑><棘>"));
  EXPECT_EQ(ElementTag(3), Sjis("<火>"));
  EXPECT_EQ(ElementTag(5), "");
  EXPECT_EQ(ElementTag(-1), "");
}

TEST(LineColours, CyclesByFrameAndRow) {
  // Row 3 of a green line at frame 998 uses step (998 + 3) mod 10 = 1.
  EXPECT_EQ(LineColour(301, 998 + 3, 0), 0x00DB10u);
  // The ten-step cycles mirror around step 5.
  for (int code : {301, 302, 303, 304, 305, 306, 307, 308, 309}) {
    for (int i = 1; i <= 4; ++i)
      EXPECT_EQ(LineColour(code, i, 0), LineColour(code, 10 - i, 0)) << code;
    EXPECT_NE(LineColour(code, 0, 0), LineColour(code, 5, 0)) << code;
  }
  EXPECT_EQ(LineColour(303, 7, 0), LineColour(306, 7, 0));
  EXPECT_EQ(LineColour(309, 5, 0), 0x440000u);
  EXPECT_EQ(LineColour(310, 4, 0), 0xCC8899u);
  EXPECT_EQ(LineColour(310, 7, 0), 0xFFBBCCu);
  EXPECT_EQ(LineColour(312, 13, 0), 0xFF9900u);
  EXPECT_EQ(LineColour(313, 11, 0), 0xFF0099u);
  EXPECT_EQ(LineColour(0, 5, 0x123456), 0xFFFFFFu);
  // Code 4 keeps whatever colour is in force.
  EXPECT_EQ(LineColour(4, 5, 0x123456), 0x123456u);
  EXPECT_EQ(LineColour(301, -3, 0), LineColour(301, 7, 0));
}

TEST(Popups, BounceAndLifetimes) {
  const int32_t expected[] = {-12, -12, -10, 6, 4, -3, -2, 3, 2, -1, 1};
  for (int age = 0; age <= 10; ++age) EXPECT_EQ(BounceOffset(age), expected[age]) << age;
  EXPECT_EQ(BounceOffset(99), 1);
  EXPECT_EQ(BounceOffset(100), 0);
  EXPECT_EQ(PopupLifetime(16), 52);
  EXPECT_EQ(PopupLifetime(20), 62);
  EXPECT_EQ(PopupLifetime(32), 1);
  EXPECT_EQ(PopupLifetime(140), 60);
  EXPECT_EQ(PopupLifetime(194), 20);
  EXPECT_EQ(PopupLifetime(33), -1);
  EXPECT_TRUE(PopupAgesTwice(19));
  EXPECT_FALSE(PopupAgesTwice(161));
}

}  // namespace
}  // namespace qv::ui

namespace qv::ui {
namespace {

TEST(SkillHelp, DescriptionInTwoPiecesThenLevelAndUses) {
  GameState s;
  s.skills[3].description = std::string(50, 'a');
  s.skillLevel[3] = 10;
  s.skillUses[3] = 7;
  auto lines = SkillHelpLines(s, 3);
  EXPECT_EQ(lines[0], std::string(50, 'a'));
  EXPECT_EQ(lines[1], Sjis("技Lv: MAX  発動: 7回"));  // a short description moves it up
  EXPECT_EQ(lines[2], "");

  s.skills[3].description = std::string(51, 'b');
  s.skillLevel[3] = 9;
  lines = SkillHelpLines(s, 3);
  EXPECT_EQ(lines[1], "b");
  EXPECT_EQ(lines[2], Sjis("技Lv: 9  発動: 7回"));

  // A character across byte 50 moves whole to the second piece.
  s.skills[3].description =
      "a" + Sjis("あいうえおかきくけこさしすせそたちつてとなにぬねの") + Sjis("は");
  lines = SkillHelpLines(s, 3);
  EXPECT_EQ(lines[0].size(), 49u);
  EXPECT_EQ(lines[1], Sjis("のは"));
  EXPECT_TRUE(IsValidCp932(lines[0]));

  EXPECT_EQ(SkillHelpLines(s, -1)[2], "");
  EXPECT_EQ(SkillHelpLines(s, 1000)[0], "");
}

}  // namespace
}  // namespace qv::ui
