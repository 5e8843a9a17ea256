#pragma once
// The end of a battle (death and game over, victory, the level-up, the bonus and rare-drop
// rolls) and the four routines through which the player gains anything anywhere in the game.
#include <cstdint>

#include "core/game.h"

namespace qv::battle {

// Step 5: the player's death starts the game over; the enemy's fall pays the rewards and
// waits for a click; otherwise the turn goes on to the level-up check.
void CheckBattleEnd(Game& g);

// The game-over sound and tune; the next click on the main picture reloads the save.
void GameOver(Game& g);

// Step 6: at most one level per check, with its gains and traits, then waits for a click.
void CheckLevelUp(Game& g);

// After the last victory line: the chance of a new skill, set-item or BP.
void RollVictoryBonus(Game& g);

// Step 8: the one-in-a-hundred chance of a rare item.
void RollRareDrop(Game& g);

// One more of an item (rare items also score); an index with no name is ignored.
void GainItem(Game& g, int32_t item);

// Money, with its log line (and coin sound and pop-up when positive); 0 shows nothing.
void GainMoney(Game& g, int32_t n);

// The player's experience, with its log line and pop-up; 0 shows nothing.
void GainExperience(Game& g, int32_t n);

// Points: at most 9999 at once, plus what the worn equipment adds.
void AddScore(Game& g, int32_t n);

// Experience the player needs for the level after this one.
int32_t ExperienceForNextLevel(int32_t level);

// Number of learned skills among the ordinary ids 0..99.
int32_t LearnedSkillCount(const GameState& s);

}  // namespace qv::battle
