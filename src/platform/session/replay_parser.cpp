#include "platform/session/replay_parser.h"

#include <algorithm>
#include <charconv>

#include "core/text.h"

namespace qv::session {
namespace {

constexpr int32_t kWindowWidth = 640;
constexpr int32_t kWindowHeight = 480;
constexpr int32_t kMaxKeyCode = 255;
// The causes a save's failure may note: the errno values and the file layer's own reasons.
constexpr int32_t kMinSaveCause = -100;
constexpr int32_t kMaxSaveCause = 10'000;
// The game's timer runs about 13.9 times a second.
constexpr int32_t kTicksPerHour = 50'000;

template <typename T>
bool ParseNumber(std::string_view word, int64_t lo, int64_t hi, T& out) {
  int64_t v = 0;
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, v);
  if (word.empty() || ec != std::errc() || ptr != end || v < lo || v > hi) return false;
  out = static_cast<T>(v);
  return true;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    const size_t end = line.find(' ', i);
    words.push_back(line.substr(i, end == std::string_view::npos ? line.size() - i : end - i));
    if (end == std::string_view::npos) break;
    i = end + 1;
  }
  return words;
}

}  // namespace

Status RecordingParser::Line(std::string_view line, int32_t number) {
  if (line.size() > kMaxRecordingLineBytes) return Fail(number, "line longer than 65536 bytes");
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line[0] == '#') return {};
  if (!sawMagic_) {
    if (line != kRecordingMagic) {
      return Fail(number, "not a qv recording (the first line should be '" +
                              std::string(kRecordingMagic) + "')");
    }
    sawMagic_ = true;
    return {};
  }
  const std::vector<std::string_view> w = Words(line);
  if (std::any_of(w.begin(), w.end(), [](std::string_view s) { return s.empty(); })) {
    return Fail(number, "words are separated by single spaces");
  }
  if (ended_) return Fail(number, "nothing may follow the 'end' entry");
  if (w[0][0] >= '0' && w[0][0] <= '9') {
    if (!inEntries_) {
      if (Status header = EndHeader(number); !header.ok()) return header;
    }
    return Entry(w, number);
  }
  if (inEntries_) return Fail(number, "'" + std::string(w[0]) + "' belongs before the entries");
  return Header(w, number);
}

Status RecordingParser::Header(const std::vector<std::string_view>& w, int32_t number) {
  if (w[0] == "program") {
    if (w.size() != 2) return Fail(number, "program needs one word");
    const auto text = UnescapeBytes(w[1]);
    if (!text) return Fail(number, "the program name has a bad %XX escape");
    recording_.program = *text;
    return {};
  }
  if (w[0] == "seed") {
    if (w.size() != 2 || !ParseNumber(w[1], 0, UINT32_MAX, recording_.seed)) {
      return Fail(number, "seed needs a number in 0..4294967295");
    }
    sawSeed_ = true;
    return {};
  }
  if (w[0] == "start-save") {
    if (sawStart_) return Fail(number, "start-save given twice");
    sawStart_ = true;
    if (w.size() == 2 && w[1] == "none") return {};
    if (w.size() != 2 || !ParseNumber(w[1], 0, kMaxStartSaveBytes, startSize_)) {
      return Fail(number, "start-save needs 'none' or a byte count in 0..4194304");
    }
    return {};
  }
  if (w[0] == "save") {
    if (startSize_ < 0) return Fail(number, "save lines need 'start-save N' before them");
    if (w.size() != 2 || w[1].size() > kBase64LineChars || w[1].size() % 4 != 0) {
      return Fail(number, "a save line holds one word of base64 (at most 76 characters)");
    }
    if (base64_.size() + w[1].size() > (kMaxStartSaveBytes + 2) / 3 * 4) {
      return Fail(number, "more save lines than start-save announced");
    }
    base64_ += w[1];
    return {};
  }
  return Fail(number, "unknown header '" + std::string(w[0]) +
                          "' (known: program, seed, start-save, save)");
}

Status RecordingParser::EndHeader(int32_t number) {
  if (!sawSeed_) return Fail(number, "the seed is missing before the first entry");
  if (!sawStart_) return Fail(number, "start-save is missing before the first entry");
  if (startSize_ >= 0) {
    std::optional<std::string> bytes = Base64Decode(base64_);
    if (!bytes) return Fail(number, "the start save is not valid base64");
    if (static_cast<int64_t>(bytes->size()) != startSize_) {
      return Fail(number, "the start save holds " + std::to_string(bytes->size()) +
                              " bytes, not the " + std::to_string(startSize_) + " announced");
    }
    recording_.startSave = std::move(*bytes);
    // Its lines, as a replay splits them (a CR before the LF is not part of a line).
    std::string_view rest = *recording_.startSave;
    for (int32_t line = 1; !rest.empty(); ++line) {
      if (line > kMaxSaveLineNumber) {
        return Fail(number, "the start save has more than " + std::to_string(kMaxSaveLineNumber) +
                                " lines");
      }
      const size_t nl = rest.find('\n');
      std::string_view text = rest.substr(0, nl);
      if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      // The start save was held to the size of a save above: its lines never add up to more.
      (void)CountSaveLine(line, text.size(), number);
      rest = nl == std::string_view::npos ? std::string_view{} : rest.substr(nl + 1);
    }
  }
  base64_.clear();
  inEntries_ = true;
  return {};
}

