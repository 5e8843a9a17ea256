// Writes po/qv.pot, the template of the game's translations: every Japanese text of our
// sources and of the picture generator (string literals outside comments), the story, the rare
// items' texts and the enemy names of data/, and the short forms that the narrow list columns show
// for item and skill names. Each msgid is the text as the game shows it, in UTF-8 (the literal
// taken through the game's own CP932 conversion and back, so a lookup of a shown text always finds
// it).
//
// Usage: potgen SOURCE_DIR OUT.pot
// A literal on a line (or after a line) that carries the comment "not shown" is left out, and so is
// every literal of a file that says "texts of this file are not shown" (the record export stays
// Japanese whatever the language, for the tools that read it). A literal on a line (or after a
// line) that carries the comment "a count picks its form" is a template whose number chooses
// between plural forms: its entry has a msgid_plural (the same Japanese, which has one form).
// The mark may stand up to two lines before the literal. Every literal must come back
// unchanged from CP932, so that the literal itself is the msgid the frame looks up.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/master_tables.h"
#include "core/message.h"
#include "core/text.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kNoteEnemyName = "an enemy's name in the free area (data/names.txt)";
// The list columns in half-width characters of the fixed font, less the longest prefix.
constexpr const char* kNoteItemListForm =
    "the item list: at most 26 columns (a column is a Latin letter; a kana takes two)";
constexpr const char* kNoteSkillListForm =
    "the skill lists: at most 24 columns in the item list, and 150 pixels of the battle list";

struct Entry {
  std::string context;  // msgctxt; empty for none
  std::string id;
  std::vector<std::string> notes;  // "#." lines
  bool plural = false;             // a count picks its form
};

class Catalogue {
 public:
  void Add(const std::string& context, const std::string& id, const std::string& note = "",
           bool plural = false) {
    const std::string key = context + '\x04' + id;
    auto [it, added] = index_.emplace(key, entries_.size());
    if (added) entries_.push_back({context, id, {}});
    Entry& e = entries_[it->second];
    e.plural = e.plural || plural;
    if (!note.empty() && std::find(e.notes.begin(), e.notes.end(), note) == e.notes.end())
      e.notes.push_back(note);
  }
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
  std::map<std::string, size_t> index_;
};

bool HasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The text as the game shows it: through CP932 and back. nullopt when it has no CP932 form.
std::optional<std::string> AsShown(const std::string& utf8) {
  const std::optional<std::string> cp932 = qv::Utf8ToCp932(utf8);
  if (!cp932) return std::nullopt;
  return qv::Cp932ToUtf8(*cp932);
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One string literal of C++ source found by the scanner: its value and the line it starts on.
struct Literal {
  std::string value;
  int line = 0;
  bool bytes = false;  // written with \x escapes: bytes the code handles, not a text
};

// The string literals of a C++ file, adjacent ones joined, comments and character literals
// skipped. Good enough for our own sources: no trigraphs, no macros that build literals.
std::vector<Literal> ScanLiterals(const std::string& src) {
  std::vector<Literal> out;
  size_t i = 0;
  int line = 1;
  bool joinable = false;  // only white space and comments since the last literal
  auto advance = [&](size_t n) {
    for (size_t k = 0; k < n && i < src.size(); ++k, ++i)
      if (src[i] == '\n') ++line;
  };
  while (i < src.size()) {
    const char c = src[i];
    if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
      while (i < src.size() && src[i] != '\n') advance(1);
      continue;
    }
    if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
      advance(2);
      while (i + 1 < src.size() && !(src[i] == '*' && src[i + 1] == '/')) advance(1);
      advance(2);
      continue;
    }
    if (c == '\'') {
      advance(1);
      while (i < src.size() && src[i] != '\'') advance(src[i] == '\\' ? 2 : 1);
      advance(1);
      joinable = false;
      continue;
    }
    if (c == 'R' && i + 1 < src.size() && src[i + 1] == '"') {
      const size_t open = src.find('(', i + 2);
      if (open == std::string::npos) break;
      const std::string close = ")" + src.substr(i + 2, open - i - 2) + "\"";
      const size_t end = src.find(close, open + 1);
      if (end == std::string::npos) break;
      const int at = line;
      std::string value = src.substr(open + 1, end - open - 1);
      advance(end + close.size() - i);
      if (joinable && !out.empty())
        out.back().value += value;
      else
        out.push_back({value, at, false});
      joinable = true;
      continue;
    }
    if (c == '"') {
      const int at = line;
      advance(1);
      std::string value;
      bool hexBytes = false;
      while (i < src.size() && src[i] != '"') {
        if (src[i] != '\\') {
          value += src[i];
          advance(1);
          continue;
        }
        const char e = i + 1 < src.size() ? src[i + 1] : '\\';
        advance(2);
        switch (e) {
          case 'n':
            value += '\n';
            break;
          case 'r':
            value += '\r';
            break;
          case 't':
            value += '\t';
            break;
          case '0':
            value += '\0';
            break;
          case 'x': {
            hexBytes = true;
            int v = 0;
            while (i < src.size() && HexValue(src[i]) >= 0) {
              v = v * 16 + HexValue(src[i]);
              advance(1);
            }
            value += static_cast<char>(v);
            break;
          }
          default:
            value += e;
            break;
        }
      }
      advance(1);
      if (joinable && !out.empty()) {
        out.back().value += value;
        out.back().bytes = out.back().bytes || hexBytes;
      } else {
        out.push_back({value, at, hexBytes});
      }
      joinable = true;
      continue;
    }
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') joinable = false;
    advance(1);
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string l;
  while (std::getline(in, l)) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
  }
  return lines;
}

