// The chances after a victory: a new skill, a set-item or BP (after the victory lines), and
// the rare item of step 8.
#include <algorithm>
#include <string>

#include "battle/rewards.h"
#include "core/message.h"
#include "core/steps.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

// A player who has learned few skills for the level has better chances: each row whose level
// is reached while the learned count is at most `skills` halves the roll's range.
struct SkillShortfall {
  int32_t level;
  int32_t skills;
};
constexpr SkillShortfall kShortfalls[] = {
    {5, 4},   {10, 5},  {15, 7},  {20, 9},  {25, 13}, {30, 15},
    {35, 16}, {40, 17}, {45, 19}, {50, 21}, {55, 23}, {60, 25},
};

// Beyond this many skills a won skill is turned into BP.
constexpr int32_t kSkillLimit = 26;

bool InFreeArea(const Game& g) {
  return g.battle.locationId == kAtFreeArea;
}

void AwardBp(Game& g) {
  g.state.bp += 1;
  AddScore(g, 50);
  AddLogLine(g, Compose(g, "なんとBPが 1上昇した!! 得点>{points}", {Arg("points", 50)}), "purple");
}

// The range of the skill roll: the smaller, the likelier.
int32_t SkillRange(const Game& g, int32_t learned) {
  const int32_t level = g.state.player().level;
  int32_t b = std::min(3 * level + 15, 200);
  for (const SkillShortfall& s : kShortfalls) {
    if (level >= s.level && learned <= s.skills) b /= 2;
  }
  if (g.battle.locationId >= kFirstPlace) b /= 2;
  if (InFreeArea(g)) {
    const int32_t depth = g.state.depth;
    for (int32_t past : {9, 19, 29}) {
      if (depth > past) b -= b / 5;
    }
  }
  return b;
}

bool RollSkill(Game& g) {
  const int32_t learned = LearnedSkillCount(g.state);
  if (Random(g, std::max(SkillRange(g, learned), 10)) != 0) return false;
  const int32_t d = Random(g, 100);
  const SkillDef& skill = g.state.skills[static_cast<size_t>(d)];
  int32_t& level = g.state.skillLevel[static_cast<size_t>(d)];
  if (skill.name.empty() || level > 0 || learned > kSkillLimit) {
    AwardBp(g);
  } else {
    level = 1;
    AddScore(g, skill.scoreValue);
    AddLogLine(g,
               Compose(g, "なんと技【{skill}】を修得した!! 得点>{points}",
                       {Term("skill", skill.name), Arg("points", skill.scoreValue)}),
               "yellow");
  }
  return true;
}

int32_t OwnedSetItemKinds(const GameState& s) {
  int32_t j = 0;
  for (int i = 0; i < kPerId; ++i) {
    const ItemDef& item = s.items[static_cast<size_t>(i)];
    if (item.kind == kKindSetItem && !item.name.empty() && s.owned[static_cast<size_t>(i)] > 0)
      j += 1;
  }
  return j;
}

bool RollSetItem(Game& g) {
  const GameState& s = g.state;
  const int32_t level = s.player().level;
  const int32_t j = OwnedSetItemKinds(s);
  int32_t e = (level < 5 || j > 0) ? 100 : 50;
  if (level >= 10 && j <= 1) e /= 2;
  if (level >= 15 && j <= 2) e /= 2;
  if (InFreeArea(g) && s.depth > 49) e -= e / 5;
  if (Random(g, std::max(e, 10)) != 0) return false;

  // Only the set-items that cannot be bought (price 0) are won; one found late is let go.
  constexpr int kDraws = 1000;
  constexpr int kLastLuckyDraw = 900;
  for (int draw = 1; draw <= kDraws; ++draw) {
    const int32_t f = Random(g, 999);
    const ItemDef& item = s.items[static_cast<size_t>(f)];
    const bool fits = item.kind == kKindSetItem && !item.name.empty() && item.price == 0 &&
                      s.owned[static_cast<size_t>(f)] == 0;
    if (!fits) continue;
    if (draw > kLastLuckyDraw) return false;
    g.state.owned[static_cast<size_t>(f)] = 1;
    AddScore(g, 150);
    AddLogLine(g,
               Compose(g, "なんとカーレオ【{item}】を修得した!! 得点>{points}",
                       {Term("item", item.name), Arg("points", 150)}),
               "yellow");
    return true;
  }
  return false;
}

bool RollBp(Game& g) {
  const GameState& s = g.state;
  int32_t range = 100;
  if (InFreeArea(g)) {
    if (s.depth >= 30) range = 84;
    if (s.depth > 39) range -= range / 5;
    if (s.depth > 49) range -= range / 5;
  }
  if (Random(g, range) != 0 || s.player().level < 25 || s.depth < 10) return false;
  AwardBp(g);
  return true;
}

}  // namespace

void RollVictoryBonus(Game& g) {
  if (RollSkill(g) || RollSetItem(g) || RollBp(g)) {
    g.battle.paused = 1;
    return;
  }
  AdvanceBattlePhase(g);
}

void RollRareDrop(Game& g) {
  if (Random(g, 100) != 0) {
    AdvanceBattlePhase(g);
    return;
  }
  const GameState& s = g.state;
  auto unwanted = [&s](int32_t a) {
    const ItemDef& item = s.items[static_cast<size_t>(a)];
    return item.name.empty() || item.kind != kKindRare || item.unique >= 1 ||
           s.owned[static_cast<size_t>(a)] > 0;
  };
  int32_t a = Random(g, 1000);
  for (int redraw = 0; redraw < 999 && unwanted(a); ++redraw) a = Random(g, 1000);
  // The game keeps its last draw even when none fitted; the high indices are never dropped.
  if (a <= 900) {
    GainItem(g, a);
    g.battle.paused = 1;
    return;
  }
  AdvanceBattlePhase(g);
}

}  // namespace qv::battle
