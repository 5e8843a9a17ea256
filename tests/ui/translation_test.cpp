// The player's language on the screen: Japanese shows the game's own bytes; English looks up
// every text of the game in the compiled catalog, composes texts in English order with the
// player's name untouched, gives list rows their short forms and lays lines out by words.
#include <gtest/gtest.h>

#include <algorithm>

#include "battle/rewards.h"
#include "battle/sequencer.h"
#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "files/file_io.h"
#include "gfx/canvas.h"
#include "gfx/fonts.h"
#include "persist/save.h"
#include "support/fake_host.h"
#include "ui/catalog.h"
#include "ui/name_field.h"
#include "ui/text_cache.h"
#include "ui/translator.h"
#include "world/scene_text.h"

namespace qv {
namespace {

const std::filesystem::path kLocale = std::filesystem::path(QV_BUILD_DIR) / "locale";

struct English {
  testing::TestGame t;
  ui::TextCache cache;
  ui::Translator tr{cache};
  English() {
    tr.SetCatalog(ui::Catalog::Open("en", kLocale));
    t.g().text.composed.enabled = true;
  }
  const std::string& Shown(const std::string& cp932) { return tr.Shown(t.g(), cp932); }
};

TEST(Translation, JapaneseShowsTheGamesOwnBytes) {
  testing::TestGame t;
  ui::TextCache cache;
  ui::Translator tr(cache);
  EXPECT_FALSE(tr.Active());
  EXPECT_EQ(tr.Shown(t.g(), Sjis("発動")), "発動");
  EXPECT_EQ(tr.Row(t.g(), Sjis(" 2 欠けた刀")), " 2 欠けた刀");
  EXPECT_STREQ(tr.Own("はい"), "はい");
  EXPECT_EQ(tr.Format(t.g(), "{n}円", {Arg("n", 12)}), "12円");
}

TEST(Translation, AnyLanguageWithoutACatalogIsJapanese) {
  EXPECT_FALSE(ui::Catalog::Open("ja", kLocale).Active());
  EXPECT_FALSE(ui::Catalog::Open("xx", kLocale).Active());
  EXPECT_FALSE(ui::Catalog::Open("en", kLocale / "nowhere").Active());
  const std::vector<std::string> known = ui::AvailableLanguages(kLocale);
  ASSERT_FALSE(known.empty());
  EXPECT_EQ(known.front(), "ja");
  EXPECT_NE(std::find(known.begin(), known.end(), "en"), known.end());
}

TEST(Translation, EnglishLooksUpTheTextsOfTheGame) {
  English e;
  ASSERT_TRUE(e.tr.Active());
  EXPECT_EQ(e.Shown(Sjis("発動")), "Use");
  EXPECT_EQ(e.Shown(Sjis("山男")), "Mountain Man");
  EXPECT_STREQ(e.tr.Own("はい"), "Yes");
  // Numbers and the money sign pass as they are.
  EXPECT_EQ(e.Shown("exp +5"), "exp +5");
  EXPECT_EQ(e.Shown("\\100"),
            "\xC2\xA5"
            "100");
}

TEST(Translation, ComposedTextsTakeEnglishOrderAndKeepThePlayersName) {
  English e;
  Game& g = e.t.g();
  const std::string stunned = Compose(g, "{T}は気絶してしまった!!", {Term("T", Sjis("山男"))});
  EXPECT_EQ(e.Shown(stunned), "Mountain Man was knocked senseless!");
  // A player who calls himself 光 stays 光, though the island's 光 is Hikaru.
  g.state.player().name = Sjis("光");
  const std::string ours = Compose(g, "{T}は気絶してしまった!!", {Who(g, "T", 0)});
  EXPECT_EQ(e.Shown(ours), "光 was knocked senseless!");
  g.state.enemy().name = Sjis("光");
  const std::string theirs = Compose(g, "{X}は力をためた!!", {Who(g, "X", 1)});
  EXPECT_EQ(e.Shown(theirs), "Hikaru gathered strength!");
}

// Battle lines are built from templates: the game keeps the very bytes it has always written, and
// English puts the names and numbers where its sentence wants them.
TEST(Translation, BattleLinesKeepTheirJapaneseBytesAndReadAsEnglishSentences) {
  English e;
  Game& g = e.t.g();
  g.state.player().name = Sjis("カイ");
  g.state.enemy().name = Sjis("山男");
  const auto newest = [&] { return g.text.lines[0].text; };
  g.battle.turnSide = 1;
  battle::StepTurnStart(g);
  EXPECT_EQ(newest(), Sjis("山男のターン"));
  EXPECT_EQ(e.Shown(newest()), "Mountain Man's turn");
  g.battle.turnSide = 0;
  battle::StepTurnStart(g);
  EXPECT_EQ(newest(), Sjis("カイのターン"));
  EXPECT_EQ(e.Shown(newest()), "カイ's turn");
  battle::GainMoney(g, 12);
  EXPECT_EQ(newest(), Sjis("お金を 12円入手"));
  EXPECT_EQ(e.Shown(newest()), "Got 12 yen");
  battle::GainExperience(g, 7);
  EXPECT_EQ(newest(), Sjis("経験値を 7入手"));
  EXPECT_EQ(e.Shown(newest()), "Got 7 experience");
  // The same templates while Japanese is shown: the same bytes, nothing remembered.
  testing::TestGame ja;
  ja.g().state.player().name = Sjis("カイ");
  battle::StepTurnStart(ja.g());
  battle::GainMoney(ja.g(), 12);
  EXPECT_EQ(ja.g().text.lines[0].text, Sjis("お金を 12円入手"));
  EXPECT_EQ(ja.g().text.lines[1].text, Sjis("カイのターン"));
  EXPECT_EQ(ja.g().text.composed.Size(), 0u);
}

// A count picks the English form of its text ("1 point", "2 points"); the Japanese bytes are
// the same whatever the number.
TEST(Translation, CountsTakeTheirEnglishPluralForm) {
  English e;
  Game& g = e.t.g();
  const char* bp = "BP: {bp}ポイント / 所持金: {money}円";
  const std::string one = Compose(g, bp, {Count("bp", 1), Arg("money", 30)});
  const std::string two = Compose(g, bp, {Count("bp", 2), Arg("money", 30)});
  EXPECT_EQ(one, Sjis("BP: 1ポイント / 所持金: 30円"));
  EXPECT_EQ(e.Shown(one), "BP: 1 point / Money: 30 yen");
  EXPECT_EQ(e.Shown(two), "BP: 2 points / Money: 30 yen");
  const char* uses = "技Lv: {level}  発動: {uses}回";
  EXPECT_EQ(e.tr.TranslatePlural(uses, uses, 1), "Skill Lv: {level}  Used: {uses} time");
  EXPECT_EQ(e.tr.TranslatePlural(uses, uses, 0), "Skill Lv: {level}  Used: {uses} times");
  // A text the catalog lacks falls back to the form given for the number.
  EXPECT_EQ(e.tr.TranslatePlural("a thing", "things", 1), "a thing");
  EXPECT_EQ(e.tr.TranslatePlural("a thing", "things", 3), "things");
}

// The story's lines with the player's name are queued long before they are shown (a victory's
// talk waits out the whole battle), yet still read in English with the name kept.
TEST(Translation, StoryLinesWithThePlayersNameOutlastABattle) {
  English e;
  Game& g = e.t.g();
  g.state.player().name = Sjis("ミラ");
  const std::vector<std::string> lines = world::OpeningLines(g);
  const auto woke = std::find(lines.begin(), lines.end(), Sjis("....ミラは目を覚ました"));
  ASSERT_NE(woke, lines.end());
  for (int i = 0; i < 2000; ++i) Compose(g, "お金を {n}円入手", {Arg("n", i)});
  EXPECT_EQ(e.Shown(*woke), "...ミラ woke up.");
  EXPECT_TRUE(e.tr.TakeMisses().empty());
  // In Japanese nothing is kept: the lines are the game's own bytes.
  testing::TestGame ja;
  ja.g().state.player().name = Sjis("ミラ");
  EXPECT_EQ(world::OpeningLines(ja.g()), lines);
  EXPECT_EQ(ja.g().text.composed.Size(), 0u);
}

// A save the disk refuses: the box gives the C library's words and then our meaning of them, in
// English as in Japanese.
TEST(Translation, AFileErrorsCauseReadsInEnglish) {
  English e;
  Game& g = e.t.g();
  files::FileIo io(files::FaultPlan{files::Fault::kNoSpace, 1, true});
  persist::SaveGame(g, io);
  ASSERT_EQ(e.t.host.messages.size(), 1u);
  const std::string& box = e.t.host.messages[0];
  EXPECT_NE(Cp932ToUtf8(box).find(files::ErrorText(ENOSPC) + ": ディスクに空きがありません"),
            std::string::npos);
  const std::string& shown = e.Shown(box);
  EXPECT_NE(shown.find(files::ErrorText(ENOSPC) + ": the disk is full"), std::string::npos)
      << shown;
  for (char c : shown) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << shown;
}

TEST(Translation, ListRowsKeepTheirMarksAndTakeTheShortForm) {
  English e;
  EXPECT_EQ(e.tr.Row(e.t.g(), Sjis(" 2 人工ｶｰﾚｵの耐熱計算機")), " 2 F.Kaleo's Heatproof PC");
  EXPECT_EQ(e.tr.Row(e.t.g(), Sjis("   ぼうっきれ")), "   Stick");
  EXPECT_EQ(e.tr.Row(e.t.g(), Sjis(" ＞欠けた刀")), " ＞Chipped Blade");
  EXPECT_EQ(e.tr.Row(e.t.g(), Sjis(" MAX 踏みつぶす")), " MAX Stomp");
  EXPECT_EQ(e.tr.Row(e.t.g(), Sjis("   －－－武器－－－")), "   --- Weapons ---");
}

TEST(Translation, WhatTheCatalogLacksIsNotedAndKatakanaNamesAreSpelledOut) {
  English e;
  EXPECT_EQ(e.Shown(Sjis("ソレハ")), "Soreha");
  EXPECT_EQ(e.Shown(Sjis("知らない言葉")), "知らない言葉");
  const std::vector<std::string> misses = e.tr.TakeMisses();
  ASSERT_EQ(misses.size(), 1u);
  EXPECT_EQ(misses[0], "知らない言葉");
  EXPECT_TRUE(e.tr.TakeMisses().empty());
}

TEST(Translation, KatakanaInLatinLetters) {
  EXPECT_EQ(ui::RomanizeKatakana("シオカゼスライム"), "Shiokazesuraimu");
  EXPECT_EQ(ui::RomanizeKatakana("ﾁｬｷｬﾃｰｸｰ"), "Chakyateekuu");
  EXPECT_EQ(ui::RomanizeKatakana("ｶﾞﾊﾟ"), "Gapa");
  EXPECT_EQ(ui::RomanizeKatakana("ヤッタ"), "Yatta");
  EXPECT_EQ(ui::RomanizeKatakana("マッチャ"), "Matcha");
  EXPECT_EQ(ui::RomanizeKatakana("ヤマ男"), "");
  EXPECT_EQ(ui::RomanizeKatakana(""), "");
}

TEST(Translation, LinesBreakBetweenWordsAndKeepTheirIndent) {
  English e;
  gfx::Bitmap b(8, 8);
  gfx::Canvas c(b, gfx::FontLibrary::Shared());
  c.font = {gfx::FontFace::Fixed, 15, true, 0xFFFFFF};
  const int32_t width = c.TextWidth(std::string(20, '0'));
  const std::string text = "  Stay here and you can save your game at the inn tonight.";
  const std::vector<std::string>& rows = e.tr.Wrapped(c, text, width, "  ");
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 6), "  Stay");
  std::string joined;
  for (const std::string& r : rows) {
    EXPECT_LE(c.TextWidth(r), width) << r;
    EXPECT_NE(r.back(), ' ') << r;
    joined += (joined.empty() ? "" : " ") + r.substr(r.find_first_not_of(' '));
  }
  EXPECT_EQ("  " + joined, text);
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].substr(0, 2), "  ");
  // A word longer than a whole row is cut between its letters.
  const std::vector<std::string>& cut = e.tr.Wrapped(c, std::string(30, 'x'), width);
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0] + cut[1], std::string(30, 'x'));
}

