#include "persist/save.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "core/master_data.h"
#include "core/message.h"
#include "core/new_game.h"
#include "core/text.h"
#include "persist/line_reader.h"
#include "persist/progress.h"
#include "persist/record.h"
#include "persist/save_file.h"

namespace qv::persist {

namespace {

using files::ErrorTextJa;

std::filesystem::path SavePath(const Game& g) {
  return g.paths.saveDir / kSaveFileName;
}
std::filesystem::path NamePath(const Game& g) {
  return g.paths.datDir / kNameFileName;
}
std::filesystem::path RecordPath(const Game& g) {
  return g.paths.recordDir / kRecordFileName;
}

// The path as the player can read it in a message box (CP932): the whole path when it can be
// shown, else only the file name (ours are always showable).
MessageArg ShownPath(const std::filesystem::path& path) {
  if (std::optional<std::string> whole = Utf8ToCp932(path.string())) return Arg("file", *whole);
  const std::optional<std::string> name = Utf8ToCp932(path.filename().string());
  return Arg("file", name ? *name : std::string("?"));
}

// Why a file could not be read or written: the C library's words and ours. The C library's
// words are English already; another language shows them with its own meaning after them.
MessageArg Cause(Game& g, int error) {
  const std::string ja = ErrorTextJa(error);
  const std::optional<std::string> text = Utf8ToCp932(ja);
  if (!text) return Arg("cause", std::to_string(error));
  const std::string system = files::ErrorText(error) + ": ";
  if (ja.size() > system.size() && ja.compare(0, system.size(), system) == 0) {
    RememberComposed(g, *text,
                     {{{"{system}", {Arg("system", system)}}, {ja.substr(system.size()), {}}}});
  }
  return Term("cause", *text);
}

void Tell(Game& g, const std::string& cp932) {
  if (g.host != nullptr) g.host->MessageBox(cp932);
}

// A damaged or unreadable my.dat: the player is told where and what to do, and saving stops
// so the file is never written over; a reset keeps it as my.dat.bak.
void RefuseSaveFile(Game& g, MessageBuilder& text) {
  Tell(g, text.Done(g));
  g.state.saveDisabled = 1;
}

// What to do about a my.dat that cannot be read. Only damage inside the file calls for the
// reset; a file the game may not read, or something else in its place, is the player's to
// fix, and the save must survive until then.
const char* AdviceFor(int error) {
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
  const Result<std::string> text = files::ReadWholeFile(io, path, kMaxSaveBytes);
  if (text.code() == ENOENT) {
    // First run (or the file was removed): a new game, written back by the load's save.
    NewGame(g);
    return;
  }
  if (!text.ok()) {
    MessageBuilder box;
    if (text.code() == EFBIG) {
      box.Add("セーブファイル {file} を読めません（{cause}、上限 {limit} MiB）。\r",
              {ShownPath(path), Cause(g, EFBIG),
               Arg("limit", static_cast<int32_t>(kMaxSaveBytes >> 20))});
    } else {
      box.Add("セーブファイル {file} を読めません（{cause}）。\r",
              {ShownPath(path), Cause(g, text.code())});
    }
    box.Add(AdviceFor(text.code()));
    RefuseSaveFile(g, box);
    return;
  }
  const ParseResult parsed = ParseSaveFile(s, *text);
  const MessageArg line = Arg("line", parsed.line);
  const char* reset = "\r初期化してプレーしなおしてください";
  MessageBuilder box;
  switch (parsed.error) {
    case ParseError::kNotANumber:
      box.Add("セーブファイル {file} の {line} 行目が数値ではありません。",
              {ShownPath(path), line});
      RefuseSaveFile(g, box.Add(reset));
      return;
    case ParseError::kTooFewLines:
      box.Add(
          "セーブファイル {file} の {line} 行目がありません（ファイルが途中で終わっています）。",
          {ShownPath(path), line});
      RefuseSaveFile(g, box.Add(reset));
      return;
    case ParseError::kNotCp932:
      box.Add("セーブファイル {file} の {line} 行目の文字が読めません。", {ShownPath(path), line});
      RefuseSaveFile(g, box.Add(reset));
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

  const Result<std::string> text = files::ReadWholeFile(io, path, kMaxNameBytes);
  if (!text.ok()) {
    Tell(g, Compose(g, "名前ファイル {file} を読めません（{cause}）。",
                    {ShownPath(path), Cause(g, text.code())}));
    return;
  }
  LineReader lines(*text);
  std::string_view line;
  while (s.randomNameCount < kRandomNames && lines.Next(line)) {
    if (!IsValidCp932(line)) {
      Tell(g, Compose(g, "名前ファイル {file} の {line} 行目の文字が読めません。",
                      {ShownPath(path), Arg("line", static_cast<int32_t>(lines.lineNumber()))}));
      return;
    }
    s.randomNames[static_cast<size_t>(s.randomNameCount++)].assign(line);
  }
  if (s.randomNameCount < kRandomNames) {
    Tell(g,
         Compose(g,
                 // a count picks its form
                 "名前ファイル {file} には名前が {count} 個しかありません（{needed} 個必要です）。",
                 {ShownPath(path), Count("count", s.randomNameCount),
                  Arg("needed", static_cast<int32_t>(kRandomNames))}));
  }
}

// Writes one file in place of the old and tells the player of any failure; `written` says
// whether the new file is in place.
Status WriteOrTell(Game& g, FileIo& io, const std::filesystem::path& path, std::string_view bytes,
                   const char* kindOfFile, files::WriteOptions options = {},
                   files::Written* written = nullptr) {
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  files::Written done;
  const Status r = files::WriteFileAtomically(io, path, bytes, options, &done);
  if (written != nullptr) *written = done;
  if (r.ok()) return r;
  const MessageArg kind = Term("kind", Sjis(kindOfFile));
  if (done.replaced) {
    // In place but perhaps not on the disk yet: one message is enough, the record waits for
    // the next save.
    Tell(g,
         Compose(
             g, "{kind} {file} は書き込みましたが、ディスクへの記録を確かめられません（{cause}）。",
             {kind, ShownPath(path), Cause(g, r.code())}));
    return r;
  }
  Tell(g,
       Compose(g, "{kind} {file} を書き込めません（{cause}）。\r前の内容はそのまま残っています。",
               {kind, ShownPath(path), Cause(g, r.code())}));
  return r;
}

bool SavingOff(const Game& g) {
  return g.state.saveDisabled == 1 || g.saveFolderBusy;
}

// my.dat, then the record once my.dat is safely in place. What the result says of my.dat.
files::Written WriteSave(Game& g, FileIo& io, files::WriteOptions options) {
  // This copy is the folder's one writer: what an earlier failed save could not remove goes.
  RemoveStaleTemporaryFiles(g, io);
  GameState& s = g.state;
  s.phaseAtSave = g.battle.phase;
  const std::string text = SaveFileText(s);
  files::Written saved;
  const Status r = WriteOrTell(g, io, SavePath(g), text, "セーブファイル", options, &saved);
  if (saved.replaced) MarkSaved(g);
  if (r.ok()) (void)WriteOrTell(g, io, RecordPath(g), RecordText(s), "記録ファイル");
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
  const files::Written saved = WriteSave(g, io, options);
  result.saved = saved.replaced;
  if (saved.backedUp) {
    const Result<std::filesystem::path> file = files::ResolveLinks(io, SavePath(g));
    result.backup = files::BackupPathFor(file.ok() ? *file : SavePath(g));
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
