#include "ui/translator.h"

#include <algorithm>
#include <charconv>

#include "core/game.h"
#include "core/text.h"
#include "gfx/fonts.h"

namespace qv::ui {
namespace {

// Past this many texts a cache starts afresh (numbers make new texts all the time).
constexpr size_t kMaxCached = 4096;
// A composed text's parameter may itself be a composed text; never deeper than this.
constexpr int kMaxDepth = 3;

bool HasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool IsKeyChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Fills the {key} places of a translated template (UTF-8); `value` gives the UTF-8 of an argument.
template <typename ValueOf>
std::string Substitute(std::string_view templ, const std::vector<MessageArg>& args, ValueOf value) {
  std::string out;
  for (size_t i = 0; i < templ.size();) {
    if (templ[i] == '{') {
      size_t k = i + 1;
      while (k < templ.size() && IsKeyChar(templ[k])) ++k;
      if (k < templ.size() && templ[k] == '}' && k > i + 1) {
        const std::string_view key = templ.substr(i + 1, k - i - 1);
        const auto it = std::find_if(args.begin(), args.end(),
                                     [&](const MessageArg& a) { return a.key == key; });
        if (it != args.end()) {
          out += value(*it);
          i = k + 1;
          continue;
        }
      }
    }
    out += templ[i++];
  }
  return out;
}

size_t NextChar(std::string_view s, size_t i) {
  size_t n = i + 1;
  while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
  return n;
}

template <typename Map>
void Bound(Map& m) {
  if (m.size() >= kMaxCached) m.clear();
}

}  // namespace

void Translator::SetCatalog(Catalog catalog) {
  catalog_ = std::move(catalog);
  shown_.clear();
  rows_.clear();
  wrapped_.clear();
}

const std::string& Translator::Shown(const Game& g, std::string_view cp932) {
  if (!Active()) return text_.Utf8(cp932);
  auto it = shown_.find(cp932);
  if (it != shown_.end()) return it->second;
  Bound(shown_);
  return shown_.emplace(std::string(cp932), Translate(g, cp932, 0)).first->second;
}

std::string Translator::Translate(const Game& g, std::string_view cp932, int depth) {
  if (const Message* m = g.text.composed.Find(cp932); m && depth < kMaxDepth)
    return Render(g, *m, depth);
  if (!HasNonAscii(cp932)) return text_.Utf8(cp932);
  const std::string utf8 = Cp932ToUtf8(cp932);
  if (const char* found = catalog_.Find(utf8)) return found;
  if (std::string latin = RomanizeKatakana(utf8); !latin.empty()) return latin;
  misses_.insert(utf8);
  return text_.Utf8(cp932);
}

const char* Translator::Template(const std::string& templ,
                                 const std::vector<MessageArg>& args) const {
  const auto count = std::find_if(args.begin(), args.end(),
                                  [](const MessageArg& a) { return a.kind == ArgKind::Count; });
  if (count == args.end()) return catalog_.Find(templ);
  int64_t n = 0;
  std::from_chars(count->value.data(), count->value.data() + count->value.size(), n);
  // Our Japanese templates are their own plural; the catalog's form for the number, or, when it
  // has the text only without plural forms, that one.
  const char* found = catalog_.Plural(templ.c_str(), templ.c_str(), n);
  return found != templ.c_str() ? found : catalog_.Find(templ);
}

std::string Translator::TranslatePlural(const char* msgid, const char* msgidPlural,
                                        int32_t n) const {
  return catalog_.Plural(msgid, msgidPlural, n);
}

std::string Translator::Render(const Game& g, const Message& m, int depth) {
  std::string out;
  for (const MessagePiece& p : m.pieces) {
    const char* templ = Template(p.templ, p.args);
    if (!templ && HasNonAscii(p.templ)) misses_.insert(p.templ);
    out += Substitute(templ ? std::string_view(templ) : std::string_view(p.templ), p.args,
                      [&](const MessageArg& a) {
                        return a.kind == ArgKind::Term ? Translate(g, a.value, depth + 1)
                                                       : text_.Utf8(a.value);
                      });
  }
  return out;
}

const std::string& Translator::Row(const Game& g, std::string_view cp932) {
  if (!Active()) return text_.Utf8(cp932);
  auto it = rows_.find(cp932);
  if (it != rows_.end()) return it->second;
  Bound(rows_);
  std::string row;
  bool found = false;
  // The prefix is at most a few bytes of marks, spaces, a count or a level.
  for (size_t k = 0; k <= 6 && k < cp932.size(); k += Cp932CharLength(cp932, k)) {
    const std::string name = Cp932ToUtf8(cp932.substr(k));
    const char* form = catalog_.Find(name, kListContext);
    if (!form) form = catalog_.Find(name);
    if (form) {
      row = text_.Utf8(cp932.substr(0, k)) + form;
      found = true;
      break;
    }
  }
  if (!found) row = Shown(g, cp932);
  return rows_.emplace(std::string(cp932), std::move(row)).first->second;
}

std::string Translator::Format(const Game& g, const char* utf8Template,
                               std::initializer_list<MessageArg> args) {
  if (!Active()) return text_.Utf8(Fill(utf8Template, args));
  const std::vector<MessageArg> list(args);
  const char* templ = Template(utf8Template, list);
  if (!templ) misses_.insert(utf8Template);
  return Substitute(templ ? templ : utf8Template, list, [&](const MessageArg& a) {
    return a.kind == ArgKind::Term ? Translate(g, a.value, 1) : text_.Utf8(a.value);
  });
}

const char* Translator::Own(const char* utf8Literal) const {
  const char* found = catalog_.Find(utf8Literal);
  return found ? found : utf8Literal;
}

const std::vector<std::string>& Translator::Wrapped(gfx::Canvas& c, const std::string& utf8,
                                                    int32_t width, std::string_view indent) {
  std::string key = utf8;
  key += '\0';
  key += std::to_string(width) + ' ' + std::to_string(c.font.height) + ' ' +
         std::to_string(static_cast<int>(c.font.face)) + ' ' + std::to_string(c.font.bold);
  key += indent;
  auto it = wrapped_.find(key);
  if (it != wrapped_.end()) return it->second;
  Bound(wrapped_);
  std::vector<std::string> lines;
  std::string line;
  size_t i = 0;
  // Leading spaces indent the text and are kept.
  while (i < utf8.size() && utf8[i] == ' ') line += utf8[i++];
  size_t start = line.size();  // where the words of the current row begin
  auto flush = [&] {
    lines.push_back(std::move(line));
    line = std::string(indent);
    start = line.size();
  };
  while (i < utf8.size()) {
    size_t from = i;
    while (i < utf8.size() && utf8[i] == ' ') ++i;
    const std::string_view gap = std::string_view(utf8).substr(from, i - from);
    from = i;
    while (i < utf8.size() && utf8[i] != ' ') ++i;
    std::string_view word = std::string_view(utf8).substr(from, i - from);
    if (word.empty()) break;
    const bool rowEmpty = line.size() == start;
    std::string tried = line;
    if (!rowEmpty) tried += gap;
    tried += word;
    if (c.TextWidth(tried) <= width) {
      line = std::move(tried);
      continue;
    }
    if (!rowEmpty) flush();
    // A word wider than a whole row is cut between characters.
    if (c.TextWidth(line + std::string(word)) > width && cut_.size() < kMaxCached)
      cut_.insert(utf8);
    while (!word.empty()) {
      size_t end = 0;
      while (end < word.size()) {
        const size_t next = NextChar(word, end);
        if (end > 0 && c.TextWidth(line + std::string(word.substr(0, next))) > width) break;
        end = next;
      }
      line += word.substr(0, end);
      word.remove_prefix(end);
      if (!word.empty()) flush();
    }
  }
  lines.push_back(std::move(line));
  return wrapped_.emplace(std::move(key), std::move(lines)).first->second;
}

std::vector<std::string> Translator::TakeCutTexts() {
  std::vector<std::string> out(cut_.begin(), cut_.end());
  cut_.clear();
  return out;
}

std::vector<std::string> Translator::TakeMisses() {
  std::vector<std::string> out(misses_.begin(), misses_.end());
  misses_.clear();
  return out;
}

}  // namespace qv::ui
