// The enemy's choice of skill at step 3 of its turn.
#include "battle/sequencer_steps.h"
#include "core/text.h"

namespace qv::battle {
namespace {

constexpr int32_t kSlotDraws = 1000;
// An enemy that keeps drawing skills it cannot pay for gives up after this many tries and
// does nothing this turn, so the battle goes on.
constexpr int32_t kChoiceTries = 50;
constexpr int32_t kIdleSkill = 53;  // 何もせず: costs nothing

// Enemies whose script forces a skill on certain rounds.
struct ForcedSkill {
  const char* enemy;
  int32_t skill;
  int32_t every;  // 0: only in round `round`; else whenever round % every == `round`
  int32_t round;
};
constexpr ForcedSkill kForcedSkills[] = {
    {"マジカル", 28, 0, 1},
    {"マジカルアゲイン", 28, 0, 1},
    {"サニー・レイニーアゲイン", 38, 10, 1},
};

const SkillDef* SkillOf(const Game& g, int32_t id) {
  if (id < 0 || id >= kSkills) return nullptr;
  return &g.state.skills[static_cast<size_t>(id)];
}

bool Named(const Game& g, int32_t id) {
  const SkillDef* s = SkillOf(g, id);
  return s && !s->name.empty();
}

bool Affordable(const Game& g, int32_t id) {
  const SkillDef* s = SkillOf(g, id);
  return s && s->tpCost <= g.state.enemy().tp;
}

// One draw as the game makes it: a slot at random, drawn again while it holds no skill (the
// last draw stands whatever it holds).
int32_t DrawSlotSkill(Game& g) {
  const auto& slots = g.state.enemy().skillSlots;
  int32_t id = slots[static_cast<size_t>(Random(g, 5))];
  for (int32_t draw = 1; draw < kSlotDraws && !Named(g, id); ++draw) {
    id = slots[static_cast<size_t>(Random(g, 5))];
  }
  return id;
}

int32_t FallbackSkill(const Game& g) {
  for (int32_t id : g.state.enemy().skillSlots) {
    if (Named(g, id) && Affordable(g, id)) return id;
  }
  return kIdleSkill;
}

}  // namespace

int32_t ChooseEnemySkill(Game& g) {
  int32_t chosen = -1;
  for (int32_t tries = 0; tries < kChoiceTries && chosen < 0; ++tries) {
    const int32_t id = DrawSlotSkill(g);
    if (Affordable(g, id)) chosen = id;
  }
  // Empty slots or nothing payable: the enemy stands still rather than the battle stalling.
  if (chosen < 0 || !Named(g, chosen)) chosen = FallbackSkill(g);

  const Combatant& e = g.state.enemy();
  const int32_t round = g.battle.roundCount;
  for (const ForcedSkill& f : kForcedSkills) {
    if (e.name != Sjis(f.enemy)) continue;
    const bool due = f.every == 0 ? round == f.round : round % f.every == f.round;
    if (due) chosen = f.skill;
  }
  return chosen;
}

}  // namespace qv::battle
