// The combination check after every action: the acting side's last two or three skills are
// looked up in the pair table, then in the triples (the hero's special move first).
#include <array>
#include <string>

#include "battle/act.h"
#include "battle/combination.h"
#include "core/steps.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

constexpr const char* kComboColour = "aqua";
constexpr const char* kSpecialColour = "green";
constexpr int32_t kTriplePopup = 189;
constexpr int32_t kSpecialPopup = 156;
constexpr int32_t kSpecialLevel = 40;
// 昇星伝説 starts its count at 11 rather than one past the battle speed.
constexpr int32_t kStarLegend = 131;
constexpr int32_t kStarLegendTimer = 11;

// A skill A followed by a skill B of the same side.
struct PairRow {
  const char* first;
  const char* second;
  int32_t id;
  const char* message;
  int32_t popup;
};

// clang-format off
constexpr PairRow kPairs[] = {
    {"月光", "月光", 100, "連携技発動＞月光＋月光→幻想曲", 191},
    {"山ぼうぎょ", "山落とし", 101, "連携技発動＞山ぼうぎょ＋山落とし→地球投げ", 193},
    {"アフィニティ", "ビンタ", 102, "連携技発動＞アフィニティ＋ビンタ→インフィニティ", 193},
    {"ほのお", "しゃくねつ", 103, "連携技発動＞ほのお＋しゃくねつ→インフェルノ", 193},
    {"龍言語魔法", "劉言語魔法", 104, "連携技発動＞龍言語魔法＋劉言語魔法→ドラゴンブレス", 193},
    {"暗黒剣", "吸血", 105, "連携技発動＞暗黒剣＋吸血→ヴァンパイア・ヴラッディ・スター", 193},
    {"トロッコ銃", "弓矢狼", 106, "連携技発動＞トロッコ銃＋弓矢狼→シューティング・フラワー", 191},
    {"二刀", "ヴァイスクロイツ", 107, "連携技発動＞二刀＋ヴァイスクロイツ→スターダスト", 191},
    {"魔法剣", "魔力解放", 108, "連携技発動＞魔法剣＋魔力解放→二人の悲歌", 193},
    {"いかづち", "弓矢狼", 116, "連携技発動＞いかづち＋弓矢狼→電光石火", 193},
    {"山落とし", "山落とし", 117, "連携技発動＞山落とし＋山落とし→山の恵み", 192},
    {"ヴォマクトアタック", "ヴォマクトアタック", 118, "連携技発動＞ヴォマクトアタックｘ２→ヴォマクトＷアタック", 193},
    {"降りしきる雨", "弓矢狼", 119, "連携技発動＞降りしきる雨＋弓矢狼→アローレイン", 191},
    {"虫ヒール", "粘液", 120, "連携技発動＞虫ヒール＋粘液→毒回復", 192},
    {"虫ヒール", "閃光", 121, "連携技発動＞虫ヒール＋閃光→命中↓回復", 192},
    {"アフィニティ", "ほのお", 122, "連携技発動＞アフィニティ＋ほのお→ダイスMPヒール", 192},
    {"アフィニティ", "ヴァイスクロイツ", 123, "連携技発動＞アフィニティ＋ヴァイスクロイツ→ダイスTPヒール", 192},
    {"吸血", "ヴァイスクロイツ", 125, "連携技発動＞吸血＋ヴァイスクロイツ→TP吸血", 191},
    {"魔紋の力", "月光", 126, "連携技発動＞魔紋の力＋月光→月の癒し", 192},
    {"魔紋の力", "いかづち", 127, "連携技発動＞魔紋の力＋いかづち→空の癒し", 192},
    {"いかづち", "魔法剣", 128, "連携技発動＞いかづち＋魔法剣→雷神の加護", 191},
    {"ダークネス", "魔法剣", 129, "連携技発動＞ダークネス＋魔法剣→魔性の加護", 191},
    {"しゃくねつ", "山落とし", 132, "連携技発動＞しゃくねつ＋山落とし→ヴォルケーノ", 193},
    {"月光", "弓矢狼", 133, "連携技発動＞月光＋弓矢狼→キャンドラ", 193},
    {"山ぼうぎょ", "ほのお", 134, "連携技発動＞山ぼうぎょ＋ほのお→火耐性バリア", 192},
    {"山ぼうぎょ", "ウォータレーザー", 135, "連携技発動＞山ぼうぎょ＋ウォータレーザー→水耐性バリア", 192},
    {"山ぼうぎょ", "月光", 136, "連携技発動＞山ぼうぎょ＋月光→光耐性バリア", 192},
    {"山ぼうぎょ", "ダークネス", 137, "連携技発動＞山ぼうぎょ＋ダークネス→闇耐性バリア", 192},
    {"山ぼうぎょ", "いかづち", 138, "連携技発動＞山ぼうぎょ＋いかづち→無耐性バリア", 192},
    {"山ぼうぎょ", "ライトベール", 139, "連携技発動＞山ぼうぎょ＋ライトベール→防御力UP", 192},
    {"山ぼうぎょ", "ダークベール", 140, "連携技発動＞山ぼうぎょ＋ダークベール→回避率UP", 192},
    {"山ぼうぎょ", "ウォータベール", 141, "連携技発動＞山ぼうぎょ＋ウォータベール→命中率UP", 192},
    {"パワー", "いかづち", 142, "連携技発動＞パワー＋いかづち→無属性攻撃力UP", 192},
    {"パワー", "月光", 143, "連携技発動＞パワー＋月光→光属性攻撃力UP", 192},
    {"パワー", "ほのお", 144, "連携技発動＞パワー＋ほのお→炎属性攻撃力UP", 192},
    {"パワー", "ウォータレーザー", 145, "連携技発動＞パワー＋ウォータレーザー→水属性攻撃力UP", 192},
    {"パワー", "ダークネス", 146, "連携技発動＞パワー＋ダークネス→闇属性攻撃力UP", 192},
    {"山ぼうぎょ", "吸血", 147, "連携技発動＞山ぼうぎょ＋吸血→受容体形成", 192},
    {"山ぼうぎょ", "暗黒剣", 147, "連携技発動＞山ぼうぎょ＋暗黒剣→受容体形成", 192},
    {"ライトベール", "粘液", 148, "連携技発動＞ライトベール＋粘液→毒吸収体形勢", 192},
    {"ライトベール", "ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ", 148, "連携技発動＞ライトベール＋ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ→毒吸収体形勢", 192},
    {"ライトベール", "ライトソード", 149, "連携技発動＞ライトベール＋ライトソード→サウザンドナイフ", 192},
    {"ダークベール", "ライトソード", 149, "連携技発動＞ダークベール＋ライトソード→サウザンドナイフ", 192},
    {"ウォータベール", "ライトソード", 149, "連携技発動＞ウォータベール＋ライトソード→サウザンドナイフ", 192},
    {"ライトベール", "いかづち", 150, "連携技発動＞ライトベール＋いかづち→反射体形勢", 192},
    {"ライトベール", "月光", 150, "連携技発動＞ライトベール＋月光→反射体形勢", 192},
    {"真言", "粘液", 151, "連携技発動＞真言＋粘液→毒蛾牙", 193},
    {"真言", "ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ", 151, "連携技発動＞真言＋ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ→毒蛾牙", 193},
    {"パワー", "魔紋の力", 152, "連携技発動＞パワー＋魔紋の力→ヒール", 192},
    {"パワー", "ビンタ", 153, "連携技発動＞パワー＋ビンタ→鋼鉄セプツンビンタ", 193},
    {"詠唱", "しゃくねつ", 112, "三連携技発動＞詠唱＋しゃくねつ→マジックテクニカル", 192},
    {"詠唱", "粘液", 154, "三連携技発動＞詠唱＋粘液→粘液Ⅱ", 191},
    {"詠唱", "真言", 155, "三連携技発動＞詠唱＋真言→真言Ⅱ", 191},
    {"詠唱", "降りしきる雨", 156, "三連携技発動＞詠唱＋降りしきる雨→降りしきる雨Ⅱ", 191},
    {"詠唱", "閃光", 157, "三連携技発動＞詠唱＋閃光→閃光Ⅱ", 191},
    {"詠唱", "ウイルス", 158, "三連携技発動＞詠唱＋ウイルス→ウイルスⅡ", 191},
    {"詠唱", "足枷", 159, "三連携技発動＞詠唱＋足枷→足枷Ⅱ", 191},
    {"詠唱", "ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ", 160, "三連携技発動＞詠唱＋ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ→ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲⅡ", 191},
    {"魔紋の力", "パワー", 161, "三連携技発動＞魔紋の力＋パワー→パワーⅡ", 191},
    {"魔紋の力", "山ぼうぎょ", 162, "三連携技発動＞魔紋の力＋山ぼうぎょ→山ぼうぎょⅡ", 191},
    {"魔紋の力", "ライトベール", 163, "三連携技発動＞魔紋の力＋ライトベール→ライトベールⅡ", 191},
    {"魔紋の力", "ライトソード", 164, "三連携技発動＞魔紋の力＋ライトソード→ライトソードⅡ", 191},
    {"魔紋の力", "ファイヤーウォール", 165, "三連携技発動＞魔紋の力＋ファイヤーウォール→ファイヤーウォールⅡ", 191},
    {"魔紋の力", "ダークベール", 166, "三連携技発動＞魔紋の力＋ダークベール→ダークベールⅡ", 191},
    {"魔紋の力", "ウォータベール", 167, "三連携技発動＞魔紋の力＋ウォータベール→ウォータベールⅡ", 191},
    {"魔紋の力", "魔紋の力", 168, "三連携技発動＞魔紋の力＋魔紋の力→魔紋の力Ⅱ", 191},
    {"魔紋の力", "虫ヒール", 169, "三連携技発動＞魔紋の力＋虫ヒール→虫ヒールⅡ", 191},
    {"魔紋の力", "詠唱", 170, "三連携技発動＞魔紋の力＋詠唱→詠唱Ⅱ", 191},
    {"パワー", "弓矢狼", 141, "三連携技発動＞パワー＋弓矢狼→命中率UP", 192},
    {"しゃくねつ", "弓矢狼", 173, "連携技発動＞しゃくねつ＋弓矢狼→インドラ", 193},
    {"ダークネス", "弓矢狼", 174, "連携技発動＞ダークネス＋弓矢狼→与一の矢", 193},
    {"詠唱", "詠唱", 175, "連携技発動＞詠唱＋詠唱→魔紋の力", 192},
    {"いかづち", "ビンタ", 176, "連携技発動＞いかづち＋ビンタ→ショック", 191},
    {"二刀", "二刀", 115, "三連携技発動＞二刀ｘ２→ヴァイステクニカル", 192},
    {"パワー", "しゃくねつ", 171, "連携技発動＞パワー＋しゃくねつ→MPヒール", 192},
    {"パワー", "山ぼうぎょ", 129, "連携技発動＞パワー＋山ぼうぎょ→魔性の加護", 192},
    {"パワー", "山落とし", 128, "連携技発動＞パワー＋山落とし→雷神の加護", 192},
    {"閃光", "月光", 177, "連携技発動＞閃光＋月光→フラッシュ", 191},
    {"閃光", "ライトベール", 178, "連携技発動＞閃光＋ライトベール→光の衣", 192},
    {"月光", "ダークネス", 179, "連携技発動＞月光＋ダークネス→闇に瞬く光", 193},
    {"吸血", "トロッコ銃", 185, "連携技発動＞吸血＋トロッコ銃→ブラッドブレット", 193},
    {"パワー", "離島一本流", 128, "連携技発動＞パワー＋離島一本流→雷神の加護", 192},
    {"ほのお", "離島一本流", 186, "連携技発動＞ほのお＋離島一本流→ファイアーパンチ", 193},
    {"しゃくねつ", "離島一本流", 186, "連携技発動＞しゃくねつ＋離島一本流→ファイアーパンチ", 193},
    {"手裏剣", "手裏剣", 111, "連携技発動＞手裏剣＋手裏剣→ウェスタンムーブ", 192},
    {"手裏剣", "二刀", 140, "連携技発動＞手裏剣＋二刀→回避率UP", 192},
    {"山落とし", "離島一本流", 188, "連携技発動＞山落とし＋離島一本流→大地震", 193},
    {"いかづち", "離島一本流", 189, "連携技発動＞いかづち＋離島一本流→電撃パワー", 192},
    {"ダークネス", "暗黒剣", 190, "連携技発動＞ダークネス＋暗黒剣→漆黒防御", 192},
};
// clang-format on

