// The item panel's common pieces: its modes, entry lookups and what worn items add.
#include "items/panel.h"

#include <array>

#include "core/message.h"
#include "core/text.h"
#include "items/item_screen.h"

namespace qv::items {
namespace {

constexpr std::array<const char*, 7> kModeCaptions = {
    "装備", "カーレオ・ＳＥＴ", "強化", "アイテム一覧", "買う", "購入", "ＢＵＹ",
};

// One number a worn item adds, as the details show it.
struct StatLine {
  const char* label = nullptr;  // a template with {n}, ending in a line break; null: no line
  int32_t ItemDef::*field = nullptr;
};

struct KindStats {
  int32_t kind;
  const char* label;
  StatLine first, second;
};

// The equipment kinds in slot order; rings share a table row's meaning.
// clang-format off
constexpr KindStats kKindStats[] = {
    {kKindWeapon, " ≪武器≫", {"攻撃力 {n}\r", &ItemDef::attack}, {"命中率 {n}\r", &ItemDef::hitOrEvade}},
    {kKindArmor, " ≪防具≫", {"防御力 {n}\r", &ItemDef::defense}, {"回避率 {n}\r", &ItemDef::hitOrEvade}},
    {kKindHelmet, " ≪兜≫", {"防御力 {n}\r", &ItemDef::defense}, {"ｸﾘﾃｨｶﾙ率 {n}\r", &ItemDef::critRate}},
    {kKindShield, " ≪盾≫", {"防御力 {n}\r", &ItemDef::defense}, {"ガード率 {n}\r", &ItemDef::guardRate}},
    {kKindRingRight, " ≪右指輪≫", {"命中率 {n}\r", &ItemDef::ringHit}, {"回避率 {n}\r", &ItemDef::hitOrEvade}},
    {kKindRingLeft, " ≪左指輪≫", {"命中率 {n}\r", &ItemDef::ringHit}, {"回避率 {n}\r", &ItemDef::hitOrEvade}},
    {kKindWaist, " ≪腰≫", {"防御力 {n}\r", &ItemDef::defense}, {}},
    {kKindArm, " ≪腕≫", {"攻撃力 {n}\r", &ItemDef::attack}, {}},
    {kKindEarring, " ≪イヤリング≫", {}, {}},
    {kKindPendant, " ≪ペンダント≫", {}, {}},
};
// clang-format on

const KindStats* StatsOf(int32_t kind) {
  for (const KindStats& k : kKindStats) {
    if (k.kind == kind) return &k;
  }
  return nullptr;
}

}  // namespace

Mode CurrentMode(const Game& g) {
  const std::string& caption = g.form[W::l_btn10].caption;
  for (size_t i = 0; i < kModeCaptions.size(); ++i) {
    if (caption == Sjis(kModeCaptions[i])) return static_cast<Mode>(i);
  }
  return Mode::Other;
}

bool IsShopMode(Mode m) {
  return m == Mode::ToolShop || m == Mode::WanderingShop || m == Mode::ShipShop;
}

Shop ShopOf(Mode m) {
  if (m == Mode::WanderingShop) return Shop::Wandering;
  if (m == Mode::ShipShop) return Shop::Ship;
  return Shop::Tool;
}

void SetMode(Game& g, Mode mode) {
  const auto i = static_cast<size_t>(mode);
  g.form[W::l_btn10].caption = i < kModeCaptions.size() ? Sjis(kModeCaptions[i]) : std::string();
}

std::string_view WithoutPrefix(std::string_view line, size_t n) {
  return line.size() > n ? line.substr(n) : std::string_view{};
}

int32_t FindItemMatching(const GameState& s, std::string_view a, std::string_view b) {
  for (int32_t i = kPerId - 1; i >= 0; --i) {
    const std::string& name = s.items[static_cast<size_t>(i)].name;
    if (!name.empty() && (name == a || name == b)) return i;
  }
  return 0;
}

void AddKindLabel(MessageBuilder& text, int32_t kind) {
  if (const KindStats* k = StatsOf(kind)) text.Add(k->label);
}

void AddStatLines(MessageBuilder& text, const ItemDef& item) {
  const KindStats* k = StatsOf(item.kind);
  if (!k) return;
  for (const StatLine& line : {k->first, k->second}) {
    if (line.label) text.Add(line.label, {Arg("n", item.*line.field)});
  }
}

bool IsWorn(const GameState& s, int32_t item) {
  const Combatant& p = s.player();
  for (int32_t slot : {p.weapon, p.armor, p.helmet, p.shield, p.ringRight, p.ringLeft, p.waist,
                       p.arm, p.earring, p.pendant}) {
    if (slot == item) return true;
  }
  return false;
}

const std::string* SelectedLine(const Game& g) {
  const Widget& list = g.form[W::item_list];
  if (list.itemIndex < 0 || list.itemIndex >= static_cast<int32_t>(list.lines.size()))
    return nullptr;
  return &list.lines[static_cast<size_t>(list.itemIndex)];
}

void RebuildKeepingLine(Game& g) {
  const int32_t index = g.form[W::item_list].itemIndex;
  ShowItemScreen(g);
  Widget& list = g.form[W::item_list];
  // The list may have become shorter (a unique item bought): then nothing is selected.
  if (index >= 0 && index < static_cast<int32_t>(list.lines.size())) {
    list.itemIndex = index;
    ScrollListToSelection(g.form, W::item_list);
  }
  ShowEntryDetails(g);
}

int32_t UsableSetFrames(const GameState& s) {
  int32_t frames = 3;
  for (int32_t book = 600; book <= 608; ++book) {
    if (s.owned[static_cast<size_t>(book)] >= 1) ++frames;
  }
  return frames;
}

}  // namespace qv::items
