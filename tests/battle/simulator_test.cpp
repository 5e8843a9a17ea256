#include "simulate/simulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/new_game.h"
#include "core/text.h"
#include "persist/save.h"
#include "support/fake_host.h"

namespace qv {
namespace {

battle::SimulationOptions Against(int32_t hp, int32_t attack) {
  battle::SimulationOptions o;
  o.battles = 30;
  o.seed = 100;
  Combatant& e = o.enemy;
  e.name = Sjis("ゴブ");
  e.maxHp = e.hp = hp;
  e.attack = attack;
  e.hitRate = 10;
  e.exp = 10;
  e.moneyReward = 5;
  e.skillSlots = {0, 0, 0, 0, 0};
  return o;
}

TEST(Simulator, StrongerEnemiesWinMoreAndEveryBattleIsCounted) {
  battle::PlayerSetup hero;
  hero.maxHp = 40;
  hero.attack = 5;
  const GameState player = battle::PlayerFromSetup(hero);
  const battle::SimulationResult easy = battle::SimulateBattles(player, Against(10, 0));
  const battle::SimulationResult hard = battle::SimulateBattles(player, Against(300, 15));
  EXPECT_EQ(easy.battles, 30);
  EXPECT_EQ(easy.wins + easy.losses + easy.unfinished, 30);
  EXPECT_DOUBLE_EQ(easy.winRate, 1.0);
  EXPECT_GE(easy.meanDamageDealt, 10.0);
  EXPECT_GT(easy.meanTurns, 0.0);
  EXPECT_EQ(hard.wins, 0);
  EXPECT_EQ(hard.losses, 30);
  EXPECT_NEAR(hard.meanDamageTaken, 40.0, 0.001);
  EXPECT_GT(hard.meanTurns, easy.meanTurns);

  // The same seed fights the same battles.
  const battle::SimulationResult again = battle::SimulateBattles(player, Against(300, 15));
  EXPECT_EQ(again.ticks, hard.ticks);
  EXPECT_DOUBLE_EQ(again.meanDamageDealt, hard.meanDamageDealt);
}

TEST(Simulator, TheFreeAreaRollsAnEnemyForEveryBattle) {
  battle::PlayerSetup hero;
  hero.level = 20;
  hero.maxHp = 120;
  hero.attack = 12;
  battle::SimulationOptions o;
  o.battles = 20;
  o.locationId = 1;
  o.depth = 10;
  const battle::SimulationResult r = battle::SimulateBattles(battle::PlayerFromSetup(hero), o);
  EXPECT_EQ(r.wins + r.losses, 20);
  EXPECT_GT(r.wins, 10);
  EXPECT_GT(r.meanDamageDealt, 10.0);
}

TEST(Simulator, HeroFromASaveLeavesTheFileAsItWas) {
  testing::TestGame t;
  Game& g = t.g();
  NewGame(g);
  g.state.player().level = 12;
  g.state.player().maxHp = 77;
  g.state.skillLevel[9] = 4;
  persist::SaveGame(g);
  const std::filesystem::path file = g.paths.saveDir / persist::kSaveFileName;
  std::stringstream before;
  before << std::ifstream(file, std::ios::binary).rdbuf();

  GameState hero;
  std::string error;
  ASSERT_TRUE(battle::PlayerFromSaveFile(file, hero, error)) << error;
  EXPECT_EQ(hero.player().level, 12);
  EXPECT_EQ(hero.player().maxHp, 77);
  EXPECT_EQ(hero.skillLevel[9], 4);
  EXPECT_FALSE(hero.skills[9].name.empty());
  std::stringstream after;
  after << std::ifstream(file, std::ios::binary).rdbuf();
  EXPECT_EQ(before.str(), after.str());

  EXPECT_FALSE(battle::PlayerFromSaveFile(t.dir / "none.dat", hero, error));
  EXPECT_NE(error.find("none.dat"), std::string::npos);
  std::ofstream(t.dir / "bad.dat") << "not a save\r\n";
  EXPECT_FALSE(battle::PlayerFromSaveFile(t.dir / "bad.dat", hero, error));
  EXPECT_NE(error.find("bad.dat"), std::string::npos);
}

}  // namespace
}  // namespace qv
