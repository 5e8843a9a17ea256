#include "platform/session/replay_writer.h"

namespace qv::session {

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
    case EntryKind::Save: {
      std::string out = t + "save " + (e.file == SavedFile::Save ? "my.dat " : "record ");
      switch (e.note.outcome) {
        case SaveNote::Outcome::Written:
          return out + "written\n";
        case SaveNote::Outcome::Failed:
          return out + "failed " + std::to_string(e.note.code) + "\n";
        case SaveNote::Outcome::Unconfirmed:
          return out + "unconfirmed " + std::to_string(e.note.code) + "\n";
        case SaveNote::Outcome::Refused:
          return out + (e.note.code == kRefusedLockLost ? "refused lock\n" : "refused busy\n");
      }
      return out + "\n";
    }
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
