// Checks of a translation on the screen as it stands: every caption, list row, text line and
// the status panel's lines laid out as the frame lays them out, and what does not fit (a
// caption or row too wide, a word of a text line or skill help wider than its line), or has no
// translation, named.
#include <algorithm>

#include "core/text.h"
#include "ui/frame_rules.h"
#include "ui/surfaces.h"
#include "ui/widget_text.h"

namespace qv::ui {
namespace {

std::string Quote(const std::string& utf8) {
  return "'" + utf8 + "'";
}

void AuditCaption(const Game& g, Surfaces& s, gfx::Canvas& c, W id, std::vector<std::string>& out) {
  const Widget& w = g.form[id];
  if (w.caption.empty()) return;
  const Rect r = AbsoluteRect(g.form, id);
  c.font = WidgetFont(w);
  const std::string& text = s.tr.Shown(g, w.caption);
  const std::vector<std::string> lines =
      FitLines(c, text, r.width, r.height, SmallestCaptionFont(w));
  bool cut = false;
  for (const std::string& l : lines) cut = cut || (!l.empty() && text.find(l) == std::string::npos);
  if (!LinesFit(c, lines, r.width, r.height) || cut) {
    out.push_back("the caption of " + std::string(w.name) + " " + Quote(text) + " does not fit " +
                  std::to_string(r.width) + "x" + std::to_string(r.height));
  }
}

void AuditList(const Game& g, Surfaces& s, gfx::Canvas& c, W id, std::vector<std::string>& out) {
  const Widget& w = g.form[id];
  const Rect r = AbsoluteRect(g.form, id);
  c.font = WidgetFont(w);
  const bool scrolls = static_cast<int32_t>(w.lines.size()) > ListVisibleRows(g.form, id);
  const int32_t left = id == W::battle_list ? 6 : 2;
  const int32_t room = r.width - left - (scrolls ? kListScrollWidth : 0);
  for (const std::string& line : w.lines) {
    const std::string& row = s.tr.Row(g, line);
    if (c.TextWidth(row) > room) {
      out.push_back("a row of " + std::string(w.name) + " " + Quote(row) + " is wider than " +
                    std::to_string(room) + " pixels");
    }
  }
}

// The status panel's top lines: the enemy's name, element and tags; the player's line.
void AuditPanel(const Game& g, Surfaces& s, gfx::Canvas& c, std::vector<std::string>& out) {
  c.font = {kGothic, gfx::PointsToPixels(10), true, 0xFFFFFF};
  const auto tags = [&](const Combatant& who) {
    std::string t;
    for (bool harmful : {true, false})
      for (const char* tag : StatusTagTexts(who, harmful)) t += s.tr.Own(tag);
    return t;
  };
  const Combatant& e = g.state.enemy();
  if (g.battle.battleActive == 1 && !e.name.empty() && e.present > 0) {
    const std::string line =
        s.tr.Shown(g, e.name) + " " + s.tr.Own(ElementTagText(e.element)) + tags(e);
    if (c.TextWidth(line) > kPanelWidth)
      out.push_back("the enemy's line " + Quote(line) + " is too wide");
  }
}

// A row of the text lines whose glyphs run on under a panel (the battle's skill list).
void AuditCoveredLines(const Game& g, Surfaces& s, gfx::Canvas& c, std::vector<std::string>& out) {
  c.font = {kGothic, gfx::PointsToPixels(11), true, 0xFFFFFF};
  const int32_t right = VisibleLinesRight(g);
  for (const LineRow& r : ShownLineRows(g, s, c)) {
    const int32_t end = kLineX + c.TextWidth(r.utf8);
    if (end > right) {
      out.push_back("the text line " + Quote(r.utf8) + " runs " + std::to_string(end - right) +
                    " pixels under the panel at x " + std::to_string(right));
    }
  }
}

// The enemy's name line and the first row of the skill help share the top of the picture.
void AuditEnemyLine(const Game& g, Surfaces& s, gfx::Canvas& c, std::vector<std::string>& out) {
  const Combatant& e = g.state.enemy();
  if (!IsShown(g.form, W::battle_box) || g.battle.battleActive != 1 || e.name.empty() ||
      e.present <= 0)
    return;
  c.font = {kGothic, gfx::PointsToPixels(9), true, 0xFFFFFF};
  const std::vector<std::string> help = SkillHelpRows(g, s, c);
  if (help.empty() || help.front().empty()) return;
  const int32_t helpLeft = kHelpRight - c.TextWidth(help.front());
  const int32_t enemyRight = EnemyLineRight(g, s, c);
  if (enemyRight + kHelpGap > helpLeft) {
    out.push_back("the enemy's line " + Quote(s.tr.Shown(g, e.name)) +
                  " runs into the skill help " + Quote(help.front()));
  }
}

}  // namespace

std::vector<std::string> AuditHiddenTexts(const Game& g, Surfaces& s) {
  std::vector<std::string> out;
  gfx::Bitmap scratch(8, 8);
  gfx::Canvas c(scratch, *s.fonts);
  if (g.screen.scene >= 0) {
    AuditCoveredLines(g, s, c, out);
    AuditEnemyLine(g, s, c, out);
  }
  return out;
}

std::vector<std::string> AuditTexts(const Game& g, Surfaces& s) {
  std::vector<std::string> out;
  gfx::Bitmap scratch(8, 8);
  gfx::Canvas c(scratch, *s.fonts);
  for (int i = 0; i < kWidgetCount; ++i) {
    const W id = static_cast<W>(i);
    if (!IsShown(g.form, id)) continue;
    switch (g.form[id].kind) {
      case WidgetKind::Label:
      case WidgetKind::LabelButton:
      case WidgetKind::Button:
        AuditCaption(g, s, c, id, out);
        break;
      case WidgetKind::ListBox:
        AuditList(g, s, c, id, out);
        break;
      default:
        break;
    }
  }
  if (g.screen.scene >= 0) AuditPanel(g, s, c, out);
  for (const std::string& miss : s.tr.TakeMisses())
    out.push_back("no translation for " + Quote(miss));
  for (const std::string& text : s.tr.TakeCutTexts())
    out.push_back("a word of " + Quote(text) + " is wider than its line and was cut");
  return out;
}

}  // namespace qv::ui
