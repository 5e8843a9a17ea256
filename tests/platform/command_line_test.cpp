#include "platform/session/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv::session {
namespace {

Result<Options> Parse(std::vector<std::string_view> args) {
  return ParseCommandLine(args);
}

TEST(ParseCommandLine, HeadlessRunWithEveryValue) {
  const Result<Options> p =
      Parse({"--headless", "--seed", "42", "--data-dir=/tmp/x", "--script", "a.script"});
  ASSERT_TRUE(p.ok()) << p.message();
  EXPECT_TRUE(p->headless);
  EXPECT_EQ(p->seed, 42u);
  EXPECT_EQ(p->dataDir, "/tmp/x");
  EXPECT_EQ(p->script, "a.script");
}

TEST(ParseCommandLine, WindowOptionsAndDefaults) {
  const Result<Options> none = Parse({});
  ASSERT_TRUE(none.ok()) << none.message();
  EXPECT_FALSE(none->headless);
  EXPECT_FALSE(none->seed.has_value());
  EXPECT_EQ(none->scale, 0);

  const Result<Options> p = Parse({"--scale=3", "--fullscreen", "--frames", "2"});
  ASSERT_TRUE(p.ok()) << p.message();
  EXPECT_EQ(p->scale, 3);
  EXPECT_TRUE(p->fullscreen);
  EXPECT_EQ(p->frames, 2);
  EXPECT_EQ(Parse({"--seed", "4294967295"})->seed, 4294967295u);
  EXPECT_TRUE(Parse({"--script", "s"})->headless);  // a script means headless
}

TEST(ParseCommandLine, RejectsBadValuesAndUnknownOptions) {
  const std::vector<std::vector<std::string_view>> bad = {
      {"--seed"},       {"--seed", "-1"},  {"--seed", "4294967296"}, {"--seed", "x"},
      {"--scale", "0"}, {"--scale", "17"}, {"--frames", "0"},        {"--data-dir", ""},
      {"--headless"},   {"--bogus"},       {"--fullscreen=1"},       {"--script="},
  };
  for (const auto& args : bad) {
    EXPECT_FALSE(Parse(args).ok()) << args[0];
  }
}

TEST(UsageText, ListsEveryOption) {
  const std::string usage = UsageText();
  for (const char* option : {"--headless", "--seed", "--data-dir", "--script", "--scale",
                             "--fullscreen", "--frames", "--help", "--version"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

TEST(GamePaths, DataDirMovesOnlyTheWritableFiles) {
  const Paths beside = GamePaths("/opt/qv", "");
  EXPECT_EQ(beside.cgDir, "/opt/qv/cg");
  EXPECT_EQ(beside.datDir, "/opt/qv/dat");
  EXPECT_EQ(beside.saveDir, "/opt/qv/dat");
  EXPECT_EQ(beside.recordDir, "/opt/qv");

  const Paths moved = GamePaths("/opt/qv", "/home/p/save");
  EXPECT_EQ(moved.cgDir, "/opt/qv/cg");
  EXPECT_EQ(moved.datDir, "/opt/qv/dat");
  EXPECT_EQ(moved.saveDir, "/home/p/save");
  EXPECT_EQ(moved.recordDir, "/home/p/save");
}

}  // namespace
}  // namespace qv::session
