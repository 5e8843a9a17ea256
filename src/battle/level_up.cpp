// Step 6 of a battle: the single level a victory can bring, and the traits learned on the way.
#include <string>

#include "battle/rewards.h"
#include "core/message.h"
#include "core/steps.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

constexpr int32_t kMaxLevel = 99;
constexpr int32_t kMaxMpFromLevels = 50;

// A trait learned on reaching a level; its effect lives where it acts (overkill in the attack,
// the special move in the scripts, the TP ceiling in the tick), except the two rate raises.
struct Trait {
  int32_t level;
  const char* text;
  int32_t Combatant::*raised;  // null: nothing on the record changes
  int32_t amount;
};
constexpr Trait kTraits[] = {
    {25, "特性【オーバーキル】を修得した!!", nullptr, 0},
    {35, "特性【最大TP +5】を修得した!!", nullptr, 0},
    {40, "特性【必殺技(踏みつぶすx3)】を修得した!!", nullptr, 0},
    {45, "特性【命中率 +5】を修得した!!", &Combatant::hitRate, 5},
    {47, "特性【最大TP +5Ⅱ】を修得した!!", nullptr, 0},
    {49, "特性【回避率 +5】を修得した!!", &Combatant::evadeRate, 5},
    {50, "特性【連携威力上昇】を修得した!!", nullptr, 0},
    {60, "特性【連携威力上昇Ⅱ】を修得した!!", nullptr, 0},
};

}  // namespace

// Experience needed for the next level.
int32_t ExperienceForNextLevel(int32_t level) {
  return level * 10 + 100;
}

void CheckLevelUp(Game& g) {
  if (g.battle.gameOver == 1) return;
  Combatant& p = g.state.player();
  if (p.exp < ExperienceForNextLevel(p.level) || p.level >= kMaxLevel) {
    AdvanceBattlePhase(g);
    return;
  }
  p.exp = 1;  // whatever was left over is lost: one level per victory
  p.level += 1;
  // The portrait follows the new level (it changes at 10, 20 and 30).
  g.steps->ShowPlayerPicture(g);

  AddLogLine(
      g, Compose(g, "{who}のＬＶが上がった!! > {level}", {Who(g, "who", 0), Arg("level", p.level)}),
      "pink");
  const int32_t hpGain = Random(g, 3) + 1;
  p.maxHp += hpGain;
  AddLogLine(g, Compose(g, "最大HP +{gain} > {max}", {Arg("gain", hpGain), Arg("max", p.maxHp)}),
             "pink");
  if (p.maxMp < kMaxMpFromLevels && p.level % 2 == 0) {
    p.maxMp += 1;
    AddLogLine(g, Compose(g, "最大MP +{gain} > {max}", {Arg("gain", 1), Arg("max", p.maxMp)}),
               "pink");
  }
  g.state.bp += 1;
  AddLogLine(g, "BP +1 > " + Num(g.state.bp), "pink");

  for (const Trait& t : kTraits) {
    if (t.level != p.level) continue;
    AddLogLine(g, Sjis(t.text), "pink");
    if (t.raised) p.*t.raised += t.amount;
  }
  AddScore(g, 100);
  g.battle.paused = 1;
}

}  // namespace qv::battle
