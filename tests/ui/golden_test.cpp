// Seeded pictures of whole frames compared with the reviewed ones in tests/golden/. Run the
// test program with --update-golden to rewrite them after a deliberate change.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/text.h"
#include "gfx/picture_file.h"
#include "gfx/picture_match.h"
#include "ui/desktop_notice.h"
#include "ui/desktop_texts.h"
#include "ui/input.h"
#include "ui/message_box.h"
#include "ui_fixture.h"

namespace qv {
namespace {

using testing::UiGame;

bool UpdatingGolden() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return all.find("--update-golden") != std::string::npos;
}

// Differences of font smoothing between library versions are tolerated; layout changes are not.
void ExpectGolden(const gfx::Bitmap& actual, const std::string& name) {
  const std::filesystem::path golden = std::filesystem::path(QV_SOURCE_DIR) / "tests/golden" / name;
  if (UpdatingGolden()) {
    ASSERT_TRUE(gfx::WritePng(actual, golden).ok());
    return;
  }
  const Result<gfx::Bitmap> expected = gfx::LoadPicture(golden);
  ASSERT_TRUE(expected.ok()) << expected.message() << " (run with --update-golden to create it)";
  const gfx::PictureMatch match = gfx::MatchPicture(actual, *expected);
  ASSERT_TRUE(match.sameSize) << actual.Width() << "x" << actual.Height() << " against "
                              << expected->Width() << "x" << expected->Height();
  if (!match.Matches()) {
    const std::filesystem::path out = std::filesystem::path(QV_BUILD_DIR) / ("actual-" + name);
    (void)gfx::WritePng(actual, out);  // only for a look; the failure below is what counts
    ADD_FAILURE() << match.pixelsOff << " pixels differ from " << golden
                  << "; this run's picture: " << out;
  }
}

// A dusk sky with a sea: enough structure that a misplaced copy shows.
gfx::Bitmap Backdrop() {
  gfx::Bitmap b(640, 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      const int sea = y > 300;
      b.SetPixel(x, y,
                 sea ? gfx::Rgb(10, 30 + (x * 7 + y) % 40, 70 + y / 8)
                     : gfx::Rgb(40 + y / 4, 20 + y / 6, 90 - y / 5));
    }
  }
  return b;
}

// A star of the title: a bright cross on black, `side` pixels, turning with the frame.
gfx::Bitmap Star(int side, int frame) {
  gfx::Bitmap b(side, side, 0);
  const int c = side / 2;
  for (int i = 1; i < side - 1; ++i) {
    const int shift = (frame % 3) - 1;
    b.SetPixel(i, c + (i - c) * shift / 3, gfx::Rgb(255, 220, 120));
    b.SetPixel(c, i, gfx::Rgb(200, 230, 255));
  }
  return b;
}

void MakeSprites(UiGame& t) {
  for (int i = 0; i < 6; ++i) {
    t.screen.SetSprite(22 + i, Star(20, i));
    t.screen.SetSprite(28 + i, Star(10, i));
  }
}

TEST(Golden, TitleScreenWithItsSparks) {
  UiGame t;
  Game& g = t.g();
  g.rng.Seed(1234);
  t.WritePicture("title.bmp", Backdrop());
  MakeSprites(t);
  g.screen.scene = -1;
  t.screen.ShowBackground(g, "title.bmp");
  for (int i = 0; i < 24; ++i) {
    g.screen.frameCounter = (g.screen.frameCounter + 1) % 1000;
    t.screen.CopyBackground(g);
    t.screen.DrawTitleScreen(g);
  }
  ExpectGolden(t.screen.RenderWindow(g), "title.png");
}

TEST(Golden, BattleFrameWithBothPanelsAndPopups) {
  UiGame t;
  Game& g = t.g();
  g.rng.Seed(99);
  t.WritePicture("yama.bmp", Backdrop());
  gfx::Bitmap hero(120, 160, 0xFF00FF);
  for (int y = 20; y < 160; ++y)
    for (int x = 30 + y / 8; x < 90 - y / 8; ++x)
      hero.SetPixel(x, y, gfx::Rgb(200, 180 - y / 2, 140));
  t.screen.SetSprite(1, hero);
  g.screen.scene = 0;
  g.screen.frameCounter = 998;
  t.screen.ShowBackground(g, "yama.bmp");

  Combatant& p = g.state.player();
  p.name = Sjis("しすみ");
  p.level = 12;
  p.exp = 87;
  p.maxHp = 120;
  p.hp = 9;
  p.maxMp = 30;
  p.mp = 18;
  p.maxTp = 100;
  p.tp = 100;
  p.st_poison = 2;
  p.st_paralysis = 1;
  p.st_regen = 3;
  p.st_guard = 2;
  g.state.money = 1234;
  Combatant& e = g.state.enemy();
  e.name = Sjis("山男");
  e.present = 1;
  e.element = 3;
  e.maxHp = 300;
  e.hp = 210;
  e.maxMp = 50;
  e.mp = 5;
  e.tp = 40;
  e.st_burn = 1;
  e.st_atkUp = 2;
  g.battle.battleActive = 1;

  g.state.skills[5].name = Sjis("ファイア");
  g.state.skills[5].description = Sjis(
      "炎の魔法で敵を焼く。火属性の攻撃で、相手に火傷を負わせることがある。燃え上がる炎の力。");
  g.state.skillLevel[5] = 10;
  g.state.skillUses[5] = 42;
  g.battle.actionSkill = 5;
  Widget& box = g.form[W::battle_box];
  box.rect.left = 460;
  box.rect.top = 8;
  box.visible = true;
  g.form[W::battle_list].lines = {Sjis("踏みつぶす"), Sjis("ファイア"), Sjis("逃げる")};
  g.form[W::battle_list].itemIndex = 1;

  AddTextLine(g, Sjis("山男「オレの名は、ヤマオ。"));
  AddLogLine(g, Sjis("しすみの攻撃！"), "yellow");
  AddLogLine(g, Sjis("山男に 32 のダメージ"), "red");
  AddLogLine(g, Sjis("山男は火傷を負った"), "orange");
  AddLogLine(g, Sjis("しすみは毒を受けている"), "purple");
  AddLogLine(g, Sjis("ＨＰが 12 回復した"), "aqua");
  AddLogLine(g, Sjis("コンボ発動！"), "rainbow");
  AddTextLineRaw(g, Sjis("山男「まだまだ！"));

  SpawnSidePopup(g, 1, 16, "32");
  SpawnSidePopup(g, 1, 161, "");
  SpawnSidePopup(g, 0, 17, "12");
  SpawnSidePopup(g, 0, 140, "");
  SpawnPopup(g, 300, 200, 20, "+15pt.");
  SpawnPopup(g, 420, 260, 191, "");
  SpawnPopup(g, 200, 300, 156, "");
  t.screen.ComposeFrame(g);
  t.screen.ComposeFrame(g);
  t.screen.ComposeFrame(g);
  ExpectGolden(t.screen.RenderWindow(g), "battle.png");
}

