#include "core/form.h"

#include <algorithm>
#include <cstring>

#include "core/game.h"
#include "core/text.h"

namespace qv {
namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kTitleBack = 0x686897;  // headings of the panels
constexpr uint32_t kTitleText = 0xBFC0DB;
constexpr uint32_t kInfoBack = 0x15151E;  // information labels of the item panel
constexpr uint32_t kHintText = 0xA5A5A5;
constexpr uint32_t kButtonFace = 0xD4D0C8;  // the push button's face

Widget& Put(Form& f, W id, const char* name, WidgetKind kind, W parent, Rect r,
            bool visible = true) {
  Widget& w = f[id];
  w = Widget{};
  w.name = name;
  w.kind = kind;
  w.parent = parent;
  w.rect = r;
  w.visible = visible;
  return w;
}

// A panel of the form: black, parked until a handler shows it.
void PutPanel(Form& f, W id, const char* name, Rect r) {
  Put(f, id, name, WidgetKind::Panel, W::kCount, r, false).background = kBlack;
}

// A label that acts as a button: Gray, black bold text centred both ways.
Widget& PutButton(Form& f, W id, const char* name, W parent, Rect r, const char* caption) {
  Widget& w = Put(f, id, name, WidgetKind::LabelButton, parent, r);
  w.caption = Sjis(caption);
  w.background = kGray;
  w.textColor = kBlack;
  w.align = Align::Center;
  w.centerVertically = true;
  return w;
}

Widget& PutLabel(Form& f, W id, const char* name, W parent, Rect r, const char* caption,
                 uint32_t background, uint32_t text, int32_t px) {
  Widget& w = Put(f, id, name, WidgetKind::Label, parent, r);
  w.caption = Sjis(caption);
  w.background = background;
  w.textColor = text;
  w.fontPx = px;
  return w;
}

// The clickable places of the island map: invisible areas over the map picture.
struct MapSpot {
  W id;
  const char* name;
  Rect rect;
};
constexpr MapSpot kMapSpots[] = {
    {W::map_b1, "map_b1", {292, 148, 77, 29}},       {W::map_b0, "map_b0", {240, 120, 29, 29}},
    {W::Image1, "Image1", {148, 200, 61, 29}},       {W::Image2, "Image2", {448, 124, 65, 33}},
    {W::map4_b, "map4_b", {84, 256, 25, 21}},        {W::map5_b, "map5_b", {284, 248, 57, 49}},
    {W::map6_b, "map6_b", {380, 180, 49, 45}},       {W::Image6, "Image6", {32, 72, 25, 21}},
    {W::Image7, "Image7", {536, 428, 105, 45}},      {W::Image8, "Image8", {535, 380, 105, 45}},
    {W::map_free2, "map_free2", {320, 112, 45, 21}}, {W::map7_b, "map7_b", {533, 294, 25, 53}},
    {W::map8_b, "map8_b", {111, 67, 25, 21}},        {W::map_h, "map_h", {8, 128, 20, 20}},
    {W::map9_b, "map9_b", {48, 360, 41, 29}},        {W::map10_b, "map10_b", {260, 388, 41, 29}},
    {W::map_free3, "map_free3", {332, 88, 27, 17}},  {W::map_s, "map_s", {8, 152, 21, 21}},
    {W::map_free4, "map_free4", {340, 60, 27, 17}},  {W::map_free5, "map_free5", {352, 36, 27, 17}},
    {W::map_free6, "map_free6", {320, 12, 30, 30}},  {W::Image3, "Image3", {296, 200, 29, 29}},
    {W::Image4, "Image4", {576, 20, 29, 29}},        {W::Image5, "Image5", {424, 396, 53, 33}},
    {W::Image9, "Image9", {480, 16, 49, 41}},        {W::Image10, "Image10", {468, 192, 61, 57}},
    {W::Image11, "Image11", {0, 0, 45, 41}},         {W::Image12, "Image12", {148, 128, 45, 41}},
    {W::Image13, "Image13", {292, 424, 45, 41}},
};

// The label buttons of the creation panel (69 x 25 unless a width is given).
struct CreationButton {
  W id;
  const char* name;
  int32_t left, top, width;
  const char* caption;
};
// clang-format off
constexpr CreationButton kCreationButtons[] = {
    {W::l_btn1, "l_btn1", 152, 108, 69, "STR"},       {W::l_btn2, "l_btn2", 224, 108, 69, "VIT"},
    {W::l_btn3, "l_btn3", 152, 136, 69, "最大HP"},    {W::l_btn4, "l_btn4", 224, 136, 69, "最大MP"},
    {W::l_btn5, "l_btn5", 152, 164, 69, "命中率"},    {W::l_btn6, "l_btn6", 224, 164, 69, "回避率"},
    {W::l_btn15, "l_btn15", 152, 228, 69, "お金持ち"}, {W::l_btn16, "l_btn16", 224, 228, 69, "冒険者"},
    {W::l_btn17, "l_btn17", 152, 256, 69, "臆病者"},  {W::l_btn18, "l_btn18", 224, 256, 69, "反社会者"},
    {W::l_btn19, "l_btn19", 152, 284, 69, "賢者"},    {W::l_btn20, "l_btn20", 224, 284, 69, "狂人"},
    {W::l_btn30, "l_btn30", 40, 372, 69, "人間男"},   {W::l_btn32, "l_btn32", 112, 372, 81, "QRTV団男"},
    {W::l_btn34, "l_btn34", 196, 372, 69, "魔族男"},  {W::l_btn36, "l_btn36", 268, 372, 69, "獣人男"},
    {W::l_btn38, "l_btn38", 340, 372, 69, "仮面男"},  {W::l_btn31, "l_btn31", 40, 400, 69, "人間女"},
    {W::l_btn33, "l_btn33", 112, 400, 81, "QRTV団女"}, {W::l_btn35, "l_btn35", 196, 400, 69, "魔族女"},
    {W::l_btn37, "l_btn37", 268, 400, 69, "獣人女"},  {W::l_btn39, "l_btn39", 340, 400, 69, "仮面女"},
};
// clang-format on

void BuildCreationPanel(Form& f) {
  PutPanel(f, W::bp_box, "bp_box", {660, 248, 641, 481});
  Put(f, W::bp_box_cg, "bp_box_cg", WidgetKind::Picture, W::bp_box, {400, 32, 237, 417})
      .transparent = true;
  PutLabel(f, W::Label7, "Label7", W::bp_box, {4, 4, 633, 25}, "ステータス分配", kTitleBack,
           kTitleText, 12);
  Put(f, W::name_box, "name_box", WidgetKind::Panel, W::bp_box, {124, 52, 185, 49}).background =
      0x1E1E1E;
  PutLabel(f, W::Label2, "Label2", W::name_box, {8, 28, 44, 15}, "なまえ", 0x1E1E1E, kSilver, 15);
  Widget& name = Put(f, W::name_l, "name_l", WidgetKind::Edit, W::name_box, {52, 24, 129, 21});
  name.background = kSilver;
  name.textColor = kBlack;
  for (int i = 0; i < 6; ++i) {
    const CreationButton& b = kCreationButtons[i];
    PutButton(f, b.id, b.name, W::bp_box, {b.left, b.top, b.width, 25}, b.caption);
  }
  Widget& hint =
      PutLabel(f, W::Label3, "Label3", W::bp_box, {12, 200, 433, 12},
               "たった１つだけ上昇させられます。上昇させたいパラメーターを選択して下さい。", kBlack,
               kHintText, 12);
  hint.transparent = true;
  for (int i = 6; i < 12; ++i) {
    const CreationButton& b = kCreationButtons[i];
    PutButton(f, b.id, b.name, W::bp_box, {b.left, b.top, b.width, 25}, b.caption);
  }
  Widget& summary =
      PutLabel(f, W::bp_l, "bp_l", W::bp_box, {8, 320, 433, 15}, "タイプ > ", kBlack, kSilver, 15);
  summary.transparent = true;
  summary.align = Align::Center;
  PutLabel(f, W::Label15, "Label15", W::bp_box, {132, 352, 184, 12},
           "下より種族・性別を選んでください", kBlack, kHintText, 12);
  for (size_t i = 12; i < std::size(kCreationButtons); ++i) {
    const CreationButton& b = kCreationButtons[i];
    PutButton(f, b.id, b.name, W::bp_box, {b.left, b.top, b.width, 25}, b.caption);
  }
  PutButton(f, W::l_btn8, "l_btn8", W::bp_box, {4, 452, 633, 25}, "OK");
}

void BuildItemPanel(Form& f) {
  PutPanel(f, W::item_box, "item_box", {731, 364, 642, 481});
  Widget& title = PutLabel(f, W::item_l2, "item_l2", W::item_box, {4, 4, 225, 25}, "どうぐや",
                           kTitleBack, kTitleText, 12);
  title.align = Align::Center;
  Widget& gold = PutLabel(f, W::gold_l, "gold_l", W::item_box, {232, 4, 405, 25}, "", kInfoBack,
                          kTitleText, 12);
  gold.align = Align::Right;
  gold.wordWrap = true;
  Widget& list =
      Put(f, W::item_list, "item_list", WidgetKind::ListBox, W::item_box, {4, 32, 225, 417});
  list.background = 0x191919;
  list.textColor = kWhite;
  list.fixedPitch = true;
  list.itemHeight = 15;
  Widget& info = PutLabel(f, W::Label1, "Label1", W::item_box, {232, 32, 405, 417}, "", kInfoBack,
                          kTitleText, 12);
  info.align = Align::Center;
  info.centerVertically = true;
  info.wordWrap = true;
  Put(f, W::item_cg, "item_cg", WidgetKind::Picture, W::item_box, {588, 36, 50, 45}, false);
  Widget& detail = PutLabel(f, W::item_l, "item_l", W::item_box, {296, 72, 285, 269}, "", kBlack,
                            kTitleText, 16);
  detail.align = Align::Center;
  detail.wordWrap = true;
  detail.transparent = true;
  Widget& status = PutLabel(f, W::item_l3, "item_l3", W::item_box, {236, 192, 397, 253}, "",
                            kInfoBack, 0xA9CFCF, 16);
  status.align = Align::Center;
  status.centerVertically = true;
  Widget& message = PutLabel(f, W::item_l4, "item_l4", W::item_box, {232, 424, 405, 25}, "", kBlack,
                             0xFF8000, 13);
  message.align = Align::Center;
  message.centerVertically = true;
  message.wordWrap = true;
  message.transparent = true;
  PutButton(f, W::l_btn10, "l_btn10", W::item_box, {96, 452, 133, 25}, "USE");
  PutButton(f, W::l_btn11, "l_btn11", W::item_box, {396, 452, 129, 25}, ">切り替え");
  PutButton(f, W::l_btn9, "l_btn9", W::item_box, {528, 452, 109, 25}, ">CLOSE");
}

}  // namespace

