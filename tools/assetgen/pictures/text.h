#pragma once
// Japanese captions painted into pictures with the IPA Gothic faces installed on this
// machine, rasterised by FreeType. Without the font the caption is simply left out.
#include <string>
#include <vector>

#include "paint.h"

namespace qv::assetgen {

// Coverage of one line of text; baseline is the row of the baseline inside the mask.
struct TextMask {
  int w = 0, h = 0, baseline = 0;
  std::vector<float> cov;
  float at(int x, int y) const {
    return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : cov[static_cast<size_t>(y) * w + x];
  }
};

// Renders UTF-8 text at a pixel size; proportional face unless fixed is true.
TextMask RenderText(const std::string& utf8, int pixelSize, bool fixed = false);
// RenderText at the pixel size, or smaller until the text is at most maxWidth wide (a
// translated caption where the Japanese had one or two characters).
TextMask RenderFitted(const std::string& utf8, int pixelSize, int maxWidth);
// Spreads the coverage by r pixels (a soft halo for glowing titles).
TextMask Blur(const TextMask& m, int r);
// Paints a mask with its top-left corner at (x, y).
void PaintMask(Layer& l, const TextMask& m, int x, int y, Col c, float opacity = 1);
// Paints a mask filled with a vertical gradient from top to bottom colour.
void PaintMaskGradient(Layer& l, const TextMask& m, int x, int y, Col top, Col bottom);

}  // namespace qv::assetgen
