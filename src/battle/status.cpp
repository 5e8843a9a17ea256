// HP and MP changes with their pop-ups, and the effects a side's statuses have at the start of
// its turn.
#include <algorithm>
#include <string>

#include "battle/action.h"
#include "battle/equipment.h"
#include "battle/sequencer.h"
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
    &Combatant::st_thorns,    &Combatant::st_poisonAbsorb, &Combatant::st_resWater,
    &Combatant::st_resFire,   &Combatant::st_resLight,     &Combatant::st_resDark,
    &Combatant::st_resNone,   &Combatant::st_powWater,     &Combatant::st_powFire,
    &Combatant::st_powLight,  &Combatant::st_powDark,      &Combatant::st_powNone,
    &Combatant::st_paralysis, &Combatant::st_magicCrest,   &Combatant::st_fireWall,
    &Combatant::st_extra,     &Combatant::st_atkDown,      &Combatant::st_defDown,
    &Combatant::st_atkUp,     &Combatant::st_guardUp,      &Combatant::st_evadeUp,
    &Combatant::st_evadeDown, &Combatant::st_hitDown,      &Combatant::st_hitUp,
    &Combatant::st_magicHitUp, &Combatant::st_critUp,      &Combatant::st_firmUp,
};

int Side(int side) { return side == 1 ? 1 : 0; }
Combatant& Of(Game& g, int side) { return g.state.combatants[static_cast<size_t>(Side(side))]; }
std::string Num(int32_t n) { return std::to_string(n); }

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
    AddTextLine(g, c.name + Sjis(sufferText) + Num(n));
  } else {
    HealHp(g, x, n);
    AddTextLine(g, c.name + Sjis("は毒ダメージ＞ ") + Num(n) + Sjis("を吸収した"));
  }
}

}  // namespace

void HealHp(Game& g, int side, int32_t n) {
  if (n == 0) return;
  Combatant& c = Of(g, side);
  c.hp = std::clamp(c.hp + n, 0, std::max(c.maxHp, 0));
  if (n > 0) {
    SpawnSidePopup(g, Side(side), kPopupRecoverBurst, "");
    SpawnSidePopup(g, Side(side), kPopupRecoverNumber, Num(n));
  } else {
    SpawnSidePopup(g, Side(side), kPopupDamageNumber, Num(-n));
  }
}

void DamageHp(Game& g, int side, int32_t n) {
  // While the hero's fever lasts nobody loses any HP.
  if (g.state.player().st_heroFever >= 1) n = 0;
  Combatant& c = Of(g, side);
  c.hp = std::clamp(c.hp - n, 0, std::max(c.maxHp, 0));
  if (Side(side) == 1) {
    g.frame.enemyShake = kShakeFrames;
    g.host->PlayWave(3, "damage.wav");
  } else {
    g.frame.playerShake = kShakeFrames;
    g.host->PlayWave(1, "damage2.wav");
    SpawnSidePopup(g, 0, kPopupPlayerHit, "");
  }
  if (n < 0) {
    SpawnSidePopup(g, Side(side), kPopupRecoverBurst, "");
    SpawnSidePopup(g, Side(side), kPopupRecoverNumber, Num(-n));
  } else {
    SpawnSidePopup(g, Side(side), kPopupHitBurst, "");
    SpawnSidePopup(g, Side(side), kPopupDamageNumber, Num(n));
  }
}

void ChangeMp(Game& g, int side, int32_t n) {
  Combatant& c = Of(g, side);
  c.mp = std::clamp(c.mp + n, 0, std::max(c.maxMp, 0));
}

void ApplyTurnEffects(Game& g) {
  const int x = g.battle.turnSide == 1 ? 1 : 0;
  Combatant& c = Of(g, x);
  const bool player = x == 0;
  const bool enemy = x == 1;
  bool fired = false;

  if (c.st_regen >= 1) {
    c.st_regen -= 1;
    // The regeneration grows with the hero's own HP, whoever regenerates.
    int32_t n = Random(g, 2) + 2 + g.state.player().maxHp / 50;
    if (player) n += GearBonus(g, Gear::kRegenHp);
    HealHp(g, x, n);
    AddTextLine(g, c.name + Sjis("はHPが回復＞ ") + Num(n));
    fired = true;
  }
  if (c.st_magic >= 1) {
    c.st_magic -= 1;
    int32_t n = Random(g, 2) + 2;
    if (player) n += GearBonus(g, Gear::kRegenMp);
    ChangeMp(g, x, n);
    AddTextLine(g, c.name + Sjis("はMPが回復＞ ") + Num(n));
    fired = true;
  }
  if (c.st_water >= 1) {
    c.st_water -= 1;
    int32_t n = Random(g, 10) + 7;
    if (player) n += GearBonus(g, Gear::kRegenTp);
    c.tp += n;
    AddTextLine(g, c.name + Sjis("はTPが回復＞ ") + Num(n));
    fired = true;
  }
  if (c.st_poison >= 1) {
    c.st_poison -= 1;
    int32_t n = Random(g, 2) + 2;
    if (enemy) n += GearBonus(g, Gear::kPoisonBoost);
    n += VenomLevelBonus(g);
    if (c.st_defDown >= 1) n += 2;
    if (player) n -= GearBonus(g, Gear::kPoisonWard);
    SufferPoison(g, x, n, "に毒ダメージ＞ ");
    fired = true;
  }
  if (c.st_heavyPoison >= 1) {
    c.st_heavyPoison -= 1;
    int32_t n = Random(g, 2) + 4;
    if (enemy) n += GearBonus(g, Gear::kHeavyPoisonBoost);
    n += VenomLevelBonus(g);
    if (c.st_defDown > 0) n += 2;
    if (player) n -= GearBonus(g, Gear::kHeavyPoisonWard);
    SufferPoison(g, x, n, "に猛毒ダメージ＞ ");
    fired = true;
  }
  if (c.st_burn >= 1) {
    c.st_burn -= 1;
    int32_t n = Random(g, 2) + 3;
    if (enemy) n += GearBonus(g, Gear::kBurnBoost);
    if (c.element == kElemWater) n += 1;
    n += VenomLevelBonus(g);
    if (c.st_defDown > 0) n += 2;
    DamageHp(g, x, n);
    AddTextLine(g, c.name + Sjis("に火傷ダメージ＞ ") + Num(n));
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
