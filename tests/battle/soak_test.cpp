// Thousands of seeded battles with random heroes, gear and enemies, fought through the real
// tick: after every tick both sides stay within their limits, no counter goes below zero, the
// machine's own numbers stay in range, no turn stalls, and every battle comes to an end (but
// for the rare endless duel the rules allow, which must stay rare).
// QV_SOAK_BATTLES sets how many (10,000 by default; 3,000 in the sanitizer build, which runs
// several times slower).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/master_data.h"
#include "core/new_game.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "flow/make_game.h"
#include "flow/tick.h"
#include "simulate/quiet_host.h"
#include "simulate/simulator.h"
#include "support/env_count.h"
#include "support/invariants.h"

namespace qv {
namespace {

int32_t SoakBattles() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<int32_t>(EnvCount("QV_SOAK_BATTLES", 3000));
#else
  return static_cast<int32_t>(EnvCount("QV_SOAK_BATTLES", 10000));
#endif
}

// Enemy names the battle treats specially, and one it does not.
constexpr const char* kEnemyNames[] = {
    "スライム",
    "マジカル",
    "マジカルアゲイン",
    "サニー・レイニーアゲイン",
    "光",
    "海神・魔獣・時数露不",
    "地天・ｎｏｅｌ",
    "今、光",
    "聳えるヤマオ",
};

struct Dice {
  std::mt19937 rng;
  int32_t operator()(int32_t lo, int32_t hi) {  // lo..hi inclusive
    return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
  }
  bool Chance(int32_t oneIn) { return (*this)(1, oneIn) == 1; }
};

// Item indices by kind, for dressing the random heroes.
struct Wardrobe {
  std::vector<int32_t> byKind[12];
  std::vector<int32_t> setItems;
  explicit Wardrobe(const GameState& s) {
    for (int32_t i = 1; i < kPerId; ++i) {
      const ItemDef& d = s.items[static_cast<size_t>(i)];
      if (d.name.empty()) continue;
      if (d.kind >= 1 && d.kind <= 11) byKind[d.kind].push_back(i);
      if (d.kind == kKindSetItem) setItems.push_back(i);
    }
  }
  int32_t Pick(Dice& dice, int32_t kind) {
    const auto& v = byKind[kind];
    if (v.empty() || dice.Chance(3)) return 0;
    return v[static_cast<size_t>(dice(0, static_cast<int32_t>(v.size()) - 1))];
  }
};

void Dress(GameState& s, Wardrobe& w, Dice& d) {
  Combatant& p = s.player();
  p.weapon = w.Pick(d, kKindWeapon);
  p.armor = w.Pick(d, kKindArmor);
  p.helmet = w.Pick(d, kKindHelmet);
  p.shield = w.Pick(d, kKindShield);
  p.ringRight = w.Pick(d, kKindRingRight);
  p.ringLeft = w.Pick(d, kKindRingLeft);
  p.waist = w.Pick(d, kKindWaist);
  p.arm = w.Pick(d, kKindArm);
  p.earring = w.Pick(d, kKindEarring);
  p.pendant = w.Pick(d, kKindPendant);
  s.setSlots.fill(0);
  for (auto& frame : s.setSlots) {
    if (!w.setItems.empty() && d.Chance(2)) {
      frame = w.setItems[static_cast<size_t>(d(0, static_cast<int32_t>(w.setItems.size()) - 1))];
    }
  }
}

void RandomStatuses(Combatant& c, Dice& d) {
  for (int32_t Combatant::*field : kStatusFields) c.*field = d.Chance(8) ? d(1, 4) : 0;
  c.st_heroFever = 0;  // a hero who cannot be hurt never loses; that is the item's whole point
}

GameState RandomHero(const GameState& base, Wardrobe& w, Dice& d) {
  GameState s = base;
  Combatant& p = s.player();
  p.level = d(1, 70);
  p.maxHp = p.hp = d(10, 200);
  p.maxMp = p.mp = d(0, 60);
  p.maxTp = 100;
  p.tp = d(0, 100);
  p.attack = d(0, 15);
  p.defense = d(0, 10);
  p.hitRate = d(0, 20);
  p.evadeRate = d(0, 20);
  p.element = d(0, 4);
  s.skillLevel.fill(0);
  s.skillLevel[0] = 1;
  for (int32_t id = 1; id <= 53; ++id) {
    if (d.Chance(3)) s.skillLevel[static_cast<size_t>(id)] = d(1, 10);
  }
  for (auto& uses : s.skillUses) uses = 0;
  s.skillUses[static_cast<size_t>(d(0, 53))] = d(95, 1000);  // near a use-count milestone
  s.money = d(0, 9999);
  s.bp = d(0, 40);
  s.battleCount = d(0, 12000);
  s.eventFlags.fill(0);
  Dress(s, w, d);
  if (d.Chance(4)) RandomStatuses(p, d);
  return s;
}

// The enemy always keeps 踏みつぶす in its first slot and hits hard enough to hurt through the
// hero's armour, so a hero who cannot win is worn down in the end: every battle can finish.
Combatant RandomEnemy(Dice& d, const GameState& hero) {
  Combatant e;
  e.name = Sjis(kEnemyNames[d(0, static_cast<int32_t>(std::size(kEnemyNames)) - 1)]);
  e.maxHp = e.hp = d(5, 150);
  e.maxMp = e.mp = d(0, 50);
  e.tp = d(0, 100);
  e.maxTp = 100;
  e.attack = TotalDefense(hero) + d(3, 12);
  e.defense = d(0, 8);
  e.hitRate = d(0, 20);
  e.evadeRate = d(0, 20);
  e.exp = d(0, 300);
  e.moneyReward = d(0, 500);
  e.element = d(0, 4);
  e.traitA = d.Chance(5) ? 1 : 0;
  e.traitB = d.Chance(5) ? 1 : 0;
  e.mpRegenKind = d(0, 2);
  for (auto& slot : e.skillSlots) {
    const int32_t r = d(0, 9);
    slot = r < 7 ? d(0, 53) : r < 9 ? d(200, 203) : 60;  // 60: an empty slot
  }
  e.skillSlots[0] = 0;
  if (d.Chance(4)) RandomStatuses(e, d);
  return e;
}

std::string Summary(const Game& g) {
  const BattleState& b = g.battle;
  const Combatant& p = g.state.player();
  const Combatant& e = g.state.enemy();
  return "phase " + std::to_string(b.phase) + " delay " + std::to_string(b.phaseDelay) +
         " paused " + std::to_string(b.paused) + " timer " + std::to_string(b.actionTimer) +
         " skill " + std::to_string(b.actionSkill) + " side " + std::to_string(b.turnSide) +
         " hp " + std::to_string(p.hp) + "/" + std::to_string(e.hp) + " list " +
         std::to_string(g.form[W::battle_box].visible) + " rounds " + std::to_string(b.roundCount);
}

// A turn, however slow the battle speed and long the skill, is over well within this.
constexpr int32_t kTicksPerTurnAtMost = 3000;
// A battle still going after this many ticks (some 2,000 turns) is a draw: a hero who heals
// as fast as a bloated enemy hurts it. The rules allow that; the machine still turns.
constexpr int32_t kDrawTicks = 100000;

struct Checker {
  int failures = 0;
  uint32_t battle = 0;
  int32_t ticksSinceTurn = 0;
  int32_t lastPhase = -1;

