// The action timeline: a chosen skill is announced and paid for, then its script's steps fire
// one battle-speed apart; the end of every action.
#include "battle/action.h"

#include <algorithm>
#include <array>
#include <string>

#include "battle/act.h"
#include "battle/equipment.h"
#include "battle/rewards.h"
#include "battle/sequencer.h"
#include "battle/skill_script.h"
#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

constexpr int32_t kMaxUses = 1000;
// No script has this many steps; an action still running past it is ended rather than left
// to hold up the battle.
constexpr int32_t kMaxScriptSteps = 12;

// The points for using a skill 99, 199 ... 999 times.
struct UseMilestone {
  int32_t uses;
  int32_t points;  // on top of the skill's own score value
};
constexpr UseMilestone kUseMilestones[] = {
    {99, 10}, {199, 20}, {299, 30}, {399, 40}, {499, 50}, {999, 100},
};

std::array<int32_t, 6>& History(Game& g, int side) {
  return side == 0 ? g.battle.playerHistory : g.battle.enemyHistory;
}

// The announcement: the name, the use count, the costs and the history. False when the
// actor cannot pay and the action has ended.
bool Announce(Game& g, int x) {
  BattleState& b = g.battle;
  Combatant& actor = g.state.combatants[static_cast<size_t>(x)];
  const SkillDef& skill = SkillAt(g.state, b.actionSkill);
  AddTextLine(g, Compose(g, "＞{skill}", {Term("skill", skill.name)}));
  // A use counts even when it cannot be paid for.
  if (x == 0 && b.actionSkill >= 0 && b.actionSkill < kPerId) {
    int32_t& uses = g.state.skillUses[static_cast<size_t>(b.actionSkill)];
    if (uses < kMaxUses) uses += 1;
  }
  if (actor.mp < skill.mpCost) {
    AddTextLine(g, Sjis("MPが足りなかった...."));
    FinishAction(g);
    return false;
  }
  if (actor.tp < skill.tpCost) {
    AddTextLine(g, Sjis("TPが足りなかった...."));
    FinishAction(g);
    return false;
  }
  actor.mp -= x == 0 ? SkillMpCost(g, skill.mpCost) : skill.mpCost;
  actor.tp -= x == 0 ? SkillTpCost(g, skill.tpCost) : skill.tpCost;
  std::array<int32_t, 6>& history = History(g, x);
  std::copy_backward(history.begin(), history.end() - 1, history.end());
  history[0] = b.actionSkill;
  return true;
}

}  // namespace

void StepAction(Game& g) {
  BattleState& b = g.battle;
  if (b.actionTimer <= 0) return;
  b.actionTimer += 1;
  const int x = ActorSide(g);
  if (b.actionTimer == b.battleSpeed && !Announce(g, x)) return;
  // A combination never feeds another one.
  if (b.actionSkill >= kFirstCombination) History(g, x).fill(-1);

  const int32_t speed = std::max(b.battleSpeed, 1);
  if (b.actionTimer % speed != 0) return;
  const int32_t step = b.actionTimer / speed - 1;
  if (step < 1) return;
  if (step > kMaxScriptSteps) {
    FinishAction(g);
    return;
  }
  RunScriptStep(g, step);
}

void FinishAction(Game& g) {
  BattleState& b = g.battle;
  b.actionTimer = 0;
  const int32_t id = b.actionSkill;
  const int32_t uses = (id >= 0 && id < kPerId) ? g.state.skillUses[static_cast<size_t>(id)] : 0;
  if (b.turnSide == 0 && b.milestoneShown == 0) {
    for (const UseMilestone& m : kUseMilestones) {
      if (uses != m.uses) continue;
      const SkillDef& skill = SkillAt(g.state, id);
      const int32_t points = skill.scoreValue + m.points;
      AddLogLine(g,
                 // a count picks its form
                 Compose(g, "技『{skill}』の発動回数が{uses}回を達成!! > 得点 +{points}",
                         {Term("skill", skill.name), Count("uses", uses), Arg("points", points)}),
                 "pink2");
      AddScore(g, points);
      b.paused = 1;  // the click goes on with the turn
      return;
    }
  }
  b.milestoneShown = 0;
  SetPhaseDelay(g, b.battleSpeed - 1);
}

}  // namespace qv::battle
