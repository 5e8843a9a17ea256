#include "captions.h"

#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>

namespace qv::assetgen {
namespace {

constexpr const char* kDomain = "qv";
// The generator is a build tool that paints one language after the other.
bool translating = false;

}  // namespace

std::vector<std::string> CatalogLanguages(const std::filesystem::path& localeDir) {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(localeDir, ec)) {
    if (std::filesystem::is_regular_file(e.path() / "LC_MESSAGES" / "qv.mo", ec))
      out.push_back(e.path().filename().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

void PaintInLanguage(const std::string& language, const std::filesystem::path& localeDir) {
  translating = !language.empty();
  if (!translating) return;
  setenv("LANGUAGE", language.c_str(), 1);
  // Setting the locale again also tells gettext that the language changed.
  if (!std::setlocale(LC_MESSAGES, "C.UTF-8")) std::setlocale(LC_MESSAGES, "");
  bindtextdomain(kDomain, localeDir.c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
}

std::string Caption(const char* utf8) {
  return translating ? dgettext(kDomain, utf8) : utf8;
}

bool PaintingTranslation() {
  return translating;
}

}  // namespace qv::assetgen
