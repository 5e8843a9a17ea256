// The item panel's handlers: choosing a line, the action button, switching screens, closing.
#include "items/panel_actions.h"

#include <array>

#include "core/state_ops.h"
#include "core/text.h"
#include "items/item_screen.h"
#include "items/panel.h"

namespace qv::items {
namespace {

// The ten equipment slots in the order the action button empties them, with the kind each takes.
struct Slot {
  int32_t kind;
  int32_t Combatant::*field;
};
constexpr std::array<Slot, 10> kSlots = {{
    {kKindWeapon, &Combatant::weapon},
    {kKindArmor, &Combatant::armor},
    {kKindHelmet, &Combatant::helmet},
    {kKindShield, &Combatant::shield},
    {kKindRingRight, &Combatant::ringRight},
    {kKindRingLeft, &Combatant::ringLeft},
    {kKindWaist, &Combatant::waist},
    {kKindArm, &Combatant::arm},
    {kKindEarring, &Combatant::earring},
    {kKindPendant, &Combatant::pendant},
}};

void Strengthen(Game& g, int32_t id) {
  GameState& s = g.state;
  int32_t& level = s.skillLevel[static_cast<size_t>(id)];
  if (s.bp <= 0) {
    g.form[W::item_l].caption = Sjis("BPがありません");
  } else if (level > 9) {
    g.form[W::item_l].caption = Sjis("これ以上強化できません");
  } else if (!s.skills[static_cast<size_t>(id)].name.empty() && level > 0) {
    g.host->PlayWave(0, "b.wav");
    level += 1;
    s.bp -= 1;
    RebuildKeepingLine(g);
  }
}

// Takes the item off when it is worn (the first slot holding it), else puts it on.
void ToggleEquipment(Game& g, int32_t i) {
  Combatant& p = g.state.player();
  for (const Slot& slot : kSlots) {
    if (p.*slot.field == i) {
      p.*slot.field = 0;
      g.host->PlayWave(0, "koyasi.wav");
      RebuildKeepingLine(g);
      return;
    }
  }
  const int32_t kind = g.state.items[static_cast<size_t>(i)].kind;
  for (const Slot& slot : kSlots) {
    if (slot.kind == kind) {
      p.*slot.field = i;
      g.host->PlayWave(0, "in.wav");
      break;
    }
  }
  RebuildKeepingLine(g);
}

// Takes a set-item out of its frame when one of that name is set, else sets it in the first
// empty frame.
void ToggleSetItem(Game& g, int32_t i) {
  GameState& s = g.state;
  const int32_t j = HasEquipped(s, s.items[static_cast<size_t>(i)].name);
  if (j >= 0) {
    g.host->PlayWave(0, "koyasi.wav");
    s.setSlots[static_cast<size_t>(j)] = 0;
    RebuildKeepingLine(g);
    return;
  }
  const int32_t frames = UsableSetFrames(s);
  for (int32_t k = 0; k < frames; ++k) {
    if (s.setSlots[static_cast<size_t>(k)] == 0) {
      s.setSlots[static_cast<size_t>(k)] = i;
      g.host->PlayWave(0, "in.wav");
      RebuildKeepingLine(g);
      return;
    }
  }
  // Nothing changed, so the panel is left as it is and the player can read why.
  g.form[W::item_l].caption =
      Sjis("セットできる枠がありません。同名カーレオをセットすると外す事ができます。");
  g.host->PlayWave(0, "no.wav");
}

}  // namespace
}  // namespace qv::items

namespace qv {

void item_listMouseDown(Game& g) {
  items::ShowEntryDetails(g);
}

void item_listKeyDown(Game& g, int32_t) {
  items::ShowEntryDetails(g);
}

void l_btn10MouseDown(Game& g, int32_t, int32_t, bool) {
  using items::Mode;
  const int32_t i = g.world.selectedEntry;
  if (!items::SelectedLine(g) || i < 0 || i >= kPerId) return;
  const bool owned = g.state.owned[static_cast<size_t>(i)] > 0;
  switch (items::CurrentMode(g)) {
    case Mode::Strengthen:
      if (i < 100) items::Strengthen(g, i);
      break;
    case Mode::Equip:
      if (owned) items::ToggleEquipment(g, i);
      break;
    case Mode::SetFrames:
      if (owned) items::ToggleSetItem(g, i);
      break;
    case Mode::ToolShop:
    case Mode::WanderingShop:
    case Mode::ShipShop:
      items::BuySelected(g);
      break;
    case Mode::ItemList:
    case Mode::Other:
      break;
  }
}

void l_btn11MouseDown(Game& g, int32_t, int32_t, bool) {
  using items::Mode;
  g.host->PlayWave(0, "key3.wav");
  const Mode mode = items::CurrentMode(g);
  Mode next = Mode::Other;
  if (mode == Mode::Equip) next = Mode::SetFrames;
  if (mode == Mode::SetFrames) next = Mode::Equip;
  if (mode == Mode::Strengthen) next = Mode::ItemList;
  if (mode == Mode::ItemList) next = Mode::Strengthen;
  if (next == Mode::Other) return;
  items::SetMode(g, next);
  items::ShowItemScreen(g);
}

void l_btn9MouseDown(Game& g, int32_t, int32_t, bool) {
  using items::Mode;
  g.host->PlayWave(0, "d.wav");
  g.form[W::item_box].visible = false;
  const Mode mode = items::CurrentMode(g);
  // The equipment screen and the list of items just uncover the map, which stayed up behind
  // them; the other two screens show it anew.
  if (mode == Mode::Strengthen || mode == Mode::SetFrames) g.steps->ShowMap(g);
  if (items::IsShopMode(mode)) items::CloseShop(g, items::ShopOf(mode));
}

}  // namespace qv
