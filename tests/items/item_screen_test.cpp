// The item panel's four screens over the map: lists, details, equipping, set frames,
// strengthening, switching and closing.
#include <gtest/gtest.h>

#include "items_fixture.h"

namespace qv {
namespace {

using testing::ItemsGame;

TEST(SetFrames, ThreeFramesPlusOnePerOwnedBook) {
  ItemsGame t;
  EXPECT_EQ(items::UsableSetFrames(t.g.state), 3);
  t.Owned("カーレオのメモ") = 1;  // 600
  t.Owned("カーレオの小説") = 1;  // 605
  EXPECT_EQ(items::UsableSetFrames(t.g.state), 5);

  t.g.state.setSlots[1] = t.Item("人工ｶｰﾚｵの涙");
  t.Open("カーレオ・ＳＥＴ");
  const std::string frames = t.Caption(W::item_l3);
  EXPECT_EQ(frames,
            "セット中のカーレオ\r\r【――――】\r\r【人工ｶｰﾚｵの涙】\r　3の倍数ターン HP +1\r"
            "【――――】\r\r【――――】\r\r【――――】\r\r");
  // One of the later books owned: the frame list's type is a size smaller (10 points).
  EXPECT_EQ(t.g.form[W::item_l3].fontPx, 13);
  EXPECT_EQ(t.g.form[W::item_l3].align, Align::Left);
  EXPECT_TRUE(t.g.form[W::l_btn10].visible);
  EXPECT_TRUE(t.g.form[W::item_cg].visible);
  EXPECT_EQ(t.Details(), "カーレオをセットして下さい。");
}

TEST(SetFrames, SetTakeOutAndRefuseWhenFull) {
  ItemsGame t;
  const char* names[] = {"人工ｶｰﾚｵの涙", "人工ｶｰﾚｵの血", "人工ｶｰﾚｵの息", "人工ｶｰﾚｵの手"};
  for (const char* n : names) t.Owned(n) = 1;
  t.Open("カーレオ・ＳＥＴ");
  EXPECT_EQ(t.LineText("人工ｶｰﾚｵの血"), "   人工ｶｰﾚｵの血");

  // Set into the lowest empty frame; the same line stays selected and says so.
  t.g.state.setSlots[0] = t.Item("人工ｶｰﾚｵの涙");
  t.Select("人工ｶｰﾚｵの血");
  t.Act();
  EXPECT_EQ(t.g.state.setSlots[1], t.Item("人工ｶｰﾚｵの血"));
  EXPECT_TRUE(t.Played("in.wav"));
  EXPECT_EQ(t.LineText("人工ｶｰﾚｵの血"), " ＞人工ｶｰﾚｵの血");
  EXPECT_EQ(t.g.form[W::item_list].itemIndex, t.LineOf("人工ｶｰﾚｵの血"));
  EXPECT_EQ(t.Details(), "人工ｶｰﾚｵの血\r\r　　>>セット中<<\r\r6の倍数ターン MP +1");

  // Three frames full: the fourth is refused, the reason stays readable, nothing moves.
  t.Select("人工ｶｰﾚｵの息");
  t.Act();
  t.Select("人工ｶｰﾚｵの手");
  t.Act();
  EXPECT_TRUE(t.Played("no.wav"));
  EXPECT_EQ(t.Details(),
            "セットできる枠がありません。同名カーレオをセットすると外す事ができます。");
  EXPECT_EQ(t.g.state.setSlots[3], 0);

  // Clicking a set one takes it out of its frame.
  t.Select("人工ｶｰﾚｵの血");
  t.Act();
  EXPECT_EQ(t.g.state.setSlots[1], 0);
  EXPECT_TRUE(t.Played("koyasi.wav"));
  EXPECT_EQ(t.LineText("人工ｶｰﾚｵの血"), "   人工ｶｰﾚｵの血");
}

TEST(Equipment, ListsOwnedWearablesWithTheWornMark) {
  ItemsGame t;
  t.Owned("ぼうっきれ") = 1;
  t.Owned("木の盾") = 2;
  t.Owned("カーレオのメモ") = 1;    // a book: not equipment
  t.Owned("人工ｶｰﾚｵの涙") = 1;      // a set-item: not equipment
  t.Owned("星昇のペンダント") = 1;  // kind 11 is worn
  t.g.state.player().shield = t.Item("木の盾");
  t.Open("装備");
  EXPECT_EQ(t.Shown(),
            (std::vector<std::string>{"　 ぼうっきれ", " ＞木の盾", "　 星昇のペンダント"}));
  EXPECT_EQ(t.Caption(W::item_l2), "装備モード");
  EXPECT_EQ(t.Caption(W::l_btn11), ">カーレオ画面へ");
  EXPECT_TRUE(t.g.form[W::item_l4].visible);
  EXPECT_EQ(t.g.form[W::item_l3].align, Align::Center);
  EXPECT_EQ(t.g.form[W::item_l3].fontPx, 16);

  t.Select("木の盾");
  const ItemDef& shield = t.g.state.items[static_cast<size_t>(t.Item("木の盾"))];
  EXPECT_EQ(t.Details(), "木の盾 ≪盾≫\r(所持: 2個)\r\r>>装備中<<\r\r防御力 " +
                             std::to_string(shield.defense) + "\rガード率 " +
                             std::to_string(shield.guardRate) + "\r");
  t.Select("星昇のペンダント");
  EXPECT_EQ(t.Details(), "星昇のペンダント ≪ペンダント≫\r(所持: 1個)\r\r\r\r※点数獲得時 +50点");
}

TEST(Equipment, SecondRightRingReplacesTheFirst) {
  ItemsGame t;
  t.Owned("ターコイズ") = 1;
  t.Owned("トパーズ") = 1;
  t.Open("装備");
  t.Select("ターコイズ");
  t.Act();
  EXPECT_EQ(t.g.state.player().ringRight, t.Item("ターコイズ"));
  t.Select("トパーズ");
  t.Act();
  EXPECT_EQ(t.g.state.player().ringRight, t.Item("トパーズ"));
  EXPECT_EQ(t.LineText("ターコイズ"), "　 ターコイズ");
  EXPECT_EQ(t.LineText("トパーズ"), " ＞トパーズ");
  EXPECT_EQ(t.Plays("in.wav"), 2);
}

TEST(Equipment, TakingOffEmptiesOnlyTheFirstSlotHoldingIt) {
  ItemsGame t;
  const int32_t ring = t.Item("黒曜石");
  t.Owned("黒曜石") = 1;
  Combatant& p = t.g.state.player();
  // A save can hold the same item in two slots; the click empties them one at a time.
  p.ringRight = ring;
  p.ringLeft = ring;
  t.Open("装備");
  t.Select("黒曜石");
  t.Act();
  EXPECT_EQ(p.ringRight, 0);
  EXPECT_EQ(p.ringLeft, ring);
  EXPECT_TRUE(t.Played("koyasi.wav"));
  EXPECT_EQ(t.LineText("黒曜石"), " ＞黒曜石");
  t.Act();
  EXPECT_EQ(p.ringLeft, 0);
}

TEST(Equipment, NothingLineClearsTheDetailsAndActsOnNothing) {
  ItemsGame t;
  t.Owned("ぼうっきれ") = 1;
  t.Open("装備");
  t.Select("ぼうっきれ");
  ASSERT_FALSE(t.Details().empty());
  t.g.form[W::item_list].lines.push_back(Sjis("　 なし"));
  t.SelectRow(1);
  EXPECT_EQ(t.Details(), "");
  EXPECT_EQ(t.g.world.selectedEntry, -1);
  const Combatant before = t.g.state.player();
  t.Act();
  EXPECT_EQ(t.g.state.player().weapon, before.weapon);

  // A click on an empty line, or with nothing selected, changes nothing either.
  t.g.form[W::item_list].lines.push_back("");
  t.SelectRow(2);
  EXPECT_EQ(t.g.world.selectedEntry, -1);
  t.g.form[W::item_list].itemIndex = -1;
  t.Act();
  EXPECT_EQ(t.g.state.player().weapon, 0);
}

TEST(Equipment, TheSelectSoundPlaysOnlyWhenTheEntryChanges) {
  ItemsGame t;
  t.Owned("ぼうっきれ") = 1;
  t.Owned("木の盾") = 1;
  t.Open("装備");
  t.Select("ぼうっきれ");  // press and release: one sound
  EXPECT_EQ(t.Plays("key2.wav"), 1);
  t.Act();  // rebuilt and reselected: the same entry, no sound
  EXPECT_EQ(t.Plays("key2.wav"), 1);
  t.Select("木の盾");
  EXPECT_EQ(t.Plays("key2.wav"), 2);
}

TEST(Strengthen, LevelsAndTheMaximum) {
  ItemsGame t;
  GameState& s = t.g.state;
  s.skillLevel[0] = 5;
  s.skillLevel[1] = 10;
  s.skillUses[1] = 42;
  s.bp = 2;
  t.Open("強化");
  const std::string& name0 = s.skills[0].name;
  const std::string& name1 = s.skills[1].name;
  ASSERT_EQ(t.Lines().size(), 2u);
  EXPECT_EQ(t.Lines()[0], "Lv 5 " + name0);
  EXPECT_EQ(t.Lines()[1], " MAX " + name1);
  EXPECT_EQ(t.Details(), "どの技を強化しますか？");

  // The maximum line is found by its name: its details show, the button refuses and keeps BP.
  t.SelectRow(1);
  EXPECT_EQ(t.g.world.selectedEntry, 1);
  EXPECT_EQ(t.g.form[W::item_l].caption, name1 + "\r\rLV MAX" + Sjis("  発動: ") + "42" +
                                             Sjis("回") + "\r\r" + s.skills[1].description);
  t.Act();
  EXPECT_EQ(t.Details(), "これ以上強化できません");
  EXPECT_EQ(s.bp, 2);
  EXPECT_EQ(s.skillLevel[1], 10);

  t.SelectRow(0);
  t.Act();
  EXPECT_EQ(s.skillLevel[0], 6);
  EXPECT_EQ(s.bp, 1);
  EXPECT_TRUE(t.Played("b.wav"));
  EXPECT_EQ(t.Lines()[0], "Lv 6 " + name0);
  EXPECT_EQ(t.g.form[W::item_list].itemIndex, 0);
  EXPECT_EQ(t.Caption(W::gold_l), "BP: 1ポイント / 所持金: 0円");

  // Up to ten, then the line reads MAX.
  s.bp = 10;
  for (int i = 0; i < 4; ++i) t.Act();
  EXPECT_EQ(s.skillLevel[0], 10);
  EXPECT_EQ(t.Lines()[0], " MAX " + name0);
  EXPECT_EQ(s.bp, 6);

  s.bp = 0;
  s.skillLevel[0] = 3;
  t.Act();
  EXPECT_EQ(t.Details(), "BPがありません");
  EXPECT_EQ(s.skillLevel[0], 3);
}

TEST(ItemList, RareItemsAndTheirWorth) {
  ItemsGame t;
  GameState& s = t.g.state;
  int32_t rare = 0;
  for (int32_t i = 0; i < kPerId && rare == 0; ++i) {
    if (s.items[static_cast<size_t>(i)].kind == kKindRare) rare = i;
  }
  ASSERT_GT(rare, 0);
  s.owned[static_cast<size_t>(rare)] = 1;
  t.Owned("ぼうっきれ") = 1;
  t.Open("アイテム一覧");
  const ItemDef& item = s.items[static_cast<size_t>(rare)];
  ASSERT_EQ(t.Lines(), std::vector<std::string>{item.name});
  EXPECT_FALSE(t.g.form[W::l_btn10].visible);
  t.SelectRow(0);
  EXPECT_EQ(t.g.form[W::item_l].caption, item.name + "\r\r" + item.description + "\r\r" +
                                             Sjis("レア度: ") + std::to_string(2 * item.price) +
                                             "Pt.");
}

TEST(Panel, SwitchesBetweenScreensAndClosesTheirOwnWay) {
  ItemsGame t;
  t.g.battle.locationId = 101;
  t.Open("装備");
  t.Switch();
  EXPECT_EQ(t.Caption(W::l_btn10), "カーレオ・ＳＥＴ");
  EXPECT_EQ(t.Caption(W::item_l2), "カーレオ一覧");
  t.Switch();
  EXPECT_EQ(t.Caption(W::l_btn10), "装備");
  EXPECT_EQ(t.Plays("key3.wav"), 2);

  // Equipment closes onto the map that stayed up behind it.
  t.Close();
  EXPECT_FALSE(t.g.form[W::item_box].visible);
  EXPECT_TRUE(t.Played("d.wav"));
  EXPECT_EQ(t.g.battle.locationId, 101);

  // Strengthening shows the map anew.
  t.Open("強化");
  t.Switch();
  EXPECT_EQ(t.Caption(W::l_btn10), "アイテム一覧");
  EXPECT_EQ(t.Caption(W::l_btn11), ">技画面へ");
  t.Switch();
  EXPECT_EQ(t.Caption(W::l_btn11), ">アイテム画面へ");
  t.Close();
  EXPECT_EQ(t.g.battle.locationId, -1);
  EXPECT_EQ(t.g.frame.mapShown, 1);
}

}  // namespace
}  // namespace qv
