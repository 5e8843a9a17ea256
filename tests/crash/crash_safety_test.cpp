// The save survives the worst a machine does to it. The real program, headless, saves again
// and again (nights at the inn, the end of character creation, the reset) and is killed
// outright at random moments; each time my.dat must still load with a good check value and
// hold the game either before or after one of those saves. A save onto a disk that will take
// no more must leave the old file exactly as it was and tell the player. Two copies of the
// game on one save folder never leave less than a whole save.
// QV_CRASH_KILLS sets the number of kills (100), QV_CRASH_SEED their moments; QV_PROGRAM
// another program to try.
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
#include "flow/make_game.h"
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

// A first run: the opening screens, then a new character whose creation saves.
constexpr const char* kCreationScript =
    "ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\n"
    "click 200 86\ntype カイ\nclick 186 120\nclick 186 296\nclick 302 384\nclick 300 464\n"
    "ticks 5\n";

// F1 on the opening credit and the three answers of the reset, again and again: every reset
// keeps the save it replaces as my.dat.bak and writes a new game.
std::string ResetScript(int resets) {
  std::string s = "ticks 3\n";
  for (int i = 0; i < resets; ++i) s += "answer yes\nanswer yes\nanswer no\nkey f1\nticks 1\n";
  return s;
}

struct SaveSeen {
  bool exists = false;
  bool ok = false;
  std::string why;
  int32_t loadCount = 0;
  int32_t money = 0;
  int32_t created = 0;  // eventFlags[0]: a character exists
  std::string name;
};

SaveSeen ReadSave(const fs::path& file) {
  SaveSeen seen;
  seen.exists = fs::exists(file);
  const std::string text = ReadAll(file);
  auto s = std::make_unique<GameState>();
  const persist::ParseResult r = persist::ParseSaveFile(*s, text);
  if (!seen.exists) {
    seen.why = "is missing";
  } else if (!r.ok()) {
    seen.why = "stops at line " + std::to_string(r.line);
  } else if (persist::SaveChecksum(*s) != r.storedChecksum) {
    seen.why = "check value " + std::to_string(r.storedChecksum) + " does not match";
  } else {
    seen.ok = true;
  }
  seen.loadCount = s->loadCount;
  seen.money = s->money;
  seen.created = s->eventFlags[0];
  seen.name = s->player().name;
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

// The moments a save happens: nights at the inn, the end of character creation, the reset.
enum class Moment { kInn, kCreation, kReset };
constexpr Moment kMoments[] = {Moment::kInn, Moment::kCreation, Moment::kReset};
const char* NameOf(Moment m) {
  return m == Moment::kInn ? "inn" : m == Moment::kCreation ? "creation" : "reset";
}

// How long a whole run of a moment's script takes here, so that kills spread over all of it.
int64_t RunMilliseconds(const fs::path& dir, const fs::path& script) {
  const auto start = std::chrono::steady_clock::now();
  int status = 0;
  waitpid(Launch(dir, script, "/dev/null"), &status, 0);
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start)
      .count();
}

TEST(CrashSafety, KilledAtAnyMomentTheSaveIsTheOldOrTheNew) {
  Folder folder("crash");
  const fs::path dir = folder.path() / "data";
  fs::create_directories(dir);
  const fs::path save = dir / persist::kSaveFileName;
  const std::string fresh = PreparedSave(folder.path());
  const fs::path scripts[] = {folder.path() / "inn.script", folder.path() / "creation.script",
                              folder.path() / "reset.script"};
  WriteAll(scripts[0], InnScript(400));  // more nights than any run lives to see
  WriteAll(scripts[1], kCreationScript);
  WriteAll(scripts[2], ResetScript(400));

  // Each moment as it starts: the inn and the reset from a player who exists, creation from
  // an empty folder.
  auto prepare = [&](Moment m) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (m != Moment::kCreation) WriteAll(save, fresh);
  };
  // Start-up takes a tenth of a second or so, then nights and resets save every few
  // milliseconds, more than any run lives to see; creation saves once, near the end of its
  // run, and a kill may also land after that run has ended.
  prepare(Moment::kCreation);
  const int64_t window[3] = {600, std::max<int64_t>(50, RunMilliseconds(dir, scripts[1]) * 5 / 4),
                             600};

  std::mt19937 rng(static_cast<uint32_t>(EnvCount("QV_CRASH_SEED", 20240601)));
  const int kills = KillCount();
  int survived = 0, midSave = 0, untouched = 0, finished = 0;
  int byMoment[3] = {0, 0, 0};
  int status = 0;
  for (int k = 0; k < kills; ++k) {
    const Moment m = kMoments[std::uniform_int_distribution<int>(0, 2)(rng)];
    const int i = static_cast<int>(m);
    const SaveSeen there = ReadSave(save);
    if (m == Moment::kCreation || k == 0 || std::uniform_int_distribution<int>(0, 9)(rng) == 0 ||
        !there.ok || (m == Moment::kInn && (there.created == 0 || there.money < 3000))) {
      prepare(m);
    }
    const std::string before = ReadAll(save);
    const SaveSeen old = ReadSave(save);
    ASSERT_TRUE(old.ok || m == Moment::kCreation) << old.why;
    const pid_t pid = Launch(dir, scripts[i], "/dev/null");
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int64_t>(0, window[i])(rng)));
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    finished += WIFEXITED(status);
    midSave += !files::TemporaryFilesFor(save).empty();
    ++byMoment[i];

    const std::string where =
        std::string("after kill ") + std::to_string(k) + " (" + NameOf(m) + ")";
    const SaveSeen now = ReadSave(save);
    if (!now.exists && !old.exists) {
      ++untouched;  // killed before the first run's first save
      ++survived;
      continue;
    }
    ASSERT_TRUE(now.ok) << where << ": my.dat " << now.why;
    if (ReadAll(save) == before) {
      ++untouched;
      ++survived;
      continue;
    }
    switch (m) {
      case Moment::kInn: {
        // The load counts itself and saves; every night after it pays the same price.
        const int32_t price = (old.loadCount + 1) / 3 + 1 + 5;
        ASSERT_EQ(now.loadCount, old.loadCount + 1) << where;
        ASSERT_LE(now.money, old.money) << where;
        ASSERT_EQ((old.money - now.money) % price, 0)
            << where << ": money " << old.money << " -> " << now.money;
        break;
      }
      case Moment::kCreation:
        // The first run's new game, or the character made in it.
        ASSERT_EQ(now.loadCount, 1) << where;
        if (now.created == 1) {
          ASSERT_EQ(now.name, Sjis("カイ")) << where;
        }
        break;
      case Moment::kReset: {
        // The load's save, or a new game from a reset (which counts no loads); the file a
        // reset replaced is kept.
        if (now.loadCount == old.loadCount + 1) break;
        ASSERT_EQ(now.loadCount, 0) << where;
        ASSERT_EQ(now.created, 0) << where;
        ASSERT_EQ(now.money, 50) << where;
        const SaveSeen kept = ReadSave(fs::path(save.string() + ".bak"));
        ASSERT_TRUE(kept.ok) << where << ": my.dat.bak " << kept.why;
        break;
      }
    }
    ++survived;
  }
  std::cout << "crash safety: " << survived << " of " << kills << " kills survived (" << byMoment[0]
            << " inn, " << byMoment[1] << " creation, " << byMoment[2] << " reset; " << midSave
            << " during a write, " << untouched << " before the first save, " << finished
            << " after the run had ended); windows " << window[0] << "/" << window[1] << "/"
            << window[2] << " ms\n";
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

