#pragma once
// The save file my.dat (5465 lines with a check value), the name list name.dat, and the
// record export written after every save.
#include "core/game.h"

namespace qv::persist {

// Writes my.dat and then the record export, unless saving is disabled.
void SaveGame(Game& g);

// Reads my.dat and name.dat, checks, counts the load, saves, refills the master tables and
// queues the first prologue line.
void LoadGame(Game& g);

}  // namespace qv::persist
