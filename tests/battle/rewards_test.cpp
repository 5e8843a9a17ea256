#include "battle/rewards.h"

#include <gtest/gtest.h>

#include "battle/sequencer_fixture.h"
#include "core/state_ops.h"

namespace qv {
namespace {

using testing::BattleGame;
using testing::PinRolls;

TEST(Victory, PaysExperienceMoneyAndPlacePointsThenWaits) {
  BattleGame b;
  Game& g = b.g;
  g.state.enemy().hp = 0;
  g.state.player().exp = 3;
  g.state.money = 40;
  g.world.merchantGone = g.world.shipGone = 1;
  g.battle.turnSide = 1;  // the enemy fell in its own turn: the experience is still the player's
  b.RunStep(5);
  EXPECT_EQ(g.state.player().exp, 8);
  EXPECT_EQ(g.state.money, 47);
  EXPECT_EQ(g.state.score, 1000);
  EXPECT_EQ(g.state.enemy().present, 0);
  EXPECT_EQ(g.world.merchantGone, 0);
  EXPECT_EQ(g.world.shipGone, 0);
  EXPECT_EQ(g.battle.paused, 1);
  EXPECT_EQ(b.t.host.music.back(), "epiloge.mp3");
  EXPECT_TRUE(b.Played("0:coin.wav"));
  EXPECT_TRUE(b.Shows("スライムを倒した!!"));
  EXPECT_TRUE(b.Shows("経験値を 5入手"));
  EXPECT_TRUE(b.Shows("お金を 7円入手"));
}

TEST(Victory, PlacePointsDependOnWhereTheBattleWas) {
  struct Case {
    int32_t location;
    int32_t points;
    bool music;
  };
  for (const Case& c : {Case{1, 0, false}, Case{16, 1000, true}, Case{17, 2000, true}}) {
    BattleGame b;
    b.g.battle.locationId = c.location;
    b.g.state.enemy().hp = 0;
    b.RunStep(5);
    EXPECT_EQ(b.g.state.score, c.points) << c.location;
    EXPECT_EQ(!b.t.host.music.empty(), c.music) << c.location;
  }
}

TEST(Victory, FinishingBlowsThatPayMore) {
  struct Case {
    int32_t skill;
    int32_t reward;
    int32_t money;
    const char* line;
  };
  const Case cases[] = {
      {39, 7, 14, "ヴォマクトアタック効果＞入手金x2"},
      {118, 7, 10, "ヴォマクトＷアタック効果＞入手金x1.5"},
      {0, 7, 7, nullptr},
      {-1, 7, 7, nullptr},
      {5000, 7, 7, nullptr},
  };
  for (const Case& c : cases) {
    BattleGame b;
    b.g.state.enemy().hp = 0;
    b.g.state.enemy().moneyReward = c.reward;
    b.g.battle.actionSkill = c.skill;
    b.RunStep(5);
    EXPECT_EQ(b.g.state.money, c.money) << c.skill;
    if (c.line) {
      EXPECT_TRUE(b.Shows(c.line)) << c.skill;
    }
  }
}

TEST(Victory, NothingHappensOnceTheGameIsOver) {
  BattleGame b;
  b.g.battle.gameOver = 1;
  b.g.state.enemy().hp = 0;
  b.RunStep(5);
  EXPECT_EQ(b.g.state.score, 0);
  EXPECT_EQ(b.g.battle.paused, 0);
  EXPECT_EQ(b.g.battle.phase, 5);
}

TEST(Gains, ZeroShowsNothingAndNegativeMoneyHasNoCoin) {
  BattleGame b;
  Game& g = b.g;
  battle::GainMoney(g, 0);
  battle::GainExperience(g, 0);
  EXPECT_TRUE(b.Line(0).empty());
  EXPECT_EQ(g.text.popupCursor, 0);

  g.state.money = 10;
  battle::GainMoney(g, -4);
  EXPECT_EQ(g.state.money, 6);
  EXPECT_EQ(b.Line(0), Sjis("お金を -4円入手"));
  EXPECT_TRUE(b.t.host.waves.empty());

  battle::GainMoney(g, 25);
  const PopupSlot& coin = g.text.popups[static_cast<size_t>(g.text.popupCursor)];
  EXPECT_EQ(coin.type, 19);
  EXPECT_EQ(coin.text, "\\25");

  battle::GainExperience(g, 12);
  EXPECT_EQ(g.state.player().exp, 12);
  EXPECT_EQ(g.text.popups[static_cast<size_t>(g.text.popupCursor)].text, "exp +12");
}

TEST(Gains, ItemsRareAndPlainAndNone) {
  BattleGame b;
  Game& g = b.g;
  int32_t rare = 0, plain = 0;
  for (int32_t i = 1; i < kPerId; ++i) {
    const ItemDef& d = g.state.items[static_cast<size_t>(i)];
    if (d.name.empty()) continue;
    if (d.kind == kKindRare && !rare) rare = i;
    if (d.kind == kKindWeapon && !plain) plain = i;
  }
  ASSERT_NE(rare, 0);
  ASSERT_NE(plain, 0);

  battle::GainItem(g, plain);
  battle::GainItem(g, plain);
  EXPECT_EQ(g.state.owned[static_cast<size_t>(plain)], 2);
  EXPECT_EQ(b.Line(0), Sjis("Item【") + g.state.items[static_cast<size_t>(plain)].name +
                           Sjis("】を 1個入手した(所持:2個)"));
  EXPECT_EQ(g.text.lines[0].colourCode, ColourCodeOf("green"));
  EXPECT_EQ(b.t.host.waves.back(), "3:item.wav");
  EXPECT_EQ(g.state.score, 0);

  battle::GainItem(g, rare);
  EXPECT_EQ(g.state.owned[static_cast<size_t>(rare)], 1);
  EXPECT_EQ(b.t.host.waves.back(), "3:rare.wav");
  EXPECT_EQ(g.state.score, std::min(2 * g.state.items[static_cast<size_t>(rare)].price, 9999));
  EXPECT_EQ(g.text.lines[0].colourCode, ColourCodeOf("rainbow"));

  // Indices without an item, or outside the table, are ignored.
  const size_t waves = b.t.host.waves.size();
  for (int32_t bad : {999, -1, 1000, 1 << 30}) battle::GainItem(g, bad);
  EXPECT_EQ(b.t.host.waves.size(), waves);
}

TEST(Score, AtMost9999AtOnceWithAPopup) {
  BattleGame b;
  battle::AddScore(b.g, 20000);
  EXPECT_EQ(b.g.state.score, 9999);
  EXPECT_EQ(b.g.text.popups[static_cast<size_t>(b.g.text.popupCursor)].text, "+9999pt.");
  EXPECT_EQ(b.g.text.popups[static_cast<size_t>(b.g.text.popupCursor)].type, 20);
  battle::AddScore(b.g, 1);
  EXPECT_EQ(b.g.state.score, 10000);
}

}  // namespace
}  // namespace qv
