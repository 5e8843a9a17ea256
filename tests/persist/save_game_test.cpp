#include <gtest/gtest.h>

#include <climits>

#include "persist/save.h"
#include "persist/save_file.h"
#include "persist_test_util.h"

namespace qv {
namespace {

using persist::LoadGame;
using persist::SaveGame;
using testing::CrLfLines;
using testing::JoinCrLf;
using testing::PlayMidGame;
using testing::ReadBytes;
using testing::SaveFile;
using testing::WriteBytes;

TEST(SaveFile, EveryValueOnItsLineInCp932WithCrLf) {
  testing::TestGame t;
  PlayMidGame(t.g());
  SaveGame(t.g());
  const std::string bytes = ReadBytes(SaveFile(t.g()));
  const std::vector<std::string> lines = CrLfLines(bytes);
  ASSERT_EQ(lines.size(), 5465u);
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);  // no bare LF anywhere
  // Spot checks at the edges of each block: a value in the wrong block shows here.
  const auto line = [&](int n) { return lines[static_cast<size_t>(n - 1)]; };
  EXPECT_EQ(line(2), "1");               // eventFlags[1]
  EXPECT_EQ(line(101), "1000");          // reservedA[0]
  EXPECT_EQ(line(1200), "5");            // owned[999]
  EXPECT_EQ(line(1301), "9876");         // money
  EXPECT_EQ(line(1303), "-7");           // reservedB
  EXPECT_EQ(line(1309), "41");           // loadCount
  EXPECT_EQ(line(1313), "3");            // escapeCount
  EXPECT_EQ(line(1314), "210");          // battleCount
  EXPECT_EQ(line(1315), "-20");          // reservedK, first of the first pair
  EXPECT_EQ(line(2360), "-2147483648");  // reservedQ
  EXPECT_EQ(line(2362), "2");            // speedMode
  EXPECT_EQ(line(3406), "-999");         // reservedT[999]
  EXPECT_EQ(line(3408), "1");            // skillLevel[1]
  EXPECT_EQ(line(5406), "2997");         // skillUses[999]
  EXPECT_EQ(line(5426), "819");          // setSlots[19]
  EXPECT_EQ(line(5427), testing::Cp("ＱＲＴＶ団の～ひと"));
  EXPECT_EQ(line(5429), "101");  // weapon
  EXPECT_EQ(line(5434), "255");  // hp
  EXPECT_EQ(line(5445), "104");  // armor
  EXPECT_EQ(line(5449), "-4");   // reservedU[3]
  EXPECT_EQ(line(5450), testing::Cp("予備の文字"));
  EXPECT_EQ(line(5451), "17");  // the sequencer's phase at the moment of saving
  EXPECT_EQ(t.g().state.phaseAtSave, 17);
  EXPECT_EQ(line(5456), "7");    // raceSex
  EXPECT_EQ(line(5460), "108");  // arm
  EXPECT_EQ(line(5461), "10");   // reservedV
  EXPECT_EQ(line(5462), "140");  // maxTp
  EXPECT_EQ(line(5464), "110");  // earring
  EXPECT_EQ(line(5465), std::to_string(persist::SaveChecksum(t.g().state)));
  EXPECT_EQ(t.g().state.checksum, persist::SaveChecksum(t.g().state));
}

TEST(SaveFile, LoadThenSaveGivesTheSameBytesButTheLoadCount) {
  testing::TestGame first;
  PlayMidGame(first.g());
  SaveGame(first.g());
  const std::string saved = ReadBytes(SaveFile(first.g()));

  testing::TestGame second;
  WriteBytes(SaveFile(second.g()), saved);
  testing::WriteNameList(second.g(), kRandomNames);
  second.g().battle.phase = 17;  // the sequencer's phase is saved, not the loaded copy
  LoadGame(second.g());
  EXPECT_TRUE(second.host.messages.empty());
  EXPECT_EQ(second.g().state.saveDisabled, 0);
  EXPECT_EQ(second.g().state.loadCount, 42);

  std::vector<std::string> expected = CrLfLines(saved);
  expected[1309 - 1] = "42";  // the load is counted and written back at once
  EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(second.g())), JoinCrLf(expected)), "");

  // Values that live outside the file do not leak into it: saving again changes nothing.
  SaveGame(second.g());
  EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(second.g())), JoinCrLf(expected)), "");
}

TEST(SaveFile, ControlBytesInANameNeverSplitTheFile) {
  testing::TestGame t;
  PlayMidGame(t.g());
  t.g().state.player().name = "ab\r\ncd\x1a" + testing::Cp("え");
  SaveGame(t.g());
  const std::vector<std::string> lines = CrLfLines(ReadBytes(SaveFile(t.g())));
  ASSERT_EQ(lines.size(), 5465u);
  EXPECT_EQ(lines[5427 - 1], "abcd" + testing::Cp("え"));
  EXPECT_EQ(lines[5428 - 1], "0");  // the next value is still on its own line
}

