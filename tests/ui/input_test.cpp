#include "ui/input.h"

#include <gtest/gtest.h>

#include "battle/sequencer_steps.h"
#include "core/master_data.h"
#include "core/text.h"
#include "ui_fixture.h"

namespace qv {
namespace {

using testing::UiGame;

TEST(Input, ClicksOnTheMainPictureAdvanceTheOpeningScreens) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = -2;
  ui::MouseDown(g, 100, 100, /*right=*/true);
  ui::MouseUp(g, 100, 100, true);
  EXPECT_EQ(g.screen.scene, -2);
  ui::MouseDown(g, 100, 100, false);
  ui::MouseUp(g, 100, 100, false);
  EXPECT_EQ(g.screen.scene, -1);
}

TEST(Input, KeysWithoutAFocusedWidgetGoToTheForm) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = -2;
  ui::KeyDown(g, ui::kVkEnter);
  EXPECT_EQ(g.screen.scene, -1);
}

TEST(Input, TheTopmostShownWidgetTakesTheClick) {
  UiGame t;
  Game& g = t.g();
  EXPECT_EQ(ui::WidgetAt(g, 600, 450), W::cg);
  ShowPanel(g.form, W::item_box);
  EXPECT_EQ(ui::WidgetAt(g, 530, 460), W::l_btn9);
  EXPECT_EQ(ui::WidgetAt(g, 300, 40), W::Label1);
  EXPECT_EQ(ui::WidgetAt(g, 600, 50), W::Label1);  // item_cg is hidden
  g.form[W::item_cg].visible = true;
  EXPECT_EQ(ui::WidgetAt(g, 600, 50), W::item_cg);
  // A child is cut off at its parent's edge.
  g.form[W::item_box].rect.left = -600;
  EXPECT_EQ(ui::WidgetAt(g, 30, 460), W::l_btn9);
  EXPECT_EQ(ui::WidgetAt(g, 50, 460), W::cg);
  // A click on the bare creation panel does not reach the main picture.
  g.screen.scene = -2;
  ShowPanel(g.form, W::bp_box);
  ui::MouseDown(g, 20, 300, false);
  EXPECT_EQ(g.screen.scene, -2);
}

TEST(Input, ListRowsAreChosenByClickAndKeys) {
  UiGame t;
  Game& g = t.g();
  ShowPanel(g.form, W::item_box);
  Widget& list = g.form[W::item_list];
  list.lines.assign(40, "item");
  // Row 3 of the 15-pixel list that starts at 32 + 4 pixels inside the panel.
  ui::MouseDown(g, 20, 32 + 3 * 15 + 7, false);
  ui::MouseUp(g, 20, 32 + 3 * 15 + 7, false);
  EXPECT_EQ(list.itemIndex, 3);
  ui::KeyDown(g, ui::kVkDown);
  ui::KeyUp(g, ui::kVkDown);
  EXPECT_EQ(list.itemIndex, 4);
  ui::KeyDown(g, ui::kVkEnd);
  EXPECT_EQ(list.itemIndex, 39);
  EXPECT_EQ(list.topIndex, 40 - ListVisibleRows(g.form, W::item_list));
  ui::KeyDown(g, ui::kVkDown);
  EXPECT_EQ(list.itemIndex, 39);
  // A click below the last row keeps the selection; a right click never selects.
  list.lines.resize(5);
  list.topIndex = 0;
  ui::MouseDown(g, 20, 400, false);
  EXPECT_EQ(list.itemIndex, 39);
  ui::MouseDown(g, 20, 32 + 7, true);
  EXPECT_EQ(list.itemIndex, 39);
}

// A release goes to the widget that took its press; a release whose press never reached the
// picture (it went to a box, or to another window) runs nothing, wherever it lands.
TEST(Input, AReleaseWithoutItsPressRunsNoHandler) {
  UiGame t;
  Game& g = t.g();
  FillMasterData(g.state);
  g.state.skillLevel[0] = 1;
  battle::OfferPlayerSkills(g);
  ASSERT_EQ(g.form[W::battle_list].itemIndex, 0);
  g.battle.lastListIndex = -1;
  const Rect fire = AbsoluteRect(g.form, W::Button1);
  const Rect list = AbsoluteRect(g.form, W::battle_list);
  ui::MouseUp(g, list.left + 5, list.top + 5, false);
  EXPECT_EQ(g.battle.lastListIndex, -1);
  ui::MouseUp(g, fire.left + 5, fire.top + 5, false);
  EXPECT_TRUE(g.form[W::battle_box].visible);
  // Pressed on the main picture and released over the button: still the picture's.
  ui::MouseDown(g, 5, 5, false);
  ui::MouseUp(g, fire.left + 5, fire.top + 5, false);
  EXPECT_TRUE(g.form[W::battle_box].visible);
  EXPECT_EQ(g.battle.actionTimer, 0);
  // Pressed and released on the button, it fires.
  ui::MouseDown(g, fire.left + 5, fire.top + 5, false);
  ui::MouseUp(g, fire.left + 5, fire.top + 5, false);
  EXPECT_FALSE(g.form[W::battle_box].visible);
}

TEST(Input, HoverFollowsTheMouseOverLabelButtons) {
  UiGame t;
  Game& g = t.g();
  ShowPanel(g.form, W::item_box);
  ui::MouseMove(g, 100, 460);
  EXPECT_EQ(g.form[W::l_btn10].background, kSilver);
  ui::MouseMove(g, 530, 460);
  EXPECT_EQ(g.form[W::l_btn10].background, kGray);
  EXPECT_EQ(g.form[W::l_btn9].background, kSilver);
  ui::MouseMove(g, 20, 100);  // onto the item list
  EXPECT_EQ(g.form[W::l_btn9].background, kGray);
}

}  // namespace
}  // namespace qv
