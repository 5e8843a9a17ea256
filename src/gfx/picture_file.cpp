#include "gfx/picture_file.h"

namespace qv::gfx {

PictureResult DecodeBmp(std::span<const uint8_t>) { return {{}, "not built yet"}; }
PictureResult DecodeJpeg(std::span<const uint8_t>) { return {{}, "not built yet"}; }
PictureResult DecodePng(std::span<const uint8_t>) { return {{}, "not built yet"}; }
PictureResult LoadPicture(const std::filesystem::path&) { return {{}, "not built yet"}; }
std::vector<uint8_t> EncodePng(const Bitmap&) { return {}; }
std::vector<uint8_t> EncodeBmp(const Bitmap&) { return {}; }
std::string WritePng(const Bitmap&, const std::filesystem::path&) { return "not built yet"; }
std::string WriteBmp(const Bitmap&, const std::filesystem::path&) { return "not built yet"; }

}  // namespace qv::gfx
