#include "platform/session/replay_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

#include "core/text.h"
#include "files/file_io.h"

namespace qv::session {
namespace {

constexpr int32_t kWindowWidth = 640;
constexpr int32_t kWindowHeight = 480;
constexpr int32_t kMaxKeyCode = 255;
constexpr size_t kBase64LineChars = 76;
// A file is read this much at a time.
constexpr size_t kReadPiece = 64 * 1024;
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

class Parser {
 public:
  Parser(std::string_view name, int32_t maxTicks) : name_(name), maxTicks_(maxTicks) {}
  bool Line(std::string_view line, int32_t number);
  bool Finish(int32_t lastLine);
  bool InEntries() const { return inEntries_; }
  // The entry the last line completed, if it did.
  bool TakeEntry(RecordingEntry& e) {
    if (!ready_) return false;
    e = std::move(*ready_);
    ready_.reset();
    return true;
  }

  Recording recording_;  // the header; its entries stay empty
  std::string error_;

 private:
  bool Fail(int32_t number, std::string_view why) {
    error_ = std::string(name_) + ":" + std::to_string(number) + ": " + std::string(why);
    return false;
  }
  bool Header(const std::vector<std::string_view>& w, int32_t number);
  bool EndHeader(int32_t number);
  bool Entry(const std::vector<std::string_view>& w, int32_t number);
  bool InputEntry(const std::vector<std::string_view>& w, int32_t number, RecordingEntry& e);

  // The save a replay pieces together from the checks' lines may grow no larger than a save
  // the recording could start from; the bytes of each line are counted as they change.
  bool CountSaveLine(int32_t line, size_t bytes, int32_t number);

  std::string_view name_;
  int32_t maxTicks_;
  std::optional<RecordingEntry> ready_;
  std::vector<uint32_t> saveLineBytes_;
  size_t saveBytes_ = 0;
  bool sawMagic_ = false;
  bool sawSeed_ = false;
  bool sawStart_ = false;
  bool inEntries_ = false;
  bool ended_ = false;
  int64_t startSize_ = -1;  // -1: no save at the start
  std::string base64_;
  int32_t lastTick_ = 0;
  std::vector<SaveLineChange> pending_;
  int32_t pendingTick_ = 0;
  int32_t pendingLine_ = 0;
};

bool Parser::Line(std::string_view line, int32_t number) {
  if (line.size() > kMaxRecordingLineBytes) return Fail(number, "line longer than 65536 bytes");
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line[0] == '#') return true;
  if (!sawMagic_) {
    if (line != kRecordingMagic) {
      return Fail(number, "not a qv recording (the first line should be '" +
                              std::string(kRecordingMagic) + "')");
    }
    sawMagic_ = true;
    return true;
  }
  const std::vector<std::string_view> w = Words(line);
  if (std::any_of(w.begin(), w.end(), [](std::string_view s) { return s.empty(); })) {
    return Fail(number, "words are separated by single spaces");
  }
  if (ended_) return Fail(number, "nothing may follow the 'end' entry");
  if (w[0][0] >= '0' && w[0][0] <= '9') {
    if (!inEntries_ && !EndHeader(number)) return false;
    return Entry(w, number);
  }
  if (inEntries_) return Fail(number, "'" + std::string(w[0]) + "' belongs before the entries");
  return Header(w, number);
}

bool Parser::Header(const std::vector<std::string_view>& w, int32_t number) {
  if (w[0] == "program") {
    if (w.size() != 2) return Fail(number, "program needs one word");
    const auto text = UnescapeBytes(w[1]);
    if (!text) return Fail(number, "the program name has a bad %XX escape");
    recording_.program = *text;
    return true;
  }
  if (w[0] == "seed") {
    if (w.size() != 2 || !ParseNumber(w[1], 0, UINT32_MAX, recording_.seed)) {
      return Fail(number, "seed needs a number in 0..4294967295");
    }
    sawSeed_ = true;
    return true;
  }
  if (w[0] == "start-save") {
    if (sawStart_) return Fail(number, "start-save given twice");
    sawStart_ = true;
    if (w.size() == 2 && w[1] == "none") return true;
    if (w.size() != 2 || !ParseNumber(w[1], 0, kMaxStartSaveBytes, startSize_)) {
      return Fail(number, "start-save needs 'none' or a byte count in 0..4194304");
    }
    return true;
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
    return true;
  }
  return Fail(number, "unknown header '" + std::string(w[0]) +
                          "' (known: program, seed, start-save, save)");
}

bool Parser::EndHeader(int32_t number) {
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
      CountSaveLine(line, text.size(), number);
      rest = nl == std::string_view::npos ? std::string_view{} : rest.substr(nl + 1);
    }
  }
  base64_.clear();
  inEntries_ = true;
  return true;
}

