// The browser build carries no JPEG or PNG library: its page ships cr.jpg already decoded (as
// BMP bytes under the same name, which the picture reader recognises by their first bytes), and
// it writes no screenshots.
#include "gfx/picture_file.h"

namespace qv::gfx {

Result<Bitmap> DecodeJpeg(std::span<const uint8_t>) {
  return Failure("JPEG: not read in the browser (the page ships its pictures decoded)");
}

Result<Bitmap> DecodePng(std::span<const uint8_t>) {
  return Failure("PNG: not read in the browser");
}

std::vector<uint8_t> EncodePng(const Bitmap&) {
  return {};
}

}  // namespace qv::gfx
