#pragma once
// The player's language: the game's own Japanese, or a catalog compiled from po/LANG.po
// (locale/LANG/LC_MESSAGES/qv.mo beside the program, or share/locale when installed), read
// and checked whole by the game's own reader before any text of it is shown.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/status.h"
#include "ui/mo_file.h"

namespace qv::ui {

// The language the game is written in; it needs no catalog.
inline constexpr std::string_view kGameLanguage = "ja";

// Past this size a file is not taken for a catalog (ours is a few hundred kilobytes).
inline constexpr size_t kMaxCatalogBytes = 16u << 20;

// The languages a player can choose: Japanese and every catalog found under `localeDir`.
std::vector<std::string> AvailableLanguages(const std::filesystem::path& localeDir);

// Where the catalog of `language` lives under `localeDir`.
std::filesystem::path CatalogFile(const std::filesystem::path& localeDir,
                                  std::string_view language);

class Catalog {
 public:
  // Japanese: nothing is translated.
  Catalog() = default;

  // The catalog of `language` under `localeDir`. Japanese, or a language without a catalog
  // there, gives the inactive catalog; a catalog that cannot be read or fails a check is the
  // failure, naming the file and what is wrong with it.
  static Result<Catalog> Load(std::string_view language, const std::filesystem::path& localeDir);
  // The same from the bytes of a catalog fetched elsewhere (the browser edition's).
  static Result<Catalog> FromBytes(std::string_view language, std::string bytes);
  // Load, with Japanese in place of a catalog that fails.
  static Catalog Open(std::string_view language, const std::filesystem::path& localeDir);

  // True while texts are shown in another language.
  bool Active() const { return active_; }
  const std::string& Language() const { return language_; }

  // The translation of a text of the game (UTF-8, as the catalog's msgid), or null when the
  // catalog has none. `context` is a msgctxt ("list"), or null.
  const char* Find(std::string_view utf8, const char* context = nullptr) const;
  // The form a count of `n` takes of a text with a plural (msgid, msgid_plural): the
  // catalog's, or else the English one of the two given (singular for 1, else plural).
  const char* Plural(const char* singular, const char* plural, int64_t n,
                     const char* context = nullptr) const;

 private:
  bool active_ = false;
  std::string language_ = std::string(kGameLanguage);
  MoFile mo_;
};

}  // namespace qv::ui
