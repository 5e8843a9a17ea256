#include "platform/session/small_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace qv::session {

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, size_t maxBytes,
                                         std::string_view what, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = path.string() + ": no such " + std::string(what);
    return std::nullopt;
  }
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > maxBytes) {
    error = path.string() + (ec ? ": cannot read the " + std::string(what)
                                : ": larger than " + std::to_string(maxBytes >> 20) + " MiB");
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    error = path.string() + ": cannot read the " + std::string(what);
    return std::nullopt;
  }
  return text;
}

}  // namespace qv::session
