#include "platform/headless/headless_host.h"

#include "core/text.h"

namespace qv::headless {

HeadlessHost::HeadlessHost(std::ostream& out) : out_(out) {}

void HeadlessHost::PlayWave(int channel, std::string_view file) {
  lastWave_ = std::to_string(channel) + ":" + std::string(file);
}

void HeadlessHost::PlayMusic(std::string_view file) { lastMusic_ = file; }

void HeadlessHost::PlayMidi(std::string_view file) { lastMidi_ = file; }

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

void HeadlessHost::PrintBox(std::string_view kind, std::string_view text,
                            std::string_view answer) {
  out_ << "[" << kind << "] " << BoxTextForPrinting(text) << "\n  -> " << answer << "\n";
  out_.flush();
}

std::string BoxTextForPrinting(std::string_view cp932) {
  std::string utf8 = Cp932ToUtf8(cp932);
  std::string printable;
  printable.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      printable += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      printable += utf8[i];
    }
  }
  return printable;
}

}  // namespace qv::headless
