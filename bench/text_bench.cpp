// Drawing one line of the game's Japanese text onto the main picture, with the glyph cache
// and with every glyph rasterised again on every call.
#include <benchmark/benchmark.h>

#include "gfx/canvas.h"

namespace {

const char* const kLine = "ミカエルの攻撃!! スライムに 123 のダメージ! 毒の追加効果が発動した。";

void DrawJapaneseLine(benchmark::State& state) {
  qv::gfx::FontLibrary fonts;
  fonts.SetCacheEnabled(state.range(0) != 0);
  qv::gfx::Bitmap picture(640, 480);
  qv::gfx::Canvas canvas(picture, fonts);
  canvas.font = {qv::gfx::FontFace::Fixed, qv::gfx::PointsToPixels(11), true, 0xFFFFFF};
  canvas.brush = {0x555555, qv::gfx::BrushStyle::Solid};
  for (auto _ : state) {
    canvas.TextOut(2, 337, kLine);
    benchmark::DoNotOptimize(picture.Pixels().data());
  }
  state.counters["rasterised/line"] =
      benchmark::Counter(double(fonts.RasterisedCount()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(DrawJapaneseLine)->ArgName("cache")->Arg(1)->Arg(0);

}  // namespace
