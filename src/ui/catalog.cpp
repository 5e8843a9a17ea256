#include "ui/catalog.h"

#include <algorithm>

#include "files/file_io.h"

namespace qv::ui {

std::filesystem::path CatalogFile(const std::filesystem::path& localeDir,
                                  std::string_view language) {
  return localeDir / std::string(language) / "LC_MESSAGES" / "qv.mo";
}

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

Result<Catalog> Catalog::Load(std::string_view language, const std::filesystem::path& localeDir) {
  const std::filesystem::path file = CatalogFile(localeDir, language);
  std::error_code ec;
  if (language == kGameLanguage || !std::filesystem::exists(file, ec)) return Catalog();
  Result<std::string> bytes = files::ReadFile(file, kMaxCatalogBytes);
  if (!bytes.ok()) return Failure(file.string() + ": " + bytes.message(), bytes.code());
  Result<Catalog> c = FromBytes(language, std::move(*bytes));
  if (!c.ok()) return Failure(file.string() + ": " + c.message());
  return c;
}

Result<Catalog> Catalog::FromBytes(std::string_view language, std::string bytes) {
  Result<MoFile> mo = MoFile::Parse(std::move(bytes));
  if (!mo.ok()) return mo.status();
  Catalog c;
  c.active_ = true;
  c.language_ = std::string(language);
  c.mo_ = std::move(*mo);
  return c;
}

Catalog Catalog::Open(std::string_view language, const std::filesystem::path& localeDir) {
  Result<Catalog> c = Load(language, localeDir);
  return c.ok() ? std::move(*c) : Catalog();
}

const char* Catalog::Find(std::string_view utf8, const char* context) const {
  if (!active_ || utf8.empty()) return nullptr;
  return mo_.Find(utf8, context ? std::string_view(context) : std::string_view());
}

const char* Catalog::Plural(const char* singular, const char* plural, int64_t n,
                            const char* context) const {
  const char* found =
      active_ ? mo_.FindPlural(singular, plural, n, context ? context : std::string_view())
              : nullptr;
  return found ? found : (n == 1 ? singular : plural);
}

}  // namespace qv::ui
