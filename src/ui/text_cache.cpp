#include "ui/text_cache.h"

#include "core/text.h"

namespace qv::ui {
namespace {

// Numbers change every frame; past this many strings the cache starts afresh.
constexpr size_t kMaxEntries = 4096;

}  // namespace

const std::string& TextCache::Utf8(std::string_view cp932) {
  auto it = cache_.find(cp932);
  if (it != cache_.end()) return it->second;
  if (cache_.size() >= kMaxEntries) cache_.clear();
  std::string out;
  size_t start = 0;
  // Only single bytes can be the backslash: a trail byte 0x5C belongs to its lead byte.
  for (size_t i = 0; i < cp932.size();) {
    const size_t len = Cp932CharLength(cp932, i);
    if (len == 1 && cp932[i] == '\\') {
      out += Cp932ToUtf8(cp932.substr(start, i - start));
      out += "\xC2\xA5";
      start = i + 1;
    }
    i += len;
  }
  out += Cp932ToUtf8(cp932.substr(start));
  return cache_.emplace(std::string(cp932), std::move(out)).first->second;
}

}  // namespace qv::ui
