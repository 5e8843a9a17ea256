// The status panel over the main picture: the skill help, the score block, the player's line,
// numbers and bars at the bottom left, and the enemy's at the top left while it stands.
#include <array>
#include <string>

#include "core/text.h"
#include "ui/frame_rules.h"
#include "ui/surfaces.h"

namespace qv::ui {
namespace {

constexpr gfx::Color kWhite = 0xFFFFFF;
constexpr gfx::Color kHarmful = 0xFF2233;
constexpr gfx::Color kHelpful = 0x22AAFF;

void DrawSkillHelp(Game& g, FrameCanvas& f) {
  const std::array<std::string, 3> lines = SkillHelpLines(g.state, g.battle.actionSkill);
  gfx::Canvas& c = f.cg;
  f.Size(c, 9);
  c.font.color = 0xDDDDDD;
  for (int i = 0; i < 3; ++i) {
    f.OutlinedText(c, 455 - f.Width(c, lines[i]), 8 + 14 * i, lines[i]);
  }
}

void DrawScoreBlock(Game& g, FrameCanvas& f) {
  gfx::Canvas& c = f.cg;
  const GameState& s = g.state;
  f.Size(c, 8);
  const std::string& label = Sjis("得点");
  const int32_t labelWidth = f.Width(c, label);
  f.OutlinedText(c, 2, 9, label);
  f.Size(c, 15);
  const std::string score = Num(s.score);
  f.OutlinedText(c, labelWidth + 3, 2, score);
  const int32_t scoreWidth = f.Width(c, score);
  f.Size(c, 8);
  f.OutlinedText(c, labelWidth + 3 + scoreWidth + 5, 9, Sjis("点"));
  const std::string line = g.frame.mapShown == 0
      ? Sjis("距離 > ") + Num(s.depth) + Sjis("m地点 (最高: ") + Num(s.maxDistance) + "m)"
      : Sjis("ロード回数 > ") + Num(s.loadCount) + Sjis("回");
  f.OutlinedText(c, 2, 24, line);
}

// Harmful tags at x, helpful ones right after them.
void DrawTags(FrameCanvas& f, const Combatant& who, int32_t x, int32_t harmfulY, int32_t helpfulY) {
  gfx::Canvas& c = f.cg;
  f.Size(c, 10);
  const std::string harmful = StatusTags(who, true);
  int32_t next = x;
  if (!harmful.empty()) {
    c.font.color = kHarmful;
    f.OutlinedText(c, x, harmfulY, harmful);
    next += f.Width(c, harmful) + 2;
  }
  const std::string helpful = StatusTags(who, false);
  if (!helpful.empty()) {
    c.font.color = kHelpful;
    f.OutlinedText(c, next, helpfulY, helpful);
  }
}

// A small label and its value beside it, `gap` pixels after the label's width.
void NumberRow(FrameCanvas& f, int32_t x, int32_t labelY, std::string_view label, int32_t gap,
               int32_t valueSize, int32_t valueY, const std::string& value, int32_t labelSize = 8) {
  gfx::Canvas& c = f.cg;
  c.font.color = kWhite;
  f.Size(c, labelSize);
  f.OutlinedText(c, x + 2, labelY, label);
  const int32_t w = f.Width(c, label);
  f.Size(c, valueSize);
  f.OutlinedText(c, x + w + gap, valueY, value);
}

void DrawBar(gfx::Canvas& c, int32_t x0, int32_t y, int32_t width, int32_t value, int32_t maximum,
             BarLook look) {
  Paint(c, look.background, 4);
  c.Rectangle(x0, y - 2, x0 + width, y + 2);
  Paint(c, look.fill, 4);
  const int32_t fill = BarFill(value, maximum, width);
  c.Rectangle(x0 - 3, y, x0 - 3 + fill, y - 2);
}

void DrawPlayer(Game& g, FrameCanvas& f) {
  gfx::Canvas& c = f.cg;
  const Combatant& p = g.state.player();
  const int32_t fc = g.screen.frameCounter;
  c.font.color = kWhite;
  f.Size(c, 10);
  f.OutlinedText(c, 2, 370, p.name);
  const int32_t nameWidth = f.Width(c, p.name);
  f.Size(c, 8);
  const std::string lv = Sjis(" Lv ") + Num(p.level) + " exp " + Num(p.exp) + "/" +
                         Num(p.level * 10 + 100);
  f.OutlinedText(c, nameWidth + 2, 372, lv);
  DrawTags(f, p, nameWidth + f.Width(c, lv) + 7, 370, 370);

  NumberRow(f, 0, 392, "HP", 4, 11, 387, Num(p.hp) + "/" + Num(p.maxHp));
  NumberRow(f, 0, 415, "MP", 6, 9, 412, Num(p.mp) + "/" + Num(p.maxMp));
  NumberRow(f, 0, 435, "TP", 6, 8, 435, Num(p.tp) + Sjis("％"));
  NumberRow(f, 0, 465, Sjis("おさいふ"), 6, 9, 465, Num(g.state.money) + Sjis("円"), 9);

  DrawBar(c, 0, 407, 100, p.hp, p.maxHp, BarColours(Bar::Hp, p, fc, true));
  DrawBar(c, 0, 429, 70, p.mp, p.maxMp, BarColours(Bar::Mp, p, fc, true));
  DrawBar(c, 0, 451, 60, p.tp, p.maxTp, BarColours(Bar::Tp, p, fc, true));
}

void DrawEnemy(Game& g, FrameCanvas& f) {
  gfx::Canvas& c = f.cg;
  const Combatant& e = g.state.enemy();
  int32_t dx = 0, dy = 0;
  if (g.frame.enemyShake > 0) {
    g.frame.enemyShake -= 1;
    dx = Random(g, 16) - 7;
    dy = Random(g, 16) - 7;
  }
  c.brush.style = gfx::BrushStyle::Clear;
  c.font.color = kWhite;
  f.Size(c, 10);
  f.OutlinedText(c, dx + 2, dy + 2, e.name);
  const int32_t nameWidth = f.Width(c, e.name);
  f.Size(c, 8);
  const std::string tag = " " + ElementTag(e.element);
  f.OutlinedText(c, dx + nameWidth + 2, dy + 5, tag);
  DrawTags(f, e, dx + nameWidth + f.Width(c, tag) + 4, dy + 3, dy + 2);

  NumberRow(f, dx, dy + 22, "HP", 4, 11, dy + 17, Num(e.hp) + "/" + Num(e.maxHp));
  NumberRow(f, dx, dy + 45, "MP", 6, 9, dy + 42, Num(e.mp) + "/" + Num(e.maxMp));
  NumberRow(f, dx, dy + 65, "TP", 6, 8, dy + 65, Num(e.tp) + Sjis("％"));

  // The enemy's TP is always out of 100, and its bars never blink.
  DrawBar(c, dx, dy + 37, 100, e.hp, e.maxHp, BarColours(Bar::Hp, e, 0, false));
  DrawBar(c, dx, dy + 59, 70, e.mp, e.maxMp, BarColours(Bar::Mp, e, 0, false));
  DrawBar(c, dx, dy + 81, 60, e.tp, 100, BarColours(Bar::Tp, e, 0, false));
}

}  // namespace

void DrawStatusPanel(Game& g, FrameCanvas& f) {
  if (g.screen.scene < 0) return;
  gfx::Canvas& c = f.cg;
  c.brush = {0x000000, gfx::BrushStyle::Clear};
  c.font = {kGothic, c.font.height, true, kWhite};
  // The face stays in force for the rest of the frame: the text lines use it too.
  f.Text(c, -10, -10, ".");

  if (g.form[W::battle_box].visible) DrawSkillHelp(g, f);
  c.font.color = kWhite;
  if (g.state.enemy().present == 0) DrawScoreBlock(g, f);
  c.brush.style = gfx::BrushStyle::Clear;
  DrawPlayer(g, f);
  const Combatant& e = g.state.enemy();
  if (g.battle.battleActive == 1 && !e.name.empty() && e.present > 0) DrawEnemy(g, f);
}

}  // namespace qv::ui
