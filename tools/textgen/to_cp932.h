// The conversions the text generators use: glibc's "CP932", the same conversion the game uses
// for its own texts. Empty when the text has no form in the other code set.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>

namespace textgen {

// `in` converted by glibc's iconv from the code set `from` to `to`; nullopt when any of it has
// no form there.
inline std::optional<std::string> Convert(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 8, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1) || srcLeft != 0) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

inline std::optional<std::string> ToCp932(const std::string& utf8) {
  return Convert("CP932", "UTF-8", utf8);
}

}  // namespace textgen
