// Stand-ins until the equipment catalogue lands: nothing worn changes anything.
#include "battle/equipment.h"

namespace qv::battle {

void ApplyBattleStartEquipment(Game& g) {}
void ApplyTurnStartEquipment(Game& g) {}
int32_t RewardExperienceBonus(Game& g, int32_t exp) { return exp; }
int32_t RewardMoneyBonus(Game& g, int32_t money) { return money; }
int32_t ScoreBonus(Game& g) { return 0; }
int32_t RestMpCost(Game& g, int32_t cost) { return cost; }
int32_t RestTpGain(Game& g) { return 0; }
int32_t RestHealBonus(Game& g) { return 0; }

}  // namespace qv::battle
