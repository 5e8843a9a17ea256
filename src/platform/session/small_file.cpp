#include "platform/session/small_file.h"

#include <cerrno>

#include "files/file_io.h"

namespace qv::session {

Result<std::string> ReadSmallFile(const std::filesystem::path& path, size_t maxBytes,
                                  std::string_view what) {
  Result<std::string> text = files::ReadFile(path, maxBytes);
  if (text.ok()) return text;
  if (text.code() == ENOENT) return Failure(path.string() + ": no such " + std::string(what));
  if (text.code() == EFBIG) {
    return Failure(path.string() + ": larger than " + std::to_string(maxBytes >> 20) + " MiB");
  }
  return Failure(path.string() + ": cannot read the " + std::string(what) + " (" + text.message() +
                 ")");
}

}  // namespace qv::session
