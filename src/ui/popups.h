#pragma once
// Drawing of one live pop-up by its type: the bouncing numbers on the main picture and the
// particle effects on the glow layer.
#include "core/game.h"
#include "ui/surfaces.h"

namespace qv::ui {

// Draws the pop-up at its current age (already raised for this frame); `offset` is the bounce
// of that age. Unknown types draw nothing.
void DrawPopup(Game& g, FrameCanvas& f, PopupSlot& p, int32_t offset);

}  // namespace qv::ui
