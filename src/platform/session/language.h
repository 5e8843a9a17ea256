#pragma once
// The language the player asked for (--language, or language in qv.ini) and the catalog that
// gives it: the compiled po/LANG.po beside the program (locale/) or in an installed copy's
// share/locale.
#include <filesystem>
#include <string>
#include <string_view>

#include "ui/catalog.h"

namespace qv::platform {

// locale/ beside the program (the build tree, portable copies), else ../share/locale beside an
// installed program's bin/ folder.
std::filesystem::path LocaleRoot(const std::filesystem::path& programDir);

// The catalog of `asked` ("ja", "en", ...). Japanese for "ja" or nothing asked; a language
// without a catalog is named in `message` (with the ones there are) and Japanese is used; so
// is a catalog that cannot be read or fails its checks (the file and the fault named).
ui::Catalog ChooseLanguage(std::string_view asked, const std::filesystem::path& localeDir,
                           std::string& message);

}  // namespace qv::platform
