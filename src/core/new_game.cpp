#include "core/new_game.h"

#include "core/state_ops.h"
#include "core/text.h"

namespace qv {

void NewGame(Game& g) {
  GameState& s = g.state;
  ReservedValues& r = s.reserved;
  s.battleCount = 0;
  s.escapeCount = 0;
  s.loadCount = 0;
  s.bp = 0;
  s.score = 0;
  s.maxDistance = 0;
  s.depth = 0;
  s.personality = 0;
  s.bonusParam = 0;
  s.raceSex = 0;
  s.eventFlags.fill(0);
  s.clearCount.fill(0);
  s.owned.fill(0);
  s.bought.fill(0);
  s.skillLevel.fill(0);
  s.skillUses.fill(0);
  s.setSlots.fill(0);
  r.reservedA.fill(0);
  r.reservedE = r.reservedF = r.reservedG = r.reservedH = r.reservedI = r.reservedJ = 0;
  r.reservedL = r.reservedR = 0;
  r.reservedS.fill(0);
  r.reservedT.fill(0);
  r.reservedU.fill(0);
  r.reservedV = 10;
  s.money = 50;
  s.skillLevel[0] = 1;   // 踏みつぶす
  s.skillLevel[22] = 1;  // 逃げる

  // TP, spirit and intellect carry over from the previous game on purpose.
  Combatant& p = s.player();
  p.name = Sjis("しすみ");
  p.maxHp = 20;
  p.hp = 20;
  p.maxMp = 1;
  p.mp = 1;
  p.maxTp = 100;
  p.level = 0;
  p.exp = 0;
  p.attack = p.defense = p.hitRate = p.evadeRate = 0;
  p.st_guard = p.st_power = 0;
  p.reserved140 = 0;
  p.reserved99 = 99;
  p.pendant = p.earring = p.helmet = p.shield = p.armor = 0;
  p.ringRight = p.ringLeft = p.waist = p.arm = p.weapon = 0;
  p.reserved20.fill(-1);
  ResetBattleState(g);
}

}  // namespace qv
