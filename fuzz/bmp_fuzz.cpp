// Feeds arbitrary bytes to the BMP reader: it must answer with a picture or an error, and a
// picture it returns must be exactly as large as it says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx/canvas.h"
#include "gfx/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const qv::Result<qv::gfx::Bitmap> r = qv::gfx::DecodeBmp({data, size});
  if (!r.ok()) return 0;
  const qv::gfx::Bitmap& b = *r;
  if (b.Empty() || b.Pixels().size() != size_t(b.Width()) * size_t(b.Height())) std::abort();
  // Drawing a decoded sprite somewhere odd must stay inside the target.
  qv::gfx::Bitmap target(64, 48);
  qv::gfx::Canvas canvas(target);
  canvas.Draw(-b.Width() / 2, 40, b);
  return 0;
}
