// Composed texts: the Japanese a template makes must be the very bytes the rules always made,
// and the game remembers how a text was built only while another language is shown.
#include "core/message.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "core/text_lines.h"
#include "support/fake_host.h"

namespace qv {
namespace {

TEST(Message, FillMakesTheBytesThePiecesMadeAndReadsBracesOnlyBetweenCharacters) {
  EXPECT_EQ(Fill("{who}は麻痺していて動けなかった....", {Arg("who", Sjis("山男"))}),
            Sjis("山男は麻痺していて動けなかった...."));
  EXPECT_EQ(Fill("命中率 {hit}％＞{who}に{n}ダメージ",
                 {Arg("hit", 95), Term("who", Sjis("緑")), Arg("n", -3)}),
            Sjis("命中率 95％＞緑に-3ダメージ"));
  // ボ is 83 7B and マ 83 7D in CP932: their trail bytes are '{' and '}', never a placeholder.
  EXPECT_EQ(Fill("ボ{x}マ", {Arg("x", "1")}), Sjis("ボ") + "1" + Sjis("マ"));
  EXPECT_EQ(Fill("ボxマ", {Arg("x", "1")}), Sjis("ボxマ"));
  // An unknown placeholder stays as it is written; an argument may be used twice.
  EXPECT_EQ(Fill("{a}{b}{a}", {Arg("a", "1")}), "1{b}1");
}

TEST(Message, ComposedTextsAreRememberedOnlyWhileAnotherLanguageIsShown) {
  testing::TestGame t;
  Game& g = t.g();
  const std::string first = Compose(g, "{T}は気絶してしまった!!", {Term("T", Sjis("山男"))});
  EXPECT_EQ(first, Sjis("山男は気絶してしまった!!"));
  EXPECT_EQ(g.text.composed.Find(first), nullptr);

  g.text.composed.enabled = true;
  const std::string again = Compose(g, "{T}は気絶してしまった!!", {Term("T", Sjis("山男"))});
  EXPECT_EQ(again, first);
  const Message* m = g.text.composed.Find(again);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->pieces.size(), 1u);
  EXPECT_EQ(m->pieces[0].templ, "{T}は気絶してしまった!!");
  EXPECT_EQ(m->pieces[0].args[0].kind, ArgKind::Term);
}

TEST(Message, OldTextsAreDroppedButTheNewestStay) {
  testing::TestGame t;
  Game& g = t.g();
  g.text.composed.enabled = true;
  std::string newest;
  for (int i = 0; i < 2000; ++i) newest = Compose(g, "HP {n}回復", {Arg("n", i)});
  EXPECT_LE(g.text.composed.Size(), 512u);
  EXPECT_NE(g.text.composed.Find(newest), nullptr);
  EXPECT_EQ(g.text.composed.Find(Sjis("HP 0回復")), nullptr);
}

TEST(Message, ABuilderRemembersEveryPieceOfALongText) {
  testing::TestGame t;
  Game& g = t.g();
  g.text.composed.enabled = true;
  MessageBuilder b;
  b.Add("セット中のカーレオ\r\r");
  b.Add("【{name}】\r", {Term("name", Sjis("カーレオの涙"))});
  const std::string text = b.Done(g);
  EXPECT_EQ(text, Sjis("セット中のカーレオ\r\r【カーレオの涙】\r"));
  const Message* m = g.text.composed.Find(text);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->pieces.size(), 2u);
}

TEST(Message, AWrappedLineKnowsItsWholeText) {
  testing::TestGame t;
  Game& g = t.g();
  g.text.formActive = 1;
  const std::string longText(80, 'a');
  AddTextLine(g, longText);
  EXPECT_EQ(g.text.lines[1].part, LinePart::Head);
  EXPECT_EQ(g.text.lines[0].part, LinePart::Tail);
  EXPECT_EQ(g.text.lines[0].whole, longText);
  EXPECT_EQ(g.text.lines[1].whole, longText);
  AddTextLine(g, "short");
  EXPECT_EQ(g.text.lines[0].part, LinePart::Whole);
  EXPECT_TRUE(g.text.lines[0].whole.empty());
}

}  // namespace
}  // namespace qv