int problems = 0;

void Problem(const std::string& where, const std::string& what) {
  std::cerr << "potgen: " << where << ": " << what << "\n";
  ++problems;
}

void AddShown(Catalogue& cat, const std::string& context, const std::string& utf8,
              const std::string& place, const std::string& note = "", bool plural = false) {
  const std::optional<std::string> shown = AsShown(utf8);
  if (!shown) {
    Problem(place, "a text with no CP932 form: " + utf8);
    return;
  }
  cat.Add(context, *shown, note, plural);
}

// The literals of the sources go in sorted, after the data's texts, so that moving a text to
// another file or line changes nothing.
void ScanSources(Catalogue& cat, const fs::path& root) {
  std::map<std::string, std::string> found;  // text -> where it was seen first
  std::set<std::string> counted;             // texts whose number picks the form
  std::vector<fs::path> files;
  // The game's sources, and the picture generator, which paints words into a few pictures.
  for (const char* dir : {"src", "tools/assetgen/pictures"}) {
    for (const auto& e : fs::recursive_directory_iterator(root / dir)) {
      const std::string ext = e.path().extension().string();
      if (e.is_regular_file() && (ext == ".cpp" || ext == ".h")) files.push_back(e.path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& f : files) {
    const std::string text = ReadFile(f);
    const std::vector<std::string> lines = Lines(text);
    const std::string rel = fs::relative(f, root).generic_string();
    if (text.find("texts of this file are not shown") != std::string::npos) continue;
    for (const Literal& lit : ScanLiterals(text)) {
      if (!HasNonAscii(lit.value) || lit.bytes) continue;
      const size_t n = static_cast<size_t>(lit.line - 1);
      // The mark may also stand on the line before, where a long literal's declaration is.
      const auto marked = [&](size_t k, std::string_view mark) {
        return k < lines.size() && lines[k].find(mark) != std::string::npos;
      };
      if (marked(n, "not shown") || (n > 0 && marked(n - 1, "not shown"))) continue;
      // The count's mark may stand up to two lines before, above a call broken over lines.
      for (size_t back = 0; back <= 2 && back <= n; ++back)
        if (marked(n - back, "a count picks its form")) counted.insert(lit.value);
      const std::string place = rel + ":" + std::to_string(lit.line);
      if (const std::optional<std::string> shown = AsShown(lit.value); shown && *shown != lit.value)
        Problem(place, "the game shows this literal differently; write it as shown: " + *shown);
      found.emplace(lit.value, place);
    }
  }
  for (const auto& [text, place] : found)
    AddShown(cat, "", text, place, "", counted.contains(text));
}

void ScanStory(Catalogue& cat, const fs::path& file, const std::string& rel) {
  std::string section;
  const std::vector<std::string> lines = Lines(ReadFile(file));
  for (size_t n = 0; n < lines.size(); ++n) {
    std::string l = lines[n];
    if (n == 0 && l.starts_with("\xEF\xBB\xBF")) l.erase(0, 3);
    if (l.empty() || l[0] == '#' || l == " ") continue;
    if (l.front() == '[' && l.back() == ']') {
      section = l;
      continue;
    }
    AddShown(cat, "", l, rel + ":" + std::to_string(n + 1), "data/story.txt " + section);
  }
}

void ScanRareTexts(Catalogue& cat, const fs::path& file, const std::string& rel) {
  // The parsed rows point into the file's text, so the text must outlive the loop.
  const std::string text = ReadFile(file);
  for (const qv::master::RareText& t : qv::master::ParseRareTexts(text)) {
    AddShown(cat, "", std::string(t.text), rel,
             "the text of rare item " + std::to_string(t.id) + " (" + std::string(t.name) + ")");
  }
}

void ScanNames(Catalogue& cat, const fs::path& file, const std::string& rel) {
  const std::vector<std::string> lines = Lines(ReadFile(file));
  for (size_t n = 0; n < lines.size(); ++n) {
    if (lines[n].empty() || lines[n][0] == '#') continue;
    AddShown(cat, "", lines[n], rel + ":" + std::to_string(n + 1), kNoteEnemyName);
  }
}

// The short forms of the names the lists show: every item in the item list, every skill in
// the item list (after its level) and in the battle's skill list.
void AddListForms(Catalogue& cat) {
  for (const qv::master::SkillRow& r : qv::master::SkillRows())
    AddShown(cat, qv::kListContext, r.name, "", kNoteSkillListForm);
  for (const auto groups : {qv::master::EquipmentGroups(), qv::master::CollectionGroups()})
    for (const qv::master::ItemGroup& g : groups)
      for (const qv::master::ItemRow& r : g.rows)
        if (r.id != 0) AddShown(cat, qv::kListContext, r.name, "", kNoteItemListForm);
}

// A PO string: escaped, split after each line break so long texts stay readable.
std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

void Write(std::ostream& out, const Catalogue& cat) {
  out << "# The texts of qv, from its sources and data/ (written by tools/potgen: do not edit).\n"
         "# Translations live beside this file as LANG.po; see po/README.md.\n"
         "msgid \"\"\n"
         "msgstr \"\"\n"
         "\"Project-Id-Version: qv 1.7\\n\"\n"
         "\"MIME-Version: 1.0\\n\"\n"
         "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
         "\"Content-Transfer-Encoding: 8bit\\n\"\n";
  // No source references: a text that moves to another file or line is the same text, and the
  // template changes only when the texts do.
  for (const Entry& e : cat.Entries()) {
    out << "\n";
    for (const std::string& n : e.notes) out << "#. " << n << "\n";
    if (!e.context.empty()) out << "msgctxt " << Quoted(e.context) << "\n";
    out << "msgid " << Quoted(e.id) << "\n";
    if (e.plural)
      out << "msgid_plural " << Quoted(e.id) << "\nmsgstr[0] \"\"\nmsgstr[1] \"\"\n";
    else
      out << "msgstr \"\"\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: potgen SOURCE_DIR OUT.pot\n";
    return 2;
  }
  const fs::path root = argv[1];
  Catalogue cat;
  ScanStory(cat, root / "data/story.txt", "data/story.txt");
  ScanRareTexts(cat, root / "data/rare_items.txt", "data/rare_items.txt");
  ScanNames(cat, root / "data/names.txt", "data/names.txt");
  ScanSources(cat, root);
  AddListForms(cat);
  if (problems > 0) return 1;
  std::ostringstream text;
  Write(text, cat);
  // Rewritten only when it changes, so the build does not redo what depends on it.
  if (ReadFile(argv[2]) == text.str()) return 0;
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << text.str();
  return out.good() ? 0 : 1;
}
