#pragma once
// The character creation panel and the player's pictures.
#include <string>

#include "core/game.h"

namespace qv::creation {

// Picks the parameter that gets the one-time bonus (0 STR .. 5 回避率); no sound.
void ChooseBonusParam(Game& g, int32_t param);

// Picks the personality (0 お金持ち .. 5 狂人) with the click sound.
void ChoosePersonality(Game& g, int32_t personality);

// Picks race and sex (0 人間男 .. 9 仮面女) with the click sound and shows its portrait.
void ChooseRaceSex(Game& g, int32_t raceSex);

// Shows char<N>.bmp of the chosen race and sex on the panel; a missing file leaves it empty.
void UpdateCreationPortrait(Game& g);

// The summary caption of bp_l: the bonus parameter and the personality.
void RefreshCreationSummary(Game& g);

// Adds the personality, parameter and race-and-sex bonuses to the new character.
void ApplyCreationBonuses(Game& g);

// The OK button: names the character, applies the bonuses, saves, shows the map and, the
// first time, tells the opening monologue. Does nothing once a character exists.
void ConfirmCreation(Game& g);

// The player's battle picture for the race, sex and level: char<N>.bmp, then a/b/c as the
// player grows.
std::string PlayerPictureFile(const Game& g);

// Loads the player's battle picture into sprite slot 1; a missing file keeps the old one.
void SetPlayerPicture(Game& g);

}  // namespace qv::creation