bool Parser::CountSaveLine(int32_t line, size_t bytes, int32_t number) {
  const size_t i = static_cast<size_t>(line - 1);
  if (i >= saveLineBytes_.size()) saveLineBytes_.resize(i + 1, 0);
  saveBytes_ = saveBytes_ - saveLineBytes_[i] + bytes;
  saveLineBytes_[i] = static_cast<uint32_t>(bytes);
  if (saveBytes_ > kMaxStartSaveBytes) {
    return Fail(number, "the save lines of the checks add up to more than 4 MiB");
  }
  return true;
}

bool Parser::InputEntry(const std::vector<std::string_view>& w, int32_t number, RecordingEntry& e) {
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
    return true;
  }
  if (kind == "move") {
    in.kind = InputKind::MouseMove;
    if (!position(4)) return Fail(number, "move needs X Y inside the 640x480 window");
    return true;
  }
  if (kind == "wheel") {
    in.kind = InputKind::MouseWheel;
    if (!position(5) || !ParseNumber(w[4], INT32_MIN, INT32_MAX, in.value)) {
      return Fail(number, "wheel needs X Y DELTA");
    }
    return true;
  }
  if (kind == "key" || kind == "keyup") {
    in.kind = kind == "key" ? InputKind::KeyDown : InputKind::KeyUp;
    if (w.size() != 3 || !ParseNumber(w[2], 1, kMaxKeyCode, in.value)) {
      return Fail(number, std::string(kind) + " needs a virtual-key code in 1..255");
    }
    return true;
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
    return true;
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
    return true;
  }
  return Fail(number,
              "unknown entry '" + std::string(kind) +
                  "' (known: down, up, move, wheel, key, keyup, text, compose, music, notice, "
                  "answer, ok, line, check, shot, end)");
}

bool Parser::Entry(const std::vector<std::string_view>& w, int32_t number) {
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
    if (!CountSaveLine(c.line, value->size(), number)) return false;
    c.value = std::move(*value);
    pendingLine_ = c.line;
    pendingTick_ = e.tick;
    pending_.push_back(std::move(c));
    return true;
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
  } else if (kind == "shot") {
    e.kind = EntryKind::Shot;
    if (w.size() != 3 || !ParseNumber(w[2], 1, 1'000'000, e.number)) {
      return Fail(number, "shot needs a number in 1..1000000");
    }
  } else {
    e.kind = EntryKind::Input;
    if (!InputEntry(w, number, e)) return false;
  }
  ready_ = std::move(e);
  return true;
}

bool Parser::Finish(int32_t lastLine) {
  if (!sawMagic_) return Fail(std::max(lastLine, 1), "empty file: not a qv recording");
  if (!inEntries_ && !EndHeader(lastLine)) return false;
  if (!pending_.empty()) {
    return Fail(lastLine, "the file ends in save lines without their check");
  }
  return true;
}

}  // namespace

struct RecordingReader::Impl {
  Impl(std::string_view name, int32_t maxTicks) : name(name), parser(this->name, maxTicks) {}

  // The next line of the source; false at its end or on a read error (error set).
  bool NextLine(std::string_view& line);
  bool Fill();

  std::string name;
  Parser parser;
  std::string error;
  int32_t lineNumber = 0;
  bool headerRead = false;
  bool finished = false;
  // A file is read in pieces into `buffer`; text in memory is walked in place.
  int fd = -1;
  std::string buffer;
  size_t start = 0;
  size_t bytesRead = 0;
  size_t expectedBytes = 0;  // the file's size when it was opened
  bool endOfFile = false;
  std::string_view text;
};

