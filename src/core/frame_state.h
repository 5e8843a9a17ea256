#pragma once
// State of the frame composition that lives between frames (shakes, slide-ins, the picture
// names of the background and the glow layer).
#include <cstdint>
#include <string>

namespace qv {

struct FrameState {
  std::string background;  // file of cg/ last shown by ShowBackground
  // Display offsets of the two status panels and the command box; -200 slides them in.
  int32_t playerPanelOffset = 0;
  int32_t enemyPanelOffset = 0;
  int32_t commandBoxOffset = 0;
};

}  // namespace qv
