#include "core/master_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "core/state_ops.h"
#include "core/text.h"

namespace qv {
namespace {

std::unique_ptr<GameState> Filled() {
  auto s = std::make_unique<GameState>();
  FillMasterData(*s);
  return s;
}

struct SkillCase {
  int32_t id;
  const char* name;
  int32_t tp, mp, magic, score;
  int32_t none, water, fire, light, dark;
  const char* description;
};

TEST(MasterData, SkillsCarryTheirCostsFlagsAndTexts) {
  // clang-format off
  const SkillCase cases[] = {
      {0, "踏みつぶす", 0, 0, 0, 0, 0, 0, 0, 0, 0, "攻撃 LVが上がると威力上昇"},
      {4, "アフィニティ", 30, 0, 0, 200, 1, 0, 0, 0, 0, "攻撃値 1～15 TP-30 LVが上がると威力上昇"},
      {5, "ｲﾚｲｻｰｽｸﾘｰﾑ", 20, 0, 0, 500, 0, 0, 0, 0, 0,
       "自分のHPを半減させ、その分だけダメージを与える TP-20 LVが上がると威力上昇"},
      {6, "粘液", 0, 1, 0, 500, 0, 0, 0, 0, 0, "相手を毒化させる MP-1 <水属性> LVが上がると効果時間上昇"},
      {16, "暗黒剣", 30, 1, 0, 200, 0, 0, 0, 0, 1,
       "攻撃値 +自分のMAXHP10% HP-10% TP-30 MP-1 <闇属性> LVが上がれば威力上昇"},
      {19, "Ｍ法", 100, 20, 1, 100, 0, 0, 0, 0, 0,
       "相手のHPを半減させる TP-100 MP-20 <光>属性無効 LV上昇に変化なし"},
      {22, "逃げる", 0, 0, 0, 0, 0, 0, 0, 0, 0, "戦闘離脱。ボスから逃げられない。LV上昇に変化なし"},
      {35, "ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ", 0, 5, 0, 300, 0, 1, 0, 0, 0,
       "相手を<猛毒>化させる MP-5 <水属性> LVが上がると効果時間上昇"},
      {37, "しゃくねつ", 0, 4, 1, 200, 0, 0, 1, 0, 0, "魔法攻撃 MP-4 <炎属性> LVが上がると威力上昇"},
      {46, "魔紋の力", 25, 0, 0, 50, 0, 0, 0, 0, 0,
       "<魔紋>状態になる(魔法攻撃力UP)  <魔法>攻撃に対する防御UP TP-25 LVが上がると効果時間上昇"},
      {48, "ウォータレーザー", 15, 6, 1, 100, 0, 1, 0, 0, 0,
       "防御無視攻撃 MP-6 TP-15 <水属性> LVが上がると威力上昇"},
      {51, "離島一本流", 40, 5, 0, 50, 0, 0, 0, 1, 0, "TP-40 MP-5 <光属性> LVが上がると威力上昇"},
      {53, "何もせず", 0, 0, 0, 1000, 0, 0, 0, 0, 0, "何もしない LV上昇に変化なし"},
      {200, "バキューム", 0, 5, 0, 0, 0, 0, 0, 0, 0, "敵のTPをHPとして全て吸収する"},
      {203, "ビッグバンインフレーション", 0, 100, 0, 0, 0, 0, 0, 0, 0, "80Dmg"},
  };
  // clang-format on
  auto s = Filled();
  for (const SkillCase& c : cases) {
    SCOPED_TRACE(c.id);
    const SkillDef& d = s->skills[static_cast<size_t>(c.id)];
    EXPECT_EQ(d.name, Sjis(c.name));
    EXPECT_EQ(d.description, Sjis(c.description));
    EXPECT_EQ(d.tpCost, c.tp);
    EXPECT_EQ(d.mpCost, c.mp);
    EXPECT_EQ(d.isMagic, c.magic);
    EXPECT_EQ(d.scoreValue, c.score);
    EXPECT_EQ(d.elemNone, c.none);
    EXPECT_EQ(d.elemWater, c.water);
    EXPECT_EQ(d.elemFire, c.fire);
    EXPECT_EQ(d.elemLight, c.light);
    EXPECT_EQ(d.elemDark, c.dark);
  }
}

// Every numeric field of an item, so a value landing in the wrong column shows.
struct ItemCase {
  int32_t id;
  const char* name;
  int32_t kind, price, unique, amount, ringHit, guardRate, critRate, defense, hitOrEvade, attack;
  const char* description;
};

TEST(MasterData, ItemsFromEveryTableLandInTheirColumns) {
  // clang-format off
  const ItemCase cases[] = {
      {0, "なし", -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""},
      {1, "ぼうっきれ", 1, 35, 0, 0, 0, 0, 0, 0, 0, 1, ""},
      {5, "光の刀", 1, 300, 0, 0, 0, 0, 0, 0, 13, 2, "※攻撃時 TP +2 光の愛用しているのと同じ武器。<光属性>"},
      {34, "カーレオのぼう", 1, 9900, 0, 0, 0, 0, 0, 0, 0, 0, "※点数獲得時 +50"},
      {104, "鳳凰のマント", 2, 1491, 0, 0, 0, 0, 0, 0, 21, 0,
       "※戦闘開始時 MP+1 技のMP消費 -2 敵のMiss時 MP+1"},
      {118, "天帝裏魔王の鎧", 2, 9500, 0, 0, 0, 0, 0, 9, 4, 0, "戦闘開始時 HP+4 TP+15"},
      {124, "ライトローブ", 2, 333, 0, 0, 0, 0, 0, 1, 7, 0, "※戦闘開始時 MP+1 <光属性>"},
      {160, "冒険創造主の兜", 3, 8001, 0, 0, 0, 0, 23, 0, 0, 0, ""},
      {208, "シヴァルツシルドの盾", 4, 9900, 0, 0, 0, 11, 0, 9, 0, 0, ""},
      {219, "波動関数の円盾", 4, 9900, 0, 0, 0, 29, 0, 2, 0, 0, "※ガード時 HP+6 MP+6 TP+45"},
      {259, "ドラゴンズ・アイ", 5, 9900, 0, 0, 19, 0, 0, 0, 0, 0, "攻撃ダメージ +3"},
      {263, "真珠", 6, 500, 0, 0, 7, 0, 0, 0, 0, 0, ""},
      {270, "天宝玉", 6, 9200, 0, 0, 0, 0, 0, 0, 19, 0, "毎ターン TP +10"},
      {308, "カーレオのベルト", 7, 9900, 0, 0, 0, 0, 0, 0, 0, 0, "※点数獲得時 +50点"},
      {313, "マッコウクジラの腕当て", 8, 1000, 0, 0, 0, 0, 0, 0, 0, 4, ""},
      {321, "星屑のイヤリング", 9, 2500, 0, 0, 0, 0, 0, 0, 0, 0,
       "『ビンタ,占星術』攻撃回数 +1,『ライトソード』威力上昇"},
      {330, "魔星のペンダント", 11, 3000, 0, 0, 0, 0, 0, 0, 0, 0,
       "『粘液,ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ,火傷,棘』威力上昇"},
      {607, "カーレオのＳＦ", 99, 1000, 1, 0, 0, 0, 0, 0, 0, 0, "ＳＥＴできるカーレオを１つ増やす"},
      {711, "カーレオの安らぎ", 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, "休憩時の回復量 +2,休憩時のMP消費量 -1"},
      {818, "人工ｶｰﾚｵの慰め", 100, 400, 1, 0, 0, 0, 0, 0, 0, 0, "Miss発生時 HP +1 (一部の技を除く)"},
      {833, "人工ｶｰﾚｵの神冒険", 100, 9000, 1, 0, 0, 0, 0, 0, 0, 0, "点数獲得時 +40"},
      {651, "ファトマの号令Ⅱ", 101, 200, 1, 2, 0, 0, 0, 0, 0, 0, ""},
      {688, "ファトマの願いⅨ", 101, 9900, 1, 9, 0, 0, 0, 0, 0, 0, ""},
      {664, "ファトマの宣誓Ⅴ", 102, 7000, 1, 5, 0, 0, 0, 0, 0, 0, ""},
      {670, "ファトマの悟り", 103, 200, 1, 1, 0, 0, 0, 0, 0, 0, ""},
      {501, "宝石･グーグーの願い", 10, 150, 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
      {525, "★ｳﾞｨﾊﾞﾙﾃﾞｨ汐見の通知表", 10, 500, 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
      {528, "◇マスター・マスター「Ｍ」", 10, 300, 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
      {543, "ホットドッグ", 10, 250, 0, 0, 0, 0, 0, 0, 0, 0, nullptr},
  };
  // clang-format on
  auto s = Filled();
  for (const ItemCase& c : cases) {
    SCOPED_TRACE(c.id);
    const ItemDef& d = s->items[static_cast<size_t>(c.id)];
    EXPECT_EQ(d.name, Sjis(c.name));
    if (c.description) {
      EXPECT_EQ(d.description, Sjis(c.description));
    }
    EXPECT_EQ(d.kind, c.kind);
    EXPECT_EQ(d.price, c.price);
    EXPECT_EQ(d.unique, c.unique);
    EXPECT_EQ(d.amount, c.amount);
    EXPECT_EQ(d.ringHit, c.ringHit);
    EXPECT_EQ(d.guardRate, c.guardRate);
    EXPECT_EQ(d.critRate, c.critRate);
    EXPECT_EQ(d.defense, c.defense);
    EXPECT_EQ(d.hitOrEvade, c.hitOrEvade);
    EXPECT_EQ(d.attack, c.attack);
  }
}

// Per kind: how many entries and the sum of every numeric column, a fingerprint of the
// whole catalogue that any slip in a row changes.
struct KindSums {
  int32_t kind, count, price, unique, amount, ringHit, guardRate, critRate, defense, hitOrEvade,
      attack;
};

TEST(MasterData, CatalogueHasEveryEntryOfEveryKind) {
  // clang-format off
  const KindSums expected[] = {
      {-1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 31, 121220, 0, 0, 0, 0, 0, 0, 556, 146},
      {2, 25, 74066, 0, 0, 0, 0, 0, 70, 251, 0},
      {3, 11, 19191, 0, 0, 0, 0, 143, 0, 0, 0},
      {4, 20, 78299, 0, 0, 0, 272, 0, 58, 0, 0},
      {5, 10, 23200, 0, 0, 100, 0, 0, 0, 0, 0},
      {6, 12, 33985, 0, 0, 49, 0, 0, 0, 79, 0},
      {7, 9, 33150, 0, 0, 0, 0, 0, 36, 0, 0},
      {8, 9, 31750, 0, 0, 0, 0, 0, 0, 0, 36},
      {9, 4, 17500, 0, 0, 0, 0, 0, 0, 0, 0},
      {10, 44, 13900, 0, 0, 0, 0, 0, 0, 0, 0},
      {11, 4, 18000, 0, 0, 0, 0, 0, 0, 0, 0},
      {99, 9, 6300, 9, 0, 0, 0, 0, 0, 0, 0},
      {100, 62, 37560, 32, 0, 0, 0, 0, 0, 0, 0},
      {101, 18, 67700, 18, 90, 0, 0, 0, 0, 0, 0},
      {102, 9, 50900, 9, 45, 0, 0, 0, 0, 0, 0},
      {103, 9, 38100, 9, 45, 0, 0, 0, 0, 0, 0},
  };
  // clang-format on
  auto s = Filled();
  int named = 0;
  for (const ItemDef& d : s->items) named += d.name.empty() ? 0 : 1;
  EXPECT_EQ(named, 287);
  for (const KindSums& e : expected) {
    SCOPED_TRACE(e.kind);
    KindSums got{e.kind, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (const ItemDef& d : s->items) {
      if (d.name.empty() || d.kind != e.kind) continue;
      ++got.count;
      got.price += d.price;
      got.unique += d.unique;
      got.amount += d.amount;
      got.ringHit += d.ringHit;
      got.guardRate += d.guardRate;
      got.critRate += d.critRate;
      got.defense += d.defense;
      got.hitOrEvade += d.hitOrEvade;
      got.attack += d.attack;
    }
    EXPECT_EQ(got.count, e.count);
    EXPECT_EQ(got.price, e.price);
    EXPECT_EQ(got.unique, e.unique);
    EXPECT_EQ(got.amount, e.amount);
    EXPECT_EQ(got.ringHit, e.ringHit);
    EXPECT_EQ(got.guardRate, e.guardRate);
    EXPECT_EQ(got.critRate, e.critRate);
    EXPECT_EQ(got.defense, e.defense);
    EXPECT_EQ(got.hitOrEvade, e.hitOrEvade);
    EXPECT_EQ(got.attack, e.attack);
  }
  // The gaps between the groups stay empty.
  for (int32_t id : {17,  19,  35,  99,  125, 161, 220, 272, 309, 319,
                     334, 544, 609, 659, 689, 730, 826, 827, 834, 1000}) {
    EXPECT_TRUE(s->items[static_cast<size_t>(id)].name.empty()) << id;
  }
}

TEST(MasterData, SkillTableHoldsTheLearnableAndEnemySkillsOnly) {
  auto s = Filled();
  std::set<int32_t> named;
  int32_t tp = 0, mp = 0, magic = 0, score = 0;
  int32_t elements[5] = {};
  for (int32_t id = 0; id < kSkills; ++id) {
    const SkillDef& d = s->skills[static_cast<size_t>(id)];
    if (d.name.empty()) continue;
    named.insert(id);
    tp += d.tpCost;
    mp += d.mpCost;
    magic += d.isMagic;
    score += d.scoreValue;
    elements[0] += d.elemNone;
    elements[1] += d.elemWater;
    elements[2] += d.elemFire;
    elements[3] += d.elemLight;
    elements[4] += d.elemDark;
  }
  std::set<int32_t> want;
  for (int32_t id = 0; id <= 53; ++id) want.insert(id);
  for (int32_t id = 200; id <= 203; ++id) want.insert(id);
  EXPECT_EQ(named, want);
  EXPECT_EQ(tp, 1165);
  EXPECT_EQ(mp, 304);
  EXPECT_EQ(magic, 12);
  EXPECT_EQ(score, 11500);
  EXPECT_EQ(elements[0], 6);
  EXPECT_EQ(elements[1], 2);
  EXPECT_EQ(elements[2], 2);
  EXPECT_EQ(elements[3], 6);
  EXPECT_EQ(elements[4], 5);
}

TEST(MasterData, RefillRestoresTheCatalogueAndLeavesOtherRecordsAlone) {
  auto s = Filled();
  const auto fresh = Filled();
  // What a damaged game might have done to the tables.
  s->skills[3].tpCost = 1;
  s->skills[45].name.clear();
  s->skills[201].description = "x";
  s->items[0].kind = 5;
  s->items[0].attack = 99;
  s->items[16].price = -7;
  s->items[540].description.clear();
  s->items[833].unique = 0;
  // A combination script marks its own record; that mark must survive a reload.
  s->skills[186].elemFire = 1;

  FillMasterData(*s);
  for (int32_t id = 0; id < kSkills; ++id) {
    if (id == 186) continue;
    const SkillDef& a = s->skills[static_cast<size_t>(id)];
    const SkillDef& b = fresh->skills[static_cast<size_t>(id)];
    ASSERT_EQ(a.name, b.name) << id;
    ASSERT_EQ(a.description, b.description) << id;
    ASSERT_EQ(a.tpCost, b.tpCost) << id;
  }
  for (int32_t id = 0; id < kItems; ++id) {
    const ItemDef& a = s->items[static_cast<size_t>(id)];
    const ItemDef& b = fresh->items[static_cast<size_t>(id)];
    ASSERT_EQ(a.name, b.name) << id;
    ASSERT_EQ(a.description, b.description) << id;
    ASSERT_EQ(a.kind, b.kind) << id;
    ASSERT_EQ(a.price, b.price) << id;
    ASSERT_EQ(a.unique, b.unique) << id;
    ASSERT_EQ(a.attack, b.attack) << id;
  }
  EXPECT_EQ(s->skills[186].elemFire, 1);
  EXPECT_TRUE(s->skills[186].name.empty());
}

TEST(MasterData, LookupsByNameFindTheLastIndex) {
  auto s = Filled();
  // No two catalogue entries share a name, so each name finds its own entry.
  for (int32_t id = 1; id < kItems; ++id) {
    const ItemDef& d = s->items[static_cast<size_t>(id)];
    if (!d.name.empty()) {
      EXPECT_EQ(FindItemByName(*s, d.name), id);
    }
  }
  EXPECT_EQ(FindItemByName(*s, Sjis("人工ｶｰﾚｵの金策")), 808);
  // A later entry of the same name wins.
  s->items[900].name = Sjis("真珠");
  EXPECT_EQ(FindItemByName(*s, Sjis("真珠")), 900);
  EXPECT_EQ(FindItemByName(*s, Sjis("ない品物")), 0);
}

TEST(MasterData, EveryNameAndTextIsCp932) {
  auto s = Filled();
  for (const SkillDef& d : s->skills) {
    EXPECT_TRUE(IsValidCp932(d.name));
    EXPECT_TRUE(IsValidCp932(d.description));
    if (!d.name.empty()) {
      EXPECT_FALSE(d.description.empty()) << Cp932ToUtf8(d.name);
    }
  }
  for (const ItemDef& d : s->items) {
    EXPECT_TRUE(IsValidCp932(d.name));
    EXPECT_TRUE(IsValidCp932(d.description));
  }
}

TEST(MasterData, RareItemsEachHaveATextOfTheirOwn) {
  auto s = Filled();
  std::set<std::string> texts;
  for (int32_t id = 500; id <= 543; ++id) {
    const ItemDef& d = s->items[static_cast<size_t>(id)];
    SCOPED_TRACE(Cp932ToUtf8(d.name));
    ASSERT_EQ(d.kind, kKindRare);
    EXPECT_GE(d.description.size(), 12u);
    EXPECT_LE(d.description.size(), 249u);
    texts.insert(d.description);
  }
  EXPECT_EQ(texts.size(), 44u);
}

TEST(MasterData, NothingAddsNothingToTheTotals) {
  auto s = Filled();
  Combatant& p = s->player();
  p.attack = 3;
  p.defense = 4;
  p.hitRate = 5;
  p.evadeRate = 6;
  EXPECT_EQ(TotalAttack(*s), 3);
  EXPECT_EQ(TotalDefense(*s), 4);
  EXPECT_EQ(TotalHit(*s), 5);
  EXPECT_EQ(TotalEvade(*s), 6);
  EXPECT_EQ(TotalCrit(*s), 0);
  EXPECT_EQ(TotalGuard(*s), 0);
  p.weapon = 16;   // カーレオ刀
  p.arm = 317;     // モーセの腕当て
  p.shield = 219;  // 波動関数の円盾
  p.helmet = 160;
  p.ringLeft = 271;  // 天真珠
  EXPECT_EQ(TotalAttack(*s), 3 + 5 + 8);
  EXPECT_EQ(TotalDefense(*s), 4 + 2);
  EXPECT_EQ(TotalHit(*s), 5 + 55 + 15);
  EXPECT_EQ(TotalCrit(*s), 23);
  EXPECT_EQ(TotalGuard(*s), 29);
}

}  // namespace
}  // namespace qv
