// The cost of one busy battle frame: background, the player's picture, both status panels with
// tags, seven log lines in cycling colours and a full pool of pop-ups of mixed types; with the
// glyph cache and, side by side, without it.
#include <benchmark/benchmark.h>

#include <array>

#include "core/game.h"
#include "core/text.h"
#include "flow/make_game.h"
#include "gfx/fonts.h"
#include "ui/screen.h"

namespace {

using namespace qv;

struct BusyFrame {
  std::unique_ptr<Game> game;
  std::array<PopupSlot, kPopups> popups;

  explicit BusyFrame(ui::Screen& screen) {
    game = MakeGame(nullptr, &screen, Paths{});
    Game& g = *game;
    g.rng.Seed(5);
    g.text.formActive = 1;
    g.screen.scene = 0;
    gfx::Bitmap back(640, 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) back.SetPixel(x, y, gfx::Rgb(x / 3, y / 2, (x + y) / 5));
    screen.SetSprite(6, back);
    screen.SetSprite(1, gfx::Bitmap(160, 200, 0x806040));
    Combatant& p = g.state.player();
    p.name = Sjis("しすみ");
    p.level = 30;
    p.maxHp = 400;
    p.hp = 30;
    p.maxMp = 80;
    p.mp = 40;
    p.maxTp = 100;
    p.tp = 100;
    p.st_poison = 1;
    p.st_atkDown = 2;
    p.st_regen = 3;
    p.st_guard = 1;
    p.st_power = 2;
    p.st_hitUp = 1;
    Combatant& e = g.state.enemy();
    e.name = Sjis("暗黒剣士ヨイヤミ");
    e.present = 1;
    e.element = 2;
    e.maxHp = 900;
    e.hp = 640;
    e.maxMp = 200;
    e.mp = 120;
    e.tp = 70;
    e.st_burn = 2;
    e.st_paralysis = 1;
    e.st_reflect = 1;
    e.st_atkUp = 2;
    g.battle.battleActive = 1;
    const char* colours[] = {"green", "yellow", "red", "pink2", "rainbow", "aqua", "purple"};
    for (const char* c : colours)
      AddLogLine(g, Sjis("暗黒剣士ヨイヤミの攻撃！しすみに 123 のダメージ"), c);
    const int types[] = {16, 17, 19, 20, 161, 140, 191, 189, 156, 57};
    for (int i = 0; i < kPopups; ++i) {
      SpawnPopup(g, 100 + (i * 37) % 440, 60 + (i * 53) % 360, types[i % 10],
                 std::to_string(i * 7));
    }
    // Age the pool a few frames so every effect is in full swing, then keep that moment.
    for (int i = 0; i < 3; ++i) screen.ComposeFrame(g);
    popups = g.text.popups;
  }
};

// One timed frame, out of line so that callgrind can count exactly the frames the benchmark
// times (bench/frame_instructions.sh): the same hundred pop-ups every frame, or none.
[[gnu::noinline]] void MeasuredFrame(ui::Screen& screen, Game& g, const BusyFrame& frame) {
  g.text.popups = frame.popups;
  g.screen.frameCounter = (g.screen.frameCounter + 1) % 1000;
  screen.ComposeFrame(g);
}

void Compose(benchmark::State& state, bool cache, bool popups = true) {
  gfx::FontLibrary fonts;
  fonts.SetCacheEnabled(cache);
  ui::Screen screen(fonts);
  BusyFrame frame(screen);
  Game& g = *frame.game;
  if (!popups) frame.popups = {};
  for (auto _ : state) {
    MeasuredFrame(screen, g, frame);
    benchmark::DoNotOptimize(screen.MainPicture().Pixels().data());
  }
}

void BM_ComposeFrame_GlyphCache(benchmark::State& state) {
  Compose(state, true);
}
void BM_ComposeFrame_NoGlyphCache(benchmark::State& state) {
  Compose(state, false);
}
// The same battle frame with the panels and the log but no pop-up alive.
void BM_ComposeFrame_NoPopups(benchmark::State& state) {
  Compose(state, true, false);
}
BENCHMARK(BM_ComposeFrame_GlyphCache)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ComposeFrame_NoGlyphCache)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ComposeFrame_NoPopups)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The whole window with the skill panel over the frame; the selection moves every time, so
// the window is drawn anew.
void BM_RenderWindow(benchmark::State& state) {
  ui::Screen screen;
  BusyFrame frame(screen);
  Game& g = *frame.game;
  ShowPanel(g.form, W::battle_box);
  g.form[W::battle_box].rect = {460, 8, 173, 465};
  for (int i = 0; i < 30; ++i) g.form[W::battle_list].lines.push_back(Sjis("ファイア"));
  screen.ComposeFrame(g);
  for (auto _ : state) {
    g.form[W::battle_list].itemIndex = (g.form[W::battle_list].itemIndex + 1) % 20;
    benchmark::DoNotOptimize(screen.RenderWindow(g).Pixels().data());
  }
}
BENCHMARK(BM_RenderWindow)->Unit(benchmark::kMillisecond);

// The map left alone: the same frame tick after tick, composed and rendered.
void BM_IdleMapTick(benchmark::State& state) {
  ui::Screen screen;
  BusyFrame frame(screen);
  Game& g = *frame.game;
  g.text.popups = {};
  for (auto& line : g.text.lines) line = {};
  g.battle.battleActive = 0;
  g.state.enemy().present = 0;
  g.state.player().tp = 50;  // a full TP bar would blink
  g.frame.mapShown = 1;
  ShowPanel(g.form, W::map_box);
  for (auto _ : state) {
    screen.ComposeFrame(g);
    benchmark::DoNotOptimize(screen.RenderWindow(g).Pixels().data());
  }
}
BENCHMARK(BM_IdleMapTick)->Unit(benchmark::kMillisecond);

}  // namespace
