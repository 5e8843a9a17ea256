#pragma once
// Snapshots for the real-window test: SIGUSR1 asks the running game for its picture and a
// dump of its state, SIGUSR2 for the dump alone; the host's loop takes them at its next turn,
// between two events, so the test can wait for the game's state instead of sleeping.
#include <cstdint>
#include <filesystem>
#include <string>

#include "files/status.h"
#include "gfx/bitmap.h"

namespace qv::session {

enum class SnapshotRequest { None, Dump, Picture };

// Installs the handlers of SIGUSR1 and SIGUSR2.
void ListenForSnapshotRequests();
// The oldest request not yet taken (a picture before a dump).
SnapshotRequest TakeSnapshotRequest();

// Writes DIR/shot-N.png (when `picture` is given) and then DIR/dump-N.txt, each written aside
// and renamed so that it appears complete; a test that sees the dump can read both.
Status WriteSnapshotFiles(const std::filesystem::path& dir, int32_t n, const gfx::Bitmap* picture,
                          const std::string& dump);

}  // namespace qv::session
