// Text over the pictures stays readable: every colour of the log, and the skill help, stand
// out from what surrounds their glyphs by at least 3:1 (the web's contrast ratio) in composed
// battle frames over every battle background the game has.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/text_lines.h"
#include "ui/frame_rules.h"
#include "ui_fixture.h"
#include "world/encounter_table.h"
#include "world/free_area.h"

namespace qv {
namespace {

using testing::UiGame;

constexpr double kLeastContrast = 3.0;

// Every colour a log line can take over the cycles of its name, and the plain text lines.
std::vector<gfx::Color> EveryLineColour() {
  std::vector<gfx::Color> all;
  for (int32_t code : {0, 301, 302, 303, 304, 305, 306, 307, 308, 309, 310, 312, 313}) {
    for (int32_t k = 0; k < 120; ++k) all.push_back(ui::LineColour(code, k, 0));
  }
  return all;
}

TEST(Outline, StandsOutFromEveryTextColour) {
  std::vector<gfx::Color> colours = EveryLineColour();
  for (int v = 0; v < 256; v += 5) colours.push_back(gfx::Rgb(v, v, v));
  for (gfx::Color c : {0xDDDDDDu, 0xFF2233u, 0x22AAFFu, 0x0000FFu, 0x00FF00u}) colours.push_back(c);
  for (gfx::Color c : colours) {
    EXPECT_GE(ui::ContrastRatio(c, ui::OutlineFor(c)), 4.5) << std::hex << c;
  }
  EXPECT_EQ(ui::OutlineFor(0xFFFFFF), 0x000000u);
  EXPECT_EQ(ui::OutlineFor(0x421FA8), 0xFFFFFFu);  // the darkest purple of the log
  EXPECT_NEAR(ui::ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(ui::ContrastRatio(0x555555, 0x555555), 1.0, 1e-9);
}

// The backgrounds of every story fight and of every band of the free area.
std::set<std::string> BattleBackgrounds() {
  std::set<std::string> names;
  for (const world::EnemyVariant& v : world::Variants()) names.insert(v.picture);
  for (const char* name : world::FreeAreaBackgrounds()) names.insert(name);
  return names;
}

// The worst contrast between a text's colour and the pixels right beside its solid strokes:
// the text is drawn once more alone, white on black, to find where its glyphs are.
struct Worst {
  double ratio = 99;
  std::string where;
};

void MeasureText(const gfx::Bitmap& frame, int32_t x, int32_t y, const gfx::Font& font,
                 const std::string& utf8, const std::string& what, Worst& worst) {
  gfx::Bitmap ink(640, 480, 0);
  gfx::Font white = font;
  white.color = 0xFFFFFF;
  const gfx::Size size = gfx::FontLibrary::Shared().Measure(white, utf8);
  gfx::FontLibrary::Shared().Draw(ink, x, y, white, utf8);
  int checked = 0;
  // The glyphs may reach a little outside their cell.
  for (int py = std::max(1, y - 3); py < std::min(479, y + size.height + 3); ++py) {
    for (int px = std::max(1, x - 3); px < std::min(639, x + size.width + 3); ++px) {
      if (ink.Pixel(px, py) != 0) continue;
      bool besideStroke = false;
      for (int dy = -1; dy <= 1 && !besideStroke; ++dy)
        for (int dx = -1; dx <= 1; ++dx) besideStroke |= ink.Pixel(px + dx, py + dy) == 0xFFFFFF;
      if (!besideStroke) continue;
      ++checked;
      const double r = ui::ContrastRatio(font.color, frame.Pixel(px, py));
      if (r < worst.ratio) {
        worst.ratio = r;
        worst.where = what + " at (" + std::to_string(px) + ", " + std::to_string(py) + ")";
      }
    }
  }
  ASSERT_GT(checked, 20) << what << ": no glyphs found";
}

const char* const kLogNames[] = {"green", "yellow",  "blue",   "pink",  "purple", "aqua",
                                 "red",   "yellow2", "orange", "pink2", "blue2",  "rainbow"};

TEST(Readability, LogColoursAndSkillHelpStandOutOverEveryBattleBackground) {
  UiGame t;
  Game& g = t.g();
  g.paths.cgDir = std::filesystem::path(QV_BUILD_DIR) / "cg";
  g.screen.scene = 0;
  g.battle.battleActive = 1;
  Combatant& e = g.state.enemy();
  e.name = Sjis("サニー・レイニー");
  e.present = 1;
  e.maxHp = e.hp = 80;
  g.state.skills[5].name = Sjis("ファイア");
  g.state.skills[5].description = Sjis(
      "炎の魔法で敵を焼く。火属性の攻撃で、相手に火傷を負わせることがある。燃え上がる炎の力。");
  g.battle.actionSkill = 5;
  Widget& box = g.form[W::battle_box];
  box.rect.left = 460;
  box.rect.top = 8;
  box.visible = true;
  const std::string help = Cp932ToUtf8(ui::SkillHelpLines(g.state, 5)[0]);

  const std::string text = "しすみは毒を受けている 32";
  const std::string cp932 = Utf8ToCp932(text).value();
  const gfx::Font lineFont{gfx::FontFace::Fixed, gfx::PointsToPixels(11), true, 0};
  const gfx::Font helpFont{gfx::FontFace::Fixed, gfx::PointsToPixels(9), true, 0xDDDDDD};
  const int32_t helpX = 455 - gfx::FontLibrary::Shared().Measure(helpFont, help).width;

  std::map<std::string, Worst> worst;  // by log colour name
  for (const std::string& background : BattleBackgrounds()) {
    t.screen.SetSprite(6, gfx::Bitmap());
    t.screen.ShowBackground(g, background);
    ASSERT_FALSE(t.screen.Sprite(6).Empty()) << background << " is missing from the build's cg/";
    // Seven lines a frame; twelve frame counters walk every step of every cycle.
    for (int32_t first = 0; first < 12; first += 7) {
      for (int32_t fc = 0; fc < 12; ++fc) {
        ClearTextLines(g);
        for (int32_t m = 6; m >= 0; --m) {
          const int32_t n = first + m;
          if (n < 12)
            AddLogLine(g, cp932, kLogNames[n]);
          else
            AddTextLine(g, cp932);
        }
        g.screen.frameCounter = fc;
        t.screen.ComposeFrame(g);
        const gfx::Bitmap& frame = t.screen.MainPicture();
        for (int32_t m = 0; m < 7; ++m) {
          const int32_t n = first + m;
          gfx::Font f = lineFont;
          f.color = ui::LineColour(g.text.lines[static_cast<size_t>(m)].colourCode, fc + m, 0);
          const std::string name = n < 12 ? kLogNames[n] : "plain text";
          MeasureText(frame, 2, 337 - 17 * m, f, text,
                      background + " step " + std::to_string(fc + m), worst[name]);
        }
        if (first == 0 && fc == 0) {
          MeasureText(frame, helpX, 8, helpFont, help, background, worst["skill help"]);
        }
      }
    }
  }
  for (const auto& [name, w] : worst) {
    std::cout << "  " << name << ": at least " << w.ratio << ":1 (" << w.where << ")\n";
    EXPECT_GE(w.ratio, kLeastContrast) << name << ", worst at " << w.where;
  }
}

}  // namespace
}  // namespace qv
