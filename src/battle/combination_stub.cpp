// Stand-in until the combinations are built: no combination ever matches, and none has a
// script yet.
#include "battle/combination.h"
#include "battle/sequencer.h"

namespace qv::battle {

void CheckCombination(Game& g) { AdvanceBattlePhase(g); }

std::span<const ScriptEntry> CombinationScripts() { return {}; }

}  // namespace qv::battle
