#include "world/free_area.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "battle/sequencer.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "world/conditions.h"
#include "world/map.h"

namespace qv::world {
namespace {

// 92 two-byte syllables in CP932. A made-up name picks among 96, so one pick in 24 lands past
// the end and adds nothing: such names come out shorter, as they always have.
constexpr const char* kSyllables =  // not shown: what names are made of
    "アイウエオカキクケコサシスセソナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
    "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ"
    "ﾁｬｷｬｼｬﾋｬﾋｭﾋｮｷｭｷｮｼｭｼｮﾁｭﾁｮﾐｬﾐｭﾐｮｱｯｲｯﾃｰｸｰﾏｰﾁｰﾉｯﾉｰﾗｰﾅｯﾐｰ";
constexpr int32_t kSyllablePicks = 96;

// How often a re-roll for a named skill may draw before it settles for the basic attack.
constexpr int32_t kSkillRerolls = 1000;
constexpr int32_t kAnySkill = 99;

// The entrances: start depth and the flag that opens it (none for the first).
struct Entrance {
  int32_t depth;
  int32_t flag;  // -1: always open
};
constexpr Entrance kEntrances[] = {{0, -1}, {10, 10}, {20, 11}, {30, 12}, {40, 13}, {50, 7}};

// The free areas grow darker every ten metres.
constexpr std::array<const char*, 6> kBackgrounds = {
    "free.bmp", "free2.bmp", "free3.bmp", "free4.bmp", "free5.bmp", "free6.bmp",
};

std::string MadeUpName(Game& g) {
  const std::string& all = Sjis(kSyllables);
  std::string name;
  for (int i = 0; i < 4; ++i) {
    const size_t at = static_cast<size_t>(2 * Random(g, kSyllablePicks));
    if (at + 2 <= all.size()) name += all.substr(at, 2);
  }
  return name;
}

bool Named(const GameState& s, int32_t skill) {
  return skill >= 0 && skill < kSkills && !s.skills[static_cast<size_t>(skill)].name.empty();
}

// Re-rolls a slot among the first 99 skills until it holds one with a name. The loop also
// runs on a slot no rule wrote (skill 0 has a name, so it draws nothing there).
void RerollUnnamed(Game& g, int32_t& slot) {
  for (int32_t draws = 0; !Named(g.state, slot); ++draws) {
    if (draws >= kSkillRerolls) {
      slot = 0;  // the basic attack
      return;
    }
    slot = Random(g, kAnySkill);
  }
}

// The enemy's five skills by its start depth a: the deeper, the more (and odder) skills.
void RollSkills(Game& g, Combatant& e, int32_t a) {
  std::array<int32_t, 5>& s = e.skillSlots;
  s = {0, 0, 0, 0, 0};
  const bool any = a != 0;
  if (any && a % 5 == 0 && a <= 49) s[0] = 6;
  if (any && a % 5 == 0 && a >= 50) s[0] = Random(g, kAnySkill);
  RerollUnnamed(g, s[0]);
  if (any && a % 3 == 0) s[1] = 2;
  if (any && a % 4 == 0) s[2] = 9;
  if (any && a % 7 == 0) s[3] = 7;
  if (any && a % 8 == 0) s[0] = 24;
  if (any && a % 6 == 0) s[4] = Random(g, kAnySkill);
  RerollUnnamed(g, s[4]);
  if (any && a % 9 == 0) s[2] = Random(g, kAnySkill);
  RerollUnnamed(g, s[2]);
  if (any && a % 10 == 0) s[3] = Random(g, kAnySkill);
  RerollUnnamed(g, s[3]);
}

}  // namespace

std::string RandomEnemyName(Game& g) {
  const GameState& s = g.state;
  const int32_t pick = Random(g, kRandomNames);
  std::string name;
  // name.dat may have given fewer names than the list holds: the pick wraps round them.
  if (s.randomNameCount > 0) {
    const int32_t count = std::min(s.randomNameCount, kRandomNames);
    name = s.randomNames[static_cast<size_t>(pick % count)];
  }
  if (Random(g, 100) == 1 || name.empty()) name = MadeUpName(g);
  return name;
}

void StartFreeArea(Game& g, int32_t a) {
  const int32_t L = g.state.player().level;
  Combatant& e = g.state.enemy();
  e.present = 1;
  g.battle.locationId = kAtFreeArea;
  e.name = RandomEnemyName(g);
  e.exp = Random(g, 5) + 5;
  e.moneyReward = Random(g, 5) + 5 + a;
  e.element = Random(g, 5);
  e.maxHp = Random(g, 11) + L + 1 + 2 * a;
  e.hp = e.maxHp;
  e.maxMp = Random(g, 5) + L / 2 + a / 3;
  e.mp = e.maxMp;
  e.tp = Random(g, 100);
  e.attack = Random(g, L / 5 + a / 4 + 2) + a / 10;
  e.defense = Random(g, a / 5 + L / 6 + 2);
  e.hitRate = Random(g, L / 3 + a + 1);
  e.evadeRate = Random(g, 11) + a / 2;
  e.evadeRate += Random(g, L / 3 + a / 2 + a);
  // Guard and critical come with the depth walked, not the entrance (they stay 0 above 30 m).
  const int32_t depth = g.state.depth;
  if (depth >= 30) {
    e.guardRate = Random(g, depth - 29);
    e.critRate = Random(g, depth - 29);
  }
  RollSkills(g, e, a);
  const int32_t band = std::clamp(a / 10, 0, static_cast<int32_t>(kBackgrounds.size()) - 1);
  ShowBackground(g, kBackgrounds[static_cast<size_t>(band)]);
  // One of the two wanderers' pictures stands for the nameless enemy.
  g.frame.enemyPicture = Random(g, 2) == 0 ? "man0.bmp" : "man1.bmp";
}

std::span<const char* const> FreeAreaBackgrounds() {
  return kBackgrounds;
}

void EnterFreeArea(Game& g, int32_t a) {
  for (const Entrance& e : kEntrances) {
    if (e.depth != a) continue;
    if (e.flag >= 0 && !Holds(g.state, FlagSet(e.flag))) {
      AddTextLine(g, Sjis("まだここには入れません"));
      return;
    }
    CloseMapScreen(g);
    g.state.depth = a;
    StartFreeArea(g, a);
    battle::StartBattle(g);
    return;
  }
}

}  // namespace qv::world
