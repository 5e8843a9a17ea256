// Whole runs recorded and played back: headless, and in the window under SDL's offscreen
// driver. The same recording must give the same saved state at every check, a changed one
// must be caught at the next check with the line that differs, and a replay never touches the
// player's own save.
#include "platform/session/replay_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "files/folder_lock.h"
#include "platform/headless/headless_run.h"
#include "platform/headless/script_runner.h"
#include "platform/sdl/sdl_run.h"
#include "platform/session/command_line.h"
#include "support/fake_host.h"

namespace qv::headless {
namespace {

// The opening screens and a new player named by typing; creation saves.
constexpr const char* kNewPlayer =
    "ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\n"
    "click 200 86\ntype カイ\nclick 186 120\nclick 186 296\nclick 302 384\nclick 300 464\n"
    "ticks 5\n";

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

// Random play from a seed: clicks, moves, wheels, keys, typing and box answers among ticks,
// after the opening screens so that most of it lands in play; every other one begins with a
// new hero, so that it wanders the opening monologue and the map instead of creation.
std::string RandomScript(uint32_t seed) {
  std::mt19937 rng(seed);
  auto n = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::ostringstream s;
  s << (seed % 2 ? kNewPlayer : "ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\n");
  const char* keys[] = {"enter", "escape", "space", "up", "down", "left", "right", "f1", "tab"};
  for (int i = 0; i < 60; ++i) {
    switch (n(0, 9)) {
      case 0:
      case 1:
      case 2:
        s << "click " << n(0, 639) << " " << n(0, 479) << (n(0, 9) == 0 ? " right" : "") << "\n";
        break;
      case 3:
        s << "click " << n(150, 560) << " " << n(380, 470) << "\n";  // where the buttons are
        break;
      case 4:
        s << "move " << n(0, 639) << " " << n(0, 479) << "\n";
        break;
      case 5:
        s << "wheel " << n(0, 639) << " " << n(0, 479) << " " << n(-3, 3) << "\n";
        break;
      case 6:
        s << "key " << keys[n(0, 8)] << "\n";
        break;
      case 7:
        s << "type " << static_cast<char>('a' + n(0, 25)) << static_cast<char>('A' + n(0, 25))
          << "\n";
        break;
      case 8:
        s << "answer " << (n(0, 1) ? "yes" : "no") << "\n";
        break;
      default:
        s << "ticks " << n(1, 40) << "\n";
        break;
    }
  }
  s << "ticks " << n(50, 150) << "\n";
  return s.str();
}

class ReplayRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir();
    playerDir_ = dir_ / "player";
    std::filesystem::create_directories(playerDir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  Paths PlayerPaths() const { return session::GamePaths(QV_BUILD_DIR, playerDir_.string()); }

  // Plays a script headless into the player's folder; with a recording file, records it.
  int Play(const std::string& script, const std::filesystem::path& recording = {},
           uint32_t seed = 5) {
    const std::filesystem::path file = dir_ / "run.script";
    WriteFile(file, script);
    out_.str("");
    err_.str("");
    if (recording.empty()) return RunHeadless(file, PlayerPaths(), seed, out_, err_);
    return RunHeadlessRecorded(file, recording, PlayerPaths(), seed, out_, err_);
  }

  int Replay(const std::filesystem::path& recording, const std::string& dataDir = {}) {
    out_.str("");
    err_.str("");
    return RunHeadlessReplay(recording, PlayerPaths(), dataDir, {}, out_, err_);
  }

  // The "final hash XXXX" a run printed.
  std::string FinalHash() const {
    const std::string out = out_.str();
    const size_t at = out.rfind("final hash ");
    return at == std::string::npos ? "" : out.substr(at + 11, 16);
  }

  std::filesystem::path dir_, playerDir_;
  std::ostringstream out_, err_;
};

TEST_F(ReplayRun, ARecordedRunReplaysToTheSameStateWithoutChangingPlay) {
  const std::string script = std::string(kNewPlayer) + "click 320 200\nticks 130\n";
  // The run without a recording, for comparison.
  ASSERT_EQ(Play(script), session::kExitOk) << err_.str();
  const std::string plainSave = ReadFile(playerDir_ / "my.dat");
  std::filesystem::remove_all(playerDir_);
  std::filesystem::create_directories(playerDir_);

  const std::filesystem::path rec = dir_ / "run.qvr";
  ASSERT_EQ(Play(script, rec), session::kExitOk) << err_.str();
  const std::string recorded = FinalHash();
  ASSERT_EQ(recorded.size(), 16u) << out_.str();
  const std::string playerSave = ReadFile(playerDir_ / "my.dat");
  EXPECT_EQ(playerSave, plainSave) << "recording changed what the game saved";

  for (int run = 0; run < 2; ++run) {
    ASSERT_EQ(Replay(rec), session::kExitOk) << err_.str() << out_.str();
    EXPECT_NE(out_.str().find("replay matches: 3 checks over 142 ticks"), std::string::npos)
        << out_.str();
    EXPECT_EQ(FinalHash(), recorded);
  }
  // The replays wrote their saves elsewhere: the player's save is as the recorded run left it.
  EXPECT_EQ(ReadFile(playerDir_ / "my.dat"), playerSave);
}

TEST_F(ReplayRun, AChangedInputIsCaughtAtTheNextCheckWithTheLineThatDiffers) {
  const std::filesystem::path rec = dir_ / "run.qvr";
  ASSERT_EQ(Play(std::string(kNewPlayer) + "ticks 150\n", rec), session::kExitOk) << err_.str();
  std::string text = ReadFile(rec);
  const std::string typed = "text %E3%82%AB%E3%82%A4\n";  // カイ
  const size_t at = text.find(typed);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, typed.size(), "text %E3%82%AB%E3%82%AB\n");  // カカ
  WriteFile(rec, text);

