// The translation files of po/: the template must be what potgen writes from today's sources,
// every catalog must pass msgfmt's checks, and English must translate every text of the
// template, with the same placeholders, counts in plural forms and list forms that fit their
// columns.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

const fs::path kPo = fs::path(QV_SOURCE_DIR) / "po";

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct PoEntry {
  std::string context, id, str;
  std::string plural;              // msgid_plural; empty for a text without plural forms
  std::vector<std::string> forms;  // msgstr[0], msgstr[1], ...
  bool fuzzy = false;
  bool obsolete = false;
  std::vector<std::string> notes;
};

std::string Unquote(const std::string& q) {
  std::string out;
  for (size_t i = 1; i + 1 < q.size(); ++i) {
    if (q[i] != '\\') {
      out += q[i];
      continue;
    }
    const char e = q[++i];
    out += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
  }
  return out;
}

// Just enough of the PO format for our files: comments, msgctxt, msgid, msgstr and their
// continuation lines.
std::vector<PoEntry> ReadPo(const fs::path& p) {
  std::vector<PoEntry> out;
  PoEntry e;
  std::string* field = nullptr;
  bool any = false;
  auto finish = [&] {
    if (any) out.push_back(e);
    e = PoEntry{};
    field = nullptr;
    any = false;
  };
  std::istringstream in(ReadAll(p));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) {
      finish();
      continue;
    }
    if (line.starts_with("#~")) {
      e.obsolete = true;
      any = true;
    } else if (line.starts_with("#,")) {
      e.fuzzy = e.fuzzy || line.find("fuzzy") != std::string::npos;
    } else if (line.starts_with("#.")) {
      e.notes.push_back(line.substr(3));
    } else if (line.starts_with("#")) {
    } else if (line.starts_with("msgctxt ")) {
      field = &e.context, *field = Unquote(line.substr(8)), any = true;
    } else if (line.starts_with("msgid ")) {
      field = &e.id, *field = Unquote(line.substr(6)), any = true;
    } else if (line.starts_with("msgid_plural ")) {
      field = &e.plural, *field = Unquote(line.substr(13)), any = true;
    } else if (line.starts_with("msgstr[")) {
      const size_t space = line.find(' ');
      e.forms.push_back(Unquote(line.substr(space + 1)));
      field = &e.forms.back(), any = true;
    } else if (line.starts_with("msgstr ")) {
      field = &e.str, *field = Unquote(line.substr(7)), any = true;
    } else if (line.starts_with("\"") && field) {
      *field += Unquote(line);
    }
  }
  finish();
  return out;
}

std::string Key(const PoEntry& e) {
  return e.context + '\x04' + e.id;
}

// Every {name} in a message: a brace, one or more letters, digits or underscores, a brace.
std::multiset<std::string> Placeholders(const std::string& s) {
  std::multiset<std::string> out;
  const auto isNameChar = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  };
  for (size_t open = s.find('{'); open != std::string::npos; open = s.find('{', open + 1)) {
    size_t end = open + 1;
    while (end < s.size() && isNameChar(s[end])) ++end;
    if (end > open + 1 && end < s.size() && s[end] == '}')
      out.insert(s.substr(open, end - open + 1));
  }
  return out;
}

// Columns of the fixed-pitch list: a Latin letter or half-width kana is one, anything else two.
int Columns(const std::string& utf8) {
  int n = 0;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < len && i + k < utf8.size(); ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
    n += (cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F)) ? 1 : 2;
    i += len;
  }
  return n;
}

// A text changed in the sources without `make pot` would reach the player untranslated.
TEST(CatalogFiles, TemplateIsWhatPotgenWritesFromTheSources) {
  const fs::path fresh =
      fs::temp_directory_path() / ("qv_test_" + std::to_string(::getpid()) + ".pot");
  const std::string command = std::string(QV_BUILD_DIR) + "/tools/potgen/potgen " + QV_SOURCE_DIR +
                              " " + fresh.string() + " > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string written = ReadAll(fresh);
  fs::remove(fresh);
  EXPECT_TRUE(written == ReadAll(kPo / "qv.pot"))
      << "po/qv.pot is out of date with the sources: run `make pot`, then translate in po/en.po "
         "what it marks new (empty) or changed (fuzzy)";
}