// Two copies of the game on one save folder: A stays at the inn night after night, B starts
// in the same folder at nearly the same moment. A is stopped and resumed at random moments
// (mid-save among them) while B starts, finds the folder held, and plays without saving or
// quits as its script answers; then A is killed. my.dat is always a whole save A wrote (or
// the one before), never B's and never less.
TEST(CrashSafety, TwoCopiesOnOneFolderNeverLeaveLessThanAWholeSave) {
  Folder folder("two");
  const fs::path dir = folder.path() / "data";
  fs::create_directories(dir);
  const fs::path save = dir / persist::kSaveFileName;
  const std::string fresh = PreparedSave(folder.path());
  const fs::path innA = folder.path() / "a.script";
  WriteAll(innA, InnScript(400));
  const fs::path playB = folder.path() / "b-play.script", quitB = folder.path() / "b-quit.script";
  WriteAll(playB, "answer yes\n" + InnScript(3));
  WriteAll(quitB, "answer no\n" + InnScript(3));
  const fs::path outB = folder.path() / "b.txt";

  std::mt19937 rng(7);
  const int rounds = static_cast<int>(EnvCount("QV_CRASH_PAIRS", 20));
  int busySeen = 0;
  for (int round = 0; round < rounds; ++round) {
    WriteAll(save, fresh);
    const SaveSeen old = ReadSave(save);
    const pid_t a = Launch(dir, innA, "/dev/null");
    // A holds the folder once its start-up save is there (it takes the lock before it loads);
    // a busy machine may take its time, so wait for that rather than for a set time.
    int status = 0;
    bool aExited = false;
    for (int waited = 0; ReadAll(save) == fresh && waited < 120000; waited += 10) {
      if (waitpid(a, &status, WNOHANG) == a) {
        aExited = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(aExited) << "round " << round << ": A ended before it saved";
    ASSERT_NE(ReadAll(save), fresh) << "round " << round << ": A never saved";
    // Then A saves nights, one every few milliseconds.
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 100)(rng)));
    kill(a, SIGSTOP);
    const bool quits = round % 2 == 1;
    const pid_t b = Launch(dir, quits ? quitB : playB, outB);
    // B runs while A stands still, resumed now and then for a moment.
    for (int i = 0; i < 5 && waitpid(b, &status, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(
          std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 40)(rng)));
      kill(a, SIGCONT);
      std::this_thread::sleep_for(
          std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(rng)));
      kill(a, SIGSTOP);
    }
    if (waitpid(b, &status, 0) == b) {
      ASSERT_TRUE(WIFEXITED(status)) << "B died: signal " << WTERMSIG(status);
      EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    const std::string saidB = ReadAll(outB);
    busySeen += saidB.find("このセーブデータは別のqvで使用中です") != std::string::npos;
    kill(a, SIGKILL);
    kill(a, SIGCONT);
    waitpid(a, &status, 0);

    const SaveSeen now = ReadSave(save);
    ASSERT_TRUE(now.ok) << "round " << round << ": my.dat " << now.why;
    // Whatever B did, the file is A's: its load and its nights, never B's load on top.
    ASSERT_EQ(now.loadCount, old.loadCount + 1) << "round " << round;
    ASSERT_EQ((old.money - now.money) % ((old.loadCount + 1) / 3 + 1 + 5), 0) << "round " << round;
  }
  EXPECT_EQ(busySeen, rounds) << "B did not find the folder held";
}

}  // namespace
}  // namespace qv
