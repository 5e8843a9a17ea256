#pragma once
// What must hold between any two ticks of a running game, whatever the player clicked: both
// sides within their limits, counters not below zero, every index inside the table it picks
// from. Long runs check it after every tick.
#include <string>

#include "core/game.h"

namespace qv {

// The first broken rule, in words; empty when everything holds.
std::string CheckInvariants(const Game& g);

// The rules of one battle side only ("player " or "enemy " starts the answer).
std::string CheckCombatant(const Game& g, int side);

}  // namespace qv
