#pragma once
// The player's language: the game's own Japanese, or a GNU gettext catalog compiled from
// po/LANG.po (locale/LANG/LC_MESSAGES/qv.mo beside the program, or share/locale when
// installed), read through the C library's dgettext.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv::ui {

// The language the game is written in; it needs no catalog.
inline constexpr std::string_view kGameLanguage = "ja";

// The languages a player can choose: Japanese and every catalog found under `localeDir`.
std::vector<std::string> AvailableLanguages(const std::filesystem::path& localeDir);

class Catalog {
 public:
  // Japanese: nothing is translated.
  Catalog() = default;

  // The catalog of `language` under `localeDir`. The C library reads one language per
  // process, so a program opens one catalog and keeps it. Japanese, or a language without a
  // catalog there, gives the inactive catalog.
  static Catalog Open(std::string_view language, const std::filesystem::path& localeDir);

  // True while texts are shown in another language.
  bool Active() const { return active_; }
  const std::string& Language() const { return language_; }

  // The translation of a text of the game (UTF-8, as the catalog's msgid), or null when the
  // catalog has none. `context` is a msgctxt ("list"), or null.
  const char* Find(std::string_view utf8, const char* context = nullptr) const;

 private:
  bool active_ = false;
  std::string language_ = std::string(kGameLanguage);
};

}  // namespace qv::ui
