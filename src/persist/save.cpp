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

using files::ErrorTextJa;
using files::FileResult;

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
  return "（" + ErrorTextJa(error) + "）";
}

// A damaged or unreadable my.dat: the player is told where and what to do, and saving stops
// so the file is never written over; a reset keeps it as my.dat.bak.
void RefuseSaveFile(Game& g, const std::string& what) {
  Tell(g, what);
  g.state.saveDisabled = 1;
}

// What to do about a my.dat that cannot be read. Only damage inside the file calls for the
// reset; a file the game may not read, or something else in its place, is the player's to
// fix, and the save must survive until then.
std::string AdviceFor(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "ファイルの権限を確かめてから、もう一度起動してください。";
    case EFBIG:
      return "セーブファイルではないものが置かれていないか確かめてください。";
    case files::kDanglingLink:
      return "リンク先を確かめてから、もう一度起動してください。";
    case EISDIR:
    case ELOOP:
    case ENOTDIR:
    case files::kNotRegularFile:
      return "その場所にあるものを確かめてから、もう一度起動してください。";
    default:
      return "ディスクを確かめてから、もう一度起動してください。";
  }
}

void ReadSaveFile(Game& g, FileIo& io) {
  GameState& s = g.state;
  const std::filesystem::path path = SavePath(g);
  std::string text;
  const FileResult read = files::ReadWholeFile(io, path, text, kMaxSaveBytes);
  if (read.error == ENOENT) {
    // First run (or the file was removed): a new game, written back by the load's save.
    NewGame(g);
    return;
  }
  if (!read.ok()) {
    const std::string why = read.error == EFBIG ? "（" + ErrorTextJa(EFBIG) + "、上限 " +
                                                      std::to_string(kMaxSaveBytes >> 20) + " MiB）"
                                                : Cause(read.error);
    RefuseSaveFile(g, "セーブファイル " + Shown(path) + " を読めません" + why + "。\r" +
                          AdviceFor(read.error));
    return;
  }
  const ParseResult parsed = ParseSaveFile(s, text);
  const std::string where = "セーブファイル " + Shown(path) + " の " + std::to_string(parsed.line);
  const std::string reset = "\r初期化してプレーしなおしてください";
  switch (parsed.error) {
    case ParseError::kNotANumber:
      RefuseSaveFile(g, where + " 行目が数値ではありません。" + reset);
      return;
    case ParseError::kTooFewLines:
      RefuseSaveFile(g, where + " 行目がありません（ファイルが途中で終わっています）。" + reset);
      return;
    case ParseError::kNotCp932:
      RefuseSaveFile(g, where + " 行目の文字が読めません。" + reset);
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
  const FileResult read = files::ReadWholeFile(io, path, text, kMaxNameBytes);
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

// Writes one file in place of the old and tells the player of any failure. The result says
// whether the new file is in place.
FileResult WriteOrTell(Game& g, FileIo& io, const std::filesystem::path& path,
                       std::string_view bytes, const char* kindOfFile,
                       files::WriteOptions options = {}) {
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  const FileResult r = files::WriteFileAtomically(io, path, bytes, options);
  if (r.ok()) return r;
  const std::string shown = std::string(kindOfFile) + " " + Shown(path);
  if (r.replaced) {
    // In place but perhaps not on the disk yet: one message is enough, the record waits for
    // the next save.
    Tell(g,
         shown + " は書き込みましたが、ディスクへの記録を確かめられません" + Cause(r.error) + "。");
    return r;
  }
  Tell(g, shown + " を書き込めません" + Cause(r.error) + "。\r前の内容はそのまま残っています。");
  return r;
}

bool SavingOff(const Game& g) {
  return g.state.saveDisabled == 1 || g.saveFolderBusy;
}

// my.dat, then the record once my.dat is safely in place.
FileResult WriteSave(Game& g, FileIo& io, files::WriteOptions options) {
  // This copy is the folder's one writer: what an earlier failed save could not remove goes.
  RemoveStaleTemporaryFiles(g, io);
  GameState& s = g.state;
  s.phaseAtSave = g.battle.phase;
  const std::string text = SaveFileText(s);
  const FileResult saved = WriteOrTell(g, io, SavePath(g), text, "セーブファイル", options);
  if (saved.replaced) MarkSaved(g);
  if (saved.ok()) WriteOrTell(g, io, RecordPath(g), RecordText(s), "記録ファイル");
  return saved;
}

}  // namespace

bool SaveGame(Game& g) {
  FileIo io;
  return SaveGame(g, io);
}

bool SaveGame(Game& g, FileIo& io) {
  if (SavingOff(g)) return false;
  return WriteSave(g, io, {}).replaced;
}

ResetSave SaveAfterReset(Game& g) {
  FileIo io;
  return SaveAfterReset(g, io);
}

ResetSave SaveAfterReset(Game& g, FileIo& io) {
  ResetSave result;
  if (g.saveFolderBusy) {
    Tell(g, "このセーブデータは別のqvで使用中です。\r初期化は書き込まれません。");
    return result;
  }
  if (g.state.saveDisabled == 1) return result;
  files::WriteOptions options;
  options.keepBackup = true;
  const FileResult r = WriteSave(g, io, options);
  result.saved = r.replaced;
  if (r.backedUp) {
    std::filesystem::path file;
    if (!files::ResolveLinks(io, SavePath(g), file).ok()) file = SavePath(g);
    result.backup = files::BackupPathFor(file);
  }
  // Until a reset is on the disk, the file it was to replace is kept from every other save.
  if (!result.saved) g.state.saveDisabled = 1;
  return result;
}

void LoadGame(Game& g) {
  FileIo io;
  LoadGame(g, io);
}

void LoadGame(Game& g, FileIo& io) {
  if (!g.saveFolderBusy) RemoveStaleTemporaryFiles(g, io);
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
  files::RemoveTemporaryFiles(io, SavePath(g));
  files::RemoveTemporaryFiles(io, RecordPath(g));
}

}  // namespace qv::persist
