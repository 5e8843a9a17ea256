#include <gtest/gtest.h>

#include "core/text_lines.h"
#include "world/map_handlers.h"
#include "world/world_fixture.h"

namespace qv {
namespace {

using testing::PinRolls;
using testing::WorldGame;

using Handler = void (*)(Game&, int32_t, int32_t, bool);

enum class Outcome { Fight, Says, Silent };

struct GateCase {
  const char* place;
  Handler click;
  int32_t code;
  std::initializer_list<std::pair<int, int32_t>> clears;
  int32_t level;
  Outcome outcome;
  const char* text;     // the enemy's name, or the refusal
  const char* picture;  // the fight's background
};

constexpr const char* kNoOne = "誰もいませんでした....";
constexpr const char* kNoMore = "そこにはもう入れません";

// Each place at the edges of its gates, the refusals in the order they are tried.
// clang-format off
const GateCase kGateCases[] = {
    {"Image1", Image1MouseDown, 2, {}, 1, Outcome::Says, "山が険しくて入れません", nullptr},
    {"Image1", Image1MouseDown, 2, {{3, 0}, {2, 1}}, 1, Outcome::Says, "山が険しくて入れません", nullptr},
    {"Image1", Image1MouseDown, 2, {{3, 1}}, 1, Outcome::Fight, "山男", "yama.bmp"},
    {"Image1", Image1MouseDown, 2, {{3, 1}, {2, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"Image1", Image1MouseDown, 2, {{3, 2}, {2, 1}}, 1, Outcome::Fight, "ヤマオ再び", "yama.bmp"},
    {"Image1", Image1MouseDown, 2, {{3, 2}, {2, 2}}, 1, Outcome::Says, kNoMore, nullptr},
    {"Image2", Image2MouseDown, 3, {}, 1, Outcome::Fight, "奥博士", "musi.bmp"},
    {"Image2", Image2MouseDown, 3, {{3, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"Image2", Image2MouseDown, 3, {{9, 1}, {10, 0}, {3, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"Image2", Image2MouseDown, 3, {{9, 1}, {10, 1}, {3, 1}}, 1, Outcome::Fight, "奥博士再び", "musi.bmp"},
    {"Image2", Image2MouseDown, 3, {{9, 1}, {10, 1}, {3, 2}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map4_b", map4_bMouseDown, 4, {}, 1, Outcome::Says, kNoOne, nullptr},
    {"map4_b", map4_bMouseDown, 4, {{4, 1}}, 1, Outcome::Says, kNoOne, nullptr},
    {"map4_b", map4_bMouseDown, 4, {{2, 1}}, 1, Outcome::Fight, "サニー・レイニー", "sunny.bmp"},
    {"map4_b", map4_bMouseDown, 4, {{2, 1}, {4, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map4_b", map4_bMouseDown, 4, {{2, 2}, {4, 1}}, 1, Outcome::Fight, "サニー・レイニーアゲイン", "sunny.bmp"},
    {"map5_b", map5_bMouseDown, 5, {}, 1, Outcome::Says, kNoOne, nullptr},
    {"map5_b", map5_bMouseDown, 5, {{6, 1}}, 1, Outcome::Fight, "光", "hikaru.bmp"},
    {"map5_b", map5_bMouseDown, 5, {{6, 1}, {5, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map5_b", map5_bMouseDown, 5, {{6, 2}, {5, 1}}, 1, Outcome::Fight, "繰り返す光", "hikaru.bmp"},
    {"map6_b", map6_bMouseDown, 6, {}, 1, Outcome::Says, kNoOne, nullptr},
    {"map6_b", map6_bMouseDown, 6, {{4, 1}}, 1, Outcome::Fight, "マジカル", "magical.bmp"},
    {"map6_b", map6_bMouseDown, 6, {{4, 2}, {6, 2}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map6_b", map6_bMouseDown, 6, {{4, 2}, {6, 1}}, 1, Outcome::Fight, "マジカルアゲイン", "magical.bmp"},
    {"map7_b", map7_bMouseDown, 7, {}, 1, Outcome::Says, kNoOne, nullptr},
    {"map7_b", map7_bMouseDown, 7, {{5, 1}}, 1, Outcome::Fight, "緑", "midori.bmp"},
    {"map7_b", map7_bMouseDown, 7, {{5, 1}, {7, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map7_b", map7_bMouseDown, 7, {{5, 2}, {7, 1}}, 1, Outcome::Fight, "更に濃き緑", "midori.bmp"},
    {"map8_b", map8_bMouseDown, 8, {}, 1, Outcome::Says, kNoOne, nullptr},
    {"map8_b", map8_bMouseDown, 8, {{5, 1}}, 1, Outcome::Fight, "毒蛾博士", "doku.bmp"},
    {"map8_b", map8_bMouseDown, 8, {{5, 2}, {8, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map9_b", map9_bMouseDown, 9, {{7, 1}}, 1, Outcome::Says, kNoOne, nullptr},
    {"map9_b", map9_bMouseDown, 9, {{8, 1}, {9, 1}}, 1, Outcome::Says, kNoOne, nullptr},
    {"map9_b", map9_bMouseDown, 9, {{7, 1}, {8, 1}}, 1, Outcome::Fight, "ボウケンロボット", "robo.bmp"},
    {"map9_b", map9_bMouseDown, 9, {{7, 1}, {8, 1}, {9, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map10_b", map10_bMouseDown, 10, {{8, 1}}, 1, Outcome::Says, kNoOne, nullptr},
    {"map10_b", map10_bMouseDown, 10, {{7, 1}, {8, 1}}, 1, Outcome::Fight, "暗黒剣士ヨイヤミ", "yoiyami.bmp"},
    {"map10_b", map10_bMouseDown, 10, {{7, 1}, {8, 1}, {10, 1}}, 1, Outcome::Says, kNoMore, nullptr},
    {"map_s", map_sMouseDown, 11, {}, 24, Outcome::Says, kNoOne, nullptr},
    {"map_s", map_sMouseDown, 11, {{11, 1}}, 24, Outcome::Says, kNoOne, nullptr},
    {"map_s", map_sMouseDown, 11, {}, 25, Outcome::Fight, "ファトマ", "ship2.bmp"},
    {"Image3", Image3MouseDown, 12, {{7, 2}}, 39, Outcome::Says, kNoOne, nullptr},
    {"Image3", Image3MouseDown, 12, {{7, 1}}, 40, Outcome::Says, kNoOne, nullptr},
    {"Image3", Image3MouseDown, 12, {{7, 2}}, 40, Outcome::Fight, "島", "sima.bmp"},
    {"Image3", Image3MouseDown, 12, {{7, 2}, {12, 1}}, 40, Outcome::Says, kNoMore, nullptr},
    {"Image4", Image4MouseDown, 13, {}, 50, Outcome::Says, kNoOne, nullptr},
    {"Image4", Image4MouseDown, 13, {{12, 1}}, 50, Outcome::Fight, "天界からの使者", "ten.bmp"},
    {"Image4", Image4MouseDown, 13, {{12, 1}, {13, 1}}, 50, Outcome::Says, kNoMore, nullptr},
    {"Image5", Image5MouseDown, 14, {}, 50, Outcome::Silent, nullptr, nullptr},
    {"Image5", Image5MouseDown, 14, {{13, 1}}, 50, Outcome::Fight, "海神・魔獣・時数露不", "jis.bmp"},
    {"Image5", Image5MouseDown, 14, {{13, 1}, {14, 1}}, 50, Outcome::Says, kNoMore, nullptr},
    {"Image9", Image9MouseDown, 15, {{14, 1}}, 50, Outcome::Silent, nullptr, nullptr},
    {"Image9", Image9MouseDown, 15, {{13, 1}}, 50, Outcome::Fight, "空神・汐見カナメ", "kaname.bmp"},
    {"Image9", Image9MouseDown, 15, {{13, 1}, {15, 1}}, 50, Outcome::Says, kNoMore, nullptr},
    {"Image10", Image10MouseDown, 16, {}, 50, Outcome::Silent, nullptr, nullptr},
    {"Image10", Image10MouseDown, 16, {{13, 1}}, 50, Outcome::Fight, "地天・ｎｏｅｌ", "noel.bmp"},
    {"Image10", Image10MouseDown, 16, {{13, 1}, {16, 1}}, 50, Outcome::Says, kNoMore, nullptr},
    {"Image11", Image11MouseDown, 17, {}, 50, Outcome::Silent, nullptr, nullptr},
    {"Image11", Image11MouseDown, 17, {{13, 1}}, 50, Outcome::Fight, "飛翔する緑", "midori.bmp"},
    {"Image11", Image11MouseDown, 17, {{13, 1}, {17, 1}}, 50, Outcome::Silent, nullptr, nullptr},
    {"Image12", Image12MouseDown, 18, {{13, 1}}, 50, Outcome::Fight, "聳えるヤマオ", "yama.bmp"},
    {"Image12", Image12MouseDown, 18, {{13, 1}, {18, 1}}, 50, Outcome::Silent, nullptr, nullptr},
    {"Image13", Image13MouseDown, 19, {{13, 1}}, 50, Outcome::Fight, "今、光", "hikaru.bmp"},
    {"Image13", Image13MouseDown, 19, {{13, 0}, {19, 0}}, 50, Outcome::Silent, nullptr, nullptr},
};
// clang-format on

TEST(Places, EveryGateAndRefusalInItsOrder) {
  for (const GateCase& c : kGateCases) {
    WorldGame w;
    Game& g = w.g;
    w.SetClears(c.clears);
    g.state.player().level = c.level;
    SCOPED_TRACE(std::string(c.place) + " case " + std::to_string(&c - kGateCases));
    c.click(g, 0, 0, false);
    // The place is remembered whatever the gate answers.
    EXPECT_EQ(g.battle.locationId, c.code);
    switch (c.outcome) {
      case Outcome::Fight:
        EXPECT_EQ(g.state.enemy().name, Sjis(c.text));
        EXPECT_EQ(g.state.enemy().present, 1);
        EXPECT_EQ(g.battle.battleActive, 1);
        EXPECT_FALSE(w.MapUp());
        EXPECT_EQ(w.presenter.backgrounds.back(), c.picture);
        // Story enemies are shown by their backgrounds, not by a wanderer's picture.
        EXPECT_TRUE(g.frame.enemyPicture.empty());
        break;
      case Outcome::Says:
        EXPECT_EQ(w.Line(0), Sjis(c.text));
        EXPECT_EQ(w.Line(1), "");
        EXPECT_TRUE(w.MapUp());
        EXPECT_EQ(g.battle.battleActive, 0);
        EXPECT_EQ(g.state.enemy().present, 0);
        break;
      case Outcome::Silent:
        EXPECT_TRUE(w.NoText());
        EXPECT_TRUE(w.MapUp());
        EXPECT_EQ(g.battle.battleActive, 0);
        break;
    }
  }
}

TEST(Places, EnemyValuesRollsAndTraits) {
  WorldGame w;
  Game& g = w.g;
  w.SetClears({{6, 2}, {5, 1}});
  {
    PinRolls pin(g, RollMode::Highest);
    map5_bMouseDown(g, 0, 0, false);
  }
  const Combatant& e = g.state.enemy();
  EXPECT_EQ(e.name, Sjis("繰り返す光"));
  EXPECT_EQ(e.exp, 9);
  EXPECT_EQ(e.moneyReward, 504);
  EXPECT_EQ(e.tp, 99);
  EXPECT_EQ(e.element, 2);
  EXPECT_EQ(e.maxHp, 700);
  EXPECT_EQ(e.hp, 700);
  EXPECT_EQ(e.mp, 30);
  EXPECT_EQ(e.evadeRate, 70);
  EXPECT_EQ(e.guardRate, 10);
  EXPECT_EQ(e.mpRegenKind, 2);
  EXPECT_EQ(e.traitB, 1);
  EXPECT_EQ(e.skillSlots, (std::array<int32_t, 5>{15, 24, 25, 14, 36}));
}

TEST(Places, AFirstFightLeavesUnnamedValuesAtZeroButTraitAStays) {
  WorldGame w;
  Game& g = w.g;
  // A strong enemy left its values behind, and an earlier one its trait A.
  Combatant& old = g.state.enemy();
  old.attack = old.defense = old.hitRate = old.guardRate = old.critRate = 50;
  old.traitA = 1;
  old.traitB = 1;
  old.mpRegenKind = 2;
  old.st_poison = 3;
  {
    PinRolls pin(g, RollMode::Lowest);
    Image2MouseDown(g, 0, 0, false);
  }
  const Combatant& e = g.state.enemy();
  EXPECT_EQ(e.name, Sjis("奥博士"));
  EXPECT_EQ(e.exp, 5);
  EXPECT_EQ(e.moneyReward, 50);
  EXPECT_EQ(e.tp, 0);
  EXPECT_EQ(e.attack, 0);
  EXPECT_EQ(e.defense, 0);
  EXPECT_EQ(e.hitRate, 0);
  EXPECT_EQ(e.guardRate, 0);
  EXPECT_EQ(e.critRate, 0);
  EXPECT_EQ(e.evadeRate, 10);
  EXPECT_EQ(e.traitB, 0);
  EXPECT_EQ(e.mpRegenKind, 0);
  EXPECT_EQ(e.st_poison, 0);
  EXPECT_EQ(e.traitA, 1);
}

TEST(Places, TheEncounterQueuesItsTalkAndOpensWithTheFirstLine) {
  WorldGame w;
  Game& g = w.g;
  w.SetClears({{3, 2}, {2, 1}});
  Image1MouseDown(g, 0, 0, false);
  // The player's name stands in the return fight's first line.
  EXPECT_EQ(w.Line(0), Sjis("山男「おまえか、") + Sjis("カイ") + "....");
  EXPECT_EQ(g.battle.paused, 1);
  EXPECT_TRUE(g.battle.dialogueLines[0].empty());
}

TEST(Places, TheShipsCaptainRemembersThePlayer) {
  WorldGame w;
  Game& g = w.g;
  g.state.player().level = 25;
  map_sMouseDown(g, 0, 0, false);
  // Her victory talk tells the player to come back.
  EXPECT_EQ(g.battle.victoryLines[0], Sjis("汝の心、しかと見た"));

  WorldGame later;
  Game& h = later.g;
  h.state.player().level = 30;
  h.state.clearCount[11] = 1;
  h.state.money = 321;
  map_sMouseDown(h, 0, 0, false);
  EXPECT_EQ(h.battle.locationId, 11);
  EXPECT_EQ(h.battle.battleActive, 0);
  EXPECT_EQ(later.presenter.backgrounds.back(), "ship2.bmp");
  EXPECT_EQ(h.state.moneyOnEntry, 321);
  EXPECT_EQ(h.battle.phase, 50);
  EXPECT_EQ(h.battle.paused, 1);
  EXPECT_FALSE(later.MapUp());
}

TEST(Places, TheShipIgnoresClicksDuringABattleOrOffTheMap) {
  WorldGame w;
  Game& g = w.g;
  g.state.player().level = 30;
  g.battle.battleActive = 1;
  map_sMouseDown(g, 0, 0, false);
  EXPECT_EQ(g.battle.locationId, -1);
  EXPECT_TRUE(w.NoText());

  g.battle.battleActive = 0;
  g.frame.mapShown = 0;
  map_sMouseDown(g, 0, 0, false);
  EXPECT_EQ(g.battle.locationId, -1);
  EXPECT_EQ(g.state.enemy().present, 0);
}

}  // namespace
}  // namespace qv
