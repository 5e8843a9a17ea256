#include "ui/catalog.h"

#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>

namespace qv::ui {
namespace {

constexpr const char* kDomain = "qv";

std::filesystem::path CatalogFile(const std::filesystem::path& localeDir,
                                  std::string_view language) {
  return localeDir / std::string(language) / "LC_MESSAGES" / (std::string(kDomain) + ".mo");
}

}  // namespace

std::vector<std::string> AvailableLanguages(const std::filesystem::path& localeDir) {
  std::vector<std::string> out{std::string(kGameLanguage)};
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(localeDir, ec)) {
    const std::string name = e.path().filename().string();
    if (name == kGameLanguage) continue;
    if (std::filesystem::is_regular_file(CatalogFile(localeDir, name), ec)) out.push_back(name);
  }
  std::sort(out.begin() + 1, out.end());
  return out;
}

Catalog Catalog::Open(std::string_view language, const std::filesystem::path& localeDir) {
  Catalog c;
  std::error_code ec;
  if (language == kGameLanguage ||
      !std::filesystem::is_regular_file(CatalogFile(localeDir, language), ec))
    return c;
  // gettext takes the language from LANGUAGE, which it ignores while the messages locale is
  // "C"; C.UTF-8 is always there and changes nothing else the game relies on.
  setenv("LANGUAGE", std::string(language).c_str(), 1);
  if (!std::setlocale(LC_MESSAGES, "C.UTF-8")) std::setlocale(LC_MESSAGES, "");
  bindtextdomain(kDomain, localeDir.c_str());
  // The game draws UTF-8 itself, whatever the terminal's character set.
  bind_textdomain_codeset(kDomain, "UTF-8");
  c.active_ = true;
  c.language_ = std::string(language);
  return c;
}

const char* Catalog::Find(std::string_view utf8, const char* context) const {
  if (!active_ || utf8.empty()) return nullptr;
  std::string key;
  if (context) {
    // How gettext stores a msgctxt: the context, an EOT byte, then the msgid.
    key = context;
    key += '\x04';
  }
  key += utf8;
  const char* found = dgettext(kDomain, key.c_str());
  return found == key.c_str() ? nullptr : found;
}

}  // namespace qv::ui
