// The status panel over the main picture: the skill help, the score block, the player's line,
// numbers and bars at the bottom left, and the enemy's at the top left while it stands.
#include <algorithm>
#include <array>
#include <string>

#include "core/message.h"
#include "core/text.h"
#include "ui/frame_rules.h"
#include "ui/surfaces.h"

namespace qv::ui {
namespace {

constexpr gfx::Color kWhite = 0xFFFFFF;
constexpr gfx::Color kHarmful = 0xFF2233;
constexpr gfx::Color kHelpful = 0x22AAFF;

// The help is cut into lines of 50 bytes; another language wraps it between words at the
// width those bytes take, as many lines as it needs.
constexpr int32_t kHelpLineBytes = 50;
// The help never gets narrower than this beside the enemy's line.
constexpr int32_t kNarrowestHelp = 160;

}  // namespace

std::vector<std::string> SkillHelpRows(const Game& g, Surfaces& s, gfx::Canvas& c) {
  c.font.height = gfx::PointsToPixels(9);
  std::vector<std::string> lines;
  if (!s.tr.Active()) {
    for (const std::string& l : SkillHelpLines(g.state, g.battle.actionSkill))
      lines.push_back(s.text.Utf8(l));
    return lines;
  }
  const int32_t id = g.battle.actionSkill;
  if (id < 0 || id >= kPerId) return lines;
  const SkillDef& skill = g.state.skills[static_cast<size_t>(id)];
  if (!skill.description.empty()) {
    int32_t width = c.TextWidth(std::string(kHelpLineBytes, '0'));
    // Beside a long enemy name (and its status tags) the help takes narrower rows, so the two
    // never run into each other.
    const Combatant& e = g.state.enemy();
    if (g.battle.battleActive == 1 && !e.name.empty() && e.present > 0) {
      const int32_t help = c.font.height;
      const int32_t room = kHelpRight - kHelpGap - EnemyLineRight(g, s, c);
      c.font.height = help;
      width = std::min(width, std::max(room, kNarrowestHelp));
    }
    lines = s.tr.Wrapped(c, s.tr.Shown(g, skill.description), width);
  }
  lines.push_back(
      s.tr.Format(g, kSkillLevelLine,
                  {Arg("level", SkillLevelText(g.state.skillLevel[static_cast<size_t>(id)])),
                   Count("uses", g.state.skillUses[static_cast<size_t>(id)])}));
  // An enemy line longer still (a long name under many status tags) keeps the top row to
  // itself: the help starts a row lower.
  const Combatant& e = g.state.enemy();
  if (g.battle.battleActive == 1 && !e.name.empty() && e.present > 0) {
    const int32_t first = c.TextWidth(lines.front());
    const int32_t help = c.font.height;
    if (EnemyLineRight(g, s, c) + kHelpGap > kHelpRight - first) lines.insert(lines.begin(), "");
    c.font.height = help;
  }
  return lines;
}

namespace {

void DrawSkillHelp(Game& g, FrameCanvas& f) {
  gfx::Canvas& c = f.cg;
  c.font.color = 0xDDDDDD;
  const std::vector<std::string> lines = SkillHelpRows(g, f.s, c);
  for (size_t i = 0; i < lines.size(); ++i) {
    f.Outlined(c, kHelpRight - c.TextWidth(lines[i]),
               kHelpTop + kHelpRowHeight * static_cast<int32_t>(i), lines[i]);
  }
}

void DrawScoreBlock(Game& g, FrameCanvas& f) {
  gfx::Canvas& c = f.cg;
  const GameState& s = g.state;
  f.Size(c, 8);
  const std::string& label = Sjis("得点");
  const int32_t labelWidth = f.SayWidth(c, label);
  f.Say(c, 2, 9, label);
  f.Size(c, 15);
  const std::string score = Num(s.score);
  f.OutlinedText(c, labelWidth + 3, 2, score);
  const int32_t scoreWidth = f.Width(c, score);
  f.Size(c, 8);
  f.Say(c, labelWidth + 3 + scoreWidth + 5, 9, Sjis("点"));
  const std::string line =
      g.frame.mapShown == 0
          ? f.s.tr.Format(g, "距離 > {depth}m地点 (最高: {best}m)",
                          {Arg("depth", s.depth), Arg("best", s.maxDistance)})
          : f.s.tr.Format(g, "ロード回数 > {loads}回", {Arg("loads", s.loadCount)});
  f.Outlined(c, 2, 24, line);
}

// Harmful tags at x, helpful ones right after them.
// The tags of a side as the player reads them (UTF-8), one after the other.
std::string TagsShown(FrameCanvas& f, const Combatant& who, bool harmful) {
  if (!f.s.tr.Active()) return f.s.text.Utf8(StatusTags(who, harmful));
  std::string out;
  for (const char* t : StatusTagTexts(who, harmful)) out += f.s.tr.Own(t);
  return out;
}

void DrawTags(FrameCanvas& f, const Combatant& who, int32_t x, int32_t harmfulY, int32_t helpfulY) {
  gfx::Canvas& c = f.cg;
  f.Size(c, 10);
  const std::string harmful = TagsShown(f, who, true);
  int32_t next = x;
  if (!harmful.empty()) {
    c.font.color = kHarmful;
    f.Outlined(c, x, harmfulY, harmful);
    next += c.TextWidth(harmful) + 2;
  }
  const std::string helpful = TagsShown(f, who, false);
  if (!helpful.empty()) {
    c.font.color = kHelpful;
    f.Outlined(c, next, helpfulY, helpful);
  }
}

// A small label and its value beside it, `gap` pixels after the label's width.
void NumberRow(FrameCanvas& f, int32_t x, int32_t labelY, std::string_view label, int32_t gap,
               int32_t valueSize, int32_t valueY, const std::string& value, int32_t labelSize = 8) {
  gfx::Canvas& c = f.cg;
  c.font.color = kWhite;
  f.Size(c, labelSize);
  f.Say(c, x + 2, labelY, label);
  const int32_t w = f.SayWidth(c, label);
  f.Size(c, valueSize);
  f.Outlined(c, x + w + gap, valueY, value);
}

// A number with its unit ("12％", "340円") as the player reads it.
std::string Amount(FrameCanvas& f, const char* utf8Template, int32_t n) {
  return f.s.tr.Format(f.g, utf8Template, {Arg("n", n)});
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
  const std::string lv =
      Sjis(" Lv ") + Num(p.level) + " exp " + Num(p.exp) + "/" + Num(p.level * 10 + 100);
  f.OutlinedText(c, nameWidth + 2, 372, lv);
  DrawTags(f, p, nameWidth + f.Width(c, lv) + 7, 370, 370);

  NumberRow(f, 0, 392, "HP", 4, 11, 387, Num(p.hp) + "/" + Num(p.maxHp));
  NumberRow(f, 0, 415, "MP", 6, 9, 412, Num(p.mp) + "/" + Num(p.maxMp));
  NumberRow(f, 0, 435, "TP", 6, 8, 435, Amount(f, "{n}％", p.tp));
  NumberRow(f, 0, 465, Sjis("おさいふ"), 6, 9, 465, Amount(f, "{n}円", g.state.money), 9);

  DrawBar(c, 0, 407, 100, p.hp, p.maxHp, BarColours(Bar::Hp, p, fc, true));
  DrawBar(c, 0, 429, 70, p.mp, p.maxMp, BarColours(Bar::Mp, p, fc, true));
  DrawBar(c, 0, 451, 60, p.tp, p.maxTp, BarColours(Bar::Tp, p, fc, true));
}

}  // namespace

int32_t EnemyLineRight(const Game& g, Surfaces& s, gfx::Canvas& c) {
  const Combatant& e = g.state.enemy();
  c.font.height = gfx::PointsToPixels(10);
  const int32_t nameWidth = c.TextWidth(s.tr.Shown(g, e.name));
  c.font.height = gfx::PointsToPixels(8);
  const int32_t tagWidth = c.TextWidth(std::string(" ") + s.tr.Own(ElementTagText(e.element)));
  c.font.height = gfx::PointsToPixels(10);
  int32_t right = 2 + nameWidth + tagWidth + 4;
  for (bool harmful : {true, false}) {
    std::string tags;
    for (const char* t : StatusTagTexts(e, harmful))
      tags += s.tr.Active() ? std::string(s.tr.Own(t)) : s.text.Utf8(Sjis(t));
    if (!tags.empty()) right += c.TextWidth(tags) + (harmful ? 2 : 0);
  }
  return right;
}

namespace {

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
  f.Say(c, dx + 2, dy + 2, e.name);
  const int32_t nameWidth = f.SayWidth(c, e.name);
  f.Size(c, 8);
  const std::string tag = std::string(" ") + f.s.tr.Own(ElementTagText(e.element));
  f.Outlined(c, dx + nameWidth + 2, dy + 5, tag);
  DrawTags(f, e, dx + nameWidth + c.TextWidth(tag) + 4, dy + 3, dy + 2);

  NumberRow(f, dx, dy + 22, "HP", 4, 11, dy + 17, Num(e.hp) + "/" + Num(e.maxHp));
  NumberRow(f, dx, dy + 45, "MP", 6, 9, dy + 42, Num(e.mp) + "/" + Num(e.maxMp));
  NumberRow(f, dx, dy + 65, "TP", 6, 8, dy + 65, Amount(f, "{n}％", e.tp));

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