TEST(SaveFile, DisabledSavingWritesNothingAtAll) {
  testing::TestGame t;
  PlayMidGame(t.g());
  t.g().state.saveDisabled = 1;
  SaveGame(t.g());
  EXPECT_FALSE(std::filesystem::exists(SaveFile(t.g())));
  EXPECT_FALSE(std::filesystem::exists(testing::RecordFile(t.g())));
  EXPECT_TRUE(t.host.messages.empty());
}

TEST(SaveChecksum, WrapsAndIsWrittenSigned) {
  testing::TestGame t;
  PlayMidGame(t.g());
  GameState& s = t.g().state;
  s.owned.fill(0);
  s.skillLevel.fill(0);
  s.money = INT32_MAX;
  s.bp = 1;
  s.score = s.player().attack = s.player().defense = s.player().hitRate = 0;
  s.player().evadeRate = s.player().maxHp = s.player().maxMp = s.player().maxTp = 0;
  s.player().level = 0;
  s.player().exp = 5;
  EXPECT_EQ(persist::SaveChecksum(s), INT32_MIN + 5);
  SaveGame(t.g());
  const std::vector<std::string> lines = CrLfLines(ReadBytes(SaveFile(t.g())));
  EXPECT_EQ(lines.back(), "-2147483643");

  testing::TestGame again;
  WriteBytes(SaveFile(again.g()), JoinCrLf(lines));
  testing::WriteNameList(again.g(), kRandomNames);
  LoadGame(again.g());
  EXPECT_TRUE(again.host.messages.empty());
  EXPECT_EQ(again.g().state.saveDisabled, 0);
  EXPECT_EQ(again.g().state.money, INT32_MAX);
}

// One edited line of a good file, and whether the check value notices.
struct Edit {
  int line;
  int32_t delta;
  bool noticed;
  const char* what;
};

TEST(SaveChecksum, CoversItemsBasicSkillsAndMainNumbersOnly) {
  const Edit kEdits[] = {
      {1301, 1, true, "money"},
      {201, 1, true, "owned[0]"},
      {1200, -3, true, "owned[999]"},
      {3407, 1, true, "skillLevel[0]"},
      {3506, 1, true, "skillLevel[99]"},
      {3507, 1, false, "skillLevel[100]"},
      {3907, 1, false, "skillLevel[500]"},
      {1302, 1, true, "bp"},
      {5454, 1, true, "score"},
      {5439, 1, true, "attack"},
      {5437, 1, true, "defense"},
      {5441, 1, true, "hitRate"},
      {5442, 1, true, "evadeRate"},
      {5432, 1, true, "maxHp"},
      {5433, 1, true, "maxMp"},
      {5462, 1, true, "maxTp"},
      {5430, 1, true, "level"},
      {5431, 1, true, "exp"},
      {5434, 1, false, "hp"},
      {2362, 1, false, "speedMode"},
      {4500, 1, false, "skillUses"},
      {1400, 1, false, "bought"},
      {150, 1, false, "reservedA"},
      {2500, 1, false, "reservedT"},
      {5461, 1, false, "reservedV"},
      {5429, 1, false, "weapon"},
      {5410, 1, false, "setSlots"},
      {1309, 1, false, "loadCount"},
  };
  testing::TestGame base;
  PlayMidGame(base.g());
  SaveGame(base.g());
  const std::vector<std::string> good = CrLfLines(ReadBytes(SaveFile(base.g())));

  for (const Edit& e : kEdits) {
    SCOPED_TRACE(e.what);
    std::vector<std::string> lines = good;
    std::string& l = lines[static_cast<size_t>(e.line - 1)];
    l = std::to_string(std::stoll(l) + e.delta);
    testing::TestGame t;
    WriteBytes(SaveFile(t.g()), JoinCrLf(lines));
    testing::WriteNameList(t.g(), kRandomNames);
    LoadGame(t.g());
    EXPECT_EQ(t.g().state.saveDisabled, e.noticed ? 1 : 0);
    ASSERT_EQ(t.host.messages.size(), e.noticed ? 1u : 0u);
    if (e.noticed) {
      EXPECT_EQ(t.host.messages[0],
                testing::Cp("データが壊れています。初期化してプレーしなおしてください"));
      // The loaded values stay in effect, and the file is left exactly as it was.
      EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(t.g())), JoinCrLf(lines)), "");
    }
  }
}

TEST(SaveChecksum, MatchingEditOfTheCheckLineLoadsCleanly) {
  testing::TestGame base;
  PlayMidGame(base.g());
  SaveGame(base.g());
  std::vector<std::string> lines = CrLfLines(ReadBytes(SaveFile(base.g())));
  lines[1301 - 1] = "9877";
  lines[5465 - 1] = std::to_string(std::stoll(lines[5465 - 1]) + 1);
  testing::TestGame t;
  WriteBytes(SaveFile(t.g()), JoinCrLf(lines));
  testing::WriteNameList(t.g(), kRandomNames);
  LoadGame(t.g());
  EXPECT_TRUE(t.host.messages.empty());
  EXPECT_EQ(t.g().state.money, 9877);
  EXPECT_EQ(t.g().state.saveDisabled, 0);
}

}  // namespace
}  // namespace qv
