#pragma once
// Game text is CP932; the font engine wants UTF-8. Each distinct string is converted once and
// kept, so a frame that redraws the same lines converts nothing.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qv::ui {

class TextCache {
 public:
  // The UTF-8 form of a CP932 string, for drawing. The backslash byte shows as the yen sign,
  // as Japanese screens have always shown it (money pop-ups read "\100").
  const std::string& Utf8(std::string_view cp932);
  size_t Size() const { return cache_.size(); }

 private:
  // Looked up by string_view, so a frame's lookups allocate nothing.
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> cache_;
};

}  // namespace qv::ui
