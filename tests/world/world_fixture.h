#pragma once
// A game on the island map: master tables filled, a named level-1 hero, a presenter that
// remembers the backgrounds shown and lets the map's decorations draw into a list.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/master_data.h"
#include "core/text.h"
#include "support/fake_host.h"
#include "support/hero.h"
#include "world/decorate_map.h"
#include "world/map.h"

namespace qv::testing {

// Every sprite DecorateMap draws: slot and top-left.
struct RecordingPainter : world::MapPainter {
  std::vector<std::tuple<int, int32_t, int32_t>> drawn;
  void DrawSprite(int slot, int32_t x, int32_t y) override { drawn.emplace_back(slot, x, y); }
  bool Drew(int slot, int32_t x, int32_t y) const {
    return std::find(drawn.begin(), drawn.end(), std::tuple{slot, x, y}) != drawn.end();
  }
  int Count(int slot) const {
    return static_cast<int>(std::count_if(drawn.begin(), drawn.end(),
                                          [&](const auto& d) { return std::get<0>(d) == slot; }));
  }
};

struct RecordingPresenter : Presenter {
  std::vector<std::string> backgrounds;
  RecordingPainter painter;
  bool LoadSprites(Game&) override { return true; }
  void LoadSprite(Game&, int, std::string_view) override {}
  void ShowBackground(Game& g, std::string_view file) override {
    backgrounds.emplace_back(file);
    g.frame.background = std::string(file);
    if (file == "map.bmp") {
      painter.drawn.clear();
      world::DecorateMap(g, painter);
    }
  }
  void LoadPicture(Game&, W, std::string_view) override {}
  void CopyBackground(Game&) override {}
  void DrawTitleScreen(Game&) override {}
  void ComposeFrame(Game&) override {}
};

struct WorldGame {
  TestGame t;
  RecordingPresenter presenter;
  Game& g;

  WorldGame() : g(t.g()) {
    g.presenter = &presenter;
    PlayWithHero(g);
    g.battle.battleSpeed = 9;
    for (int i = 0; i < kRandomNames; ++i) {
      g.state.randomNames[static_cast<size_t>(i)] = "name" + std::to_string(i);
    }
    g.state.randomNameCount = kRandomNames;
    // Chapters seen already, so the map stays up unless a test wants one.
    for (int k = 30; k <= 38; ++k) g.state.eventFlags[static_cast<size_t>(k)] = 1;
    world::ShowMapScreen(g);
    t.host.music.clear();
  }

  std::string Line(int i) const { return g.text.lines[static_cast<size_t>(i)].text; }
  bool Shows(const char* utf8) const {
    const std::string& want = Sjis(utf8);
    return std::any_of(g.text.lines.begin(), g.text.lines.end(),
                       [&](const LineEntry& l) { return l.text == want; });
  }
  bool NoText() const {
    return std::all_of(g.text.lines.begin(), g.text.lines.end(),
                       [](const LineEntry& l) { return l.text.empty(); });
  }
  bool MapUp() const { return g.frame.mapShown == 1 && g.form[W::map_box].visible; }
  void SetClears(std::initializer_list<std::pair<int, int32_t>> clears) {
    for (const auto& [at, n] : clears) g.state.clearCount[static_cast<size_t>(at)] = n;
  }
};

}  // namespace qv::testing
