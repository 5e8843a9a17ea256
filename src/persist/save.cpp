#include "persist/save.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "core/master_data.h"
#include "core/new_game.h"
#include "core/text.h"
#include "persist/line_reader.h"
#include "persist/progress.h"
#include "persist/record.h"
#include "persist/save_file.h"

namespace qv::persist {

namespace {

// A real save is about 30 KB and the name list a few KB; anything far larger is not ours.
constexpr size_t kMaxSaveBytes = size_t{16} << 20;
constexpr size_t kMaxNameBytes = size_t{1} << 20;

std::filesystem::path SavePath(const Game& g) {
  return g.paths.saveDir / kSaveFileName;
}
std::filesystem::path NamePath(const Game& g) {
  return g.paths.datDir / kNameFileName;
}
std::filesystem::path RecordPath(const Game& g) {
  return g.paths.recordDir / kRecordFileName;
}

// The path as the player can read it in a message box: the whole path when it can be shown
// in CP932, else only the file name (ours are always showable).
std::string Shown(const std::filesystem::path& path) {
  if (Utf8ToCp932(path.string())) return path.string();
  return path.filename().string();
}

// A message box from UTF-8 text (a path that cannot be shown never reaches here).
void Tell(Game& g, const std::string& utf8) {
  if (g.host == nullptr) return;
  const std::optional<std::string> text = Utf8ToCp932(utf8);
  g.host->MessageBox(text ? *text : Sjis("ファイルの読み書きに失敗しました。"));
}

std::string Cause(int error) {
  return "（" + ErrorText(error) + "）";
}

// A damaged or unreadable my.dat: the player is told where, and saving stops so the damage
// is never written over the evidence; a reset clears it.
void RefuseSaveFile(Game& g, const std::string& what) {
  Tell(g, what + "\r初期化してプレーしなおしてください");
  g.state.saveDisabled = 1;
}

void ReadSaveFile(Game& g, FileIo& io) {
  GameState& s = g.state;
  const std::filesystem::path path = SavePath(g);
  std::string text;
  const FileResult read = ReadWholeFile(io, path, text, kMaxSaveBytes);
  if (read.error == ENOENT) {
    // First run (or the file was removed): a new game, written back by the load's save.
    NewGame(g);
    return;
  }
  if (!read.ok()) {
    RefuseSaveFile(g, "セーブファイル " + Shown(path) + " を読めません" + Cause(read.error) + "。");
    return;
  }
  const ParseResult parsed = ParseSaveFile(s, text);
  const std::string where = "セーブファイル " + Shown(path) + " の " + std::to_string(parsed.line);
  switch (parsed.error) {
    case ParseError::kNotANumber:
      RefuseSaveFile(g, where + " 行目が数値ではありません。");
      return;
    case ParseError::kTooFewLines:
      RefuseSaveFile(g, where + " 行目がありません（ファイルが途中で終わっています）。");
      return;
    case ParseError::kNotCp932:
      RefuseSaveFile(g, where + " 行目の文字が読めません。");
      return;
    case ParseError::kNone:
      break;
  }
  s.checksum = parsed.storedChecksum;
  if (SaveChecksum(s) != s.checksum) {
    // The loaded values stay in effect either way.
    if (g.host != nullptr) {
      g.host->MessageBox(Sjis("データが壊れています。初期化してプレーしなおしてください"));
    }
    s.saveDisabled = 1;
  }
}

void ReadNames(Game& g, FileIo& io) {
  GameState& s = g.state;
  const std::filesystem::path path = NamePath(g);
  s.randomNameCount = 0;
  for (std::string& name : s.randomNames) name.clear();

  std::string text;
  const FileResult read = ReadWholeFile(io, path, text, kMaxNameBytes);
  if (!read.ok()) {
    Tell(g, "名前ファイル " + Shown(path) + " を読めません" + Cause(read.error) + "。");
    return;
  }
  LineReader lines(text);
  std::string_view line;
  while (s.randomNameCount < kRandomNames && lines.Next(line)) {
    if (!IsValidCp932(line)) {
      Tell(g, "名前ファイル " + Shown(path) + " の " + std::to_string(lines.lineNumber()) +
                  " 行目の文字が読めません。");
      return;
    }
    s.randomNames[static_cast<size_t>(s.randomNameCount++)].assign(line);
  }
  if (s.randomNameCount < kRandomNames) {
    Tell(g, "名前ファイル " + Shown(path) + " には名前が " + std::to_string(s.randomNameCount) +
                " 個しかありません（" + std::to_string(kRandomNames) + " 個必要です）。");
  }
}

// Writes one file in place of the old; false (after telling the player) on any failure.
bool WriteOrTell(Game& g, FileIo& io, const std::filesystem::path& path, std::string_view bytes,
                 const char* kindOfFile) {
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  const FileResult r = WriteFileAtomically(io, path, bytes);
  if (r.ok()) return true;
  const std::string shown = std::string(kindOfFile) + " " + Shown(path);
  if (r.replaced) {
    // In place but perhaps not on the disk yet: one message is enough, the record waits for
    // the next save.
    Tell(g,
         shown + " は書き込みましたが、ディスクへの記録を確かめられません" + Cause(r.error) + "。");
    return false;
  }
  Tell(g, shown + " を書き込めません" + Cause(r.error) + "。\r前の内容はそのまま残っています。");
  return false;
}

}  // namespace

void SaveGame(Game& g) {
  FileIo io;
  SaveGame(g, io);
}

void SaveGame(Game& g, FileIo& io) {
  GameState& s = g.state;
  if (s.saveDisabled == 1) return;
  s.phaseAtSave = g.battle.phase;
  const std::string text = SaveFileText(s);
  // The record is written only once my.dat is safely in place.
  if (!WriteOrTell(g, io, SavePath(g), text, "セーブファイル")) return;
  MarkSaved(g);
  WriteOrTell(g, io, RecordPath(g), RecordText(s), "記録ファイル");
}

void LoadGame(Game& g) {
  FileIo io;
  LoadGame(g, io);
}

void LoadGame(Game& g, FileIo& io) {
  RemoveStaleTemporaryFiles(g, io);
  ReadSaveFile(g, io);
  ReadNames(g, io);
  g.state.loadCount += 1;
  SaveGame(g, io);
  // Master data never comes from the file.
  FillMasterData(g.state);
  g.battle.dialogueLines[0] = Sjis("彼（彼女）にとって、視覚が捉える光景や");
}

void RemoveStaleTemporaryFiles(const Game& g) {
  FileIo io;
  RemoveStaleTemporaryFiles(g, io);
}

void RemoveStaleTemporaryFiles(const Game& g, FileIo& io) {
  io.Unlink(TemporaryPathFor(SavePath(g)));
  io.Unlink(TemporaryPathFor(RecordPath(g)));
}

}  // namespace qv::persist
