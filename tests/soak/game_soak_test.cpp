// The whole game under a storm of random input at full speed: clicks (mostly on whatever is
// showing, some anywhere), keys, typed names, the wheel and random answers to every question,
// with the real frame drawn each tick and the rules' invariants checked after every tick.
// When the game closes its window a new one starts on the same data folder, as a player would.
//
// The suite's run is a fixed number of inputs (QV_SOAK_INPUTS: 4,000, or 1,500 in the sanitizer
// build), so it reaches the same screens however busy the machine is; QV_SOAK_SECONDS runs by
// the clock instead (`make soak`: an hour). QV_SOAK_SEED sets the input's seed. A failure names
// the seed and the step, so it replays exactly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "flow/tick.h"
#include "platform/headless/headless_host.h"
#include "platform/session/command_line.h"
#include "platform/session/session.h"
#include "platform/session/tick_driver.h"
#include "support/env_count.h"
#include "support/invariants.h"
#include "ui/input.h"

namespace qv {
namespace {

// Seconds to run, or 0 to run by the number of inputs.
int64_t SoakSeconds() {
  return EnvCount("QV_SOAK_SECONDS", 0);
}

int64_t SoakInputs() {
#if defined(__SANITIZE_ADDRESS__)
  return EnvCount("QV_SOAK_INPUTS", 1500);
#else
  return EnvCount("QV_SOAK_INPUTS", 4000);
#endif
}

// Resident memory of this process in kilobytes.
int64_t ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtoll(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// Where the game has been; a soak that never leaves the title proves little.
std::string ScreenOf(const Game& g) {
  const BattleState& b = g.battle;
  if (g.screen.scene == -2) return "opening";
  if (g.screen.scene == -1) return g.form[W::bp_box].visible ? "creation(title)" : "title";
  if (g.form[W::bp_box].visible) return "creation";
  if (b.gameOver) return "game over";
  if (b.storyMode) return "chapter";
  if (g.form[W::item_box].visible) {
    return b.locationId == 101 ? "item screen" : "shop " + std::to_string(b.locationId);
  }
  if (b.locationId == 0) return "inn";
  if (b.battleActive && b.locationId == 1) {
    return g.form[W::com_box].visible ? "free area commands" : "free area battle";
  }
  if (b.battleActive && b.locationId >= 2) return "story battle";
  if (g.frame.mapShown) return "map";
  return "other " + std::to_string(b.locationId);
}

constexpr const char* kTypedTexts[] = {
    "カイ",     "a",
    "ＡＢＣ",   "しすみしすみしすみしすみ",
    "①Ⅱ～",     "\xF0\x9F\x98\x80",
    "\\~",      "長い名前はここで切れるはず長い名前はここで切れるはず",
    " ",        "\r\n",
    "\xE3\x81", "",
};
constexpr int32_t kKeys[] = {ui::kVkEnter, ui::kVkEnter,  ui::kVkEnter, ui::kVkEscape, ui::kVkF1,
                             ui::kVkBack,  ui::kVkTab,    ui::kVkSpace, ui::kVkUp,     ui::kVkDown,
                             ui::kVkLeft,  ui::kVkRight,  ui::kVkPrior, ui::kVkNext,   ui::kVkHome,
                             ui::kVkEnd,   ui::kVkDelete, 'A',          '1',           0,
                             255};

class Monkey {
 public:
  explicit Monkey(uint32_t seed) : rng_(seed) {}

  int32_t Roll(int32_t lo, int32_t hi) {
    return std::uniform_int_distribution<int32_t>(lo, hi)(rng_);
  }

  // One random thing a restless player does.
  void Act(Game& g, headless::HeadlessHost& host) {
    if (host.PendingAnswers() == 0) host.QueueAnswer(Roll(0, 1) == 1);
    const int32_t r = Roll(0, 99);
    if (r < 55) {
      ClickShownWidget(g, host);
    } else if (r < 75) {
      Click(g, host, Roll(-5, 645), Roll(-5, 485), Roll(0, 9) == 0);
    } else if (r < 88) {
      const int32_t key = kKeys[Roll(0, static_cast<int32_t>(std::size(kKeys)) - 1)];
      ui::KeyDown(g, key);
      if (!host.Closed()) ui::KeyUp(g, key);
    } else if (r < 93) {
      ui::TextInput(g, kTypedTexts[Roll(0, static_cast<int32_t>(std::size(kTypedTexts)) - 1)]);
    } else if (r < 97) {
      ui::MouseWheel(g, Roll(0, 639), Roll(0, 479), Roll(-5, 5));
    } else {
      ui::MouseMove(g, Roll(0, 639), Roll(0, 479));
    }
  }

 private:
  void Click(Game& g, headless::HeadlessHost& host, int32_t x, int32_t y, bool right) {
    ui::MouseDown(g, x, y, right);
    if (!host.Closed()) ui::MouseUp(g, x, y, right);
  }

  // A click somewhere inside a widget that shows, the way a player aims at what is there.
  void ClickShownWidget(Game& g, headless::HeadlessHost& host) {
    W shown[kWidgetCount];
    int n = 0;
    for (int i = 0; i < kWidgetCount; ++i) {
      const W id = static_cast<W>(i);
      const Widget& w = g.form[id];
      if (w.kind != WidgetKind::Panel && IsShown(g.form, id) && w.rect.width > 0 &&
          w.rect.height > 0) {
        shown[n++] = id;
      }
    }
    if (n == 0) {
      Click(g, host, Roll(0, 639), Roll(0, 479), false);
      return;
    }
    const W id = shown[Roll(0, n - 1)];
    const Rect r = AbsoluteRect(g.form, id);
    Click(g, host, r.left + Roll(0, r.width - 1), r.top + Roll(0, r.height - 1), false);
  }

  std::mt19937 rng_;
};

TEST(GameSoak, RandomInputEverywhereKeepsEveryInvariant) {
  const int64_t seconds = SoakSeconds();
  const int64_t inputs = SoakInputs();
  const auto seed = static_cast<uint32_t>(EnvCount("QV_SOAK_SEED", 1));
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qv-soak-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const Paths paths = session::GamePaths(QV_BUILD_DIR, dir.string());

  std::ostringstream boxes;  // every box the game shows; kept short below
  Monkey monkey(seed);
  std::map<std::string, int64_t> visits;
  int64_t steps = 0, ticks = 0, windows = 0;
  // Resident memory, looked at once a second while the game runs: after the first minute,
  // the most it reached and the last look.
  int64_t rssAtMinute = -1, rssPeak = -1, rssLast = -1, lastLook = -1;
  const int64_t rssAtStart = ResidentKb();
  std::string failure;

  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                            start)
        .count();
  };
  const auto more = [&] { return seconds > 0 ? elapsed() < seconds : steps < inputs; };
  while (failure.empty() && more()) {
    headless::HeadlessHost host(boxes);
    auto run = session::StartSession(host, paths, seed + static_cast<uint32_t>(windows));
    Game& g = *run->game;
    ++windows;
    while (!host.Closed() && failure.empty() && more()) {
      monkey.Act(g, host);
      ++steps;
      const int32_t n = monkey.Roll(0, 3) == 0 ? monkey.Roll(1, 40) : monkey.Roll(0, 3);
      for (int32_t i = 0; i < n && !host.Closed(); ++i) {
        host.Advance(session::SaneInterval(g));
        Timer1Timer(g);
        ++ticks;
        const std::string why = CheckInvariants(g);
        if (!why.empty()) {
          failure = "seed " + std::to_string(seed) + ", window " + std::to_string(windows) +
                    ", step " + std::to_string(steps) + " (" + ScreenOf(g) + "): " + why;
          break;
        }
      }
      visits[ScreenOf(g)] += 1;
      if (const int64_t now = elapsed(); now != lastLook && now >= 60) {
        lastLook = now;
        rssLast = ResidentKb();
        if (rssAtMinute < 0) rssAtMinute = rssLast;
        rssPeak = std::max(rssPeak, rssLast);
      }
      if (boxes.tellp() > 1 << 20) boxes.str("");
    }
    session::EndSession(*run);
  }
  std::filesystem::remove_all(dir);

