// The play a run keeps beside its save for a bug report: the recording (the same as --record
// would write, bounded, and only by the copy that holds the folder) and the terminal lines.
#include "platform/session/kept_play.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "files/folder_lock.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/headless_run.h"
#include "platform/headless/script.h"
#include "platform/session/command_line.h"
#include "support/fake_host.h"

namespace qv::headless {
namespace {

constexpr const char* kNewPlayerAndOn =
    "ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\n"
    "click 200 86\ntype カイ\nclick 186 120\nclick 186 296\nclick 302 384\nclick 300 464\n"
    "ticks 5\nclick 320 200\nticks 250\n";

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// While it lives, the standard error goes to `file`, so that what a test makes the game say
// (or floods it with) stays out of the test's log.
class QuietTerminal {
 public:
  explicit QuietTerminal(const std::filesystem::path& file) {
    std::fflush(stderr);
    terminal_ = dup(STDERR_FILENO);
    const int quiet = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(quiet, STDERR_FILENO);
    close(quiet);
  }
  QuietTerminal(const QuietTerminal&) = delete;
  QuietTerminal& operator=(const QuietTerminal&) = delete;
  ~QuietTerminal() {
    std::fflush(stderr);
    dup2(terminal_, STDERR_FILENO);
    close(terminal_);
  }

 private:
  int terminal_;
};

class KeptPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir();
    std::filesystem::create_directories(dir_ / "player");
    std::ofstream(dir_ / "run.script") << kNewPlayerAndOn;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  Paths PlayerPaths() const { return session::GamePaths(QV_BUILD_DIR, (dir_ / "player").string()); }
  std::filesystem::path Kept() const { return dir_ / "player" / session::kKeptRecordingName; }

  std::filesystem::path dir_;
  std::ostringstream out_, err_;
};

TEST_F(KeptPlay, IsTheRecordingThatRecordWouldWriteAndReplaysAlike) {
  const std::filesystem::path rec = dir_ / "asked.qvr";
  ASSERT_EQ(RunHeadlessRecorded(dir_ / "run.script", rec, PlayerPaths(), 4, out_, err_),
            session::kExitOk)
      << err_.str();
  const std::string kept = ReadFile(Kept());
  EXPECT_FALSE(kept.empty());
  EXPECT_EQ(kept, ReadFile(rec)) << "the kept play differs from the --record recording";
}

TEST_F(KeptPlay, IsCutAtItsBoundAndStillReplaysUpToTheCut) {
  HeadlessHost host(out_);
  session::Recorder recorder(host);
  // The first check of a new player names every save line (~75 kB); little more fits.
  constexpr size_t kBound = 76'500;
  ASSERT_TRUE(recorder.Begin(4, std::nullopt, kBound).ok());
  auto run = session::CreateSession(recorder, PlayerPaths(), 4);
  ASSERT_EQ(session::StartGame(*run, host), session::Start::kPlaying);
  ASSERT_TRUE(recorder.Keep(Kept()).ok());
  recorder.Started(*run->game);
  const Result<Script> script = LoadScript(dir_ / "run.script");
  ASSERT_TRUE(script.ok());
  for (int i = 0; i < 4; ++i) RunScript(*script, *run, host, out_, err_, &recorder);
  recorder.Closing(*run->game);
  session::EndSession(*run);
  EXPECT_TRUE(recorder.Cut());
  EXPECT_TRUE(recorder.WriteError().empty()) << recorder.WriteError();
  EXPECT_LE(std::filesystem::file_size(Kept()), kBound);
  out_.str("");
  EXPECT_EQ(RunHeadlessReplay(Kept(), PlayerPaths(), "", {}, out_, err_), session::kExitOk)
      << err_.str();
  EXPECT_NE(out_.str().find("without an end"), std::string::npos) << out_.str();
}

TEST_F(KeptPlay, ACopyThatPlaysWithoutSavingLeavesTheOtherCopysPlayAlone) {
  std::ofstream(Kept()) << "the other copy's play";
  const files::FolderLock other(dir_ / "player");
  std::ofstream(dir_ / "run.script") << "answer yes\n" << kNewPlayerAndOn;
  ASSERT_EQ(RunHeadless(dir_ / "run.script", PlayerPaths(), 4, out_, err_), session::kExitOk)
      << err_.str();
  EXPECT_EQ(ReadFile(Kept()), "the other copy's play");
}

TEST_F(KeptPlay, AGameThatCannotStartKeepsWhatItSaid) {
  Paths paths = PlayerPaths();
  paths.cgDir = dir_ / "no pictures";
  int code = 0;
  {
    const QuietTerminal quiet(dir_ / "terminal");
    session::TerminalCopy copy;
    ASSERT_TRUE(copy.Start());
    code = RunHeadless(dir_ / "run.script", paths, 4, out_, err_, {}, {}, &copy);
  }
  EXPECT_EQ(code, session::kExitBadInput);
  const std::string said = ReadFile(dir_ / "player" / session::kKeptTerminalName);
  EXPECT_NE(said.find("no pictures"), std::string::npos) << said;
  EXPECT_TRUE(std::filesystem::exists(Kept()));
}

TEST(TerminalCopy, PassesEveryLineOnAndKeepsABoundedCopy) {
  const std::filesystem::path dir = testing::MakeTempDir();
  {
    const QuietTerminal quiet(dir / "terminal");
    session::TerminalCopy copy;
    ASSERT_TRUE(copy.Start());
    std::fprintf(stderr, "before the folder is known\n");
    ASSERT_TRUE(copy.KeepIn(dir / "last-session.log"));
    std::cerr << "after" << std::endl;
    const std::string flood(session::kMaxTerminalCopyBytes, 'x');
    std::fwrite(flood.data(), 1, flood.size(), stderr);
    copy.Stop();
    std::fprintf(stderr, "then the terminal's own\n");
  }
  const std::string kept = ReadFile(dir / "last-session.log");
  EXPECT_EQ(kept.size(), session::kMaxTerminalCopyBytes);
  const std::string shown = ReadFile(dir / "terminal");
  EXPECT_EQ(shown.size(), session::kMaxTerminalCopyBytes + 57) << "every line reaches the terminal";
  EXPECT_EQ(kept.rfind("before the folder is known\nafter\nxxx", 0), 0u) << kept.substr(0, 80);
  // A link is never written through.
  std::filesystem::create_symlink(dir / "elsewhere", dir / "link.log");
  session::TerminalCopy again;
  ASSERT_TRUE(again.Start());
  EXPECT_FALSE(again.KeepIn(dir / "link.log"));
  again.Stop();
  EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qv::headless
