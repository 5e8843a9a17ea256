#pragma once
// The constant rows behind FillMasterData: skills and items as UTF-8 literals, grouped the
// way the catalogue is laid out. Only the master data files and their tests use this header.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/game_state.h"

namespace qv::master {

// The elements a skill carries, one bit per SkillDef flag.
enum ElementFlag : uint8_t {
  kNoFlags = 0,
  kFlagNone = 1,   // 無
  kFlagWater = 2,  // 水
  kFlagFire = 4,   // 火
  kFlagLight = 8,  // 光
  kFlagDark = 16,  // 闇
};

// One skill: id, name, TP and MP costs, magic (1), score points, elements, description.
struct SkillRow {
  int32_t id;
  const char* name;
  int32_t tpCost;
  int32_t mpCost;
  int32_t isMagic;
  int32_t scoreValue;
  uint8_t elements;
  const char* description;
};

// One catalogue entry. What `first` and `second` mean depends on its group (attack and hit
// for weapons, unique and amount for the Fatma items, ...).
struct ItemRow {
  int32_t id;
  const char* name;
  int32_t price;
  int32_t first;
  int32_t second;
  const char* description;
};

// A run of entries of one kind and the two ItemDef columns its rows fill (null: none).
struct ItemGroup {
  int32_t kind;
  int32_t ItemDef::*first;
  int32_t ItemDef::*second;
  std::span<const ItemRow> rows;
};

// Every learnable and enemy-only skill.
std::span<const SkillRow> SkillRows();

// Weapons, armour and every accessory worn in an equipment slot.
std::span<const ItemGroup> EquipmentGroups();

// Books, set-items, the Fatma items that raise the maxima, and the rare items (whose
// descriptions come from data/rare_items.txt).
std::span<const ItemGroup> CollectionGroups();

// One description of a rare item as written in data/rare_items.txt.
struct RareText {
  int32_t id = 0;
  std::string_view name;  // UTF-8, for readers of the file; the catalogue's name wins
  std::string_view text;  // UTF-8
};

// Reads the rare-item texts: one "id|name|text" a line; blank lines and lines starting with
// '#' are skipped, and so is any line that does not hold a number from 0 to 999 and two bars.
std::vector<RareText> ParseRareTexts(std::string_view utf8);

}  // namespace qv::master
