// English where the room is tight, measured with the game's own fonts: every enemy title in
// every template that names a side, the enemy's line beside the skill help, and every short
// list form beside the longest prefix its list gives a row.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/message.h"
#include "core/text.h"
#include "gfx/canvas.h"
#include "gfx/fonts.h"
#include "support/fake_host.h"
#include "ui/catalog.h"
#include "ui/surfaces.h"
#include "ui/translator.h"
#include "world/encounter_table.h"

namespace qv::ui {
namespace {

const std::filesystem::path kSource(QV_SOURCE_DIR);

struct English {
  testing::TestGame t;
  TextCache cache;
  Translator tr{cache};
  gfx::Bitmap scratch{8, 8};
  gfx::Canvas c{scratch, gfx::FontLibrary::Shared()};
  English() {
    tr.SetCatalog(Catalog::Open("en", std::filesystem::path(QV_BUILD_DIR) / "locale"));
    t.g().text.composed.enabled = true;
  }
  int32_t Width(gfx::FontFace face, int32_t px, const std::string& utf8) {
    c.font = {face, px, true, 0xFFFFFF};
    return c.TextWidth(utf8);
  }
};

// The msgids of the template (one line each is enough for ours) and the msgstr lines of en.po
// that follow a msgctxt "list", with the note above them; escapes turned back into bytes.
struct PoLine {
  std::string note, text;
};
std::string Unescaped(std::string_view q) {
  std::string out;
  for (size_t i = 0; i < q.size(); ++i) {
    if (q[i] == '\\' && i + 1 < q.size()) {
      const char e = q[++i];
      out += e == 'r' ? '\r' : e == 'n' ? '\n' : e;
    } else {
      out += q[i];
    }
  }
  return out;
}
std::vector<PoLine> Lines(const std::filesystem::path& po, const std::string& after) {
  std::ifstream in(po);
  std::vector<PoLine> out;
  std::string line, note;
  bool armed = after.empty();
  while (std::getline(in, line)) {
    if (line.starts_with("#. ")) note = line.substr(3);
    if (!after.empty() && line == after) armed = true;
    const std::string key = after.empty() ? "msgid \"" : "msgstr \"";
    if (armed && line.starts_with(key) && line.size() > key.size() + 1) {
      out.push_back({note, Unescaped(std::string_view(line).substr(key.size(),
                                                                   line.size() - key.size() - 1))});
      armed = after.empty();
      note.clear();
    }
  }
  return out;
}

TEST(EnglishFit, EnemyTitlesReadInEveryTemplateThatNamesASide) {
  English e;
  Game& g = e.t.g();
  // Room for a text line while the skill list is up, as the lines are laid out then.
  const int32_t room = 460 - kLineX - kLineLabelEnd;
  std::vector<std::string> templates;
  for (const PoLine& l : Lines(kSource / "po/qv.pot", ""))
    for (const char* key : {"{who}", "{T}", "{X}"})
      if (l.text.find(key) != std::string::npos) templates.push_back(l.text);
  ASSERT_GT(templates.size(), 50u);
  for (const world::EnemyVariant& v : world::Variants()) {
    const std::string& title = e.tr.Shown(g, Sjis(v.name));
    // A title stands in the middle of sentences: "Hikaru, Now's turn" reads as two things.
    EXPECT_EQ(title.find_first_of(",:;"), std::string::npos) << title;
    // The enemy's line with its widest element tag leaves the help its narrowest rows.
    const int32_t line = e.Width(kGothic, gfx::PointsToPixels(10), title) +
                         e.Width(kGothic, gfx::PointsToPixels(8), " <Water>");
    EXPECT_LE(line, 291) << title;
    for (const std::string& templ : templates) {
      std::string shown = e.tr.Format(
          g, templ.c_str(),
          {Term("who", Sjis(v.name)), Term("T", Sjis(v.name)), Term("X", Sjis(v.name))});
      e.c.font = {kGothic, gfx::PointsToPixels(11), true, 0xFFFFFF};
      e.tr.Wrapped(e.c, shown, room);
      EXPECT_TRUE(e.tr.TakeCutTexts().empty()) << shown;
    }
  }
  for (const std::string& miss : e.tr.TakeMisses()) ADD_FAILURE() << "no translation: " << miss;
}

TEST(EnglishFit, ListFormsFitBesideTheLongestPrefixOfTheirList) {
  English e;
  // The item list shows 15-pixel fixed letters in 225 pixels less its margin and scroll bar;
  // the battle's list 15-pixel proportional ones in 165 less its margin and scroll bar.
  const int32_t itemRoom = 225 - 2 - kListScrollWidth;
  const int32_t battleRoom = 165 - 6 - kListScrollWidth;
  int checked = 0;
  for (const PoLine& l : Lines(kSource / "po/en.po", "msgctxt \"list\"")) {
    ++checked;
    const bool skill = l.note.find("skill") != std::string::npos;
    // A count of ten or more ("12 ") before an item; " MAX " before a skill.
    const std::string row = (skill ? " MAX " : "12 ") + l.text;
    EXPECT_LE(e.Width(kGothic, 15, row), itemRoom) << row;
    if (skill) EXPECT_LE(e.Width(kPGothic, 15, l.text), battleRoom) << l.text;
  }
  EXPECT_GT(checked, 300);
}

}  // namespace
}  // namespace qv::ui
