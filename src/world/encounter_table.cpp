#include "world/encounter_table.h"

namespace qv::world {
namespace {

constexpr const char* kNoOne = "誰もいませんでした....";
constexpr const char* kNoMore = "そこにはもう入れません";

constexpr Refusal Say(Terms when, const char* line) {
  return {when, Answer::Line, line};
}
constexpr Refusal Silent(Terms when) {
  return {when, Answer::Nothing, nullptr};
}
constexpr Refusal NoRefusal() {
  return {{}, Answer::Nothing, nullptr};
}

// clang-format off
// The return fights form a chain, each opened by the victory over the next place's first
// fight: 奥博士 → 山男 → サニー・レイニー → マジカル → 光 → 緑 (the map marks it with a beacon).
constexpr Place kPlaces[] = {
    {W::Image1, 2, true, {ClearAtLeast(3, 2), ClearIs(2, 1)},
     {Say({ClearIs(3, 0)}, "山が険しくて入れません"), Say({ClearAtLeast(2, 1)}, kNoMore)}},
    {W::Image2, 3, true, {ClearAtLeast(9, 1), ClearAtLeast(10, 1), ClearIs(3, 1)},
     {Say({ClearAtLeast(3, 1)}, kNoMore), NoRefusal()}},
    {W::map4_b, 4, true, {ClearAtLeast(2, 2), ClearIs(4, 1)},
     {Say({ClearIs(2, 0)}, kNoOne), Say({ClearAtLeast(4, 1)}, kNoMore)}},
    {W::map5_b, 5, true, {ClearAtLeast(6, 2), ClearIs(5, 1)},
     {Say({ClearIs(6, 0)}, kNoOne), Say({ClearAtLeast(5, 1)}, kNoMore)}},
    {W::map6_b, 6, true, {ClearAtLeast(4, 2), ClearIs(6, 1)},
     {Say({ClearIs(4, 0)}, kNoOne), Say({ClearAtLeast(6, 1)}, kNoMore)}},
    {W::map7_b, 7, true, {ClearAtLeast(5, 2), ClearIs(7, 1)},
     {Say({ClearIs(5, 0)}, kNoOne), Say({ClearAtLeast(7, 1)}, kNoMore)}},
    {W::map8_b, 8, false, {},
     {Say({ClearIs(5, 0)}, kNoOne), Say({ClearAtLeast(8, 1)}, kNoMore)}},
    {W::map9_b, 9, false, {},
     {Say({ClearIs(7, 0), ClearIs(8, 0)}, kNoOne), Say({ClearAtLeast(9, 1)}, kNoMore)}},
    {W::map10_b, 10, false, {},
     {Say({ClearIs(7, 0), ClearIs(8, 0)}, kNoOne), Say({ClearAtLeast(10, 1)}, kNoMore)}},
    {W::map_s, 11, false, {},
     {Say({LevelAtMost(24)}, kNoOne), {{ClearAtLeast(11, 1)}, Answer::ShipShop, nullptr}}},
    {W::Image3, 12, false, {},
     {Say({ClearAtMost(7, 1), LevelAtMost(39)}, kNoOne), Say({ClearAtLeast(12, 1)}, kNoMore)}},
    {W::Image4, 13, false, {},
     {Say({ClearIs(12, 0)}, kNoOne), Say({ClearAtLeast(13, 1)}, kNoMore)}},
    // The gods' places after the messenger: silent while closed.
    {W::Image5, 14, false, {}, {Silent({ClearIs(13, 0)}), Say({ClearAtLeast(14, 1)}, kNoMore)}},
    {W::Image9, 15, false, {}, {Silent({ClearIs(13, 0)}), Say({ClearAtLeast(15, 1)}, kNoMore)}},
    {W::Image10, 16, false, {}, {Silent({ClearIs(13, 0)}), Say({ClearAtLeast(16, 1)}, kNoMore)}},
    {W::Image11, 17, false, {}, {Silent({ClearIs(13, 0), ClearAtLeast(17, 1)}), NoRefusal()}},
    {W::Image12, 18, false, {}, {Silent({ClearIs(13, 0), ClearAtLeast(18, 1)}), NoRefusal()}},
    {W::Image13, 19, false, {}, {Silent({ClearIs(13, 0), ClearAtLeast(19, 1)}), NoRefusal()}},
};

constexpr EnemyVariant kVariants[] = {
    // code visit          name                      el  hp    mp   atk def hit eva grd crt skills                  money regen trait      picture
    {2, Visit::First,  "山男",                     3,   55,  10,  1,  2,  0,  5, 25,  1, {0, 1, 3, 1, 3},         50, 0, Trait::None, "yama.bmp"},
    {2, Visit::Return, "ヤマオ再び",               3,  300,  35,  9,  9, 40, 50, 70, 60, {0, 1, 3, 12, 7},       300, 1, Trait::None, "yama.bmp"},
    {3, Visit::First,  "奥博士",                   0,   35,   5,  0,  0,  0, 10,  0,  0, {0, 2, 6, 0, 0},         50, 0, Trait::None, "musi.bmp"},
    {3, Visit::Return, "奥博士再び",               0,  200,  30,  8,  8, 30, 40, 20, 10, {0, 201, 35, 49, 29},   300, 1, Trait::None, "musi.bmp"},
    {4, Visit::First,  "サニー・レイニー",         4,   80,  15,  2,  2, 10, 30,  5, 10, {0, 9, 23, 10, 9},      100, 0, Trait::None, "sunny.bmp"},
    {4, Visit::Return, "サニー・レイニーアゲイン", 4,  400,  30, 10, 10, 45, 60,  5, 10, {0, 37, 23, 38, 9},     350, 1, Trait::None, "sunny.bmp"},
    {5, Visit::First,  "光",                       1,  110,  15,  4,  4, 15, 25,  5,  5, {0, 14, 2, 24, 25},     150, 0, Trait::None, "hikaru.bmp"},
    {5, Visit::Return, "繰り返す光",               2,  700,  30, 12, 12, 70, 70, 10, 10, {15, 24, 25, 14, 36},   500, 2, Trait::B,    "hikaru.bmp"},
    {6, Visit::First,  "マジカル",                 4,  105,  25,  3,  3, 30, 25,  1, 10, {0, 9, 26, 27, 10},     120, 0, Trait::None, "magical.bmp"},
    {6, Visit::Return, "マジカルアゲイン",         4,  550,  55, 11, 11, 75, 70,  1, 10, {44, 45, 40, 27, 10},   400, 1, Trait::A,    "magical.bmp"},
    {7, Visit::First,  "緑",                       2,  130,  20,  5,  5, 60, 60,  5,  5, {0, 18, 17, 13, 30},    200, 0, Trait::None, "midori.bmp"},
    {7, Visit::Return, "更に濃き緑",               2,  800,  25, 13, 13, 85, 100, 1, 10, {18, 17, 33, 13, 26},   600, 2, Trait::None, "midori.bmp"},
    {8, Visit::Only,   "毒蛾博士",                 0,  130, 100,  5,  5, 30, 20,  5,  5, {0, 6, 20, 35, 29},     200, 0, Trait::None, "doku.bmp"},
    {9, Visit::Only,   "ボウケンロボット",         0,  160,  30,  6,  6, 35, 15, 25, 25, {0, 47, 200, 200, 21},  250, 1, Trait::None, "robo.bmp"},
    {10, Visit::Only,  "暗黒剣士ヨイヤミ",         2,  180,  30,  7,  7, 40, 30,  3, 10, {0, 15, 16, 27, 36},    300, 1, Trait::B,    "yoiyami.bmp"},
    {11, Visit::Only,  "ファトマ",                 4,  165,  40,  6,  6, 20, 20, 10, 10, {0, 48, 34, 31, 33},    250, 1, Trait::None, "ship2.bmp"},
    {12, Visit::Only,  "島",                       0, 1000, 100, 14, 14, 110, 90, 5, 10, {3, 51, 52, 45, 8},     500, 2, Trait::None, "sima.bmp"},
    {13, Visit::Only,  "天界からの使者",           1, 1500, 200, 15, 15, 50, 50,  5, 10, {14, 26, 49, 31, 24},   700, 2, Trait::None, "ten.bmp"},
    {14, Visit::Only,  "海神・魔獣・時数露不",     2, 2000, 200, 16, 16, 50, 50,  5, 10, {203, 12, 14, 36, 9},   800, 2, Trait::None, "jis.bmp"},
    {15, Visit::Only,  "空神・汐見カナメ",         3, 2000,  50, 17, 17, 60, 40, 15, 20, {1, 12, 3, 51, 200},    800, 2, Trait::None, "kaname.bmp"},
    {16, Visit::Only,  "地天・ｎｏｅｌ",           2, 2000,  20, 15, 15, 70, 70,  5,  5, {21, 13, 7, 26, 48},    900, 2, Trait::None, "noel.bmp"},
    {17, Visit::Only,  "飛翔する緑",               2, 2000,   0, 15, 15, 70, 200, 5,  5, {18, 13, 7, 17, 47},   1000, 0, Trait::None, "midori.bmp"},
    {18, Visit::Only,  "聳えるヤマオ",             3, 2000,   5, 20, 20, 30, 30, 25, 25, {51, 1, 3, 12, 7},      700, 1, Trait::None, "yama.bmp"},
    {19, Visit::Only,  "今、光",                   1, 2000,   5, 15, 15, 230, 30, 5,  5, {15, 24, 25, 14, 36},   700, 2, Trait::None, "hikaru.bmp"},
};
// clang-format on

}  // namespace

std::span<const Place> Places() {
  return kPlaces;
}
std::span<const EnemyVariant> Variants() {
  return kVariants;
}

const Place* PlaceAt(int32_t code) {
  for (const Place& p : kPlaces) {
    if (p.code == code) return &p;
  }
  return nullptr;
}

const EnemyVariant* VariantOf(int32_t code, Visit visit) {
  for (const EnemyVariant& v : kVariants) {
    if (v.code == code && v.visit == visit) return &v;
  }
  return nullptr;
}

}  // namespace qv::world
