// Making the character: the three choice rows, the summary line, the bonuses in their order,
// the player's pictures by race, sex and level, and the OK that saves and tells the opening.
#include "creation/creation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/master_data.h"
#include "core/new_game.h"
#include "core/text.h"
#include "creation/creation_handlers.h"
#include "support/fake_host.h"

namespace qv {
namespace {

// Remembers every picture the rules asked for.
struct PicturePresenter : Presenter {
  std::vector<std::pair<int, std::string>> sprites;
  std::vector<std::pair<std::string, std::string>> pictures;
  bool LoadSprites(Game&) override { return true; }
  void LoadSprite(Game&, int slot, std::string_view file) override {
    sprites.emplace_back(slot, file);
  }
  void ShowBackground(Game& g, std::string_view file) override { g.frame.background = file; }
  void LoadPicture(Game& g, W widget, std::string_view file) override {
    pictures.emplace_back(g.form[widget].name, file);
  }
  void CopyBackground(Game&) override {}
  void DrawTitleScreen(Game&) override {}
  void ComposeFrame(Game&) override {}
};

// A new game with the creation panel up, as the title click leaves it.
struct CreationGame {
  testing::TestGame t;
  PicturePresenter presenter;
  Game& g;

  CreationGame() : g(t.g()) {
    g.presenter = &presenter;
    FillMasterData(g.state);
    g.battle.battleSpeed = 9;
    NewGame(g);
    g.screen.scene = 0;
    ShowPanel(g.form, W::bp_box);
    g.form[W::name_box].visible = true;
  }
};

using Handler = void (*)(Game&, int32_t, int32_t, bool);

TEST(CreationChoices, EachRowSetsItsChoiceAndOnlyTheLaterRowsClick) {
  CreationGame c;
  const Handler params[] = {l_btn1MouseDown, l_btn2MouseDown, l_btn3MouseDown,
                            l_btn4MouseDown, l_btn5MouseDown, l_btn6MouseDown};
  for (int32_t i = 5; i >= 0; --i) {
    params[i](c.g, 0, 0, false);
    EXPECT_EQ(c.g.state.bonusParam, i);
  }
  EXPECT_TRUE(c.t.host.waves.empty());

  const Handler types[] = {l_btn15MouseDown, l_btn16MouseDown, l_btn17MouseDown,
                           l_btn18MouseDown, l_btn19MouseDown, l_btn20MouseDown};
  for (int32_t i = 5; i >= 0; --i) {
    types[i](c.g, 0, 0, false);
    EXPECT_EQ(c.g.state.personality, i);
  }
  EXPECT_EQ(c.t.host.waves, std::vector<std::string>(6, "0:1.wav"));

  const Handler races[] = {l_btn30MouseDown, l_btn31MouseDown, l_btn32MouseDown, l_btn33MouseDown,
                           l_btn34MouseDown, l_btn35MouseDown, l_btn36MouseDown, l_btn37MouseDown,
                           l_btn38MouseDown, l_btn39MouseDown};
  for (int32_t i = 0; i < 10; ++i) {
    races[i](c.g, 0, 0, false);
    EXPECT_EQ(c.g.state.raceSex, i);
    const std::string file = "char" + std::to_string(i) + ".bmp";
    EXPECT_EQ(c.presenter.pictures.back(), std::make_pair(std::string("bp_box_cg"), file));
    EXPECT_EQ(c.g.form[W::bp_box_cg].picture, file);
  }
  EXPECT_EQ(c.t.host.waves.size(), 16u);
  // Choosing changes nothing else: the bonuses wait for OK.
  EXPECT_EQ(c.g.state.player().maxHp, 20);
  EXPECT_EQ(c.g.state.money, 50);
}

TEST(CreationChoices, SummaryNamesTheParameterAndType) {
  CreationGame c;
  creation::RefreshCreationSummary(c.g);
  EXPECT_EQ(c.g.form[W::bp_l].caption, Sjis("上昇ﾊﾟﾗﾒｰﾀｰ:【攻撃力】 タイプ:≪お金持ち≫"));
  l_btn6MouseDown(c.g, 0, 0, false);
  l_btn18MouseDown(c.g, 0, 0, false);
  creation::RefreshCreationSummary(c.g);
  // The button reads 反社会者, but the summary has always said 反社会社.
  EXPECT_EQ(c.g.form[W::bp_l].caption, Sjis("上昇ﾊﾟﾗﾒｰﾀｰ:【回避率】 タイプ:≪反社会社≫"));
  // Values no button gives (a damaged save) leave the names empty.
  c.g.state.bonusParam = 6;
  c.g.state.personality = -1;
  creation::RefreshCreationSummary(c.g);
  EXPECT_EQ(c.g.form[W::bp_l].caption, Sjis("上昇ﾊﾟﾗﾒｰﾀｰ:【】 タイプ:≪≫"));
}

struct BonusCase {
  int32_t personality, param, raceSex;
  int32_t attack, defense, maxHp, maxMp, hitRate, evadeRate, money;
};

// Against the new game: attack 0, defense 0, maxHp 20, maxMp 1, hit 0, evade 0, money 50.
const BonusCase kBonusCases[] = {
    {5, 2, 8, 0, 0, 19, 6, 0, 0, 50},   // 狂人, 最大HP, 仮面男: 20 - 5 + 2 + 2
    {4, 4, 1, 1, 1, 20, 1, 15, 5, 50},  // 賢者, 命中率, 人間女
    {0, 0, 0, 1, 0, 20, 1, 5, 0, 250},  // お金持ち, STR, 人間男
    {1, 1, 3, 0, 1, 25, 1, 0, 5, 50},   // 冒険者, VIT, QRTV団女
    {2, 3, 5, 0, 0, 20, 3, 0, 0, 50},   // 臆病者, 最大MP, 魔族女
    {3, 5, 7, 1, 0, 20, 1, 0, 5, 50},   // 反社会者, 回避率, 獣人女
    {5, 3, 4, 0, 0, 15, 8, 0, 0, 50},   // 狂人, 最大MP, 魔族男
};

TEST(CreationBonuses, AddThePersonalityParameterAndRaceOnce) {
  for (const BonusCase& b : kBonusCases) {
    SCOPED_TRACE(::testing::Message() << b.personality << "/" << b.param << "/" << b.raceSex);
    CreationGame c;
    c.g.state.personality = b.personality;
    c.g.state.bonusParam = b.param;
    c.g.state.raceSex = b.raceSex;
    l_btn8MouseDown(c.g, 0, 0, false);
    l_btn8MouseDown(c.g, 0, 0, false);  // a second OK changes nothing
    const Combatant& p = c.g.state.player();
    EXPECT_EQ(p.attack, b.attack);
    EXPECT_EQ(p.defense, b.defense);
    EXPECT_EQ(p.maxHp, b.maxHp);
    EXPECT_EQ(p.maxMp, b.maxMp);
    EXPECT_EQ(p.hitRate, b.hitRate);
    EXPECT_EQ(p.evadeRate, b.evadeRate);
    EXPECT_EQ(c.g.state.money, b.money);
    EXPECT_EQ(p.hp, 20);  // only the maximums move
    EXPECT_EQ(p.mp, 1);
  }
}

TEST(CreationBonuses, ChoicesOutsideTheRowsAddNothing) {
  CreationGame c;
  c.g.state.personality = 6;
  c.g.state.bonusParam = -1;
  c.g.state.raceSex = 10;
  creation::ApplyCreationBonuses(c.g);
  EXPECT_EQ(c.g.state.player().maxHp, 20);
  EXPECT_EQ(c.g.state.player().hitRate, 0);
  EXPECT_EQ(c.g.state.money, 50);
}

TEST(PlayerPicture, FollowsRaceSexAndLevel) {
  CreationGame c;
  const struct {
    int32_t raceSex, level;
    const char* file;
  } cases[] = {
      {0, 0, "char0.bmp"},   {0, 9, "char0.bmp"},   {1, 10, "char1a.bmp"}, {9, 19, "char9a.bmp"},
      {3, 20, "char3b.bmp"}, {3, 25, "char3b.bmp"}, {4, 29, "char4b.bmp"}, {4, 30, "char4c.bmp"},
      {8, 99, "char8c.bmp"}, {2, -3, "char2.bmp"},
  };
  for (const auto& k : cases) {
    c.g.state.raceSex = k.raceSex;
    c.g.state.player().level = k.level;
    EXPECT_EQ(creation::PlayerPictureFile(c.g), k.file) << k.raceSex << " at " << k.level;
  }
  creation::SetPlayerPicture(c.g);
  EXPECT_EQ(c.presenter.sprites.back(), std::make_pair(1, std::string("char2.bmp")));
  // Nothing to draw on: nothing is loaded, nothing breaks.
  c.g.presenter = &c.g.noPicture;
  creation::SetPlayerPicture(c.g);
  creation::UpdateCreationPortrait(c.g);
}

TEST(CreationConfirm, SavesShowsTheMapAndTellsTheOpening) {
  CreationGame c;
  const std::string name = Sjis("ミナト");
  c.g.form[W::name_l].caption = name;
  l_btn37MouseDown(c.g, 0, 0, false);
  c.t.host.waves.clear();
  l_btn8MouseDown(c.g, 0, 0, false);

  EXPECT_EQ(c.g.state.player().name, name);
  EXPECT_FALSE(c.g.form[W::bp_box].visible);
  EXPECT_FALSE(c.g.form[W::name_box].visible);
  EXPECT_EQ(c.g.state.eventFlags[0], 1);
  EXPECT_EQ(c.g.state.eventFlags[1], 1);
  EXPECT_EQ(c.t.host.waves.front(), "0:ok.wav");
  EXPECT_EQ(c.t.host.music.back(), "op.mp3");
  EXPECT_EQ(c.presenter.sprites.back(), std::make_pair(1, std::string("char7.bmp")));

  // The save holds the character as made, before the opening was told.
  std::ifstream in(c.g.paths.saveDir / "my.dat", std::ios::binary);
  ASSERT_TRUE(in);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(saved.find("\r\n" + name + "\r\n"), std::string::npos);

  // The opening runs as a story over the map: the first line waits for a click.
  EXPECT_EQ(c.g.battle.storyMode, 1);
  EXPECT_EQ(c.g.battle.paused, 1);
  EXPECT_EQ(c.g.battle.dialogueLines[33], Sjis("....") + name + Sjis("は目を覚ました"));
  EXPECT_EQ(c.g.battle.dialogueLines[35], " ");
  EXPECT_TRUE(c.g.battle.dialogueLines[36].empty());
  EXPECT_EQ(c.g.text.lines[0].text, Sjis("ようこそ。島へ"));
}

TEST(CreationConfirm, AnEmptyNameBecomesShisumiAndTheOpeningIsToldOnlyOnce) {
  CreationGame c;
  c.g.state.eventFlags[1] = 1;
  c.g.form[W::name_l].caption.clear();
  l_btn8MouseDown(c.g, 0, 0, false);
  EXPECT_EQ(c.g.state.player().name, Sjis("しすみ"));
  EXPECT_EQ(c.g.state.eventFlags[0], 1);
  EXPECT_TRUE(c.t.host.music.empty());
  EXPECT_EQ(c.g.battle.storyMode, 0);
  EXPECT_TRUE(c.g.battle.dialogueLines[0].empty());
  EXPECT_EQ(c.g.frame.mapShown, 1);
}

}  // namespace
}  // namespace qv
