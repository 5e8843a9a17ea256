#include "simulate/simulator.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <system_error>

#include "battle/player_choice.h"
#include "battle/sequencer.h"
#include "core/master_data.h"
#include "core/new_game.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "flow/make_game.h"
#include "flow/step_machine.h"
#include "flow/tick.h"
#include "persist/save.h"
#include "simulate/quiet_host.h"
#include "world/free_area.h"

namespace qv::battle {
namespace {

constexpr int32_t kEscape = 22;  // 逃げる: the simulated hero stands its ground
constexpr int32_t kIdle = 53;    // 何もせず
constexpr int32_t kOrdinarySkills = 100;

int32_t SkillIdOfEntry(const Game& g, const std::string& entry) {
  int32_t id = -1;
  for (int32_t i = 0; i < kOrdinarySkills; ++i) {
    if (g.state.skills[static_cast<size_t>(i)].name == entry) id = i;
  }
  return id;
}

// The list entry the policy presses "発動" on; -1 when the list is empty.
int32_t PickEntry(Game& g, PlayerPolicy policy) {
  const std::vector<std::string>& lines = g.form[W::battle_list].lines;
  if (lines.empty()) return -1;
  const int32_t n = static_cast<int32_t>(lines.size());
  if (policy == PlayerPolicy::kRandom) return Random(g, n);
  const Combatant& p = g.state.player();
  int32_t best = 0, bestCost = -1;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t id = SkillIdOfEntry(g, lines[static_cast<size_t>(i)]);
    if (id < 0 || id == kEscape || id == kIdle) continue;
    const SkillDef& s = g.state.skills[static_cast<size_t>(id)];
    if (s.mpCost > p.mp || s.tpCost > p.tp) continue;
    if (s.tpCost > bestCost) {
      best = i;
      bestCost = s.tpCost;
    }
  }
  return best;
}

void PressSkill(Game& g, PlayerPolicy policy) {
  const int32_t entry = PickEntry(g, policy);
  if (entry < 0) return;
  g.form[W::battle_list].itemIndex = entry;
  battle_listMouseDown(g);
  Button1Click(g);
}

std::filesystem::path FreshTempDir() {
  static std::atomic<int> counter{0};
  std::filesystem::path p =
      std::filesystem::temp_directory_path() /
      ("qv-sim-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(p);
  std::filesystem::create_directories(p);
  return p;
}

}  // namespace

void PrepareBattle(Game& g, const GameState& player, const SimulationOptions& o, uint32_t seed) {
  g.state = player;
  g.state.saveDisabled = 1;  // a simulation never writes the player's files
  g.state.speedMode = 0;
  g.state.depth = o.depth;
  g.state.enemy() = o.enemy;
  g.state.enemy().present = 1;
  g.battle = BattleState{};
  g.battle.battleSpeed = o.battleSpeed;
  g.battle.locationId = o.locationId;
  g.battle.lastListIndex = -1;
  g.world = WorldState{};
  for (W w : {W::battle_box, W::com_box, W::map_box, W::item_box}) g.form[w].visible = false;
  g.screen.scene = 0;
  g.rng.Seed(seed);
  ClearTextLines(g);
  ClearPopups(g);
  if (o.locationId == 1 && o.enemy.name.empty()) world::StartFreeArea(g, o.depth);
}

BattleOutcome FightBattle(Game& g, PlayerPolicy policy, int32_t maxTicks,
                          const std::function<void(const Game&)>& afterTick) {
  bool enemyFell = false;
  StartBattle(g);
  for (int32_t t = 0; t < maxTicks; ++t) {
    if (g.battle.battleActive == 1 && g.state.enemy().hp <= 0) enemyFell = true;
    if (g.battle.gameOver == 1) return BattleOutcome::kLost;
    // Back on the map, or offered the free area's commands: the battle is over.
    if (g.battle.battleActive == 0 || g.form[W::com_box].visible) {
      return enemyFell ? BattleOutcome::kWon : BattleOutcome::kLeft;
    }
    if (g.battle.paused == 1) {
      ContinueOnClick(g);
    } else if (g.form[W::battle_box].visible && g.battle.actionTimer == 0) {
      PressSkill(g, policy);
    }
    Tick(g);
    if (afterTick) afterTick(g);
  }
  return BattleOutcome::kCutOff;
}

bool PlayerFromSaveFile(const std::filesystem::path& myDat, GameState& out, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(myDat, ec)) {
    error = "no save file at " + myDat.string();
    return false;
  }
  const std::filesystem::path dir = FreshTempDir();
  std::filesystem::copy_file(myDat, dir / persist::kSaveFileName, ec);
  if (ec) {
    error = "cannot copy " + myDat.string() + ": " + ec.message();
    std::filesystem::remove_all(dir, ec);
    return false;
  }
  QuietHost host;
  auto g = MakeGame(&host, nullptr, Paths{dir, dir, dir, dir});
  FillMasterData(g->state);
  persist::LoadGame(*g);
  const bool damaged = g->state.saveDisabled == 1;
  std::filesystem::remove_all(dir, ec);
  if (damaged) {
    error =
        myDat.string() + ": " + (host.boxes.empty() ? "damaged" : Cp932ToUtf8(host.boxes.back()));
    return false;
  }
  out = g->state;
  return true;
}

