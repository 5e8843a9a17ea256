#pragma once
// The save file my.dat (5465 lines with a check value), the name list name.dat, and the
// record export written after every save.
#include "core/game.h"
#include "persist/file_io.h"

namespace qv::persist {

// File names inside the folders of Game::paths.
inline constexpr const char* kSaveFileName = "my.dat";      // saveDir
inline constexpr const char* kNameFileName = "name.dat";    // datDir
inline constexpr const char* kRecordFileName = "記録.txt";  // recordDir

// Writes my.dat and then the record export, unless saving is disabled. A file that cannot be
// written is reported in a message box; the old file stays and the game goes on.
void SaveGame(Game& g);
void SaveGame(Game& g, FileIo& io);

// Reads my.dat and name.dat, checks, counts the load, saves, refills the master tables and
// queues the first prologue line. A missing my.dat starts a new game; a damaged one is
// reported and disables saving.
void LoadGame(Game& g);
void LoadGame(Game& g, FileIo& io);

// Removes temporary files an interrupted save left behind (LoadGame does this first).
void RemoveStaleTemporaryFiles(const Game& g);
void RemoveStaleTemporaryFiles(const Game& g, FileIo& io);

}  // namespace qv::persist