  EXPECT_EQ(Replay(rec), session::kExitExpectationFailed);
  const std::string err = err_.str();
  EXPECT_NE(err.find("the check at tick 100"), std::string::npos) << err;
  EXPECT_NE(err.find("'カイ' in the recording, 'カカ' in the replay"), std::string::npos) << err;
  EXPECT_NE(err.find("first differing save line is "), std::string::npos) << err;
  EXPECT_NE(out_.str().find("replayed 100 ticks"), std::string::npos) << out_.str();
}

TEST_F(ReplayRun, BoxAnswersArePartOfTheRecording) {
  // F1 on the opening screen, answered into a reset: three questions and the closing message.
  const std::filesystem::path rec = dir_ / "reset.qvr";
  ASSERT_EQ(Play("ticks 3\nanswer yes\nanswer yes\nanswer no\nkey f1\nticks 3\n", rec),
            session::kExitOk);
  const std::string text = ReadFile(rec);
  EXPECT_NE(text.find("3 answer yes\n3 answer yes\n3 answer no\n3 save my.dat written\n"
                      "3 save record written\n3 ok\n"),
            std::string::npos)
      << text;
  ASSERT_EQ(Replay(rec), session::kExitOk) << err_.str();

  // The first answer turned to No: the game stops asking, and the replay says so.
  std::string changed = text;
  changed.replace(changed.find("3 answer yes"), 12, "3 answer no");
  WriteFile(rec, changed);
  EXPECT_EQ(Replay(rec), session::kExitExpectationFailed);
  EXPECT_NE(err_.str().find("had not asked what the recording answers at tick 3"),
            std::string::npos)
      << err_.str();
}

TEST_F(ReplayRun, AReturningPlayerIsReplayedFromTheSaveTheRecordingStartedWith) {
  ASSERT_EQ(Play(kNewPlayer), session::kExitOk) << err_.str();
  const std::filesystem::path rec = dir_ / "again.qvr";
  ASSERT_EQ(Play("ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 120\n", rec, 9),
            session::kExitOk);
  const std::string recorded = FinalHash();
  const Result<session::Recording> parsed = session::LoadRecording(rec);
  ASSERT_TRUE(parsed.ok()) << parsed.message();
  ASSERT_TRUE(parsed->startSave.has_value());
  // The first check names only what the load itself changed, not the whole save.
  ASSERT_FALSE(parsed->entries.empty());
  EXPECT_LT(parsed->entries.front().changes.size(), 10u);

  // The player plays on (the save changes); the replay still starts where the recording did.
  ASSERT_EQ(Play("ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\n", {}, 3),
            session::kExitOk);
  ASSERT_EQ(Replay(rec), session::kExitOk) << err_.str();
  EXPECT_EQ(FinalHash(), recorded);

  // A folder of the replay's own is kept for a look, but never one that holds a save.
  const std::filesystem::path keep = dir_ / "keep";
  ASSERT_EQ(Replay(rec, keep.string()), session::kExitOk) << err_.str();
  EXPECT_TRUE(std::filesystem::exists(keep / "my.dat"));
  EXPECT_EQ(Replay(rec, keep.string()), session::kExitWriteFailed);
  EXPECT_NE(err_.str().find("already holds a my.dat"), std::string::npos) << err_.str();
}

// A save that failed or was refused while a run was recorded fails or is refused again in its
// replay, wherever that plays: the recording of a failed save replays.
TEST_F(ReplayRun, SavesThatFailedOrWereRefusedDoTheSameInTheReplay) {
  // The record cannot be written (a folder in its way): every save shows a message.
  std::filesystem::create_directories(playerDir_ / "記録.txt");
  const std::filesystem::path failing = dir_ / "failing.qvr";
  ASSERT_EQ(Play(kNewPlayer, failing), session::kExitOk) << err_.str();
  const std::string text = ReadFile(failing);
  EXPECT_NE(text.find("0 save my.dat written\n0 save record failed 21\n0 ok\n"), std::string::npos)
      << text;
  ASSERT_EQ(Replay(failing), session::kExitOk) << err_.str();
  std::filesystem::remove(playerDir_ / "記録.txt");

  // The same recording without its notes of saves, as an older qv wrote it: the replay's save
  // goes through, shows no message, and the replay names the likelier cause.
  std::string old;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find('\n', at) + 1;
    const std::string line = text.substr(at, end - at);
    if (line.find(" save ") == std::string::npos) old += line;
    at = end;
  }
  WriteFile(failing, old);
  EXPECT_EQ(Replay(failing), session::kExitExpectationFailed);
  EXPECT_NE(err_.str().find("does not note what its saves did"), std::string::npos) << err_.str();