bool RecordingReader::Impl::Fill() {
  buffer.erase(0, start);
  start = 0;
  char chunk[kReadPiece];
  for (int interruptions = 0;; ++interruptions) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR && interruptions < 100) continue;
    if (n < 0) {
      error = name + ": cannot read the recording (" + files::ErrorText(errno) + ")";
      return false;
    }
    if (n == 0) {
      endOfFile = true;
      if (bytesRead == expectedBytes) return true;
      error = name + ": " + files::ErrorText(files::kChangedWhileRead);
      return false;
    }
    bytesRead += static_cast<size_t>(n);
    if (bytesRead > kMaxRecordingBytes) {
      error = name + ": larger than 64 MiB";
      return false;
    }
    buffer.append(chunk, static_cast<size_t>(n));
    return true;
  }
}

bool RecordingReader::Impl::NextLine(std::string_view& line) {
  if (fd < 0) {
    if (text.empty()) return false;
    const size_t nl = text.find('\n');
    line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    return true;
  }
  for (;;) {
    const size_t nl = buffer.find('\n', start);
    if (nl != std::string::npos) {
      line = std::string_view(buffer).substr(start, nl - start);
      start = nl + 1;
      return true;
    }
    // A line longer than any recording holds is handed over as it is, to be refused.
    if (buffer.size() - start > kMaxRecordingLineBytes || endOfFile) {
      if (start == buffer.size()) return false;
      const size_t n = std::min(buffer.size() - start, kMaxRecordingLineBytes + 1);
      line = std::string_view(buffer).substr(start, n);
      start = endOfFile ? buffer.size() : start + n;
      return true;
    }
    if (!Fill()) return false;
  }
}

RecordingReader::RecordingReader(const std::filesystem::path& path, int32_t maxTicks)
    : impl_(std::make_unique<Impl>(path.string(), maxTicks)) {
  int error = 0;
  impl_->fd = files::OpenRegularFile(path, kMaxRecordingBytes, error);
  struct stat st {};
  if (impl_->fd >= 0) {
    if (fstat(impl_->fd, &st) == 0) {
      impl_->expectedBytes = static_cast<size_t>(st.st_size);
      return;
    }
    error = errno;
  }
  if (error == ENOENT) {
    impl_->error = impl_->name + ": no such recording";
  } else if (error == EFBIG) {
    impl_->error = impl_->name + ": larger than 64 MiB";
  } else {
    impl_->error = impl_->name + ": cannot read the recording (" + files::ErrorText(error) + ")";
  }
  impl_->finished = true;
}

RecordingReader::RecordingReader(std::string_view text, std::string_view name, int32_t maxTicks)
    : impl_(std::make_unique<Impl>(name, maxTicks)) {
  impl_->text = text;
  if (text.size() > kMaxRecordingBytes) {
    impl_->error = impl_->name + ": larger than 64 MiB";
    impl_->finished = true;
  }
}

RecordingReader::~RecordingReader() {
  if (impl_ && impl_->fd >= 0) ::close(impl_->fd);
}

bool RecordingReader::ReadHeader() {
  Impl& im = *impl_;
  if (im.headerRead) return im.error.empty();
  im.headerRead = true;
  std::string_view line;
  while (im.error.empty() && !im.parser.InEntries()) {
    if (im.finished || !im.NextLine(line)) {
      if (im.error.empty() && !im.finished && !im.parser.Finish(im.lineNumber)) {
        im.error = im.parser.error_;
      }
      im.finished = true;
      break;
    }
    if (!im.parser.Line(line, ++im.lineNumber)) im.error = im.parser.error_;
  }
  if (!im.error.empty()) im.finished = true;
  return im.error.empty();
}

const Recording& RecordingReader::Header() const {
  return impl_->parser.recording_;
}

bool RecordingReader::Next(RecordingEntry& e) {
  Impl& im = *impl_;
  if (!ReadHeader()) return false;
  if (im.parser.TakeEntry(e)) return true;
  std::string_view line;
  while (!im.finished) {
    if (!im.NextLine(line)) {
      if (im.error.empty() && !im.parser.Finish(im.lineNumber)) im.error = im.parser.error_;
      im.finished = true;
      return false;
    }
    if (!im.parser.Line(line, ++im.lineNumber)) {
      im.error = im.parser.error_;
      im.finished = true;
      return false;
    }
    if (im.parser.TakeEntry(e)) return true;
  }
  return false;
}

