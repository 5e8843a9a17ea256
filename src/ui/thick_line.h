#pragma once
// Wide strokes of the particle effects: a line of the pen's width with round ends, filled row by
// row, so a long streak costs its rows and not its length times its width.
#include "gfx/canvas.h"

namespace qv::ui {

// A line from (x0, y0) to (x1, y1) in the canvas's pen (colour and width); one-pixel pens use
// the canvas's own line.
void WideLine(gfx::Canvas& c, int32_t x0, int32_t y0, int32_t x1, int32_t y1);

}  // namespace qv::ui
