#include "platform/session/small_file.h"

#include <cerrno>

#include "files/file_io.h"

namespace qv::session {

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, size_t maxBytes,
                                         std::string_view what, std::string& error) {
  std::string text;
  const files::FileResult read = files::ReadFile(path, text, maxBytes);
  if (read.ok()) return text;
  if (read.error == ENOENT) {
    error = path.string() + ": no such " + std::string(what);
  } else if (read.error == EFBIG) {
    error = path.string() + ": larger than " + std::to_string(maxBytes >> 20) + " MiB";
  } else {
    error = path.string() + ": cannot read the " + std::string(what) + " (" +
            files::ErrorText(read.error) + ")";
  }
  return std::nullopt;
}

}  // namespace qv::session
