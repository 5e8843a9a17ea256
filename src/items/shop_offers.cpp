// The three shops' offer lists. Runs of "Chain" entries open one by one: each appears once the
// entry before it has been bought, so the stronger goods follow the weaker.
#include "items/shop_offers.h"

namespace qv::items {
namespace {

constexpr Offer Item(const char* text) {
  return Offer{.text = text};
}
constexpr Offer Chain(const char* text) {
  return Offer{.text = text, .afterPrevious = true};
}
constexpr Offer AfterClear(int32_t place, const char* text) {
  return Offer{.text = text, .clear = place};
}
constexpr Offer FromLevel(int32_t level, Offer o) {
  o.minLevel = level;
  return o;
}
constexpr Offer WhileOwning(const char* item, Offer o) {
  o.owns = item;
  return o;
}

constexpr Offer kToolShop[] = {
    Item("－－－武器－－－"),
    Item("ぼうっきれ"),
    Item("太いぼう"),
    Item("硬いぼう"),
    Item("恐ろしいぼう"),
    Item("閻魔のぼう"),
    Item("ゆーぼう"),
    Chain("らいとにんぐぼう"),
    Chain("てんちつらぬくぼう"),
    Chain("にょいぼう"),
    Chain("きぼう"),
    Chain("ぜつぼう"),
    Chain("きょうぼう"),
    Chain("らんぼう"),
    Chain("しぼう"),
    Chain("れいんぼう"),
    Chain("カーレオのぼう"),
    Item("欠けた刀"),
    AfterClear(3, "錆びた刀"),
    Item("曲った刀"),
    Item("青白い刀"),
    Item("日本刀"),
    Item("ブッカブーカ刀"),
    Chain("スターダスト刀"),
    Chain("赤き刻印の刀"),
    Chain("昇星刀"),
    Chain("メイデイ刀"),
    Chain("カーレオ刀"),
    AfterClear(2, "山の棍棒"),
    AfterClear(6, "闇の杖"),
    AfterClear(5, "光の刀"),
    AfterClear(7, "苦無"),

    Item("－－－防具－－－"),
    Item("雀のマント"),
    Item("鷲のマント"),
    Item("鷹のマント"),
    Item("孔雀のマント"),
    Item("鳳凰のマント"),
    Chain("地球のマント"),
    Chain("太陽のマント"),
    Chain("銀河のマント"),
    Chain("宇宙のマント"),
    Chain("次元のマント"),
    Item("こどもの鎧"),
    Item("青年の鎧"),
    Item("大人の鎧"),
    Item("老人君の鎧"),
    Item("仙人君の鎧"),
    Chain("南極老人君の鎧"),
    Chain("間蘇の鎧"),
    Chain("天子の鎧"),
    Chain("天帝裏魔王の鎧"),
    Chain("魔星大使の鎧"),
    AfterClear(3, "奥博士の白衣"),
    AfterClear(2, "ヤマオの胴着"),
    AfterClear(4, "お天気雨のローブ"),
    AfterClear(5, "ライトローブ"),
    AfterClear(6, "マジカルローブ"),

    Item("－－－ 兜 －－－"),
    Item("冒険素人の兜"),
    Item("冒険見習いの兜"),
    Item("冒険経験者の兜"),
    Item("冒険熟練者の兜"),
    Item("冒険有段者の兜"),
    Item("冒険高段者の兜"),
    Item("冒険達人の兜"),
    Item("冒険名人の兜"),
    Chain("冒険超人の兜"),
    Chain("冒険神の兜"),
    Chain("冒険創造主の兜"),

    Item("－－－ 盾 －－－"),
    Item("木の盾"),
    Item("銅の盾"),
    Item("鉄の盾"),
    Item("鋼の盾"),
    Chain("銀の盾"),
    Chain("霊銀の盾"),
    Chain("オリハルコンの盾"),
    Chain("アダマン鉄の盾"),
    Chain("シヴァルツシルドの盾"),
    Chain("量子の盾"),
    Item("白の円盾"),
    Item("黒の円盾"),
    Item("赤の円盾"),
    Item("青の円盾"),
    Chain("紫の円盾"),
    Chain("虹色の円盾"),
    Chain("不可視の円盾"),
    Chain("アクシオンの円盾"),
    Chain("論理の円盾"),
    Chain("波動関数の円盾"),

    Item("－－ 右指輪 －－"),
    Item("ターコイズ"),
    Item("トパーズ"),
    Item("ローズクォーツ"),
    Item("サファイア"),
    Item("エメラルド"),
    Item("ルビー"),
    Item("ダイアモンド"),
    Chain("ブルーダイアモンド"),
    Chain("ヘブンズダイアモンド"),
    Chain("ドラゴンズ・アイ"),
};

constexpr Offer kWanderingShop[] = {
    Item("－－人工カーレオ－－"),
    Offer{.randomSetItems = true},
    Item("－－カーレオ作品－－"),
    Item("カーレオのメモ"),
    Item("カーレオの手記"),
    Item("カーレオの日記"),
    Item("カーレオの詩"),
    Item("カーレオの短文"),
    Item("カーレオの小説"),
    Item("カーレオの自伝"),
    Item("カーレオのＳＦ"),
    Item("カーレオの哲学"),
    Item("－－ 左指輪 －－"),
    Item("黒曜石"),
    Item("真珠"),
    Item("黒真珠"),
    Chain("姫真珠"),
    Chain("天真珠"),
    Item("七宝焼き"),
    Item("瑠璃"),
    Item("瑪瑙"),
    Item("紫水晶"),
    Chain("魔ヶ玉"),
    Chain("龍玉"),
    Chain("天宝玉"),
};

constexpr Offer kShipShop[] = {
    Item("－－－ 腕 －－－"),
    Item("イルカの腕当て"),
    Chain("サメの腕当て"),
    Chain("マンタの腕当て"),
    Chain("マッコウクジラの腕当て"),
    Chain("シロナガスクジラの腕当て"),
    Chain("クラーケンの腕当て"),
    Chain("ポセイドンの腕当て"),
    Chain("モーセの腕当て"),
    Chain("カーレオの腕当て"),
    Item("－－－ 腰 －－－"),
    Item("いたずら王のベルト"),
    Chain("喧嘩王のベルト"),
    Chain("優勝ベルト"),
    Chain("チャンピオンベルト"),
    Chain("ヒーローのベルト"),
    Chain("伝説のベルト"),
    Chain("ファトマのベルト"),
    Chain("メイデイのベルト"),
    Chain("カーレオのベルト"),
    FromLevel(40, Item("－－－　謎 －－－")),
    // Fatma's own goods: blocks of nine that open with the player's level (the wishes once the
    // last enlightenment is owned), each step once the one before it is owned.
    FromLevel(40, Item("ファトマの号令")),
    FromLevel(40, Chain("ファトマの号令Ⅱ")),
    FromLevel(40, Chain("ファトマの号令Ⅲ")),
    FromLevel(40, Chain("ファトマの号令Ⅳ")),
    FromLevel(40, Chain("ファトマの号令Ⅴ")),
    FromLevel(40, Chain("ファトマの号令Ⅵ")),
    FromLevel(40, Chain("ファトマの号令Ⅶ")),
    FromLevel(40, Chain("ファトマの号令Ⅷ")),
    FromLevel(40, Chain("ファトマの号令Ⅸ")),
    FromLevel(50, Item("ファトマの宣誓")),
    FromLevel(50, Chain("ファトマの宣誓Ⅱ")),
    FromLevel(50, Chain("ファトマの宣誓Ⅲ")),
    FromLevel(50, Chain("ファトマの宣誓Ⅳ")),
    FromLevel(50, Chain("ファトマの宣誓Ⅴ")),
    FromLevel(50, Chain("ファトマの宣誓Ⅵ")),
    FromLevel(50, Chain("ファトマの宣誓Ⅶ")),
    FromLevel(50, Chain("ファトマの宣誓Ⅷ")),
    FromLevel(50, Chain("ファトマの宣誓Ⅸ")),
    FromLevel(60, Item("ファトマの悟り")),
    FromLevel(60, Chain("ファトマの悟りⅡ")),
    FromLevel(60, Chain("ファトマの悟りⅢ")),
    FromLevel(60, Chain("ファトマの悟りⅣ")),
    FromLevel(60, Chain("ファトマの悟りⅤ")),
    FromLevel(60, Chain("ファトマの悟りⅥ")),
    FromLevel(60, Chain("ファトマの悟りⅦ")),
    FromLevel(60, Chain("ファトマの悟りⅧ")),
    FromLevel(60, Chain("ファトマの悟りⅨ")),
    WhileOwning("ファトマの悟りⅨ", Item("ファトマの願い")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅡ")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅢ")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅣ")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅤ")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅥ")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅦ")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅧ")),
    WhileOwning("ファトマの悟りⅨ", Chain("ファトマの願いⅨ")),
    FromLevel(38, Item("魔星のイヤリング")),
    FromLevel(38, Item("星屑のイヤリング")),
    FromLevel(38, Item("聖樹のイヤリング")),
    FromLevel(38, Chain("星昇のイヤリング")),
    FromLevel(43, Item("魔星のペンダント")),
    FromLevel(43, Item("星屑のペンダント")),
    FromLevel(43, Item("聖樹のペンダント")),
    FromLevel(43, Chain("星昇のペンダント")),
};

}  // namespace

std::span<const Offer> OffersOf(Shop shop) {
  switch (shop) {
    case Shop::Tool:
      return kToolShop;
    case Shop::Wandering:
      return kWanderingShop;
    case Shop::Ship:
      return kShipShop;
  }
  return {};
}

}  // namespace qv::items
