#include "ui/message_box.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace qv::ui {
namespace {

constexpr int32_t kEnter = 13, kEscape = 27, kSpace = 32, kRight = 39, kTab = 9;

TEST(MessageBoxView, QuestionIsAnsweredOnlyOnPurpose) {
  MessageBoxView box(BoxButtons::YesNo, Sjis("本当に消えるけどいい？)"));
  EXPECT_EQ(box.ButtonCount(), 2);
  EXPECT_EQ(box.KeyDown(kEscape), BoxAnswer::None);  // the reset's last question wants No to go on
  EXPECT_EQ(box.KeyDown('Q'), BoxAnswer::None);
  EXPECT_EQ(box.KeyDown('Y'), BoxAnswer::Yes);
  EXPECT_EQ(box.KeyDown('N'), BoxAnswer::No);
  EXPECT_EQ(box.Focus(), 0);
  EXPECT_EQ(box.KeyDown(kEnter), BoxAnswer::Yes);  // Yes has the focus first
  EXPECT_EQ(box.KeyDown(kRight), BoxAnswer::None);
  EXPECT_EQ(box.KeyDown(kSpace), BoxAnswer::No);
  EXPECT_EQ(box.KeyDown(kTab), BoxAnswer::None);
  EXPECT_EQ(box.KeyDown(kEnter), BoxAnswer::Yes);
  EXPECT_EQ(box.CloseRequested(), BoxAnswer::None);
}

TEST(MessageBoxView, InformationBoxClosesWithEnterEscapeOrClose) {
  MessageBoxView box(BoxButtons::Ok, Sjis("初期化完了...."));
  EXPECT_EQ(box.ButtonCount(), 1);
  EXPECT_EQ(box.KeyDown('Y'), BoxAnswer::None);
  EXPECT_EQ(box.KeyDown(kEscape), BoxAnswer::Ok);
  EXPECT_EQ(box.KeyDown(kEnter), BoxAnswer::Ok);
  EXPECT_EQ(box.KeyDown(kRight), BoxAnswer::None);
  EXPECT_EQ(box.KeyDown(kEnter), BoxAnswer::Ok);  // the only button keeps the focus
  EXPECT_EQ(box.CloseRequested(), BoxAnswer::Ok);
}

// A button answers when pressed and released over it, like a desktop button.
TEST(MessageBoxView, MouseAnswersOnReleaseOverThePressedButton) {
  MessageBoxView box(BoxButtons::YesNo,
                     Sjis("おっと、初期化したい？\r今までの記録とか消えるけどいい？)"));
  const gfx::Rect yes = box.ButtonRect(0);
  const gfx::Rect no = box.ButtonRect(1);
  EXPECT_LE(yes.right, no.left);
  box.MouseDown(no.left + 2, no.top + 2);
  EXPECT_EQ(box.MouseUp(yes.left + 2, yes.top + 2), BoxAnswer::None);  // slid off
  box.MouseDown(no.left + 2, no.top + 2);
  EXPECT_EQ(box.MouseUp(no.left + 3, no.top + 3), BoxAnswer::No);
  box.MouseDown(yes.left, yes.top);
  EXPECT_EQ(box.MouseUp(yes.right - 1, yes.bottom - 1), BoxAnswer::Yes);
  EXPECT_EQ(box.MouseUp(yes.left, yes.top), BoxAnswer::None);  // no press before it
  box.MouseDown(0, 0);
  EXPECT_EQ(box.MouseUp(0, 0), BoxAnswer::None);
}

TEST(MessageBoxView, LayoutSplitsLinesWrapsAndStaysInTheWindow) {
  MessageBoxView two(BoxButtons::YesNo,
                     Sjis("おっと、初期化したい？\r今までの記録とか消えるけどいい？)"));
  ASSERT_EQ(two.Lines().size(), 2u);
  EXPECT_EQ(two.Lines()[0], "おっと、初期化したい？");

  MessageBoxView crlf(BoxButtons::Ok, "a\r\nb\nc");
  EXPECT_EQ(crlf.Lines().size(), 3u);

  std::string longText;
  for (int i = 0; i < 300; ++i) longText += Sjis("長");
  for (int i = 0; i < 50; ++i) longText += "\r";
  MessageBoxView huge(BoxButtons::YesNo, longText);
  EXPECT_GT(huge.Lines().size(), 2u);
  const gfx::Rect r = huge.BoxRect();
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
  EXPECT_LE(r.right, 640);
  EXPECT_LE(r.bottom, 480);
  for (int i = 0; i < huge.ButtonCount(); ++i) {
    EXPECT_GE(huge.ButtonRect(i).top, r.top);
    EXPECT_LE(huge.ButtonRect(i).bottom, r.bottom);
  }
}

TEST(MessageBoxView, DrawsInsideItsBoxOnly) {
  gfx::Bitmap window(640, 480, gfx::Rgb(1, 2, 3));
  MessageBoxView box(BoxButtons::YesNo, Sjis("本当に消えるけどいい？)"));
  box.Draw(window);
  const gfx::Rect r = box.BoxRect();
  EXPECT_EQ(window.Pixel(0, 0), gfx::Rgb(1, 2, 3));
  EXPECT_EQ(window.Pixel(r.left - 1, r.top - 1), gfx::Rgb(1, 2, 3));
  EXPECT_NE(window.Pixel(r.left + 5, r.top + 30), gfx::Rgb(1, 2, 3));
  // Some text was drawn: the body is not one flat colour.
  const gfx::Color body = window.Pixel(r.right - 3, r.top + 30);
  bool text = false;
  for (int32_t y = r.top + 25; y < r.top + 60 && !text; ++y) {
    for (int32_t x = r.left + 10; x < r.right - 10 && !text; ++x) text = window.Pixel(x, y) != body;
  }
  EXPECT_TRUE(text);
}

}  // namespace
}  // namespace qv::ui
