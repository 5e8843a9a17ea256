#include "world/free_area.h"

#include <gtest/gtest.h>

#include <set>

#include "world/map_handlers.h"
#include "world/world_fixture.h"

namespace qv {
namespace {

using testing::PinRolls;
using testing::WorldGame;

using Handler = void (*)(Game&, int32_t, int32_t, bool);

bool Named(const Game& g, int32_t skill) {
  return skill >= 0 && skill < kSkills && !g.state.skills[static_cast<size_t>(skill)].name.empty();
}

// Enters the free area at start depth a through its entrance, with every entrance open.
void Enter(Game& g, int32_t a) {
  for (int flag : {7, 10, 11, 12, 13}) g.state.eventFlags[static_cast<size_t>(flag)] = 1;
  static const std::pair<int32_t, Handler> kEntrances[] = {
      {0, map_b1MouseDown},     {10, map_free2MouseDown}, {20, map_free3MouseDown},
      {30, map_free4MouseDown}, {40, map_free5MouseDown}, {50, map_free6MouseDown},
  };
  for (const auto& [depth, click] : kEntrances) {
    if (depth == a) click(g, 0, 0, false);
  }
}

TEST(FreeArea, LowestAndHighestRollsAtTheEntrance) {
  WorldGame low;
  {
    PinRolls pin(low.g, RollMode::Lowest);
    Enter(low.g, 0);
  }
  const Combatant& e = low.g.state.enemy();
  EXPECT_EQ(low.g.battle.locationId, 1);
  EXPECT_EQ(low.g.battle.battleActive, 1);
  EXPECT_EQ(e.present, 1);
  EXPECT_EQ(e.name, "name0");
  EXPECT_EQ(e.exp, 5);
  EXPECT_EQ(e.moneyReward, 5);
  EXPECT_EQ(e.element, 0);
  EXPECT_EQ(e.maxHp, 2);
  EXPECT_EQ(e.hp, 2);
  EXPECT_EQ(e.maxMp, 0);
  EXPECT_EQ(e.attack, 0);
  EXPECT_EQ(e.evadeRate, 0);
  EXPECT_EQ(e.skillSlots, (std::array<int32_t, 5>{0, 0, 0, 0, 0}));
  EXPECT_EQ(low.presenter.backgrounds.back(), "free.bmp");
  EXPECT_EQ(low.g.frame.enemyPicture, "man0.bmp");

  WorldGame high;
  high.g.state.player().level = 12;
  {
    PinRolls pin(high.g, RollMode::Highest);
    Enter(high.g, 0);
  }
  const Combatant& h = high.g.state.enemy();
  EXPECT_EQ(h.name, "name225");
  EXPECT_EQ(h.exp, 9);
  EXPECT_EQ(h.moneyReward, 9);
  EXPECT_EQ(h.element, 4);
  EXPECT_EQ(h.maxHp, 10 + 12 + 1);
  EXPECT_EQ(h.maxMp, 4 + 6);
  EXPECT_EQ(h.tp, 99);
  EXPECT_EQ(h.attack, 3);      // R(12/5 + 2)
  EXPECT_EQ(h.defense, 3);     // R(12/6 + 2)
  EXPECT_EQ(h.hitRate, 4);     // R(12/3 + 1)
  EXPECT_EQ(h.evadeRate, 13);  // R(11) + R(12/3)
  EXPECT_EQ(h.guardRate, 0);
  EXPECT_EQ(high.g.frame.enemyPicture, "man1.bmp");
}

TEST(FreeArea, ThirtyMetresBringGuardAndCriticalAndTheirSkills) {
  WorldGame w;
  {
    PinRolls pin(w.g, RollMode::Lowest);
    Enter(w.g, 30);
  }
  const Combatant& e = w.g.state.enemy();
  EXPECT_EQ(w.g.state.depth, 30);
  EXPECT_EQ(e.moneyReward, 35);
  EXPECT_EQ(e.maxHp, 62);
  EXPECT_EQ(e.maxMp, 10);
  EXPECT_EQ(e.attack, 3);
  EXPECT_EQ(e.evadeRate, 15);
  EXPECT_EQ(e.guardRate, 0);  // R(1)
  EXPECT_EQ(e.critRate, 0);
  EXPECT_EQ(e.skillSlots, (std::array<int32_t, 5>{6, 2, 0, 0, 0}));
  EXPECT_EQ(w.presenter.backgrounds.back(), "free4.bmp");
}

TEST(FreeArea, FortyMetresTheEighthRuleWinsAndTheRerollFindsANamedSkill) {
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
    WorldGame w;
    w.g.rng.Seed(seed);
    Enter(w.g, 40);
    const auto& s = w.g.state.enemy().skillSlots;
    EXPECT_EQ(s[0], 24);
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(s[2], 9);
    EXPECT_TRUE(Named(w.g, s[3]));
    EXPECT_LT(s[3], 99);
    EXPECT_EQ(s[4], 0);
    EXPECT_EQ(w.presenter.backgrounds.back(), "free5.bmp");
  }
}

TEST(FreeArea, FiftyMetresAndTheRerollsStayBounded) {
  WorldGame w;
  {
    // Every roll the highest: skill 98 has no name, so the re-rolls never find one and
    // must give up on the basic attack instead of spinning forever.
    PinRolls pin(w.g, RollMode::Highest);
    Enter(w.g, 50);
  }
  const Combatant& e = w.g.state.enemy();
  EXPECT_FALSE(Named(w.g, 98));
  EXPECT_EQ(e.guardRate, 20);  // R(21)
  EXPECT_EQ(e.critRate, 20);
  EXPECT_EQ(e.skillSlots[0], 0);
  EXPECT_EQ(e.skillSlots[3], 0);
  EXPECT_EQ(w.presenter.backgrounds.back(), "free6.bmp");

  WorldGame seeded;
  seeded.g.rng.Seed(7);
  Enter(seeded.g, 50);
  for (int32_t s : seeded.g.state.enemy().skillSlots) EXPECT_TRUE(Named(seeded.g, s)) << s;
}

TEST(FreeArea, LockedEntrancesOnlySaySo) {
  static const Handler kLocked[] = {map_free2MouseDown, map_free3MouseDown, map_free4MouseDown,
                                    map_free5MouseDown, map_free6MouseDown};
  for (Handler click : kLocked) {
    WorldGame w;
    click(w.g, 0, 0, false);
    EXPECT_EQ(w.Line(0), Sjis("まだここには入れません"));
    EXPECT_TRUE(w.MapUp());
    EXPECT_EQ(w.g.battle.locationId, -1);
    EXPECT_EQ(w.g.state.enemy().present, 0);
  }
  // Each entrance has its own flag: the 50 m record opens the last one.
  WorldGame w;
  w.g.state.eventFlags[7] = 1;
  map_free5MouseDown(w.g, 0, 0, false);
  EXPECT_TRUE(w.MapUp());
  map_free6MouseDown(w.g, 0, 0, false);
  EXPECT_EQ(w.g.state.depth, 50);
  EXPECT_EQ(w.g.battle.battleActive, 1);
}

TEST(RandomEnemyName, NeverReadsPastTheNamesTheListGave) {
  WorldGame w;
  Game& g = w.g;
  g.state.randomNameCount = 3;
  for (int i = 3; i < kRandomNames; ++i) g.state.randomNames[static_cast<size_t>(i)] = "bad";
  std::set<std::string> seen;
  for (int i = 0; i < 2000; ++i) {
    const std::string name = world::RandomEnemyName(g);
    EXPECT_NE(name, "bad");
    if (name.rfind("name", 0) == 0) seen.insert(name);
  }
  EXPECT_EQ(seen, (std::set<std::string>{"name0", "name1", "name2"}));
}

TEST(RandomEnemyName, MadeUpNamesAreFourSyllablesOrShorter) {
  WorldGame w;
  Game& g = w.g;
  // Without a name list every enemy gets a made-up name.
  g.state.randomNameCount = 0;
  {
    PinRolls pin(g, RollMode::Lowest);
    EXPECT_EQ(world::RandomEnemyName(g), Sjis("アアアア"));
  }
  for (int i = 0; i < 500; ++i) {
    const std::string name = world::RandomEnemyName(g);
    EXPECT_LE(name.size(), 8u);
    EXPECT_EQ(name.size() % 2, 0u);
    EXPECT_TRUE(IsValidCp932(name));
  }
}

}  // namespace
}  // namespace qv
