#include "persist/save.h"

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>

#include "core/master_data.h"
#include "core/message.h"
#include "core/new_game.h"
#include "core/text.h"
#include "files/folder_lock.h"
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

// What a write's result says became of the file, as a recording notes it.
SaveNote NoteOf(const Status& r, const files::Written& done) {
  if (r.ok()) return {};
  return {done.replaced ? SaveNote::Outcome::Unconfirmed : SaveNote::Outcome::Failed, r.code()};
}

// Writes one file of a save. In a replay what the recording says became of it happens instead
// (a failure fails again without touching the disk); in play the outcome is noted.
Status WriteAsRecorded(Game& g, FileIo& io, const std::filesystem::path& path,
                       std::string_view bytes, SavedFile which,
                       const std::optional<SaveNote>& replayed, files::WriteOptions options,
                       files::Written& done) {
  Status r;
  if (replayed && replayed->outcome == SaveNote::Outcome::Failed) {
    done = files::Written{};
    r = Failure(files::ErrorText(replayed->code), replayed->code);
  } else {
    r = files::WriteFileAtomically(io, path, bytes, options, &done);
    if (r.ok() && replayed && replayed->outcome == SaveNote::Outcome::Unconfirmed)
      r = Failure(files::ErrorText(replayed->code), replayed->code);
  }
  if (g.host != nullptr) g.host->NoteSave(which, NoteOf(r, done));
  return r;
}

// Writes one file in place of the old and tells the player of any failure; `written` says
// whether the new file is in place.
Status WriteOrTell(Game& g, FileIo& io, const std::filesystem::path& path, std::string_view bytes,
                   const char* kindOfFile, SavedFile which, const std::optional<SaveNote>& replayed,
                   files::WriteOptions options = {}, files::Written* written = nullptr) {
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  files::Written done;
  Status r = WriteAsRecorded(g, io, path, bytes, which, replayed, options, done);
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
  if (done.backupFailed) {
    // The file in the way is the backup, not the save: name the one the player must look at.
    const Result<std::filesystem::path> file = files::ResolveLinks(io, path);
    Tell(g, Compose(g,
                    "{kind} の控え {file} を作れません（{cause}）。\r"
                    "前の内容はそのまま残っています。",
                    {kind, ShownPath(files::BackupPathFor(file.ok() ? *file : path)),
                     Cause(g, r.code())}));
    return r;
  }
  Tell(g,
       Compose(g, "{kind} {file} を書き込めません（{cause}）。\r前の内容はそのまま残っています。",
               {kind, ShownPath(path), Cause(g, r.code())}));
  return r;
}

// Why this copy may not write the save folder now (0: it may): another copy holds the folder,
// or the lock this copy held is no longer the folder's lock file. A replay refuses where the
// recording did; what the recording says of my.dat is left in `replayed`.
int32_t Refusal(Game& g, std::optional<SaveNote>& replayed) {
  replayed = g.host != nullptr ? g.host->ReplayedSave(SavedFile::Save) : std::nullopt;
  if (replayed) return replayed->outcome == SaveNote::Outcome::Refused ? replayed->code : 0;
  int32_t why = 0;
  if (g.saveFolderBusy) {
    why = kRefusedFolderBusy;
  } else if (g.saveLock != nullptr && !g.saveLock->StillHeld().ok()) {
    why = kRefusedLockLost;
  }
  if (why != 0 && g.host != nullptr) {
    g.host->NoteSave(SavedFile::Save, {SaveNote::Outcome::Refused, why});
  }
  return why;
}

void TellRefusal(Game& g, int32_t why, bool reset) {
  if (why == kRefusedLockLost) {
    Tell(g, Sjis("セーブフォルダのロックファイル qv.lock が消されたか置き換えられたため、"
                 "セーブしません。\r別のqvが同じセーブデータに書き込んでいるかもしれません。"));
  } else if (reset) {
    Tell(g, Sjis("このセーブデータは別のqvで使用中です。\r初期化は書き込まれません。"));
  }
}

// my.dat, then the record once my.dat is safely in place. What the result says of my.dat.
files::Written WriteSave(Game& g, FileIo& io, files::WriteOptions options,
                         const std::optional<SaveNote>& replayed) {
  // This copy is the folder's one writer: what an earlier failed save could not remove goes.
  RemoveStaleTemporaryFiles(g, io);
  GameState& s = g.state;
  s.phaseAtSave = g.battle.phase;
  const std::string text = SaveFileText(s);
  files::Written saved;
  const Status r = WriteOrTell(g, io, SavePath(g), text, "セーブファイル", SavedFile::Save,
                               replayed, options, &saved);
  if (saved.replaced) MarkSaved(g);
  if (r.ok()) {
    const std::optional<SaveNote> record =
        g.host != nullptr ? g.host->ReplayedSave(SavedFile::Record) : std::nullopt;
    (void)WriteOrTell(g, io, RecordPath(g), RecordText(s), "記録ファイル", SavedFile::Record,
                      record);
  }
  return saved;
}

}  // namespace

bool SaveGame(Game& g) {
  FileIo io;
  return SaveGame(g, io);
}

bool SaveGame(Game& g, FileIo& io) {
  if (g.state.saveDisabled == 1) return false;
  std::optional<SaveNote> replayed;
  if (const int32_t why = Refusal(g, replayed); why != 0) {
    TellRefusal(g, why, false);
    return false;
  }
  return WriteSave(g, io, {}, replayed).replaced;
}

ResetSave SaveAfterReset(Game& g) {
  FileIo io;
  return SaveAfterReset(g, io);
}

ResetSave SaveAfterReset(Game& g, FileIo& io) {
  ResetSave result;
  if (g.state.saveDisabled == 1) return result;
  std::optional<SaveNote> replayed;
  if (const int32_t why = Refusal(g, replayed); why != 0) {
    TellRefusal(g, why, true);
    return result;
  }
  files::WriteOptions options;
  options.keepBackup = true;
  const files::Written saved = WriteSave(g, io, options, replayed);
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
  RemoveStaleTemporaryFiles(g, io);
  ReadSaveFile(g, io);
  ReadNames(g, io);
  g.state.loadCount += 1;
  // What my.dat holds now (nothing, for a new player): until a save of this run is written,
  // progress is measured from here, so a run whose saves all fail never counts as saved.
  MarkSaved(g);
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
  // Another copy may be mid-save wherever this one is not the folder's one writer.
  if (g.saveFolderBusy || g.saveLock == nullptr || !g.saveLock->StillHeld().ok()) return;
  files::RemoveTemporaryFiles(io, SavePath(g), g.saveLock->folder());
  files::RemoveTemporaryFiles(io, RecordPath(g), g.saveLock->folder());
}

}  // namespace qv::persist
