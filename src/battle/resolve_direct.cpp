// Sure damage: no defence, aim, guard or critical, but the statuses, elements and gear still
// shape it.
#include <algorithm>
#include <string>

#include "battle/action.h"
#include "battle/action_rules.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {

void ResolveDirectDamage(Game& g, int attacker, int target, int32_t power) {
  Blow b = MakeBlow(g, attacker, target);
  int32_t a = StatusBoosts(b, power);
  a = MagicWard(b, a);
  a = MagicPower(b, a);
  a = WardenPower(b, a, true);
  a = ElementBoosts(b, a);
  a = ElementResists(b, a);
  a = EnemyTraits(b, a);
  a = CombinationBonus(b, a);
  a = std::max(a, 0);
  a = PlayerHitDamage(b, a);
  DamageHp(g, b.t, a);
  AddTextLine(g, b.T.name + Sjis("に") + std::to_string(a) + Sjis("のダメージ!!"));
  ClampAfterBlow(g);
}

}  // namespace qv::battle
