// The recording file: what the recorder writes reads back the same, and a damaged or hostile
// file is refused with its line named.
#include "platform/session/replay_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "files/files_fixture.h"
#include "platform/session/replay_input.h"
#include "platform/session/replay_player.h"
#include "platform/session/replay_state.h"
#include "platform/session/replay_writer.h"
#include "support/fake_host.h"

namespace qv::session {
namespace {

RecordingEntry InputAt(int32_t tick, InputEvent e) {
  RecordingEntry r;
  r.tick = tick;
  r.kind = EntryKind::Input;
  r.input = std::move(e);
  return r;
}

RecordingEntry Of(int32_t tick, EntryKind kind) {
  RecordingEntry r;
  r.tick = tick;
  r.kind = kind;
  return r;
}

// A recording with every kind of entry and the awkward bytes: CP932 save lines with spaces,
// '%', control bytes and an empty line; a start save that is not a multiple of three bytes.
Recording EveryKind() {
  Recording r;
  r.seed = 4294967295u;
  r.program = "qv-1.7";
  constexpr char kSave[] = "12\r\n\x83\x4a\x83\x43 %\r\n\0x";
  r.startSave = std::string(kSave, sizeof kSave - 1);
  r.entries.push_back(InputAt(0, {InputKind::MouseDown, 0, 479, 0, true, {}}));
  r.entries.push_back(InputAt(0, {InputKind::MouseUp, 639, 0, 0, false, {}}));
  r.entries.push_back(InputAt(1, {InputKind::MouseMove, 5, 6, 0, false, {}}));
  r.entries.push_back(InputAt(1, {InputKind::MouseWheel, 5, 6, -2147483647 - 1, false, {}}));
  r.entries.push_back(InputAt(2, {InputKind::KeyDown, 0, 0, 112, false, {}}));
  r.entries.push_back(InputAt(2, {InputKind::KeyUp, 0, 0, 13, false, {}}));
  r.entries.push_back(InputAt(2, {InputKind::Text, 0, 0, 0, false, "カイ 100%\t"}));
  r.entries.push_back(InputAt(2, {InputKind::Text, 0, 0, 0, false, ""}));
  r.entries.push_back(InputAt(2, {InputKind::Compose, 1, 2, 0, false, "会社 員%"}));
  r.entries.push_back(InputAt(2, {InputKind::Compose, 0, 0, 0, false, ""}));
  r.entries.push_back(InputAt(3, {InputKind::MusicEnd, 0, 0, 0, false, "battle.mp3"}));
  r.entries.push_back(InputAt(3, {InputKind::Notice, 0, 0, 0, false, "\x89\xb9 50"}));
  RecordingEntry yes = Of(3, EntryKind::Answer);
  yes.yes = true;
  r.entries.push_back(yes);
  r.entries.push_back(Of(3, EntryKind::Answer));
  r.entries.push_back(Of(3, EntryKind::Ok));
  RecordingEntry check = Of(100, EntryKind::Check);
  check.hash = 0x0123456789abcdefULL;
  check.changes = {{1, "13"}, {2, ""}, {7, std::string("\x83\x4a \x7f%", 5)}};
  r.entries.push_back(check);
  RecordingEntry shot = Of(150, EntryKind::Shot);
  shot.number = 3;
  r.entries.push_back(shot);
  RecordingEntry end = Of(151, EntryKind::End);
  end.hash = 0xffffffffffffffffULL;
  r.entries.push_back(end);
  return r;
}

std::string Text(const Recording& r) {
  std::string text = FormatRecordingHeader(r);
  for (const RecordingEntry& e : r.entries) text += FormatEntry(e);
  return text;
}

TEST(RecordingFile, WhatIsWrittenReadsBackTheSame) {
  const Recording r = EveryKind();
  const std::string text = Text(r);
  // Plain printable ASCII, so a recording survives mail and issue trackers.
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    ASSERT_TRUE(c == '\n' || (u >= 0x20 && u < 0x7F)) << "byte " << int(u);
  }
  const Result<Recording> p = ParseRecording(text);
  ASSERT_TRUE(p.ok()) << p.message();
  EXPECT_EQ(p->seed, r.seed);
  EXPECT_EQ(p->program, r.program);
  EXPECT_EQ(p->startSave, r.startSave);
  ASSERT_EQ(p->entries.size(), r.entries.size());
  for (size_t i = 0; i < r.entries.size(); ++i) {
    const RecordingEntry& a = r.entries[i];
    const RecordingEntry& b = p->entries[i];
    EXPECT_EQ(a.tick, b.tick) << i;
    EXPECT_EQ(a.kind, b.kind) << i;
    EXPECT_EQ(a.input, b.input) << i;
    EXPECT_EQ(a.yes, b.yes) << i;
    EXPECT_EQ(a.number, b.number) << i;
    EXPECT_EQ(a.hash, b.hash) << i;
    EXPECT_EQ(a.changes, b.changes) << i;
    EXPECT_GT(b.fileLine, 0) << i;
  }
  // CR LF line ends (a recording that went through Windows) read the same.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const Result<Recording> again = ParseRecording(crlf);
  ASSERT_TRUE(again.ok()) << again.message();
  EXPECT_EQ(again->entries.size(), r.entries.size());
}

TEST(RecordingFile, StartSavesOfEveryLengthSurviveTheBase64) {
  for (size_t n : {0u, 1u, 2u, 3u, 56u, 57u, 58u, 1000u}) {
    Recording r;
    r.startSave = std::string();
    for (size_t i = 0; i < n; ++i) r.startSave->push_back(static_cast<char>(i * 37));
    const Result<Recording> p = ParseRecording(FormatRecordingHeader(r));
    ASSERT_TRUE(p.ok()) << n << ": " << p.message();
    EXPECT_EQ(p->startSave, r.startSave) << n;
  }
  const Result<Recording> none = ParseRecording(FormatRecordingHeader(Recording{}));
  ASSERT_TRUE(none.ok());
  EXPECT_FALSE(none->startSave.has_value());
}

struct BadCase {
  const char* body;  // after a good header of three lines
  int line;
  const char* says;
};

TEST(RecordingFile, BadLinesAreNamedWithTheirNumber) {
  const std::string header = "qv-replay 1\nseed 1\nstart-save none\n";
  const BadCase cases[] = {
      {"0 down 640 0 left\n", 4, "inside the 640x480 window"},
      {"0 down 1 1 middle\n", 4, "left|right"},
      {"0 move -1 0\n", 4, "inside the 640x480"},
      {"0 key 0\n", 4, "1..255"},
      {"0 key 256\n", 4, "1..255"},
      {"0 text %E3%82\n", 4, "UTF-8"},
      {"0 text %G1\n", 4, "escaped"},
      {"0 text a%4\n", 4, "escaped"},
      {"0 text two words\n", 4, "escaped"},
      {"0 compose 1\n", 4, "CARET LENGTH"},
      {"0 compose -1 0 a\n", 4, "CARET LENGTH"},
      {"0 compose 0 0 %E3%82\n", 4, "UTF-8"},
      {"0 answer maybe\n", 4, "yes or no"},
      {"0 ok now\n", 4, "nothing after"},
      {"5 ok\n4 ok\n", 5, "never go back"},
      {"0 ok\n101 ok\n", 5, "more than 100 ticks after the entry before (0)"},
      {"0 check 0123\n", 4, "16 lowercase hex"},
      {"0 check 0123456789ABCDEF\n", 4, "16 lowercase hex"},
      {"0 line 2 a\n0 line 2 b\n0 check 0123456789abcdef\n", 5, "rising order"},
      {"0 line 0 a\n", 4, "1..100000"},
      {"0 line 1 a\n1 check 0123456789abcdef\n", 5, "not followed by their check"},
      {"0 line 1 a\n0 ok\n", 5, "followed directly"},
      {"0 line 1 a\n", 4, "without their check"},
      {"0 end 0123456789abcdef\n1 ok\n", 5, "follow the 'end'"},
      {"0 jump 1 2\n", 4, "unknown entry 'jump'"},
      {"1000000001 ok\n", 4, "0..1000000000"},
      {"0  ok\n", 4, "single spaces"},
      {"0\n", 4, "needs a kind"},
      {"speed 2\n", 4, "unknown header"},
      {"0 ok\nseed 2\n", 5, "before the entries"},
  };
  for (const BadCase& c : cases) {
    const Result<Recording> p = ParseRecording(header + c.body, "bug.qvr");
    ASSERT_FALSE(p.ok()) << c.body;
    EXPECT_NE(p.message().find("bug.qvr:" + std::to_string(c.line) + ": "), std::string::npos)
        << c.body << " -> " << p.message();
    EXPECT_NE(p.message().find(c.says), std::string::npos) << c.body << " -> " << p.message();
  }
}

TEST(RecordingFile, BadHeadersAreNamed) {
  const BadCase cases[] = {
      {"", 1, "empty file"},
      {"qv-replay 2\n", 1, "not a qv recording"},
      {"qv-replay 1\n0 ok\n", 2, "seed is missing"},
      {"qv-replay 1\nseed 1\n0 ok\n", 3, "start-save is missing"},
      {"qv-replay 1\nseed 4294967296\n", 2, "0..4294967295"},
      {"qv-replay 1\nseed 1\nsave QUJD\n", 3, "start-save N"},
      {"qv-replay 1\nseed 1\nstart-save none\nstart-save 3\n", 4, "twice"},
      {"qv-replay 1\nseed 1\nstart-save 4194305\n", 3, "0..4194304"},
      {"qv-replay 1\nseed 1\nstart-save 3\nsave QUJ\n", 4, "base64"},
      {"qv-replay 1\nseed 1\nstart-save 3\nsave QU=D\n0 ok\n", 5, "not valid base64"},
      {"qv-replay 1\nseed 1\nstart-save 4\nsave QUJD\n0 ok\n", 5, "holds 3 bytes, not the 4"},
      {"qv-replay 1\nseed 1\nstart-save 2\nsave QUJD\n", 4, "holds 3 bytes, not the 2"},
  };
  for (const BadCase& c : cases) {
    const Result<Recording> p = ParseRecording(c.body, "r");
    ASSERT_FALSE(p.ok()) << c.body;
    EXPECT_NE(p.message().find("r:" + std::to_string(c.line) + ": "), std::string::npos)
        << c.body << " -> " << p.message();
    EXPECT_NE(p.message().find(c.says), std::string::npos) << c.body << " -> " << p.message();
  }
  // Comments and blank lines may stand anywhere, also before the first line.
  EXPECT_TRUE(ParseRecording("# a bug report\n\nqv-replay 1\nseed 1\n# x\nstart-save none\n").ok());
}

// A replay reads its recording an entry at a time, from a file in pieces: what it reads is
// what the whole text gives, also where lines straddle the pieces.
TEST(RecordingReader, AFileReadInPiecesGivesWhatTheTextGives) {
  Recording r = EveryKind();
  RecordingEntry move = InputAt(150, {InputKind::MouseMove, 1, 2, 0, false, {}});
  r.entries.insert(r.entries.end() - 1, 30000, move);  // about 500 KB of lines
  const std::string text = Text(r);
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("qv-reader-" + std::to_string(getpid()));
  std::ofstream(file, std::ios::binary) << text;
  RecordingReader reader(file);
  ASSERT_TRUE(reader.ReadHeader()) << reader.status().message();
  EXPECT_EQ(reader.Header().startSave, r.startSave);
  size_t n = 0;
  RecordingEntry e;
  while (reader.Next(e)) {
    ASSERT_LT(n, r.entries.size());
    EXPECT_EQ(FormatEntry(e), FormatEntry(r.entries[n]));
    ++n;
  }
  EXPECT_TRUE(reader.status().ok()) << reader.status().message();
  EXPECT_EQ(n, r.entries.size());
  const Result<RecordingCheck> check = CheckRecordingFile(file);
  EXPECT_TRUE(check.ok()) << check.message();
  EXPECT_EQ(check->entries, r.entries.size());
  EXPECT_EQ(check->endTick, 151);
  std::filesystem::remove(file);
}

// A small file must not keep a replay running for hours: past the limit the line is named.
TEST(RecordingReader, ARecordingLongerThanAReplayPlaysIsRefused) {
  std::string text = "qv-replay 1\nseed 1\nstart-save none\n";
  for (int32_t tick = 0; tick <= kMaxReplayTicks + 100; tick += 100) {
    text += std::to_string(tick) + " ok\n";
  }
  const Result<Recording> p = ParseRecording(text, "long.qvr");
  ASSERT_FALSE(p.ok());
  EXPECT_NE(p.message().find("long.qvr:" + std::to_string(4 + kMaxReplayTicks / 100 + 1) +
                             ": tick " + std::to_string(kMaxReplayTicks + 100) + " is past " +
                             std::to_string(kMaxReplayTicks) + ", the most a replay plays"),
            std::string::npos)
      << p.message();
  RecordingReader shortLimit("qv-replay 1\nseed 1\nstart-save none\n0 ok\n100 ok\n", "r", 50);
  RecordingEntry e;
  EXPECT_TRUE(shortLimit.Next(e));
  EXPECT_FALSE(shortLimit.Next(e));
  EXPECT_NE(shortLimit.status().message().find("r:5: tick 100 is past 50"), std::string::npos)
      << shortLimit.status().message();
}

// The save a replay rebuilds from the checks stays the size of a save, whatever the lines say.
TEST(RecordingReader, SaveLinesNeverAddUpToMoreThanASave) {
  const std::string header = "qv-replay 1\nseed 1\nstart-save none\n";
  std::string many = header;
  for (int line = 1; line <= 70; ++line) {
    many += "0 line " + std::to_string(line) + " " + std::string(64000, 'A') + "\n";
  }
  many += "0 check 0123456789abcdef\n";
  const Result<Recording> p = ParseRecording(many, "big.qvr");
  ASSERT_FALSE(p.ok());
  EXPECT_NE(p.message().find("add up to more than 4 MiB"), std::string::npos) << p.message();

  // One line changed again and again is one line.
  std::string again = header;
  for (int tick = 0; tick < 100; ++tick) {
    again += std::to_string(tick) + " line 1 " + std::string(60000, 'B') + "\n" +
             std::to_string(tick) + " check 0123456789abcdef\n";
  }
  EXPECT_TRUE(ParseRecording(again).ok());

  std::string lines(kMaxSaveLineNumber + 1, '\n');
  Recording r;
  r.seed = 1;
  r.startSave = lines;
  const Result<Recording> tooMany = ParseRecording(FormatRecordingHeader(r) + "0 ok\n");
  ASSERT_FALSE(tooMany.ok());
  EXPECT_NE(tooMany.message().find("more than 100000 lines"), std::string::npos)
      << tooMany.message();
}

TEST(RecordingReader, WhatIsNotARegularFileIsNamedAndNeverWaitedOn) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qv-reader-h-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  alarm(20);
  for (const auto& c : qv::testing::kHostileCases) {
    if (!qv::testing::CanMake(c.kind)) continue;
    SCOPED_TRACE(c.name);
    qv::testing::MakeHostile(dir / "bug.qvr", c.kind);
    const Result<RecordingCheck> check = CheckRecordingFile(dir / "bug.qvr");
    EXPECT_FALSE(check.ok());
    EXPECT_EQ(check.message().rfind((dir / "bug.qvr").string() + ":", 0), 0u) << check.message();
  }
  alarm(0);
  std::filesystem::remove_all(dir);
}

