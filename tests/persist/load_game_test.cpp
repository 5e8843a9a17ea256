#include <gtest/gtest.h>

#include "core/new_game.h"
#include "files/folder_lock.h"
#include "persist/save.h"
#include "persist/save_file.h"
#include "persist_test_util.h"

namespace qv {
namespace {

using persist::LoadGame;
using testing::Contains;
using testing::Cp;
using testing::CrLfLines;
using testing::JoinCrLf;
using testing::ReadBytes;
using testing::SaveFile;
using testing::WriteBytes;

// The lines of a good save of a mid-game player.
std::vector<std::string> GoodLines() {
  testing::TestGame t;
  testing::PlayMidGame(t.g());
  return CrLfLines(persist::SaveFileText(t.g().state));
}

// A game that loads the given my.dat with a full name list beside it.
struct Loaded {
  testing::TestGame t;
  explicit Loaded(const std::string& file) {
    WriteBytes(SaveFile(t.g()), file);
    testing::WriteNameList(t.g(), kRandomNames);
    LoadGame(t.g());
  }
  GameState& s() { return t.g().state; }
};

TEST(LoadGame, FirstRunStartsANewGameAndWritesIt) {
  testing::TestGame t;
  testing::WriteNameList(t.g(), kRandomNames);
  LoadGame(t.g());
  const GameState& s = t.g().state;
  EXPECT_TRUE(t.host.messages.empty());
  EXPECT_EQ(s.money, 50);
  EXPECT_EQ(s.player().name, Cp("しすみ"));
  EXPECT_EQ(s.reserved.reservedV, 10);
  EXPECT_EQ(s.loadCount, 1);
  EXPECT_EQ(s.saveDisabled, 0);
  const std::vector<std::string> lines = CrLfLines(ReadBytes(SaveFile(t.g())));
  ASSERT_EQ(lines.size(), 5465u);
  EXPECT_EQ(lines[1309 - 1], "1");
  EXPECT_TRUE(std::filesystem::exists(testing::RecordFile(t.g())));
}

TEST(LoadGame, FollowUpStepsRunAfterEveryLoad) {
  testing::TestGame t;
  testing::WriteNameList(t.g(), kRandomNames);
  t.g().state.items[0].name = "junk";  // master data never survives a load
  LoadGame(t.g());
  EXPECT_EQ(t.g().battle.dialogueLines[0], Cp("彼（彼女）にとって、視覚が捉える光景や"));
  EXPECT_EQ(t.g().state.items[0].kind, kKindNothing);
  EXPECT_NE(t.g().state.items[0].name, "junk");
  EXPECT_EQ(t.g().state.randomNameCount, kRandomNames);
  EXPECT_EQ(t.g().state.randomNames[225], Cp("名前") + "225");
}

// Each kind of damage: the player is told the file and the line, saving stops, the values
// read before the damage stay, and the file is not touched.
struct Damage {
  const char* what;
  int line;          // 1-based line to damage
  std::string text;  // its new content; "<cut>" ends the file before that line
};

TEST(LoadGame, DamagedFilesAreReportedByLineAndNeverOverwritten) {
  const std::vector<std::string> good = GoodLines();
  const Damage kDamages[] = {
      {"letters for money", 1301, "abc"},
      {"empty number line", 1309, ""},
      {"only a sign", 2362, "-"},
      {"beyond int32", 5454, "2147483648"},
      {"far beyond int32", 5454, "-99999999999999999999"},
      {"two signs", 5430, "+-3"},
      {"lone lead byte in the name", 5427, std::string("\x82")},
      {"bad trail byte in the name", 5427, std::string("\x81\x20")},
      {"undefined byte in reserved text", 5450, std::string("a\xFD")},
      {"cut before the check value", 5465, "<cut>"},
      {"cut in the middle", 3001, "<cut>"},
      {"cut at the start", 1, "<cut>"},
  };
  for (const Damage& d : kDamages) {
    SCOPED_TRACE(d.what);
    std::vector<std::string> lines = good;
    if (d.text == "<cut>") {
      lines.resize(static_cast<size_t>(d.line - 1));
    } else {
      lines[static_cast<size_t>(d.line - 1)] = d.text;
    }
    const std::string file = JoinCrLf(lines);
    Loaded l(file);
    EXPECT_EQ(l.s().saveDisabled, 1);
    ASSERT_EQ(l.t.host.messages.size(), 1u);
    const std::string& message = l.t.host.messages[0];
    EXPECT_TRUE(Contains(message, "my.dat"));
    EXPECT_TRUE(Contains(message, " " + std::to_string(d.line) + " ")) << Cp932ToUtf8(message);
    EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(l.t.g())), file), "");
    if (d.line > 1) {
      EXPECT_EQ(l.s().eventFlags[1], 1);  // read before the damage
    }
    if (d.line <= 1301) {
      EXPECT_EQ(l.s().money, 0);  // the damaged line and those after it keep what they had
    }
    // The load still finishes its follow-up steps.
    EXPECT_EQ(l.t.g().battle.dialogueLines[0], Cp("彼（彼女）にとって、視覚が捉える光景や"));
  }
}

