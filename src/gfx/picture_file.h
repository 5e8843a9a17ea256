#pragma once
// Picture files: BMP and JPEG in, PNG and BMP out. Every reader treats its input as untrusted
// and answers a damaged file with an error naming the problem and the byte offset.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "files/status.h"
#include "gfx/bitmap.h"

namespace qv::gfx {

// BMP: 1, 4, 8, 16, 24 and 32 bits, uncompressed, RLE4, RLE8 and bit fields, either row order.
Result<Bitmap> DecodeBmp(std::span<const uint8_t> data);
// JPEG through libjpeg; a broken stream is an error, never the end of the program.
Result<Bitmap> DecodeJpeg(std::span<const uint8_t> data);
// PNG through libpng (screenshots and golden pictures).
Result<Bitmap> DecodePng(std::span<const uint8_t> data);
// Reads a picture file, choosing the reader by its first bytes; errors start with the path.
Result<Bitmap> LoadPicture(const std::filesystem::path& path);

// PNG bytes of the picture (8-bit RGB); empty on failure.
std::vector<uint8_t> EncodePng(const Bitmap& bitmap);
// BMP bytes: 24-bit uncompressed, bottom-up.
std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap);
// Writes the picture as PNG or BMP.
Status WritePng(const Bitmap& bitmap, const std::filesystem::path& path);
Status WriteBmp(const Bitmap& bitmap, const std::filesystem::path& path);
// Writes the picture as PNG into a new file (files::CreateNewFile): EEXIST when the name is
// taken, by anything, a link to nothing included.
Status CreatePng(const Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace qv::gfx
