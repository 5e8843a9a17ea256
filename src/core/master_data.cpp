#include "core/master_data.h"

#include <optional>
#include <utility>
#include <vector>

#include "core/embedded.h"
#include "core/master_tables.h"
#include "core/text.h"

namespace qv {
namespace {

// The item panel shows at most this many bytes of a rare item's text.
constexpr size_t kRareTextMaxBytes = 249;

// Every entry in its final CP932 form, built on first use and copied on every fill.
struct PreparedTables {
  std::vector<std::pair<int32_t, SkillDef>> skills;
  std::vector<std::pair<int32_t, ItemDef>> items;
};

SkillDef MakeSkill(const master::SkillRow& row) {
  SkillDef d;
  d.name = Sjis(row.name);
  d.description = Sjis(row.description);
  d.tpCost = row.tpCost;
  d.mpCost = row.mpCost;
  d.isMagic = row.isMagic;
  d.scoreValue = row.scoreValue;
  d.elemNone = (row.elements & master::kFlagNone) ? 1 : 0;
  d.elemWater = (row.elements & master::kFlagWater) ? 1 : 0;
  d.elemFire = (row.elements & master::kFlagFire) ? 1 : 0;
  d.elemLight = (row.elements & master::kFlagLight) ? 1 : 0;
  d.elemDark = (row.elements & master::kFlagDark) ? 1 : 0;
  return d;
}

ItemDef MakeItem(const master::ItemGroup& group, const master::ItemRow& row) {
  ItemDef d;
  d.name = Sjis(row.name);
  d.description = Sjis(row.description);
  d.price = row.price;
  d.kind = group.kind;
  if (group.first) d.*group.first = row.first;
  if (group.second) d.*group.second = row.second;
  return d;
}

// Cuts a text to at most maxBytes without splitting a two-byte character.
std::string CutCp932(std::string text, size_t maxBytes) {
  size_t keep = 0;
  while (keep < text.size()) {
    const size_t next = keep + Cp932CharLength(text, keep);
    if (next > maxBytes) break;
    keep = next;
  }
  text.resize(keep);
  return text;
}

// Our own texts for the rare items. A line naming something that is not a rare item, or
// holding a character with no CP932 form, is left out: that item keeps an empty text.
void AddRareTexts(PreparedTables& t) {
  for (const master::RareText& rare : master::ParseRareTexts(EmbeddedText("rare_items.txt"))) {
    for (auto& [id, item] : t.items) {
      if (id != rare.id || item.kind != kKindRare) continue;
      if (std::optional<std::string> text = Utf8ToCp932(rare.text)) {
        item.description = CutCp932(std::move(*text), kRareTextMaxBytes);
      }
    }
  }
}

PreparedTables Prepare() {
  PreparedTables t;
  for (const master::SkillRow& row : master::SkillRows()) {
    if (row.id >= 0 && row.id < kSkills) t.skills.emplace_back(row.id, MakeSkill(row));
  }
  for (auto groups : {master::EquipmentGroups(), master::CollectionGroups()}) {
    for (const master::ItemGroup& group : groups) {
      for (const master::ItemRow& row : group.rows) {
        if (row.id >= 0 && row.id < kItems) t.items.emplace_back(row.id, MakeItem(group, row));
      }
    }
  }
  AddRareTexts(t);
  return t;
}

const PreparedTables& Prepared() {
  static const PreparedTables tables = Prepare();
  return tables;
}

}  // namespace

void FillMasterData(GameState& s) {
  // Only the listed entries are written; every other record keeps what it holds (empty
  // unless a rule of the game wrote it), as the combination scripts expect.
  const PreparedTables& t = Prepared();
  for (const auto& [id, def] : t.skills) s.skills[static_cast<size_t>(id)] = def;
  for (const auto& [id, def] : t.items) s.items[static_cast<size_t>(id)] = def;
}

}  // namespace qv
