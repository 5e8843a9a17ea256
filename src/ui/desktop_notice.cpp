#include "ui/desktop_notice.h"

#include <algorithm>
#include <vector>

#include "gfx/canvas.h"

namespace qv::ui {
namespace {

constexpr int32_t kWindowW = 640;
constexpr int32_t kWindowH = 480;
constexpr int32_t kMargin = 6;  // from the window's top and right edges
constexpr int32_t kPadX = 10;
constexpr int32_t kPadY = 4;
constexpr int32_t kMaxTextWidth = kWindowW - 2 * kMargin - 2 * kPadX;
constexpr gfx::Color kShade = gfx::Rgb(0x10, 0x10, 0x18);
constexpr int32_t kShadeAlpha = 200;  // of 256: the picture shows faintly through
constexpr gfx::Color kBorder = gfx::Rgb(0x90, 0x90, 0xB0);
constexpr gfx::Color kText = gfx::Rgb(0xFF, 0xFF, 0xFF);
constexpr const char* kEllipsis = "…";
constexpr int32_t kLineHeight = 18;    // of a standing notice's lines
constexpr int32_t kStandingTop = 180;  // above the game's text lines

gfx::Font NoticeFont() {
  return {gfx::FontFace::Proportional, 14, false, kText};
}

gfx::Color Mix(gfx::Color under, gfx::Color over, int32_t alpha) {
  const auto mix = [alpha](int a, int b) { return a + (b - a) * alpha / 256; };
  return gfx::Rgb(mix(gfx::RedOf(under), gfx::RedOf(over)),
                  mix(gfx::GreenOf(under), gfx::GreenOf(over)),
                  mix(gfx::BlueOf(under), gfx::BlueOf(over)));
}

// The text as it fits the window: a long one (a screenshot's path) keeps its end.
std::string Fitted(gfx::FontLibrary& fonts, const std::string& utf8, int32_t maxWidth) {
  const gfx::Font font = NoticeFont();
  if (fonts.Measure(font, utf8).width <= maxWidth) return utf8;
  size_t pos = 0;
  while (pos < utf8.size()) {
    gfx::NextCodePoint(utf8, pos);
    std::string shorter = kEllipsis + utf8.substr(pos);
    if (fonts.Measure(font, shorter).width <= maxWidth) return shorter;
  }
  return kEllipsis;
}

// A shaded, framed box of lines laid over the picture at `strength` (256 whole).
void DrawPanel(gfx::Bitmap& window, const gfx::Rect& box, const std::vector<std::string>& lines,
               gfx::FontLibrary& fonts, int32_t strength) {
  // The box is made whole on a copy of what lies beneath, then laid over it at the strength
  // of the fade.
  gfx::Bitmap panel(box.Width(), box.Height());
  for (int32_t y = 0; y < box.Height(); ++y) {
    const gfx::Color* under = window.Row(box.top + y) + box.left;
    gfx::Color* out = panel.Row(y);
    for (int32_t x = 0; x < box.Width(); ++x) out[x] = Mix(under[x], kShade, kShadeAlpha);
  }
  gfx::Canvas c(panel, fonts);
  c.pen = {kBorder, 1, gfx::PenStyle::Solid};
  c.brush.style = gfx::BrushStyle::Clear;
  c.Rectangle(0, 0, box.Width(), box.Height());
  c.font = NoticeFont();
  for (size_t i = 0; i < lines.size(); ++i) {
    const int32_t x = (box.Width() - c.TextWidth(lines[i])) / 2;
    c.TextOut(x, kPadY + static_cast<int32_t>(i) * kLineHeight, lines[i]);
  }
  for (int32_t y = 0; y < box.Height(); ++y) {
    gfx::Color* dst = window.Row(box.top + y) + box.left;
    const gfx::Color* src = panel.Row(y);
    for (int32_t x = 0; x < box.Width(); ++x) dst[x] = Mix(dst[x], src[x], strength);
  }
}

}  // namespace

void DesktopNotice::Show(std::string utf8, int64_t nowMs) {
  text_ = std::move(utf8);
  shown_ = Fitted(fonts_, text_, kMaxTextWidth);
  shownAt_ = nowMs;
}

int32_t DesktopNotice::Strength(int64_t nowMs) const {
  if (text_.empty() || nowMs < shownAt_) return 0;
  const int64_t age = nowMs - shownAt_;
  if (age < kShowMs) return 256;
  if (age >= kShowMs + kFadeMs) return 0;
  return static_cast<int32_t>((kShowMs + kFadeMs - age) * 256 / kFadeMs);
}

bool DesktopNotice::Visible(int64_t nowMs) const {
  return Strength(nowMs) > 0;
}

bool DesktopNotice::NeedsFrame(int64_t nowMs) const {
  return Visible(nowMs) || drawnLast_;
}

gfx::Rect DesktopNotice::BoxAt(int64_t nowMs) const {
  if (!Visible(nowMs)) return {};
  const gfx::Size size = fonts_.Measure(NoticeFont(), shown_);
  const int32_t right = kWindowW - kMargin;
  return {right - size.width - 2 * kPadX, kMargin, right, kMargin + size.height + 2 * kPadY};
}

void DesktopNotice::Draw(gfx::Bitmap& window, int64_t nowMs) {
  const int32_t strength = Strength(nowMs);
  drawnLast_ = strength > 0;
  if (strength == 0 || window.Width() < kWindowW || window.Height() < kWindowH) return;
  DrawPanel(window, BoxAt(nowMs), {shown_}, fonts_, strength);
}

gfx::Rect DrawStandingNotice(gfx::Bitmap& window, const std::string& utf8,
                             gfx::FontLibrary& fonts) {
  if (utf8.empty() || window.Width() < kWindowW || window.Height() < kWindowH) return {};
  std::vector<std::string> lines;
  for (size_t from = 0; from <= utf8.size();) {
    const size_t end = std::min(utf8.find('\n', from), utf8.size());
    lines.push_back(Fitted(fonts, utf8.substr(from, end - from), kMaxTextWidth));
    from = end + 1;
  }
  int32_t width = 0;
  for (const std::string& l : lines) width = std::max(width, fonts.Measure(NoticeFont(), l).width);
  const int32_t height = static_cast<int32_t>(lines.size()) * kLineHeight + 2 * kPadY;
  const int32_t left = (kWindowW - width) / 2 - kPadX;
  const gfx::Rect box{left, kStandingTop, left + width + 2 * kPadX, kStandingTop + height};
  DrawPanel(window, box, lines, fonts, 256);
  return box;
}

}  // namespace qv::ui
