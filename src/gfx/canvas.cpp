#include "gfx/canvas.h"

namespace qv::gfx {

Canvas::Canvas(Bitmap& target) : target_(&target), fonts_(&FontLibrary::Shared()) {}
Canvas::Canvas(Bitmap& target, FontLibrary& fonts) : target_(&target), fonts_(&fonts) {}

void Canvas::FillRect(const Rect&) {}
void Canvas::Rectangle(int32_t, int32_t, int32_t, int32_t) {}
void Canvas::Ellipse(int32_t, int32_t, int32_t, int32_t) {}
void Canvas::RoundRect(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void Canvas::MoveTo(int32_t x, int32_t y) { penX_ = x; penY_ = y; }
void Canvas::LineTo(int32_t x, int32_t y) { penX_ = x; penY_ = y; }
void Canvas::TextOut(int32_t, int32_t, std::string_view) {}
Size Canvas::TextExtent(std::string_view utf8) { return fonts_->Measure(font, utf8); }
void Canvas::Draw(int32_t, int32_t, const Bitmap&) {}
void Canvas::DrawTransparent(int32_t, int32_t, const Bitmap&, Color) {}
void Canvas::StretchDraw(const Rect&, const Bitmap&) {}
void Canvas::CopyRect(const Rect&, const Bitmap&, const Rect&) {}
void Canvas::OrDraw(int32_t, int32_t, const Bitmap&) {}

}  // namespace qv::gfx
