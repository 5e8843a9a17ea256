#include "platform/session/language.h"

#include <algorithm>
#include <vector>

namespace qv::platform {

std::filesystem::path LocaleRoot(const std::filesystem::path& programDir) {
  std::error_code ec;
  std::filesystem::path beside = programDir / "locale";
  if (std::filesystem::is_directory(beside, ec)) return beside;
  return programDir.parent_path() / "share" / "locale";
}

ui::Catalog ChooseLanguage(std::string_view asked, const std::filesystem::path& localeDir,
                           std::string& message) {
  message.clear();
  if (asked.empty() || asked == ui::kGameLanguage) return {};
  const std::vector<std::string> known = ui::AvailableLanguages(localeDir);
  if (std::find(known.begin(), known.end(), asked) == known.end()) {
    std::string list;
    for (const std::string& k : known) list += (list.empty() ? "" : ", ") + k;
    message = "no texts for the language '" + std::string(asked) + "' (there are: " + list +
              "); playing in Japanese";
    return {};
  }
  Result<ui::Catalog> catalog = ui::Catalog::Load(asked, localeDir);
  if (!catalog.ok()) {
    message = "the texts of '" + std::string(asked) + "' cannot be used (" + catalog.message() +
              "); playing in Japanese";
    return {};
  }
  return std::move(*catalog);
}

}  // namespace qv::platform