TEST(CatalogFiles, EveryCatalogPassesMsgfmtChecks) {
  int catalogs = 0;
  for (const auto& f : fs::directory_iterator(kPo)) {
    if (f.path().extension() != ".po") continue;
    ++catalogs;
    const std::string command = "msgfmt --check --output-file=/dev/null " + f.path().string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }
  EXPECT_GE(catalogs, 1);
}

TEST(CatalogFiles, EnglishTranslatesEveryTextWithItsPlaceholders) {
  std::map<std::string, PoEntry> english;
  for (const PoEntry& e : ReadPo(kPo / "en.po")) {
    EXPECT_FALSE(e.obsolete) << "an obsolete entry is left in en.po: " << e.id;
    if (!e.obsolete) english[Key(e)] = e;
  }
  int checked = 0;
  for (const PoEntry& t : ReadPo(kPo / "qv.pot")) {
    if (t.id.empty()) continue;
    ++checked;
    const auto it = english.find(Key(t));
    if (it == english.end()) {
      ADD_FAILURE() << "en.po lacks: " << t.id;
      continue;
    }
    const PoEntry& e = it->second;
    EXPECT_FALSE(e.fuzzy) << "fuzzy: " << t.id;
    if (!t.plural.empty()) {
      // English has two forms: one, and every other number.
      EXPECT_EQ(e.plural, t.plural) << t.id;
      ASSERT_EQ(e.forms.size(), 2u) << "one and other forms wanted: " << t.id;
      for (const std::string& form : e.forms) {
        EXPECT_FALSE(form.empty()) << "untranslated: " << t.id;
        EXPECT_EQ(Placeholders(t.id), Placeholders(form)) << t.id << " -> " << form;
      }
      EXPECT_NE(e.forms[0], e.forms[1]) << "the forms of one and many read the same: " << t.id;
      continue;
    }
    EXPECT_FALSE(e.str.empty()) << "untranslated: " << t.id;
    EXPECT_EQ(Placeholders(t.id), Placeholders(e.str)) << t.id << " -> " << e.str;
  }
  EXPECT_GT(checked, 1000);
}

// True when a placeholder ("{n}") is followed, after at most one space, by a counted word
// ("points", "pt.", "times", "names", "items", "turns") that ends there.
bool CountsAWord(std::string_view s) {
  static constexpr std::string_view kWords[] = {"points", "point", "pts.",  "pts",   "pt.",
                                                "pt",     "times", "time",  "names", "name",
                                                "items",  "item",  "turns", "turn"};
  const auto isName = [](char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
  };
  for (size_t open = s.find('{'); open != std::string_view::npos; open = s.find('{', open + 1)) {
    size_t i = open + 1;
    while (i < s.size() && isName(s[i])) ++i;
    if (i == open + 1 || i >= s.size() || s[i] != '}') continue;
    ++i;
    if (i < s.size() && s[i] == ' ') ++i;
    for (std::string_view w : kWords) {
      if (s.substr(i, w.size()) != w) continue;
      const size_t end = i + w.size();
      if (w.back() == '.' || end == s.size() || !std::isalpha(static_cast<unsigned char>(s[end])))
        return true;
    }
  }
  return false;
}

// A number followed by a counted word ("{n} points") is only right for some numbers: such a
// text must be a plural entry, so that 1 reads "1 point".
TEST(CatalogFiles, EnglishCountsAreTextsWithPluralForms) {
  EXPECT_TRUE(CountsAWord("Rarity: {n} pts."));
  EXPECT_TRUE(CountsAWord("{count}times"));
  EXPECT_FALSE(CountsAWord("{n} pointed"));
  int plurals = 0;
  for (const PoEntry& e : ReadPo(kPo / "en.po")) {
    if (!e.plural.empty()) {
      ++plurals;
      continue;
    }
    EXPECT_FALSE(CountsAWord(e.str)) << e.id << " -> " << e.str;
  }
  EXPECT_GE(plurals, 6);
}

TEST(CatalogFiles, EnglishListFormsFitTheirColumns) {
  for (const PoEntry& e : ReadPo(kPo / "en.po")) {
    if (e.context != "list" || e.str.empty()) continue;
    const bool skill = !e.notes.empty() && e.notes[0].find("skill") != std::string::npos;
    EXPECT_LE(Columns(e.str), skill ? 24 : 26) << e.id << " -> " << e.str;
  }
}

}  // namespace
}  // namespace qv