TEST(SaveLines, ChangesBetweenTwoChecksRebuildTheSecond) {
  const std::vector<std::string> before = {"1", "a", "", "x", "y"};
  const std::vector<std::string> now = {"1", "b", "", "x"};
  std::vector<std::string> rebuilt = before;
  ApplyChanges(rebuilt, ChangedLines(before, now));
  EXPECT_EQ(FirstDifference(rebuilt, now).line, 0);
  // A longer save grows the lines; a line past the limit is ignored rather than allocated.
  std::vector<std::string> grown;
  ApplyChanges(grown, {{3, "c"}, {kMaxSaveLineNumber + 1, "z"}});
  EXPECT_EQ(grown, (std::vector<std::string>{"", "", "c"}));
  EXPECT_EQ(SplitSaveText("a\r\nb\n\r\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
  // The hash is that of the file's bytes, so the same lines always hash alike.
  EXPECT_EQ(HashSaveLines({"1", "2"}), HashSaveLines(SplitSaveText("1\r\n2\r\n")));
  EXPECT_NE(HashSaveLines({"1", "2"}), HashSaveLines({"12"}));
}

// Older windows wrote their own messages (volume, screenshots) into recordings as notices
// among the text lines; those files still read, and the notices reach nothing of the game.
TEST(RecordingFile, AnOlderRecordingsNoticeReachesNothing) {
  const Result<Recording> p = ParseRecording(Text(EveryKind()));
  ASSERT_TRUE(p.ok()) << p.message();
  testing::TestGame t;
  t.g().text.formActive = 1;
  for (const RecordingEntry& e : p->entries) {
    if (e.kind == EntryKind::Input && e.input.kind == InputKind::Notice) {
      DeliverInput(t.g(), e.input);
    }
  }
  for (const LineEntry& line : t.g().text.lines) EXPECT_EQ(line.text, "");
}

}  // namespace
}  // namespace qv::session