Status RecordingParser::CountSaveLine(int32_t line, size_t bytes, int32_t number) {
  const size_t i = static_cast<size_t>(line - 1);
  if (i >= saveLineBytes_.size()) saveLineBytes_.resize(i + 1, 0);
  saveBytes_ = saveBytes_ - saveLineBytes_[i] + bytes;
  saveLineBytes_[i] = static_cast<uint32_t>(bytes);
  if (saveBytes_ > kMaxStartSaveBytes) {
    return Fail(number, "the save lines of the checks add up to more than 4 MiB");
  }
  return {};
}

Status RecordingParser::InputEntry(const std::vector<std::string_view>& w, int32_t number,
                                   RecordingEntry& e) {
  const std::string_view kind = w[1];
  InputEvent& in = e.input;
  auto position = [&](size_t count) {
    return w.size() == count && ParseNumber(w[2], 0, kWindowWidth - 1, in.x) &&
           ParseNumber(w[3], 0, kWindowHeight - 1, in.y);
  };
  if (kind == "down" || kind == "up") {
    in.kind = kind == "down" ? InputKind::MouseDown : InputKind::MouseUp;
    if (!position(5) || (w[4] != "left" && w[4] != "right")) {
      return Fail(number, std::string(kind) + " needs X Y left|right inside the 640x480 window");
    }
    in.right = w[4] == "right";
    return {};
  }
  if (kind == "move") {
    in.kind = InputKind::MouseMove;
    if (!position(4)) return Fail(number, "move needs X Y inside the 640x480 window");
    return {};
  }
  if (kind == "wheel") {
    in.kind = InputKind::MouseWheel;
    if (!position(5) || !ParseNumber(w[4], INT32_MIN, INT32_MAX, in.value)) {
      return Fail(number, "wheel needs X Y DELTA");
    }
    return {};
  }
  if (kind == "key" || kind == "keyup") {
    in.kind = kind == "key" ? InputKind::KeyDown : InputKind::KeyUp;
    if (w.size() != 3 || !ParseNumber(w[2], 1, kMaxKeyCode, in.value)) {
      return Fail(number, std::string(kind) + " needs a virtual-key code in 1..255");
    }
    return {};
  }
  if (kind == "text" || kind == "music" || kind == "notice") {
    in.kind = kind == "text"    ? InputKind::Text
              : kind == "music" ? InputKind::MusicEnd
                                : InputKind::Notice;
    std::optional<std::string> text = std::string();
    if (w.size() == 3) text = UnescapeBytes(w[2]);
    if (w.size() > 3 || !text || text->size() > kMaxInputTextBytes) {
      return Fail(number, std::string(kind) + " needs one %XX-escaped word of at most 4096 bytes");
    }
    if (in.kind == InputKind::Text && !IsUtf8(*text)) {
      return Fail(number, "typed text must be UTF-8");
    }
    in.text = std::move(*text);
    return {};
  }
  if (kind == "compose") {
    in.kind = InputKind::Compose;
    std::optional<std::string> text = std::string();
    if (w.size() == 5) text = UnescapeBytes(w[4]);
    if (w.size() < 4 || w.size() > 5 || !ParseNumber(w[2], 0, kMaxInputTextBytes, in.x) ||
        !ParseNumber(w[3], 0, kMaxInputTextBytes, in.y) || !text ||
        text->size() > kMaxInputTextBytes || !IsUtf8(*text)) {
      return Fail(number,
                  "compose needs CARET LENGTH and one %XX-escaped UTF-8 word of at most "
                  "4096 bytes");
    }
    in.text = std::move(*text);
    return {};
  }
  return Fail(number,
              "unknown entry '" + std::string(kind) +
                  "' (known: down, up, move, wheel, key, keyup, text, compose, music, notice, "
                  "answer, ok, save, line, check, shot, end)");
}

// TICK save my.dat|record written | failed CODE | unconfirmed CODE | refused busy|lock
Status RecordingParser::SaveEntry(const std::vector<std::string_view>& w, int32_t number,
                                  RecordingEntry& e) {
  e.kind = EntryKind::Save;
  const auto bad = [&] {
    return Fail(number,
                "save needs my.dat or record, then written, failed CODE, unconfirmed CODE, or "
                "(my.dat only) refused busy|lock");
  };
  if (w.size() < 4 || (w[2] != "my.dat" && w[2] != "record")) return bad();
  e.file = w[2] == "my.dat" ? SavedFile::Save : SavedFile::Record;
  const std::string_view what = w[3];
  if (what == "written" && w.size() == 4) {
    e.note = {SaveNote::Outcome::Written, 0};
  } else if ((what == "failed" || what == "unconfirmed") && w.size() == 5 &&
             ParseNumber(w[4], kMinSaveCause, kMaxSaveCause, e.note.code)) {
    e.note.outcome = what == "failed" ? SaveNote::Outcome::Failed : SaveNote::Outcome::Unconfirmed;
  } else if (what == "refused" && w.size() == 5 && e.file == SavedFile::Save &&
             (w[4] == "busy" || w[4] == "lock")) {
    e.note = {SaveNote::Outcome::Refused, w[4] == "lock" ? kRefusedLockLost : kRefusedFolderBusy};
  } else {
    return bad();
  }
  return {};
}

