// The save survives the worst a machine does to it. The real program, headless, stays at the
// inn again and again (every stay saves) and is killed outright at random moments; each time
// my.dat must still load with a good check value and hold the game either before or after
// one of those saves. And a save onto a disk that will take no more must leave the old file
// exactly as it was and tell the player.
// QV_CRASH_KILLS sets the number of kills (100); QV_PROGRAM another program to try.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "core/master_data.h"
#include "core/new_game.h"
#include "core/text.h"
#include "files/file_io.h"
#include "persist/save.h"
#include "persist/save_file.h"
#include "support/env_count.h"
#include "support/fake_host.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class Folder {
 public:
  explicit Folder(const std::string& tag)
      : path_(fs::temp_directory_path() / ("qv-" + tag + "-" + std::to_string(getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A player who exists and can pay for many nights: level 1, all the money a purse holds.
std::string PreparedSave(const fs::path& dir) {
  testing::FakeHost host;
  auto game = MakeGame(&host, nullptr, Paths{dir, dir, dir, dir});
  Game& g = *game;
  NewGame(g);
  FillMasterData(g.state);
  Combatant& p = g.state.player();
  p.name = Sjis("ヤド");
  p.level = 1;
  p.maxHp = p.hp = 30;
  p.maxMp = p.mp = 5;
  p.maxTp = 100;
  g.state.money = 9999;
  g.state.eventFlags[0] = 1;
  return persist::SaveFileText(g.state);
}

// The title, the map, then nights at the inn until the money runs out.
std::string InnScript(int nights) {
  std::string s = "ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\n";
  for (int i = 0; i < nights; ++i) {
    s += "click 254 134\nticks 2\nclick 100 100\nticks 2\nclick 100 100\nticks 2\n";
  }
  return s;
}

struct SaveSeen {
  bool ok = false;
  std::string why;
  int32_t loadCount = 0;
  int32_t money = 0;
};

SaveSeen ReadSave(const fs::path& file) {
  SaveSeen seen;
  const std::string text = ReadAll(file);
  auto s = std::make_unique<GameState>();
  const persist::ParseResult r = persist::ParseSaveFile(*s, text);
  if (!r.ok()) {
    seen.why = "stops at line " + std::to_string(r.line);
  } else if (persist::SaveChecksum(*s) != r.storedChecksum) {
    seen.why = "check value " + std::to_string(r.storedChecksum) + " does not match";
  } else {
    seen.ok = true;
  }
  seen.loadCount = s->loadCount;
  seen.money = s->money;
  return seen;
}

const char* Program() {
  const char* other = std::getenv("QV_PROGRAM");
  return other != nullptr && *other != '\0' ? other : QV_PROGRAM;
}

// Runs the program on `dir`; `limitBytes` > 0 caps the size of any file it writes.
pid_t Launch(const fs::path& dir, const fs::path& script, const fs::path& output,
             rlim_t limitBytes = 0) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const std::string dirText = dir.string(), scriptText = script.string(), out = output.string();
  if (freopen(out.c_str(), "w", stdout) == nullptr) _exit(120);
  if (freopen("/dev/null", "w", stderr) == nullptr) _exit(120);
  if (limitBytes > 0) {
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails like a full disk
    const rlimit limit{limitBytes, limitBytes};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  execl(Program(), Program(), "--headless", "--seed", "1", "--data-dir", dirText.c_str(),
        "--script", scriptText.c_str(), static_cast<char*>(nullptr));
  _exit(121);
}

int KillCount() {
  return static_cast<int>(EnvCount("QV_CRASH_KILLS", 100));
}

TEST(CrashSafety, KilledAtAnyMomentTheSaveIsTheOldOrTheNew) {
  Folder folder("crash");
  const fs::path dir = folder.path() / "data";
  fs::create_directories(dir);
  const fs::path save = dir / persist::kSaveFileName;
  const fs::path script = folder.path() / "inn.script";
  WriteAll(script, InnScript(400));  // more nights than any run lives to see
  const std::string fresh = PreparedSave(folder.path());

  // Start-up takes a tenth of a second or so; after it a night passes every few milliseconds,
  // so kills spread over this window land in start-up, in the load's save and in the nights.
  constexpr int64_t window = 600;
  int status = 0;

  std::mt19937 rng(20240601);
  const int kills = KillCount();
  int survived = 0, midSave = 0, untouched = 0, finished = 0;
  WriteAll(save, fresh);
  for (int k = 0; k < kills; ++k) {
    const std::string before = ReadAll(save);
    const SaveSeen old = ReadSave(save);
    ASSERT_TRUE(old.ok) << old.why;
    const pid_t pid = Launch(dir, script, "/dev/null");
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int64_t>(0, window)(rng)));
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    finished += WIFEXITED(status);
    midSave += !files::TemporaryFilesFor(save).empty();

    const SaveSeen now = ReadSave(save);
    ASSERT_TRUE(now.ok) << "after kill " << k << ": my.dat " << now.why;
    if (ReadAll(save) == before) {
      ++untouched;
    } else {
      // The load counts itself and saves; every night after it pays the same price.
      const int32_t price = (old.loadCount + 1) / 3 + 1 + 5;
      ASSERT_EQ(now.loadCount, old.loadCount + 1) << "after kill " << k;
      ASSERT_LE(now.money, old.money) << "after kill " << k;
      ASSERT_EQ((old.money - now.money) % price, 0)
          << "after kill " << k << ": money " << old.money << " -> " << now.money;
    }
    ++survived;
    if (now.money < 3000) WriteAll(save, fresh);
  }
  std::cout << "crash safety: " << survived << " of " << kills << " kills survived (" << midSave
            << " during a write, " << untouched << " before the first save, " << finished
            << " after the run had ended); window " << window << " ms\n";
  EXPECT_EQ(survived, kills);
}

TEST(CrashSafety, FullDiskKeepsTheOldSaveAndTellsThePlayer) {
  Folder folder("full");
  const fs::path dir = folder.path() / "data";
  fs::create_directories(dir);
  const fs::path save = dir / persist::kSaveFileName;
  const std::string fresh = PreparedSave(folder.path());
  WriteAll(save, fresh);
  const fs::path script = folder.path() / "inn.script";
  WriteAll(script, InnScript(1) + "expect location -1\n");

  // Room for a little, not for a whole save: the start-up save and the night's save both fail.
  int status = 0;
  const fs::path out = folder.path() / "out.txt";
  waitpid(Launch(dir, script, out, fresh.size() / 4), &status, 0);
  const std::string said = ReadAll(out);
  ASSERT_TRUE(WIFEXITED(status)) << "the program died: signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0) << said;
  EXPECT_EQ(ReadAll(save), fresh);
  EXPECT_TRUE(files::TemporaryFilesFor(save).empty());
  EXPECT_NE(said.find("書き込めません"), std::string::npos) << said;
  EXPECT_NE(said.find("前の内容はそのまま残っています"), std::string::npos) << said;

  // With room again the same folder saves as before.
  waitpid(Launch(dir, script, out), &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const SaveSeen after = ReadSave(save);
  EXPECT_TRUE(after.ok) << after.why;
  EXPECT_LT(after.money, 9999);
}

}  // namespace
}  // namespace qv
