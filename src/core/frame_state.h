#pragma once
// State of the frame composition that lives between frames (shakes, slide-ins, the picture
// names of the background and the glow layer).
#include <array>
#include <cstdint>
#include <string>

namespace qv {

// One of the sparks that fly over the title picture.
struct TitleSprite {
  int32_t active = 0;  // 0 free, else frames alive + 1
  int32_t kind = 0;    // 0 the big star, 1 the small one
  int32_t frame = 0;   // 0..5
  int32_t x = 0, y = 0;
  int32_t vx = 0, vy = 0;  // pixels per frame, leftwards and upwards
  int32_t life = 0;        // frames of slowing down
};

constexpr int kTitleSprites = 30;

struct FrameState {
  std::string background;  // file of cg/ last shown by ShowBackground
  // File of cg/ showing the free area's enemy ("man0.bmp" or "man1.bmp"), drawn at the right
  // edge while the battle runs; empty for story encounters, whose backgrounds show the enemy.
  std::string enemyPicture;
  // Display offsets of the two status panels and the command box; -200 slides them in.
  int32_t playerPanelOffset = 0;
  int32_t enemyPanelOffset = 0;
  int32_t commandBoxOffset = 0;
  int32_t playerShake = 0;  // frames of screen shake left (the player was hit)
  int32_t enemyShake = 0;   // frames of enemy-panel shake left (the enemy was hit)
  int32_t mapShown = 0;     // 1 while the map screen is up: frames also go to cg2
  std::array<TitleSprite, kTitleSprites> titleSprites{};
};

}  // namespace qv
