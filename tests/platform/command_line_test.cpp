#include "platform/session/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv::session {
namespace {

ParsedOptions Parse(std::vector<std::string_view> args) {
  return ParseCommandLine(args);
}

TEST(ParseCommandLine, HeadlessRunWithEveryValue) {
  const ParsedOptions p =
      Parse({"--headless", "--seed", "42", "--data-dir=/tmp/x", "--script", "a.script"});
  ASSERT_EQ(p.error, "");
  EXPECT_TRUE(p.options.headless);
  EXPECT_EQ(p.options.seed, 42u);
  EXPECT_EQ(p.options.dataDir, "/tmp/x");
  EXPECT_EQ(p.options.script, "a.script");
}

TEST(ParseCommandLine, WindowOptionsAndDefaults) {
  const ParsedOptions none = Parse({});
  ASSERT_EQ(none.error, "");
  EXPECT_FALSE(none.options.headless);
  EXPECT_FALSE(none.options.seed.has_value());
  EXPECT_EQ(none.options.scale, 0);

  const ParsedOptions p = Parse({"--scale=3", "--fullscreen", "--frames", "2"});
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.scale, 3);
  EXPECT_TRUE(p.options.fullscreen);
  EXPECT_EQ(p.options.frames, 2);
  EXPECT_EQ(Parse({"--seed", "4294967295"}).options.seed, 4294967295u);
  EXPECT_TRUE(Parse({"--script", "s"}).options.headless);  // a script means headless
}

TEST(ParseCommandLine, RejectsBadValuesAndUnknownOptions) {
  const std::vector<std::vector<std::string_view>> bad = {
      {"--seed"},       {"--seed", "-1"},  {"--seed", "4294967296"}, {"--seed", "x"},
      {"--scale", "0"}, {"--scale", "17"}, {"--frames", "0"},        {"--data-dir", ""},
      {"--headless"},   {"--bogus"},       {"--fullscreen=1"},       {"--script="},
  };
  for (const auto& args : bad) {
    EXPECT_NE(Parse(args).error, "") << args[0];
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
