// qv.ini: the first run writes it with comments, bad values are named and replaced by the
// defaults, and what the window keeps is written back without losing the player's lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "files/files_fixture.h"
#include "platform/settings.h"
#include "support/fake_host.h"

namespace qv::platform {
namespace {

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(SettingsFile, FirstRunWritesEveryKeyWithCommentsAndReadsBackAsDefaults) {
  const std::filesystem::path file = dir_ / "config" / "qv" / "qv.ini";
  std::vector<std::string> messages;
  const Settings s = LoadSettings(file, messages);
  EXPECT_TRUE(messages.empty());
  ASSERT_TRUE(std::filesystem::exists(file));
  const std::string text = Slurp(file);
  for (const char* key :
       {"scale = 0", "fullscreen = no", "effects_volume = 100", "music_volume = 100", "mute = no",
        "soundfont = ", "mixer_settings = ", "confirm_quit = yes"}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
  EXPECT_GE(std::count(text.begin(), text.end(), '#'), 8);

  const Settings again = LoadSettings(file, messages);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(again.scale, 0);
  EXPECT_EQ(again.effectsVolume, kMaxVolume);
  EXPECT_FALSE(again.mute);
  EXPECT_TRUE(again.confirmQuit);
  EXPECT_EQ(s.soundFont, "");
}

TEST_F(SettingsFile, ReadsValuesInTheirUsualSpellings) {
  std::vector<std::string> messages;
  const Settings s = ParseSettings(
      "[qv]\r\n; a comment\r\n  Scale=3 \r\nfullscreen = On\r\nmute = TRUE\r\n"
      "effects_volume = 0\r\nmusic_volume = 55\r\nsoundfont = \" /opt/my font.sf2 \"\r\n"
      "mixer_settings = /etc/qv/MIXER.INI\r\nconfirm_quit = no",
      "qv.ini", messages);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(s.scale, 3);
  EXPECT_TRUE(s.fullscreen);
  EXPECT_TRUE(s.mute);
  EXPECT_EQ(s.effectsVolume, 0);
  EXPECT_EQ(s.musicVolume, 55);
  EXPECT_EQ(s.soundFont, " /opt/my font.sf2 ");
  EXPECT_EQ(s.mixerSettings, "/etc/qv/MIXER.INI");
  EXPECT_FALSE(s.confirmQuit);
}

// Each bad line names the file, the line and the key, and the setting falls back to its
// default even when an earlier line had set it.
TEST_F(SettingsFile, BadValuesAreNamedAndTheDefaultsUsed) {
  std::vector<std::string> messages;
  const Settings s = ParseSettings(
      "scale = 2\n"              // 1: good, then overridden by a bad line
      "scale = 17\n"             // 2
      "effects_volume = loud\n"  // 3
      "music_volume = -5\n"      // 4
      "mute = maybe\n"           // 5
      "colour = red\n"           // 6
      "just words\n"             // 7
      "fullscreen = yes\n",      // 8: good
      "/home/p/.config/qv/qv.ini", messages);
  EXPECT_EQ(s.scale, 0);
  EXPECT_EQ(s.effectsVolume, kMaxVolume);
  EXPECT_EQ(s.musicVolume, kMaxVolume);
  EXPECT_FALSE(s.mute);
  EXPECT_TRUE(s.fullscreen);
  ASSERT_EQ(messages.size(), 6u);
  const char* expected[][2] = {{":2: scale", "using 0"},
                               {":3: effects_volume", "using 100"},
                               {":4: music_volume", "using 100"},
                               {":5: mute", "using no"},
                               {":6: unknown key 'colour'", "ignored"},
                               {":7: 'just words'", "ignored"}};
  for (size_t i = 0; i < messages.size(); ++i) {
    EXPECT_EQ(messages[i].rfind("/home/p/.config/qv/qv.ini:", 0), 0u) << messages[i];
    EXPECT_NE(messages[i].find(expected[i][0]), std::string::npos) << messages[i];
    EXPECT_NE(messages[i].find(expected[i][1]), std::string::npos) << messages[i];
  }
}

// The window's last scale and the player's volume go back into the file; the player's own
// comments, order and other keys stay as they were.
TEST_F(SettingsFile, StoringKeepsThePlayersLinesAndAddsMissingKeys) {
  const std::filesystem::path file = dir_ / "qv.ini";
  std::ofstream(file, std::ios::binary) << "# my own note\nscale = 1\nsoundfont = /x.sf2\n"
                                        << "music_volume = 40\n# tail\n";
  std::vector<std::string> messages;
  Settings s = LoadSettings(file, messages);
  s.scale = 3;
  s.mute = true;
  s.musicVolume = 10;  // changed but not asked to be stored
  const std::string_view keys[] = {"scale", "mute"};
  ASSERT_TRUE(StoreSettings(file, s, keys).ok());
  EXPECT_EQ(Slurp(file),
            "# my own note\nscale = 3\nsoundfont = /x.sf2\nmusic_volume = 40\n# tail\n"
            "mute = yes\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "qv.ini.new"));

  const Settings back = LoadSettings(file, messages);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(back.scale, 3);
  EXPECT_TRUE(back.mute);
  EXPECT_EQ(back.musicVolume, 40);
  EXPECT_EQ(back.soundFont, "/x.sf2");
}

// Keys stored with the values the file already has leave the file as it is (not even replaced by
// a copy: the same inode); the first start writes the defaults.
TEST_F(SettingsFile, StoringWhatTheFileAlreadySaysWritesNothing) {
  const std::filesystem::path file = dir_ / "qv.ini";
  std::vector<std::string> messages;
  Settings s = LoadSettings(file, messages);
  ASSERT_TRUE(std::filesystem::exists(file));
  const std::string defaults = Slurp(file);
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  const std::string_view keys[] = {"scale", "mute"};
  ASSERT_TRUE(StoreSettings(file, s, keys).ok());
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(Slurp(file), defaults);
  s.mute = !s.mute;
  ASSERT_TRUE(StoreSettings(file, s, keys).ok());
  EXPECT_NE(Slurp(file), defaults);
}

TEST_F(SettingsFile, AFolderThatCannotHoldTheFileGivesAMessageAndDefaults) {
  // A plain file where the config folder should be: nothing can be made below it.
  std::ofstream(dir_ / "blocked") << "x";
  std::vector<std::string> messages;
  const Settings s = LoadSettings(dir_ / "blocked" / "qv" / "qv.ini", messages);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("blocked"), std::string::npos);
  EXPECT_NE(messages[0].find("default"), std::string::npos);
  EXPECT_EQ(s.effectsVolume, kMaxVolume);
  const std::string_view keys[] = {"scale"};
  EXPECT_FALSE(StoreSettings(dir_ / "blocked" / "qv.ini", s, keys).ok());
}

// Editors on other systems start the file with a UTF-8 byte-order mark.
TEST_F(SettingsFile, AByteOrderMarkIsNotPartOfTheFirstKey) {
  const std::filesystem::path file = dir_ / "qv.ini";
  std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBFscale = 2\r\nmute = yes\r\n";
  std::vector<std::string> messages;
  Settings s = LoadSettings(file, messages);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(s.scale, 2);
  EXPECT_TRUE(s.mute);
  s.scale = 4;
  const std::string_view keys[] = {"scale"};
  ASSERT_TRUE(StoreSettings(file, s, keys).ok());
  EXPECT_EQ(LoadSettings(file, messages).scale, 4);
  EXPECT_EQ(Slurp(file).find("scale"), Slurp(file).rfind("scale"));  // replaced, not added
  EXPECT_TRUE(messages.empty());
}

// A file of binary junk must not reach the terminal raw: escape sequences could rewrite it.
TEST_F(SettingsFile, BadValuesAreShownEscaped) {
  std::vector<std::string> messages;
  ParseSettings(
      "mute = \x1b[2J\x1b]0;owned\x07\n\x1b[31m\xff\xfe\nscale = \xe5\xa4\xa7\n"
      "fullscreen = \xc2\x9b"
      "31m\n",
      "qv.ini", messages);
  ASSERT_EQ(messages.size(), 4u);
  for (const std::string& m : messages) {
    for (char c : m) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << m;
  }
  EXPECT_NE(messages[0].find("'\\x1b[2J\\x1b]0;owned\\x07'"), std::string::npos) << messages[0];
  EXPECT_NE(messages[1].find("\\x1b[31m\\xff\\xfe"), std::string::npos) << messages[1];
  EXPECT_NE(messages[2].find("'\xe5\xa4\xa7'"), std::string::npos) << messages[2];   // UTF-8 stays
  EXPECT_NE(messages[3].find("'\\xc2\\x9b31m'"), std::string::npos) << messages[3];  // C1 CSI
}

// Something other than a file where qv.ini should be: named, the defaults used, never a
// hang, and never replaced by a new file.
TEST_F(SettingsFile, WhatIsNotARegularFileIsNamedAndLeftAlone) {
  alarm(20);
  for (const auto& c : testing::kHostileCases) {
    if (!testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    const std::filesystem::path file = dir_ / "qv.ini";
    testing::MakeHostile(file, c.kind);
    const auto before = std::filesystem::symlink_status(file).type();
    std::vector<std::string> messages;
    const Settings s = LoadSettings(file, messages);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(file.string()), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("default"), std::string::npos) << messages[0];
    EXPECT_EQ(s.effectsVolume, kMaxVolume);
    EXPECT_EQ(std::filesystem::symlink_status(file).type(), before);
  }
  alarm(0);
}

// A settings file kept elsewhere and linked in stays linked when the game writes it back.
TEST_F(SettingsFile, ALinkedFileIsWrittenWhereItLeads) {
  std::filesystem::create_directories(dir_ / "dotfiles");
  std::ofstream(dir_ / "dotfiles" / "qv.ini", std::ios::binary) << "scale = 1\n";
  std::filesystem::create_symlink("dotfiles/qv.ini", dir_ / "qv.ini");
  std::vector<std::string> messages;
  Settings s = LoadSettings(dir_ / "qv.ini", messages);
  s.scale = 5;
  const std::string_view keys[] = {"scale"};
  ASSERT_TRUE(StoreSettings(dir_ / "qv.ini", s, keys).ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "qv.ini"));
  EXPECT_EQ(Slurp(dir_ / "dotfiles" / "qv.ini"), "scale = 5\n");
}

}  // namespace
}  // namespace qv::platform
