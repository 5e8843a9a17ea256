#include "platform/headless/script.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "files/files_fixture.h"
#include "platform/headless/key_names.h"
#include "support/fake_host.h"

namespace qv::headless {
namespace {

TEST(ParseScript, ReadsEveryCommandWithItsLineNumber) {
  const Result<Script> s = ParseScript(
      "\xEF\xBB\xBF# opening\r\n"
      "click 10 20\r\n"
      "\n"
      "click 639 479 right\n"
      "move 0 0\n"
      "wheel 5 6 -3\n"
      "key F1\n"
      "type しすみ two words\n"
      "ticks 0\n"
      "answer yes\n"
      "answer no\n"
      "screenshot out/a b.png\n"
      "dump\n"
      "dump state.txt\n"
      "expect player.name しすみ\n");
  ASSERT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(s->commands.size(), 13u);
  const Command& click = s->commands[0];
  EXPECT_EQ(click.kind, CommandKind::Click);
  EXPECT_EQ(click.lineNumber, 2);
  EXPECT_EQ(click.x, 10);
  EXPECT_EQ(click.y, 20);
  EXPECT_FALSE(click.flag);
  EXPECT_TRUE(s->commands[1].flag);  // right button
  EXPECT_EQ(s->commands[1].lineNumber, 4);
  EXPECT_EQ(s->commands[3].amount, -3);
  EXPECT_EQ(s->commands[4].amount, 112);  // F1
  EXPECT_EQ(s->commands[5].text, "しすみ two words");
  EXPECT_TRUE(s->commands[7].flag);
  EXPECT_FALSE(s->commands[8].flag);
  EXPECT_EQ(s->commands[9].text, "out/a b.png");
  EXPECT_EQ(s->commands[10].text, "");
  EXPECT_EQ(s->commands[11].text, "state.txt");
  EXPECT_EQ(s->commands[12].text, "player.name");
  EXPECT_EQ(s->commands[12].value, "しすみ");
}

// Every bad line names its own line number, and nothing of the script is kept.
TEST(ParseScript, RejectsBadLinesWithTheirNumber) {
  struct Case {
    const char* line;
    const char* why;
  };
  const Case cases[] = {
      {"click 640 0", "window position"},
      {"click 0 480", "window position"},
      {"click -1 0", "window position"},
      {"click 1", "window position"},
      {"click 1 2 middle", "'left' or 'right'"},
      {"click 1 2 right extra", "unexpected"},
      {"move 99999999999999999999 0", "window position"},
      {"ticks 1000001", "0..1000000"},
      {"ticks -1", "0..1000000"},
      {"ticks 12abc", "0..1000000"},
      {"ticks", "0..1000000"},
      {"wheel 1 1 101", "-100..100"},
      {"key f13", "unknown key"},
      {"key ab", "unknown key"},
      {"key", "unknown key"},
      {"answer maybe", "'yes' or 'no'"},
      {"type", "needs the text"},
      {"type \xFF\xFE", "not UTF-8"},
      {"type \xE3\x81", "not UTF-8"},
      {"type \xC0\xAF", "not UTF-8"},  // an overlong slash
      {"screenshot", "file name"},
      {"expect scene", "KEY and a VALUE"},
      {"jump 1 2", "unknown command"},
  };
  for (const Case& c : cases) {
    const Result<Script> s =
        ParseScript(std::string("ticks 1\n# fine\n") + c.line + "\nticks 2\n", "t.script");
    EXPECT_FALSE(s.ok()) << c.line;
    EXPECT_NE(s.message().find("t.script:3: "), std::string::npos)
        << c.line << " -> " << s.message();
    EXPECT_NE(s.message().find(c.why), std::string::npos) << c.line << " -> " << s.message();
  }
}

TEST(ParseScript, BoundsLineAndScriptSizes) {
  EXPECT_FALSE(ParseScript("type " + std::string(kMaxLineBytes, 'a')).ok());
  EXPECT_TRUE(ParseScript("type " + std::string(kMaxLineBytes - 10, 'a')).ok());
  EXPECT_FALSE(ParseScript(std::string(kMaxScriptBytes + 1, '\n')).ok());
}

TEST(LoadScript, MissingAndPresentFiles) {
  const std::filesystem::path dir = testing::MakeTempDir();
  const Result<Script> missing = LoadScript(dir / "none.script");
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.message().find("no such script file"), std::string::npos);
  EXPECT_FALSE(LoadScript(dir).ok());  // a folder is not a script

  std::ofstream(dir / "ok.script") << "ticks 3\nexpect scene -2\n";
  const Result<Script> ok = LoadScript(dir / "ok.script");
  ASSERT_TRUE(ok.ok()) << ok.message();
  EXPECT_EQ(ok->commands.size(), 2u);
  std::filesystem::remove_all(dir);
}

TEST(VirtualKeyFromName, NamesLettersDigitsAndFunctionKeys) {
  EXPECT_EQ(VirtualKeyFromName("enter"), 13);
  EXPECT_EQ(VirtualKeyFromName("ENTER"), 13);
  EXPECT_EQ(VirtualKeyFromName("backspace"), 8);
  EXPECT_EQ(VirtualKeyFromName("escape"), 27);
  EXPECT_EQ(VirtualKeyFromName("up"), 38);
  EXPECT_EQ(VirtualKeyFromName("down"), 40);
  EXPECT_EQ(VirtualKeyFromName("a"), 65);
  EXPECT_EQ(VirtualKeyFromName("Z"), 90);
  EXPECT_EQ(VirtualKeyFromName("7"), 55);
  EXPECT_EQ(VirtualKeyFromName("f1"), 112);
  EXPECT_EQ(VirtualKeyFromName("f12"), 123);
  EXPECT_FALSE(VirtualKeyFromName("f0"));
  EXPECT_EQ(VirtualKeyFromName("f"), 'F');
  EXPECT_FALSE(VirtualKeyFromName("fx"));
  EXPECT_FALSE(VirtualKeyFromName("f99999999999"));
  EXPECT_FALSE(VirtualKeyFromName("!"));
  EXPECT_FALSE(VirtualKeyFromName(""));
}

// A script is whatever path the tester gives: anything but a regular file is named, never
// waited on.
TEST(LoadScript, WhatIsNotARegularFileIsNamedAndNeverWaitedOn) {
  qv::testing::ScratchFolder dir("script");
  alarm(20);
  for (const auto& c : qv::testing::kHostileCases) {
    if (!qv::testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    qv::testing::MakeHostile(dir / "run.script", c.kind);
    const Result<Script> s = LoadScript(dir / "run.script");
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message().rfind((dir / "run.script").string() + ":", 0), 0u) << s.message();
  }
  alarm(0);
}

}  // namespace
}  // namespace qv::headless
