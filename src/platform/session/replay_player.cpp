#include "platform/session/replay_player.h"

#include "core/text.h"
#include "gfx/picture_file.h"
#include "platform/session/replay_state.h"
#include "platform/session/replay_writer.h"
#include "platform/session/state_dump.h"
#include "ui/screen.h"

namespace qv::session {
namespace {

// A save line for a message: UTF-8, quoted, cut when very long.
std::string Quoted(std::string_view cp932) {
  constexpr size_t kLongest = 80;
  std::string text = IsValidCp932(cp932) ? Cp932ToUtf8(cp932) : EscapeBytes(cp932);
  if (text.size() > kLongest) text = text.substr(0, kLongest) + "...";
  return "'" + text + "'";
}

}  // namespace

LineDifference FirstDifference(const std::vector<std::string>& recorded,
                               const std::vector<std::string>& replayed) {
  const size_t n = std::max(recorded.size(), replayed.size());
  for (size_t i = 0; i < n; ++i) {
    const std::string a = i < recorded.size() ? recorded[i] : std::string();
    const std::string b = i < replayed.size() ? replayed[i] : std::string();
    if (a != b) return {static_cast<int32_t>(i + 1), a, b};
  }
  return {};
}

Replayer::Replayer(Host& inner, const Recording& recording, std::ostream& out)
    : inner_(inner), entries_(&recording.entries), out_(out) {
  if (!recording.entries.empty()) endTick_ = recording.entries.back().tick;
  if (recording.startSave) expected_ = SplitSaveText(*recording.startSave);
}

Replayer::Replayer(Host& inner, RecordingReader& reader, int32_t endTick, std::ostream& out)
    : inner_(inner), reader_(&reader), endTick_(endTick), out_(out) {
  if (reader.Header().startSave) expected_ = SplitSaveText(*reader.Header().startSave);
}

const RecordingEntry* Replayer::Peek() {
  if (next_) return &*next_;
  if (entries_ != nullptr) {
    if (cursor_ >= entries_->size()) return nullptr;
    next_ = (*entries_)[cursor_++];
    return &*next_;
  }
  RecordingEntry e;
  if (reader_ == nullptr || !reader_->Next(e)) {
    // Read whole before the replay began; it can only fail now if it changed since.
    if (reader_ != nullptr && !reader_->status().ok()) {
      Stop(ReplayOutcome::Differs,
           "the recording cannot be read on: " + reader_->status().message());
    }
    return nullptr;
  }
  next_ = std::move(e);
  return &*next_;
}

void Replayer::WriteShots(ui::Screen& screen, const std::filesystem::path& dir) {
  screen_ = &screen;
  shotDir_ = dir;
}

int32_t Replayer::EndTick() const {
  return endTick_;
}

std::string Replayer::NextEntryText() {
  const RecordingEntry* next = Peek();
  if (next == nullptr) return "nothing more";
  const RecordingEntry& e = *next;
  std::string text = FormatEntry(e);
  // A check shows only its own line, not the save lines before it.
  if (const size_t last = text.rfind('\n', text.size() - 2); last != std::string::npos) {
    text = text.substr(last + 1);
  }
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return "'" + text + "' (line " + std::to_string(e.fileLine) + ")";
}

void Replayer::Stop(ReplayOutcome outcome, std::string why) {
  if (outcome_ != ReplayOutcome::Playing) return;
  outcome_ = outcome;
  verdict_ = std::move(why);
}

std::optional<SaveNote> Replayer::ReplayedSave(SavedFile file) {
  lastSaveTick_ = ticks_;
  lastSaveWritten_ = true;
  if (Done()) return std::nullopt;
  const RecordingEntry* e = Peek();
  if (e == nullptr || e->kind != EntryKind::Save || e->tick != ticks_ || e->file != file) {
    return std::nullopt;
  }
  const SaveNote note = e->note;
  Pop();
  notesSaves_ = true;
  lastSaveWritten_ = note.outcome == SaveNote::Outcome::Written;
  return note;
}

std::string Replayer::LikelyCause(int32_t atTick, int32_t line) const {
  // The line only a save changes: the sequencer's phase taken at saving.
  constexpr int32_t kPhaseAtSaveLine = 5451;
  if (line == kPhaseAtSaveLine && !notesSaves_) {
    return "; that line changes only when the game saves: a save that was refused or failed "
           "when this was recorded (a folder another qv held, a full disk) is the likelier "
           "cause, and this recording does not note what its saves did (it was made by an "
           "older qv)";
  }
  if (lastSaveTick_ != atTick) return "";
  if (!notesSaves_) {
    return "; the game saved there: the save probably went otherwise when this was "
           "recorded (a full disk, a folder another qv held), and this recording does not note "
           "what its saves did (it was made by an older qv)";
  }
  if (!lastSaveWritten_) {
    return "; the game saved there, and the recording notes that save did not go through";
  }
  return "; the game saved there: the disk or the folder of this replay may have refused "
         "a save the recording wrote";
}

void Replayer::MessageBox(std::string_view text) {
  out_ << "[message] " << BoxTextForPrinting(text) << "\n";
  if (Done()) return;
  if (const RecordingEntry* e = Peek(); e && e->kind == EntryKind::Ok && e->tick == ticks_) {
    Pop();
    return;
  }
  Stop(ReplayOutcome::Differs, "at tick " + std::to_string(ticks_) +
                                   " the game showed a message the recording did not; it has " +
                                   NextEntryText() + LikelyCause(ticks_));
}

bool Replayer::Confirm(std::string_view text) {
  out_ << "[confirm] " << BoxTextForPrinting(text) << "\n";
  const RecordingEntry* e = Done() ? nullptr : Peek();
  if (e && e->kind == EntryKind::Answer && e->tick == ticks_) {
    const bool yes = e->yes;
    Pop();
    out_ << "  -> " << (yes ? "yes" : "no") << "\n";
    return yes;
  }
  Stop(ReplayOutcome::Differs, "at tick " + std::to_string(ticks_) +
                                   " the game asked a question the recording did not answer; "
                                   "it has " +
                                   NextEntryText() + LikelyCause(ticks_));
  out_ << "  -> no\n";
  return false;
}

void Replayer::CloseWindow() {
  windowClosed_ = true;
  inner_.CloseWindow();
}

void Replayer::Ticked(Game& g) {
  if (Done()) return;
  ++ticks_;
  Play(g);
}

void Replayer::Play(Game& g) {
  while (!Done()) {
    const RecordingEntry* next = Peek();
    if (next == nullptr) break;
    if (next->tick < ticks_) {
      // Only a box answer or a save can be left behind: the box or the save never came.
      const std::string what = next->kind == EntryKind::Save
                                   ? " the game had not saved as the recording did at tick "
                                   : " the game had not asked what the recording answers at tick ";
      Stop(ReplayOutcome::Differs, "by tick " + std::to_string(ticks_) + what +
                                       std::to_string(next->tick) + ": " + NextEntryText() +
                                       LikelyCause(next->tick));
      return;
    }
    if (next->tick > ticks_) return;
    if (next->kind == EntryKind::Answer || next->kind == EntryKind::Ok ||
        next->kind == EntryKind::Save) {
      return;  // for a box the next tick shows, or a save it makes
    }
    if (next->kind == EntryKind::Input && windowClosed_) {
      Stop(ReplayOutcome::Differs, "the game closed its window at tick " + std::to_string(ticks_) +
                                       " but the recording goes on with " + NextEntryText());
      return;
    }
    // Taken before it is acted on: what the game does with it may already need the next one.
    const RecordingEntry e = std::move(*next_);
    Pop();
    switch (e.kind) {
      case EntryKind::Answer:
      case EntryKind::Ok:
      case EntryKind::Save:
        break;
      case EntryKind::Input:
        DeliverInput(g, e.input);
        break;
      case EntryKind::Check:
        Compare(g, e);
        break;
      case EntryKind::Shot:
        if (screen_) {
          const Status written = gfx::WritePng(
              screen_->RenderWindow(g), shotDir_ / ("shot-" + std::to_string(e.number) + ".png"));
          if (!written.ok()) {
            out_ << "note: snapshot " << e.number << ": " << written.message() << "\n";
          }
        }
        break;
      case EntryKind::End:
        Compare(g, e);
        if (!Done()) Stop(ReplayOutcome::Same, "");
        return;
    }
  }
  if (!Done() && Peek() == nullptr && !Done()) {
    Stop(ReplayOutcome::Cut, "the recording stops at tick " + std::to_string(ticks_) +
                                 " without an end (the game that made it did not close normally)");
  }
}

void Replayer::Compare(Game& g, const RecordingEntry& e) {
  const std::vector<std::string> lines = SaveLinesNow(g);
  const uint64_t hash = HashSaveLines(lines);
  ApplyChanges(expected_, e.changes);
  if (hash == e.hash) {
    ++checks_;
    return;
  }
  const std::string where = std::string(e.kind == EntryKind::End ? "the end" : "the check") +
                            " at tick " + std::to_string(e.tick) + " (line " +
                            std::to_string(e.fileLine) + ") differs: recorded " +
                            HashToText(e.hash) + ", replayed " + HashToText(hash);
  const LineDifference d = FirstDifference(expected_, lines);
  if (d.line == 0) {
    Stop(ReplayOutcome::Differs,
         where +
             "; no save line differs, so the recording's hash does not fit its own lines "
             "(was it edited?)");
    return;
  }
  Stop(ReplayOutcome::Differs, where + "; the first differing save line is " +
                                   std::to_string(d.line) + ": " + Quoted(d.recorded) +
                                   " in the recording, " + Quoted(d.replayed) + " in the replay" +
                                   LikelyCause(ticks_, d.line));
}

void Replayer::Closing(Game& g) {
  // When the game closed its own window, what the recording wrote at that moment (its end)
  // is still due at this tick; a window closed by the viewer just stops the replay.
  if (windowClosed_) Play(g);
  finalHash_ = HashSaveLines(SaveLinesNow(g));
  if (!Done()) {
    Stop(ReplayOutcome::Unfinished, "the window closed at tick " + std::to_string(ticks_) +
                                        ", before the recording's end at tick " +
                                        std::to_string(EndTick()));
  }
}

}  // namespace qv::session
