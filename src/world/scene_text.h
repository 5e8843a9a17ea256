#pragma once
// The lines the island's scenes queue: monologue chapters and the talk before and after each
// encounter, in CP932 with the player's name filled in.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game.h"
#include "world/story_text.h"

namespace qv::world {

// The opening monologue told after the character is made. Like the chapters and encounters
// below, it remembers how its lines with the player's name were made, for another language.
std::vector<std::string> OpeningLines(Game& g);

// The lines of a monologue chapter (30..38); never empty for a chapter of the game.
std::vector<std::string> ChapterLines(Game& g, int32_t id);

// The talk before an encounter's battle and after its victory.
std::vector<std::string> EncounterDialogue(Game& g, int32_t code, Visit visit);
std::vector<std::string> EncounterVictory(Game& g, int32_t code, Visit visit);

// Writes lines into a queue from its first entry; the rest of the queue is emptied, so the
// entry after the last line ends it. Lines past the queue's end are dropped.
void QueueLines(std::array<std::string, kQueuedLines>& queue,
                const std::vector<std::string>& lines);

}  // namespace qv::world
