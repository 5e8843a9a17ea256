#pragma once
// Recording and replaying whole runs: where a replay keeps its files, the save a recording
// starts from, the headless runs, and the report a replay ends with.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "core/game.h"
#include "platform/headless/replay_file.h"
#include "platform/headless/replay_player.h"

namespace qv::headless {

// my.dat as the game will find it at start-up, into `save` (nullopt: there is none). False
// with a message when it exists but cannot be read.
bool ReadStartSave(const Paths& paths, std::optional<std::string>& save, std::string& error);

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
  bool Prepare(const Recording& r, const std::string& dataDir, std::string& error);
  // `program` with the save and record moved into this folder.
  Paths PathsFor(const Paths& program) const;

 private:
  std::filesystem::path dir_;
  bool scratch_ = false;
};

// qv --headless --script FILE --record FILE: the script's run, written down as it plays.
int RunHeadlessRecorded(const std::filesystem::path& script, const std::filesystem::path& recording,
                        const Paths& paths, uint32_t seed, std::ostream& out, std::ostream& err);

// qv --headless --replay FILE: plays a recording without a window, as fast as it goes.
// Snapshots named in it are written to `shotDir` when one is given.
int RunHeadlessReplay(const std::filesystem::path& recording, const Paths& paths,
                      const std::string& dataDir, const std::filesystem::path& shotDir,
                      std::ostream& out, std::ostream& err);

// Prints how a replay ended (the final hash always) and returns the program's exit code.
int ReportReplay(const Replayer& r, std::ostream& out, std::ostream& err);

}  // namespace qv::headless
