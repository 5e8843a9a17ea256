#pragma once
// Reading a whole small file the player or a tester hands the program (a script, a recording).
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/status.h"

namespace qv::session {

// The whole file, or a failure "<path>: no such <what>", "<path>: cannot read the <what>" or
// "<path>: larger than N MiB" (maxBytes is a whole number of MiB).
Result<std::string> ReadSmallFile(const std::filesystem::path& path, size_t maxBytes,
                                  std::string_view what);

}  // namespace qv::session
