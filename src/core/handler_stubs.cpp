// Handlers whose rules are not in the game yet: each owner moves its handler into its own
// folder and deletes the empty body here.
#include "core/handlers.h"

namespace qv {

void item_listMouseDown(Game& g) {}
void item_listKeyDown(Game& g, int32_t key) {}
void l_btn10MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn11MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn9MouseDown(Game& g, int32_t x, int32_t y, bool right) {}

}  // namespace qv
