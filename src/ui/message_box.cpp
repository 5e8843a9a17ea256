#include "ui/message_box.h"

#include <algorithm>

#include "core/text.h"
#include "gfx/canvas.h"
#include "ui/translator.h"

namespace qv::ui {
namespace {

constexpr int32_t kWindowW = 640;
constexpr int32_t kWindowH = 480;
constexpr int32_t kMaxTextWidth = 520;
constexpr int32_t kPadding = 18;
constexpr int32_t kTitleHeight = 22;
constexpr int32_t kButtonW = 84;
constexpr int32_t kButtonH = 26;
constexpr int32_t kButtonGap = 12;
constexpr int32_t kShadow = 4;
constexpr int32_t kMaxLines = 20;  // a box never grows past the window

constexpr gfx::Color kFrame = gfx::Rgb(0x40, 0x40, 0x48);
constexpr gfx::Color kTitleBar = gfx::Rgb(0x68, 0x68, 0x97);
constexpr gfx::Color kTitleText = gfx::Rgb(0xFF, 0xFF, 0xFF);
constexpr gfx::Color kBody = gfx::Rgb(0xEC, 0xEC, 0xF0);
constexpr gfx::Color kText = gfx::Rgb(0x10, 0x10, 0x10);
constexpr gfx::Color kButtonFace = gfx::Rgb(0xD4, 0xD0, 0xC8);
constexpr gfx::Color kButtonHover = gfx::Rgb(0xE4, 0xE2, 0xDC);
constexpr gfx::Color kButtonDown = gfx::Rgb(0xB8, 0xB4, 0xAC);
constexpr gfx::Color kFocusRing = gfx::Rgb(0x30, 0x50, 0xA0);
constexpr gfx::Color kShadowColor = gfx::Rgb(0x10, 0x10, 0x10);

constexpr int32_t kVkTab = 9, kVkEnter = 13, kVkEscape = 27, kVkSpace = 32;
constexpr int32_t kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;
constexpr int32_t kVkN = 'N', kVkY = 'Y', kVkO = 'O';

gfx::Font TextFont() {
  return gfx::Font{gfx::FontFace::Proportional, 16, false, kText};
}
gfx::Font TitleFont() {
  return gfx::Font{gfx::FontFace::Proportional, 14, true, kTitleText};
}

const char* ButtonCaption(BoxButtons buttons, int32_t index) {
  if (buttons == BoxButtons::Ok) return "OK";
  return index == 0 ? "はい" : "いいえ";
}

// Splits at line breaks, then wraps every line to the width a character at a time (the
// game's texts are Japanese, without spaces to break at); another language breaks between words.
std::vector<std::string> WrapText(gfx::FontLibrary& fonts, const std::string& utf8, bool words) {
  std::vector<std::string> out;
  std::string line;
  const gfx::Font font = TextFont();
  size_t pos = 0;
  while (pos < utf8.size() && static_cast<int32_t>(out.size()) < kMaxLines) {
    if (utf8[pos] == '\r' || utf8[pos] == '\n') {
      if (utf8[pos] == '\r' && pos + 1 < utf8.size() && utf8[pos + 1] == '\n') ++pos;
      ++pos;
      out.push_back(std::move(line));
      line.clear();
      continue;
    }
    const size_t start = pos;
    if (words && utf8[pos] != ' ') {
      while (pos < utf8.size() && utf8[pos] != ' ' && utf8[pos] != '\r' && utf8[pos] != '\n') ++pos;
    } else {
      gfx::NextCodePoint(utf8, pos);
    }
    const std::string ch = utf8.substr(start, pos - start);
    if (!line.empty() && fonts.Measure(font, line + ch).width > kMaxTextWidth) {
      out.push_back(std::move(line));
      line.clear();
      if (ch == " ") continue;
    }
    line += ch;
  }
  if (static_cast<int32_t>(out.size()) < kMaxLines && (!line.empty() || out.empty())) {
    out.push_back(std::move(line));
  }
  return out;
}

}  // namespace

MessageBoxView::MessageBoxView(BoxButtons buttons, std::string_view cp932Text,
                               gfx::FontLibrary& fonts, Translator* tr, const Game* g)
    : buttons_(buttons), fonts_(fonts) {
  const bool translated = tr && g && tr->Active();
  lines_ = translated ? WrapText(fonts_, tr->Shown(*g, cp932Text), true)
                      : WrapText(fonts_, Cp932ToUtf8(cp932Text), false);
  for (int32_t i = 0; i < ButtonCount(); ++i) {
    const char* caption = ButtonCaption(buttons_, i);
    captions_[static_cast<size_t>(i)] = translated ? tr->Own(caption) : caption;
  }
  const gfx::Font font = TextFont();
  lineHeight_ = std::max(fonts_.Metrics(font).Height(), 16) + 2;
  int32_t textWidth = 0;
  for (const std::string& l : lines_)
    textWidth = std::max(textWidth, fonts_.Measure(font, l).width);
  const int32_t buttonsWidth = ButtonCount() * kButtonW + (ButtonCount() - 1) * kButtonGap;
  const int32_t width =
      std::clamp(std::max(textWidth, buttonsWidth) + 2 * kPadding, 200, kWindowW - 2 * kShadow);
  const int32_t textHeight = static_cast<int32_t>(lines_.size()) * lineHeight_;
  const int32_t height =
      std::min(kTitleHeight + kPadding + textHeight + kPadding + kButtonH + kPadding,
               kWindowH - 2 * kShadow);
  const int32_t left = (kWindowW - width) / 2;
  const int32_t top = (kWindowH - height) / 2;
  box_ = {left, top, left + width, top + height};
}

gfx::Rect MessageBoxView::ButtonRect(int32_t index) const {
  const int32_t count = ButtonCount();
  const int32_t total = count * kButtonW + (count - 1) * kButtonGap;
  const int32_t left = (box_.left + box_.right - total) / 2 + index * (kButtonW + kButtonGap);
  const int32_t top = box_.bottom - kPadding - kButtonH;
  return {left, top, left + kButtonW, top + kButtonH};
}

void MessageBoxView::Draw(gfx::Bitmap& window) {
  gfx::Canvas c(window, fonts_);
  c.pen.style = gfx::PenStyle::Clear;
  c.brush = {kShadowColor, gfx::BrushStyle::Solid};
  c.FillRect(
      {box_.left + kShadow, box_.top + kShadow, box_.right + kShadow, box_.bottom + kShadow});

  c.pen = {kFrame, 1, gfx::PenStyle::Solid};
  c.brush = {kBody, gfx::BrushStyle::Solid};
  c.Rectangle(box_.left, box_.top, box_.right, box_.bottom);
  c.brush.color = kTitleBar;
  c.Rectangle(box_.left, box_.top, box_.right, box_.top + kTitleHeight);

  c.brush.style = gfx::BrushStyle::Clear;
  c.font = TitleFont();
  const int32_t titleH = c.TextHeight("Q.V.");
  c.TextOut(box_.left + 8, box_.top + (kTitleHeight - titleH) / 2, "Q.V.");

  c.font = TextFont();
  int32_t y = box_.top + kTitleHeight + kPadding;
  const int32_t textBottom = box_.bottom - kPadding - kButtonH - kPadding / 2;
  for (const std::string& line : lines_) {
    if (y + lineHeight_ > textBottom + lineHeight_ / 2) break;
    c.TextOut(box_.left + kPadding, y, line);
    y += lineHeight_;
  }

  for (int32_t i = 0; i < ButtonCount(); ++i) {
    const gfx::Rect r = ButtonRect(i);
    const bool down = pressed_ == i && hover_ == i;
    c.pen = {i == focus_ ? kFocusRing : kFrame, i == focus_ ? 2 : 1, gfx::PenStyle::Solid};
    c.brush = {down ? kButtonDown : (hover_ == i ? kButtonHover : kButtonFace),
               gfx::BrushStyle::Solid};
    c.Rectangle(r.left, r.top, r.right, r.bottom);
    c.brush.style = gfx::BrushStyle::Clear;
    const std::string& caption = captions_[static_cast<size_t>(i)];
    const gfx::Size ext = c.TextExtent(caption);
    const int32_t shift = down ? 1 : 0;
    c.TextOut(r.left + (r.Width() - ext.width) / 2 + shift,
              r.top + (r.Height() - ext.height) / 2 + shift, caption);
  }
}

BoxAnswer MessageBoxView::AnswerOf(int32_t button) const {
  if (buttons_ == BoxButtons::Ok) return BoxAnswer::Ok;
  return button == 0 ? BoxAnswer::Yes : BoxAnswer::No;
}

int32_t MessageBoxView::ButtonAt(int32_t x, int32_t y) const {
  for (int32_t i = 0; i < ButtonCount(); ++i) {
    const gfx::Rect r = ButtonRect(i);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return i;
  }
  return -1;
}

BoxAnswer MessageBoxView::KeyDown(int32_t key) {
  const bool question = buttons_ == BoxButtons::YesNo;
  switch (key) {
    case kVkEnter:
    case kVkSpace:
      return AnswerOf(focus_);
    case kVkEscape:
    case kVkO:
      // Escape would be "cancel", but the reset's last question wants "No" to go on, so a
      // question is only ever answered on purpose.
      return question ? BoxAnswer::None : BoxAnswer::Ok;
    case kVkY:
      return question ? BoxAnswer::Yes : BoxAnswer::None;
    case kVkN:
      return question ? BoxAnswer::No : BoxAnswer::None;
    case kVkTab:
    case kVkLeft:
    case kVkRight:
    case kVkUp:
    case kVkDown:
      focus_ = (focus_ + 1) % ButtonCount();
      return BoxAnswer::None;
    default:
      return BoxAnswer::None;
  }
}

void MessageBoxView::MouseDown(int32_t x, int32_t y) {
  pressed_ = ButtonAt(x, y);
  hover_ = pressed_;
  if (pressed_ >= 0) focus_ = pressed_;
}

BoxAnswer MessageBoxView::MouseUp(int32_t x, int32_t y) {
  const int32_t released = ButtonAt(x, y);
  const int32_t pressed = pressed_;
  pressed_ = -1;
  return (pressed >= 0 && released == pressed) ? AnswerOf(pressed) : BoxAnswer::None;
}

void MessageBoxView::MouseMove(int32_t x, int32_t y) {
  hover_ = ButtonAt(x, y);
}

BoxAnswer MessageBoxView::CloseRequested() const {
  return buttons_ == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::None;
}

}  // namespace qv::ui
