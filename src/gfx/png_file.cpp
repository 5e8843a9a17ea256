// PNG in and out through libpng's simple interface (screenshots and golden pictures).
#include <png.h>

#include <cstring>

#include "gfx/picture_file.h"

namespace qv::gfx {

Result<Bitmap> DecodePng(std::span<const uint8_t> data) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
    return Failure(std::string("PNG: ") + image.message);
  if (image.width == 0 || image.height == 0 || image.width > uint32_t(kMaxBitmapSide) ||
      image.height > uint32_t(kMaxBitmapSide) ||
      int64_t{image.width} * image.height > kMaxBitmapPixels) {
    png_image_free(&image);
    return Failure("PNG: picture size " + std::to_string(image.width) + " x " +
                   std::to_string(image.height) + " is not supported");
  }
  image.format = PNG_FORMAT_BGRA;  // one little-endian 0xAARRGGBB word per pixel
  std::vector<uint32_t> pixels(size_t(image.width) * image.height);
  png_color background{0, 0, 0};
  if (!png_image_finish_read(&image, &background, pixels.data(), 0, nullptr))
    return Failure(std::string("PNG: ") + image.message);
  Bitmap bmp(int32_t(image.width), int32_t(image.height));
  for (size_t i = 0; i < pixels.size(); ++i) {
    const auto* p = reinterpret_cast<const uint8_t*>(&pixels[i]);
    bmp.Pixels()[i] = Rgb(p[2], p[1], p[0]);
  }
  return bmp;
}

std::vector<uint8_t> EncodePng(const Bitmap& bitmap) {
  if (bitmap.Empty()) return {};
  std::vector<uint8_t> rgb(size_t(bitmap.Width()) * bitmap.Height() * 3);
  for (size_t i = 0; i < bitmap.Pixels().size(); ++i) {
    const Color c = bitmap.Pixels()[i];
    rgb[i * 3] = uint8_t(RedOf(c));
    rgb[i * 3 + 1] = uint8_t(GreenOf(c));
    rgb[i * 3 + 2] = uint8_t(BlueOf(c));
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(bitmap.Width());
  image.height = png_uint_32(bitmap.Height());
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

}  // namespace qv::gfx
