// Choosing the language: --language on the command line, language in qv.ini, a named error
// for a language without texts (and Japanese played), and the help that says how.
#include "platform/session/language.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/session/command_line.h"
#include "platform/settings.h"

namespace qv {
namespace {

const std::filesystem::path kLocale = std::filesystem::path(QV_BUILD_DIR) / "locale";

TEST(Language, OnlyALanguageWithACatalogIsChosen) {
  std::string message;
  EXPECT_FALSE(platform::ChooseLanguage("ja", kLocale, message).Active());
  EXPECT_TRUE(message.empty());
  EXPECT_FALSE(platform::ChooseLanguage("", kLocale, message).Active());
  EXPECT_TRUE(message.empty());
  EXPECT_FALSE(platform::ChooseLanguage("xx", kLocale, message).Active());
  EXPECT_NE(message.find("'xx'"), std::string::npos) << message;
  EXPECT_NE(message.find("ja, en"), std::string::npos) << message;
  EXPECT_NE(message.find("Japanese"), std::string::npos) << message;
  const ui::Catalog en = platform::ChooseLanguage("en", kLocale, message);
  EXPECT_TRUE(en.Active());
  EXPECT_EQ(en.Language(), "en");
  EXPECT_TRUE(message.empty());
}

TEST(Language, ADamagedCatalogIsNamedAndJapaneseIsPlayed) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qv-language-" + std::to_string(getpid()));
  const std::filesystem::path mo = dir / "en/LC_MESSAGES/qv.mo";
  std::filesystem::create_directories(mo.parent_path());
  std::filesystem::copy_file(kLocale / "en/LC_MESSAGES/qv.mo", mo);
  std::filesystem::resize_file(mo, std::filesystem::file_size(mo) / 2);
  std::string message;
  EXPECT_FALSE(platform::ChooseLanguage("en", dir, message).Active());
  EXPECT_NE(message.find(mo.string()), std::string::npos) << message;
  EXPECT_NE(message.find("past the end"), std::string::npos) << message;
  EXPECT_NE(message.find("Japanese"), std::string::npos) << message;
  std::filesystem::remove_all(dir);
}

TEST(Language, TheCommandLineAndTheSettingsFileNameIt) {
  const std::vector<std::string_view> args = {"--language", "en"};
  const Result<session::Options> p = session::ParseCommandLine(args);
  ASSERT_TRUE(p.ok()) << p.message();
  EXPECT_EQ(p->language, "en");
  const std::vector<std::string_view> bare = {"--language"};
  EXPECT_FALSE(session::ParseCommandLine(bare).ok());
  // A value that is no language code is named escaped and shortened, never echoed raw.
  const std::string hostile = "\x1b]0;owned\x07\x1b[2J" + std::string(100000, 'x');
  const std::vector<std::string_view> odd = {"--language", hostile};
  const Result<session::Options> refused = session::ParseCommandLine(odd);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.message().find('\x1b'), std::string::npos);
  EXPECT_NE(refused.message().find("\\x1b]0;owned\\x07"), std::string::npos) << refused.message();
  EXPECT_NE(refused.message().find("(100014 bytes)"), std::string::npos);
  EXPECT_LT(refused.message().size(), 200u);
  const std::vector<std::string_view> path = {"--language", "../../etc"};
  EXPECT_FALSE(session::ParseCommandLine(path).ok());
  EXPECT_NE(session::UsageText().find("--language"), std::string::npos);

  std::vector<std::string> messages;
  EXPECT_EQ(platform::ParseSettings("language = en\n", "qv.ini", messages).language, "en");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(platform::ParseSettings("", "qv.ini", messages).language, "ja");
  // A value that cannot be a language is named with its line, and Japanese stays.
  EXPECT_EQ(platform::ParseSettings("language = ../../etc\n", "qv.ini", messages).language, "ja");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("qv.ini:1: language"), std::string::npos) << messages[0];
  EXPECT_NE(platform::DefaultSettingsText().find("language = ja"), std::string::npos);
}

TEST(Language, TheChecksOfATestRunNeedAScript) {
  const std::vector<std::string_view> checked = {"--headless",   "--script", "x.script",
                                                 "--language",   "en",       "--check-texts",
                                                 "--golden-dir", "g"};
  const Result<session::Options> p = session::ParseCommandLine(checked);
  ASSERT_TRUE(p.ok()) << p.message();
  EXPECT_TRUE(p->checkTexts);
  EXPECT_EQ(p->goldenDir, "g");
  const std::vector<std::string_view> alone = {"--check-texts"};
  EXPECT_FALSE(session::ParseCommandLine(alone).ok());
  const std::vector<std::string_view> update = {"--script", "x.script", "--update-golden"};
  EXPECT_FALSE(session::ParseCommandLine(update).ok());
}

}  // namespace
}  // namespace qv
