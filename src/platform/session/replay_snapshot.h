#pragma once
// Snapshots for the real-window test: SIGUSR1 asks the running game for its picture and a
// dump of its state, SIGUSR2 for the dump alone; the host's loop takes them at its next turn,
// between two events, so the test can wait for the game's state instead of sleeping.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/status.h"
#include "gfx/bitmap.h"

namespace qv::session {

enum class SnapshotRequest { None, Dump, Picture };

// Installs the handlers of SIGUSR1 and SIGUSR2.
void ListenForSnapshotRequests();
// The oldest request not yet taken (a picture before a dump).
SnapshotRequest TakeSnapshotRequest();

// Writes DIR/shot-NAME.png (when `picture` is given) and then DIR/dump-NAME.txt, each written
// aside and renamed so that it appears complete; a test that sees the dump can read both.
// NAME is the snapshot's number, or "end" for the end of a headless replay.
Status WriteSnapshotFiles(const std::filesystem::path& dir, std::string_view name,
                          const gfx::Bitmap* picture, const std::string& dump);

}  // namespace qv::session
