// Feeds arbitrary bytes to the JPEG reader: a broken stream must come back as an error,
// never end the process.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::gfx::PictureResult r = qv::gfx::DecodeJpeg({data, size});
  if (r && (r.bitmap.Empty() ||
            r.bitmap.Pixels().size() != size_t(r.bitmap.Width()) * size_t(r.bitmap.Height())))
    std::abort();
  return 0;
}
