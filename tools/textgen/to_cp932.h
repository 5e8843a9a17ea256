// The UTF-8 to CP932 conversion both text generators use: glibc's "CP932", the same
// conversion the game uses for its own texts. Empty when the text has no CP932 form.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>

namespace textgen {

inline std::optional<std::string> ToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(utf8.size() * 2 + 8, '\0');
  char* src = const_cast<char*>(utf8.data());
  size_t srcLeft = utf8.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1) || srcLeft != 0) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

}  // namespace textgen
