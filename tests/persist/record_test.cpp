#include "persist/record.h"

#include <gtest/gtest.h>

#include "core/new_game.h"
#include "persist/save.h"
#include "persist_test_util.h"

namespace qv {
namespace {

using testing::Cp;
using testing::CrLfLines;

std::vector<std::string> RecordLines(const GameState& s) {
  return CrLfLines(persist::RecordText(s));
}

TEST(Record, NewGameSummary) {
  testing::TestGame t;
  NewGame(t.g());
  const std::vector<std::string> lines = RecordLines(t.g().state);
  const std::vector<std::string> expected = {
      Cp("～ミラフォルテ～ ver1.7"),
      "",
      Cp("名前: しすみ Lv: 0"),
      Cp("(タイプ: お金持ち / 種族: 人間♂)"),
      Cp("攻: 0"),
      Cp("防: 0"),
      Cp("命: 0%"),
      Cp("回: 0%"),
      Cp("ｸﾘ: 0%"),
      Cp("ガ: 0%"),
      Cp("ロード回数: 0 / 戦闘回数: 0 / 逃亡回数: 0 / 最高距離: 0m地点"),
      Cp("所持装備品数: 0種 / 所持ﾚｱｱｲﾃﾑ数: 0種 / 修得技数: 0種"),
      "",
      Cp("得点: 0 点 <>"),
  };
  EXPECT_EQ(lines, expected);
}

TEST(Record, TotalsCountsAndNames) {
  testing::TestGame t;
  NewGame(t.g());
  GameState& s = t.g().state;
  const auto item = [&](int index, int32_t kind, int32_t owned, const char* name = "x") {
    s.items[index].name = name;
    s.items[index].kind = kind;
    s.owned[index] = owned;
  };
  item(10, kKindWeapon, 2);  // two of one weapon and one of another: two kinds
  item(11, kKindWeapon, 1);
  item(12, kKindPendant, 1);
  item(13, kKindEarring, 1);
  item(14, kKindRare, 3);
  item(15, kKindSetItem, 1);  // set-items and potions are not equipment
  item(16, kKindMaxHp, 1);
  item(17, kKindArmor, 0);      // not owned
  item(18, kKindArmor, 1, "");  // no such item
  s.skills[0].name = s.skills[22].name = s.skills[99].name = s.skills[100].name = "s";
  s.skillLevel[99] = 10;
  s.skillLevel[100] = 1;  // combination skills are not counted
  s.skillLevel[50] = 4;   // learned but nameless: not a skill
  s.items[10].attack = 5;
  s.player().weapon = 10;
  s.player().attack = 3;
  s.personality = 5;
  s.raceSex = 9;
  s.player().level = 12;
  s.loadCount = 4;
  s.battleCount = 30;
  s.escapeCount = 2;
  s.maxDistance = 120;
  const std::vector<std::string> lines = RecordLines(s);
  ASSERT_GE(lines.size(), 14u);
  EXPECT_EQ(lines[2], Cp("名前: しすみ Lv: 12"));
  EXPECT_EQ(lines[3], Cp("(タイプ: 狂人 / 種族: 仮面♀)"));
  EXPECT_EQ(lines[4], Cp("攻: 8"));
  EXPECT_EQ(lines[10], Cp("ロード回数: 4 / 戦闘回数: 30 / 逃亡回数: 2 / 最高距離: 120m地点"));
  EXPECT_EQ(lines[11], Cp("所持装備品数: 4種 / 所持ﾚｱｱｲﾃﾑ数: 1種 / 修得技数: 3種"));

  s.personality = 6;
  s.raceSex = -1;
  EXPECT_EQ(RecordLines(s)[3], Cp("(タイプ:  / 種族: )"));
}

TEST(Record, RankAtEachEdge) {
  const std::pair<int32_t, const char*> kEdges[] = {
      {INT32_MIN, ""}, {-1, ""},         {49999, ""},       {50000, "激"},  {99999, "激"},
      {100000, "乱"},  {149999, "乱"},   {150000, "超"},    {200000, "極"}, {250000, "幻"},
      {300000, "神"},  {350000, "天"},   {400000, "魔"},    {450000, "聖"}, {500000, "無"},
      {549999, "無"},  {550000, "離別"}, {9999999, "離別"}, {10000000, ""}, {INT32_MAX, ""},
  };
  testing::TestGame t;
  NewGame(t.g());
  for (const auto& [score, rank] : kEdges) {
    SCOPED_TRACE(score);
    EXPECT_EQ(persist::RankForScore(score), Cp(rank));
    t.g().state.score = score;
    EXPECT_EQ(RecordLines(t.g().state)[13],
              Cp("得点: ") + std::to_string(score) + Cp(" 点 <") + Cp(rank) + ">");
  }
}

TEST(Record, TitlesOnlyForLocationsClearedExactlyOnce) {
  testing::TestGame t;
  NewGame(t.g());
  GameState& s = t.g().state;
  s.clearCount[16] = 2;  // cleared twice: no title
  s.clearCount[12] = 1;  // not a titled location
  EXPECT_EQ(RecordLines(s).size(), 14u);

  for (int location : {19, 15, 13, 16, 17}) s.clearCount[location] = 1;
  const std::vector<std::string> lines = RecordLines(s);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[14], Cp("称号: 【クリア】【陸制覇】【空制覇】<緑><光>"));
}

TEST(Record, WrittenBesideTheProgramAfterEverySave) {
  testing::TestGame t;
  NewGame(t.g());
  t.g().state.player().name = "a\rb";
  persist::SaveGame(t.g());
  const std::string written = testing::ReadBytes(testing::RecordFile(t.g()));
  const std::vector<std::string> lines = CrLfLines(written);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[2], Cp("名前: ab Lv: 0"));
}

}  // namespace
}  // namespace qv