void InitForm(Form& form) {
  for (Widget& w : form.widgets) w = Widget{};
  form.focus = W::kCount;
  form.captured = W::kCount;
  form.pressed = false;
  form.caret = 0;

  Put(form, W::cg, "cg", WidgetKind::Picture, W::kCount, {0, 0, 640, 480});
  Put(form, W::bak, "bak", WidgetKind::Picture, W::kCount, {644, 12, 117, 89}, false);
  Put(form, W::haikei, "haikei", WidgetKind::Picture, W::kCount, {648, 220, 117, 89}, false)
      .transparent = true;
  Put(form, W::bak2, "bak2", WidgetKind::Picture, W::kCount, {642, 108, 117, 89}, false);

  PutPanel(form, W::map_box, "map_box", {0, 0, 640, 480});
  Put(form, W::cg2, "cg2", WidgetKind::Picture, W::map_box, {0, 0, 640, 480});
  for (const MapSpot& s : kMapSpots) {
    // The shop and the ship appear only where the map places them.
    const bool placed = s.id != W::map_h && s.id != W::map_s;
    Put(form, s.id, s.name, WidgetKind::Picture, W::map_box, s.rect, placed).transparent = true;
  }

  PutPanel(form, W::battle_box, "battle_box", {644, 0, 173, 465});
  Widget& skills = Put(form, W::battle_list, "battle_list", WidgetKind::ListBox, W::battle_box,
                       {4, 4, 165, 417});
  skills.background = 0x323D47;
  skills.textColor = kSilver;
  skills.itemHeight = 17;
  Widget& fire =
      Put(form, W::Button1, "Button1", WidgetKind::Button, W::battle_box, {4, 424, 165, 37});
  fire.caption = Sjis("発動");
  fire.background = kButtonFace;
  fire.textColor = kBlack;
  fire.align = Align::Center;
  fire.centerVertically = true;

  PutPanel(form, W::com_box, "com_box", {524, 484, 337, 113});
  PutButton(form, W::l_btn_com1, "l_btn_com1", W::com_box, {4, 4, 329, 33}, "");
  PutButton(form, W::l_btn_com2, "l_btn_com2", W::com_box, {4, 40, 329, 33}, "");
  PutButton(form, W::l_btn_com3, "l_btn_com3", W::com_box, {4, 76, 329, 33}, "");

  BuildCreationPanel(form);
  BuildItemPanel(form);
}

