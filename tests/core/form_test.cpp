#include "core/form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "core/text.h"
#include "flow/form_handlers.h"
#include "support/fake_host.h"

namespace qv {
namespace {

W Id(int i) {
  return static_cast<W>(i);
}

TEST(Form, EveryWidgetIsBuiltOnceWithAParentBeforeIt) {
  Form f;
  InitForm(f);
  std::set<std::string> names;
  for (int i = 0; i < kWidgetCount; ++i) {
    const Widget& w = f[Id(i)];
    ASSERT_GT(std::strlen(w.name), 0u) << i;
    EXPECT_TRUE(names.insert(w.name).second) << w.name;
    // Children come after their parent, so drawing in order stacks them above it.
    if (w.parent != W::kCount) {
      EXPECT_LT(static_cast<int>(w.parent), i) << w.name;
    }
  }
}

TEST(Form, AtStartOnlyTheMainPictureShows) {
  Form f;
  InitForm(f);
  for (int i = 0; i < kWidgetCount; ++i) {
    const W id = Id(i);
    EXPECT_EQ(IsShown(f, id), id == W::cg) << f[id].name;
  }
  for (W panel : {W::map_box, W::battle_box, W::com_box, W::bp_box, W::item_box}) {
    EXPECT_FALSE(f[panel].visible);
  }
  EXPECT_FALSE(f[W::item_cg].visible);
  EXPECT_TRUE(f[W::l_btn10].visible);  // shown with its panel
}

TEST(Form, DesignedPlacesAndLooks) {
  Form f;
  InitForm(f);
  const Rect r = f[W::l_btn32].rect;
  EXPECT_EQ(r.left, 112);
  EXPECT_EQ(r.width, 81);
  EXPECT_EQ(f[W::l_btn39].rect.width, 69);
  EXPECT_EQ(f[W::Button1].caption, Sjis("発動"));
  EXPECT_EQ(f[W::l_btn11].caption, Sjis(">切り替え"));
  EXPECT_EQ(f[W::battle_list].itemHeight, 17);
  EXPECT_EQ(f[W::item_list].itemHeight, 15);
  EXPECT_TRUE(f[W::item_list].fixedPitch);
  EXPECT_EQ(f[W::battle_list].background, 0x323D47u);
  // name_l sits in name_box, which sits in bp_box.
  ShowPanel(f, W::bp_box);
  const Rect name = AbsoluteRect(f, W::name_l);
  EXPECT_EQ(name.left, 124 + 52);
  EXPECT_EQ(name.top, 52 + 24);
}

TEST(Form, OverlaysReturnToTheCornerWheneverShown) {
  Form f;
  InitForm(f);
  f[W::item_box].rect.left = 300;
  f[W::item_box].rect.top = 77;
  ShowPanel(f, W::item_box);
  EXPECT_EQ(f[W::item_box].rect.left, 0);
  EXPECT_EQ(f[W::item_box].rect.top, 0);
  ShowPanel(f, W::bp_box);
  EXPECT_EQ(f[W::bp_box].rect.left, 0);
  // Other panels keep their place.
  ShowPanel(f, W::battle_box);
  EXPECT_EQ(f[W::battle_box].rect.left, 644);
}

int SilverCount(const Form& f) {
  int n = 0;
  for (const Widget& w : f.widgets)
    n += (std::strncmp(w.name, "l_btn", 5) == 0 && w.background == kSilver);
  return n;
}

TEST(Form, HoverLeavesExactlyOneSilverButton) {
  testing::TestGame t;
  Game& g = t.g();
  l_btn1MouseMove(g, W::l_btn1, 0, 0);
  l_btn1MouseMove(g, W::l_btn15, 0, 0);
  EXPECT_EQ(SilverCount(g.form), 1);
  EXPECT_EQ(g.form[W::l_btn15].background, kSilver);
  EXPECT_EQ(g.form[W::l_btn1].background, kGray);
  // Onto the item list: everything back to Gray.
  bp_boxMouseMove(g, 0, 0);
  EXPECT_EQ(SilverCount(g.form), 0);
  // Only names that begin with l_btn are buttons.
  EXPECT_TRUE(IsLabelButton(g.form, W::l_btn_com3));
  EXPECT_FALSE(IsLabelButton(g.form, W::Label7));
  HighlightLabelButton(g.form, W::Label7);
  EXPECT_EQ(SilverCount(g.form), 0);
}

TEST(Form, ListsScrollToKeepTheSelectionInView) {
  Form f;
  InitForm(f);
  Widget& list = f[W::item_list];
  list.lines.assign(60, "x");
  const int32_t rows = ListVisibleRows(f, W::item_list);
  EXPECT_EQ(rows, 417 / 15);
  list.itemIndex = 40;
  ScrollListToSelection(f, W::item_list);
  EXPECT_EQ(list.topIndex, 40 - rows + 1);
  list.itemIndex = 3;
  ScrollListToSelection(f, W::item_list);
  EXPECT_EQ(list.topIndex, 3);
  // More than 24 skills tighten the skill list's rows.
  f[W::battle_list].lines.assign(24, "s");
  EXPECT_EQ(ListRowHeight(f, W::battle_list), 17);
  f[W::battle_list].lines.assign(25, "s");
  EXPECT_EQ(ListRowHeight(f, W::battle_list), 15);
}

}  // namespace
}  // namespace qv
