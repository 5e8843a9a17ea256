// Whole headless runs of the real game: the script drives it, the files land in a temporary
// data folder, and the game's data comes from the build tree.
#include "platform/headless/headless_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/text.h"
#include "gfx/picture_file.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/script_runner.h"
#include "platform/session/command_line.h"
#include "platform/session/state_dump.h"
#include "support/fake_host.h"

namespace qv::headless {
namespace {

class HeadlessRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir();
    paths_ = session::GamePaths(QV_BUILD_DIR, dir_.string());
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Runs a script text; returns the exit code, stdout and stderr in out_ and err_.
  int Run(const std::string& script) {
    const std::filesystem::path file = dir_ / "test.script";
    std::ofstream(file, std::ios::binary) << script;
    out_.str("");
    err_.str("");
    return RunHeadless(file, paths_, 1, out_, err_);
  }

  std::filesystem::path dir_;
  Paths paths_;
  std::ostringstream out_, err_;
};

TEST_F(HeadlessRun, ResetFromTheOpeningScreenWritesAFreshSave) {
  const int code =
      Run("ticks 3\n"
          "expect scene -2\n"
          "answer yes\nanswer yes\nanswer no\n"
          "key f1\n"
          "expect saveDisabled 0\n"
          "expect money 50\n"
          "expect player.name しすみ\n"
          "expect loadCount 0\n"
          "expect saveLines 5465\n"
          "click 100 100\n"
          "ticks 2\n"
          "expect scene -1\n");
  EXPECT_EQ(code, session::kExitOk) << err_.str();
  // Every box is printed in UTF-8 with its answer.
  const std::string out = out_.str();
  EXPECT_NE(out.find("おっと、初期化したい？\n今までの記録とか消えるけどいい？)"),
            std::string::npos)
      << out;
  // The save the reset replaced (the one start-up wrote) is kept, and the box says where.
  EXPECT_NE(out.find("[message] 初期化完了....\n前のデータは my.dat.bak に残してあります"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("never asked for"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "my.dat"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "my.dat.bak"));
}

// Yes, Yes, Yes keeps the old game; the third question wants "No" to go on.
TEST_F(HeadlessRun, ResetAnsweredYesThreeTimesKeepsTheGame) {
  ASSERT_EQ(Run("answer yes\nanswer yes\nanswer yes\nkey f1\n"
                "expect lastBox では初期化する場合は「いいえ」を選択してね)\n"),
            session::kExitOk)
      << err_.str();
  ASSERT_EQ(Run("expect loadCount 2\n"), session::kExitOk)
      << err_.str();  // the second start's load
}

TEST_F(HeadlessRun, FailedExpectationNamesTheLineAndStops) {
  EXPECT_EQ(Run("ticks 1\n\nexpect scene 0\ndump after.txt\n"), session::kExitExpectationFailed);
  EXPECT_NE(err_.str().find("line 3"), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("'-2'"), std::string::npos) << err_.str();
  EXPECT_FALSE(std::filesystem::exists("after.txt"));
}

TEST_F(HeadlessRun, BadScriptsFailBeforeTheGameStarts) {
  EXPECT_EQ(Run("ticks 1\nclick 1\n"), session::kExitBadInput);
  EXPECT_NE(err_.str().find(":2: "), std::string::npos) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "my.dat"));  // the game never loaded

  EXPECT_EQ(RunHeadless(dir_ / "missing.script", paths_, 1, out_, err_), session::kExitBadInput);
  EXPECT_EQ(Run("expect noSuchKey 1\n"), session::kExitBadInput);
  EXPECT_NE(err_.str().find("unknown key"), std::string::npos);
}

TEST_F(HeadlessRun, ScreenshotAndDumpFiles) {
  const std::filesystem::path shot = dir_ / "credit.png";
  const std::filesystem::path dump = dir_ / "state.txt";
  ASSERT_EQ(Run("ticks 2\nscreenshot " + shot.string() + "\ndump " + dump.string() + "\n"),
            session::kExitOk)
      << err_.str();
  const Result<gfx::Bitmap> png = gfx::LoadPicture(shot);
  ASSERT_TRUE(png.ok()) << png.message();
  EXPECT_EQ(png->Width(), 640);
  EXPECT_EQ(png->Height(), 480);
  std::ifstream in(dump);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("scene: -2\n"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("player.name: "), std::string::npos);
  EXPECT_NE(text.str().find("visible panels:"), std::string::npos);

  EXPECT_EQ(Run("screenshot " + (dir_ / "no/such/dir/x.png").string() + "\n"),
            session::kExitWriteFailed);
  EXPECT_NE(err_.str().find("line 1"), std::string::npos);
}

