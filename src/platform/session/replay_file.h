#pragma once
// The recording file of a played session: the seed, the save the game started from, every
// input with the tick it arrived at, every box answer, what became of each save, and a check of the
// saved state every 100 ticks with the save lines that changed since the last one. It is plain
// ASCII, one entry a line, so that it can be attached to a bug report; bytes outside printable
// ASCII are written %XX. A recording is untrusted: every field is bounded and a bad line is named.
// Its lines are read by replay_parser.h and written by replay_writer.h.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "files/status.h"
#include "platform/session/replay_coding.h"
#include "platform/session/replay_input.h"

namespace qv::session {

// The first line of every recording; the number changes when the format does.
inline constexpr std::string_view kRecordingMagic = "qv-replay 1";
// Ticks between two checks of the saved state.
constexpr int32_t kCheckpointTicks = 100;

// Limits on what a recording may hold.
constexpr size_t kMaxRecordingBytes = 64 * 1024 * 1024;
constexpr size_t kMaxRecordingLineBytes = 64 * 1024;
constexpr size_t kMaxStartSaveBytes = 4 * 1024 * 1024;
constexpr int32_t kMaxRecordedTick = 1'000'000'000;
constexpr int32_t kMaxSaveLineNumber = 100'000;
constexpr size_t kMaxInputTextBytes = 4096;
// Base64 characters on one line of the start save.
constexpr size_t kBase64LineChars = 76;
// The most ticks a replay plays, about twenty hours of play: a longer recording is refused at
// the line that passes it, so a small file can never keep a replay running for hours.
constexpr int32_t kMaxReplayTicks = 1'000'000;

enum class EntryKind : uint8_t {
  Input,   // an input event reached the game
  Answer,  // a Yes/No box was answered (yes)
  Ok,      // an information box was closed
  Check,   // the saved state's hash after `tick` ticks, with the lines changed since the last
  Shot,    // a test snapshot numbered `number` was taken here
  End,     // the window closed: the final hash, with the lines changed since the last check
  Save,    // what became of a file of a save (written, failed, refused), for the replay to repeat
};

// One save line as it stood at a check (1-based line number, CP932 bytes without CR LF).
struct SaveLineChange {
  int32_t line = 0;
  std::string value;
  bool operator==(const SaveLineChange&) const = default;
};

struct RecordingEntry {
  int32_t tick = 0;  // timer events run before this entry
  EntryKind kind = EntryKind::Input;
  InputEvent input;                     // Input
  bool yes = false;                     // Answer
  int32_t number = 0;                   // Shot
  SavedFile file = SavedFile::Save;     // Save
  SaveNote note;                        // Save
  uint64_t hash = 0;                    // Check, End
  std::vector<SaveLineChange> changes;  // Check, End
  int32_t fileLine = 0;                 // where it stood in the file (0 when made in memory)
};

struct Recording {
  uint32_t seed = 0;
  std::string program;                   // the program that wrote it (for messages only)
  std::optional<std::string> startSave;  // my.dat when the game started; none: a new player
  std::vector<RecordingEntry> entries;
};

// Reads a recording one entry at a time. What it keeps stays within a few megabytes whatever
// the file holds (the start save is the largest part), so a file of a million entries costs
// no more than a file of ten.
class RecordingReader {
 public:
  // From a file, read in pieces (a regular file of at most kMaxRecordingBytes).
  explicit RecordingReader(const std::filesystem::path& path, int32_t maxTicks = kMaxReplayTicks);
  // From text in memory, which must outlive the reader; `name` appears in messages.
  RecordingReader(std::string_view text, std::string_view name, int32_t maxTicks = kMaxReplayTicks);
  ~RecordingReader();
  RecordingReader(const RecordingReader&) = delete;
  RecordingReader& operator=(const RecordingReader&) = delete;

  // Reads up to the first entry; false when the header is bad (Error names the line).
  bool ReadHeader();
  // The seed, the program and the start save; its entries stay empty.
  const Recording& Header() const;
  // The next entry; false at the end of the recording, or at a bad line (Error names it).
  bool Next(RecordingEntry& e);
  // Ok while all is well; otherwise failed with "NAME:LINE: why" (or "NAME: why" for the file
  // itself).
  const Status& status() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Parses a whole recording into memory; `name` appears in the failure ("NAME:LINE: why").
Result<Recording> ParseRecording(std::string_view text, std::string_view name = "recording");
// Reads and parses a whole recording file into memory (tests; a replay streams it).
Result<Recording> LoadRecording(const std::filesystem::path& path);

// A recording file read from end to end without keeping its entries: its header, and where
// it ends.
struct RecordingCheck {
  Recording header;  // without entries
  int32_t endTick = 0;
  size_t entries = 0;
};
Result<RecordingCheck> CheckRecordingFile(const std::filesystem::path& path,
                                          int32_t maxTicks = kMaxReplayTicks);

}  // namespace qv::session
