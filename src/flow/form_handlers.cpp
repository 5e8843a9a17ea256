// The form's own handlers: the main picture, the bare form and the hover highlight.
#include "flow/form_handlers.h"

#include "flow/startup.h"

namespace qv {

void cgMouseDown(Game& g, int32_t x, int32_t y, bool right) {
  ClickMain(g, x, y, right);
}
void cgMouseMove(Game& g, int32_t x, int32_t y) {}
void cgMouseUp(Game& g, int32_t x, int32_t y, bool right) {}
void FormKeyUp(Game& g, int32_t key) {}

void l_btn1MouseMove(Game& g, W sender, int32_t x, int32_t y) {
  HighlightLabelButton(g.form, sender);
}
void bp_boxMouseMove(Game& g, int32_t x, int32_t y) {
  ClearLabelButtonHighlight(g.form);
}

}  // namespace qv