// A damaged save disables saving; the opening screen's click then closes the window, which
// ends the run (the rest of the script is skipped).
TEST_F(HeadlessRun, ClickThatClosesTheWindowEndsTheRun) {
  ASSERT_EQ(Run("ticks 1\n"), session::kExitOk);
  {
    // A different check value (the last line): the file no longer matches it.
    std::ifstream in(dir_ / "my.dat", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    ASSERT_TRUE(text.ends_with("\r\n"));
    const size_t start = text.rfind("\r\n", text.size() - 3) + 2;
    const std::string last = text.substr(start, text.size() - 2 - start);
    text = text.substr(0, start) + (last == "0" ? "1" : "0") + "\r\n";
    std::ofstream(dir_ / "my.dat", std::ios::binary | std::ios::trunc) << text;
  }
  ASSERT_EQ(Run("expect saveDisabled 1\nclick 5 5\nexpect scene 99\n"), session::kExitOk)
      << err_.str();
  EXPECT_NE(out_.str().find("the rest of the script is skipped"), std::string::npos);
  EXPECT_NE(out_.str().find("[message] "), std::string::npos);  // the damage was reported
}

TEST(StateDump, IndexedAndWidgetKeys) {
  testing::TestGame t;
  Game& g = t.g();
  g.state.eventFlags[7] = 3;
  g.state.player().name = Sjis("しすみ");
  g.text.lines[0].text = Sjis("一行目\r二行目");
  EXPECT_EQ(session::LookupStateValue(g, "eventFlags[7]"), "3");
  EXPECT_EQ(session::LookupStateValue(g, "eventFlags[0]"), "0");
  EXPECT_FALSE(session::LookupStateValue(g, "eventFlags[100]"));
  EXPECT_FALSE(session::LookupStateValue(g, "eventFlags[-1]"));
  EXPECT_FALSE(session::LookupStateValue(g, "eventFlags[x]"));
  EXPECT_FALSE(session::LookupStateValue(g, "nothing[1]"));
  EXPECT_EQ(session::LookupStateValue(g, "player.name"), "しすみ");
  EXPECT_FALSE(session::LookupStateValue(g, "player.nothing"));
  EXPECT_EQ(session::LookupStateValue(g, "line[0]"), "一行目\\r二行目");
  EXPECT_EQ(session::LookupStateValue(g, "visible.cg"), "1");
  EXPECT_EQ(session::LookupStateValue(g, "visible.map_box"), "0");
  EXPECT_FALSE(session::LookupStateValue(g, "visible.nothing"));
  EXPECT_EQ(session::LookupStateValue(g, "saveLines"), "-1");  // no save yet
  EXPECT_FALSE(session::LookupStateValue(g, "boxes"));         // needs a host

  ShowPanel(g.form, W::map_box);
  const std::string dump = session::DumpState(g);
  EXPECT_NE(dump.find("eventFlags: 7=3\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("visible panels: map_box\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("line[0]: 一行目\\r二行目\n"), std::string::npos) << dump;
}

TEST(HeadlessHost, ConfirmTakesQueuedAnswersThenSaysNo) {
  std::ostringstream out;
  HeadlessHost host(out);
  host.QueueAnswer(true);
  EXPECT_TRUE(host.Confirm(Sjis("一つ目")));
  EXPECT_FALSE(host.Confirm(Sjis("二つ目")));
  EXPECT_NE(out.str().find("[confirm] 一つ目\n  -> yes"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("no answer was queued"), std::string::npos);
  EXPECT_EQ(session::BoxTextForPrinting(Sjis("上\r\n下\r終")), "上\n下\n終");
  host.Advance(77);
  EXPECT_EQ(host.NowMs(), 77);
}

}  // namespace
}  // namespace qv::headless
