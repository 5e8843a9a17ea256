// JPEG pictures through libjpeg. libjpeg reports fatal errors by calling a function that
// must not return; ours jumps back to the decoder, which then answers with the message.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

// libjpeg's headers expect size_t and FILE to be declared already.
#include <jpeglib.h>
// jerror.h builds on jpeglib.h.
#include <jerror.h>

#include "gfx/picture_file.h"

namespace qv::gfx {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  err->base.format_message(info, err->message);
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  // A stream that stops early would otherwise be padded with grey and reported as fine.
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnError(info);
}

// Everything that outlives a jump lives in the caller's frame; this function keeps no objects
// with destructors of its own. Returns false with `err.message` set on failure.
bool Decode(const uint8_t* data, unsigned long size, jpeg_decompress_struct& info,
            ErrorManager& err, std::vector<uint8_t>& rgb, int& width, int& height) {
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.emit_message = OnMessage;
  if (setjmp(err.jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  // A JPEG needs at least a few bits per 8 x 8 block; a size its data cannot fill is a lie.
  const int64_t pixels = int64_t{info.image_width} * info.image_height;
  if (info.image_width > uint32_t(kMaxBitmapSide) || info.image_height > uint32_t(kMaxBitmapSide) ||
      pixels > kMaxBitmapPixels ||
      pixels > static_cast<int64_t>(size) * 1024 + (int64_t{1} << 22)) {
    std::snprintf(err.message, sizeof err.message, "picture size %u x %u is too large",
                  info.image_width, info.image_height);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = int(info.output_width);
  height = int(info.output_height);
  if (info.output_components != 3) {
    std::snprintf(err.message, sizeof err.message, "unexpected %d colour components",
                  info.output_components);
    return false;
  }
  rgb.resize(size_t(width) * height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + size_t(info.output_scanline) * width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

Result<Bitmap> DecodeJpeg(std::span<const uint8_t> data) {
  if (data.size() < 4)
    return Failure("JPEG: file of " + std::to_string(data.size()) + " bytes is too short");
  jpeg_decompress_struct info;
  std::memset(&info, 0, sizeof info);
  ErrorManager err;
  err.message[0] = '\0';
  std::vector<uint8_t> rgb;
  int width = 0, height = 0;
  const bool ok =
      Decode(data.data(), static_cast<unsigned long>(data.size()), info, err, rgb, width, height);
  jpeg_destroy_decompress(&info);
  if (!ok) return Failure(std::string("JPEG: ") + err.message);
  Bitmap bmp(width, height);
  if (bmp.Empty()) return Failure("JPEG: empty picture");
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = rgb.data() + size_t(y) * width * 3;
    Color* out = bmp.Row(y);
    for (int x = 0; x < width; ++x) out[x] = Rgb(in[x * 3], in[x * 3 + 1], in[x * 3 + 2]);
  }
  return bmp;
}

}  // namespace qv::gfx