TEST(Golden, CreationPanelWithTypedNameAndHover) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  ShowPanel(g.form, W::bp_box);
  g.form[W::bp_l].caption = Sjis("上昇ﾊﾟﾗﾒｰﾀｰ:【攻撃力】 タイプ:≪冒険者≫");
  g.form.focus = W::name_l;
  g.form[W::name_l].caption = Sjis("しすみ");
  g.form.caret = 6;
  HighlightLabelButton(g.form, W::l_btn16);
  ExpectGolden(t.screen.RenderWindow(g), "creation.png");
}

// The input method's composition inline in the name field: underlined, the segment being
// converted thicker, and the note about a refused character above the field.
TEST(Golden, NameFieldComposingUnderARefusalNote) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  ShowPanel(g.form, W::bp_box);
  g.form.focus = W::name_l;
  ui::TextInput(g, "しすみ");
  ui::TextInput(g, "鷗");
  ui::TextEditing(g, "会社員", 0, 2);
  ExpectGolden(t.screen.RenderWindow(g), "compose.png");
}

TEST(Golden, ItemPanelWithAScrolledList) {
  UiGame t;
  Game& g = t.g();
  g.screen.scene = 0;
  ShowPanel(g.form, W::item_box);
  Widget& list = g.form[W::item_list];
  for (int i = 0; i < 40; ++i) list.lines.push_back(Sjis("ポーション") + " x" + std::to_string(i));
  list.itemIndex = 33;
  ScrollListToSelection(g.form, W::item_list);
  g.form[W::gold_l].caption = Sjis("所持金: 1234円");
  g.form[W::l_btn10].caption = Sjis("装備");
  g.form[W::item_l3].caption = Sjis("しすみのステータス\r\r攻撃力: 12\r防御力: 8");
  g.form[W::item_l4].caption = Sjis("装備しました");
  ExpectGolden(t.screen.RenderWindow(g), "items.png");
}

// A frame of play on the map: the picture and the status panel, as the window shows it
// under our own notice and question.
gfx::Bitmap MapFrame(UiGame& t) {
  Game& g = t.g();
  g.rng.Seed(5);
  t.WritePicture("map.bmp", Backdrop());
  g.screen.scene = 0;
  g.frame.mapShown = 1;
  g.state.loadCount = 3;
  g.state.score = 120;
  Combatant& p = g.state.player();
  p.name = Sjis("しすみ");
  p.level = 4;
  p.maxHp = 60;
  p.hp = 41;
  p.maxMp = 12;
  p.mp = 12;
  p.maxTp = 100;
  p.tp = 30;
  g.state.money = 350;
  AddTextLine(g, Sjis("山男「オレの名は、ヤマオ。"));
  t.screen.ShowBackground(g, "map.bmp");
  return t.screen.RenderWindow(g);
}

// The volume keys' notice at the top right, over the game's frame.
TEST(Golden, DesktopNoticeOverTheFrame) {
  UiGame t;
  gfx::Bitmap window = MapFrame(t);
  ui::DesktopNotice notice;
  notice.Show(ui::desktop_text::Volume(ui::Catalog{}, 90, 40), 0);
  notice.Draw(window, 500);
  ExpectGolden(window, "desktop_notice.png");
}

// The question before closing with unsaved progress, as the window draws it over the frame.
TEST(Golden, CloseQuestionOverTheFrame) {
  UiGame t;
  gfx::Bitmap window = MapFrame(t);
  ui::MessageBoxView box(ui::BoxButtons::YesNo,
                         Utf8ToCp932(std::string(ui::desktop_text::kQuitQuestion)).value());
  box.Draw(window);
  ExpectGolden(window, "close_question.png");
}

}  // namespace
}  // namespace qv
