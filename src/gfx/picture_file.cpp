// BMP out, and pictures by file (PNG goes through png_file.cpp).
#include "gfx/picture_file.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "files/file_io.h"

namespace qv::gfx {

std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap) {
  if (bitmap.Empty()) return {};
  const uint32_t stride = (uint32_t(bitmap.Width()) * 3 + 3) & ~3u;
  const uint32_t dataSize = stride * uint32_t(bitmap.Height());
  std::vector<uint8_t> out(54 + dataSize, 0);
  auto put16 = [&](size_t o, uint32_t v) { out[o] = uint8_t(v), out[o + 1] = uint8_t(v >> 8); };
  auto put32 = [&](size_t o, uint32_t v) { put16(o, v & 0xFFFF), put16(o + 2, v >> 16); };
  out[0] = 'B', out[1] = 'M';
  put32(2, uint32_t(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(bitmap.Width()));
  put32(22, uint32_t(bitmap.Height()));
  put16(26, 1);
  put16(28, 24);
  put32(34, dataSize);
  put32(38, 3780);  // 96 DPI
  put32(42, 3780);
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const Color* row = bitmap.Row(bitmap.Height() - 1 - y);
    uint8_t* o = out.data() + 54 + size_t(y) * stride;
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      o[x * 3] = uint8_t(BlueOf(row[x]));
      o[x * 3 + 1] = uint8_t(GreenOf(row[x]));
      o[x * 3 + 2] = uint8_t(RedOf(row[x]));
    }
  }
  return out;
}

namespace {

Status WriteBytes(const std::vector<uint8_t>& bytes, const std::filesystem::path& path) {
  if (bytes.empty()) return Failure("cannot encode an empty picture for " + path.string());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return Failure("cannot open " + path.string() + " for writing");
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.flush();
  if (!out) return Failure("cannot write " + path.string());
  return {};
}

}  // namespace

Status WritePng(const Bitmap& bitmap, const std::filesystem::path& path) {
  return WriteBytes(EncodePng(bitmap), path);
}

Status WriteBmp(const Bitmap& bitmap, const std::filesystem::path& path) {
  return WriteBytes(EncodeBmp(bitmap), path);
}

Status CreatePng(const Bitmap& bitmap, const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = EncodePng(bitmap);
  if (bytes.empty()) return Failure("cannot encode an empty picture for " + path.string());
  files::FileIo io;
  Status created = files::CreateNewFile(
      io, path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (created.ok()) return created;
  return Failure("cannot create " + path.string() + ": " + created.message(), created.code());
}

namespace {

// The reader chosen by the first bytes; unknown ones go by the file's name, for the clearest
// message.
Result<Bitmap> DecodeByContent(std::span<const uint8_t> bytes, const std::filesystem::path& path) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return DecodeJpeg(bytes);
  }
  static constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), kPngSignature, 8) == 0) {
    return DecodePng(bytes);
  }
  const std::string ext = path.extension().string();
  return (ext == ".jpg" || ext == ".jpeg" || ext == ".JPG") ? DecodeJpeg(bytes) : DecodeBmp(bytes);
}

}  // namespace

Result<Bitmap> LoadPicture(const std::filesystem::path& path) {
  // No picture of the game comes near this; a bigger file is not one of ours. Only a regular
  // file is read, so a FIFO or a device in cg/ can never stall the game.
  constexpr size_t kMaxPictureBytes = size_t{64} << 20;
  const Result<std::string> text = files::ReadFile(path, kMaxPictureBytes);
  if (!text.ok()) return Failure(path.string() + ": " + text.message());
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text->data()),
                                       text->size());
  Result<Bitmap> result = DecodeByContent(bytes, path);
  if (!result.ok()) return Failure(path.string() + ": " + result.message());
  return result;
}

}  // namespace qv::gfx
