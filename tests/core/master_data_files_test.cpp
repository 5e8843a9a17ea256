#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/embedded.h"
#include "core/master_data.h"
#include "core/master_tables.h"
#include "core/text.h"

namespace qv {
namespace {

TEST(RareTextFile, ParserSkipsWhatItCannotUse) {
  const std::string text =
      "\xEF\xBB\xBF# comment|with|bars\r\n"
      "500|名前|最初の文\r\n"
      "\n"
      "   \t\n"
      "501|名前|文に|棒がある\n"
      "abc|名前|数でない\n"
      "12x|名前|数のあとに字\n"
      "-1|名前|負\n"
      "1000|名前|大きすぎる\n"
      "99999999999|名前|あふれる\n"
      "502|棒が一本だけ\n"
      "503|名前|   \n"
      "|名前|番号なし\n"
      " 504 | 余白 |  前後の余白  ";
  const std::vector<master::RareText> got = master::ParseRareTexts(text);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].id, 500);
  EXPECT_EQ(got[0].name, "名前");
  EXPECT_EQ(got[0].text, "最初の文");
  EXPECT_EQ(got[1].id, 501);
  EXPECT_EQ(got[1].text, "文に|棒がある");
  EXPECT_EQ(got[2].id, 504);
  EXPECT_EQ(got[2].name, "余白");
  EXPECT_EQ(got[2].text, "前後の余白");
  EXPECT_TRUE(master::ParseRareTexts("").empty());
  EXPECT_TRUE(master::ParseRareTexts("500|a|b").size() == 1);  // no line end at all
}

TEST(RareTextFile, CoversEveryRareItemByItsOwnName) {
  auto s = std::make_unique<GameState>();
  FillMasterData(*s);
  const std::vector<master::RareText> texts =
      master::ParseRareTexts(EmbeddedText("rare_items.txt"));
  std::set<int32_t> ids;
  for (const master::RareText& t : texts) {
    SCOPED_TRACE(t.id);
    EXPECT_TRUE(ids.insert(t.id).second) << "twice in the file";
    const ItemDef& item = s->items[static_cast<size_t>(t.id)];
    EXPECT_EQ(item.kind, kKindRare);
    const std::optional<std::string> name = Utf8ToCp932(t.name);
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, item.name);
    const std::optional<std::string> cp932 = Utf8ToCp932(t.text);
    ASSERT_TRUE(cp932.has_value());
    EXPECT_EQ(*cp932, item.description);  // used whole, never cut
  }
  EXPECT_EQ(ids.size(), 44u);
}

std::vector<std::string> SplitLines(std::string_view text, std::string_view end) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t at = text.find(end);
    if (at == std::string_view::npos) {
      lines.emplace_back(text);
      break;
    }
    lines.emplace_back(text.substr(0, at));
    text.remove_prefix(at + end.size());
  }
  return lines;
}

TEST(NameList, SourceHoldsDistinctShortNames) {
  const std::vector<std::string> names = SplitLines(EmbeddedText("names.txt"), "\n");
  ASSERT_EQ(names.size(), static_cast<size_t>(kRandomNames));
  std::set<std::string> distinct;
  for (const std::string& n : names) {
    SCOPED_TRACE(n);
    const std::optional<std::string> cp932 = Utf8ToCp932(n);
    ASSERT_TRUE(cp932.has_value());
    EXPECT_FALSE(cp932->empty());
    EXPECT_LE(cp932->size(), 16u);  // fits the enemy panel beside its element tag
    distinct.insert(n);
  }
  EXPECT_EQ(distinct.size(), names.size());
}

TEST(NameList, BuildWritesNameDatInCp932WithCrLf) {
  const std::string path = std::string(QV_BUILD_DIR) + "/dat/name.dat";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " is missing: build the texts_names target";
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(bytes.ends_with("\r\n"));
  const std::vector<std::string> lines = SplitLines(bytes, "\r\n");
  ASSERT_EQ(lines.size(), static_cast<size_t>(kRandomNames));
  const std::vector<std::string> source = SplitLines(EmbeddedText("names.txt"), "\n");
  ASSERT_EQ(source.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].find('\n'), std::string::npos) << i;
    EXPECT_TRUE(IsValidCp932(lines[i])) << i;
    EXPECT_EQ(lines[i], Utf8ToCp932(source[i]).value_or("")) << i;
  }
}

}  // namespace
}  // namespace qv
