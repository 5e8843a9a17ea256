// The game's own catalog reader: the English catalog and small ones in both byte orders read
// as gettext would; every cut and every damaged field is refused with a reason, never read
// past; plural rules choose their forms and a rule that cannot be used falls back to English.
#include "ui/mo_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "files/file_io.h"
#include "ui/catalog.h"

namespace qv {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(QV_SOURCE_DIR) / "fuzz/corpus/catalog";
const std::filesystem::path kEnglish =
    std::filesystem::path(QV_BUILD_DIR) / "locale/en/LC_MESSAGES/qv.mo";

std::string Bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void PutWord(std::string& b, size_t at, uint32_t v) {
  std::memcpy(&b[at], &v, 4);
}
uint32_t Word(const std::string& b, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, &b[at], 4);
  return v;
}

// A catalog of `entries` laid out as msgfmt does, without a hash table.
std::string MakeMo(const std::vector<std::pair<std::string, std::string>>& entries) {
  const auto n = static_cast<uint32_t>(entries.size());
  std::string b(28 + 16 * n, '\0');
  PutWord(b, 0, 0x950412DE);
  PutWord(b, 8, n);
  PutWord(b, 12, 28);
  PutWord(b, 16, 28 + 8 * n);
  for (uint32_t i = 0; i < n; ++i) {
    for (const uint32_t table : {28u, 28 + 8 * n}) {
      const std::string& s = table == 28 ? entries[i].first : entries[i].second;
      PutWord(b, table + 8 * i, static_cast<uint32_t>(s.size()));
      PutWord(b, table + 8 * i + 4, static_cast<uint32_t>(b.size()));
      b += s;
      b += '\0';
    }
  }
  return b;
}

TEST(MoFile, SmallCatalogsReadTheSameInBothByteOrdersAndWithoutAHashTable) {
  for (const char* name : {"small.mo", "small-big-endian.mo", "small-no-hash.mo"}) {
    SCOPED_TRACE(name);
    const Result<ui::MoFile> mo = ui::MoFile::Parse(Bytes(kCorpus / name));
    ASSERT_TRUE(mo.ok()) << mo.message();
    EXPECT_STREQ(mo->Find("逃げる"), "Flee");
    EXPECT_STREQ(mo->Find("白の円盾"), "White Round Shield");
    EXPECT_STREQ(mo->Find("白の円盾", "list"), "W.Round Shield");
    EXPECT_EQ(mo->Find("白の円盾", "shop"), nullptr);
    EXPECT_EQ(mo->Find("踏みつぶす"), nullptr);
    EXPECT_EQ(mo->Find(""), nullptr);  // the header is no text of the game
    EXPECT_STREQ(mo->FindPlural("{n} 点", "{n} 点", 1), "{n} point");
    EXPECT_STREQ(mo->FindPlural("{n} 点", "{n} 点", 0), "{n} points");
    EXPECT_STREQ(mo->FindPlural("{n} 点", "{n} 点", 2), "{n} points");
    // A plural entry asked for as a plain text gives its first form, as gettext does.
    EXPECT_STREQ(mo->Find("{n} 点"), "{n} point");
  }
}

TEST(MoFile, TheEnglishCatalogReadsWhole) {
  const Result<ui::MoFile> mo = ui::MoFile::Parse(Bytes(kEnglish));
  ASSERT_TRUE(mo.ok()) << mo.message();
  EXPECT_GT(mo->size(), 1000u);
  EXPECT_EQ(mo->PluralCount(), 2);
  EXPECT_STREQ(ui::Catalog::Open("en", kEnglish.parent_path().parent_path().parent_path())
                   .Plural("one", "many", 1),
               "one");
  EXPECT_NE(mo->Find("発動"), nullptr);
}

TEST(MoFile, PluralRulesChooseTheirFormsAndBadRulesFallBackToEnglish) {
  const Result<ui::MoFile> slavic = ui::MoFile::Parse(Bytes(kCorpus / "slavic.mo"));
  ASSERT_TRUE(slavic.ok()) << slavic.message();
  EXPECT_EQ(slavic->PluralCount(), 3);
  const std::pair<int64_t, const char*> kForms[] = {
      {1, "{n} raz"},    {2, "{n} razy"}, {4, "{n} razy"},  {5, "{n} razów"},   {11, "{n} razów"},
      {12, "{n} razów"}, {21, "{n} raz"}, {22, "{n} razy"}, {111, "{n} razów"}, {0, "{n} razów"}};
  for (const auto& [n, form] : kForms) EXPECT_STREQ(slavic->FindPlural("{n} 回", "", n), form) << n;

  const Result<ui::MoFile> one = ui::MoFile::Parse(Bytes(kCorpus / "one-form.mo"));
  ASSERT_TRUE(one.ok()) << one.message();
  for (const int64_t n : {0, 1, 2, 1000}) EXPECT_EQ(one->PluralIndex(n), 0);

  // The same catalog with other rules written over the header's (padded to its length).
  const std::string base = Bytes(kCorpus / "small.mo");
  const std::string rule = "nplurals=2; plural=(n != 1);";
  const size_t at = base.find(rule);
  ASSERT_NE(at, std::string::npos);
  auto withRule = [&](std::string r) {
    r.resize(rule.size(), ' ');
    std::string b = base;
    b.replace(at, rule.size(), r);
    return ui::MoFile::Parse(b);
  };
  struct Case {
    const char* rule;
    int32_t forms;
    int32_t for0, for1, for7;
  };
  const Case kCases[] = {
      {"nplurals=2; plural=n>1;", 2, 0, 0, 1},      // French
      {"nplurals=2; plural=n/0;", 2, 1, 0, 1},      // divides by zero: English
      {"nplurals=2; plural=n?2/n:1;", 2, 1, 0, 0},  // the branch not taken never divides
      {"nplurals=2; plural=(((n;", 2, 1, 0, 1},     // unreadable: English
      {"nplurals=2; plural=n+5;", 2, 1, 0, 1},      // past the forms: English
      {"nplurals=0; plural=0;", 2, 1, 0, 1},        // no forms at all
      {"nplurals=99; plural=n%3;", 2, 1, 0, 1},     // too many forms
      {"nplurals=2; plural=!!!!!!!!n", 2, 0, 1, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.rule);
    const Result<ui::MoFile> mo = withRule(c.rule);
    ASSERT_TRUE(mo.ok()) << mo.message();
    EXPECT_EQ(mo->PluralCount(), c.forms);
    EXPECT_EQ(mo->PluralIndex(0), c.for0);
    EXPECT_EQ(mo->PluralIndex(1), c.for1);
    EXPECT_EQ(mo->PluralIndex(7), c.for7);
  }
  // French's rule in brackets: read while the nesting is that of a real rule; past that it is
  // refused (English's says 0 is plural), however deep, without running out of stack.
  auto nested = [](int depth) {
    const std::string header =
        "Content-Type: text/plain; charset=UTF-8\nPlural-Forms: nplurals=2; "
        "plural=" +
        std::string(depth, '(') + "n>1" + std::string(depth, ')') + ";\n";
    return ui::MoFile::Parse(MakeMo({{"", header}}));
  };
  EXPECT_EQ(nested(30)->PluralIndex(0), 0);
  EXPECT_EQ(nested(100)->PluralIndex(0), 1);
  EXPECT_EQ(nested(100000)->PluralIndex(0), 1);
}

