#include "core/master_data.h"

namespace qv {

// Placeholder until the full tables land: "なし" only.
void FillMasterData(GameState& s) {
  for (SkillDef& d : s.skills) d = SkillDef{};
  for (ItemDef& d : s.items) d = ItemDef{};
  s.items[0].kind = kKindNothing;
}

}  // namespace qv
