// The texts of this file are not shown: the record stays Japanese whatever the language,
// for the tools that read it.
#include "persist/record.h"

#include <string_view>

#include "core/state_ops.h"
#include "core/text.h"

namespace qv::persist {

namespace {

struct Rank {
  int32_t lowestScore;
  const char* name;
};
// Each rank holds from its score up to the next one's; past the last the rank is blank again.
constexpr Rank kRanks[] = {
    {50000, "激"},  {100000, "乱"}, {150000, "超"},   {200000, "極"},
    {250000, "幻"}, {300000, "神"}, {350000, "天"},   {400000, "魔"},
    {450000, "聖"}, {500000, "無"}, {550000, "離別"}, {10000000, ""},
};

constexpr const char* kPersonalityNames[] = {"お金持ち", "冒険者", "臆病者",
                                             "反社会社", "賢者",   "狂人"};
constexpr const char* kRaceNames[] = {"人間♂", "人間♀", "ＱＲＴＶ♂", "ＱＲＴＶ♀", "魔族♂",
                                      "魔族♀", "獣人♂", "獣人♀",     "仮面♂",     "仮面♀"};

struct Title {
  int location;
  const char* name;
};
// Locations cleared exactly once earn a title, in this order.
constexpr Title kTitles[] = {
    {13, "【クリア】"}, {16, "【陸制覇】"}, {14, "【海制覇】"}, {15, "【空制覇】"},
    {17, "<緑>"},       {18, "<山>"},       {19, "<光>"},
};

constexpr int kSkillsCounted = 100;

template <size_t N>
std::string NameAt(const char* const (&names)[N], int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(N)) return {};
  return Sjis(names[index]);
}

bool IsEquipmentKind(int32_t kind) {
  return (kind >= kKindWeapon && kind <= kKindEarring) || kind == kKindPendant;
}

// Kinds of items owned (not pieces) that pass the filter.
template <class Filter>
int32_t CountOwnedKinds(const GameState& s, Filter filter) {
  int32_t count = 0;
  for (int i = 0; i < kPerId; ++i) {
    const ItemDef& item = s.items[i];
    if (!item.name.empty() && s.owned[i] > 0 && filter(item.kind)) ++count;
  }
  return count;
}

int32_t CountLearnedSkills(const GameState& s) {
  int32_t count = 0;
  for (int i = 0; i < kSkillsCounted; ++i) {
    if (s.skillLevel[i] > 0 && !s.skills[i].name.empty()) ++count;
  }
  return count;
}

// The name as one line: control bytes would break the file's lines.
std::string OneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x20) out += c;
  }
  return out;
}

}  // namespace

const std::string& RankForScore(int32_t score) {
  static const std::string kNone;
  const std::string* rank = &kNone;
  for (const Rank& r : kRanks) {
    if (score >= r.lowestScore) rank = &Sjis(r.name);
  }
  return *rank;
}

std::string RecordText(const GameState& s) {
  const Combatant& p = s.player();
  const auto n = [](int32_t v) { return std::to_string(v); };
  const std::string crlf = "\r\n";
  std::string out;
  out += Sjis("～ミラフォルテ～ ver1.7") + crlf;
  out += crlf;
  out += Sjis("名前: ") + OneLine(p.name) + Sjis(" Lv: ") + n(p.level) + crlf;
  out += Sjis("(タイプ: ") + NameAt(kPersonalityNames, s.personality) + Sjis(" / 種族: ") +
         NameAt(kRaceNames, s.raceSex) + Sjis(")") + crlf;
  out += Sjis("攻: ") + n(TotalAttack(s)) + crlf;
  out += Sjis("防: ") + n(TotalDefense(s)) + crlf;
  out += Sjis("命: ") + n(TotalHit(s)) + "%" + crlf;
  out += Sjis("回: ") + n(TotalEvade(s)) + "%" + crlf;
  out += Sjis("ｸﾘ: ") + n(TotalCrit(s)) + "%" + crlf;
  out += Sjis("ガ: ") + n(TotalGuard(s)) + "%" + crlf;
  out += Sjis("ロード回数: ") + n(s.loadCount) + Sjis(" / 戦闘回数: ") + n(s.battleCount) +
         Sjis(" / 逃亡回数: ") + n(s.escapeCount) + Sjis(" / 最高距離: ") + n(s.maxDistance) +
         Sjis("m地点") + crlf;
  const int32_t equipment = CountOwnedKinds(s, IsEquipmentKind);
  const int32_t rare = CountOwnedKinds(s, [](int32_t kind) { return kind == kKindRare; });
  out += Sjis("所持装備品数: ") + n(equipment) + Sjis("種") + " / " + Sjis("所持ﾚｱｱｲﾃﾑ数: ") +
         n(rare) + Sjis("種") + Sjis(" / 修得技数: ") + n(CountLearnedSkills(s)) + Sjis("種") +
         crlf;
  out += crlf;
  out += Sjis("得点: ") + n(s.score) + Sjis(" 点 ") + "<" + RankForScore(s.score) + ">" + crlf;

  std::string titles;
  for (const Title& t : kTitles) {
    if (s.clearCount[t.location] == 1) titles += Sjis(t.name);
  }
  if (!titles.empty()) out += Sjis("称号: ") + titles + crlf;
  return out;
}

}  // namespace qv::persist