TEST(LoadGame, NumbersAreReadLeniently) {
  std::vector<std::string> lines = GoodLines();
  // Blanks before a number and anything after it are ignored; a CR LF file edited on Linux
  // (bare LF) still reads.
  lines[1301 - 1] = "  9876 yen";
  lines[1302 - 1] = "+12";
  Loaded l(JoinCrLf(lines));
  EXPECT_TRUE(l.t.host.messages.empty());
  EXPECT_EQ(l.s().money, 9876);
  EXPECT_EQ(l.s().bp, 12);

  std::string lf;
  for (const std::string& line : GoodLines()) lf += line + "\n";
  Loaded lfOnly(lf);
  EXPECT_TRUE(lfOnly.t.host.messages.empty());
  EXPECT_EQ(lfOnly.s().money, 9876);
}

TEST(ParseNumberLine, Int32EdgesAndRejections) {
  int32_t v = 0;
  EXPECT_TRUE(persist::ParseNumberLine("2147483647", v));
  EXPECT_EQ(v, INT32_MAX);
  EXPECT_TRUE(persist::ParseNumberLine("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_TRUE(persist::ParseNumberLine("-0", v));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(persist::ParseNumberLine("2147483648", v));
  EXPECT_FALSE(persist::ParseNumberLine("-2147483649", v));
  EXPECT_FALSE(persist::ParseNumberLine("000000000000000000002147483648", v));
  EXPECT_FALSE(persist::ParseNumberLine(" ", v));
  EXPECT_FALSE(persist::ParseNumberLine("\xef\xbc\x91", v));  // a full-width digit is text
}

TEST(LoadGame, IndicesOutsideTheirTablesLoadAsNothing) {
  std::vector<std::string> lines = GoodLines();
  const std::pair<int, const char*> kBad[] = {
      {5429, "1001"},        // weapon past the last item
      {5444, "-1"},          // helmet
      {5464, "2147483647"},  // earring
      {5407, "5000"},        // set frame 0
      {5426, "-20"},         // set frame 19
  };
  for (const auto& [line, text] : kBad) lines[static_cast<size_t>(line - 1)] = text;
  lines[5443 - 1] = "1000";  // the last item index is still an item (shield)
  Loaded l(JoinCrLf(lines));
  const GameState& s = l.s();
  EXPECT_TRUE(l.t.host.messages.empty());  // not part of the check value, so no complaint
  EXPECT_EQ(s.player().weapon, 0);
  EXPECT_EQ(s.player().helmet, 0);
  EXPECT_EQ(s.player().earring, 0);
  EXPECT_EQ(s.player().shield, 1000);
  EXPECT_EQ(s.player().armor, 104);
  EXPECT_EQ(s.setSlots[0], 0);
  EXPECT_EQ(s.setSlots[1], 801);
  EXPECT_EQ(s.setSlots[19], 0);
}

// The character's type, race and creation bonus pick names only for the record, which shows
// an empty name for a value outside its table: they are kept as read, and written back so.
TEST(LoadGame, TypeRaceAndBonusOutsideTheirTablesAreKeptAsRead) {
  std::vector<std::string> lines = GoodLines();
  lines[5452 - 1] = "6";   // personality
  lines[5453 - 1] = "-1";  // bonusParam
  lines[5456 - 1] = "10";  // raceSex
  Loaded l(JoinCrLf(lines));
  const GameState& s = l.s();
  EXPECT_TRUE(l.t.host.messages.empty());
  EXPECT_EQ(s.personality, 6);
  EXPECT_EQ(s.bonusParam, -1);
  EXPECT_EQ(s.raceSex, 10);
  const std::vector<std::string> written = CrLfLines(ReadBytes(SaveFile(l.t.g())));
  ASSERT_EQ(written.size(), 5465u);
  EXPECT_EQ(written[5452 - 1], "6");
  EXPECT_EQ(written[5453 - 1], "-1");
  EXPECT_EQ(written[5456 - 1], "10");
  const std::vector<std::string> record = CrLfLines(ReadBytes(testing::RecordFile(l.t.g())));
  ASSERT_GE(record.size(), 4u);
  EXPECT_EQ(record[3], Cp("(タイプ:  / 種族: )"));
}

TEST(LoadGame, UnreadableSaveIsReportedWithTheCause) {
  testing::TestGame t;
  std::filesystem::create_directories(SaveFile(t.g()));  // a folder where the file should be
  testing::WriteNameList(t.g(), kRandomNames);
  LoadGame(t.g());
  EXPECT_EQ(t.g().state.saveDisabled, 1);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(t.host.messages[0], "my.dat"));
  EXPECT_TRUE(Contains(t.host.messages[0], files::ErrorText(EISDIR)));
}

TEST(LoadGame, ReadFailureInTheFileLayer) {
  std::vector<std::string> lines = GoodLines();
  testing::TestGame t;
  WriteBytes(SaveFile(t.g()), JoinCrLf(lines));
  testing::WriteNameList(t.g(), kRandomNames);
  // Call 1 opens my.dat, call 2 asks what it is, call 3 is the first read.
  files::FileIo io(files::FaultPlan{files::Fault::kIoError, 3, false});
  LoadGame(t.g(), io);
  EXPECT_EQ(t.g().state.saveDisabled, 1);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_TRUE(Contains(t.host.messages[0], files::ErrorText(EIO)));
  EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(t.g())), JoinCrLf(lines)), "");
}

