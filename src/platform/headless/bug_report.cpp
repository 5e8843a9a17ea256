#include "platform/headless/bug_report.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "persist/save.h"
#include "platform/headless/headless_run.h"
#include "platform/session/command_line.h"
#include "platform/session/kept_play.h"
#include "platform/session/replay_file.h"
#include "platform/session/session.h"
#include "platform/session/tar_archive.h"
#include "platform/session/terminal_copy.h"

namespace qv::headless {
namespace {

constexpr size_t kMaxSmallFileBytes = 1024 * 1024;

// One file of the player's, as the report names it.
struct Source {
  std::filesystem::path path;
  const char* name;     // in the archive
  const char* meaning;  // for report.txt
  size_t maxBytes;
};

// A scratch folder, removed with everything in it at the end.
class Scratch {
 public:
  Scratch() {
    std::error_code ec;
    std::string pattern =
        (std::filesystem::temp_directory_path(ec) / "qv-bug-report-XXXXXX").string();
    if (!ec && mkdtemp(pattern.data())) dir_ = pattern;
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  ~Scratch() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

std::string UtcNow(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &tm);
  return text;
}

// Plays the recording without a window and adds the picture and the state it ends on; what
// the replay said goes into the report.
void AddReplay(const std::filesystem::path& recording, const Paths& paths,
               const ui::Catalog& catalog, std::vector<session::TarFile>& files,
               std::string& report) {
  Scratch scratch;
  if (scratch.Dir().empty()) {
    report += "replay: not tried (no scratch folder)\n";
    return;
  }
  const std::filesystem::path shots = scratch.Dir() / "shots";
  std::ostringstream said;
  std::ostringstream problems;
  const int code = RunHeadlessReplay(recording, paths, "", shots, said, problems, catalog);
  report += "replay of play.qvr without a window (exit " + std::to_string(code) + "):\n" +
            said.str() + problems.str();
  for (const auto& [file, name] :
       {std::pair{"shot-end.png", "screenshot.png"}, std::pair{"dump-end.txt", "state.txt"}}) {
    Result<std::string> bytes = files::ReadFile(shots / file, session::kMaxRecordingBytes);
    if (bytes.ok()) files.push_back({name, std::move(*bytes)});
  }
}

}  // namespace

int WriteBugReport(const std::filesystem::path& archive, const Paths& paths,
                   const std::filesystem::path& settingsFile, const ui::Catalog& catalog,
                   std::ostream& out, std::ostream& err) {
  const int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
  std::string report = "qv bug report, made " + UtcNow(now) + "\n" + session::VersionText() + "\n";
  const std::filesystem::path recording = paths.saveDir / session::kKeptRecordingName;
  const Source sources[] = {
      {settingsFile, "qv.ini", "the settings", kMaxSmallFileBytes},
      {paths.saveDir / persist::kSaveFileName, "my.dat", "the save", session::kMaxStartSaveBytes},
      {paths.recordDir / persist::kRecordFileName, "record.txt",
       "the record, the summary of the player written at every save", kMaxSmallFileBytes},
      {paths.saveDir / session::kKeptTerminalName, "terminal.txt",
       "the last session's terminal lines", session::kMaxTerminalCopyBytes},
      {recording, "play.qvr", "the recording of the last play, from the save it started with",
       session::kMaxRecordingBytes},
  };
  std::vector<session::TarFile> files;
  bool haveRecording = false;
  for (const Source& s : sources) {
    Result<std::string> bytes = files::ReadFile(s.path, s.maxBytes);
    if (bytes.ok()) {
      report += std::string(s.name) + ": " + s.meaning + "\n";
      files.push_back({s.name, std::move(*bytes)});
      haveRecording = haveRecording || s.path == recording;
    } else {
      report += std::string(s.name) + ": missing, " + s.meaning + " (" +
                (bytes.code() == ENOENT ? std::string("none yet") : bytes.message()) + ")\n";
    }
  }
  report += "\n";
  if (haveRecording) {
    report += "screenshot.png, state.txt: where the recording ends, from its replay\n";
    AddReplay(recording, paths, catalog, files, report);
    report +=
        "\nTo watch it: qv --replay play.qvr (in a window), or\n"
        "qv --headless --replay play.qvr --snapshot-dir DIR (DIR/dump-end.txt is state.txt)\n";
  } else {
    report +=
        "No recording of a play is kept yet: play until the problem shows, close the "
        "game, then make the report.\n";
  }
  files.insert(files.begin(), {"report.txt", report});

  files::FileIo io;
  const std::string tar = session::MakeTar("qv-bug-report", files, now);
  if (const Status written = files::WriteFileAtomically(io, archive, tar); !written.ok()) {
    err << "qv: cannot write the bug report " << archive.string() << ": " << written.message()
        << "\n";
    return session::kExitWriteFailed;
  }
  out << "bug report written to " << archive.string() << " (" << files.size()
      << " files; open it with: tar xf " << archive.filename().string() << ")\n";
  return session::kExitOk;
}

}  // namespace qv::headless
