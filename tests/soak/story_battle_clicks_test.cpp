// Every story fight, fought by an impatient player: clicks on the picture, on "発動", in the
// skill list and anywhere else, at any moment of either side's turn, with the real frame drawn
// each tick. After every tick the rules' invariants hold, and no battle may stand still: the
// enemy's turn never waits for the player, and the player's waits only for a choice or a click.
//
// QV_STORY_BATTLES sets how many battles (20 by default, 6 in the sanitizer build; a few
// thousand make a good hunt); QV_STORY_SEED the first battle's seed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include "battle/sequencer.h"
#include "flow/tick.h"
#include "platform/headless/headless_host.h"
#include "platform/session/command_line.h"
#include "platform/session/session.h"
#include "platform/session/tick_driver.h"
#include "support/env_count.h"
#include "support/invariants.h"
#include "ui/input.h"
#include "world/encounter_table.h"
#include "world/encounters.h"
#include "world/map.h"
#include "world/scene_text.h"

namespace qv {
namespace {

int64_t BattleCount() {
#if defined(__SANITIZE_ADDRESS__)
  return EnvCount("QV_STORY_BATTLES", 6);
#else
  return EnvCount("QV_STORY_BATTLES", 20);
#endif
}

uint32_t FirstSeed() {
  return static_cast<uint32_t>(EnvCount("QV_STORY_SEED", 1));
}

// A story fight begun the way its place begins it, without the place's gate.
void BeginFight(Game& g, const world::EnemyVariant& v) {
  g.battle.locationId = v.code;
  world::CloseMapScreen(g);
  world::WriteEnemy(g, v);
  world::ShowBackground(g, v.picture);
  world::QueueLines(g.battle.dialogueLines, world::EncounterDialogue(g, v.code, v.visit));
  world::QueueLines(g.battle.victoryLines, world::EncounterVictory(g, v.code, v.visit));
  battle::StartBattle(g);
}

std::string Summary(const Game& g) {
  const BattleState& b = g.battle;
  std::ostringstream s;
  s << "phase " << b.phase << " delay " << b.phaseDelay << " paused " << b.paused << " timer "
    << b.actionTimer << " skill " << b.actionSkill << " side " << b.turnSide << " list "
    << g.form[W::battle_box].visible << " hp " << g.state.player().hp << "/" << g.state.enemy().hp;
  return s.str();
}

struct Player {
  std::mt19937 rng;
  int32_t Roll(int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
  }
  void Click(Game& g, headless::HeadlessHost& host, int32_t x, int32_t y) {
    ui::MouseDown(g, x, y, false);
    if (!host.Closed()) ui::MouseUp(g, x, y, false);
  }
  // One restless thing: mostly the picture and "発動", sometimes a row of the list, a key
  // or a click anywhere.
  void Act(Game& g, headless::HeadlessHost& host) {
    if (host.PendingAnswers() == 0) host.QueueAnswer(Roll(0, 1) == 1);
    const int32_t r = Roll(0, 99);
    if (r < 35) {
      Click(g, host, 100, 100);
    } else if (r < 65) {
      Click(g, host, 480, 455);
    } else if (r < 85) {
      Click(g, host, Roll(462, 630), Roll(12, 440));
    } else if (r < 92) {
      const int32_t key = Roll(0, 1) == 0 ? ui::kVkUp : ui::kVkDown;
      ui::KeyDown(g, key);
      if (!host.Closed()) ui::KeyUp(g, key);
    } else {
      Click(g, host, Roll(0, 639), Roll(0, 479));
    }
  }
};

// Ticks in which a turn must move on; a 12-step script at the slowest battle speed needs far
// fewer.
constexpr int32_t kStillTicks = 2000;
constexpr int32_t kTickCap = 20000;

TEST(StoryBattleClicks, NoFightStandsStillWhateverThePlayerClicks) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qv-story-clicks-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const Paths paths = session::GamePaths(QV_BUILD_DIR, dir.string());
  const std::filesystem::path save =
      std::filesystem::path(QV_SOURCE_DIR) / "tests/scenarios/data/story_full.dat";
  const auto variants = world::Variants();
  ASSERT_FALSE(variants.empty());

  std::ostringstream boxes;
  int failures = 0;
  int32_t won = 0, lost = 0, cut = 0;
  int64_t allTicks = 0, rounds = 0;
  const int64_t battles = BattleCount();
  for (int64_t n = 0; n < battles && failures < 5; ++n) {
    const auto seed = FirstSeed() + static_cast<uint32_t>(n);
    std::filesystem::copy_file(save, dir / "my.dat",
                               std::filesystem::copy_options::overwrite_existing);
    headless::HeadlessHost host(boxes);
    auto run = session::StartSession(host, paths, seed);
    Game& g = *run->game;
    Player player{std::mt19937(seed)};
    // Past the credit and the title into the game, then straight into a fight.
    for (int i = 0; i < 3; ++i) {
      host.Advance(session::SaneInterval(g));
      Timer1Timer(g);
    }
    player.Click(g, host, 320, 240);
    player.Click(g, host, 320, 240);
    // The chapters the map has to tell first are clicked through.
    for (int i = 0; i < 500 && !(g.frame.mapShown == 1 && g.battle.storyMode == 0); ++i) {
      player.Click(g, host, 100, 100);
      host.Advance(session::SaneInterval(g));
      Timer1Timer(g);
    }
    ASSERT_EQ(g.frame.mapShown, 1);
    ASSERT_EQ(g.battle.battleActive, 0);
    // A hero of every strength, so that fights run long and are lost too.
    Combatant& hero = g.state.player();
    hero.maxHp = hero.hp = player.Roll(60, 3000);
    hero.attack = player.Roll(0, std::max(hero.attack, 1));
    hero.defense = player.Roll(0, std::max(hero.defense, 1));
    const world::EnemyVariant& v = variants[static_cast<size_t>(n) % variants.size()];
    BeginFight(g, v);
    g.battle.battleSpeed = player.Roll(1, 12);

    int32_t still = 0, ticks = 0;
    bool stopped = false;
    std::string last;
    while (!host.Closed() && g.battle.battleActive == 1 && g.battle.gameOver == 0 &&
           ticks < kTickCap) {
      player.Act(g, host);
      const int32_t k = player.Roll(0, 12);
      for (int32_t i = 0; i < k && !host.Closed(); ++i) {
        host.Advance(session::SaneInterval(g));
        Timer1Timer(g);
        ++ticks;
        const std::string why = CheckInvariants(g);
        const std::string now = Summary(g);
        still = now == last ? still + 1 : 0;
        last = now;
        if (!why.empty() || still == kStillTicks) {
          ++failures;
          stopped = true;
          ADD_FAILURE() << "battle " << n << " vs enemy " << v.code << " (seed " << seed
                        << ", speed " << g.battle.battleSpeed << ", tick " << ticks
                        << "): " << (why.empty() ? "nothing moves" : why) << "; " << now;
          break;
        }
      }
      if (stopped) break;
    }
    allTicks += ticks;
    rounds += g.battle.roundCount;
    if (g.battle.gameOver == 1)
      ++lost;
    else if (ticks >= kTickCap)
      ++cut;
    else
      ++won;
    session::EndSession(*run);
    if (boxes.tellp() > 1 << 20) boxes.str("");
  }
  std::filesystem::remove_all(dir);
  std::cout << "story battles: " << won << " ended, " << lost << " lost, " << cut
            << " still going at the cap; " << allTicks << " ticks, " << rounds << " rounds\n";
}

}  // namespace
}  // namespace qv
