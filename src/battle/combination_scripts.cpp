// The scripts of the combination and special skills, gathered from their families for
// FindScript.
#include "battle/combination_scripts.h"

#include <array>

#include "battle/combination.h"

namespace qv::battle {
namespace {

constexpr int32_t kLastCombination = 190;
constexpr size_t kCombinationIds = kLastCombination - kFirstCombination + 1;

struct Family {
  bool (*has)(int32_t);
  ScriptFn run;
};
constexpr Family kFamilies[] = {
    {HasComboAttackScript, RunComboAttackScript},
    {HasComboRecoveryScript, RunComboRecoveryScript},
    {HasComboStateScript, RunComboStateScript},
};

struct ScriptList {
  std::array<ScriptEntry, kCombinationIds> entries{};
  size_t count = 0;
};

ScriptList Gather() {
  ScriptList list;
  for (int32_t id = kFirstCombination; id <= kLastCombination; ++id) {
    for (const Family& f : kFamilies) {
      if (!f.has(id)) continue;
      list.entries[list.count++] = ScriptEntry{id, f.run};
      break;
    }
  }
  return list;
}

}  // namespace

int32_t HeroLevelBonus(const Act& act, int32_t atFifty, int32_t atSixty) {
  const int32_t level = act.g.state.player().level;
  return (level >= 50 ? atFifty : 0) + (level >= 60 ? atSixty : 0);
}

std::span<const ScriptEntry> CombinationScripts() {
  static const ScriptList list = Gather();  // the same for every game: built once
  return {list.entries.data(), list.count};
}

}  // namespace qv::battle