// The same skill three times in a row.
struct TripleRow {
  const char* skill;
  int32_t id;
  const char* message;
};

// 闇に溶ける can never come: the ダークネス row before it always answers first.
// clang-format off
constexpr TripleRow kTriples[] = {
    {"ウォータレーザー", 152, "三連携技発動＞ウォータレーザーｘ３→ヒール"},
    {"いかづち", 172, "三連携技発動＞いかづちｘ３→TPヒール"},
    {"ダークネス", 171, "三連携技発動＞ダークネスｘ３→MPヒール"},
    {"アフィニティ", 109, "三連携技発動＞アフィニティｘ３→ダイスヒール"},
    {"弓矢狼", 110, "三連携技発動＞弓矢狼ｘ３→弓矢狼の目"},
    {"トロッコ銃", 111, "三連携技発動＞トロッコ銃ｘ３→ウェスタンムーブ"},
    {"ほのお", 112, "三連携技発動＞ほのおｘ３→マジックテクニカル"},
    {"しゃくねつ", 113, "三連携技発動＞しゃくねつｘ３→やけど"},
    {"ヴァイスクロイツ", 115, "三連携技発動＞ヴァイスクロイツｘ３→ヴァイステクニカル"},
    {"吸血", 124, "三連携技発動＞吸血ｘ３→MP吸血"},
    {"ビンタ", 130, "三連携技発動＞ビンタｘ３→天駆龍閃"},
    {"占星術", 131, "三連携技発動＞占星術ｘ３→昇星伝説"},
    {"何もせず", 187, "三連携技発動＞何もせずｘ３→諸行無常"},
    {"ダークネス", 114, "三連携技発動＞ダークネスｘ３→闇に溶ける"},
};
// clang-format on