GameState PlayerFromSetup(const PlayerSetup& setup) {
  QuietHost host;
  auto g = MakeGame(&host, nullptr, Paths{});
  NewGame(*g);
  FillMasterData(g->state);
  GameState& s = g->state;
  Combatant& p = s.player();
  p.level = setup.level;
  p.maxHp = p.hp = setup.maxHp;
  p.maxMp = p.mp = setup.maxMp;
  p.maxTp = setup.maxTp;
  p.tp = 0;
  p.attack = setup.attack;
  p.defense = setup.defense;
  p.hitRate = setup.hitRate;
  p.evadeRate = setup.evadeRate;
  s.skillLevel.fill(0);
  for (int32_t id : setup.skills) {
    if (id >= 0 && id < kOrdinarySkills) s.skillLevel[static_cast<size_t>(id)] = setup.skillLevel;
  }
  return s;
}

SimulationResult SimulateBattles(const GameState& player, const SimulationOptions& o) {
  QuietHost host;
  auto game = MakeGame(&host, nullptr, Paths{});
  Game& g = *game;
  SimulationResult r;
  int64_t turns = 0, dealt = 0, taken = 0;
  for (int32_t i = 0; i < o.battles; ++i) {
    PrepareBattle(g, player, o, o.seed + static_cast<uint32_t>(i));
    int32_t enemyHp = g.state.enemy().hp, playerHp = g.state.player().hp, phase = g.battle.phase;
    auto watch = [&](const Game& w) {
      if (w.battle.battleActive == 1) {
        dealt += std::max(enemyHp - w.state.enemy().hp, 0);
        taken += std::max(playerHp - w.state.player().hp, 0);
      }
      if (w.battle.phase == 1 && phase != 1) turns += 1;
      enemyHp = w.state.enemy().hp;
      playerHp = w.state.player().hp;
      phase = w.battle.phase;
      r.ticks += 1;
    };
    switch (FightBattle(g, o.policy, o.maxTicksPerBattle, watch)) {
      case BattleOutcome::kWon:
        r.wins += 1;
        break;
      case BattleOutcome::kLost:
        r.losses += 1;
        break;
      case BattleOutcome::kLeft:
      case BattleOutcome::kCutOff:
        r.unfinished += 1;
        break;
    }
    r.battles += 1;
  }
  if (r.battles > 0) {
    const double n = r.battles;
    r.winRate = r.wins / n;
    r.meanTurns = static_cast<double>(turns) / n;
    r.meanDamageDealt = static_cast<double>(dealt) / n;
    r.meanDamageTaken = static_cast<double>(taken) / n;
  }
  return r;
}

}  // namespace qv::battle
