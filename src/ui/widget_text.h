#pragma once
// Laying out a widget's caption: CR or LF start a new line, word-wrapped captions break where
// a line would leave the widget.
#include <string>
#include <string_view>
#include <vector>

#include "gfx/canvas.h"

namespace qv::ui {

// The caption (UTF-8) cut into the lines a widget of `width` pixels shows with the canvas's font.
std::vector<std::string> LayoutLines(gfx::Canvas& c, std::string_view utf8, int32_t width, bool wrap);

// Byte offsets of the character boundaries of a CP932 text, 0 and its size included.
std::vector<size_t> Cp932Boundaries(std::string_view cp932);

}  // namespace qv::ui
