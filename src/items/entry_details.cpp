// The detail text of the selected list line, one layout per screen.
#include <string>

#include "core/message.h"
#include "core/text.h"
#include "items/item_screen.h"
#include "items/panel.h"

namespace qv::items {
namespace {

// The highest skill id 0..99 whose name is the line without its level text, or the line.
int32_t FindSkillMatching(const GameState& s, std::string_view a, std::string_view b) {
  for (int32_t id = 99; id >= 0; --id) {
    const std::string& name = s.skills[static_cast<size_t>(id)].name;
    if (!name.empty() && (name == a || name == b)) return id;
  }
  return 0;
}

// A shop line's owned count has no fixed width once it reaches 100 ("100 name"): the name is
// what follows the count and its space.
std::string_view WithoutCount(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i < line.size() && line[i] == ' ') ++i;
  return line.substr(i);
}

int32_t FindEntry(const Game& g, Mode mode, std::string_view line) {
  const GameState& s = g.state;
  if (mode == Mode::Strengthen) return FindSkillMatching(s, WithoutPrefix(line, 5), line);
  const int32_t found = FindItemMatching(s, WithoutPrefix(line, 3), line);
  if (found == 0 && IsShopMode(mode)) return FindItemMatching(s, WithoutCount(line), line);
  return found;
}

std::string ItemListDetails(Game& g, const ItemDef& item) {
  // a count picks its form
  return Compose(g, "{name}\r\r{description}\r\rレア度: {rarity}Pt.",
                 {Term("name", item.name), Term("description", item.description),
                  Count("rarity", 2 * item.price)});
}

std::string SkillDetails(Game& g, int32_t id) {
  const GameState& s = g.state;
  const SkillDef& skill = s.skills[static_cast<size_t>(id)];
  const int32_t level = s.skillLevel[static_cast<size_t>(id)];
  // a count picks its form
  return Compose(g, "{name}\r\rLV {level}  発動: {uses}回\r\r{description}",
                 {Term("name", skill.name),
                  Arg("level", level >= 10 ? std::string("MAX") : std::to_string(level)),
                  Count("uses", s.skillUses[static_cast<size_t>(id)]),
                  Term("description", skill.description)});
}

bool InUsableFrame(const GameState& s, int32_t item) {
  const int32_t frames = UsableSetFrames(s);
  for (int32_t j = 0; j < frames; ++j) {
    if (s.setSlots[static_cast<size_t>(j)] == item) return true;
  }
  return false;
}

std::string SetItemDetails(Game& g, int32_t i) {
  const ItemDef& item = g.state.items[static_cast<size_t>(i)];
  const MessageArg name = Term("name", item.name),
                   description = Term("description", item.description);
  return InUsableFrame(g.state, i)
             ? Compose(g, "{name}\r\r　　>>セット中<<\r\r{description}", {name, description})
             : Compose(g, "{name}\r\r\r\r{description}", {name, description});
}

std::string EquipmentDetails(Game& g, int32_t i) {
  const GameState& s = g.state;
  const ItemDef& item = s.items[static_cast<size_t>(i)];
  MessageBuilder text;
  text.Add("{name}", {Term("name", item.name)});
  AddKindLabel(text, item.kind);
  text.Add("\r(所持: {owned}個)\r\r", {Arg("owned", s.owned[static_cast<size_t>(i)])});
  if (IsWorn(s, i)) text.Add(">>装備中<<");
  text.Add("\r\r");
  AddStatLines(text, item);
  text.Add("{description}", {Term("description", item.description)});
  return text.Done(g);
}

}  // namespace

void ShowEntryDetails(Game& g) {
  const std::string* line = SelectedLine(g);
  if (!line) return;
  std::string& details = g.form[W::item_l].caption;
  if (line->empty()) {
    g.world.selectedEntry = -1;
    details.clear();
    return;
  }
  const Mode mode = CurrentMode(g);
  const int32_t entry = FindEntry(g, mode, *line);
  if (entry != g.world.selectedEntry) g.host->PlayWave(0, "key2.wav");
  g.world.selectedEntry = entry;

  switch (mode) {
    case Mode::ItemList:
      details = ItemListDetails(g, g.state.items[static_cast<size_t>(entry)]);
      break;
    case Mode::Strengthen:
      details = SkillDetails(g, entry);
      break;
    case Mode::SetFrames:
      details = SetItemDetails(g, entry);
      break;
    case Mode::Equip:
      if (entry == 0) {
        details.clear();
        g.world.selectedEntry = -1;
      } else {
        details = EquipmentDetails(g, entry);
      }
      break;
    case Mode::ToolShop:
    case Mode::WanderingShop:
    case Mode::ShipShop:
      ShowShopDetails(g, entry);
      break;
    case Mode::Other:
      break;
  }
}

}  // namespace qv::items