// The name field's notes sit in the strip above the field, as wide as its box (185 pixels, the
// note drawn 4 in): in English they must still fit there, the refused character kept.
TEST(Translation, NameFieldNotesInEnglishFitTheirStrip) {
  English e;
  gfx::Bitmap b(8, 8);
  gfx::Canvas c(b, gfx::FontLibrary::Shared());
  c.font = {gfx::FontFace::Proportional, 12, false, 0xFF8000};
  const std::string full = ui::NoteShown("全角8文字・半角16文字まで", e.tr);
  const std::string refused = ui::NoteShown("「鷗」(U+9DD7)は使えません", e.tr);
  EXPECT_EQ(full, "Max 8 kanji or 16 letters");
  EXPECT_EQ(refused, "\"鷗\" (U+9DD7) not allowed");
  EXPECT_LE(c.TextWidth(full), 185 - 4);
  EXPECT_LE(c.TextWidth(ui::NoteShown("「\xF0\x9F\x98\x80」(U+1F600)は使えません", e.tr)), 185 - 4);
  // Japanese, and a note of another shape, pass as written.
  ui::TextCache cache;
  ui::Translator japanese(cache);
  EXPECT_EQ(ui::NoteShown("「鷗」(U+9DD7)は使えません", japanese), "「鷗」(U+9DD7)は使えません");
  EXPECT_EQ(ui::NoteShown("「鷗", e.tr), "「鷗");
}

}  // namespace
}  // namespace qv
