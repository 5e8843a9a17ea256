#pragma once
// Walks a text file line by line: lines end in LF, a CR before it belongs to the line end.
#include <cstdint>
#include <string_view>

namespace qv::persist {

class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {}

  // The next line without its line end; false when the text is used up.
  bool Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNumber_;
    return true;
  }

  // 1-based number of the line Next gave last (0 before the first).
  int32_t lineNumber() const { return lineNumber_; }

 private:
  std::string_view rest_;
  int32_t lineNumber_ = 0;
};

}  // namespace qv::persist
