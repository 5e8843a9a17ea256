#include "platform/headless/headless_host.h"

#include <optional>

#include "core/text.h"
#include "platform/session/state_dump.h"

namespace qv::headless {

HeadlessHost::HeadlessHost(std::ostream& out) : out_(out) {}

void HeadlessHost::PlayWave(int channel, std::string_view file) {
  lastWave_ = std::to_string(channel) + ":" + std::string(file);
}

void HeadlessHost::PlayMusic(std::string_view file) {
  lastMusic_ = file;
}

void HeadlessHost::PlayMidi(std::string_view file) {
  lastMidi_ = file;
}

void HeadlessHost::MessageBox(std::string_view text) {
  boxes_.emplace_back(text);
  PrintBox("message", text, "OK");
}

bool HeadlessHost::Confirm(std::string_view text) {
  boxes_.emplace_back(text);
  if (answers_.empty()) {
    // A script that did not foresee the box gets the answer that leaves things as they are
    // in most questions; the note makes the omission visible.
    PrintBox("confirm", text, "no (no answer was queued)");
    return false;
  }
  const bool yes = answers_.front();
  answers_.pop_front();
  PrintBox("confirm", text, yes ? "yes" : "no");
  return yes;
}

void HeadlessHost::PrintBox(std::string_view kind, std::string_view text, std::string_view answer) {
  out_ << "[" << kind << "] " << session::BoxTextForPrinting(text) << "\n  -> " << answer << "\n";
  out_.flush();
}

std::optional<std::string> HeadlessHost::RequestValue(std::string_view key) const {
  if (key == "boxes") return std::to_string(boxes_.size());
  if (key == "lastBox") return boxes_.empty() ? "" : session::Readable(boxes_.back());
  if (key == "wave") return lastWave_;
  if (key == "music") return lastMusic_;
  if (key == "midi") return lastMidi_;
  if (key == "closed") return closed_ ? "1" : "0";
  return std::nullopt;
}

std::string HeadlessHost::DumpRequests() const {
  std::string out;
  for (const char* key : {"boxes", "lastBox", "wave", "music", "midi", "closed"}) {
    out += std::string(key) + ": " + *RequestValue(key) + "\n";
  }
  return out;
}

}  // namespace qv::headless
