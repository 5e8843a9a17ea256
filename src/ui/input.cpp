#include "ui/input.h"

#include <algorithm>
#include <cstdint>

#include "battle/player_choice.h"
#include "creation/creation_handlers.h"
#include "flow/form_handlers.h"
#include "flow/startup.h"
#include "items/panel_actions.h"
#include "ui/name_field.h"
#include "ui/surfaces.h"
#include "world/explore.h"
#include "world/map_handlers.h"

namespace qv::ui {
namespace {

// A handler of a press or a release, with the position inside the widget.
using MouseHandler = void (*)(Game&, int32_t, int32_t, bool);

void BattleList(Game& g, int32_t, int32_t, bool) {
  battle_listMouseDown(g);
}
void ItemList(Game& g, int32_t, int32_t, bool) {
  item_listMouseDown(g);
}

// The push button fires when it is released over itself with the left button.
void Button1Up(Game& g, int32_t x, int32_t y, bool right) {
  const Rect at = AbsoluteRect(g.form, W::Button1);
  if (!right && WidgetAt(g, at.left + x, at.top + y) == W::Button1) Button1Click(g);
}

// What a press on each widget runs, and what its release runs. The bare form is the main
// picture's; a list runs its handler again on release, as the window system's list box does.
struct Route {
  W id;
  MouseHandler down;
  MouseHandler up = nullptr;
};
constexpr Route kRoutes[] = {
    {W::cg, cgMouseDown, cgMouseUp},      {W::battle_list, BattleList, BattleList},
    {W::item_list, ItemList, ItemList},   {W::Button1, nullptr, Button1Up},
    {W::map_b1, map_b1MouseDown},         {W::map_b0, map_b0MouseDown},
    {W::Image1, Image1MouseDown},         {W::Image2, Image2MouseDown},
    {W::map4_b, map4_bMouseDown},         {W::map5_b, map5_bMouseDown},
    {W::map6_b, map6_bMouseDown},         {W::Image6, Image6MouseDown},
    {W::Image7, Image7MouseDown},         {W::Image8, Image8MouseDown},
    {W::map_free2, map_free2MouseDown},   {W::map7_b, map7_bMouseDown},
    {W::map8_b, map8_bMouseDown},         {W::map_h, map_hMouseDown},
    {W::map9_b, map9_bMouseDown},         {W::map10_b, map10_bMouseDown},
    {W::map_free3, map_free3MouseDown},   {W::map_s, map_sMouseDown},
    {W::map_free4, map_free4MouseDown},   {W::map_free5, map_free5MouseDown},
    {W::map_free6, map_free6MouseDown},   {W::Image3, Image3MouseDown},
    {W::Image4, Image4MouseDown},         {W::Image5, Image5MouseDown},
    {W::Image9, Image9MouseDown},         {W::Image10, Image10MouseDown},
    {W::Image11, Image11MouseDown},       {W::Image12, Image12MouseDown},
    {W::Image13, Image13MouseDown},       {W::l_btn_com1, l_btn_com1MouseDown},
    {W::l_btn_com2, l_btn_com2MouseDown}, {W::l_btn_com3, l_btn_com3MouseDown},
    {W::l_btn1, l_btn1MouseDown},         {W::l_btn2, l_btn2MouseDown},
    {W::l_btn3, l_btn3MouseDown},         {W::l_btn4, l_btn4MouseDown},
    {W::l_btn5, l_btn5MouseDown},         {W::l_btn6, l_btn6MouseDown},
    {W::l_btn15, l_btn15MouseDown},       {W::l_btn16, l_btn16MouseDown},
    {W::l_btn17, l_btn17MouseDown},       {W::l_btn18, l_btn18MouseDown},
    {W::l_btn19, l_btn19MouseDown},       {W::l_btn20, l_btn20MouseDown},
    {W::l_btn30, l_btn30MouseDown},       {W::l_btn31, l_btn31MouseDown},
    {W::l_btn32, l_btn32MouseDown},       {W::l_btn33, l_btn33MouseDown},
    {W::l_btn34, l_btn34MouseDown},       {W::l_btn35, l_btn35MouseDown},
    {W::l_btn36, l_btn36MouseDown},       {W::l_btn37, l_btn37MouseDown},
    {W::l_btn38, l_btn38MouseDown},       {W::l_btn39, l_btn39MouseDown},
    {W::l_btn8, l_btn8MouseDown},         {W::l_btn10, l_btn10MouseDown},
    {W::l_btn11, l_btn11MouseDown},       {W::l_btn9, l_btn9MouseDown},
};

const Route* RouteOf(W id) {
  for (const Route& r : kRoutes) {
    if (r.id == id) return &r;
  }
  return nullptr;
}

// Widgets whose mouse move clears the label buttons' highlight.
constexpr W kLeaveSenders[] = {W::bp_box, W::item_list, W::gold_l, W::Label1,
                               W::item_l, W::item_l3,   W::item_l4};

bool Contains(const Rect& r, int32_t x, int32_t y) {
  return x >= r.left && y >= r.top && x < r.left + r.width && y < r.top + r.height;
}

// Inside the widget and inside every parent (a child is cut off at its parent's edge).
bool Hits(const Form& form, W id, int32_t x, int32_t y) {
  for (W p = id; p != W::kCount; p = form[p].parent) {
    if (!Contains(AbsoluteRect(form, p), x, y)) return false;
  }
  return true;
}

void SelectRowAt(Game& g, W id, int32_t localY) {
  Widget& w = g.form[id];
  const int32_t row = w.topIndex + localY / ListRowHeight(g.form, id);
  if (row >= 0 && row < static_cast<int32_t>(w.lines.size())) {
    w.itemIndex = row;
    ScrollListToSelection(g.form, id);
  }
}

bool Focused(const Game& g, W id) {
  return g.form.focus == id && IsShown(g.form, id);
}

// Moves a list's selection by keys, as the window system's list box does.
bool MoveSelection(Game& g, W id, int32_t key) {
  Widget& w = g.form[id];
  const int32_t count = static_cast<int32_t>(w.lines.size());
  if (count == 0) return false;
  const int32_t page = std::max(ListVisibleRows(g.form, id) - 1, 1);
  int32_t i = w.itemIndex;
  switch (key) {
    case kVkUp:
      i = i < 0 ? 0 : i - 1;
      break;
    case kVkDown:
      i = i < 0 ? 0 : i + 1;
      break;
    case kVkPrior:
      i -= page;
      break;
    case kVkNext:
      i = i < 0 ? page : i + page;
      break;
    case kVkHome:
      i = 0;
      break;
    case kVkEnd:
      i = count - 1;
      break;
    default:
      return false;
  }
  i = std::clamp(i, 0, count - 1);
  if (i == w.itemIndex) return false;
  w.itemIndex = i;
  ScrollListToSelection(g.form, id);
  return true;
}

}  // namespace

W WidgetAt(const Game& g, int32_t x, int32_t y) {
  for (int i = kWidgetCount - 1; i >= 0; --i) {
    const W id = static_cast<W>(i);
    if (IsShown(g.form, id) && Hits(g.form, id, x, y)) return id;
  }
  return W::kCount;
}

namespace {

void RouteMouseDown(Game& g, int32_t x, int32_t y, bool right) {
  // A press on the bare form is the main picture's.
  W id = WidgetAt(g, x, y);
  if (id == W::kCount) id = W::cg;
  g.form.captured = id;
  g.form.pressed = true;
  // A press anywhere else takes the keyboard from the name field before any handler runs,
  // so no button, list or picture ever gets what the input method was composing.
  if (id != W::name_l && g.form.focus == W::name_l) {
    g.form.focus = W::kCount;
    SyncTextInput(g);
  }
  const Rect at = AbsoluteRect(g.form, id);
  const int32_t lx = x - at.left, ly = y - at.top;
  switch (g.form[id].kind) {
    case WidgetKind::ListBox:
      g.form.focus = id;
      if (!right) SelectRowAt(g, id, ly);
      break;
    case WidgetKind::Edit:
      g.form.focus = id;
      PlaceNameCaret(g, lx, false);
      break;
    case WidgetKind::Button:
      g.form.focus = id;
      break;
    default:
      break;
  }
  const Route* r = RouteOf(id);
  if (r && r->down) r->down(g, lx, ly, right);
}

void RouteMouseUp(Game& g, int32_t x, int32_t y, bool right) {
  // A release whose press went elsewhere (a box, another window) belongs to nobody here.
  if (!g.form.pressed) return;
  const W id = g.form.captured;
  g.form.pressed = false;
  g.form.captured = W::kCount;
  if (!IsShown(g.form, id)) return;
  const Rect at = AbsoluteRect(g.form, id);
  const Route* r = RouteOf(id);
  if (r && r->up) r->up(g, x - at.left, y - at.top, right);
}

void RouteKeyDown(Game& g, int32_t key) {
  if (Focused(g, W::name_l)) {
    NameFieldKey(g, key);
    return;
  }
  if (Focused(g, W::item_list)) {
    // The panel's handler sees the key before the list moves, and again on release.
    item_listKeyDown(g, key);
    if (IsShown(g.form, W::item_list)) MoveSelection(g, W::item_list, key);
    return;
  }
  if (Focused(g, W::battle_list)) {
    // A keyboard choice counts like a click, so the skill shown is the skill that fires.
    if (MoveSelection(g, W::battle_list, key)) battle_listMouseDown(g);
    return;
  }
  if (Focused(g, W::Button1) && (key == kVkEnter || key == kVkSpace)) {
    Button1Click(g);
    return;
  }
  FormKeyDown(g, key);
}

void RouteKeyUp(Game& g, int32_t key) {
  if (Focused(g, W::name_l)) NameFieldKeyUp(g, key);
  if (Focused(g, W::item_list)) {
    item_listKeyDown(g, key);
    return;
  }
  FormKeyUp(g, key);
}

}  // namespace

void MouseMove(Game& g, int32_t x, int32_t y) {
  if (g.form.pressed && g.form.captured == W::name_l && NameFieldFocused(g)) {
    // Dragging in the name field selects.
    PlaceNameCaret(g, x - AbsoluteRect(g.form, W::name_l).left, true);
    return;
  }
  const W id = WidgetAt(g, x, y);
  if (id == W::kCount || id == W::cg) {
    cgMouseMove(g, x, y);
    return;
  }
  const Rect at = AbsoluteRect(g.form, id);
  if (IsLabelButton(g.form, id)) {
    l_btn1MouseMove(g, id, x - at.left, y - at.top);
    return;
  }
  if (std::find(std::begin(kLeaveSenders), std::end(kLeaveSenders), id) !=
      std::end(kLeaveSenders)) {
    bp_boxMouseMove(g, x - at.left, y - at.top);
  }
}

void MouseWheel(Game& g, int32_t x, int32_t y, int32_t delta) {
  const W id = WidgetAt(g, x, y);
  if (id == W::kCount || g.form[id].kind != WidgetKind::ListBox) return;
  Widget& w = g.form[id];
  w.topIndex -= std::clamp(delta, -100, 100) * 3;
  const int32_t count = static_cast<int32_t>(w.lines.size());
  w.topIndex = std::clamp(w.topIndex, 0, std::max(count - ListVisibleRows(g.form, id), 0));
}

// Every event may move the keyboard to or from the name field (a click, a panel that a
// handler hides or shows); the host hears of it once the event is handled.
void MouseDown(Game& g, int32_t x, int32_t y, bool right) {
  RouteMouseDown(g, x, y, right);
  SyncTextInput(g);
}

void MouseUp(Game& g, int32_t x, int32_t y, bool right) {
  RouteMouseUp(g, x, y, right);
  SyncTextInput(g);
}

void KeyDown(Game& g, int32_t key) {
  RouteKeyDown(g, key);
  SyncTextInput(g);
}

void KeyUp(Game& g, int32_t key) {
  RouteKeyUp(g, key);
  SyncTextInput(g);
}

void TextInput(Game& g, std::string_view utf8) {
  CommitName(g, utf8);
  SyncTextInput(g);
}

void TextEditing(Game& g, std::string_view utf8, int32_t caret, int32_t segment) {
  ComposeName(g, utf8, caret, segment);
  SyncTextInput(g);
}

bool TextFieldFocused(const Game& g) {
  return NameFieldFocused(g);
}

Rect TextFieldRect(const Game& g) {
  return AbsoluteRect(g.form, W::name_l);
}

}  // namespace qv::ui