  // A copy that plays without saving (another holds the folder) replays its saves refused.
  std::filesystem::remove_all(playerDir_);
  std::filesystem::create_directories(playerDir_);
  const std::filesystem::path refused = dir_ / "refused.qvr";
  {
    const files::FolderLock other(playerDir_);
    ASSERT_EQ(Play(std::string("answer yes\n") + kNewPlayer + "ticks 120\n", refused),
              session::kExitOk)
        << err_.str();
  }
  EXPECT_FALSE(std::filesystem::exists(playerDir_ / "my.dat"));
  EXPECT_NE(ReadFile(refused).find("0 save my.dat refused busy\n"), std::string::npos);
  ASSERT_EQ(Replay(refused), session::kExitOk) << err_.str();
  const Result<session::Recording> parsed = session::ParseRecording(
      "qv-replay 1\nseed 1\nstart-save none\n0 save my.dat refused busy\n0 save record failed "
      "28\n0 save my.dat unconfirmed 5\n0 save my.dat written\n");
  ASSERT_TRUE(parsed.ok()) << parsed.message();
  for (const char* bad : {"0 save record refused busy", "0 save my.dat failed", "0 save x written",
                          "0 save my.dat refused maybe", "0 save my.dat failed 99999"}) {
    EXPECT_FALSE(
        session::ParseRecording("qv-replay 1\nseed 1\nstart-save none\n" + std::string(bad) + "\n")
            .ok())
        << bad;
  }
}

