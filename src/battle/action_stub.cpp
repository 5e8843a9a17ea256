#include "battle/action.h"

namespace qv::battle {

// Placeholder until the action timeline lands.
void StepAction(Game& g) {}

}  // namespace qv::battle
