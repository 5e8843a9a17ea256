#include "core/form.h"

namespace qv {

void InitForm(Form& form) {
  for (Widget& w : form.widgets) w = Widget{};
}

void ShowPanel(Form& form, W id) {
  if (id == W::bp_box || id == W::item_box) {
    form[id].rect.left = 0;
    form[id].rect.top = 0;
  }
  form[id].visible = true;
}

Rect AbsoluteRect(const Form& form, W id) {
  Rect r = form[id].rect;
  for (W p = form[id].parent; p != W::kCount; p = form[p].parent) {
    r.left += form[p].rect.left;
    r.top += form[p].rect.top;
  }
  return r;
}

bool IsShown(const Form& form, W id) {
  for (W p = id; p != W::kCount; p = form[p].parent) {
    if (!form[p].visible) return false;
  }
  return true;
}

}  // namespace qv
