#include "platform/session/small_file.h"

#include <cerrno>

#include "files/file_io.h"

namespace qv::session {

Result<std::string> ReadSmallFile(const std::filesystem::path& path, size_t maxBytes,
                                  std::string_view what) {
  std::string text;
  const files::FileResult read = files::ReadFile(path, text, maxBytes);
  if (read.ok()) return text;
  if (read.error == ENOENT) return Failure(path.string() + ": no such " + std::string(what));
  if (read.error == EFBIG) {
    return Failure(path.string() + ": larger than " + std::to_string(maxBytes >> 20) + " MiB");
  }
  return Failure(path.string() + ": cannot read the " + std::string(what) + " (" +
                 files::ErrorText(read.error) + ")");
}

}  // namespace qv::session