// The hero's special move, 踏みつぶす three times from level 40: one per race, for either sex
// (raceSex 0 and 1 are the first race, 2 and 3 the second, and so on).
constexpr const char* kSpecialSkill = "踏みつぶす";
struct SpecialMove {
  int32_t id;
  const char* message;
};
constexpr std::array<SpecialMove, 5> kSpecialMoves = {{
    {180, "必殺技＞→シルヴィア剣"},
    {181, "必殺技＞→アスラの矢"},
    {182, "必殺技＞→トゥアハ・デ・ダナン"},
    {183, "必殺技＞→繁る緑"},
    {184, "必殺技＞→良き占い"},
}};

// The name of a skill in the history; empty for an empty entry or a combination.
const std::string& NameAt(const Game& g, int32_t id) {
  return SkillAt(g.state, id).name;
}

bool Is(const std::string& name, const char* utf8) {
  return name == Sjis(utf8);
}

void Start(Game& g, int side, int32_t id, const char* message, int32_t popup, const char* colour) {
  BattleState& b = g.battle;
  SpawnSidePopup(g, side, popup, "");
  AddLogLine(g, Sjis(message), colour);
  b.actionSkill = id;
  // Started past the announcement tick, so a combination is neither announced nor paid for.
  // 昇星伝説 keeps its own start of 11, except at a battle speed of 11 or more, where that
  // count would still run into the announcement.
  b.actionTimer = b.battleSpeed + 1;
  if (id == kStarLegend && kStarLegendTimer > b.battleSpeed) b.actionTimer = kStarLegendTimer;
}

