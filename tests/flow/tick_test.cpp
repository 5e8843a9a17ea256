#include "flow/tick.h"

#include <gtest/gtest.h>

#include "battle/clamp.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "support/fake_host.h"

namespace qv {
namespace {

using testing::TestGame;

// Runs one timer event `ms` after the previous one.
void TimerAt(TestGame& t, int64_t ms) {
  t.host.nowMs = ms;
  Timer1Timer(t.g());
}

TEST(IntervalRule, RetunesOncePerSecondByTickCount) {
  TestGame t;
  Game& g = t.g();
  // The very first event checks at once with one tick counted: 90 - 13 = 77.
  TimerAt(t, 1);
  EXPECT_EQ(g.screen.timerInterval, 77);

  struct Case {
    int ticks;
    int32_t before;
    int32_t after;
  };
  const Case cases[] = {
      {14, 80, 80}, {13, 80, 80}, {15, 80, 81}, {20, 80, 86},
      {12, 80, 78}, {5, 72, 72},  {5, 80, 71},
  };
  int64_t now = 1;
  for (const Case& c : cases) {
    g.screen.timerInterval = c.before;
    g.screen.ticksThisSecond = 0;
    // c.ticks - 1 events inside the second, then one past the check time.
    for (int i = 0; i < c.ticks - 1; ++i) TimerAt(t, now + 10 + i);
    now += 1001;
    TimerAt(t, now);
    EXPECT_EQ(g.screen.timerInterval, c.after) << c.ticks << " ticks at " << c.before;
    EXPECT_EQ(g.screen.ticksThisSecond, 0);
  }
}

TEST(Tick, FrameCounterWrapsAfter999) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = -2;
  g.screen.frameCounter = 998;
  Tick(g);
  EXPECT_EQ(g.screen.frameCounter, 999);
  Tick(g);
  EXPECT_EQ(g.screen.frameCounter, 0);
  Tick(g);
  EXPECT_EQ(g.screen.frameCounter, 1);
}

TEST(Tick, SpeedModeSkipsWholePlayTicks) {
  for (int32_t mode : {0, 1, 2}) {
    TestGame t;
    Game& g = t.g();
    g.screen.scene = 0;
    g.state.speedMode = mode;
    g.state.money = 20000;
    int skipped = 0;
    for (int i = 0; i < 12; ++i) {
      g.state.money = 20000;
      Tick(g);
      if (g.state.money == 20000) ++skipped;  // no clamp ran
    }
    const int expected[] = {0, 3, 4};
    EXPECT_EQ(skipped, expected[mode]) << "speedMode " << mode;
  }
}

TEST(Tick, PhaseDelayOfOneAdvancesOnTheNextTick) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  // Step 12 has nothing to do, so the machine simply rests there.
  g.battle.phase = 11;
  g.battle.phaseDelay = 1;
  Tick(g);
  EXPECT_EQ(g.battle.phaseDelay, 0);
  EXPECT_EQ(g.battle.phase, 12);
  Tick(g);
  EXPECT_EQ(g.battle.phase, 12);  // zero triggers nothing
}

TEST(Tick, CreationPanelOnlyRefreshesItsSummary) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  g.form[W::bp_box].visible = true;
  g.state.money = 20000;
  g.state.bonusParam = 2;
  g.state.personality = 5;
  Tick(g);
  EXPECT_EQ(g.state.money, 20000);  // no clamp while creating
  EXPECT_EQ(g.form[W::bp_l].caption, Sjis("上昇ﾊﾟﾗﾒｰﾀｰ:【最大HP】 タイプ:≪狂人≫"));
  g.state.bonusParam = 9;
  Tick(g);
  EXPECT_EQ(g.form[W::bp_l].caption, Sjis("上昇ﾊﾟﾗﾒｰﾀｰ:【】 タイプ:≪狂人≫"));
}

TEST(Tick, EquipmentScreenShowsTotals) {
  TestGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  g.form[W::item_box].visible = true;
  g.form[W::l_btn10].caption = Sjis("装備");
  g.state.player().name = Sjis("しすみ");
  g.state.player().attack = 7;
  g.state.player().hitRate = 3;
  Tick(g);
  EXPECT_EQ(g.form[W::item_l3].caption, Sjis("しすみのステータス\r\r攻撃力: 7\r防御力: 0\r命中率: "
                                             "3\r回避率: 0\rｸﾘﾃｨｶﾙ率: 0\rガード率: 0"));
}

TEST(ClampState, BringsBothSidesWithinTheirLimits) {
  TestGame t;
  Game& g = t.g();
  GameState& s = g.state;
  s.money = 10000;
  s.depth = -3;
  s.reserved.reservedE = -1;
  g.battle.battleSpeed = 2;
  Combatant& p = s.player();
  p.maxHp = 30;
  p.hp = 31;
  p.maxMp = 5;
  p.mp = -1;
  p.maxTp = 100;
  p.tp = 150;
  p.level = 3;
  p.exp = 500;
  p.st_power = 12;
  p.st_guard = 9;
  p.st_paralysis = 10;
  Combatant& e = s.enemy();
  e.maxHp = 10;
  e.hp = -4;
  e.tp = 120;
  e.level = 0;
  e.exp = -2;
  battle::ClampState(g);
  EXPECT_EQ(s.money, 9999);
  EXPECT_EQ(s.depth, 0);
  EXPECT_EQ(s.reserved.reservedE, 0);
  EXPECT_EQ(g.battle.battleSpeed, 9);
  EXPECT_EQ(p.hp, 30);
  EXPECT_EQ(p.mp, 0);
  EXPECT_EQ(p.tp, 100);
  EXPECT_EQ(p.exp, 130);
  EXPECT_EQ(p.st_power, 9);
  EXPECT_EQ(p.st_paralysis, 9);
  EXPECT_EQ(e.hp, 0);
  EXPECT_EQ(e.tp, 100);
  EXPECT_EQ(e.exp, 0);
}

TEST(ClampState, TpCapGrowsWithSetItemsAndLevel) {
  TestGame t;
  Game& g = t.g();
  GameState& s = g.state;
  s.items[400].name = Sjis("カーレオの器量");
  s.items[400].kind = kKindSetItem;
  s.items[401].name = Sjis("人工ｶｰﾚｵの器量");
  s.items[401].kind = kKindSetItem;
  s.player().maxTp = 100;
  s.player().level = 44;
  EXPECT_EQ(battle::PlayerTpCap(s), 105);
  s.setSlots[3] = 400;
  s.setSlots[7] = 401;
  s.player().level = 45;
  EXPECT_EQ(battle::PlayerTpCap(s), 125);
  s.player().tp = 200;
  battle::ClampState(g);
  EXPECT_EQ(s.player().tp, 125);
}

}  // namespace
}  // namespace qv
