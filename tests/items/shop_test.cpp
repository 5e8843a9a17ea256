// The three shops: what each offers in which state, the offer filter, details, buying, leaving.
#include <gtest/gtest.h>

#include <functional>

#include "battle/sequencer.h"
#include "items/shop_offers.h"
#include "items_fixture.h"

namespace qv {
namespace {

using items::Shop;
using testing::ItemsGame;

// Rich enough that the money on entry hides nothing, and high enough that the level doesn't.
void Rich(ItemsGame& t) {
  t.g.state.money = 100000;
  t.g.state.player().level = 99;
}

TEST(ShopFilter, MoneyOnEntryDecidesAndOwnedItemsAlwaysShow) {
  ItemsGame t;
  t.g.state.player().level = 99;
  t.g.state.money = 50;
  t.Owned("ゆーぼう") = 1;  // 950: far beyond the money, but owned
  t.OpenShop(Shop::Tool);
  t.g.state.money = 100000;  // earned inside the shop: the list does not grow
  t.Select("ぼうっきれ");
  t.Act();
  // ゆーぼう shows because it is owned; the one after it in its chain is still too dear.
  EXPECT_EQ(t.Shown(),
            (std::vector<std::string>{
                "   －－－武器－－－", " 1 ぼうっきれ", " 1 ゆーぼう", "   欠けた刀",
                "   －－－防具－－－", "   雀のマント", "   －－－ 兜 －－－", "   冒険素人の兜",
                "   －－－ 盾 －－－", "   木の盾", "   白の円盾", "   －－ 右指輪 －－"}));
}

TEST(ShopFilter, LevelZeroHidesEverythingAbove200) {
  ItemsGame t;
  t.g.state.money = 100000;
  t.g.state.player().level = 0;
  for (Shop shop : {Shop::Tool, Shop::Wandering, Shop::Ship}) {
    testing::PinRolls pin(t.g, RollMode::Lowest);  // every artificial set-item is drawn
    t.OpenShop(shop);
    for (const std::string& line : t.Lines()) {
      const int32_t i = FindItemByName(t.g.state, std::string_view(line).substr(3));
      EXPECT_LE(t.g.state.items[static_cast<size_t>(i)].price, 200) << Cp932ToUtf8(line);
    }
  }
  t.g.state.player().level = 1;  // 320
  t.OpenShop(Shop::Tool);
  EXPECT_TRUE(t.Lists("青年の鎧"));
}

// The owned count stands before the name; from a hundred on it pushes the name right, and
// the line must still find its item.
TEST(ShopFilter, CountPrefixes) {
  ItemsGame t;
  Rich(t);
  t.Owned("ぼうっきれ") = 100;
  t.Owned("太いぼう") = 12;
  t.Owned("硬いぼう") = 3;
  t.OpenShop(Shop::Tool);
  EXPECT_EQ(t.LineText("硬いぼう"), " 3 硬いぼう");
  EXPECT_EQ(t.LineText("太いぼう"), "12 太いぼう");
  EXPECT_EQ(t.LineText("ぼうっきれ"), "100 ぼうっきれ");
  t.Select("ぼうっきれ");
  EXPECT_EQ(t.g.world.selectedEntry, t.Item("ぼうっきれ"));
  t.Act();
  EXPECT_EQ(t.Owned("ぼうっきれ"), 101);
}

// Every entry of every list names an item of the catalogue, unless it is a heading; so does
// every item a block waits for.
TEST(ShopOffers, EveryOfferNamesAnItemOrIsAHeading) {
  ItemsGame t;
  for (Shop shop : {Shop::Tool, Shop::Wandering, Shop::Ship}) {
    for (const items::Offer& offer : items::OffersOf(shop)) {
      if (offer.owns) EXPECT_GT(t.Item(offer.owns), 0) << offer.owns;
      if (!offer.text) continue;
      const bool heading = std::string(offer.text).find("－") != std::string::npos;
      EXPECT_NE(heading, t.Item(offer.text) > 0) << offer.text;
    }
  }
}

struct OfferCase {
  const char* what;
  Shop shop;
  std::function<void(ItemsGame&)> setup;
  std::vector<const char*> shown;
  std::vector<const char*> hidden;
};

const OfferCase kOfferCases[] = {
    {"tool shop, nothing won or owned",
     Shop::Tool,
     [](ItemsGame&) {},
     {"ぼうっきれ", "ゆーぼう", "欠けた刀", "ブッカブーカ刀", "鳳凰のマント", "仙人君の鎧",
      "冒険名人の兜", "鋼の盾", "青の円盾", "ダイアモンド"},
     {"らいとにんぐぼう", "錆びた刀", "スターダスト刀", "山の棍棒", "闇の杖", "光の刀", "苦無",
      "地球のマント", "南極老人君の鎧", "奥博士の白衣", "冒険超人の兜", "銀の盾", "紫の円盾",
      "ブルーダイアモンド"}},
    {"tool shop, places won and the first of each chain owned",
     Shop::Tool,
     [](ItemsGame& t) {
       for (int n : {2, 3, 4, 5, 6, 7}) t.g.state.clearCount[static_cast<size_t>(n)] = 1;
       for (const char* n : {"ゆーぼう", "らいとにんぐぼう", "ブッカブーカ刀", "鳳凰のマント",
                             "仙人君の鎧", "冒険名人の兜", "鋼の盾", "青の円盾", "ダイアモンド"}) {
         t.Owned(n) = 1;
       }
     },
     {"らいとにんぐぼう", "てんちつらぬくぼう", "錆びた刀", "スターダスト刀", "山の棍棒", "闇の杖",
      "光の刀", "苦無", "地球のマント", "南極老人君の鎧", "奥博士の白衣", "ヤマオの胴着",
      "お天気雨のローブ", "ライトローブ", "マジカルローブ", "冒険超人の兜", "銀の盾", "紫の円盾",
      "ブルーダイアモンド"},
     {"にょいぼう", "赤き刻印の刀", "太陽のマント", "間蘇の鎧", "冒険神の兜", "霊銀の盾",
      "虹色の円盾", "ヘブンズダイアモンド"}},
    {"wandering shop, nothing owned",
     Shop::Wandering,
     [](ItemsGame&) {},
     {"カーレオのメモ", "カーレオの哲学", "黒曜石", "黒真珠", "七宝焼き", "紫水晶"},
     {"姫真珠", "魔ヶ玉"}},
    {"wandering shop, chains opened",
     Shop::Wandering,
     [](ItemsGame& t) {
       t.Owned("黒真珠") = 1;
       t.Owned("姫真珠") = 1;
       t.Owned("紫水晶") = 1;
     },
     {"姫真珠", "天真珠", "魔ヶ玉"},
     {"龍玉"}},
    {"ship below level 38",
     Shop::Ship,
     [](ItemsGame& t) { t.g.state.player().level = 37; },
     {"イルカの腕当て", "いたずら王のベルト"},
     {"サメの腕当て", "喧嘩王のベルト", "－－－　謎 －－－", "ファトマの号令", "魔星のイヤリング",
      "魔星のペンダント"}},
    {"ship at level 40",
     Shop::Ship,
     [](ItemsGame& t) { t.g.state.player().level = 40; },
     {"－－－　謎 －－－", "ファトマの号令", "魔星のイヤリング", "星屑のイヤリング",
      "聖樹のイヤリング"},
     {"ファトマの号令Ⅱ", "ファトマの宣誓", "星昇のイヤリング", "魔星のペンダント"}},
    {"ship at level 75 with the blocks under way",
     Shop::Ship,
     [](ItemsGame& t) {
       t.g.state.player().level = 75;
       for (const char* n : {"イルカの腕当て", "ファトマの号令", "ファトマの号令Ⅱ",
                             "聖樹のイヤリング", "聖樹のペンダント"}) {
         t.Owned(n) = 1;
       }
     },
     {"サメの腕当て", "ファトマの号令Ⅲ", "ファトマの宣誓", "ファトマの悟り", "星昇のイヤリング",
      "星昇のペンダント"},
     {"マンタの腕当て", "ファトマの号令Ⅳ", "ファトマの宣誓Ⅱ", "ファトマの悟りⅡ", "ファトマの願い"}},
    {"ship: wishes once the last enlightenment is owned, at any level",
     Shop::Ship,
     [](ItemsGame& t) {
       t.g.state.player().level = 1;  // the block waits for no level
       t.Owned("ファトマの悟りⅨ") = 1;
       t.Owned("ファトマの悟りⅧ") = 1;
     },
     {"ファトマの願い"},
     {"ファトマの願いⅡ", "ファトマの悟りⅨ"}},
};

TEST(ShopOffers, EachListInChosenStates) {
  for (const OfferCase& c : kOfferCases) {
    ItemsGame t;
    Rich(t);
    c.setup(t);
    t.OpenShop(c.shop);
    for (const char* n : c.shown) EXPECT_TRUE(t.Lists(n)) << c.what << ": " << n;
    for (const char* n : c.hidden) EXPECT_FALSE(t.Lists(n)) << c.what << ": " << n;
  }
}

TEST(ShopOffers, WanderingShopDrawsItsSetItemsAnewAtEveryRebuild) {
  ItemsGame t;
  Rich(t);
  {
    testing::PinRolls none(t.g, RollMode::Highest);
    t.OpenShop(Shop::Wandering);
  }
  EXPECT_EQ(t.Shown(),
            (std::vector<std::string>{"   －－人工カーレオ－－", "   －－カーレオ作品－－",
                                      "   カーレオのメモ", "   カーレオの手記", "   カーレオの日記",
                                      "   カーレオの詩", "   カーレオの短文", "   カーレオの小説",
                                      "   カーレオの自伝", "   カーレオのＳＦ", "   カーレオの哲学",
                                      "   －－ 左指輪 －－", "   黒曜石", "   真珠", "   黒真珠",
                                      "   七宝焼き", "   瑠璃", "   瑪瑙", "   紫水晶"}));
  {
    testing::PinRolls all(t.g, RollMode::Lowest);
    t.Select("カーレオのメモ");
    t.Act();  // bought: the list is rebuilt and every set-item comes up this time
  }
  int artificial = 0;
  for (const std::string& line : t.Shown())
    artificial += line.find("人工ｶｰﾚｵ") != std::string::npos;
  int offered = 0;
  for (int32_t i = 800; i <= 899; ++i) {
    const ItemDef& item = t.g.state.items[static_cast<size_t>(i)];
    offered += !item.name.empty() && item.kind == kKindSetItem;
  }
  EXPECT_GT(offered, 0);
  EXPECT_EQ(artificial, offered);
  EXPECT_FALSE(t.Lists("カーレオのメモ"));
}

TEST(ShopDetails, ItemTextAndHeadings) {
  ItemsGame t;
  Rich(t);
  t.Owned("ぼうっきれ") = 2;
  t.OpenShop(Shop::Tool);
  t.Select("ぼうっきれ");
  const ItemDef& stick = t.g.state.items[static_cast<size_t>(t.Item("ぼうっきれ"))];
  EXPECT_EQ(t.Details(), "ぼうっきれ\r(所持: 2個)\r\r攻撃力 " + std::to_string(stick.attack) +
                             "\r命中率 " + std::to_string(stick.hitOrEvade) +
                             "\r\r\r\r\r値段: 35円");
  EXPECT_EQ(t.Caption(W::gold_l), "所持金: 100000円");
  t.Select("－－－武器－－－");
  EXPECT_EQ(t.Details(), "");
  EXPECT_EQ(t.g.world.selectedEntry, -1);
  t.Act();
  EXPECT_FALSE(t.Played("buy.wav"));

  // Earrings show no numbers.
  t.OpenShop(Shop::Ship);
  t.Select("魔星のイヤリング");
  EXPECT_EQ(t.Details(), "魔星のイヤリング\r(所持: 0個)\r\r\r\r魔法攻撃力 +2\r\r値段: 2000円");
}

TEST(Buying, PaysAndOpensTheNextOfTheChain) {
  ItemsGame t;
  Rich(t);
  t.OpenShop(Shop::Tool);
  EXPECT_FALSE(t.Lists("らいとにんぐぼう"));
  t.Select("ゆーぼう");
  t.Act();
  EXPECT_TRUE(t.Played("buy.wav"));
  EXPECT_EQ(t.g.state.money, 100000 - 950);
  EXPECT_EQ(t.Owned("ゆーぼう"), 1);
  EXPECT_EQ(t.g.state.bought[static_cast<size_t>(t.Item("ゆーぼう"))], 1);
  EXPECT_EQ(t.LineText("ゆーぼう"), " 1 ゆーぼう");
  EXPECT_EQ(t.LineOf("らいとにんぐぼう"), t.LineOf("ゆーぼう") + 1);
  EXPECT_TRUE(t.t.host.messages.empty());
}

TEST(Buying, WithoutTheMoneyNothingChanges) {
  ItemsGame t;
  Rich(t);
  t.OpenShop(Shop::Tool);
  t.g.state.money = 949;
  t.Select("ゆーぼう");
  const std::vector<std::string> before = t.Lines();
  t.Act();
  EXPECT_TRUE(t.Played("no.wav"));
  EXPECT_FALSE(t.Played("buy.wav"));
  EXPECT_EQ(t.g.state.money, 949);
  EXPECT_EQ(t.Owned("ゆーぼう"), 0);
  EXPECT_EQ(t.g.state.bought[static_cast<size_t>(t.Item("ゆーぼう"))], 0);
  EXPECT_EQ(t.Lines(), before);
}

TEST(Buying, FatmaItemsRaiseTheirMaximumAndSaySo) {
  ItemsGame t;
  Rich(t);
  Combatant& p = t.g.state.player();
  const Combatant before = p;
  t.OpenShop(Shop::Ship);
  t.Select("ファトマの悟り");
  t.Act();
  EXPECT_EQ(p.maxTp, before.maxTp + 1);
  ASSERT_EQ(t.t.host.messages.size(), 1u);
  EXPECT_EQ(Cp932ToUtf8(t.t.host.messages[0]),
            "最大TPが 1上昇!! → " + std::to_string(before.maxTp + 1));
  // Unique: gone from the list; the same position now holds the next line.
  EXPECT_FALSE(t.Lists("ファトマの悟り"));

  t.Select("ファトマの宣誓");
  t.Act();
  EXPECT_EQ(p.maxMp, before.maxMp + 1);
  EXPECT_EQ(p.maxHp, before.maxHp);
  EXPECT_EQ(p.maxTp, before.maxTp + 1);
  EXPECT_EQ(Cp932ToUtf8(t.t.host.messages[1]),
            "最大MPが 1上昇!! → " + std::to_string(before.maxMp + 1));

  EXPECT_FALSE(t.Lists("ファトマの号令Ⅱ"));  // opened by the first
  t.Select("ファトマの号令");
  t.Act();
  t.Select("ファトマの号令Ⅱ");
  t.Act();
  EXPECT_EQ(p.maxHp, before.maxHp + 3);
  EXPECT_EQ(Cp932ToUtf8(t.t.host.messages.back()),
            "最大HPが 2上昇!! → " + std::to_string(before.maxHp + 3));
}

TEST(Buying, TheLastLineGoneLeavesNothingSelected) {
  ItemsGame t;
  Rich(t);
  // The ship's list ends with the last pendant of its chain; made unique, buying it shortens
  // the list under the selection.
  t.Owned("聖樹のペンダント") = 1;
  t.g.state.items[static_cast<size_t>(t.Item("星昇のペンダント"))].unique = 1;
  t.OpenShop(Shop::Ship);
  ASSERT_EQ(t.LineOf("星昇のペンダント"), static_cast<int>(t.Lines().size()) - 1);
  t.Select("星昇のペンダント");
  t.Act();
  EXPECT_EQ(t.Owned("星昇のペンダント"), 1);
  EXPECT_FALSE(t.Lists("星昇のペンダント"));
  EXPECT_EQ(t.g.form[W::item_list].itemIndex, -1);
}

TEST(ShopVisit, GreetingThenPanelThenLeaving) {
  ItemsGame t;
  t.g.state.player().level = 9;
  // The ship's keeper has only her first greeting until level 10, however the rolls fall.
  for (RollMode mode : {RollMode::Lowest, RollMode::Highest}) {
    testing::PinRolls pin(t.g, mode);
    ClearTextLines(t.g);
    t.g.battle.paused = 0;
    t.g.battle.phase = 49;
    AdvanceBattlePhase(t.g);
    EXPECT_EQ(Cp932ToUtf8(t.g.text.lines[0].text), "ファトマ「我が名はファトマ、冒険する者なり」");
    EXPECT_EQ(t.g.battle.paused, 1);
  }
  t.g.battle.paused = 0;
  AdvanceBattlePhase(t.g);
  EXPECT_TRUE(t.g.form[W::item_box].visible);
  EXPECT_EQ(t.Caption(W::l_btn10), "ＢＵＹ");
  EXPECT_EQ(t.Caption(W::item_l2), "ファトマ号市");

  t.Close();
  EXPECT_EQ(t.g.world.merchantGone, 1);
  EXPECT_EQ(t.g.world.shipGone, 1);
  EXPECT_EQ(t.g.frame.mapShown, 1);

  // The tool shop sends nobody away.
  t.g.world.merchantGone = t.g.world.shipGone = 0;
  t.OpenShop(Shop::Tool);
  EXPECT_EQ(t.Caption(W::item_l2), "ショッピング");
  t.Close();
  EXPECT_EQ(t.g.world.merchantGone, 0);
  EXPECT_EQ(t.g.world.shipGone, 0);
  EXPECT_EQ(t.g.frame.mapShown, 1);
}

}  // namespace
}  // namespace qv
