// The equipment catalogue: every item the battle, the rewards and the rest look for by name,
// with what it does. A row counts when the player wears the item in its slot, or has it in
// any set frame for set-items.
#include "battle/equipment_catalogue.h"

namespace qv::battle::gear {
namespace {

using enum Gear;

// clang-format off
constexpr BonusRow kBonusRows[] = {
    // A cornered fighter hits harder.
    {kDesperateDamage, kSetFrame, "カーレオの火事場", 2, 0, When::kHpAtMostHalf},
    {kDesperateDamage, kSetFrame, "人工ｶｰﾚｵの火事場", 1, 0, When::kHpAtMostThird},
    {kMagicDamage, kSetFrame, "カーレオの魔力", 2},
    {kMagicDamage, kSetFrame, "人工ｶｰﾚｵの魔力", 1},
    {kMagicDamage, kEarring, "魔星のイヤリング", 2},
    {kMagicWard, kSetFrame, "カーレオの魔方陣", 2},
    {kMagicWard, kSetFrame, "人工ｶｰﾚｵの魔方陣", 1},
    {kMagicAim, kSetFrame, "カーレオの魔導", 5},
    {kMagicAim, kSetFrame, "人工ｶｰﾚｵの魔導", 3},
    {kAim, kSetFrame, "カーレオの手", 3},
    {kAim, kSetFrame, "人工ｶｰﾚｵの手", 2},
    {kAim, kSetFrame, "カーレオの手の指", 2},
    {kAim, kSetFrame, "人工ｶｰﾚｵの手の指", 1},
    {kFootwork, kSetFrame, "カーレオの足", 3},
    {kFootwork, kSetFrame, "人工ｶｰﾚｵの足", 2},
    {kFootwork, kSetFrame, "カーレオの足の指", 2},
    {kFootwork, kSetFrame, "人工ｶｰﾚｵの足の指", 1},
    {kGuardRate, kSetFrame, "カーレオの自閉", 3},
    {kGuardRate, kSetFrame, "人工ｶｰﾚｵの自閉", 2},
    {kGuardRate, kSetFrame, "カーレオの小さな自閉", 2},
    {kGuardRate, kSetFrame, "人工ｶｰﾚｵの小さな自閉", 1},
    {kCritRate, kSetFrame, "カーレオの希望", 3},
    {kCritRate, kSetFrame, "人工ｶｰﾚｵの希望", 2},
    {kCritRate, kSetFrame, "カーレオの小さな希望", 2},
    {kCritRate, kSetFrame, "人工ｶｰﾚｵの小さな希望", 1},
    {kCritHalved, kArmor, "ヤマオの胴着", 1},
    {kHitDamage, kRingRight, "ブルーダイアモンド", 1},
    {kHitDamage, kRingRight, "ヘブンズダイアモンド", 2},
    {kHitDamage, kRingRight, "ドラゴンズ・アイ", 3},
    {kHitDamage, kSetFrame, "カーレオの剣", 2},
    {kHitDamage, kSetFrame, "カーレオの大剣", 3},
    {kHitDamage, kSetFrame, "人工ｶｰﾚｵの剣", 1},
    {kHitDamage, kSetFrame, "人工ｶｰﾚｵの大剣", 2},
    {kHitDamage, kWeapon, "苦無", 2},
    {kExtraDamage, kEarring, "星屑のイヤリング", 4, 2},
    {kExtraHalved, kArmor, "ライトベール", 1},
    {kThornDamage, kPendant, "魔星のペンダント", 4, 2},
    {kHitTp, kSetFrame, "カーレオの計算機", 2},
    {kHitTp, kSetFrame, "人工ｶｰﾚｵの計算機", 1},
    // Swords that charge the fighter's TP with every landed blow.
    {kWeaponTp, kWeapon, "欠けた刀", 2},
    {kWeaponTp, kWeapon, "錆びた刀", 3},
    {kWeaponTp, kWeapon, "光の刀", 2},
    {kWeaponTp, kWeapon, "曲った刀", 4},
    {kWeaponTp, kWeapon, "苦無", 4},
    {kWeaponTp, kWeapon, "青白い刀", 6},
    {kWeaponTp, kWeapon, "日本刀", 8},
    {kWeaponTp, kWeapon, "ブッカブーカ刀", 10},
    {kWeaponTp, kWeapon, "スターダスト刀", 12},
    {kWeaponTp, kWeapon, "赤き刻印の刀", 14},
    {kWeaponTp, kWeapon, "昇星刀", 16},
    {kWeaponTp, kWeapon, "メイデイ刀", 18},
    {kWeaponTp, kWeapon, "カーレオ刀", 20},
    {kMissHeal, kSetFrame, "カーレオの慰め", 2},
    {kMissHeal, kSetFrame, "人工ｶｰﾚｵの慰め", 1},
    {kMissMp, kArmor, "孔雀のマント", 1},
    {kMissMp, kArmor, "鳳凰のマント", 1},
    {kMissMp, kArmor, "地球のマント", 1},
    {kMissMp, kArmor, "太陽のマント", 1},
    {kMissMp, kArmor, "銀河のマント", 2},
    {kMissMp, kArmor, "宇宙のマント", 3},
    {kMissMp, kArmor, "次元のマント", 4},
    {kRegenHp, kPendant, "聖樹のペンダント", 2},
    {kRegenMp, kPendant, "聖樹のペンダント", 1},
    {kRegenTp, kPendant, "聖樹のペンダント", 5},
    {kPoisonBoost, kPendant, "魔星のペンダント", 2},
    {kHeavyPoisonBoost, kPendant, "魔星のペンダント", 3, 2},
    {kBurnBoost, kPendant, "魔星のペンダント", 2},
    {kPoisonWard, kArmor, "奥博士の白衣", 1},
    {kHeavyPoisonWard, kArmor, "奥博士の白衣", 2},
    {kLongerStates, kEarring, "聖樹のイヤリング", 1},
    {kExtraSlaps, kEarring, "星屑のイヤリング", 1},
    {kMagicalRobe, kArmor, "マジカルローブ", 1},
    {kLightRobe, kArmor, "ライトローブ", 1},
};

constexpr GainRow kGainRows[] = {
    {GainMoment::kBattleStart, kArmor, "マジカルローブ", 0, 1, 0},
    {GainMoment::kBattleStart, kArmor, "ライトローブ", 0, 1, 0},
    {GainMoment::kBattleStart, kArmor, "鷲のマント", 0, 1, 0},
    {GainMoment::kBattleStart, kArmor, "鷹のマント", 0, 1, 0},
    {GainMoment::kBattleStart, kArmor, "孔雀のマント", 0, 1, 0},
    {GainMoment::kBattleStart, kArmor, "鳳凰のマント", 0, 1, 0},
    {GainMoment::kBattleStart, kArmor, "雀のマント", 0, 0, 0, 2},  // now and then
    {GainMoment::kBattleStart, kArmor, "地球のマント", 0, 2, 0},
    {GainMoment::kBattleStart, kArmor, "太陽のマント", 0, 2, 0},
    {GainMoment::kBattleStart, kArmor, "銀河のマント", 0, 3, 0},
    {GainMoment::kBattleStart, kArmor, "宇宙のマント", 0, 3, 0},
    {GainMoment::kBattleStart, kArmor, "次元のマント", 0, 3, 0},
    {GainMoment::kBattleStart, kArmor, "南極老人君の鎧", 1, 0, 0},
    {GainMoment::kBattleStart, kArmor, "間蘇の鎧", 2, 0, 5},
    {GainMoment::kBattleStart, kArmor, "天子の鎧", 3, 0, 10},
    {GainMoment::kBattleStart, kArmor, "天帝裏魔王の鎧", 4, 0, 15},
    {GainMoment::kBattleStart, kArmor, "魔星大使の鎧", 5, 0, 20},
    {GainMoment::kBattleStart, kSetFrame, "カーレオの準備", 2, 0, 0},
    {GainMoment::kBattleStart, kSetFrame, "人工ｶｰﾚｵの準備", 1, 0, 0},
    {GainMoment::kBattleStart, kSetFrame, "カーレオの予測グラフ", 0, 0, 8},
    {GainMoment::kBattleStart, kSetFrame, "人工ｶｰﾚｵの予測グラフ", 0, 0, 4},

    {GainMoment::kTurnStart, kPendant, "星屑のペンダント", 3, 0, 0, 0, When::kRoundNonZero},
    {GainMoment::kTurnStart, kSetFrame, "カーレオの涙", 1, 0, 0, 0, When::kRoundEvery, 2},
    {GainMoment::kTurnStart, kSetFrame, "人工ｶｰﾚｵの涙", 1, 0, 0, 0, When::kRoundEvery, 3},
    {GainMoment::kTurnStart, kSetFrame, "カーレオの血", 0, 1, 0, 0, When::kRoundEvery, 5},
    {GainMoment::kTurnStart, kSetFrame, "人工ｶｰﾚｵの血", 0, 1, 0, 0, When::kRoundEvery, 6},
    {GainMoment::kTurnStart, kSetFrame, "カーレオの息", 0, 0, 2},
    {GainMoment::kTurnStart, kSetFrame, "人工ｶｰﾚｵの息", 0, 0, 1},
    {GainMoment::kTurnStart, kSetFrame, "カーレオの耐熱計算機", 0, 0, 3, 0, When::kHpAtMostHalf},
    {GainMoment::kTurnStart, kSetFrame, "人工ｶｰﾚｵの耐熱計算機", 0, 0, 2, 0, When::kHpAtMostThird},
    {GainMoment::kTurnStart, kRingLeft, "姫真珠", 0, 1, 0},
    {GainMoment::kTurnStart, kRingLeft, "天真珠", 0, 2, 0},
    {GainMoment::kTurnStart, kRingLeft, "魔ヶ玉", 0, 0, 4},
    {GainMoment::kTurnStart, kRingLeft, "龍玉", 0, 0, 7},
    {GainMoment::kTurnStart, kRingLeft, "天宝玉", 0, 0, 10},
    {GainMoment::kTurnStart, kArmor, "お天気雨のローブ", 1, 0, 0},

    // Round shields pay a guarded blow back.
    {GainMoment::kGuard, kShield, "白の円盾", 0, 1, 0},
    {GainMoment::kGuard, kShield, "黒の円盾", 0, 1, 5},
    {GainMoment::kGuard, kShield, "赤の円盾", 0, 1, 10},
    {GainMoment::kGuard, kShield, "青の円盾", 0, 2, 15},
    {GainMoment::kGuard, kShield, "紫の円盾", 1, 2, 20},
    {GainMoment::kGuard, kShield, "虹色の円盾", 2, 2, 25},
    {GainMoment::kGuard, kShield, "不可視の円盾", 3, 3, 30},
    {GainMoment::kGuard, kShield, "アクシオンの円盾", 4, 4, 35},
    {GainMoment::kGuard, kShield, "論理の円盾", 5, 5, 40},
    {GainMoment::kGuard, kShield, "波動関数の円盾", 6, 6, 45},
};

constexpr CostRow kCostRows[] = {
    // The set-item first, then the cloak, each on what is left.
    {CostMoment::kSkillMp, kSetFrame, "カーレオのMPセーブ", 1},
    {CostMoment::kSkillMp, kArmor, "鷹のマント", 1},
    {CostMoment::kSkillMp, kArmor, "孔雀のマント", 1},
    {CostMoment::kSkillMp, kArmor, "鳳凰のマント", 2},
    {CostMoment::kSkillMp, kArmor, "地球のマント", 2},
    {CostMoment::kSkillMp, kArmor, "太陽のマント", 3},
    {CostMoment::kSkillMp, kArmor, "銀河のマント", 3},
    {CostMoment::kSkillMp, kArmor, "宇宙のマント", 3},
    {CostMoment::kSkillMp, kArmor, "次元のマント", 3},
    {CostMoment::kRest, kSetFrame, "カーレオの夢", 1},
    {CostMoment::kRest, kSetFrame, "人工ｶｰﾚｵの夢", 1},
    {CostMoment::kRest, kSetFrame, "カーレオのMPセーブ", 1},
    {CostMoment::kRest, kSetFrame, "カーレオの安らぎ", 1},
    {CostMoment::kRest, kSetFrame, "人工ｶｰﾚｵの安らぎ", 1},
};

constexpr MoneyRow kMoneyRows[] = {
    {"カーレオの金策", MoneyOp::kAdd, 2},
    {"人工ｶｰﾚｵの金策", MoneyOp::kAdd, 1},
    {"ゴールデンハンド", MoneyOp::kAddHalf, 0},
    {"ヴォマクトクラウン", MoneyOp::kDouble, 0},
    {"黄金王の杖", MoneyOp::kAdd, 20},
    {"金魚", MoneyOp::kAdd, 50},
};

constexpr TallyRow kTallyRows[] = {
    {Tally::kExperience, kSetFrame, "カーレオの効率", 2},
    {Tally::kExperience, kSetFrame, "人工ｶｰﾚｵの効率", 1},
    {Tally::kScore, kSetFrame, "カーレオの冒険", 10},
    {Tally::kScore, kSetFrame, "人工ｶｰﾚｵの冒険", 5},
    {Tally::kScore, kSetFrame, "人工ｶｰﾚｵの大冒険", 10},
    {Tally::kScore, kSetFrame, "人工ｶｰﾚｵの超冒険", 20},
    {Tally::kScore, kSetFrame, "人工ｶｰﾚｵの極冒険", 30},
    {Tally::kScore, kSetFrame, "人工ｶｰﾚｵの神冒険", 40},
    {Tally::kScore, kWaist, "カーレオのベルト", 50},
    {Tally::kScore, kArm, "カーレオの腕当て", 50},
    {Tally::kScore, kEarring, "星昇のイヤリング", 50},
    {Tally::kScore, kPendant, "星昇のペンダント", 50},
    {Tally::kScore, kWeapon, "カーレオのぼう", 50},
    {Tally::kRestTp, kSetFrame, "カーレオの夢", 10},
    {Tally::kRestTp, kSetFrame, "人工ｶｰﾚｵの夢", 5},
    {Tally::kRestHeal, kSetFrame, "カーレオの安らぎ", 2},
    {Tally::kRestHeal, kSetFrame, "人工ｶｰﾚｵの安らぎ", 1},
    {Tally::kTpCeiling, kSetFrame, "カーレオの器量", 10},
    {Tally::kTpCeiling, kSetFrame, "人工ｶｰﾚｵの器量", 5},
    {Tally::kSkillTpCut, kSetFrame, "カーレオのTPセーブ", 5},
};

constexpr WeaponRow kWeaponRows[] = {
    {"光の刀", WeaponAffinity::kLight},
    {"らいとにんぐぼう", WeaponAffinity::kLight},
    {"闇の杖", WeaponAffinity::kDark},
};
// clang-format on

}  // namespace

std::span<const BonusRow> BonusRows() {
  return kBonusRows;
}
std::span<const GainRow> GainRows() {
  return kGainRows;
}
std::span<const CostRow> CostRows() {
  return kCostRows;
}
std::span<const MoneyRow> MoneyRows() {
  return kMoneyRows;
}
std::span<const TallyRow> TallyRows() {
  return kTallyRows;
}
std::span<const WeaponRow> WeaponRows() {
  return kWeaponRows;
}

}  // namespace qv::battle::gear
