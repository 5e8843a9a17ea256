#pragma once
// A compiled translation catalog (a GNU .mo file) read by the game itself and checked whole
// before any text of it is shown: the magic in either byte order, the revision, both string
// tables, every string's offset and length inside the file with its closing NUL, the hash
// table's size and entries, UTF-8 translations, and the plural rule of its header. No locale
// and no C library catalog calls: the desktop and the browser editions read catalogs alike.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "files/status.h"

namespace qv::ui {

// The bytes that join a msgctxt to its msgid in a catalog's keys.
inline constexpr char kContextSeparator = '\x04';

class MoFile {
 public:
  // Finds nothing.
  MoFile() = default;

  // The catalog in `bytes`, or what is wrong with it (with the offset where it was found).
  static Result<MoFile> Parse(std::string bytes);

  // The translation of `msgid` (under the msgctxt `context` when not empty), or null when the
  // catalog has none or an empty one. The text lives as long as any copy of this catalog.
  const char* Find(std::string_view msgid, std::string_view context = {}) const;
  // The form a count of `n` takes of the plural entry `msgid` / `msgidPlural`, or null when
  // the catalog has no such entry or that form is empty.
  const char* FindPlural(std::string_view msgid, std::string_view msgidPlural, int64_t n,
                         std::string_view context = {}) const;

  // The form the header's Plural-Forms chooses for `n` (0 .. PluralCount() - 1). A rule that
  // cannot be read, or that divides by zero, falls back to English's: one, and the rest.
  int32_t PluralIndex(int64_t n) const;
  int32_t PluralCount() const { return pluralCount_; }
  // How many entries the catalog holds (its header included).
  size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string_view key;    // msgid (msgctxt, \x04, msgid under a context), up to its first NUL
    std::string_view value;  // msgstr; the forms of a plural entry, each ended by a NUL
    bool plural = false;
  };
  const Entry* Lookup(std::string_view msgid, std::string_view context) const;

  // Shared by the copies, so a text found stays where it is while any of them lives.
  std::shared_ptr<const std::string> bytes_;
  std::unordered_map<std::string_view, Entry> entries_;
  int32_t pluralCount_ = 2;
  std::string pluralRule_ = "n != 1";
};

}  // namespace qv::ui