void ShowPanel(Form& form, W id) {
  if (id == W::bp_box || id == W::item_box) {
    form[id].rect.left = 0;
    form[id].rect.top = 0;
  }
  form[id].visible = true;
}

Rect AbsoluteRect(const Form& form, W id) {
  Rect r = form[id].rect;
  for (W p = form[id].parent; p != W::kCount; p = form[p].parent) {
    r.left += form[p].rect.left;
    r.top += form[p].rect.top;
  }
  return r;
}

bool IsShown(const Form& form, W id) {
  for (W p = id; p != W::kCount; p = form[p].parent) {
    if (!form[p].visible) return false;
  }
  return true;
}

bool IsLabelButton(const Form& form, W id) {
  return std::strncmp(form[id].name, "l_btn", 5) == 0;
}

void HighlightLabelButton(Form& form, W sender) {
  ClearLabelButtonHighlight(form);
  if (sender != W::kCount && IsLabelButton(form, sender)) form[sender].background = kSilver;
}

void ClearLabelButtonHighlight(Form& form) {
  for (int i = 0; i < kWidgetCount; ++i) {
    if (IsLabelButton(form, static_cast<W>(i)))
      form.widgets[static_cast<size_t>(i)].background = kGray;
  }
}

int32_t ListRowHeight(const Form& form, W id) {
  const Widget& w = form[id];
  // More than 24 skills would not fit at the designed height.
  if (id == W::battle_list && w.lines.size() > 24) return 15;
  return std::max<int32_t>(w.itemHeight, 1);
}

int32_t ListVisibleRows(const Form& form, W id) {
  return std::max<int32_t>(form[id].rect.height / ListRowHeight(form, id), 1);
}

void ScrollListToSelection(Form& form, W id) {
  Widget& w = form[id];
  const int32_t count = static_cast<int32_t>(w.lines.size());
  const int32_t rows = ListVisibleRows(form, id);
  if (w.itemIndex >= 0 && w.itemIndex < count) {
    if (w.itemIndex < w.topIndex) w.topIndex = w.itemIndex;
    if (w.itemIndex >= w.topIndex + rows) w.topIndex = w.itemIndex - rows + 1;
  }
  w.topIndex = std::clamp<int32_t>(w.topIndex, 0, std::max<int32_t>(count - rows, 0));
}

}  // namespace qv
