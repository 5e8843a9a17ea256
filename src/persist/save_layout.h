#pragma once
// The order of the lines of my.dat, walked once by the writer and once by the reader so the
// two can never drift apart. A visitor provides:
//   Int(int32_t&)                 one number line
//   Ints(std::array<int32_t,N>&)  N number lines
//   Index(int32_t&, limit)        a number that picks an entry of a table of `limit` entries
//   Indices(std::array&, limit)   N such numbers
//   Text(std::string&)            one text line
#include "core/game_state.h"

namespace qv::persist {

// Lines before the check value, and the whole file.
constexpr int32_t kSaveValueLines = 5464;
constexpr int32_t kSaveLines = 5465;

template <class Visitor>
void VisitSaveLines(GameState& s, Visitor& v) {
  ReservedValues& r = s.reserved;
  Combatant& p = s.player();
  v.Ints(s.eventFlags);
  v.Ints(r.reservedA);
  v.Ints(s.owned);
  v.Ints(s.clearCount);
  v.Int(s.money);
  v.Int(s.bp);
  for (int32_t* x :
       {&r.reservedB, &r.reservedC, &r.reservedD, &r.reservedE, &r.reservedF, &r.reservedG}) {
    v.Int(*x);
  }
  v.Int(s.loadCount);
  for (int32_t* x : {&r.reservedH, &r.reservedI, &r.reservedJ}) v.Int(*x);
  v.Int(s.escapeCount);
  v.Int(s.battleCount);
  v.Ints(r.reservedK);
  v.Ints(s.bought);
  for (int32_t* x : {&r.reservedL, &r.reservedM, &r.reservedN, &r.reservedO, &r.reservedP,
                     &r.reservedQ, &r.reservedR}) {
    v.Int(*x);
  }
  v.Int(s.speedMode);
  v.Ints(r.reservedS);
  v.Ints(r.reservedT);
  v.Ints(s.skillLevel);
  v.Ints(s.skillUses);
  v.Indices(s.setSlots, kItems);
  v.Text(p.name);
  v.Int(p.reserved140);
  v.Index(p.weapon, kItems);
  for (int32_t* x : {&p.level, &p.exp, &p.maxHp, &p.maxMp, &p.hp, &p.mp, &p.tp, &p.defense,
                     &p.spirit, &p.attack, &p.intellect, &p.hitRate, &p.evadeRate}) {
    v.Int(*x);
  }
  v.Index(p.shield, kItems);
  v.Index(p.helmet, kItems);
  v.Index(p.armor, kItems);
  v.Ints(r.reservedU);
  v.Text(r.reservedText);
  v.Int(s.phaseAtSave);
  // The type, the creation bonus and the race are kept as read: the record shows an empty
  // name for one outside its table, and no rule indexes a table with them unchecked.
  v.Int(s.personality);
  v.Int(s.bonusParam);
  v.Int(s.score);
  v.Int(s.maxDistance);
  v.Int(s.raceSex);
  v.Index(p.ringRight, kItems);
  v.Index(p.ringLeft, kItems);
  v.Index(p.waist, kItems);
  v.Index(p.arm, kItems);
  v.Int(r.reservedV);
  v.Int(p.maxTp);
  v.Index(p.pendant, kItems);
  v.Index(p.earring, kItems);
}

}  // namespace qv::persist