const std::string& RecordingReader::Error() const {
  return impl_->error;
}

namespace {

RecordingParse ReadAll(RecordingReader& reader) {
  RecordingParse r;
  RecordingEntry e;
  while (reader.Next(e)) r.recording.entries.push_back(std::move(e));
  if (!reader.Error().empty()) {
    r.error = reader.Error();
    r.recording.entries.clear();
    return r;
  }
  Recording& out = r.recording;
  const Recording& header = reader.Header();
  out.seed = header.seed;
  out.program = header.program;
  out.startSave = header.startSave;
  return r;
}

}  // namespace

RecordingParse ParseRecording(std::string_view text, std::string_view name) {
  RecordingReader reader(text, name);
  return ReadAll(reader);
}

RecordingParse LoadRecording(const std::filesystem::path& path) {
  RecordingReader reader(path);
  return ReadAll(reader);
}

RecordingCheck CheckRecordingFile(const std::filesystem::path& path, int32_t maxTicks) {
  RecordingCheck check;
  RecordingReader reader(path, maxTicks);
  RecordingEntry e;
  while (reader.Next(e)) {
    check.endTick = e.tick;
    ++check.entries;
  }
  check.error = reader.Error();
  if (check.error.empty()) check.header = reader.Header();
  return check;
}

std::string FormatRecordingHeader(const Recording& r) {
  std::string out = std::string(kRecordingMagic) + "\n";
  if (!r.program.empty()) out += "program " + EscapeBytes(r.program) + "\n";
  out += "seed " + std::to_string(r.seed) + "\n";
  if (!r.startSave) {
    out += "start-save none\n";
    return out;
  }
  out += "start-save " + std::to_string(r.startSave->size()) + "\n";
  const std::string b64 = Base64Encode(*r.startSave);
  for (size_t i = 0; i < b64.size(); i += kBase64LineChars) {
    out += "save " + b64.substr(i, kBase64LineChars) + "\n";
  }
  return out;
}

std::string FormatEntry(const RecordingEntry& e) {
  const std::string t = std::to_string(e.tick) + " ";
  const InputEvent& in = e.input;
  auto xy = [&] { return std::to_string(in.x) + " " + std::to_string(in.y); };
  switch (e.kind) {
    case EntryKind::Answer:
      return t + (e.yes ? "answer yes\n" : "answer no\n");
    case EntryKind::Ok:
      return t + "ok\n";
    case EntryKind::Shot:
      return t + "shot " + std::to_string(e.number) + "\n";
    case EntryKind::Check:
    case EntryKind::End: {
      std::string out;
      for (const SaveLineChange& c : e.changes) {
        out += t + "line " + std::to_string(c.line);
        if (!c.value.empty()) out += " " + EscapeBytes(c.value);
        out += "\n";
      }
      out += t + (e.kind == EntryKind::Check ? "check " : "end ") + HashToText(e.hash) + "\n";
      return out;
    }
    case EntryKind::Input:
      break;
  }
  switch (in.kind) {
    case InputKind::MouseDown:
    case InputKind::MouseUp:
      return t + (in.kind == InputKind::MouseDown ? "down " : "up ") + xy() +
             (in.right ? " right\n" : " left\n");
    case InputKind::MouseMove:
      return t + "move " + xy() + "\n";
    case InputKind::MouseWheel:
      return t + "wheel " + xy() + " " + std::to_string(in.value) + "\n";
    case InputKind::KeyDown:
      return t + "key " + std::to_string(in.value) + "\n";
    case InputKind::KeyUp:
      return t + "keyup " + std::to_string(in.value) + "\n";
    case InputKind::Text:
      return t + "text" + (in.text.empty() ? "" : " " + EscapeBytes(in.text)) + "\n";
    case InputKind::MusicEnd:
      return t + "music" + (in.text.empty() ? "" : " " + EscapeBytes(in.text)) + "\n";
    case InputKind::Notice:
      return t + "notice" + (in.text.empty() ? "" : " " + EscapeBytes(in.text)) + "\n";
    case InputKind::Compose:
      return t + "compose " + std::to_string(in.x) + " " + std::to_string(in.y) +
             (in.text.empty() ? "" : " " + EscapeBytes(in.text)) + "\n";
  }
  return {};
}

}  // namespace qv::session
