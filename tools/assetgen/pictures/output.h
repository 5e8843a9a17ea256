#pragma once
// Turning painted layers into the files the game loads: BMP (24-bit, or 8-bit with a palette
// chosen for the picture and ordered dithering), JPEG for the opening credit, PNG for icons.
#include <cstdint>
#include <string>
#include <vector>

#include "paint.h"

namespace qv::assetgen {

// 8-bit sRGB pixels of a layer, 3 bytes per pixel, top row first.
std::vector<uint8_t> ToRgb8(const Layer& l);

// Sprites: pixels painted less than half become the key colour and the bottom-left pixel is
// forced to it, because the game takes that pixel as the sprite's transparent colour. Other
// pixels that happen to equal the key are nudged off it so they never turn into holes.
std::vector<uint8_t> ToKeyed(const Layer& l, int keyHex);

void WriteBmp24(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb);
// Reduces to 256 colours (median cut) and writes an 8-bit palettised BMP.
void WriteBmp8(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb);
void WriteJpeg(const std::string& path, int w, int h, const std::vector<uint8_t>& rgb, int quality);
// RGBA PNG (the layer's coverage becomes the alpha channel).
void WritePngRgba(const std::string& path, const Layer& l);

}  // namespace qv::assetgen