  void Fail(const std::string& what) {
    if (++failures <= 10) ADD_FAILURE() << "battle " << battle << ": " << what;
  }

  void operator()(const Game& g) {
    // A stall: the machine no longer moves from one turn to the next.
    ticksSinceTurn = g.battle.phase == 1 && lastPhase != 1 ? 0 : ticksSinceTurn + 1;
    lastPhase = g.battle.phase;
    if (ticksSinceTurn == kTicksPerTurnAtMost) Fail("stalled: " + Summary(g));
    for (int side = 0; side < 2; ++side) {
      const std::string why = CheckCombatant(g, side);
      if (!why.empty()) Fail(why);
    }
    const BattleState& b = g.battle;
    if (b.phase < -1 || b.phase > 60) Fail("phase " + std::to_string(b.phase));
    if (b.actionSkill < -1 || b.actionSkill >= kSkills)
      Fail("skill " + std::to_string(b.actionSkill));
    if (b.actionTimer < 0 || b.phaseDelay < 0) Fail("a timer below zero");
    if (b.turnSide != 0 && b.turnSide != 1) Fail("turn side " + std::to_string(b.turnSide));
    if (b.stepNesting != 0) Fail("steps left running");
    if (b.victoryLineIndex < -1 || b.victoryLineIndex >= kQueuedLines) Fail("victory line index");
    const GameState& s = g.state;
    if (s.money > 9999 || s.bp < 0 || s.battleCount < 0 || s.escapeCount < 0)
      Fail("a counter out of range");
  }

  // Once a battle is over: the use counts stop at 1000.
  void AfterBattle(const Game& g) {
    for (int32_t uses : g.state.skillUses) {
      if (uses < 0 || uses > 1000) Fail("skill uses " + std::to_string(uses));
    }
  }
};

TEST(Soak, EveryBattleEndsWithBothSidesWithinTheirLimits) {
  QuietHost host;
  auto game = MakeGame(&host, nullptr, Paths{});
  Game& g = *game;
  NewGame(g);
  FillMasterData(g.state);
  const GameState base = g.state;
  Wardrobe wardrobe(base);
  Checker check;
  const int32_t battles = SoakBattles();
  int32_t won = 0, lost = 0, left = 0, draws = 0;
  for (int32_t i = 0; i < battles && check.failures == 0; ++i) {
    check.battle = static_cast<uint32_t>(i);
    Dice d{std::mt19937(static_cast<uint32_t>(i) * 2654435761u)};
    const GameState hero = RandomHero(base, wardrobe, d);
    battle::SimulationOptions o;
    o.enemy = RandomEnemy(d, hero);
    o.locationId = d.Chance(3) ? 1 : d(2, 19);
    o.depth = o.locationId == 1 ? d(0, 120) : 0;
    o.battleSpeed = d.Chance(5) ? d(9, 20) : 9;
    battle::PrepareBattle(g, hero, o, static_cast<uint32_t>(i));
    check.ticksSinceTurn = 0;
    check.lastPhase = g.battle.phase;
    const battle::BattleOutcome end =
        battle::FightBattle(g, battle::PlayerPolicy::kRandom, kDrawTicks, std::ref(check));
    draws += end == battle::BattleOutcome::kCutOff;
    check.AfterBattle(g);
    won += end == battle::BattleOutcome::kWon;
    lost += end == battle::BattleOutcome::kLost;
    left += end == battle::BattleOutcome::kLeft;
  }
  EXPECT_EQ(check.failures, 0);
  EXPECT_LE(draws, battles / 100 + 1);
  // Random heroes against random enemies: both ends happen plenty.
  EXPECT_GT(won, battles / 10);
  EXPECT_GT(lost, battles / 20);
  RecordProperty("won", won);
  RecordProperty("lost", lost);
  RecordProperty("left", left);
  RecordProperty("draws", draws);
}

}  // namespace
}  // namespace qv
