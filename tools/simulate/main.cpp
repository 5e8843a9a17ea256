// qv_simulate: fights many seeded battles between a hero and one place's enemy with no window
// and no sound, and prints the win rate, the mean turns and the mean damage.
//
//   qv_simulate --save build/dat/my.dat --place 5 --battles 1000
//   qv_simulate --level 30 --attack 20 --defense 15 --hp 200 --place 1 --depth 40
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"
#include "flow/make_game.h"
#include "simulate/quiet_host.h"
#include "simulate/simulator.h"
#include "world/encounters.h"

namespace {

constexpr const char* kUsage =
    "usage: qv_simulate [options]\n"
    "  --save FILE       the hero of a save file (my.dat; read from a copy, never written)\n"
    "  --level N --hp N --mp N --attack N --defense N --hit N --evade N\n"
    "                    a hero made from numbers (skills 踏みつぶす and 逃げる at level 1)\n"
    "  --place CODE      2..19: the story place's enemy (first fight); 1: the free area\n"
    "  --return          the place's return fight instead of the first\n"
    "  --depth M         metres into the free area (with --place 1)\n"
    "  --battles N       how many battles (default 1000)\n"
    "  --seed N          seed of the first battle (default 1)\n"
    "  --policy P        strongest (default) or random\n";

std::optional<int32_t> Number(std::string_view text, int32_t low, int32_t high) {
  char* end = nullptr;
  const long v = std::strtol(std::string(text).c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < low || v > high) return std::nullopt;
  return static_cast<int32_t>(v);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "qv_simulate: %s\n%s", message.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qv;
  battle::PlayerSetup setup;
  battle::SimulationOptions options;
  options.battles = 1000;
  std::string saveFile;
  bool returnFight = false;

  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--return") {
      returnFight = true;
      continue;
    }
    if (i + 1 >= argc) return Fail(std::string(arg) + " needs a value");
    const std::string_view value = argv[++i];
    auto number = [&](int32_t low, int32_t high) { return Number(value, low, high); };
    std::optional<int32_t> n;
    if (arg == "--save") {
      saveFile = value;
      continue;
    }
    if (arg == "--policy") {
      if (value == "strongest")
        options.policy = battle::PlayerPolicy::kStrongest;
      else if (value == "random")
        options.policy = battle::PlayerPolicy::kRandom;
      else
        return Fail("unknown policy " + std::string(value));
      continue;
    }
    if (arg == "--level")
      n = number(0, 99), setup.level = n.value_or(0);
    else if (arg == "--hp")
      n = number(1, 99999), setup.maxHp = n.value_or(0);
    else if (arg == "--mp")
      n = number(0, 99999), setup.maxMp = n.value_or(0);
    else if (arg == "--attack")
      n = number(0, 9999), setup.attack = n.value_or(0);
    else if (arg == "--defense")
      n = number(0, 9999), setup.defense = n.value_or(0);
    else if (arg == "--hit")
      n = number(0, 999), setup.hitRate = n.value_or(0);
    else if (arg == "--evade")
      n = number(0, 999), setup.evadeRate = n.value_or(0);
    else if (arg == "--place")
      n = number(1, 19), options.locationId = n.value_or(0);
    else if (arg == "--depth")
      n = number(0, 100000), options.depth = n.value_or(0);
    else if (arg == "--battles")
      n = number(1, 10000000), options.battles = n.value_or(0);
    else if (arg == "--seed")
      n = number(0, 2147483647), options.seed = static_cast<uint32_t>(n.value_or(0));
    else
      return Fail("unknown option " + std::string(arg));
    if (!n) return Fail("bad value for " + std::string(arg) + ": " + std::string(value));
  }

  GameState hero;
  if (!saveFile.empty()) {
    std::string error;
    if (!battle::PlayerFromSaveFile(saveFile, hero, error)) return Fail(error);
  } else {
    setup.skills = {0, 22};
    hero = battle::PlayerFromSetup(setup);
  }

  if (options.locationId >= 2) {
    const world::EnemyVariant* v = world::VariantOf(
        options.locationId, returnFight ? world::Visit::Return : world::Visit::First);
    if (v == nullptr) v = world::VariantOf(options.locationId, world::Visit::Only);
    if (v == nullptr)
      return Fail("place " + std::to_string(options.locationId) + " has no such fight");
    QuietHost host;
    auto scratch = MakeGame(&host, nullptr, Paths{});
    world::WriteEnemy(*scratch, *v);
    options.enemy = scratch->state.enemy();
  }

  const battle::SimulationResult r = battle::SimulateBattles(hero, options);
  std::printf("enemy: %s\n", options.enemy.name.empty() ? "(rolled per battle)"
                                                        : Cp932ToUtf8(options.enemy.name).c_str());
  std::printf("battles: %d  won: %d  lost: %d  unfinished: %d\n", r.battles, r.wins, r.losses,
              r.unfinished);
  std::printf("win rate: %.3f  mean turns: %.2f  mean damage dealt: %.1f  taken: %.1f\n", r.winRate,
              r.meanTurns, r.meanDamageDealt, r.meanDamageTaken);
  return 0;
}
