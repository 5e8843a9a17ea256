#include "world/decorate_map.h"

#include <gtest/gtest.h>

#include "world/world_fixture.h"

namespace qv {
namespace {

using testing::PinRolls;
using testing::RecordingPainter;
using testing::WorldGame;

// Sprite slots of the map's pictures.
constexpr int kMap4 = 3, kMap7 = 10, kMap8 = 11, kMerchant = 12, kShip = 16;
constexpr int kFree2 = 2, kFree3 = 15, kFree4 = 17, kFree5 = 19, kMap11 = 34, kMap13 = 35;

RecordingPainter Decorate(Game& g) {
  RecordingPainter p;
  world::DecorateMap(g, p);
  return p;
}

TEST(DecorateMap, ProgressPicturesFollowTheVictories) {
  WorldGame w;
  Game& g = w.g;
  // A fresh island: nothing, not even the merchant or the ship for an empty purse.
  EXPECT_TRUE(Decorate(g).drawn.empty());
  EXPECT_FALSE(g.form[W::map_h].visible);
  EXPECT_FALSE(g.form[W::map_s].visible);
  g.state.money = 1;
  g.state.clearCount[5] = 1;
  RecordingPainter p = Decorate(g);
  EXPECT_TRUE(p.Drew(kMap7, 533, 294));
  EXPECT_TRUE(p.Drew(kMap8, 111, 67));
  EXPECT_EQ(p.drawn.size(), 2u);

  g.state.clearCount[2] = 1;
  g.state.clearCount[7] = 2;
  g.state.player().level = 39;
  p = Decorate(g);
  EXPECT_TRUE(p.Drew(kMap4, 84, 252));
  EXPECT_EQ(p.Count(kMap11), 0);
  g.state.player().level = 40;
  EXPECT_TRUE(Decorate(g).Drew(kMap11, 296, 200));
  // The island fought: its picture gives way to the messenger's, until he is beaten too.
  g.state.clearCount[12] = 1;
  p = Decorate(g);
  EXPECT_EQ(p.Count(kMap11), 0);
  EXPECT_TRUE(p.Drew(kMap13, 576, 20));
  g.state.clearCount[13] = 1;
  EXPECT_EQ(Decorate(g).Count(kMap13), 0);
}

TEST(DecorateMap, TheWanderingShopNeedsARoundPurse) {
  WorldGame w;
  Game& g = w.g;
  g.state.clearCount[5] = 1;
  g.state.money = 120;
  RecordingPainter p;
  {
    PinRolls pin(g, RollMode::Highest);
    p = Decorate(g);
  }
  const Widget& h = g.form[W::map_h];
  EXPECT_TRUE(h.visible);
  EXPECT_EQ(h.rect.left, 639);
  EXPECT_EQ(h.rect.top, 479);
  EXPECT_TRUE(p.Drew(kMerchant, 639, 479));

  // Shown before, hidden now: the purse is no longer a multiple of ten.
  g.state.money = 121;
  EXPECT_EQ(Decorate(g).Count(kMerchant), 0);
  EXPECT_FALSE(h.visible);
  // Once visited, the merchant stays away until the next victory.
  g.state.money = 130;
  g.world.merchantGone = 1;
  Decorate(g);
  EXPECT_FALSE(h.visible);
}

TEST(DecorateMap, TheShipSailsInFromLevelTwentyFiveOnTheSouthCoast) {
  WorldGame w;
  Game& g = w.g;
  g.state.money = 18;
  g.state.player().level = 24;
  Decorate(g);
  EXPECT_FALSE(g.form[W::map_s].visible);
  g.state.player().level = 25;
  RecordingPainter p;
  {
    PinRolls pin(g, RollMode::Lowest);
    p = Decorate(g);
  }
  EXPECT_TRUE(g.form[W::map_s].visible);
  EXPECT_EQ(g.form[W::map_s].rect.top, 380);
  EXPECT_TRUE(p.Drew(kShip, 10, 380));
  for (int i = 0; i < 50; ++i) {
    Decorate(g);
    const Rect& r = g.form[W::map_s].rect;
    EXPECT_GE(r.top, 380);
    EXPECT_LE(r.top, 469);
    EXPECT_GE(r.left, 10);
    EXPECT_LE(r.left, 639);
  }
  g.world.shipGone = 1;
  Decorate(g);
  EXPECT_FALSE(g.form[W::map_s].visible);
}

TEST(DecorateMap, EntrancesAreDrawnLastInTheirOrder) {
  WorldGame w;
  Game& g = w.g;
  for (int flag : {7, 10, 11, 12, 13}) g.state.eventFlags[static_cast<size_t>(flag)] = 1;
  g.state.clearCount[5] = 1;
  g.state.money = 90;  // both the merchant and the ship
  g.state.player().level = 30;
  RecordingPainter p = Decorate(g);
  ASSERT_EQ(p.drawn.size(), 9u);
  EXPECT_EQ(std::get<0>(p.drawn[0]), kMap7);
  EXPECT_EQ(std::get<0>(p.drawn[1]), kMap8);
  EXPECT_EQ(std::get<0>(p.drawn[2]), kMerchant);
  EXPECT_EQ(std::get<0>(p.drawn[3]), kShip);
  EXPECT_EQ(p.drawn[4], std::make_tuple(kFree2, 329, 114));
  EXPECT_EQ(p.drawn[5], std::make_tuple(kFree3, 332, 88));
  EXPECT_EQ(p.drawn[6], std::make_tuple(kFree4, 340, 60));
  EXPECT_EQ(p.drawn[7], std::make_tuple(kFree4, 352, 36));
  EXPECT_EQ(p.drawn[8], std::make_tuple(kFree5, 320, 12));
}

}  // namespace
}  // namespace qv
