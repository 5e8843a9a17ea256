// Translation catalogs before any text of them is shown: any bytes are checked without a
// fault, and a catalog that passes answers every look-up with a whole NUL-ended text inside
// it (singular, plural forms, contexts) and a plural form inside the header's count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ui/catalog.h"
#include "ui/mo_file.h"

namespace {

// Touches every byte of a text found, so a text that runs off its catalog is caught.
void Read(const char* text) {
  if (text == nullptr) return;
  volatile size_t n = std::strlen(text);
  (void)n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const qv::Result<qv::ui::MoFile> mo = qv::ui::MoFile::Parse(bytes);
  if (!mo.ok()) {
    if (mo.message().empty()) std::abort();
    return 0;
  }
  if (mo->PluralCount() < 1) std::abort();
  // The texts of the input itself are the likeliest keys.
  std::vector<std::string_view> keys = {"", "a", "list"};
  for (size_t at = 0; at < size && keys.size() < 24;) {
    const size_t end = std::min(bytes.find('\0', at), size);
    if (end > at) keys.push_back(std::string_view(bytes).substr(at, end - at));
    at = end + 1;
  }
  constexpr int64_t kCounts[] = {0, 1, 2, 3, 5, 11, 21, 101, -1, INT64_MAX, INT64_MIN};
  for (const int64_t n : kCounts) {
    const int32_t form = mo->PluralIndex(n);
    if (form < 0 || form >= mo->PluralCount()) std::abort();
  }
  for (const std::string_view key : keys) {
    Read(mo->Find(key));
    Read(mo->Find(key, "list"));
    const size_t sep = key.find('\x04');
    if (sep != std::string_view::npos) Read(mo->Find(key.substr(sep + 1), key.substr(0, sep)));
    for (const int64_t n : kCounts) Read(mo->FindPlural(key, "plural", n));
  }
  // The catalog as the game holds it: a copy outlives the one it came from.
  const char* kept = nullptr;
  {
    qv::Result<qv::ui::Catalog> c = qv::ui::Catalog::FromBytes("xx", bytes);
    if (!c.ok() || !c->Active()) std::abort();
    qv::ui::Catalog copy = *c;
    if (keys.size() > 3) kept = copy.Find(keys[3]);
    c = qv::ui::Catalog();
    Read(copy.Find(keys.back()));
    Read(copy.Plural("one", "many", 2));
    Read(kept);
  }
  return 0;
}
