#pragma once
// The words painted into pictures, in the language being painted: the game's own Japanese, or
// a translation from a compiled catalog of po/ (the pictures of cg/LANG/).
#include <filesystem>
#include <string>
#include <vector>

namespace qv::assetgen {

// The languages with a catalog under `localeDir` (locale/LANG/LC_MESSAGES/qv.mo).
std::vector<std::string> CatalogLanguages(const std::filesystem::path& localeDir);

// Paints from now on in `language` (its catalog under `localeDir`); "" goes back to Japanese.
void PaintInLanguage(const std::string& language, const std::filesystem::path& localeDir);

// A caption in the language being painted (UTF-8).
std::string Caption(const char* utf8);

// True while painting another language than Japanese.
bool PaintingTranslation();

}  // namespace qv::assetgen
