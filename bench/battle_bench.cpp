// Battle throughput: complete headless battles per second at the default battle speed, fought
// through the real tick with nothing drawn and no sound.
#include <benchmark/benchmark.h>

#include "core/text.h"
#include "simulate/simulator.h"

namespace {

using namespace qv;

// A level-10 hero with a handful of skills against a sturdy encounter enemy.
battle::SimulationOptions Encounter() {
  battle::SimulationOptions o;
  o.locationId = 4;
  Combatant& e = o.enemy;
  e.name = Sjis("山のぬし");
  e.maxHp = e.hp = 60;
  e.maxMp = e.mp = 10;
  e.maxTp = 100;
  e.attack = 4;
  e.defense = 2;
  e.hitRate = 5;
  e.exp = 40;
  e.moneyReward = 30;
  e.skillSlots = {0, 0, 2, 12, 3};
  return o;
}

void BM_CompleteBattles(benchmark::State& state) {
  battle::PlayerSetup hero;
  hero.level = 10;
  hero.maxHp = 80;
  hero.maxMp = 20;
  hero.attack = 6;
  hero.defense = 3;
  hero.hitRate = 10;
  hero.skills = {0, 1, 2, 3, 7, 9, 12};
  hero.skillLevel = 3;
  const GameState player = battle::PlayerFromSetup(hero);
  battle::SimulationOptions o = Encounter();
  o.battles = 1;
  int64_t battles = 0, ticks = 0;
  for (auto _ : state) {
    const battle::SimulationResult r = battle::SimulateBattles(player, o);
    battles += r.battles;
    ticks += r.ticks;
    o.seed += 1;
    benchmark::DoNotOptimize(r.wins);
  }
  state.counters["battles/s"] =
      benchmark::Counter(static_cast<double>(battles), benchmark::Counter::kIsRate);
  state.counters["ticks/battle"] =
      battles ? static_cast<double>(ticks) / static_cast<double>(battles) : 0;
}
BENCHMARK(BM_CompleteBattles)->Unit(benchmark::kMicrosecond);

}  // namespace