  EXPECT_EQ(failure, "");
  std::cout << "soak: " << elapsed() << " s, " << steps << " inputs, " << ticks << " ticks, "
            << windows << " windows; resident memory " << rssAtStart << " kB at start, "
            << rssAtMinute << " kB at 1 min, at most " << rssPeak << " kB after it, " << rssLast
            << " kB at the end\n  screens:";
  for (const auto& [screen, count] : visits) std::cout << " [" << screen << "] " << count;
  std::cout << "\n";
  RecordProperty("ticks", std::to_string(ticks));
  RecordProperty("rssPeakKb", std::to_string(rssPeak));

  // Random input reaches the game's main screens even in a short run.
  for (const char* screen : {"title", "creation", "map", "free area battle"}) {
    EXPECT_GT(visits[screen], 0) << "never reached: " << screen;
  }
  // Memory stays flat: what the first minute needed is all a long run needs. The ordinary
  // build may still take one step of about a megabyte at some moment, when the allocator
  // starts keeping full-screen pictures (1.2 MB each) in its heap instead of mapping them
  // afresh; anything that grows with play passes two megabytes well within the hour. The
  // sanitizer build holds freed blocks back in a quarantine whose size wanders by tens of
  // megabytes on its own.
  if (rssAtMinute > 0 && seconds >= 300) {
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LE(rssPeak - rssAtMinute, 64 * 1024);
#else
    EXPECT_LE(rssPeak - rssAtMinute, 2 * 1024);
#endif
  }
}

}  // namespace
}  // namespace qv
