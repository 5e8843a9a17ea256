#include "platform/session/replay_recorder.h"

#include "platform/session/replay_state.h"
#include "platform/session/replay_writer.h"

namespace qv::session {

Status Recorder::Open(const std::filesystem::path& path, uint32_t seed,
                      const std::optional<std::string>& startSave) {
  if (Status begun = Begin(seed, startSave, SIZE_MAX); !begun.ok()) return begun;
  return Keep(path);
}

Status Recorder::Begin(uint32_t seed, const std::optional<std::string>& startSave,
                       size_t maxBytes) {
  if (startSave && startSave->size() > kMaxStartSaveBytes) {
    return Failure("my.dat is larger than 4 MiB and cannot go into a recording");
  }
  Recording header;
  header.seed = seed;
  header.program = "qv-1.7";
  header.startSave = startSave;
  held_ = FormatRecordingHeader(header);
  if (held_.size() > maxBytes) return Failure("the recording's start is larger than its limit");
  holding_ = true;
  recorded_ = held_.size();
  maxBytes_ = maxBytes;
  // The first check compares against the save the game started from, so a returning
  // player's recording names only the lines the load itself changed.
  lastLines_ = startSave ? SplitSaveText(*startSave) : std::vector<std::string>{};
  return {};
}

Status Recorder::Keep(const std::filesystem::path& path) {
  if (!holding_) return Failure("no recording was begun for " + path.string());
  file_.open(path, std::ios::binary | std::ios::trunc);
  if (!file_) return Failure("cannot create the recording " + path.string());
  path_ = path;
  holding_ = false;
  file_ << held_;
  file_.flush();
  held_ = std::string();
  if (!file_) return Failure("cannot write the recording " + path.string());
  return {};
}

void Recorder::Forget() {
  forgotten_ = true;
  holding_ = false;
  held_ = std::string();
}

void Recorder::Write(const RecordingEntry& e) {
  if (forgotten_ || cut_ || !writeError_.empty() || (!holding_ && !file_.is_open())) return;
  const std::string text = FormatEntry(e);
  if (text.size() > maxBytes_ - recorded_) {
    cut_ = true;
    return;
  }
  recorded_ += text.size();
  if (holding_) {
    held_ += text;
    return;
  }
  file_ << text;
  // Every entry goes to the disk at once: a recording of a crash keeps all it saw.
  file_.flush();
  if (!file_) writeError_ = "the recording " + path_.string() + " could not be written";
}

void Recorder::MessageBox(std::string_view text) {
  inner_.MessageBox(text);
  RecordingEntry e;
  e.tick = ticks_;
  e.kind = EntryKind::Ok;
  Write(e);
}

bool Recorder::Confirm(std::string_view text) {
  const bool yes = inner_.Confirm(text);
  RecordingEntry e;
  e.tick = ticks_;
  e.kind = EntryKind::Answer;
  e.yes = yes;
  Write(e);
  return yes;
}

void Recorder::NoteSave(SavedFile file, const SaveNote& note) {
  inner_.NoteSave(file, note);
  if (ended_) return;
  RecordingEntry e;
  e.tick = ticks_;
  e.kind = EntryKind::Save;
  e.file = file;
  e.note = note;
  Write(e);
}

void Recorder::Check(Game& g, EntryKind kind) {
  // A recording that writes nothing more need not build the save's lines.
  if (forgotten_ || cut_) return;
  std::vector<std::string> lines = SaveLinesNow(g);
  RecordingEntry e;
  e.tick = ticks_;
  e.kind = kind;
  e.hash = HashSaveLines(lines);
  e.changes = ChangedLines(lastLines_, lines);
  lastLines_ = std::move(lines);
  if (kind == EntryKind::End) finalHash_ = e.hash;
  Write(e);
}

void Recorder::Started(Game& g) {
  Check(g, EntryKind::Check);
}

void Recorder::Input(Game& g, const InputEvent& e) {
  if (ended_) return;
  RecordingEntry entry;
  entry.tick = ticks_;
  entry.kind = EntryKind::Input;
  entry.input = e;
  Write(entry);
}

void Recorder::Ticked(Game& g) {
  if (ended_) return;
  ++ticks_;
  if (ticks_ % kCheckpointTicks == 0) Check(g, EntryKind::Check);
}

void Recorder::Snapshot(Game& g, int32_t n) {
  RecordingEntry e;
  e.tick = ticks_;
  e.kind = EntryKind::Shot;
  e.number = n;
  Write(e);
}

void Recorder::Closing(Game& g) {
  if (ended_) return;
  Check(g, EntryKind::End);
  ended_ = true;
  if (!file_.is_open()) return;
  file_.close();
  if (!file_ && writeError_.empty()) {
    writeError_ = "the recording " + path_.string() + " could not be written";
  }
}

}  // namespace qv::session
