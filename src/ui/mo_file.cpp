#include "ui/mo_file.h"

#include <cstring>
#include <optional>
#include <vector>

namespace qv::ui {
namespace {

constexpr uint32_t kMagic = 0x950412DEu;
constexpr size_t kHeaderBytes = 28;
// Past this a Plural-Forms rule is not read (English's is used).
constexpr size_t kMaxRuleBytes = 512;
constexpr int32_t kMaxPluralForms = 16;

std::string At(uint64_t offset) {
  return " (at byte " + std::to_string(offset) + ")";
}

class Reader {
 public:
  Reader(std::string_view bytes, bool swap) : bytes_(bytes), swap_(swap) {}
  // The 32-bit word at `offset`, which the caller has checked is inside the file.
  uint32_t Word(uint64_t offset) const {
    uint32_t v = 0;
    std::memcpy(&v, bytes_.data() + offset, 4);
    return swap_ ? __builtin_bswap32(v) : v;
  }

 private:
  std::string_view bytes_;
  bool swap_;
};

bool ValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    uint32_t cp = 0;
    uint32_t least = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F, least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F, least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (t & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

// The string hash gettext's tables are built with (hashpjw on 32 bits).
uint32_t HashKey(std::string_view key) {
  uint32_t h = 0;
  for (const char ch : key) {
    h = (h << 4) + static_cast<unsigned char>(ch);
    const uint32_t g = h & 0xF0000000u;
    if (g != 0) h ^= (g >> 24) ^ g;
  }
  return h;
}

// A Plural-Forms rule: C's expressions over the count n (?:, ||, &&, comparisons, + - * / %,
// !, brackets, numbers), evaluated as it is read, with unsigned arithmetic as gettext's.
// Anything else, nesting past kMaxDepth or a division by zero that counts makes it fail.
class PluralRule {
 public:
  PluralRule(std::string_view text, uint64_t n) : s_(text), n_(n) {}

  std::optional<uint64_t> Evaluate() {
    const uint64_t v = Conditional(true);
    Skip();
    if (failed_ || i_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  static constexpr int kMaxDepth = 64;

  void Skip() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
      ++i_;
  }
  bool Take(std::string_view op) {
    Skip();
    if (s_.substr(i_, op.size()) != op) return false;
    i_ += op.size();
    return true;
  }
  bool Deeper() {
    if (++depth_ <= kMaxDepth) return true;
    failed_ = true;
    return false;
  }

  uint64_t Conditional(bool live) {
    if (!Deeper()) return 0;
    uint64_t v = Or(live);
    if (!failed_ && Take("?")) {
      const uint64_t a = Conditional(live && v != 0);
      if (!Take(":")) failed_ = true;
      const uint64_t b = failed_ ? 0 : Conditional(live && v == 0);
      v = v != 0 ? a : b;
    }
    --depth_;
    return v;
  }
  uint64_t Or(bool live) {
    uint64_t v = And(live);
    while (!failed_ && Take("||")) {
      const uint64_t r = And(live && v == 0);
      v = (v != 0 || r != 0) ? 1 : 0;
    }
    return v;
  }
  uint64_t And(bool live) {
    uint64_t v = Equality(live);
    while (!failed_ && Take("&&")) {
      const uint64_t r = Equality(live && v != 0);
      v = (v != 0 && r != 0) ? 1 : 0;
    }
    return v;
  }
  uint64_t Equality(bool live) {
    uint64_t v = Relation(live);
    while (!failed_) {
      if (Take("==")) {
        v = v == Relation(live) ? 1 : 0;
      } else if (Take("!=")) {
        v = v != Relation(live) ? 1 : 0;
      } else {
        break;
      }
    }
    return v;
  }
  uint64_t Relation(bool live) {
    uint64_t v = Sum(live);
    while (!failed_) {
      if (Take("<=")) {
        v = v <= Sum(live) ? 1 : 0;
      } else if (Take(">=")) {
        v = v >= Sum(live) ? 1 : 0;
      } else if (Take("<")) {
        v = v < Sum(live) ? 1 : 0;
      } else if (Take(">")) {
        v = v > Sum(live) ? 1 : 0;
      } else {
        break;
      }
    }
    return v;
  }
  uint64_t Sum(bool live) {
    uint64_t v = Product(live);
    while (!failed_) {
      if (Take("+")) {
        v += Product(live);
      } else if (Take("-")) {
        v -= Product(live);
      } else {
        break;
      }
    }
    return v;
  }
  uint64_t Product(bool live) {
    uint64_t v = Unary(live);
    while (!failed_) {
      const bool times = Take("*");
      const bool divide = !times && Take("/");
      const bool rest = !times && !divide && Take("%");
      if (!times && !divide && !rest) break;
      const uint64_t r = Unary(live);
      if (times) {
        v *= r;
      } else if (r == 0) {
        if (live) failed_ = true;
        v = 0;
      } else {
        v = divide ? v / r : v % r;
      }
    }
    return v;
  }
  uint64_t Unary(bool live) {
    if (Take("!")) {
      if (!Deeper()) return 0;
      const uint64_t v = Unary(live) == 0 ? 1 : 0;
      --depth_;
      return v;
    }
    return Primary(live);
  }
  uint64_t Primary(bool live) {
    Skip();
    if (i_ >= s_.size()) {
      failed_ = true;
      return 0;
    }
    if (s_[i_] == 'n') {
      ++i_;
      return n_;
    }
    if (s_[i_] >= '0' && s_[i_] <= '9') {
      uint64_t v = 0;
      while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') {
        if (v > 100000000000000000u) failed_ = true;
        v = v * 10 + static_cast<uint64_t>(s_[i_++] - '0');
      }
      return v;
    }
    if (Take("(")) {
      const uint64_t v = Conditional(live);
      if (!Take(")")) failed_ = true;
      return v;
    }
    failed_ = true;
    return 0;
  }

  std::string_view s_;
  uint64_t n_;
  size_t i_ = 0;
  int depth_ = 0;
  bool failed_ = false;
};

// The value of `field` ("charset=", "nplurals=") in a header line, up to `;`, a space or the
// end of the line; nullopt when the header lacks it.
std::optional<std::string_view> HeaderValue(std::string_view header, std::string_view line,
                                            std::string_view field) {
  size_t at = 0;
  while (at < header.size()) {
    const size_t end = std::min(header.find('\n', at), header.size());
    const std::string_view l = header.substr(at, end - at);
    at = end + 1;
    if (l.substr(0, line.size()) != line) continue;
    const size_t f = l.find(field, line.size());
    if (f == std::string_view::npos) return std::nullopt;
    std::string_view v = l.substr(f + field.size());
    const size_t stop = field == "plural=" ? v.find(';') : v.find_first_of("; \t\r");
    if (stop != std::string_view::npos) v = v.substr(0, stop);
    return v;
  }
  return std::nullopt;
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

Result<MoFile> MoFile::Parse(std::string bytesIn) {
  MoFile mo;
  auto shared = std::make_shared<const std::string>(std::move(bytesIn));
  const std::string_view bytes = *shared;
  const uint64_t size = bytes.size();
  if (size < kHeaderBytes)
    return Failure("too short for a catalog (" + std::to_string(size) + " bytes)");

  uint32_t first = 0;
  std::memcpy(&first, bytes.data(), 4);
  if (first != kMagic && first != __builtin_bswap32(kMagic))
    return Failure("not a compiled catalog (no .mo magic number)");
  const Reader r(bytes, first != kMagic);

  const uint32_t revision = r.Word(4);
  if ((revision >> 16) > 1 || (revision & 0xFFFFu) > 1)
    return Failure("a catalog revision this game cannot read (" + std::to_string(revision >> 16) +
                   "." + std::to_string(revision & 0xFFFFu) + ")");
  const uint64_t count = r.Word(8);
  const uint64_t originals = r.Word(12);
  const uint64_t translations = r.Word(16);
  const uint64_t hashSize = r.Word(20);
  const uint64_t hashAt = r.Word(24);
  if (originals + count * 8 > size) return Failure("the table of texts runs past the end" + At(12));
  if (translations + count * 8 > size)
    return Failure("the table of translations runs past the end" + At(16));
  if (hashSize != 0 && hashAt + hashSize * 4 > size)
    return Failure("the hash table runs past the end" + At(24));
  if (hashSize != 0 && hashSize <= count)
    return Failure("the hash table has fewer places than the catalog has texts" + At(20));

  // A string of a table: its length and offset, inside the file, followed by a NUL.
  auto stringAt = [&](uint64_t table, uint64_t i, std::string_view& out) -> Status {
    const uint64_t entry = table + i * 8;
    const uint64_t length = r.Word(entry);
    const uint64_t offset = r.Word(entry + 4);
    if (offset + length + 1 > size) return Failure("a text runs past the end" + At(entry));
    if (bytes[offset + length] != '\0') return Failure("a text lacks its closing NUL" + At(entry));
    out = bytes.substr(offset, length);
    return {};
  };

  std::vector<std::string_view> keys;
  keys.reserve(count);
  mo.entries_.reserve(count);
  std::string_view header;
  bool hasHeader = false;
  for (uint64_t i = 0; i < count; ++i) {
    std::string_view original, translation;
    if (Status s = stringAt(originals, i, original); !s.ok()) return s;
    if (Status s = stringAt(translations, i, translation); !s.ok()) return s;
    if (!ValidUtf8(translation))
      return Failure("a translation is not UTF-8" + At(translations + i * 8));
    const std::string_view key = original.substr(0, original.find('\0'));
    keys.push_back(key);
    if (key.empty() && !hasHeader) {
      header = translation;
      hasHeader = true;
    }
    mo.entries_.emplace(key, Entry{key, translation, key.size() < original.size()});
  }

  // Every text must be where gettext's probing looks for it.
  if (hashSize != 0) {
    uint64_t budget = 64 * (count + 1);
    for (uint64_t i = 0; i < hashSize; ++i) {
      if (r.Word(hashAt + i * 4) > count)
        return Failure("the hash table names a text the catalog lacks" + At(hashAt + i * 4));
    }
    for (uint64_t i = 0; i < count; ++i) {
      const uint32_t h = HashKey(keys[i]);
      uint64_t place = h % hashSize;
      const uint64_t step = hashSize > 2 ? 1 + h % (hashSize - 2) : 1;
      for (;;) {
        const uint32_t named = r.Word(hashAt + place * 4);
        if (named == 0 || budget-- == 0)
          return Failure("the hash table does not lead to every text" + At(hashAt));
        if (named == i + 1 || keys[named - 1] == keys[i]) break;
        place = place >= hashSize - step ? place - (hashSize - step) : place + step;
      }
    }
  }

  if (hasHeader) {
    const auto charset = HeaderValue(header, "Content-Type:", "charset=");
    if (charset && !SameLetters(*charset, "UTF-8") && !SameLetters(*charset, "UTF8") &&
        !SameLetters(*charset, "ASCII") && !SameLetters(*charset, "US-ASCII"))
      return Failure("its texts are not in UTF-8 (the header names another character set)");
    const auto forms = HeaderValue(header, "Plural-Forms:", "nplurals=");
    const auto rule = HeaderValue(header, "Plural-Forms:", "plural=");
    int32_t n = 0;
    if (forms && !forms->empty() && forms->size() <= 2) {
      for (const char c : *forms) n = (c >= '0' && c <= '9') ? n * 10 + (c - '0') : -1;
    }
    // A rule that cannot be read leaves English's (one, and the rest).
    if (n >= 1 && n <= kMaxPluralForms && rule && rule->size() <= kMaxRuleBytes &&
        PluralRule(*rule, 1).Evaluate()) {
      mo.pluralCount_ = n;
      mo.pluralRule_ = std::string(*rule);
    }
  }
  mo.bytes_ = std::move(shared);
  return mo;
}

const MoFile::Entry* MoFile::Lookup(std::string_view msgid, std::string_view context) const {
  if (entries_.empty()) return nullptr;
  if (context.empty()) {
    const auto it = entries_.find(msgid);
    return it == entries_.end() ? nullptr : &it->second;
  }
  std::string key(context);
  key += kContextSeparator;
  key += msgid;
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

const char* MoFile::Find(std::string_view msgid, std::string_view context) const {
  const Entry* e = Lookup(msgid, context);
  // An empty translation is an untranslated text; so is the header, which no text asks for.
  if (e == nullptr || e->value.empty() || e->value.front() == '\0' || msgid.empty()) return nullptr;
  return e->value.data();
}

const char* MoFile::FindPlural(std::string_view msgid, std::string_view msgidPlural, int64_t n,
                               std::string_view context) const {
  const Entry* e = Lookup(msgid, context);
  if (e == nullptr || msgid.empty()) return nullptr;
  (void)msgidPlural;  // the catalog's key is the singular, as gettext's
  if (!e->plural) return Find(msgid, context);
  // The forms follow one another, each ended by a NUL; a form the entry lacks is untranslated.
  std::string_view forms = e->value;
  for (int32_t form = PluralIndex(n); form > 0; --form) {
    const size_t end = forms.find('\0');
    if (end == std::string_view::npos) return nullptr;
    forms.remove_prefix(end + 1);
  }
  if (forms.empty() || forms.front() == '\0') return nullptr;
  return forms.data();
}

int32_t MoFile::PluralIndex(int64_t n) const {
  const auto count = static_cast<uint64_t>(n);
  const std::optional<uint64_t> chosen = PluralRule(pluralRule_, count).Evaluate();
  const uint64_t english = count != 1 ? 1 : 0;
  const uint64_t form = chosen ? *chosen : english;
  if (form < static_cast<uint64_t>(pluralCount_)) return static_cast<int32_t>(form);
  return english < static_cast<uint64_t>(pluralCount_) ? static_cast<int32_t>(english) : 0;
}

}  // namespace qv::ui
