#include "battle/status.h"

#include <algorithm>
#include <string>

#include "battle/act.h"
#include "battle/equipment.h"
#include "core/message.h"
#include "core/steps.h"
#include "core/text.h"
#include "core/text_lines.h"

namespace qv::battle {
namespace {

// Pop-up types of the overlay.
constexpr int32_t kPopupDamageNumber = 16;
constexpr int32_t kPopupRecoverNumber = 17;
constexpr int32_t kPopupPlayerHit = 32;
constexpr int32_t kPopupRecoverBurst = 140;
constexpr int32_t kPopupHitBurst = 161;

constexpr int32_t kShakeFrames = 5;

// Counters that run out by one at the end of their owner's turn effects.
constexpr int32_t Combatant::*kTurnCounters[] = {
    &Combatant::st_thorns,     &Combatant::st_poisonAbsorb, &Combatant::st_resWater,
    &Combatant::st_resFire,    &Combatant::st_resLight,     &Combatant::st_resDark,
    &Combatant::st_resNone,    &Combatant::st_powWater,     &Combatant::st_powFire,
    &Combatant::st_powLight,   &Combatant::st_powDark,      &Combatant::st_powNone,
    &Combatant::st_paralysis,  &Combatant::st_magicCrest,   &Combatant::st_fireWall,
    &Combatant::st_extra,      &Combatant::st_atkDown,      &Combatant::st_defDown,
    &Combatant::st_atkUp,      &Combatant::st_guardUp,      &Combatant::st_evadeUp,
    &Combatant::st_evadeDown,  &Combatant::st_hitDown,      &Combatant::st_hitUp,
    &Combatant::st_magicHitUp, &Combatant::st_critUp,       &Combatant::st_firmUp,
};

Combatant& Of(Game& g, int side) {
  return g.state.combatants[static_cast<size_t>(SideOf(side))];
}
// From level 30 on, the hero's venoms and flames bite harder on either side.
int32_t VenomLevelBonus(const Game& g) {
  const int32_t level = g.state.player().level;
  return level >= 30 ? (level - 20) / 10 : 0;
}

// Poison and strong poison hurt, or heal a side that absorbs poison.
void SufferPoison(Game& g, int x, int32_t n, const char* sufferText) {
  Combatant& c = Of(g, x);
  if (c.st_poisonAbsorb < 1) {
    DamageHp(g, x, n);
    AddTextLine(g, Compose(g, sufferText, {Who(g, "who", SideOf(x)), Arg("n", n)}));
  } else {
    HealHp(g, x, n);
    AddTextLine(g, Compose(g, "{who}は毒ダメージ＞ {n}を吸収した",
                           {Who(g, "who", SideOf(x)), Arg("n", n)}));
  }
}

// The statuses that act at the start of their owner's turn, in the order they act: the amount
// is Random(roll) + base, then the gear and the rules of its kind.
enum class TurnKind { kRegenHp, kRegenMp, kRegenTp, kPoison, kBurn };
struct TurnEffect {
  int32_t Combatant::*counter;
  TurnKind kind;
  int32_t roll, base;
  Gear gear;    // a recovery: the player's gear adds to it; a harm: adds to it on the enemy
  bool warded;  // the player's gear `ward` takes off the harm to the player
  Gear ward;
  const char* text;  // the line, a template for the side ({who}) and the amount ({n})
};
constexpr TurnEffect kTurnEffects[] = {
    {&Combatant::st_regen,
     TurnKind::kRegenHp,
     2,
     2,
     Gear::kRegenHp,
     false,
     {},
     "{who}はHPが回復＞ {n}"},
    {&Combatant::st_magic,
     TurnKind::kRegenMp,
     2,
     2,
     Gear::kRegenMp,
     false,
     {},
     "{who}はMPが回復＞ {n}"},
    {&Combatant::st_water,
     TurnKind::kRegenTp,
     10,
     7,
     Gear::kRegenTp,
     false,
     {},
     "{who}はTPが回復＞ {n}"},
    {&Combatant::st_poison, TurnKind::kPoison, 2, 2, Gear::kPoisonBoost, true, Gear::kPoisonWard,
     "{who}に毒ダメージ＞ {n}"},
    {&Combatant::st_heavyPoison, TurnKind::kPoison, 2, 4, Gear::kHeavyPoisonBoost, true,
     Gear::kHeavyPoisonWard, "{who}に猛毒ダメージ＞ {n}"},
    {&Combatant::st_burn,
     TurnKind::kBurn,
     2,
     3,
     Gear::kBurnBoost,
     false,
     {},
     "{who}に火傷ダメージ＞ {n}"},
};

bool Recovers(TurnKind kind) {
  return kind == TurnKind::kRegenHp || kind == TurnKind::kRegenMp || kind == TurnKind::kRegenTp;
}

int32_t TurnEffectAmount(Game& g, int x, const TurnEffect& e) {
  const Combatant& c = Of(g, x);
  const bool player = x == 0;
  int32_t n = Random(g, e.roll) + e.base;
  if (Recovers(e.kind)) {
    // The regeneration grows with the hero's own HP, whoever regenerates.
    if (e.kind == TurnKind::kRegenHp) n += g.state.player().maxHp / 50;
    if (player) n += GearBonus(g, e.gear);
    return n;
  }
  if (!player) n += GearBonus(g, e.gear);
  if (e.kind == TurnKind::kBurn && c.element == kElemWater) n += 1;
  n += VenomLevelBonus(g);
  if (c.st_defDown > 0) n += 2;
  if (player && e.warded) n -= GearBonus(g, e.ward);
  return n;
}

void ApplyTurnEffect(Game& g, int x, const TurnEffect& e, int32_t n) {
  Combatant& c = Of(g, x);
  switch (e.kind) {
    case TurnKind::kRegenHp:
      HealHp(g, x, n);
      break;
    case TurnKind::kRegenMp:
      ChangeMp(g, x, n);
      break;
    case TurnKind::kRegenTp:
      c.tp += n;
      break;
    case TurnKind::kPoison:
      SufferPoison(g, x, n, e.text);
      return;
    case TurnKind::kBurn:
      DamageHp(g, x, n);
      break;
  }
  AddTextLine(g, Compose(g, e.text, {Who(g, "who", SideOf(x)), Arg("n", n)}));
}

}  // namespace

void HealHp(Game& g, int side, int32_t n) {
  if (n == 0) return;
  Combatant& c = Of(g, side);
  c.hp = std::clamp(c.hp + n, 0, std::max(c.maxHp, 0));
  if (n > 0) {
    SpawnSidePopup(g, SideOf(side), kPopupRecoverBurst, "");
    SpawnSidePopup(g, SideOf(side), kPopupRecoverNumber, Num(n));
  } else {
    SpawnSidePopup(g, SideOf(side), kPopupDamageNumber, Num(-n));
  }
}

void DamageHp(Game& g, int side, int32_t n) {
  // While the hero's fever lasts nobody loses any HP.
  if (g.state.player().st_heroFever >= 1) n = 0;
  Combatant& c = Of(g, side);
  c.hp = std::clamp(c.hp - n, 0, std::max(c.maxHp, 0));
  if (SideOf(side) == 1) {
    g.frame.enemyShake = kShakeFrames;
    g.host->PlayWave(3, "damage.wav");
  } else {
    g.frame.playerShake = kShakeFrames;
    g.host->PlayWave(1, "damage2.wav");
    SpawnSidePopup(g, 0, kPopupPlayerHit, "");
  }
  if (n < 0) {
    SpawnSidePopup(g, SideOf(side), kPopupRecoverBurst, "");
    SpawnSidePopup(g, SideOf(side), kPopupRecoverNumber, Num(-n));
  } else {
    SpawnSidePopup(g, SideOf(side), kPopupHitBurst, "");
    SpawnSidePopup(g, SideOf(side), kPopupDamageNumber, Num(n));
  }
}

void ChangeMp(Game& g, int side, int32_t n) {
  Combatant& c = Of(g, side);
  c.mp = std::clamp(c.mp + n, 0, std::max(c.maxMp, 0));
}

void ApplyTurnEffects(Game& g) {
  const int x = ActorSide(g);
  Combatant& c = Of(g, x);
  bool fired = false;
  for (const TurnEffect& e : kTurnEffects) {
    if (c.*e.counter < 1) continue;
    c.*e.counter -= 1;
    ApplyTurnEffect(g, x, e, TurnEffectAmount(g, x, e));
    fired = true;
  }
  for (int32_t Combatant::*counter : kTurnCounters) {
    if (c.*counter > 0) c.*counter -= 1;
  }
  if (fired) {
    SetPhaseDelay(g, g.battle.battleSpeed - 5);
  } else {
    AdvanceBattlePhase(g);
  }
}

}  // namespace qv::battle
