#include "battle/act.h"

namespace qv::battle {
namespace {

const SkillDef& EmptySkill() {
  static const SkillDef kEmpty{};
  return kEmpty;
}

}  // namespace

Act MakeAct(Game& g, int actor, int target, int32_t step) {
  const int x = SideOf(actor);
  const int t = SideOf(target);
  const int32_t id = g.battle.actionSkill;
  const SkillDef& def = SkillAt(g.state, id);
  return Act{g,
             x,
             t,
             g.state.combatants[static_cast<size_t>(x)],
             g.state.combatants[static_cast<size_t>(t)],
             id,
             def,
             x == 0 ? SkillLevelOf(g.state, id) : 0,
             x == 0,
             def.isMagic > 0,
             step};
}

const SkillDef& SkillAt(const GameState& s, int32_t id) {
  if (id < 0 || id >= kSkills) return EmptySkill();
  return s.skills[static_cast<size_t>(id)];
}

int32_t SkillLevelOf(const GameState& s, int32_t id) {
  if (id < 0 || id >= kPerId) return 0;
  return s.skillLevel[static_cast<size_t>(id)];
}

}  // namespace qv::battle