Status RecordingParser::Entry(const std::vector<std::string_view>& w, int32_t number) {
  RecordingEntry e;
  e.fileLine = number;
  if (!ParseNumber(w[0], 0, kMaxRecordedTick, e.tick)) {
    return Fail(number, "the tick must be a number in 0..1000000000");
  }
  if (e.tick < lastTick_) {
    return Fail(number, "tick " + std::to_string(e.tick) + " comes after tick " +
                            std::to_string(lastTick_) + " (ticks never go back)");
  }
  // The recorder checks the state every 100 ticks, so no two entries stand further apart;
  // a wider gap is a damaged file (and would make the replay run on for nothing).
  if (e.tick > maxTicks_) {
    return Fail(number, "tick " + std::to_string(e.tick) + " is past " + std::to_string(maxTicks_) +
                            ", the most a replay plays (about " +
                            std::to_string(maxTicks_ / kTicksPerHour) + " hours of play)");
  }
  if (e.tick - lastTick_ > kCheckpointTicks) {
    return Fail(number, "tick " + std::to_string(e.tick) + " is more than " +
                            std::to_string(kCheckpointTicks) + " ticks after the entry before (" +
                            std::to_string(lastTick_) + ")");
  }
  lastTick_ = e.tick;
  if (w.size() < 2) return Fail(number, "an entry needs a kind after its tick");
  const std::string_view kind = w[1];
  if (!pending_.empty() && e.tick != pendingTick_) {
    return Fail(number, "save lines of tick " + std::to_string(pendingTick_) +
                            " are not followed by their check");
  }
  if (kind == "line") {
    SaveLineChange c;
    std::optional<std::string> value = std::string();
    if (w.size() < 3 || w.size() > 4 || !ParseNumber(w[2], 1, kMaxSaveLineNumber, c.line)) {
      return Fail(number, "line needs a save line number in 1..100000 and its value");
    }
    if (w.size() == 4) value = UnescapeBytes(w[3]);
    if (!value) return Fail(number, "the save line's value has a bad %XX escape");
    if (c.line <= pendingLine_) return Fail(number, "save lines must come in rising order");
    if (Status counted = CountSaveLine(c.line, value->size(), number); !counted.ok()) {
      return counted;
    }
    c.value = std::move(*value);
    pendingLine_ = c.line;
    pendingTick_ = e.tick;
    pending_.push_back(std::move(c));
    return {};
  }
  if (kind == "check" || kind == "end") {
    e.kind = kind == "check" ? EntryKind::Check : EntryKind::End;
    if (w.size() != 3 || !ParseHash(w[2], e.hash)) {
      return Fail(number, std::string(kind) + " needs a hash of 16 lowercase hex digits");
    }
    e.changes = std::move(pending_);
    pending_.clear();
    pendingLine_ = 0;
    ended_ = e.kind == EntryKind::End;
  } else if (!pending_.empty()) {
    return Fail(number, "save lines must be followed directly by their check");
  } else if (kind == "answer") {
    e.kind = EntryKind::Answer;
    if (w.size() != 3 || (w[2] != "yes" && w[2] != "no")) {
      return Fail(number, "answer needs yes or no");
    }
    e.yes = w[2] == "yes";
  } else if (kind == "ok") {
    e.kind = EntryKind::Ok;
    if (w.size() != 2) return Fail(number, "ok takes nothing after it");
  } else if (kind == "save") {
    if (Status save = SaveEntry(w, number, e); !save.ok()) return save;
  } else if (kind == "shot") {
    e.kind = EntryKind::Shot;
    if (w.size() != 3 || !ParseNumber(w[2], 1, 1'000'000, e.number)) {
      return Fail(number, "shot needs a number in 1..1000000");
    }
  } else {
    e.kind = EntryKind::Input;
    if (Status input = InputEntry(w, number, e); !input.ok()) return input;
  }
  ready_ = std::move(e);
  return {};
}

Status RecordingParser::Finish(int32_t lastLine) {
  if (!sawMagic_) return Fail(std::max(lastLine, 1), "empty file: not a qv recording");
  if (!inEntries_) {
    if (Status header = EndHeader(lastLine); !header.ok()) return header;
  }
  if (!pending_.empty()) {
    return Fail(lastLine, "the file ends in save lines without their check");
  }
  return {};
}

}  // namespace qv::session