TEST(LoadGame, NameListProblemsAreReportedAndNeverOverread) {
  struct Case {
    const char* what;
    std::string file;  // "<none>" = missing
    int32_t count;
    bool told;
  };
  std::string many;
  for (int i = 0; i < 300; ++i) many += "n" + std::to_string(i) + "\r\n";
  const Case kCases[] = {
      {"missing", "<none>", 0, true},
      {"empty", "", 0, true},
      {"short", "a\r\nb\r\nc\r\n", 3, true},
      {"longer than needed", many, kRandomNames, false},
      {"bad text on line 3", std::string("a\r\nb\r\n\x82\r\nd\r\n"), 2, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    testing::TestGame t;
    t.g().state.randomNames[200] = "stale";
    if (c.file != "<none>") WriteBytes(t.g().paths.datDir / "name.dat", c.file);
    LoadGame(t.g());
    EXPECT_EQ(t.g().state.randomNameCount, c.count);
    EXPECT_EQ(t.g().state.randomNames[200], c.count > 200 ? "n200" : "");
    ASSERT_EQ(t.host.messages.size(), c.told ? 1u : 0u);
    if (c.told) {
      EXPECT_TRUE(Contains(t.host.messages[0], "name.dat"));
    }
    EXPECT_EQ(t.g().state.saveDisabled, 0);  // the name list never stops saving
  }
}

TEST(LoadGame, LeftoverTemporaryFilesAreRemoved) {
  testing::TestGame t;
  testing::WriteNameList(t.g(), kRandomNames);
  std::filesystem::path tmp = SaveFile(t.g()), recordTmp = testing::RecordFile(t.g());
  std::filesystem::path oldTmp = tmp;
  tmp += ".tmp-0123456789ab";
  recordTmp += ".tmp-ba9876543210";
  oldTmp += ".tmp";  // the single name older versions used
  WriteBytes(tmp, "half a save");
  WriteBytes(recordTmp, "half a record");
  WriteBytes(oldTmp, "an old half save");
  // The player's own files that only look like ours.
  const std::filesystem::path others[] = {t.g().paths.saveDir / "my.dat.tmpl",
                                          t.g().paths.saveDir / "my.dat.tmp-mine.txt",
                                          testing::RecordFile(t.g()).string() + ".tmp-notes"};
  for (const auto& other : others) WriteBytes(other, "keep");
  // Without the folder's lock nothing is removed: another copy may be mid-save.
  LoadGame(t.g());
  EXPECT_TRUE(std::filesystem::exists(tmp));
  EXPECT_TRUE(std::filesystem::exists(oldTmp));

  const files::FolderLock lock(t.g().paths.saveDir);
  ASSERT_EQ(lock.state(), files::FolderLock::State::kHeld);
  t.g().saveLock = &lock;
  LoadGame(t.g());
  EXPECT_FALSE(std::filesystem::exists(tmp));
  EXPECT_FALSE(std::filesystem::exists(oldTmp));
  // The record lies in another folder here (the program's), which the lock does not hold.
  EXPECT_TRUE(std::filesystem::exists(recordTmp));
  for (const auto& other : others) EXPECT_TRUE(std::filesystem::exists(other)) << other;
  EXPECT_EQ(t.g().state.loadCount, 2);
  t.g().saveLock = nullptr;
}

TEST(LoadGame, DamagedFileStaysUntouchedUntilTheReset) {
  std::vector<std::string> lines = GoodLines();
  lines[1301 - 1] = "1";  // money changed behind the check value's back
  const std::string file = JoinCrLf(lines);
  Loaded l(file);
  ASSERT_EQ(l.s().saveDisabled, 1);
  EXPECT_EQ(l.s().money, 1);
  persist::SaveGame(l.t.g());
  EXPECT_EQ(testing::FirstDifference(ReadBytes(SaveFile(l.t.g())), file), "");

  // The reset: a new game with saving allowed writes a fresh, clean file at once.
  NewGame(l.t.g());
  l.s().saveDisabled = 0;
  persist::SaveGame(l.t.g());
  testing::TestGame again;
  WriteBytes(SaveFile(again.g()), ReadBytes(SaveFile(l.t.g())));
  testing::WriteNameList(again.g(), kRandomNames);
  LoadGame(again.g());
  EXPECT_TRUE(again.host.messages.empty());
  EXPECT_EQ(again.g().state.money, 50);
}

}  // namespace
}  // namespace qv
