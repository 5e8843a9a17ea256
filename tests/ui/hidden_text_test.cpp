// The run's check of what a panel hides: a text line running under the battle's skill list,
// in Japanese as pushed and in English as laid out again, and the enemy's line running into
// the skill help.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text_lines.h"
#include "ui/catalog.h"
#include "ui/translator.h"
#include "ui_fixture.h"

namespace qv::ui {
namespace {

std::string Joined(const std::vector<std::string>& problems) {
  std::string out;
  for (const std::string& p : problems) out += p + "\n";
  return out;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& what) {
  return std::any_of(problems.begin(), problems.end(),
                     [&](const std::string& p) { return p.find(what) != std::string::npos; });
}

void ShowSkillList(Game& g) {
  Widget& box = g.form[W::battle_box];
  box.rect.left = 460;
  box.rect.top = 8;
  box.visible = true;
}

TEST(HiddenTexts, AJapaneseLineUnderTheSkillListIsReportedOnlyWhileTheListIsUp) {
  testing::UiGame t;
  testing::SetUpBattle(t);
  Game& g = t.g();
  // 32 full-width characters: two of them stand under the list.
  AddTextLine(g, Sjis("奥博士「君の記憶も、どこかで虫が食べてしまったのかもしれないね」"));
  AddTextLine(g, Sjis("山男が襲ってきた!!"));
  EXPECT_TRUE(t.screen.TextProblems(g).empty());
  ShowSkillList(g);
  const std::vector<std::string> problems = t.screen.TextProblems(g);
  ASSERT_EQ(problems.size(), 1u) << Joined(problems);
  EXPECT_TRUE(Mentions(problems, "奥博士")) << problems[0];
}

TEST(HiddenTexts, EnglishWrapsLeftOfTheSkillListAndTheEnemyLineKeepsClearOfTheHelp) {
  testing::UiGame t;
  testing::SetUpBattle(t);
  Game& g = t.g();
  t.screen.SetCatalog(Catalog::Open("en", std::filesystem::path(QV_BUILD_DIR) / "locale"));
  g.text.composed.enabled = true;
  ASSERT_TRUE(t.screen.Texts().Active());
  AddTextLine(g, Sjis("奥博士「君の記憶も、どこかで虫が食べたのかもしれないね」"));
  g.state.enemy().name = Sjis("海神・魔獣・時数露不");
  // Every harmful tag at once makes the enemy's line as long as it gets.
  Combatant& e = g.state.enemy();
  e.st_poison = e.st_paralysis = e.st_atkDown = e.st_defDown = e.st_burn = 3;
  g.battle.actionSkill = 1;
  ShowSkillList(g);
  const std::vector<std::string> problems = t.screen.TextProblems(g);
  EXPECT_FALSE(Mentions(problems, "under the panel")) << Joined(problems);
  EXPECT_FALSE(Mentions(problems, "runs into the skill help")) << Joined(problems);
}

}  // namespace
}  // namespace qv::ui
