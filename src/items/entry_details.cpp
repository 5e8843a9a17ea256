// The detail text of the selected list line, one layout per screen.
#include <string>

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

std::string Count(int32_t n) {
  return std::to_string(n);
}

std::string ItemListDetails(const ItemDef& item) {
  return item.name + "\r\r" + item.description + "\r\r" + Sjis("レア度: ") + Count(2 * item.price) +
         "Pt.";
}

std::string SkillDetails(const GameState& s, int32_t id) {
  const SkillDef& skill = s.skills[static_cast<size_t>(id)];
  const int32_t level = s.skillLevel[static_cast<size_t>(id)];
  return skill.name + "\r\r" + "LV " + (level >= 10 ? std::string("MAX") : Count(level)) +
         Sjis("  発動: ") + Count(s.skillUses[static_cast<size_t>(id)]) + Sjis("回") + "\r\r" +
         skill.description;
}

bool InUsableFrame(const GameState& s, int32_t item) {
  const int32_t frames = UsableSetFrames(s);
  for (int32_t j = 0; j < frames; ++j) {
    if (s.setSlots[static_cast<size_t>(j)] == item) return true;
  }
  return false;
}

std::string SetItemDetails(const GameState& s, int32_t i) {
  const ItemDef& item = s.items[static_cast<size_t>(i)];
  return item.name + "\r\r" + (InUsableFrame(s, i) ? Sjis("　　>>セット中<<") : std::string{}) +
         "\r\r" + item.description;
}

std::string EquipmentDetails(const GameState& s, int32_t i) {
  const ItemDef& item = s.items[static_cast<size_t>(i)];
  return item.name + KindLabel(item.kind) + "\r" + Sjis("(所持: ") +
         Count(s.owned[static_cast<size_t>(i)]) + Sjis("個)") + "\r\r" +
         (IsWorn(s, i) ? Sjis(">>装備中<<") : std::string{}) + "\r\r" + StatLines(item) +
         item.description;
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

  const GameState& s = g.state;
  switch (mode) {
    case Mode::ItemList:
      details = ItemListDetails(s.items[static_cast<size_t>(entry)]);
      break;
    case Mode::Strengthen:
      details = SkillDetails(s, entry);
      break;
    case Mode::SetFrames:
      details = SetItemDetails(s, entry);
      break;
    case Mode::Equip:
      if (entry == 0) {
        details.clear();
        g.world.selectedEntry = -1;
      } else {
        details = EquipmentDetails(s, entry);
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
