#include "platform/session/replay_run.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "files/file_io.h"
#include "persist/save.h"
#include "platform/session/session.h"

namespace qv::session {

Result<std::optional<std::string>> ReadStartSave(const Paths& paths) {
  const std::filesystem::path file = paths.saveDir / persist::kSaveFileName;
  Result<std::string> bytes = files::ReadFile(file, kMaxStartSaveBytes);
  if (bytes.code() == ENOENT) return std::optional<std::string>();
  if (bytes.code() == EFBIG) return Failure(file.string() + ": larger than 4 MiB");
  if (!bytes.ok()) return Failure(file.string() + ": cannot read it (" + bytes.message() + ")");
  return std::optional<std::string>(std::move(*bytes));
}

ReplayFolder::~ReplayFolder() {
  if (!scratch_) return;
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

Status ReplayFolder::Prepare(const Recording& r, const std::string& dataDir) {
  std::error_code ec;
  if (dataDir.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "qv-replay-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data()))
      return Failure("cannot make a scratch folder for the replay");
    dir_ = pattern;
    scratch_ = true;
  } else {
    dir_ = dataDir;
    std::filesystem::create_directories(dir_, ec);
    if (std::filesystem::exists(dir_ / persist::kSaveFileName, ec)) {
      return Failure(dataDir +
                     " already holds a my.dat; a replay writes its own (use an empty folder)");
    }
  }
  if (!r.startSave) return {};
  std::ofstream out(dir_ / persist::kSaveFileName, std::ios::binary | std::ios::trunc);
  out << *r.startSave;
  out.close();
  if (!out) return Failure("cannot write the recording's start save into " + dir_.string());
  return {};
}

Paths ReplayFolder::PathsFor(const Paths& program) const {
  Paths p = program;
  p.saveDir = dir_;
  p.recordDir = dir_;
  return p;
}

int ReportReplay(const Replayer& r, std::ostream& out, std::ostream& err) {
  const std::string hash = HashToText(r.FinalHash());
  switch (r.Outcome()) {
    case ReplayOutcome::Same:
      out << "replay matches: " << r.ChecksPassed() << " checks over " << r.Ticks()
          << " ticks; final hash " << hash << "\n";
      return kExitOk;
    case ReplayOutcome::Cut:
      out << "note: " << r.Verdict() << "\n"
          << "replayed " << r.Ticks() << " ticks, " << r.ChecksPassed()
          << " checks matched; final hash " << hash << "\n";
      return kExitOk;
    case ReplayOutcome::Differs:
    case ReplayOutcome::Unfinished:
    case ReplayOutcome::Playing:
      break;
  }
  err << "qv: replay " << (r.Outcome() == ReplayOutcome::Differs ? "differs" : "stopped") << ": "
      << r.Verdict() << "\n";
  out << "replayed " << r.Ticks() << " ticks, " << r.ChecksPassed()
      << " checks matched; final hash " << hash << "\n";
  return kExitExpectationFailed;
}

}  // namespace qv::session
