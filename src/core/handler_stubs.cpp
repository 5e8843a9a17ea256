// Handlers whose rules are not in the game yet: each owner moves its handler into its own
// folder and deletes the empty body here.
#include "core/handlers.h"

namespace qv {

void map_b1MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_b0MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image1MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image2MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map4_bMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map5_bMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map6_bMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image6MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image7MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image8MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_free2MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map7_bMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map8_bMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_hMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map9_bMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map10_bMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_free3MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_sMouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_free4MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_free5MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void map_free6MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image3MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image4MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image5MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image9MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image10MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image11MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image12MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void Image13MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn_com1MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn_com2MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn_com3MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn1MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn2MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn3MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn4MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn5MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn6MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn15MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn16MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn17MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn18MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn19MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn20MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn30MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn31MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn32MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn33MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn34MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn35MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn36MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn37MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn38MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn39MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn8MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void item_listMouseDown(Game& g) {}
void item_listKeyDown(Game& g, int32_t key) {}
void l_btn10MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn11MouseDown(Game& g, int32_t x, int32_t y, bool right) {}
void l_btn9MouseDown(Game& g, int32_t x, int32_t y, bool right) {}

}  // namespace qv