TEST(MoFile, EveryCutOfACatalogIsRefused) {
  const std::string whole = Bytes(kCorpus / "small.mo");
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    const Result<ui::MoFile> mo = ui::MoFile::Parse(whole.substr(0, cut));
    EXPECT_FALSE(mo.ok()) << "cut at " << cut;
    EXPECT_FALSE(mo.message().empty());
  }
  const std::string english = Bytes(kEnglish);
  std::mt19937 rng(30);
  for (int i = 0; i < 40; ++i) {
    const size_t cut = std::uniform_int_distribution<size_t>(0, english.size() - 1)(rng);
    EXPECT_FALSE(ui::MoFile::Parse(english.substr(0, cut)).ok()) << "cut at " << cut;
  }
}

TEST(MoFile, DamagedFieldsAreRefusedWithTheirReason) {
  const std::string good = Bytes(kCorpus / "small.mo");
  const uint32_t originals = Word(good, 12), hashSize = Word(good, 20), hashAt = Word(good, 24);
  struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
    const char* reason;
  };
  const Damage kDamage[] = {
      {"magic", 0, 0x12345678, "magic"},
      {"revision", 4, 2u << 16, "revision"},
      {"count", 8, 0x10000000, "runs past the end"},
      {"table of texts", 12, 0xFFFFFFF0, "runs past the end"},
      {"table of translations", 16, 0x7FFFFFFF, "runs past the end"},
      {"hash size", 20, 3, "fewer places"},
      {"hash table", 24, 0xFFFFFFFF, "runs past the end"},
      {"a length", originals + 8, 0xFFFFFFFF, "runs past the end"},
      {"an offset", originals + 12, 0xFFFFFFF0, "runs past the end"},
      {"an offset off by one", originals + 12, Word(good, originals + 12) + 1, "NUL"},
      {"a hash entry", hashAt, 77, "names a text"},
  };
  for (const Damage& d : kDamage) {
    SCOPED_TRACE(d.what);
    std::string b = good;
    PutWord(b, d.at, d.value);
    const Result<ui::MoFile> mo = ui::MoFile::Parse(b);
    ASSERT_FALSE(mo.ok());
    EXPECT_NE(mo.message().find(d.reason), std::string::npos) << mo.message();
  }
  // A hash table emptied of its entries leads nowhere.
  std::string empty = good;
  for (uint32_t i = 0; i < hashSize; ++i) PutWord(empty, hashAt + i * 4, 0);
  EXPECT_NE(ui::MoFile::Parse(empty).message().find("hash table"), std::string::npos);
  // A translation that is not UTF-8 would reach the font engine.
  std::string latin1 = good;
  latin1.replace(latin1.find("Flee"), 4, "Fl\xE9\xE9");
  EXPECT_NE(ui::MoFile::Parse(latin1).message().find("UTF-8"), std::string::npos);
  std::string charset = good;
  charset.replace(charset.find("charset=UTF-8"), 13, "charset=EUCJP");
  EXPECT_NE(ui::MoFile::Parse(charset).message().find("UTF-8"), std::string::npos);
}

TEST(MoFile, ATextFoundOutlivesTheCatalogItCameFrom) {
  const char* kept = nullptr;
  ui::Catalog copy;
  {
    Result<ui::Catalog> c = ui::Catalog::FromBytes("en", Bytes(kCorpus / "small.mo"));
    ASSERT_TRUE(c.ok());
    copy = *c;
    kept = c->Find("逃げる");
  }
  EXPECT_STREQ(kept, "Flee");  // the sanitizer build reads freed memory here if it is not kept
  EXPECT_STREQ(copy.Plural("{n} 点", "{n} 点", 5), "{n} points");
  EXPECT_STREQ(ui::Catalog().Plural("one", "many", 5), "many");
}

}  // namespace
}  // namespace qv
