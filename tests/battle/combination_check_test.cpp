// The combination check: every pair and triple row, the hero's special move, the order of the
// tables, and a combination that never feeds another.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "battle/action.h"
#include "battle/action_fixture.h"
#include "battle/combination.h"
#include "battle/sequencer.h"
#include "simulate/simulator.h"

namespace qv {
namespace {

using testing::Duel;
using testing::PinRolls;

// The id of a skill by its name; -1 when the master table has no such skill.
int32_t SkillId(const Game& g, const char* utf8) {
  for (int32_t id = 0; id < kSkills; ++id) {
    if (!g.state.skills[static_cast<size_t>(id)].name.empty() &&
        g.state.skills[static_cast<size_t>(id)].name == Sjis(utf8)) {
      return id;
    }
  }
  return -1;
}

// The acting side's history, newest first, and the check as step 4 runs it.
void Check(Duel& d, int side, std::vector<int32_t> newestFirst) {
  BattleState& b = d.g.battle;
  b.playerHistory.fill(-1);
  b.enemyHistory.fill(-1);
  auto& history = side == 0 ? b.playerHistory : b.enemyHistory;
  for (size_t i = 0; i < newestFirst.size(); ++i) history[i] = newestFirst[i];
  b.turnSide = side;
  b.phase = 4;
  b.paused = 0;
  b.actionSkill = -1;
  b.actionTimer = 0;
  ClearTextLines(d.g);
  d.ResetPopups();
  battle::CheckCombination(d.g);
}

// The logged message, joined again when the log wrapped it onto a second line.
std::string Logged(const Duel& d) {
  const LineEntry& head = d.g.text.lines[1];
  const LineEntry& tail = d.g.text.lines[0];
  const std::string& indent = Sjis("　");
  if (!tail.text.starts_with(indent) || head.colourCode != tail.colourCode) return tail.text;
  std::string joined = head.text + tail.text.substr(indent.size());
  if (joined.ends_with(' ')) joined.pop_back();
  return joined;
}

struct PairCase {
  const char* first;
  const char* second;
  int32_t id;
  int32_t popup;
  const char* message;
};

// clang-format off
const PairCase kPairCases[] = {
    {"月光", "月光", 100, 191, "連携技発動＞月光＋月光→幻想曲"},
    {"山ぼうぎょ", "山落とし", 101, 193, "連携技発動＞山ぼうぎょ＋山落とし→地球投げ"},
    {"アフィニティ", "ビンタ", 102, 193, "連携技発動＞アフィニティ＋ビンタ→インフィニティ"},
    {"ほのお", "しゃくねつ", 103, 193, "連携技発動＞ほのお＋しゃくねつ→インフェルノ"},
    {"龍言語魔法", "劉言語魔法", 104, 193, "連携技発動＞龍言語魔法＋劉言語魔法→ドラゴンブレス"},
    {"暗黒剣", "吸血", 105, 193, "連携技発動＞暗黒剣＋吸血→ヴァンパイア・ヴラッディ・スター"},
    {"トロッコ銃", "弓矢狼", 106, 191, "連携技発動＞トロッコ銃＋弓矢狼→シューティング・フラワー"},
    {"二刀", "ヴァイスクロイツ", 107, 191, "連携技発動＞二刀＋ヴァイスクロイツ→スターダスト"},
    {"魔法剣", "魔力解放", 108, 193, "連携技発動＞魔法剣＋魔力解放→二人の悲歌"},
    {"いかづち", "弓矢狼", 116, 193, "連携技発動＞いかづち＋弓矢狼→電光石火"},
    {"山落とし", "山落とし", 117, 192, "連携技発動＞山落とし＋山落とし→山の恵み"},
    {"ヴォマクトアタック", "ヴォマクトアタック", 118, 193, "連携技発動＞ヴォマクトアタックｘ２→ヴォマクトＷアタック"},
    {"降りしきる雨", "弓矢狼", 119, 191, "連携技発動＞降りしきる雨＋弓矢狼→アローレイン"},
    {"虫ヒール", "粘液", 120, 192, "連携技発動＞虫ヒール＋粘液→毒回復"},
    {"虫ヒール", "閃光", 121, 192, "連携技発動＞虫ヒール＋閃光→命中↓回復"},
    {"アフィニティ", "ほのお", 122, 192, "連携技発動＞アフィニティ＋ほのお→ダイスMPヒール"},
    {"アフィニティ", "ヴァイスクロイツ", 123, 192, "連携技発動＞アフィニティ＋ヴァイスクロイツ→ダイスTPヒール"},
    {"吸血", "ヴァイスクロイツ", 125, 191, "連携技発動＞吸血＋ヴァイスクロイツ→TP吸血"},
    {"魔紋の力", "月光", 126, 192, "連携技発動＞魔紋の力＋月光→月の癒し"},
    {"魔紋の力", "いかづち", 127, 192, "連携技発動＞魔紋の力＋いかづち→空の癒し"},
    {"いかづち", "魔法剣", 128, 191, "連携技発動＞いかづち＋魔法剣→雷神の加護"},
    {"ダークネス", "魔法剣", 129, 191, "連携技発動＞ダークネス＋魔法剣→魔性の加護"},
    {"しゃくねつ", "山落とし", 132, 193, "連携技発動＞しゃくねつ＋山落とし→ヴォルケーノ"},
    {"月光", "弓矢狼", 133, 193, "連携技発動＞月光＋弓矢狼→キャンドラ"},
    {"山ぼうぎょ", "ほのお", 134, 192, "連携技発動＞山ぼうぎょ＋ほのお→火耐性バリア"},
    {"山ぼうぎょ", "ウォータレーザー", 135, 192, "連携技発動＞山ぼうぎょ＋ウォータレーザー→水耐性バリア"},
    {"山ぼうぎょ", "月光", 136, 192, "連携技発動＞山ぼうぎょ＋月光→光耐性バリア"},
    {"山ぼうぎょ", "ダークネス", 137, 192, "連携技発動＞山ぼうぎょ＋ダークネス→闇耐性バリア"},
    {"山ぼうぎょ", "いかづち", 138, 192, "連携技発動＞山ぼうぎょ＋いかづち→無耐性バリア"},
    {"山ぼうぎょ", "ライトベール", 139, 192, "連携技発動＞山ぼうぎょ＋ライトベール→防御力UP"},
    {"山ぼうぎょ", "ダークベール", 140, 192, "連携技発動＞山ぼうぎょ＋ダークベール→回避率UP"},
    {"山ぼうぎょ", "ウォータベール", 141, 192, "連携技発動＞山ぼうぎょ＋ウォータベール→命中率UP"},
    {"パワー", "いかづち", 142, 192, "連携技発動＞パワー＋いかづち→無属性攻撃力UP"},
    {"パワー", "月光", 143, 192, "連携技発動＞パワー＋月光→光属性攻撃力UP"},
    {"パワー", "ほのお", 144, 192, "連携技発動＞パワー＋ほのお→炎属性攻撃力UP"},
    {"パワー", "ウォータレーザー", 145, 192, "連携技発動＞パワー＋ウォータレーザー→水属性攻撃力UP"},
    {"パワー", "ダークネス", 146, 192, "連携技発動＞パワー＋ダークネス→闇属性攻撃力UP"},
    {"山ぼうぎょ", "吸血", 147, 192, "連携技発動＞山ぼうぎょ＋吸血→受容体形成"},
    {"山ぼうぎょ", "暗黒剣", 147, 192, "連携技発動＞山ぼうぎょ＋暗黒剣→受容体形成"},
    {"ライトベール", "粘液", 148, 192, "連携技発動＞ライトベール＋粘液→毒吸収体形勢"},
    {"ライトベール", "ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ", 148, 192, "連携技発動＞ライトベール＋ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ→毒吸収体形勢"},
    {"ライトベール", "ライトソード", 149, 192, "連携技発動＞ライトベール＋ライトソード→サウザンドナイフ"},
    {"ダークベール", "ライトソード", 149, 192, "連携技発動＞ダークベール＋ライトソード→サウザンドナイフ"},
    {"ウォータベール", "ライトソード", 149, 192, "連携技発動＞ウォータベール＋ライトソード→サウザンドナイフ"},
    {"ライトベール", "いかづち", 150, 192, "連携技発動＞ライトベール＋いかづち→反射体形勢"},
    {"ライトベール", "月光", 150, 192, "連携技発動＞ライトベール＋月光→反射体形勢"},
    {"真言", "粘液", 151, 193, "連携技発動＞真言＋粘液→毒蛾牙"},
    {"真言", "ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ", 151, 193, "連携技発動＞真言＋ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ→毒蛾牙"},
    {"パワー", "魔紋の力", 152, 192, "連携技発動＞パワー＋魔紋の力→ヒール"},
    {"パワー", "ビンタ", 153, 193, "連携技発動＞パワー＋ビンタ→鋼鉄セプツンビンタ"},
    {"詠唱", "しゃくねつ", 112, 192, "三連携技発動＞詠唱＋しゃくねつ→マジックテクニカル"},
    {"詠唱", "粘液", 154, 191, "三連携技発動＞詠唱＋粘液→粘液Ⅱ"},
    {"詠唱", "真言", 155, 191, "三連携技発動＞詠唱＋真言→真言Ⅱ"},
    {"詠唱", "降りしきる雨", 156, 191, "三連携技発動＞詠唱＋降りしきる雨→降りしきる雨Ⅱ"},
    {"詠唱", "閃光", 157, 191, "三連携技発動＞詠唱＋閃光→閃光Ⅱ"},
    {"詠唱", "ウイルス", 158, 191, "三連携技発動＞詠唱＋ウイルス→ウイルスⅡ"},
    {"詠唱", "足枷", 159, 191, "三連携技発動＞詠唱＋足枷→足枷Ⅱ"},
    {"詠唱", "ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ", 160, 191, "三連携技発動＞詠唱＋ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲ→ﾎﾟｲｽﾞﾝﾊﾞﾀﾌﾗｲⅡ"},
    {"魔紋の力", "パワー", 161, 191, "三連携技発動＞魔紋の力＋パワー→パワーⅡ"},
    {"魔紋の力", "山ぼうぎょ", 162, 191, "三連携技発動＞魔紋の力＋山ぼうぎょ→山ぼうぎょⅡ"},
    {"魔紋の力", "ライトベール", 163, 191, "三連携技発動＞魔紋の力＋ライトベール→ライトベールⅡ"},
    {"魔紋の力", "ライトソード", 164, 191, "三連携技発動＞魔紋の力＋ライトソード→ライトソードⅡ"},
    {"魔紋の力", "ファイヤーウォール", 165, 191, "三連携技発動＞魔紋の力＋ファイヤーウォール→ファイヤーウォールⅡ"},
    {"魔紋の力", "ダークベール", 166, 191, "三連携技発動＞魔紋の力＋ダークベール→ダークベールⅡ"},
    {"魔紋の力", "ウォータベール", 167, 191, "三連携技発動＞魔紋の力＋ウォータベール→ウォータベールⅡ"},
    {"魔紋の力", "魔紋の力", 168, 191, "三連携技発動＞魔紋の力＋魔紋の力→魔紋の力Ⅱ"},
    {"魔紋の力", "虫ヒール", 169, 191, "三連携技発動＞魔紋の力＋虫ヒール→虫ヒールⅡ"},
    {"魔紋の力", "詠唱", 170, 191, "三連携技発動＞魔紋の力＋詠唱→詠唱Ⅱ"},
    {"パワー", "弓矢狼", 141, 192, "三連携技発動＞パワー＋弓矢狼→命中率UP"},
    {"しゃくねつ", "弓矢狼", 173, 193, "連携技発動＞しゃくねつ＋弓矢狼→インドラ"},
    {"ダークネス", "弓矢狼", 174, 193, "連携技発動＞ダークネス＋弓矢狼→与一の矢"},
    {"詠唱", "詠唱", 175, 192, "連携技発動＞詠唱＋詠唱→魔紋の力"},
    {"いかづち", "ビンタ", 176, 191, "連携技発動＞いかづち＋ビンタ→ショック"},
    {"二刀", "二刀", 115, 192, "三連携技発動＞二刀ｘ２→ヴァイステクニカル"},
    {"パワー", "しゃくねつ", 171, 192, "連携技発動＞パワー＋しゃくねつ→MPヒール"},
    {"パワー", "山ぼうぎょ", 129, 192, "連携技発動＞パワー＋山ぼうぎょ→魔性の加護"},
    {"パワー", "山落とし", 128, 192, "連携技発動＞パワー＋山落とし→雷神の加護"},
    {"閃光", "月光", 177, 191, "連携技発動＞閃光＋月光→フラッシュ"},
    {"閃光", "ライトベール", 178, 192, "連携技発動＞閃光＋ライトベール→光の衣"},
    {"月光", "ダークネス", 179, 193, "連携技発動＞月光＋ダークネス→闇に瞬く光"},
    {"吸血", "トロッコ銃", 185, 193, "連携技発動＞吸血＋トロッコ銃→ブラッドブレット"},
    {"パワー", "離島一本流", 128, 192, "連携技発動＞パワー＋離島一本流→雷神の加護"},
    {"ほのお", "離島一本流", 186, 193, "連携技発動＞ほのお＋離島一本流→ファイアーパンチ"},
    {"しゃくねつ", "離島一本流", 186, 193, "連携技発動＞しゃくねつ＋離島一本流→ファイアーパンチ"},
    {"手裏剣", "手裏剣", 111, 192, "連携技発動＞手裏剣＋手裏剣→ウェスタンムーブ"},
    {"手裏剣", "二刀", 140, 192, "連携技発動＞手裏剣＋二刀→回避率UP"},
    {"山落とし", "離島一本流", 188, 193, "連携技発動＞山落とし＋離島一本流→大地震"},
    {"いかづち", "離島一本流", 189, 192, "連携技発動＞いかづち＋離島一本流→電撃パワー"},
    {"ダークネス", "暗黒剣", 190, 192, "連携技発動＞ダークネス＋暗黒剣→漆黒防御"},
};
// clang-format on

struct TripleCase {
  const char* skill;
  int32_t id;
  const char* message;
};

// clang-format off
const TripleCase kTripleCases[] = {
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
};
// clang-format on

void ExpectStarted(const Duel& d, int32_t id, int32_t popup, const char* message,
                   const char* colour, int32_t timer = 10) {
  EXPECT_EQ(d.g.battle.actionSkill, id);
  EXPECT_EQ(d.g.battle.actionTimer, timer);
  EXPECT_EQ(Logged(d), Sjis(message));
  EXPECT_EQ(d.g.text.lines[0].colourCode, ColourCodeOf(colour));
  EXPECT_EQ(d.Popups(), (std::vector<std::pair<int32_t, std::string>>{{popup, ""}}));
}

TEST(CheckCombination, EveryPairStartsItsSkillWithItsMessageAndBurstForEitherSide) {
  Duel d;
  for (const PairCase& c : kPairCases) {
    const int32_t a = SkillId(d.g, c.first);
    const int32_t b = SkillId(d.g, c.second);
    ASSERT_GE(a, 0) << c.first;
    ASSERT_GE(b, 0) << c.second;
    for (int side : {0, 1}) {
      SCOPED_TRACE(std::string(c.message) + " side " + std::to_string(side));
      Check(d, side, {b, a});
      ExpectStarted(d, c.id, c.popup, c.message, "aqua");
    }
  }
}

TEST(CheckCombination, EveryTripleStartsItsSkillAndTheShadowedRowNeverAnswers) {
  Duel d;
  for (const TripleCase& c : kTripleCases) {
    const int32_t s = SkillId(d.g, c.skill);
    ASSERT_GE(s, 0) << c.skill;
    for (int side : {0, 1}) {
      SCOPED_TRACE(std::string(c.message) + " side " + std::to_string(side));
      Check(d, side, {s, s, s, -1, 7, 7});
      // 昇星伝説 starts its count at 11, one tick after the others.
      ExpectStarted(d, c.id, 189, c.message, "aqua", c.id == 131 ? 11 : 10);
    }
  }
}

TEST(CheckCombination, PairsComeBeforeTriplesAndOnlyTheNewestSkillsInOrderCount) {
  Duel d;
  const int32_t moon = SkillId(d.g, "月光");
  const int32_t twin = SkillId(d.g, "二刀");
  const int32_t guard = SkillId(d.g, "山ぼうぎょ");
  const int32_t drop = SkillId(d.g, "山落とし");
  const int32_t fire = SkillId(d.g, "ほのお");

  Check(d, 0, {moon, moon, moon});  // 月光 ×3 is the pair 月光＋月光
  EXPECT_EQ(d.g.battle.actionSkill, 100);
  Check(d, 0, {twin, twin, twin});
  EXPECT_EQ(d.g.battle.actionSkill, 115);
  EXPECT_EQ(d.Popups()[0].first, 192);

  // The older skill comes first: 山落とし then 山ぼうぎょ is no combination.
  Check(d, 0, {guard, drop});
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  EXPECT_EQ(d.g.battle.turnSide, 1);  // fell through the end checks to the enemy's turn
  EXPECT_EQ(d.Popups().size(), 0u);

  // A pair two entries back is forgotten; a triple needs all three.
  Check(d, 0, {fire, drop, guard});
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  Check(d, 0, {fire, fire, moon});
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  Check(d, 0, {fire, fire});
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  Check(d, 0, {-1, -1, -1});
  EXPECT_EQ(d.g.battle.actionTimer, 0);
}

TEST(CheckCombination, StompingThriceGivesEachRaceItsSpecialMoveFromLevelForty) {
  const std::pair<int32_t, const char*> moves[] = {
      {180, "必殺技＞→シルヴィア剣"},
      {181, "必殺技＞→アスラの矢"},
      {182, "必殺技＞→トゥアハ・デ・ダナン"},
      {183, "必殺技＞→繁る緑"},
      {184, "必殺技＞→良き占い"},
  };
  Duel d;
  d.hero.level = 40;
  for (int32_t raceSex = 0; raceSex < 10; ++raceSex) {
    SCOPED_TRACE(raceSex);
    d.g.state.raceSex = raceSex;
    Check(d, 0, {0, 0, 0});
    const auto& [id, message] = moves[raceSex / 2];
    ExpectStarted(d, id, 156, message, "green");
  }

  d.g.state.raceSex = 0;
  d.hero.level = 39;
  Check(d, 0, {0, 0, 0});
  EXPECT_EQ(d.g.battle.actionTimer, 0);

  d.hero.level = 99;  // the enemy stomping thrice gets nothing
  Check(d, 1, {0, 0, 0});
  EXPECT_EQ(d.g.battle.actionTimer, 0);

  for (int32_t odd : {-1, 10, 1000}) {  // a damaged raceSex: no special move, no crash
    d.g.state.raceSex = odd;
    Check(d, 0, {0, 0, 0});
    EXPECT_EQ(d.g.battle.actionTimer, 0) << odd;
  }
}

// Plays the running action to its end, as the tick does.
int Play(Duel& d) {
  int ticks = 0;
  while (d.g.battle.actionTimer > 0 && ticks < 200) {
    battle::StepAction(d.g);
    ++ticks;
  }
  return ticks;
}

TEST(CheckCombination, TwoMoonlightsRunFantasiaUnannouncedAndUnpaidAndNothingChains) {
  Duel d;
  PinRolls pin(d.g, RollMode::Highest);
  d.g.state.skillLevel[14] = 1;
  for (int turn = 0; turn < 2; ++turn) {  // 月光 on two turns of the hero's
    d.hero.st_sureHit = 1;
    d.g.battle.turnSide = 0;
    d.g.battle.actionSkill = 14;
    d.g.battle.actionTimer = d.g.battle.battleSpeed - 1;
    Play(d);
  }
  EXPECT_EQ(d.hero.mp, 50 - 4);
  const int32_t foeHp = d.foe.hp;
  const int32_t foeMp = d.foe.mp;

  d.g.battle.phase = 4;
  battle::CheckCombination(d.g);
  EXPECT_EQ(d.g.battle.actionSkill, 100);
  EXPECT_EQ(Logged(d), Sjis("連携技発動＞月光＋月光→幻想曲"));

  d.hero.st_sureHit = 1;
  ClearTextLines(d.g);
  Play(d);
  EXPECT_FALSE(d.ShowsBytes(Sjis("＞")));  // no announcement
  EXPECT_EQ(d.hero.mp, 50 - 4);            // and no cost
  EXPECT_LT(d.foe.hp, foeHp);
  EXPECT_EQ(d.foe.mp, foeMp - 2);
  EXPECT_EQ(d.g.battle.playerHistory, (std::array<int32_t, 6>{-1, -1, -1, -1, -1, -1}));

  // The step after the combination is the end check, never the combination check again:
  // the turn passes to the enemy.
  EXPECT_EQ(d.g.battle.phaseDelay, 8);
  d.g.battle.phaseDelay = 0;
  AdvanceBattlePhase(d.g);
  EXPECT_EQ(d.g.battle.actionTimer, 0);
  EXPECT_EQ(d.g.battle.turnSide, 1);

  // A third 月光 finds nothing left to pair with.
  d.g.battle.playerHistory[0] = 14;
  d.g.battle.turnSide = 0;
  d.g.battle.phase = 4;
  battle::CheckCombination(d.g);
  EXPECT_EQ(d.g.battle.actionTimer, 0);
}

TEST(CheckCombination, InARealBattleCombinationsComeOnTimeAndNeverFollowOneAnother) {
  battle::PlayerSetup setup;  // a level-40 hero who only stomps, against a moonlit enemy
  setup.level = 40;
  setup.maxHp = 600;
  setup.attack = 3;
  battle::SimulationOptions o;
  o.enemy.name = Sjis("ゴブ");
  o.enemy.maxHp = o.enemy.hp = 300;
  o.enemy.maxMp = o.enemy.mp = 500;
  o.enemy.maxTp = 100;
  o.enemy.skillSlots = {14, 14, 14, 14, 14};
  testing::TestGame t;
  Game& g = t.g();
  battle::PrepareBattle(g, battle::PlayerFromSetup(setup), o, 7);
  g.state.raceSex = 2;

  struct Action {
    int side;
    int32_t skill;
  };
  std::vector<Action> actions;
  int32_t lastTimer = 0;
  battle::FightBattle(g, battle::PlayerPolicy::kStrongest, 200000, [&](const Game& game) {
    if (game.battle.actionTimer > 0 && lastTimer == 0) {
      actions.push_back({game.battle.turnSide, game.battle.actionSkill});
    }
    lastTimer = game.battle.actionTimer;
  });

  int heroMoves = 0, enemyMoves = 0;
  std::vector<int32_t> heroSkills;
  for (size_t i = 0; i < actions.size(); ++i) {
    if (actions[i].side == 0) heroSkills.push_back(actions[i].skill);
    if (actions[i].skill == 181) ++heroMoves;
    if (actions[i].skill == 100) ++enemyMoves;
    if (i > 0 && actions[i].skill >= 100) {
      EXPECT_LT(actions[i - 1].skill, 100) << "action " << i;  // one combination per action
      EXPECT_EQ(actions[i - 1].side, actions[i].side) << "action " << i;
    }
  }
  ASSERT_GE(heroSkills.size(), 8u);
  // Three stomps, then the special move of the second race; the count starts afresh after it.
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(heroSkills[i], i == 3 || i == 7 ? 181 : 0) << i;
  EXPECT_GE(heroMoves, 2);
  EXPECT_GE(enemyMoves, 2);
}

}  // namespace
}  // namespace qv
