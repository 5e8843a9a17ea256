// A replay reads its recording as it plays: the real program replays a recording of a million
// entries at one tick inside a 64 MB address space (it once took 712 MB for 1.5 million).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qv {
namespace {

const char* Program() {
  const char* other = std::getenv("QV_PROGRAM");
  return other != nullptr && *other != '\0' ? other : QV_PROGRAM;
}

TEST(ReplayMemory, AMillionEntriesAtOneTickPlayInSixtyFourMegabytes) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves terabytes of address space";
#endif
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qv-replay-memory-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "million.qvr";
  {
    std::ofstream out(file, std::ios::binary);
    out << "qv-replay 1\nseed 1\nstart-save none\n";
    const std::string move = "0 move 10 10\n";
    std::string block;
    for (int i = 0; i < 1000; ++i) block += move;
    for (int i = 0; i < 1000; ++i) out << block;
  }
  const std::filesystem::path output = dir / "out.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    const rlimit limit{rlim_t{64} << 20, rlim_t{64} << 20};
    setrlimit(RLIMIT_AS, &limit);
    if (freopen(output.c_str(), "w", stdout) == nullptr) _exit(120);
    if (freopen("/dev/null", "w", stderr) == nullptr) _exit(120);
    const std::string scratch = (dir / "play").string();
    execl(Program(), Program(), "--headless", "--replay", file.c_str(), "--data-dir",
          scratch.c_str(), static_cast<char*>(nullptr));
    _exit(121);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  std::ifstream in(output);
  const std::string said((std::istreambuf_iterator<char>(in)), {});
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status) << "\n" << said;
  EXPECT_EQ(WEXITSTATUS(status), 0) << said;
  // No end line: the replay plays what it has and says so.
  EXPECT_NE(said.find("replayed 0 ticks"), std::string::npos) << said;
}

}  // namespace
}  // namespace qv
