#include "support/hero.h"

#include "core/master_data.h"
#include "core/text.h"

namespace qv::testing {

Combatant& PlayWithHero(Game& g, const Hero& hero) {
  FillMasterData(g.state);
  g.screen.scene = 0;
  Combatant& p = g.state.player();
  p.name = Sjis("カイ");
  p.level = 1;
  p.maxHp = p.hp = hero.hp;
  p.maxMp = p.mp = hero.mp;
  p.maxTp = 100;
  if (hero.stomps) g.state.skillLevel[0] = 1;
  return p;
}

}  // namespace qv::testing
