#pragma once
// The record export 記録.txt: a short summary of the player, written after every save for
// the player to read or share. The game never reads it back.
#include <cstdint>
#include <string>

#include "core/game_state.h"

namespace qv::persist {

// The whole text in CP932 with CR LF.
std::string RecordText(const GameState& s);

// The rank shown after the score, in CP932 ("" below 50000 and from 10000000 on).
const std::string& RankForScore(int32_t score);

}  // namespace qv::persist
