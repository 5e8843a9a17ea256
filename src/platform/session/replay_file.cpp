#include "platform/session/replay_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "files/file_io.h"
#include "platform/session/replay_parser.h"

namespace qv::session {
namespace {

// A file is read this much at a time.
constexpr size_t kReadPiece = 64 * 1024;

}  // namespace

struct RecordingReader::Impl {
  Impl(std::string_view name, int32_t maxTicks) : name(name), parser(this->name, maxTicks) {}

  // The next line of the source; false at its end or on a read error (error set).
  bool NextLine(std::string_view& line);
  bool Fill();

  std::string name;
  RecordingParser parser;
  Status status;
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
      status = Failure(name + ": cannot read the recording (" + files::ErrorText(errno) + ")");
      return false;
    }
    if (n == 0) {
      endOfFile = true;
      if (bytesRead == expectedBytes) return true;
      status = Failure(name + ": " + files::ErrorText(files::kChangedWhileRead));
      return false;
    }
    bytesRead += static_cast<size_t>(n);
    if (bytesRead > kMaxRecordingBytes) {
      status = Failure(name + ": larger than 64 MiB");
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
  const Result<int> fd = files::OpenRegularFile(path, kMaxRecordingBytes);
  int error = fd.code();
  struct stat st {};
  if (fd.ok()) {
    impl_->fd = *fd;
    if (fstat(impl_->fd, &st) == 0) {
      impl_->expectedBytes = static_cast<size_t>(st.st_size);
      return;
    }
    error = errno;
  }
  if (error == ENOENT) {
    impl_->status = Failure(impl_->name + ": no such recording");
  } else if (error == EFBIG) {
    impl_->status = Failure(impl_->name + ": larger than 64 MiB");
  } else {
    impl_->status =
        Failure(impl_->name + ": cannot read the recording (" + files::ErrorText(error) + ")");
  }
  impl_->finished = true;
}

RecordingReader::RecordingReader(std::string_view text, std::string_view name, int32_t maxTicks)
    : impl_(std::make_unique<Impl>(name, maxTicks)) {
  impl_->text = text;
  if (text.size() > kMaxRecordingBytes) {
    impl_->status = Failure(impl_->name + ": larger than 64 MiB");
    impl_->finished = true;
  }
}

RecordingReader::~RecordingReader() {
  if (impl_ && impl_->fd >= 0) ::close(impl_->fd);
}

bool RecordingReader::ReadHeader() {
  Impl& im = *impl_;
  if (im.headerRead) return im.status.ok();
  im.headerRead = true;
  std::string_view line;
  while (im.status.ok() && !im.parser.InEntries()) {
    if (im.finished || !im.NextLine(line)) {
      if (im.status.ok() && !im.finished) im.status = im.parser.Finish(im.lineNumber);
      im.finished = true;
      break;
    }
    im.status = im.parser.Line(line, ++im.lineNumber);
  }
  if (!im.status.ok()) im.finished = true;
  return im.status.ok();
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
      if (im.status.ok()) im.status = im.parser.Finish(im.lineNumber);
      im.finished = true;
      return false;
    }
    im.status = im.parser.Line(line, ++im.lineNumber);
    if (!im.status.ok()) {
      im.finished = true;
      return false;
    }
    if (im.parser.TakeEntry(e)) return true;
  }
  return false;
}

const Status& RecordingReader::status() const {
  return impl_->status;
}

namespace {

Result<Recording> ReadAll(RecordingReader& reader) {
  Recording out;
  RecordingEntry e;
  while (reader.Next(e)) out.entries.push_back(std::move(e));
  if (!reader.status().ok()) return reader.status();
  const Recording& header = reader.Header();
  out.seed = header.seed;
  out.program = header.program;
  out.startSave = header.startSave;
  return out;
}

}  // namespace

Result<Recording> ParseRecording(std::string_view text, std::string_view name) {
  RecordingReader reader(text, name);
  return ReadAll(reader);
}

Result<Recording> LoadRecording(const std::filesystem::path& path) {
  RecordingReader reader(path);
  return ReadAll(reader);
}

Result<RecordingCheck> CheckRecordingFile(const std::filesystem::path& path, int32_t maxTicks) {
  RecordingCheck check;
  RecordingReader reader(path, maxTicks);
  RecordingEntry e;
  while (reader.Next(e)) {
    check.endTick = e.tick;
    ++check.entries;
  }
  if (!reader.status().ok()) return reader.status();
  check.header = reader.Header();
  return check;
}

}  // namespace qv::session
