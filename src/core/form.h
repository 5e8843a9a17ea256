#pragma once
// The window's widget tree as plain data: the game's rules show, hide, move and caption
// widgets here; ui/ draws them from this model and routes events to the handlers by name.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Every widget of the form, in creation (stacking) order within its parent.
// clang-format off
enum class W : int32_t {
  cg, bak, haikei, bak2,
  map_box, cg2, map_b1, map_b0, Image1, Image2, map4_b, map5_b, map6_b, Image6, Image7, Image8,
  map_free2, map7_b, map8_b, map_h, map9_b, map10_b, map_free3, map_s, map_free4, map_free5,
  map_free6, Image3, Image4, Image5, Image9, Image10, Image11, Image12, Image13,
  battle_box, battle_list, Button1,
  com_box, l_btn_com1, l_btn_com2, l_btn_com3,
  bp_box, bp_box_cg, Label7, name_box, Label2, name_l,
  l_btn1, l_btn2, l_btn3, l_btn4, l_btn5, l_btn6, Label3,
  l_btn15, l_btn16, l_btn17, l_btn18, l_btn19, l_btn20, bp_l, Label15,
  l_btn30, l_btn32, l_btn34, l_btn36, l_btn38, l_btn31, l_btn33, l_btn35, l_btn37, l_btn39, l_btn8,
  item_box, item_l2, gold_l, item_list, Label1, item_cg, item_l, item_l3, item_l4,
  l_btn10, l_btn11, l_btn9,
  kCount
};
// clang-format on
constexpr int kWidgetCount = static_cast<int>(W::kCount);

enum class WidgetKind : int32_t { Picture, Panel, Label, LabelButton, ListBox, Edit, Button };
enum class Align : int32_t { Left, Center, Right };

constexpr uint32_t kGray = 0x808080;
constexpr uint32_t kSilver = 0xC0C0C0;

struct Rect {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

struct Widget {
  const char* name = "";  // the form's own name ("l_btn10"); label buttons begin with "l_btn"
  WidgetKind kind = WidgetKind::Panel;
  W parent = W::kCount;  // kCount: the form itself
  Rect rect;             // relative to the parent
  bool visible = false;
  std::string caption;  // CP932; labels, label buttons, the push button, the edit field's text
  uint32_t background = 0x000000;  // #RRGGBB
  uint32_t textColor = 0xFFFFFF;
  bool transparent = false;  // label drawn without its background
  int32_t fontPx = 15;       // character height in pixels
  bool bold = true;
  bool fixedPitch = false;  // ＭＳ ゴシック instead of ＭＳ Ｐゴシック
  Align align = Align::Left;
  bool centerVertically = false;
  bool wordWrap = false;
  std::string picture;             // file of cg/ shown by a picture widget; empty = none
  std::vector<std::string> lines;  // list box entries (CP932)
  int32_t itemIndex = -1;          // list box selection; -1 = none
  int32_t topIndex = 0;            // first visible list box row
  int32_t itemHeight = 0;          // list box row height in pixels
};

// What the name field shows besides its text. The text itself is the caption (CP932); the
// composition is what the input method is still composing: drawn in the field, not yet text.
struct NameEntry {
  std::string composition;         // UTF-8
  int32_t compositionCaret = 0;    // characters into the composition
  int32_t compositionSegment = 0;  // characters from the caret that are being converted
  std::string note;                // UTF-8: why the last typing was refused, if it was
  int32_t anchor = -1;             // byte position where a selection began; -1: none
  bool shift = false;              // Shift is held (arrows and clicks select)
  bool typing = false;             // the host has been told that the field takes typed text
};

struct Form {
  std::array<Widget, kWidgetCount> widgets{};
  W focus = W::kCount;     // the widget that takes keys (name field, lists, button); kCount = form
  W captured = W::kCount;  // the widget that took the last mouse press; gets its release
  bool pressed = false;    // a press reached the picture and its release is still to come
  int32_t caret = 0;       // byte position of the name field's cursor
  NameEntry entry;         // the name field's input method and its messages

  Widget& operator[](W id) { return widgets[static_cast<size_t>(id)]; }
  const Widget& operator[](W id) const { return widgets[static_cast<size_t>(id)]; }
};

// Builds every widget at its designed place, look and initial visibility.
void InitForm(Form& form);

// Shows a panel; bp_box and item_box are first moved to 0,0 so they cover the main picture.
void ShowPanel(Form& form, W id);

// Absolute position of a widget's top-left corner in window pixels.
Rect AbsoluteRect(const Form& form, W id);

// True when the widget and all its parents are visible.
bool IsShown(const Form& form, W id);

// True for the labels that act as buttons (their names begin with "l_btn").
bool IsLabelButton(const Form& form, W id);

// Hover highlight: every label button Gray, then the one under the mouse Silver.
void HighlightLabelButton(Form& form, W sender);

// The mouse left the buttons: every label button back to Gray.
void ClearLabelButtonHighlight(Form& form);

// Row height of a list box in pixels (the skill list tightens when it holds many skills).
int32_t ListRowHeight(const Form& form, W id);

// How many whole rows a list box shows.
int32_t ListVisibleRows(const Form& form, W id);

// Keeps a list box's selection in view by moving its first visible row.
void ScrollListToSelection(Form& form, W id);

}  // namespace qv
