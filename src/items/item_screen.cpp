// Building the item panel for its current mode: the header, the captions and the list.
#include "items/item_screen.h"

#include <string>

#include "core/message.h"
#include "core/text.h"
#include "items/panel.h"

namespace qv::items {
namespace {

// Font sizes of the design are points; widgets take pixel heights (96 dots an inch).
int32_t PointsToPixels(int32_t points) {
  return (points * 96 + 36) / 72;
}

bool IsOwnedNamed(const GameState& s, int32_t i) {
  return s.owned[static_cast<size_t>(i)] >= 1 && !s.items[static_cast<size_t>(i)].name.empty();
}

bool IsEquipmentKind(int32_t kind) {
  return (kind >= kKindWeapon && kind <= kKindEarring) || kind == kKindPendant;
}

bool InAnyFrame(const GameState& s, int32_t item) {
  for (int32_t slot : s.setSlots) {
    if (slot == item) return true;
  }
  return false;
}

void ListEquipment(Game& g, std::vector<std::string>& lines) {
  const GameState& s = g.state;
  for (int32_t i = 0; i < kPerId; ++i) {
    const ItemDef& item = s.items[static_cast<size_t>(i)];
    if (!IsOwnedNamed(s, i) || !IsEquipmentKind(item.kind)) continue;
    lines.push_back((IsWorn(s, i) ? Sjis(" ＞") : Sjis("　 ")) + item.name);
  }
}

void ListSetItems(Game& g, std::vector<std::string>& lines) {
  const GameState& s = g.state;
  for (int32_t i = 0; i < kPerId; ++i) {
    const ItemDef& item = s.items[static_cast<size_t>(i)];
    if (!IsOwnedNamed(s, i) || item.kind != kKindSetItem) continue;
    lines.push_back((InAnyFrame(s, i) ? Sjis(" ＞") : std::string("   ")) + item.name);
  }
}

void ListRareItems(Game& g, std::vector<std::string>& lines) {
  const GameState& s = g.state;
  for (int32_t i = 0; i < kPerId; ++i) {
    const ItemDef& item = s.items[static_cast<size_t>(i)];
    if (IsOwnedNamed(s, i) && item.kind == kKindRare) lines.push_back(item.name);
  }
}

// "Lv 5 name", or " MAX name" from level 10: five bytes before the name either way.
void ListSkills(Game& g, std::vector<std::string>& lines) {
  const GameState& s = g.state;
  for (int32_t id = 0; id < 100; ++id) {
    const std::string& name = s.skills[static_cast<size_t>(id)].name;
    const int32_t level = s.skillLevel[static_cast<size_t>(id)];
    if (name.empty() || level < 1) continue;
    std::string number = std::to_string(level);
    if (number.size() < 2) number.insert(0, " ");
    lines.push_back((level >= 10 ? std::string(" MAX") : "Lv" + number) + " " + name);
  }
}

// The frames in use, one block each: the set-item's name and what it does, or an empty frame.
std::string SetFramesText(Game& g) {
  const GameState& s = g.state;
  MessageBuilder text;
  text.Add("セット中のカーレオ\r\r");
  const int32_t frames = UsableSetFrames(s);
  for (int32_t j = 0; j < frames; ++j) {
    const int32_t slot = s.setSlots[static_cast<size_t>(j)];
    const ItemDef& item = s.items[static_cast<size_t>(slot >= 0 && slot < kPerId ? slot : 0)];
    if (slot >= 1 && slot < kPerId && !item.name.empty()) {
      text.Add("【{name}】\r　{description}\r",
               {Term("name", item.name), Term("description", item.description)});
    } else {
      text.Add("【――――】\r\r");
    }
  }
  return text.Done(g);
}

// More books mean more frames to show: the frame list's font shrinks with the later books.
int32_t SetFramesFontPoints(const GameState& s) {
  int32_t points = 11;
  for (int32_t book = 604; book <= 608; ++book) {
    if (s.owned[static_cast<size_t>(book)] >= 1) --points;
  }
  return points;
}

void SwitchButton(Form& f, const char* caption) {
  f[W::l_btn11].caption = Sjis(caption);
  f[W::l_btn11].visible = true;
}

}  // namespace

void ShowItemScreen(Game& g) {
  Form& f = g.form;
  const GameState& s = g.state;
  ShowPanel(f, W::item_box);
  f[W::item_l].caption.clear();
  f[W::gold_l].caption =
      // a count picks its form
      Compose(g, "BP: {bp}ポイント / 所持金: {money}円",
              {Count("bp", s.bp), Arg("money", s.money)});
  Widget& list = f[W::item_list];
  list.itemIndex = -1;
  list.topIndex = 0;
  list.lines.clear();
  f[W::item_l3].visible = false;
  f[W::item_l3].caption.clear();
  f[W::l_btn11].visible = false;
  f[W::item_l4].visible = false;
  f[W::item_l4].caption.clear();

  const Mode mode = CurrentMode(g);
  switch (mode) {
    case Mode::ItemList:
      SwitchButton(f, ">技画面へ");
      f[W::item_l2].caption = Sjis("アイテム一覧");
      f[W::l_btn10].visible = false;
      ListRareItems(g, list.lines);
      break;
    case Mode::Strengthen:
      SwitchButton(f, ">アイテム画面へ");
      f[W::item_l2].caption = Sjis("技一覧");
      f[W::l_btn10].visible = true;
      f[W::item_l].caption = Sjis("どの技を強化しますか？");
      ListSkills(g, list.lines);
      break;
    case Mode::SetFrames:
      SwitchButton(f, ">装備画面へ");
      f[W::item_l2].caption = Sjis("カーレオ一覧");
      f[W::item_l3].visible = true;
      f[W::item_l3].align = Align::Left;
      f[W::item_l3].fontPx = PointsToPixels(SetFramesFontPoints(s));
      f[W::item_l].caption = Sjis("カーレオをセットして下さい。");
      f[W::item_cg].picture.clear();
      f[W::item_cg].visible = true;
      f[W::item_l3].caption = SetFramesText(g);
      f[W::l_btn10].visible = true;
      ListSetItems(g, list.lines);
      break;
    case Mode::Equip:
      SwitchButton(f, ">カーレオ画面へ");
      f[W::l_btn10].visible = true;
      f[W::item_l4].visible = true;
      f[W::item_l2].caption = Sjis("装備モード");
      f[W::item_l3].visible = true;
      f[W::item_l3].align = Align::Center;
      f[W::item_l3].fontPx = PointsToPixels(12);
      ListEquipment(g, list.lines);
      break;
    case Mode::ToolShop:
    case Mode::WanderingShop:
    case Mode::ShipShop:
      ListShopOffers(g, ShopOf(mode));
      break;
    case Mode::Other:
      break;
  }
}

}  // namespace qv::items
