// The end of every action, with the points for using a skill 99, 199 ... 999 times.
#include <string>

#include "battle/action.h"
#include "battle/action_rules.h"
#include "battle/rewards.h"
#include "battle/sequencer.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

struct UseMilestone {
  int32_t uses;
  int32_t points;  // on top of the skill's own score value
};
constexpr UseMilestone kUseMilestones[] = {
    {99, 10}, {199, 20}, {299, 30}, {399, 40}, {499, 50}, {999, 100},
};

}  // namespace

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
      AddLogLine(g, Sjis("技『") + skill.name + Sjis("』の発動回数が") + std::to_string(uses) +
                        Sjis("回を達成!! > 得点 +") + std::to_string(points),
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
