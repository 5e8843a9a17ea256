#include "battle/rewards.h"

#include <algorithm>
#include <string>

#include "battle/equipment.h"
#include "core/message.h"
#include "core/steps.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

// The combination ヴォマクトＷアタック, which pays half as much again when it finishes an enemy.
constexpr int32_t kDoubleVomactAttack = 118;

// Locations above this one are the island's last places and pay double points.
constexpr int32_t kLastOrdinaryLocation = 16;

// The money of a victory: the finishing skill first, then what the player wears.
int32_t VictoryMoney(Game& g) {
  int32_t m = g.state.enemy().moneyReward;
  const int32_t skill = g.battle.actionSkill;
  if (skill >= 0 && skill < kSkills &&
      g.state.skills[static_cast<size_t>(skill)].name == Sjis("ヴォマクトアタック")) {
    AddTextLine(g, Sjis("ヴォマクトアタック効果＞入手金x2"));
    m = 2 * m;
  }
  if (skill == kDoubleVomactAttack) {
    AddTextLine(g, Sjis("ヴォマクトＷアタック効果＞入手金x1.5"));
    m += m / 2;
  }
  return RewardMoneyBonus(g, m);
}

}  // namespace

void GameOver(Game& g) {
  g.host->PlayWave(0, "gameover.wav");
  g.host->PlayMidi("gameover.mid");
  g.battle.gameOver = 1;
}

void CheckBattleEnd(Game& g) {
  if (g.battle.gameOver == 1) return;
  Combatant& player = g.state.player();
  Combatant& enemy = g.state.enemy();
  if (player.hp <= 0) {
    g.host->PlayMusic("not");
    AddTextLine(g, Compose(g, "{who}は死んでしまった!!", {Who(g, "who", 0)}));
    GameOver(g);
    return;
  }
  if (enemy.hp > 0) {
    AdvanceBattlePhase(g);
    return;
  }
  enemy.present = 0;
  // The wandering shop and the ship may show themselves on the map again.
  g.world.merchantGone = 0;
  g.world.shipGone = 0;
  if (g.battle.locationId >= kFirstPlace) g.host->PlayMusic("epiloge.mp3");
  AddTextLine(g, Compose(g, "{who}を倒した!!", {Who(g, "who", 1)}));

  // The experience goes to the player whoever struck last.
  GainExperience(g, RewardExperienceBonus(g, enemy.exp));
  GainMoney(g, VictoryMoney(g));
  if (g.battle.locationId != kAtFreeArea)
    AddScore(g, g.battle.locationId <= kLastOrdinaryLocation ? 1000 : 2000);
  g.battle.paused = 1;
}

void GainItem(Game& g, int32_t item) {
  if (item < 0 || item >= kPerId) return;
  const ItemDef& def = g.state.items[static_cast<size_t>(item)];
  if (def.name.empty()) return;
  int32_t& owned = g.state.owned[static_cast<size_t>(item)];
  if (def.kind == kKindRare) {
    g.host->PlayWave(3, "rare.wav");
    const int32_t points = 2 * def.price;
    owned += 1;
    AddLogLine(g,
               Compose(g, "なんとレアItem【{item}】を入手した!! > 得点 +{points}",
                       {Term("item", def.name), Arg("points", points)}),
               "rainbow");
    AddScore(g, points);
    return;
  }
  g.host->PlayWave(3, "item.wav");
  owned += 1;
  AddLogLine(g,
             Compose(g, "Item【{item}】を 1個入手した(所持:{owned}個)",
                     {Term("item", def.name), Arg("owned", owned)}),
             "green");
}

void GainMoney(Game& g, int32_t n) {
  if (n == 0) return;
  g.state.money += n;
  AddLogLine(g, Compose(g, "お金を {n}円入手", {Arg("n", n)}), "yellow2");
  if (n > 0) {
    g.host->PlayWave(0, "coin.wav");
    SpawnPopup(g, 110, 470, 19, "\\" + Num(n));  // 0x5C is the yen sign in the game's font
  }
}

void GainExperience(Game& g, int32_t n) {
  if (n == 0) return;
  g.state.player().exp += n;
  AddLogLine(g, Compose(g, "経験値を {n}入手", {Arg("n", n)}), "yellow2");
  SpawnPopup(g, 160, 390, 19, "exp +" + Num(n));
}

void AddScore(Game& g, int32_t n) {
  n = std::min(n, 9999);
  n += ScoreBonus(g);
  SpawnPopup(g, 100, 20, 20, "+" + Num(n) + "pt.");
  g.state.score += n;
}

int32_t LearnedSkillCount(const GameState& s) {
  int32_t k = 0;
  for (int i = 0; i < 100; ++i) {
    if (s.skillLevel[static_cast<size_t>(i)] > 0) k += 1;
  }
  return k;
}

}  // namespace qv::battle
