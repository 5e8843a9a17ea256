#pragma once
// Recording and replaying whole runs: where a replay keeps its files, the save a recording
// starts from, and the report a replay ends with.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "core/game.h"
#include "files/status.h"
#include "platform/session/replay_file.h"
#include "platform/session/replay_player.h"

namespace qv::session {

// my.dat as the game will find it at start-up (nullopt: there is none). Fails with a message
// when it exists but cannot be read.
Result<std::optional<std::string>> ReadStartSave(const Paths& paths);

// Where a replay keeps the files its game writes: never the player's own save. A scratch
// folder, removed afterwards; or `dataDir` when one is given, which is kept for a look at the
// saves the replay wrote (refused when it already holds a my.dat).
class ReplayFolder {
 public:
  ReplayFolder() = default;
  ReplayFolder(const ReplayFolder&) = delete;
  ReplayFolder& operator=(const ReplayFolder&) = delete;
  ~ReplayFolder();

  // Makes the folder and puts the recording's start save into it.
  Status Prepare(const Recording& r, const std::string& dataDir);
  // `program` with the save and record moved into this folder.
  Paths PathsFor(const Paths& program) const;

 private:
  std::filesystem::path dir_;
  bool scratch_ = false;
};

// Prints how a replay ended (the final hash always) and returns the program's exit code.
int ReportReplay(const Replayer& r, std::ostream& out, std::ostream& err);

}  // namespace qv::session
