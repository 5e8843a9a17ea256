#pragma once
// The three choice rows of the creation panel and what each choice adds to the character.
#include <cstdint>

namespace qv::creation {

// What a choice adds at confirmation.
struct Bonus {
  int32_t attack = 0;
  int32_t defense = 0;
  int32_t maxHp = 0;
  int32_t maxMp = 0;
  int32_t hitRate = 0;
  int32_t evadeRate = 0;
  int32_t money = 0;
};

// One button of a choice row: the name the summary (or the button) shows and its bonus.
struct ChoiceRow {
  const char* name;
  Bonus bonus;
};

// By bonusParam (l_btn1 .. l_btn6).
inline constexpr ChoiceRow kParams[] = {
    {"攻撃力", {.attack = 1}}, {"防御力", {.defense = 1}}, {"最大HP", {.maxHp = 2}},
    {"最大MP", {.maxMp = 1}},  {"命中率", {.hitRate = 5}}, {"回避率", {.evadeRate = 5}},
};

// By personality (l_btn15 .. l_btn20). The coward pays less at the inn instead of a bonus
// here; the antisocial gets nothing. The summary has always called the antisocial 反社会社.
inline constexpr ChoiceRow kPersonalities[] = {
    {"お金持ち", {.money = 200}},
    {"冒険者", {.maxHp = 5}},
    {"臆病者", {}},
    {"反社会社", {}},
    {"賢者", {.attack = 1, .defense = 1, .hitRate = 5, .evadeRate = 5}},
    {"狂人", {.maxHp = -5, .maxMp = 5}},
};

// By raceSex (l_btn30 .. l_btn39).
inline constexpr ChoiceRow kRaceSexes[] = {
    {"人間男", {.hitRate = 5}},     {"人間女", {.hitRate = 5}}, {"QRTV団男", {.evadeRate = 5}},
    {"QRTV団女", {.evadeRate = 5}}, {"魔族男", {.maxMp = 1}},   {"魔族女", {.maxMp = 1}},
    {"獣人男", {.attack = 1}},      {"獣人女", {.attack = 1}},  {"仮面男", {.maxHp = 2}},
    {"仮面女", {.maxHp = 2}},
};

}  // namespace qv::creation
