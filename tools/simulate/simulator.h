#pragma once
// The battle simulator: many seeded battles between one player and one enemy, fought through
// the real tick with no window and no sound, to see how hard a place is for a given hero.
//
// Typical use (what `qv --simulate` does):
//   GameState hero;
//   std::string error;
//   if (!battle::PlayerFromSaveFile("dat/my.dat", hero, error)) { report error; }
//   battle::SimulationOptions o;
//   o.battles = 1000; o.seed = 1; o.locationId = 5; o.enemy = <the place's enemy>;
//   (or o.locationId = 1; o.depth = 30; and no enemy: the free area rolls one per battle)
//   battle::SimulationResult r = battle::SimulateBattles(hero, o);
//   print r.winRate, r.meanTurns, r.meanDamageDealt, r.meanDamageTaken
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/game.h"

namespace qv::battle {

// How the simulated player picks a skill when the list is offered.
enum class PlayerPolicy : int32_t {
  kStrongest,  // the learned skill with the highest TP cost it can pay for (踏みつぶす at worst)
  kRandom,     // any learned skill at random, whether it can pay or not
};

// A hero made from numbers instead of a save.
struct PlayerSetup {
  int32_t level = 1;
  int32_t maxHp = 20, maxMp = 5, maxTp = 100;
  int32_t attack = 2, defense = 1, hitRate = 0, evadeRate = 0;
  std::vector<int32_t> skills{0};  // learned skill ids (0..99)
  int32_t skillLevel = 1;          // the level of every learned skill
};

struct SimulationOptions {
  int32_t battles = 100;
  uint32_t seed = 1;       // battle i uses seed + i
  int32_t locationId = 2;  // 1 = free area, 2..19 encounter places
  int32_t depth = 0;       // metres, in the free area
  Combatant enemy;         // the enemy as an encounter would write it; with no name in
                           // the free area, each battle rolls its own at `depth`
  PlayerPolicy policy = PlayerPolicy::kStrongest;
  int32_t battleSpeed = 9;
  int32_t maxTicksPerBattle = 50000;  // a battle still running then counts as unfinished
};

struct SimulationResult {
  int32_t battles = 0;
  int32_t wins = 0;
  int32_t losses = 0;
  int32_t unfinished = 0;      // escaped or cut off by the tick limit
  double winRate = 0;          // wins / battles
  double meanTurns = 0;        // turns of either side per battle
  double meanDamageDealt = 0;  // HP the enemy lost per battle
  double meanDamageTaken = 0;  // HP the player lost per battle
  int64_t ticks = 0;           // ticks run in all
};

// How one battle ended.
enum class BattleOutcome : int32_t { kWon, kLost, kLeft, kCutOff };

// The player's whole state as a save file holds it (the master tables filled). The file is read
// from a copy, so the original is never written. False, with a message, when it cannot be read.
bool PlayerFromSaveFile(const std::filesystem::path& myDat, GameState& out, std::string& error);

// A player's whole state from numbers (the master tables filled).
GameState PlayerFromSetup(const PlayerSetup& setup);

// Fights o.battles battles of `player` against o.enemy and sums them up.
SimulationResult SimulateBattles(const GameState& player, const SimulationOptions& o);

// Readies a game for battle `seed`: the player's state, o.enemy, a fresh battle at o's place.
void PrepareBattle(Game& g, const GameState& player, const SimulationOptions& o, uint32_t seed);

// One battle in a game already holding both sides: starts it, answers every click and choice
// by the policy, and ticks until it ends or maxTicks pass. `afterTick` (may be empty) sees the
// game after every tick.
BattleOutcome FightBattle(Game& g, PlayerPolicy policy, int32_t maxTicks,
                          const std::function<void(const Game&)>& afterTick);

}  // namespace qv::battle
