// The name field of character creation: CP932 text, whole-character editing, the input
// method's composition, and the focus rules that tell the host when typing goes to the field.
#include "ui/name_field.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "ui/input.h"
#include "ui_fixture.h"

namespace qv {
namespace {

using testing::UiGame;

constexpr int32_t kVkShift = 16;
constexpr const char* kFullNote = "全角8文字・半角16文字まで";

struct NameField : ::testing::Test {
  UiGame t;
  Game& g = t.g();
  void SetUp() override {
    ShowPanel(g.form, W::bp_box);
    Click(FieldX(0), FieldY());
  }
  void Click(int32_t x, int32_t y) {
    ui::MouseDown(g, x, y, false);
    ui::MouseUp(g, x, y, false);
  }
  int32_t FieldX(int32_t inside) { return ui::TextFieldRect(g).left + inside; }
  int32_t FieldY() { return ui::TextFieldRect(g).top + 5; }
  void Key(int32_t key) {
    ui::KeyDown(g, key);
    ui::KeyUp(g, key);
  }
  void ShiftKey(int32_t key) {
    ui::KeyDown(g, kVkShift);
    Key(key);
    ui::KeyUp(g, kVkShift);
  }
  const std::string& Name() { return g.form[W::name_l].caption; }
  const NameEntry& Entry() { return g.form.entry; }
};

TEST_F(NameField, TakesJapaneseAsCp932AndRefusesWhatCannotBeSaved) {
  ASSERT_TRUE(ui::TextFieldFocused(g));
  ui::TextInput(g, "しすみ");
  EXPECT_EQ(Name(), Sjis("しすみ"));
  EXPECT_EQ(Entry().note, "");
  // An emoji has no CP932 form: it is refused by name, and the rest of the commit goes in.
  ui::TextInput(g,
                "A\xF0\x9F\x98\x80"
                "B");
  EXPECT_EQ(Name(), Sjis("しすみ") + "AB");
  EXPECT_EQ(Entry().note, "「\xF0\x9F\x98\x80」(U+1F600)は使えません");
  // Control characters and a cut-off character are no text; nothing to say about them.
  ui::TextInput(g, "\r\n\t");
  ui::TextInput(g, "\xE3\x81");
  EXPECT_EQ(Name(), Sjis("しすみ") + "AB");
  EXPECT_EQ(Entry().note, "");
  ui::TextInput(g, "Ⅱ");  // the NEC rows are CP932
  EXPECT_EQ(Name(), Sjis("しすみ") + "AB" + Sjis("Ⅱ"));
  // A refused commit leaves a selection as it was.
  ShiftKey(ui::kVkLeft);
  ui::TextInput(g, "鷗");
  EXPECT_EQ(Name(), Sjis("しすみ") + "AB" + Sjis("Ⅱ"));
  EXPECT_EQ(Entry().note, "「鷗」(U+9DD7)は使えません");
}

TEST_F(NameField, KeepsWithinSixteenBytesAndNeverCutsACharacter) {
  ui::TextInput(g, "あいうえおかきく");
  EXPECT_EQ(Name().size(), 16u);
  EXPECT_EQ(Entry().note, "");
  ui::TextInput(g, "x");
  EXPECT_EQ(Name(), Sjis("あいうえおかきく"));
  EXPECT_EQ(Entry().note, kFullNote);
  Key(ui::kVkBack);
  EXPECT_EQ(Entry().note, "");
  // Two bytes free: the commit goes in up to what fits, whole characters only.
  ui::TextInput(g, "abc");
  EXPECT_EQ(Name(), Sjis("あいうえおかき") + "ab");
  EXPECT_EQ(Entry().note, kFullNote);
  // One byte free: a double-byte character does not fit, and nothing after it is taken.
  Key(ui::kVkBack);
  ui::TextInput(g, "けz");
  EXPECT_EQ(Name(), Sjis("あいうえおかき") + "a");
  EXPECT_EQ(Entry().note, kFullNote);
  // Text that replaces a selection has the selection's room.
  ShiftKey(ui::kVkLeft);
  ShiftKey(ui::kVkLeft);
  ui::TextInput(g, "けこ");
  EXPECT_EQ(Name(), Sjis("あいうえおかけこ"));
}

TEST_F(NameField, CursorAndSelectionStepOverWholeCharacters) {
  ui::TextInput(g, "aあb");
  Key(ui::kVkLeft);
  Key(ui::kVkLeft);
  EXPECT_EQ(g.form.caret, 1);
  Key(ui::kVkDelete);
  EXPECT_EQ(Name(), "ab");
  ui::TextInput(g, "い");
  EXPECT_EQ(Name(), "a" + Sjis("い") + "b");
  // A caret left inside a double-byte character counts from that character's start.
  g.form.caret = 2;
  Key(ui::kVkBack);
  EXPECT_EQ(Name(), Sjis("い") + "b");
  EXPECT_EQ(g.form.caret, 0);
  Key(ui::kVkEnd);
  EXPECT_EQ(g.form.caret, 3);
  // Shift with the arrows selects; Delete takes the selection.
  ShiftKey(ui::kVkHome);
  Key(ui::kVkRight);  // without Shift the selection goes
  ShiftKey(ui::kVkRight);
  Key(ui::kVkDelete);
  EXPECT_EQ(Name(), Sjis("い"));
  // Dragging over the field selects whole characters.
  ui::TextInput(g, "うえ");
  ui::MouseDown(g, FieldX(1), FieldY(), false);
  ui::MouseMove(g, FieldX(24), FieldY());
  ui::MouseUp(g, FieldX(24), FieldY(), false);
  EXPECT_EQ(g.form.caret % 2, 0);
  EXPECT_GT(g.form.caret, 0);
  Key(ui::kVkBack);
  EXPECT_EQ(Name().size() % 2, 0u);
  EXPECT_LT(Name().size(), 6u);
}

TEST_F(NameField, ACompositionIsShownUntilCommittedAndNeverSaved) {
  ui::TextInput(g, "しすみ");
  ui::TextEditing(g, "かい", 2, 0);
  EXPECT_EQ(Entry().composition, "かい");
  EXPECT_EQ(Name(), Sjis("しすみ"));
  // Converting: the first segment is marked, the caret stays in range whatever is sent.
  ui::TextEditing(g, "回", 0, 1);
  EXPECT_EQ(Entry().compositionSegment, 1);
  ui::TextEditing(g, "回", 5000, -3);
  EXPECT_EQ(Entry().compositionCaret, 1);
  EXPECT_EQ(Entry().compositionSegment, 0);
  ui::TextInput(g, "回");
  EXPECT_EQ(Name(), Sjis("しすみ回"));
  EXPECT_EQ(Entry().composition, "");
  // A composition that cannot fit says so before it is committed.
  ui::TextEditing(g, "あいうえおか", 6, 0);
  EXPECT_EQ(Entry().note, kFullNote);
  ui::TextEditing(g, "あ", 1, 0);
  EXPECT_EQ(Entry().note, "");
  // A thousand characters: the field keeps those around the caret and draws them.
  std::string huge;
  for (int i = 0; i < 1000; ++i) huge += "あ";
  ui::TextEditing(g, huge + "ん", 1001, 0);
  EXPECT_EQ(Entry().compositionCaret, ui::kCompositionChars);
  EXPECT_EQ(Entry().composition.size(), static_cast<size_t>(ui::kCompositionChars) * 3);
  EXPECT_EQ(Entry().composition.substr(Entry().composition.size() - 3), "ん");
  t.screen.RenderWindow(g);
  ui::TextEditing(g, "\xE3\x81", 1, 0);  // broken text from an input method shows nothing
  EXPECT_EQ(Entry().composition, "");
  EXPECT_EQ(Name(), Sjis("しすみ回"));
  // An editing key that reaches the field means the input method composes no more (it died):
  // its last composition goes, and the key edits the name.
  ui::TextEditing(g, "か", 1, 0);
  Key(ui::kVkBack);
  EXPECT_EQ(Entry().composition, "");
  EXPECT_EQ(Name(), Sjis("しすみ"));
}

TEST_F(NameField, TheHostHearsWhenTheFieldTakesTyping) {
  EXPECT_TRUE(t.host.textInput);
  EXPECT_EQ(t.host.textField.left, 176);
  EXPECT_EQ(t.host.textField.top, 76);
  EXPECT_EQ(t.host.textField.width, 129);
  EXPECT_EQ(t.host.textField.height, 21);
  // Another click in the field changes nothing the host needs to hear.
  Click(FieldX(20), FieldY());
  EXPECT_EQ(t.host.textInputChanges, 1);

  // A panel button takes the keyboard: the composition goes, the committed text stays, and
  // neither text nor composition reaches the field any more.
  ui::TextInput(g, "かい");
  ui::TextEditing(g, "か", 1, 0);
  Click(230, 112);  // VIT
  EXPECT_EQ(g.state.bonusParam, 1);
  EXPECT_FALSE(t.host.textInput);
  EXPECT_FALSE(ui::TextFieldFocused(g));
  EXPECT_EQ(Entry().composition, "");
  ui::TextInput(g, "x");
  ui::TextEditing(g, "y", 1, 0);
  EXPECT_EQ(Name(), Sjis("かい"));
  EXPECT_EQ(Entry().composition, "");

  // OK with a composition pending names the hero with the committed text only; the field
  // goes with its panel, and the map and the battles never take typing.
  Click(FieldX(60), FieldY());
  EXPECT_TRUE(t.host.textInput);
  ui::TextEditing(g, "かいしゃ", 4, 0);
  Click(300, 464);  // OK
  EXPECT_EQ(g.state.player().name, Sjis("かい"));
  EXPECT_FALSE(t.host.textInput);
  EXPECT_EQ(t.host.textInputChanges, 4);
  ui::TextInput(g, "z");
  Click(200, 86);
  EXPECT_FALSE(t.host.textInput);
  EXPECT_EQ(g.state.player().name, Sjis("かい"));
}

TEST_F(NameField, LosesTheFocusWithItsPanel) {
  EXPECT_TRUE(ui::TextFieldFocused(g));
  ui::TextEditing(g, "か", 1, 0);
  g.form[W::bp_box].visible = false;
  EXPECT_FALSE(ui::TextFieldFocused(g));
  ui::TextInput(g, "x");
  EXPECT_EQ(Name(), "");
  EXPECT_EQ(Entry().composition, "");
  EXPECT_FALSE(t.host.textInput);
  // Keys go to the form again.
  g.screen.scene = -2;
  ui::KeyDown(g, ui::kVkEnter);
  EXPECT_EQ(g.screen.scene, -1);
}

}  // namespace
}  // namespace qv
