// The player's choice at step 3: the list of learned skills and the "発動" button.
#include "battle/player_choice.h"

#include "battle/sequencer_steps.h"

namespace qv {
namespace {

// The list's designed row height holds 24 skills; more need tighter rows.
constexpr size_t kRoomyRows = 24;
constexpr int32_t kTightRowHeight = 15;
constexpr int32_t kOrdinarySkills = 100;

}  // namespace

namespace battle {

void OfferPlayerSkills(Game& g) {
  Widget& list = g.form[W::battle_list];
  list.itemIndex = -1;
  list.lines.clear();
  list.topIndex = 0;
  for (int32_t id = 0; id < kOrdinarySkills; ++id) {
    const SkillDef& s = g.state.skills[static_cast<size_t>(id)];
    if (g.state.skillLevel[static_cast<size_t>(id)] > 0 && !s.name.empty())
      list.lines.push_back(s.name);
  }
  BattleState& b = g.battle;
  if (b.lastListIndex == -1) b.lastListIndex = 0;
  Widget& box = g.form[W::battle_box];
  box.rect.left = 460;
  box.rect.top = 8;
  // The last choice is offered again; an index the shorter list no longer has is ignored.
  if (b.lastListIndex >= 0 && static_cast<size_t>(b.lastListIndex) < list.lines.size()) {
    list.itemIndex = b.lastListIndex;
    ScrollListToSelection(g.form, W::battle_list);
  }
  battle_listMouseDown(g);
  if (list.lines.size() > kRoomyRows) list.itemHeight = kTightRowHeight;
  box.visible = true;
}

}  // namespace battle

void battle_listMouseDown(Game& g) {
  const Widget& list = g.form[W::battle_list];
  BattleState& b = g.battle;
  const int32_t previous = b.lastListIndex;
  const int32_t index = list.itemIndex;
  if (index < -1 || index >= static_cast<int32_t>(list.lines.size())) return;
  b.lastListIndex = index;
  if (index >= 0) {
    const std::string& entry = list.lines[static_cast<size_t>(index)];
    for (int32_t id = 0; id < kOrdinarySkills; ++id) {
      if (g.state.skills[static_cast<size_t>(id)].name == entry) b.actionSkill = id;  // last wins
    }
  }
  if (index != previous) {
    g.host->PlayWave(0, "key2.wav");
    g.presenter->ComposeFrame(g);
  }
}

void Button1Click(Game& g) {
  const Widget& list = g.form[W::battle_list];
  BattleState& b = g.battle;
  // Only while the list is offered: a second press must not start the action twice.
  if (!g.form[W::battle_box].visible) return;
  if (b.actionSkill == -1) return;
  const int32_t index = list.itemIndex;
  if (index < 0 || index >= static_cast<int32_t>(list.lines.size())) return;
  if (list.lines[static_cast<size_t>(index)].empty()) return;
  g.form[W::battle_box].visible = false;
  // The player's action announces itself on the very next tick.
  b.actionTimer = b.battleSpeed - 1;
}

}  // namespace qv
