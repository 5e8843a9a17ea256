// Stand-in until the item panel lands: the panel is shown, its list left empty.
#include "items/item_screen.h"

namespace qv::items {

void ShowItemScreen(Game& g) { ShowPanel(g.form, W::item_box); }

}  // namespace qv::items
