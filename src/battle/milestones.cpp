// Step 9: the milestones of the player's career, awarded one per click after a victory.
#include <string>

#include "battle/rewards.h"
#include "battle/sequencer.h"
#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

enum class Measure { Battles, Escapes, Loads, Money, Level, Depth, Bp };

struct Milestone {
  Measure measure;
  int32_t atLeast;
  int32_t flag;         // index into eventFlags; the depth flags also open the free areas
  const char* message;  // a template for the points
  int32_t points;
};

// In the order they are tried; the first one due is awarded.
constexpr Milestone kMilestones[] = {
    {Measure::Battles, 1000, 2, "戦闘回数が1000回を達成!! > 得点 +{points}", 1000},
    {Measure::Escapes, 100, 3, "逃亡回数が100回を達成!! > 得点 +{points}", 1000},
    {Measure::Loads, 100, 4, "ロード回数が100回を達成!! > 得点 +{points}", 1000},
    {Measure::Money, 1000, 5, "所持金が1000円を達成!! > 得点 +{points}", 100},
    {Measure::Level, 99, 6, "LVが99を達成!! > 得点 +{points}", 2000},
    {Measure::Depth, 10, 10, "最高距離が10mを達成!! > 得点 +{points}", 100},
    {Measure::Depth, 20, 11, "最高距離が20mを達成!! > 得点 +{points}", 200},
    {Measure::Depth, 30, 12, "最高距離が30mを達成!! > 得点 +{points}", 500},
    {Measure::Depth, 40, 13, "最高距離が40mを達成!! > 得点 +{points}", 1000},
    {Measure::Depth, 50, 7, "最高距離が50mを達成!! > 得点 +{points}", 2000},
    {Measure::Depth, 100, 8, "最高距離が100mを達成!! > 得点 +{points}", 3000},
    {Measure::Money, 5000, 9, "所持金が5000円を達成!! > 得点 +{points}", 500},
    {Measure::Bp, 10, 14, "所持BPが10を達成!! > 得点 +{points}", 1000},
    {Measure::Bp, 20, 15, "所持BPが20を達成!! > 得点 +{points}", 2000},
    {Measure::Bp, 30, 16, "所持BPが30を達成!! > 得点 +{points}", 3000},
    {Measure::Money, 9000, 17, "所持金が9000円を達成!! > 得点 +{points}", 1000},
    {Measure::Escapes, 1000, 18, "逃亡回数が1000回を達成!! > 得点 +{points}", 2000},
    {Measure::Loads, 1000, 19, "ロード回数が1000回を達成!! > 得点 +{points}", 2000},
    {Measure::Battles, 10000, 20, "戦闘回数が10000回を達成!! > 得点 +{points}", 2000},
};

int32_t ValueOf(const GameState& s, Measure m) {
  switch (m) {
    case Measure::Battles:
      return s.battleCount;
    case Measure::Escapes:
      return s.escapeCount;
    case Measure::Loads:
      return s.loadCount;
    case Measure::Money:
      return s.money;
    case Measure::Level:
      return s.player().level;
    case Measure::Depth:
      return s.depth;
    case Measure::Bp:
      return s.bp;
  }
  return 0;
}

const Milestone* DueMilestone(const Game& g) {
  // Milestones belong to the player's own victories.
  if (g.battle.turnSide != 0) return nullptr;
  for (const Milestone& m : kMilestones) {
    if (ValueOf(g.state, m.measure) >= m.atLeast &&
        g.state.eventFlags[static_cast<size_t>(m.flag)] == 0) {
      return &m;
    }
  }
  return nullptr;
}

}  // namespace

void StepMilestones(Game& g) {
  BattleState& b = g.battle;
  if (const Milestone* m = DueMilestone(g)) {
    g.state.eventFlags[static_cast<size_t>(m->flag)] = 1;
    AddLogLine(g, Compose(g, m->message, {Arg("points", m->points)}), "pink2");
    AddScore(g, m->points);
    GoToStep(g, Step::kMilestones);  // the click runs this step again for the next one
    b.paused = 1;
    return;
  }
  if (b.locationId == kAtFreeArea) {
    // In the free area the player chooses: deeper, rest, or home (which lands on step 10).
    ShowCommandBox(g, Sjis("進む"), Sjis("休憩"), Sjis("帰る"), "", "");
    return;
  }
  AdvanceBattlePhase(g);
}

}  // namespace qv::battle
