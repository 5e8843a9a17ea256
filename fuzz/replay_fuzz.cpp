// Feeds arbitrary bytes to the game as a recording. A file the reader accepts must be written
// back to the same entries, and a short one is played against a fresh game: whatever its
// entries say, the replay ends in a verdict, never in a crash.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "core/game.h"
#include "core/master_data.h"
#include "flow/make_game.h"
#include "flow/tick.h"
#include "platform/session/replay_file.h"
#include "platform/session/replay_player.h"
#include "platform/session/replay_writer.h"
#include "simulate/quiet_host.h"

namespace {

// Longer recordings are only read: playing thousands of ticks per input would starve the
// search.
constexpr int32_t kLongestPlayed = 300;

// A folder of its own for whatever the played game saves (memory-backed when possible).
const std::filesystem::path& SaveFolder() {
  static const std::filesystem::path dir = [] {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::filesystem::path d = base / ("qv-replay-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

void CheckRoundTrip(const qv::session::Recording& r) {
  std::string text = qv::session::FormatRecordingHeader(r);
  for (const qv::session::RecordingEntry& e : r.entries) text += qv::session::FormatEntry(e);
  const qv::Result<qv::session::Recording> again = qv::session::ParseRecording(text);
  if (!again.ok() || again->seed != r.seed || again->startSave != r.startSave ||
      again->entries.size() != r.entries.size()) {
    __builtin_trap();
  }
  for (size_t i = 0; i < r.entries.size(); ++i) {
    const auto& a = r.entries[i];
    const auto& b = again->entries[i];
    if (a.tick != b.tick || a.kind != b.kind || !(a.input == b.input) || a.yes != b.yes ||
        a.number != b.number || a.hash != b.hash || !(a.changes == b.changes)) {
      __builtin_trap();
    }
  }
}

void Play(const qv::session::Recording& r) {
  if (!r.entries.empty() && r.entries.back().tick > kLongestPlayed) return;
  qv::QuietHost host;
  std::ostringstream out;
  qv::session::Replayer replayer(host, r, out);
  const std::filesystem::path& dir = SaveFolder();
  std::unique_ptr<qv::Game> game = qv::MakeGame(&replayer, nullptr, qv::Paths{dir, dir, dir, dir});
  qv::Game& g = *game;
  g.seed = r.seed;
  g.rng.Seed(r.seed);
  qv::FillMasterData(g.state);
  replayer.Started(g);
  for (int32_t i = 0; i <= kLongestPlayed && !replayer.Done(); ++i) {
    qv::Timer1Timer(g);
    replayer.Ticked(g);
  }
  replayer.Closing(g);
  if (replayer.Outcome() == qv::session::ReplayOutcome::Playing) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const qv::Result<qv::session::Recording> parsed = qv::session::ParseRecording(text, "fuzz");
  if (!parsed.ok()) {
    // A refusal always names the line.
    if (parsed.message().rfind("fuzz:", 0) != 0) __builtin_trap();
    return 0;
  }
  CheckRoundTrip(*parsed);
  Play(*parsed);
  return 0;
}
