// The picture generator paints the same bytes on every run, so a rebuild never changes the
// game's pictures behind a reviewer's back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST(PictureGenerator, SecondRunPaintsIdenticalFiles) {
  fs::path tool = fs::path(QV_BUILD_DIR) / "tools/assetgen/pictures/assetgen_pictures";
  if (!fs::exists(tool)) GTEST_SKIP() << "pictures were copied from another build tree";
  fs::path dir =
      fs::temp_directory_path() /
      ("qv_pictures_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::remove_all(dir);
  std::string cmd = "\"" + tool.string() + "\" \"" + (dir / "cg").string() + "\" \"" +
                    (dir / "icons").string() + "\" > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  fs::path built = fs::path(QV_BUILD_DIR) / "cg";
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(dir / "cg")) {
    fs::path mine = built / entry.path().filename();
    ASSERT_TRUE(fs::exists(mine)) << mine;
    EXPECT_TRUE(Slurp(entry.path()) == Slurp(mine))
        << entry.path().filename() << " differs between runs";
    ++compared;
  }
  EXPECT_GT(compared, 80);
  fs::remove_all(dir);
}

}  // namespace
