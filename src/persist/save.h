#pragma once
// The save file my.dat (5465 lines with a check value), the name list name.dat, and the
// record export written after every save.
#include <cstddef>
#include <filesystem>

#include "core/game.h"
#include "files/file_io.h"

namespace qv::persist {

using files::FileIo;

// File names inside the folders of Game::paths.
inline constexpr const char* kSaveFileName = "my.dat";      // saveDir
inline constexpr const char* kNameFileName = "name.dat";    // datDir
inline constexpr const char* kRecordFileName = "記録.txt";  // recordDir; not shown

// A real save is about 30 KB and the name list a few KB; anything far larger is not ours.
inline constexpr size_t kMaxSaveBytes = size_t{16} << 20;
inline constexpr size_t kMaxNameBytes = size_t{1} << 20;

// Writes my.dat and then the record export, unless saving is off (a damaged save, or another
// copy of the game holds the folder). True when my.dat now holds the game; false when it was
// not written, after telling the player why in a message box (the old file stays).
bool SaveGame(Game& g);
bool SaveGame(Game& g, FileIo& io);

// The reset's save: as SaveGame, but the my.dat it replaces is first kept as my.dat.bak (one
// rotation). When the old file cannot be kept, or the save fails, nothing is replaced and
// saving stays off until the next reset, so the old file is never lost.
struct ResetSave {
  bool saved = false;
  std::filesystem::path backup;  // where the old file was kept; empty when there was none
};
ResetSave SaveAfterReset(Game& g);
ResetSave SaveAfterReset(Game& g, FileIo& io);

// Reads my.dat and name.dat, checks, counts the load, saves, refills the master tables and
// queues the first prologue line. A missing my.dat starts a new game; a damaged or unreadable
// one is reported (with what to do about it) and disables saving.
void LoadGame(Game& g);
void LoadGame(Game& g, FileIo& io);

// Removes temporary files an interrupted save left behind (LoadGame does this first), only
// while this copy holds the save folder's lock and only in that folder.
void RemoveStaleTemporaryFiles(const Game& g);
void RemoveStaleTemporaryFiles(const Game& g, FileIo& io);

}  // namespace qv::persist