TEST_F(ReplayRun, ARecordingCutShortByACrashPlaysWhatItHas) {
  const std::filesystem::path rec = dir_ / "cut.qvr";
  ASSERT_EQ(Play(std::string(kNewPlayer) + "ticks 200\n", rec), session::kExitOk);
  std::string text = ReadFile(rec);
  // Everything from the end entry and the save lines before it is lost, as in a crash.
  text.erase(text.find("\n212 ") + 1);
  WriteFile(rec, text);
  EXPECT_EQ(Replay(rec), session::kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("without an end"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("replayed 200 ticks, 3 checks matched"), std::string::npos)
      << out_.str();

  // A broken file is refused before anything plays, with its line.
  WriteFile(rec, "qv-replay 1\nseed 1\nstart-save none\n0 key 999\n");
  EXPECT_EQ(Replay(rec), session::kExitBadInput);
  EXPECT_NE(err_.str().find("cut.qvr:4: key needs a virtual-key code"), std::string::npos)
      << err_.str();
}

TEST_F(ReplayRun, RandomPlayGivesTheSameHashHeadlessAndInTheWindow) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // QV_REPLAY_RECORDINGS=20 makes the full measurement; the suite keeps it short.
  const char* count = std::getenv("QV_REPLAY_RECORDINGS");
  const int recordings = count ? std::max(1, std::atoi(count)) : 1;
  int same = 0, windowed = 0;
  for (int i = 0; i < recordings; ++i) {
    std::filesystem::remove_all(playerDir_);
    std::filesystem::create_directories(playerDir_);
    const std::filesystem::path rec = dir_ / ("random" + std::to_string(i) + ".qvr");
    ASSERT_EQ(Play(RandomScript(1001 + i), rec, 1001 + i), session::kExitOk) << err_.str();
    const std::string recorded = FinalHash();
    bool allSame = true;
    for (int run = 0; run < 2; ++run) {
      ASSERT_EQ(Replay(rec), session::kExitOk) << "recording " << i << ": " << err_.str();
      allSame = allSame && FinalHash() == recorded;
    }
    for (int run = 0; run < 2; ++run) {
      out_.str("");
      err_.str("");
      sdl::PlayOptions play;
      play.replay = rec;
      play.fast = true;
      play.out = &out_;
      const int code =
          sdl::RunWindowed({.scale = 1}, PlayerPaths(), QV_BUILD_DIR, 0, err_, {}, play);
      if (code == sdl::kExitNoWindow) break;
      ASSERT_EQ(code, session::kExitOk) << "recording " << i << " in the window: " << err_.str();
      allSame = allSame && FinalHash() == recorded;
      ++windowed;
    }
    same += allSame ? 1 : 0;
  }
  std::cout << "[ replays ] " << same << " of " << recordings
            << " recordings gave the same hash on every replay (" << windowed
            << " windowed replays)\n";
  EXPECT_EQ(same, recordings);
}

TEST(ReplayCommandLine, ReplayOptionsGoTogetherSensibly) {
  auto parse = [](std::vector<std::string_view> args) {
    return session::ParseCommandLine(args).message();
  };
  EXPECT_EQ(parse({"--headless", "--replay", "a.qvr"}), "");
  EXPECT_EQ(parse({"--replay=a.qvr", "--fast", "--snapshot-dir", "s"}), "");
  EXPECT_EQ(parse({"--headless", "--script", "s", "--record", "r"}), "");
  EXPECT_NE(parse({"--replay", "a", "--seed", "3"}).find("seed from the recording"),
            std::string::npos);
  EXPECT_NE(parse({"--record", "a", "--replay", "b"}).find("exclude each other"),
            std::string::npos);
  EXPECT_NE(parse({"--replay", "a", "--script", "s"}).find("not a script"), std::string::npos);
  EXPECT_NE(parse({"--record"}).find("needs a value"), std::string::npos);
  EXPECT_NE(parse({"--record="}).find("needs a path"), std::string::npos);
}

}  // namespace
}  // namespace qv::headless
