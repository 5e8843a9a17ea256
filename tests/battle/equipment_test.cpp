// The equipment catalogue at each of its moments, one table of cases per moment.
#include "battle/equipment.h"

#include <gtest/gtest.h>

#include <vector>

#include "battle/action_fixture.h"
#include "battle/clamp.h"
#include "battle/equipment_catalogue.h"

namespace qv {
namespace {

using testing::Duel;
using testing::PinRolls;

// Something worn or placed: a slot of the hero, or a set frame when slot is null.
struct Worn {
  int32_t Combatant::*slot;
  const char* item;
};

void Put(Duel& d, const Worn& w, int frame = 0) {
  if (w.slot) {
    d.WearPlain(w.slot, w.item);
  } else {
    d.Place(w.item, frame);
  }
}

TEST(Equipment, EveryCatalogueNameIsAnItemOfTheGameOrAKnownAbsentee) {
  Duel d;
  // Items the rewards look for that the island never hands out.
  const std::vector<std::string> absent = {Sjis("ゴールデンハンド"), Sjis("ヴォマクトクラウン"),
                                           Sjis("黄金王の杖"), Sjis("金魚"), Sjis("ライトベール")};
  auto check = [&](const char* item) {
    const std::string& name = Sjis(item);
    if (std::find(absent.begin(), absent.end(), name) != absent.end()) return;
    EXPECT_NE(FindItemByName(d.g.state, name), 0) << item;
  };
  for (const auto& row : battle::gear::BonusRows()) check(row.item);
  for (const auto& row : battle::gear::GainRows()) check(row.item);
  for (const auto& row : battle::gear::CostRows()) check(row.item);
  for (const auto& row : battle::gear::MoneyRows()) check(row.item);
  for (const auto& row : battle::gear::TallyRows()) check(row.item);
}

TEST(Equipment, BattleStartGains) {
  struct Case {
    Worn worn;
    int32_t hp, mp, tp;
  };
  const Case cases[] = {
      {{&Combatant::armor, "マジカルローブ"}, 0, 1, 0},
      {{&Combatant::armor, "雀のマント"}, 0, 1, 0},  // with the roll at its top
      {{&Combatant::armor, "次元のマント"}, 0, 3, 0},
      {{&Combatant::armor, "魔星大使の鎧"}, 5, 0, 20},
      {{nullptr, "カーレオの準備"}, 2, 0, 0},
      {{nullptr, "人工ｶｰﾚｵの予測グラフ"}, 0, 0, 4},
      {{&Combatant::pendant, "星屑のペンダント"}, 0, 0, 0},  // a turn-start item
  };
  for (const Case& c : cases) {
    Duel d;
    d.hero.hp = 50;
    d.hero.mp = 10;
    Put(d, c.worn);
    PinRolls pin(d.g, RollMode::Highest);
    battle::ApplyBattleStartEquipment(d.g);
    EXPECT_EQ(d.hero.hp - 50, c.hp) << c.worn.item;
    EXPECT_EQ(d.hero.mp - 10, c.mp) << c.worn.item;
    EXPECT_EQ(d.hero.tp, c.tp) << c.worn.item;
  }
}

TEST(Equipment, TurnStartGainsFollowTheEnemysTurns) {
  struct Case {
    Worn worn;
    int32_t Combatant::*gains;
    std::vector<int32_t> roundsThatPay;  // of rounds 0..12
    int32_t amount;
  };
  const Case cases[] = {
      {{nullptr, "カーレオの涙"}, &Combatant::hp, {2, 4, 6, 8, 10, 12}, 1},
      {{nullptr, "人工ｶｰﾚｵの涙"}, &Combatant::hp, {3, 6, 9, 12}, 1},
      {{nullptr, "カーレオの血"}, &Combatant::mp, {5, 10}, 1},
      {{nullptr, "人工ｶｰﾚｵの血"}, &Combatant::mp, {6, 12}, 1},
      {{&Combatant::pendant, "星屑のペンダント"},
       &Combatant::hp,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
       3},
      {{nullptr, "カーレオの息"}, &Combatant::tp, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 2},
      {{&Combatant::ringLeft, "天宝玉"},
       &Combatant::tp,
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
       10},
  };
  for (const Case& c : cases) {
    Duel d;
    Put(d, c.worn, 0);  // the first frame counts like any other
    for (int32_t r = 0; r <= 12; ++r) {
      d.hero.hp = 50;
      d.hero.mp = 10;
      d.hero.tp = 0;
      const int32_t before = d.hero.*c.gains;
      d.g.battle.roundCount = r;
      battle::ApplyTurnStartEquipment(d.g);
      const bool pays =
          std::find(c.roundsThatPay.begin(), c.roundsThatPay.end(), r) != c.roundsThatPay.end();
      EXPECT_EQ(d.hero.*c.gains - before, pays ? c.amount : 0) << c.worn.item << " round " << r;
    }
  }
  Duel h;  // the heat-proof calculators charge only a hurt hero
  h.Place("カーレオの耐熱計算機", 7);
  h.hero.hp = 51;
  battle::ApplyTurnStartEquipment(h.g);
  EXPECT_EQ(h.hero.tp, 0);
  h.hero.hp = 50;
  battle::ApplyTurnStartEquipment(h.g);
  EXPECT_EQ(h.hero.tp, 3);
}

TEST(Equipment, CostsFallByTheCloakAndSetItemsButNeverBelowOne) {
  struct Case {
    std::vector<Worn> worn;
    int32_t cost, mp;
  };
  const Case cases[] = {
      {{{&Combatant::armor, "鳳凰のマント"}}, 1, 1},
      {{{&Combatant::armor, "鳳凰のマント"}}, 5, 3},
      {{{&Combatant::armor, "太陽のマント"}}, 2, 1},
      {{{nullptr, "カーレオのMPセーブ"}, {&Combatant::armor, "鷹のマント"}}, 5, 3},
      {{{nullptr, "カーレオのMPセーブ"}, {&Combatant::armor, "鷹のマント"}}, 2, 1},
      {{{&Combatant::armor, "雀のマント"}}, 5, 5},
  };
  for (const Case& c : cases) {
    Duel d;
    int frame = 0;
    for (const Worn& w : c.worn) Put(d, w, frame++);
    EXPECT_EQ(battle::SkillMpCost(d.g, c.cost), c.mp) << c.worn[0].item << " " << c.cost;
  }
  Duel t;
  t.Place("カーレオのTPセーブ", 4);
  EXPECT_EQ(battle::SkillTpCost(t.g, 30), 25);
  EXPECT_EQ(battle::SkillTpCost(t.g, 6), 1);
  EXPECT_EQ(battle::SkillTpCost(t.g, 5), 5);

  Duel r;  // the rest: maxMp 20 costs 5, two of the listed set-items make it 3
  EXPECT_EQ(battle::RestMpCost(r.g, 20 / 5 + 1), 5);
  r.Place("カーレオの夢", 0);
  r.Place("人工ｶｰﾚｵの安らぎ", 1);
  EXPECT_EQ(battle::RestMpCost(r.g, 20 / 5 + 1), 3);
  EXPECT_EQ(battle::RestMpCost(r.g, 4 / 5 + 1), 1);
  EXPECT_EQ(battle::RestTpGain(r.g), 10);
  EXPECT_EQ(battle::RestHealBonus(r.g), 1);
}

TEST(Equipment, RewardsPointsAndTheTpCeiling) {
  Duel d;
  d.Place("カーレオの効率", 0);
  EXPECT_EQ(battle::RewardExperienceBonus(d.g, 10), 12);

  // The money rules act in their order: +2, then half again, doubled, then +50.
  d.Place("カーレオの金策", 1);
  for (int32_t i = 0; i < 3; ++i) {
    const char* names[] = {"ゴールデンハンド", "ヴォマクトクラウン", "金魚"};
    d.g.state.items[static_cast<size_t>(990 + i)].name = Sjis(names[i]);
    d.g.state.setSlots[static_cast<size_t>(2 + i)] = 990 + i;
  }
  EXPECT_EQ(battle::RewardMoneyBonus(d.g, 10), ((10 + 2) + 6) * 2 + 50);

  Duel s;
  EXPECT_EQ(battle::ScoreBonus(s.g), 0);
  s.Place("カーレオの冒険", 5);
  s.WearPlain(&Combatant::waist, "カーレオのベルト");
  EXPECT_EQ(battle::ScoreBonus(s.g), 60);

  Duel c;  // one item in two frames counts once
  c.Place("カーレオの器量", 0);
  c.Place("カーレオの器量", 9);
  c.Place("人工ｶｰﾚｵの器量", 3);
  c.hero.level = 45;
  EXPECT_EQ(battle::PlayerTpCap(c.g.state), 100 + 15 + 10);
}

}  // namespace
}  // namespace qv
