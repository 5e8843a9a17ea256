// Feeds arbitrary bytes to the JPEG reader: a broken stream must come back as an error,
// never end the process.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const qv::Result<qv::gfx::Bitmap> r = qv::gfx::DecodeJpeg({data, size});
  if (r.ok() && (r->Empty() || r->Pixels().size() != size_t(r->Width()) * size_t(r->Height()))) {
    std::abort();
  }
  return 0;
}
