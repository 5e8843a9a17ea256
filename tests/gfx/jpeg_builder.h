#pragma once
// Encodes small JPEG files through libjpeg for the reader's tests and fuzz seeds.
#include <cstdio>
#include <cstdlib>
#include <vector>

// libjpeg's header expects size_t and FILE to be declared already.
#include <jpeglib.h>

#include "gfx/bitmap.h"

namespace qv::gfx::testing {

inline std::vector<uint8_t> EncodeJpeg(const gfx::Bitmap& b, int quality = 90, bool grey = false,
                                       bool progressive = false) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = JDIMENSION(b.Width());
  info.image_height = JDIMENSION(b.Height());
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(size_t(b.Width()) * 3);
  while (info.next_scanline < info.image_height) {
    const gfx::Color* in = b.Row(int32_t(info.next_scanline));
    for (int32_t x = 0; x < b.Width(); ++x) {
      if (grey) {
        row[x] = uint8_t(gfx::GreenOf(in[x]));
      } else {
        row[x * 3] = uint8_t(gfx::RedOf(in[x]));
        row[x * 3 + 1] = uint8_t(gfx::GreenOf(in[x]));
        row[x * 3 + 2] = uint8_t(gfx::BlueOf(in[x]));
      }
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> bytes(out, out + size);
  std::free(out);
  return bytes;
}

}  // namespace qv::gfx::testing
