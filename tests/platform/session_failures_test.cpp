// What the session's own steps say when they cannot go on: each failure comes back with the
// words the player or tester reads, and nothing is half done.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/session/command_line.h"
#include "platform/session/replay_recorder.h"
#include "platform/session/replay_run.h"
#include "platform/session/small_file.h"
#include "support/fake_host.h"

namespace qv::session {
namespace {

class SessionFailures : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(SessionFailures, TheStartSaveIsReadOrNamedWithWhatIsWrong) {
  Paths paths;
  paths.saveDir = dir_;
  const Result<std::optional<std::string>> none = ReadStartSave(paths);
  ASSERT_TRUE(none.ok()) << none.message();
  EXPECT_FALSE(none->has_value());  // a new player: no save, and no failure

  std::ofstream(dir_ / "my.dat", std::ios::binary) << "saved";
  const Result<std::optional<std::string>> saved = ReadStartSave(paths);
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved->value_or(""), "saved");

  std::filesystem::resize_file(dir_ / "my.dat", kMaxStartSaveBytes + 1);
  const Result<std::optional<std::string>> big = ReadStartSave(paths);
  EXPECT_FALSE(big.ok());
  EXPECT_EQ(big.message(), (dir_ / "my.dat").string() + ": larger than 4 MiB");

  std::filesystem::remove(dir_ / "my.dat");
  std::filesystem::create_directory(dir_ / "my.dat");
  const Result<std::optional<std::string>> folder = ReadStartSave(paths);
  EXPECT_FALSE(folder.ok());
  EXPECT_EQ(folder.message().rfind((dir_ / "my.dat").string() + ": cannot read it (", 0), 0u)
      << folder.message();
}

TEST_F(SessionFailures, ARecordingThatCannotBeMadeIsNamed) {
  testing::FakeHost host;
  Recorder recorder(host);
  const std::filesystem::path nowhere = dir_ / "missing" / "run.qvr";
  const Status opened = recorder.Open(nowhere, 1, std::nullopt);
  EXPECT_FALSE(opened.ok());
  EXPECT_EQ(opened.message(), "cannot create the recording " + nowhere.string());

  Recorder second(host);
  const Status tooBig = second.Open(dir_ / "big.qvr", 1, std::string(kMaxStartSaveBytes + 1, 'x'));
  EXPECT_EQ(tooBig.message(), "my.dat is larger than 4 MiB and cannot go into a recording");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "big.qvr"));  // refused before anything is made

  Recorder good(host);
  EXPECT_TRUE(good.Open(dir_ / "good.qvr", 1, std::nullopt).ok());
}

TEST_F(SessionFailures, AReplayFolderKeepsAwayFromASave) {
  Recording r;
  r.startSave = "start";
  {
    ReplayFolder scratch;
    ASSERT_TRUE(scratch.Prepare(r, "").ok());
  }
  const std::string keep = (dir_ / "keep").string();
  {
    ReplayFolder folder;
    ASSERT_TRUE(folder.Prepare(r, keep).ok());
  }
  ReplayFolder again;
  const Status refused = again.Prepare(r, keep);
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.message(),
            keep + " already holds a my.dat; a replay writes its own (use an empty folder)");
}

TEST_F(SessionFailures, ASmallFileIsReadOrNamed) {
  const std::filesystem::path file = dir_ / "s.txt";
  const Result<std::string> missing = ReadSmallFile(file, 1 << 20, "script file");
  EXPECT_EQ(missing.message(), file.string() + ": no such script file");
  std::ofstream(file) << std::string(2 << 20, 'a');
  EXPECT_EQ(ReadSmallFile(file, 1 << 20, "script file").message(),
            file.string() + ": larger than 1 MiB");
  std::filesystem::resize_file(file, 3);
  const Result<std::string> read = ReadSmallFile(file, 1 << 20, "script file");
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(*read, "aaa");
}

TEST(CommandLineFailures, DesktopAndReplayOptionsSayWhatTheyNeed) {
  auto error = [](std::vector<std::string_view> args) { return ParseCommandLine(args).message(); };
  EXPECT_EQ(error({"--music-volume", "loud"}),
            "--music-volume needs a number in 0..100, not 'loud'");
  EXPECT_EQ(error({"--effects-volume=101"}),
            "--effects-volume needs a number in 0..100, not '101'");
  EXPECT_EQ(error({"--soundfont="}), "--soundfont needs a path");
  EXPECT_EQ(error({"--snapshot-dir="}), "--snapshot-dir needs a path");
  EXPECT_EQ(error({"--replay", "a", "--script", "s"}),
            "--replay plays a recording, not a script (drop --script)");
  const Result<Options> good = ParseCommandLine(std::vector<std::string_view>{"--mute", "--fast"});
  EXPECT_TRUE(good.ok()) << good.message();
  EXPECT_TRUE(good->mute);
  EXPECT_TRUE(good->fast);
}

}  // namespace
}  // namespace qv::session
