#pragma once
// Start-up, the opening credit and title screens, and the reset.
#include <cstdint>

#include "core/game.h"

namespace qv {

// Keys the game reacts to (the window's own key codes).
constexpr int32_t kKeyEnter = 13;
constexpr int32_t kKeyF1 = 112;

// The window's creation: sounds, sprites, master data, the save, the opening credit. False
// when the game cannot be played (its map picture is missing or broken): the player has been
// told, the window closes, and nothing was read or written.
bool FormCreate(Game& g);
// The screen-advancing click on the main picture (also Enter on the opening screens).
void ClickMain(Game& g, int32_t x, int32_t y, bool rightButton);
// Enter on the opening screens; F1 on the opening credit offers the reset.
void FormKeyDown(Game& g, int32_t key);
// The window is closing: text operations stop.
void FormClose(Game& g);
// The window is gone: release what start-up took.
void FormDestroy(Game& g);

}  // namespace qv
