// Where the game's files go: the portable build tree, an installed copy with its data in
// share/qv and the save in the player's data folder, --data-dir, and the picture folder.
#include "platform/desktop_paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "support/fake_host.h"

namespace qv::platform {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class DesktopFolders : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::MakeTempDir(); }
  void TearDown() override {
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path dir_;
};

TEST_F(DesktopFolders, ThePortableCopyKeepsEverythingBesideTheProgram) {
  std::filesystem::create_directories(dir_ / "game" / "cg");
  const Result<DesktopPaths> p = ResolveDesktopPaths(dir_ / "game", "");
  ASSERT_TRUE(p.ok()) << p.message();
  EXPECT_TRUE(p->portable);
  EXPECT_EQ(p->paths.cgDir, dir_ / "game" / "cg");
  EXPECT_EQ(p->paths.saveDir, dir_ / "game" / "dat");
  EXPECT_EQ(p->paths.recordDir, dir_ / "game");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "game" / "dat"));
}

TEST_F(DesktopFolders, AnInstalledCopyReadsShareAndSavesInTheDataHome) {
  std::filesystem::create_directories(dir_ / "usr" / "bin");
  std::filesystem::create_directories(dir_ / "usr" / "share" / "qv" / "dat");
  ScopedEnv data("XDG_DATA_HOME", (dir_ / "data").string());
  const Result<DesktopPaths> p = ResolveDesktopPaths(dir_ / "usr" / "bin", "");
  ASSERT_TRUE(p.ok()) << p.message();
  EXPECT_FALSE(p->portable);
  EXPECT_EQ(p->paths.datDir, dir_ / "usr" / "share" / "qv" / "dat");
  EXPECT_EQ(p->paths.saveDir, dir_ / "data" / "qv");
  EXPECT_EQ(p->paths.recordDir, dir_ / "data" / "qv");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "data" / "qv"));  // made on the first run

  // Without XDG_DATA_HOME (or with a relative one) the home folder's .local/share is used.
  ScopedEnv relative("XDG_DATA_HOME", "relative/data");
  ScopedEnv home("HOME", (dir_ / "home").string());
  EXPECT_EQ(ResolveDesktopPaths(dir_ / "usr" / "bin", "")->paths.saveDir,
            dir_ / "home" / ".local" / "share" / "qv");

  // --data-dir wins over both.
  const Result<DesktopPaths> chosen =
      ResolveDesktopPaths(dir_ / "usr" / "bin", (dir_ / "mine").string());
  EXPECT_EQ(chosen->paths.saveDir, dir_ / "mine");
  EXPECT_EQ(chosen->paths.recordDir, dir_ / "mine");
  EXPECT_EQ(chosen->paths.cgDir, dir_ / "usr" / "share" / "qv" / "cg");
}

TEST_F(DesktopFolders, AReadOnlyPortableCopySavesInTheDataHome) {
  if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind root";
  std::filesystem::create_directories(dir_ / "game" / "dat");
  std::filesystem::permissions(dir_ / "game", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ScopedEnv data("XDG_DATA_HOME", (dir_ / "data").string());
  const Result<DesktopPaths> p = ResolveDesktopPaths(dir_ / "game", "");
  std::filesystem::permissions(dir_ / "game", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(p->portable);
  EXPECT_EQ(p->paths.datDir, dir_ / "game" / "dat");
  EXPECT_EQ(p->paths.saveDir, dir_ / "data" / "qv");
}

TEST_F(DesktopFolders, ADataDirThatCannotBeMadeIsAnError) {
  std::ofstream(dir_ / "file") << "x";
  const Result<DesktopPaths> p = ResolveDesktopPaths(dir_, (dir_ / "file" / "sub").string());
  ASSERT_FALSE(p.ok());
  EXPECT_NE(p.message().find("file/sub"), std::string::npos) << p.message();
}

TEST(PicturesDirFromUserDirs, ReadsTheDesktopsPictureFolder) {
  const std::filesystem::path home = "/home/p";
  EXPECT_EQ(PicturesDirFromUserDirs("# comment\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home),
            "/home/p/Bilder");
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_PICTURES_DIR=\"/srv/shots\"\r\n", home), "/srv/shots");
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_PICTURES_DIR=\"$HOME/\"", home), "/home/p");
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_PICTURES_DIR=\"$HOME/写真\"", home), "/home/p/写真");
  // Not a picture folder: other keys, relative paths, $HOMEX, missing quotes, no home.
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_MUSIC_DIR=\"$HOME/Music\"", home), "");
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_PICTURES_DIR=\"Pictures\"", home), "");
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_PICTURES_DIR=\"$HOMEX/p\"", home), "");
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_PICTURES_DIR=$HOME/Pictures", home), "");
  EXPECT_EQ(PicturesDirFromUserDirs("XDG_PICTURES_DIR=\"$HOME/Pictures\"", ""), "");
}

TEST_F(DesktopFolders, PicturesComeFromTheEnvironmentThenUserDirs) {
  ScopedEnv config("XDG_CONFIG_HOME", dir_.string());
  ScopedEnv home("HOME", "/home/p");
  unsetenv("XDG_PICTURES_DIR");
  EXPECT_EQ(PicturesDir(), "");
  std::ofstream(dir_ / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Fotos\"\n";
  EXPECT_EQ(PicturesDir(), "/home/p/Fotos");
  ScopedEnv env("XDG_PICTURES_DIR", "/tmp/shots");
  EXPECT_EQ(PicturesDir(), "/tmp/shots");
  unsetenv("XDG_PICTURES_DIR");
}

}  // namespace
}  // namespace qv::platform