const SpecialMove* SpecialMoveOf(const Game& g, int side) {
  const Combatant& hero = g.state.player();
  if (side != 0 || hero.level < kSpecialLevel) return nullptr;
  const int32_t raceSex = g.state.raceSex;
  const int32_t race = raceSex / 2;
  // A raceSex no character could be made with has no special move.
  if (raceSex < 0 || race >= static_cast<int32_t>(kSpecialMoves.size())) return nullptr;
  return &kSpecialMoves[static_cast<size_t>(race)];
}

}  // namespace

void CheckCombination(Game& g) {
  const int side = ActorSide(g);
  const std::array<int32_t, 6>& history =
      side == 0 ? g.battle.playerHistory : g.battle.enemyHistory;
  const std::string& b = NameAt(g, history[0]);
  const std::string& a = NameAt(g, history[1]);
  const std::string& c = NameAt(g, history[2]);

  if (!a.empty() && !b.empty()) {
    for (const PairRow& row : kPairs) {
      if (Is(a, row.first) && Is(b, row.second)) {
        return Start(g, side, row.id, row.message, row.popup, kComboColour);
      }
    }
  }
  if (!b.empty() && a == b && c == b) {
    if (Is(b, kSpecialSkill)) {
      if (const SpecialMove* m = SpecialMoveOf(g, side)) {
        return Start(g, side, m->id, m->message, kSpecialPopup, kSpecialColour);
      }
    }
    for (const TripleRow& row : kTriples) {
      if (Is(b, row.skill)) return Start(g, side, row.id, row.message, kTriplePopup, kComboColour);
    }
  }
  AdvanceBattlePhase(g);
}

}  // namespace qv::battle
