#pragma once
// Laying out a widget's caption: CR or LF start a new line, word-wrapped captions break where
// a line would leave the widget.
#include <string>
#include <string_view>
#include <vector>

#include "gfx/canvas.h"

namespace qv::ui {

// The caption (UTF-8) cut into the lines a widget of `width` pixels shows with the canvas's font.
std::vector<std::string> LayoutLines(gfx::Canvas& c, std::string_view utf8, int32_t width,
                                     bool wrap);

// A caption in another language, laid out to fit a widget of `width` x `height` pixels: lines
// broken between words (CR or LF break too), and when a word or the lines still do not fit,
// the canvas's font made smaller step by step down to `minHeight` pixels. The font that fits
// stays set on the canvas. Nothing is cut unless even the smallest font leaves a word too wide.
std::vector<std::string> FitLines(gfx::Canvas& c, std::string_view utf8, int32_t width,
                                  int32_t height, int32_t minHeight);

// True when the laid-out lines fit: no line wider than `width`, and no taller than `height`
// (one line always counts as fitting in height, as the Japanese captions have it).
bool LinesFit(gfx::Canvas& c, const std::vector<std::string>& lines, int32_t width, int32_t height);

// Byte offsets of the character boundaries of a CP932 text, 0 and its size included.
std::vector<size_t> Cp932Boundaries(std::string_view cp932);

}  // namespace qv::ui
