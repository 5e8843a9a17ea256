#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "battle/sequencer_fixture.h"
#include "core/text_lines.h"
#include "flow/step_machine.h"
#include "persist/save.h"

namespace qv {
namespace {

using testing::BattleGame;
using testing::PinRolls;

TEST(Rest, CostsAFifthOfMaxMpAndHealsThenOffersTheCommandsAgain) {
  BattleGame b;
  Game& g = b.g;
  PinRolls pin(g, RollMode::Lowest);
  g.battle.locationId = 1;
  g.state.eventFlags.fill(1);
  Combatant& p = g.state.player();
  p.maxMp = 20;
  p.mp = 5;  // exactly the cost
  p.hp = 10;
  b.RunStep(15);
  EXPECT_EQ(p.mp, 0);
  EXPECT_EQ(p.hp, 14);
  EXPECT_EQ(b.Line(0), Sjis("MP 5を使って休憩しました > HP 4回復"));
  EXPECT_EQ(g.battle.paused, 1);
  ContinueOnClick(g);
  EXPECT_EQ(g.battle.phase, 9);
  EXPECT_TRUE(g.form[W::com_box].visible);
}

TEST(Rest, TooLittleMpSpendsNothing) {
  BattleGame b;
  Game& g = b.g;
  g.battle.locationId = 1;
  g.state.eventFlags.fill(1);
  Combatant& p = g.state.player();
  p.maxMp = 4;  // cost 1
  p.mp = 0;
  p.hp = 10;
  b.RunStep(15);
  EXPECT_EQ(b.Line(0), Sjis("MPが足りません...."));
  EXPECT_EQ(p.hp, 10);
  EXPECT_EQ(g.battle.phase, 8);
  ContinueOnClick(g);
  EXPECT_EQ(g.battle.phase, 9);
  EXPECT_TRUE(g.form[W::com_box].visible);
}

TEST(Inn, PriceFollowsLevelLoadsAndPersonality) {
  struct Case {
    int32_t level, loads, personality, price;
  };
  for (const Case& c :
       {Case{3, 7, 0, 10}, Case{3, 7, 2, 9}, Case{0, 0, 0, 5}, Case{40, 300, 1, 145}}) {
    BattleGame b;
    b.g.state.player().level = c.level;
    b.g.state.loadCount = c.loads;
    b.g.state.personality = c.personality;
    b.RunStep(20);
    EXPECT_EQ(b.Line(0),
              Sjis("　宿賃は ") + std::to_string(c.price) + Sjis("円だけど、払えるんだろうね」"));
    EXPECT_EQ(b.g.battle.paused, 1);
  }
}

TEST(Inn, StayingHealsPaysAndSavesAndThenTheMap) {
  BattleGame b;
  Game& g = b.g;
  g.state.money = 10;
  g.state.loadCount = 7;
  g.state.player().level = 3;
  g.state.player().hp = 1;
  g.state.player().st_poison = 3;
  g.state.eventFlags[0] = 1;
  b.RunStep(21);
  EXPECT_EQ(g.state.money, 0);
  EXPECT_EQ(g.state.player().hp, g.state.player().maxHp);
  EXPECT_EQ(g.state.player().st_poison, 0);
  EXPECT_EQ(b.Line(0), Sjis("宿泊しました.... > 全回復 , Save complete!!"));
  EXPECT_TRUE(std::filesystem::exists(g.paths.saveDir / persist::kSaveFileName));
  ContinueOnClick(g);
  EXPECT_TRUE(g.form[W::map_box].visible);
}

// A night whose save did not reach the disk is never announced as saved, and not charged:
// the file on the disk still holds the money from before the night.
TEST(Inn, AFailedSaveIsToldAndNotCharged) {
  enum class Why { kFolderInTheWay, kAnotherCopy, kSavingOff };
  for (Why why : {Why::kFolderInTheWay, Why::kAnotherCopy, Why::kSavingOff}) {
    SCOPED_TRACE(static_cast<int>(why));
    BattleGame b;
    Game& g = b.g;
    g.state.money = 10;
    g.state.loadCount = 7;
    g.state.player().level = 3;
    g.state.player().hp = 1;
    const std::filesystem::path save = g.paths.saveDir / persist::kSaveFileName;
    if (why == Why::kFolderInTheWay) std::filesystem::create_directories(save);
    if (why == Why::kAnotherCopy) g.saveFolderBusy = true;
    if (why == Why::kSavingOff) g.state.saveDisabled = 1;
    b.RunStep(21);
    EXPECT_EQ(b.Line(0),
              Sjis("宿泊しました.... > 全回復 , セーブできなかったので宿賃はいりません"));
    EXPECT_EQ(g.state.money, 10);
    EXPECT_EQ(g.state.player().hp, g.state.player().maxHp);
    EXPECT_FALSE(std::filesystem::is_regular_file(save));
    EXPECT_EQ(b.t.host.messages.size(), why == Why::kFolderInTheWay ? 1u : 0u);
  }
}

// Another copy's temporary file, or a folder under the old temporary name, is no obstacle.
TEST(Inn, LeftoversBesideTheSaveDoNotStopIt) {
  BattleGame b;
  Game& g = b.g;
  g.state.money = 10;
  g.state.loadCount = 7;
  g.state.player().level = 3;
  std::filesystem::path old = g.paths.saveDir / persist::kSaveFileName;
  old += ".tmp";
  std::filesystem::create_directories(old);
  b.RunStep(21);
  EXPECT_EQ(b.Line(0), Sjis("宿泊しました.... > 全回復 , Save complete!!"));
  EXPECT_EQ(g.state.money, 0);
}

TEST(Inn, TooPoorToStay) {
  BattleGame b;
  Game& g = b.g;
  g.state.money = 9;
  g.state.loadCount = 7;
  g.state.player().level = 3;
  g.state.player().hp = 1;
  b.RunStep(21);
  EXPECT_EQ(b.Line(0), Sjis("払えないじゃないか！　だから言ったんだ"));
  EXPECT_EQ(g.state.money, 9);
  EXPECT_EQ(g.state.player().hp, 1);
  EXPECT_FALSE(std::filesystem::exists(g.paths.saveDir / persist::kSaveFileName));
}

TEST(Shops, GreetingThenTheClickOpensThePanelInTheShopsMode) {
  struct Case {
    int32_t talk;
    int32_t level;
    const char* first;
    const char* mode;
  };
  const Case cases[] = {
      {30, 0, "どうぐの人「いらっしゃい。ここは道具屋だよ", "買う"},
      {40, 0, "人工の人「よく見つけたね。ここは人工屋だよ", "購入"},
      {50, 9, "ファトマ「我が名はファトマ、冒険する者なり」",
       "ＢＵＹ"},  // always the first below 10
  };
  for (const Case& c : cases) {
    BattleGame b;
    Game& g = b.g;
    PinRolls pin(g, RollMode::Highest);
    g.state.player().level = c.level;
    b.RunStep(c.talk);
    EXPECT_EQ(b.Line(0), Sjis(c.first)) << c.talk;
    EXPECT_EQ(g.battle.paused, 1);
    ContinueOnClick(g);
    EXPECT_EQ(g.form[W::l_btn10].caption, Sjis(c.mode));
    EXPECT_TRUE(g.form[W::item_box].visible);
  }
}

TEST(Shops, HighLevelsCanHearEveryGreeting) {
  BattleGame b;
  Game& g = b.g;
  g.state.player().level = 60;
  g.rng.Seed(3);
  std::set<std::string> heard;
  for (int i = 0; i < 400; ++i) {
    b.RunStep(30);
    heard.insert(b.Line(0));
  }
  // The greetings' last lines: five different ones.
  EXPECT_EQ(heard.size(), 5u);
}

}  // namespace
}  // namespace qv
