#include "gfx/fonts.h"

namespace qv::gfx {

struct FontLibrary::Impl {
  FontFiles files;
  bool cache = true;
  int64_t rasterised = 0;
};

int32_t PointsToPixels(int32_t points) { return (points * 96 + 36) / 72; }

FontLibrary::FontLibrary() : impl_(std::make_unique<Impl>()) {}
FontLibrary::FontLibrary(FontFiles files) : impl_(std::make_unique<Impl>()) {
  impl_->files = std::move(files);
}
FontLibrary::~FontLibrary() = default;
FontLibrary& FontLibrary::Shared() {
  static FontLibrary shared;
  return shared;
}
Size FontLibrary::Measure(const Font&, std::string_view) { return {}; }
FontMetrics FontLibrary::Metrics(const Font&) { return {}; }
int32_t FontLibrary::Draw(Bitmap&, int32_t, int32_t, const Font&, std::string_view) { return 0; }
bool FontLibrary::Available(FontFace) { return false; }
std::string FontLibrary::FileOf(FontFace) { return {}; }
void FontLibrary::SetCacheEnabled(bool on) { impl_->cache = on; }
bool FontLibrary::CacheEnabled() const { return impl_->cache; }
int64_t FontLibrary::RasterisedCount() const { return impl_->rasterised; }
void FontLibrary::ClearCache() {}
char32_t NextCodePoint(std::string_view utf8, size_t& pos) {
  return pos < utf8.size() ? static_cast<unsigned char>(utf8[pos++]) : 0;
}

}  // namespace qv::gfx
