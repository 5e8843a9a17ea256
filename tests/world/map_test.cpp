#include "world/map.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "battle/sequencer.h"
#include "core/text_lines.h"
#include "flow/step_machine.h"
#include "world/map_handlers.h"
#include "world/world_fixture.h"

namespace qv {
namespace {

using testing::PinRolls;
using testing::WorldGame;

using Handler = void (*)(Game&, int32_t, int32_t, bool);

void ForgetChapters(Game& g) {
  for (int k = 30; k <= 38; ++k) g.state.eventFlags[static_cast<size_t>(k)] = 0;
}

// Clicks through the story until it ends or `flag` is set; false when it never got there.
bool ClickUntil(Game& g, int32_t flag) {
  for (int i = 0; i < 200; ++i) {
    if (g.state.eventFlags[static_cast<size_t>(flag)] == 1 || g.battle.storyMode == 0) return true;
    if (!ContinueOnClick(g)) return false;
  }
  return false;
}

TEST(MapScreen, ComesUpAtPeace) {
  WorldGame w;
  Game& g = w.g;
  g.state.depth = 12;
  g.battle.phase = 7;
  g.battle.battleActive = 1;
  g.battle.locationId = 5;
  g.form[W::map_b1].visible = false;
  AddTextLine(g, "x");
  world::ShowMapScreen(g);
  EXPECT_EQ(g.state.depth, 0);
  EXPECT_TRUE(w.MapUp());
  EXPECT_EQ(g.battle.phase, -1);
  EXPECT_EQ(g.battle.battleActive, 0);
  EXPECT_EQ(g.battle.locationId, -1);
  EXPECT_TRUE(g.form[W::map_b1].visible);
  EXPECT_TRUE(w.NoText());
  EXPECT_EQ(w.presenter.backgrounds.back(), "map.bmp");
  // No chapter is due: the music playing goes on.
  EXPECT_TRUE(w.t.host.music.empty());
}

TEST(MapScreen, ALevelTwelvePlayerHearsChaptersThirtyAndThirtyOneBackToBack) {
  WorldGame w;
  Game& g = w.g;
  ForgetChapters(g);
  g.state.player().level = 12;
  world::ShowMapScreen(g);
  EXPECT_EQ(g.state.eventFlags[30], 1);
  EXPECT_EQ(g.state.eventFlags[31], 0);
  EXPECT_EQ(g.battle.storyMode, 1);
  EXPECT_EQ(w.t.host.music.back(), "op.mp3");
  EXPECT_EQ(w.Line(0), Sjis("走り出した馬よ、駈け出した狼よ"));
  EXPECT_FALSE(g.form[W::map_box].visible);
  EXPECT_EQ(g.frame.mapShown, 0);

  ASSERT_TRUE(ClickUntil(g, 31));
  // Chapter 31 follows at once, with no click on the map in between.
  EXPECT_EQ(g.state.eventFlags[31], 1);
  EXPECT_EQ(g.battle.storyMode, 1);
  EXPECT_EQ(w.Line(0), Sjis("自分の運命を呪ってはいまいか？"));

  ASSERT_TRUE(ClickUntil(g, 32));
  EXPECT_EQ(g.battle.storyMode, 0);
  EXPECT_EQ(g.state.eventFlags[32], 0);
  EXPECT_TRUE(w.MapUp());
  EXPECT_EQ(g.battle.battleActive, 0);
  EXPECT_EQ(g.state.battleCount, 0);
}

TEST(MapScreen, ChapterChoiceOrderNamesAndTunes) {
  WorldGame w;
  Game& g = w.g;
  ForgetChapters(g);
  // The chapters up to 36 have been heard; 37 waits for level 40, so the island's own
  // chapter comes first once it has been fought.
  for (int k = 30; k <= 36; ++k) g.state.eventFlags[static_cast<size_t>(k)] = 1;
  g.state.player().level = 39;
  g.state.clearCount[12] = 1;
  world::ShowMapScreen(g);
  EXPECT_EQ(g.state.eventFlags[38], 1);
  EXPECT_EQ(g.state.eventFlags[37], 0);
  EXPECT_EQ(w.t.host.music.back(), "map3.mp3");
  EXPECT_EQ(w.Line(0), Sjis("おい……!!"));

  // Chapter 32 opens with the player's name.
  WorldGame named;
  ForgetChapters(named.g);
  for (int k : {30, 31}) named.g.state.eventFlags[static_cast<size_t>(k)] = 1;
  named.g.state.player().level = 15;
  world::ShowMapScreen(named.g);
  EXPECT_EQ(named.Line(0), Sjis("カイ") + "....");
}

TEST(ReturnToMap, CountsTheVictoryClearsTheBattleAndShowsTheMap) {
  WorldGame w;
  Game& g = w.g;
  g.state.clearCount[5] = 1;
  g.battle.locationId = 5;
  g.battle.battleActive = 1;
  g.battle.actionTimer = 4;
  g.battle.gameOver = 1;
  g.form[W::battle_box].visible = true;
  g.state.enemy().name = "x";
  g.state.enemy().present = 1;
  g.battle.victoryLines[0] = "y";
  SpawnPopup(g, 1, 1, 3, "z");
  world::ReturnToMap(g);
  EXPECT_EQ(g.state.clearCount[5], 2);
  EXPECT_EQ(g.battle.battleActive, 0);
  EXPECT_EQ(g.battle.actionTimer, 0);
  EXPECT_EQ(g.battle.gameOver, 0);
  EXPECT_FALSE(g.form[W::battle_box].visible);
  EXPECT_TRUE(g.state.enemy().name.empty());
  EXPECT_EQ(g.state.enemy().present, 0);
  EXPECT_TRUE(g.battle.victoryLines[0].empty());
  for (const PopupSlot& p : g.text.popups) EXPECT_LT(p.age, 1);
  EXPECT_TRUE(w.MapUp());
  ASSERT_EQ(w.t.host.music.size(), 1u);

  // The free area is only marked visited.
  g.state.clearCount[1] = 7;
  g.battle.locationId = 1;
  world::ReturnToMap(g);
  EXPECT_EQ(g.state.clearCount[1], 1);
}

TEST(ReturnToMap, MapTunesOpenWithTheLevel) {
  const std::pair<int32_t, const char*> kHighest[] = {
      {1, "map2.mp3"},  {19, "map2.mp3"}, {20, "map3.mp3"}, {24, "map3.mp3"}, {25, "map4.mp3"},
      {30, "map5.mp3"}, {34, "map5.mp3"}, {35, "map6.mp3"}, {40, "map7.mp3"}, {99, "map7.mp3"},
  };
  for (const auto& [level, tune] : kHighest) {
    WorldGame w;
    w.g.state.player().level = level;
    w.g.battle.locationId = 2;
    {
      PinRolls pin(w.g, RollMode::Highest);
      world::ReturnToMap(w.g);
    }
    EXPECT_EQ(w.t.host.music.back(), tune) << "level " << level;
  }
  WorldGame w;
  w.g.battle.locationId = 2;
  {
    PinRolls pin(w.g, RollMode::Lowest);
    world::ReturnToMap(w.g);
  }
  EXPECT_EQ(w.t.host.music.back(), "map.mp3");
}

TEST(ReturnToMap, AStrayLocationCountsNowhere) {
  WorldGame w;
  for (int32_t at : {-1, 100, 102, -5000}) {
    w.g.battle.locationId = at;
    world::ReturnToMap(w.g);
    EXPECT_TRUE(w.MapUp());
  }
  for (int32_t n : w.g.state.clearCount) EXPECT_EQ(n, 0);
}

TEST(ReturnFights, TheChainFollowsTheBeacon) {
  WorldGame w;
  Game& g = w.g;
  for (int at = 2; at <= 10; ++at) g.state.clearCount[static_cast<size_t>(at)] = 1;
  struct Link {
    Handler click;
    const char* enemy;
    int32_t beaconX, beaconY;  // where the beacon stands before this fight
  };
  const Link kChain[] = {
      {Image2MouseDown, "奥博士再び", 468, 100},
      {Image1MouseDown, "ヤマオ再び", 168, 180},
      {map4_bMouseDown, "サニー・レイニーアゲイン", 86, 236},
      {map6_bMouseDown, "マジカルアゲイン", 410, 170},
      {map5_bMouseDown, "繰り返す光", 304, 228},
      {map7_bMouseDown, "更に濃き緑", 539, 276},
  };
  constexpr int kBeacon = 18;
  world::ShowMapScreen(g);
  for (const Link& link : kChain) {
    SCOPED_TRACE(link.enemy);
    EXPECT_EQ(w.presenter.painter.Count(kBeacon), 1);
    EXPECT_TRUE(w.presenter.painter.Drew(kBeacon, link.beaconX, link.beaconY));
    link.click(g, 0, 0, false);
    EXPECT_EQ(g.state.enemy().name, Sjis(link.enemy));
    world::ReturnToMap(g);  // the victory
  }
  EXPECT_EQ(w.presenter.painter.Count(kBeacon), 0);
  for (int at = 2; at <= 7; ++at) EXPECT_EQ(g.state.clearCount[static_cast<size_t>(at)], 2) << at;
}

TEST(Inn, AStayHealsChargesAndSavesThenTheMap) {
  WorldGame w;
  Game& g = w.g;
  g.state.player().level = 0;
  g.state.money = 50;
  g.state.player().hp = 3;
  g.state.player().st_poison = 4;
  // The inn, the shop and the screens do not open while a battle runs.
  g.battle.battleActive = 1;
  map_b0MouseDown(g, 0, 0, false);
  Image6MouseDown(g, 0, 0, false);
  Image7MouseDown(g, 0, 0, false);
  EXPECT_EQ(g.battle.locationId, -1);
  EXPECT_TRUE(w.NoText());
  g.battle.battleActive = 0;

  map_b0MouseDown(g, 0, 0, false);
  EXPECT_EQ(g.battle.locationId, 0);
  EXPECT_EQ(w.presenter.backgrounds.back(), "yado.bmp");
  EXPECT_FALSE(w.MapUp());
  EXPECT_EQ(w.Line(0), Sjis("　宿賃は 5円だけど、払えるんだろうね」"));
  EXPECT_EQ(g.battle.paused, 1);

  ASSERT_TRUE(ContinueOnClick(g));
  EXPECT_EQ(g.state.money, 45);
  EXPECT_EQ(g.state.player().hp, 30);
  EXPECT_EQ(g.state.player().st_poison, 0);
  EXPECT_TRUE(std::filesystem::exists(g.paths.saveDir / "my.dat"));
  EXPECT_EQ(w.Line(0), Sjis("宿泊しました.... > 全回復 , Save complete!!"));

  ASSERT_TRUE(ContinueOnClick(g));
  EXPECT_TRUE(w.MapUp());
  EXPECT_EQ(g.battle.locationId, -1);
}

TEST(Inn, TooPoorNoHealNoSaveAndBackToTheMap) {
  WorldGame w;
  Game& g = w.g;
  g.state.player().level = 0;
  g.state.money = 4;
  g.state.player().hp = 3;
  map_b0MouseDown(g, 0, 0, false);
  ASSERT_TRUE(ContinueOnClick(g));
  EXPECT_EQ(w.Line(0), Sjis("払えないじゃないか！　だから言ったんだ"));
  EXPECT_EQ(g.state.money, 4);
  EXPECT_EQ(g.state.player().hp, 3);
  EXPECT_FALSE(std::filesystem::exists(g.paths.saveDir / "my.dat"));
  ASSERT_TRUE(ContinueOnClick(g));
  EXPECT_TRUE(w.MapUp());
}

TEST(Shops, EachOpensItsSceneWithTheMoneyBroughtIn) {
  struct ShopCase {
    Handler click;
    int32_t location;
    const char* picture;
    int32_t talkStep;
  };
  const ShopCase kShops[] = {{Image6MouseDown, 100, "dougu.bmp", 30},
                             {map_hMouseDown, 102, "zinkou.bmp", 40}};
  for (const ShopCase& c : kShops) {
    WorldGame w;
    w.g.state.money = 480;
    c.click(w.g, 0, 0, false);
    EXPECT_EQ(w.g.battle.locationId, c.location);
    EXPECT_EQ(w.presenter.backgrounds.back(), c.picture);
    EXPECT_EQ(w.g.state.moneyOnEntry, 480);
    EXPECT_EQ(w.g.battle.phase, c.talkStep);
    EXPECT_EQ(w.g.battle.paused, 1);
    EXPECT_FALSE(w.MapUp());
  }
}

TEST(Shops, ItemScreensOpenOverTheMap) {
  WorldGame w;
  Game& g = w.g;
  g.battle.lastListIndex = 4;
  g.world.selectedEntry = 7;
  Image7MouseDown(g, 0, 0, false);
  EXPECT_EQ(w.t.host.waves.back(), "0:a.wav");
  EXPECT_EQ(g.battle.locationId, 101);
  EXPECT_EQ(g.form[W::l_btn10].caption, Sjis("装備"));
  EXPECT_TRUE(g.form[W::item_box].visible);
  EXPECT_TRUE(w.MapUp());
  EXPECT_EQ(g.battle.lastListIndex, 4);

  Image8MouseDown(g, 0, 0, false);
  EXPECT_EQ(g.form[W::l_btn10].caption, Sjis("強化"));
  EXPECT_EQ(g.battle.lastListIndex, -1);
  EXPECT_EQ(g.world.selectedEntry, -1);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST(StartStoryLines, TellsTheQueueAndAnEmptyQueueLeavesTheMapUp) {
  testing::WorldGame w;
  Game& g = w.g;
  world::StartStoryLines(g);
  EXPECT_TRUE(w.MapUp());
  EXPECT_EQ(g.battle.storyMode, 0);
  EXPECT_EQ(g.state.battleCount, 0);
  EXPECT_EQ(g.battle.battleActive, 0);

  g.battle.dialogueLines[0] = Sjis("島が語る");
  g.battle.dialogueLines[1] = " ";
  world::StartStoryLines(g);
  EXPECT_FALSE(w.MapUp());
  EXPECT_EQ(g.battle.storyMode, 1);
  EXPECT_EQ(w.Line(0), Sjis("島が語る"));
  ContinueOnClick(g);
  EXPECT_TRUE(w.MapUp());
  EXPECT_EQ(g.battle.storyMode, 0);
}

}  // namespace
}  // namespace qv
